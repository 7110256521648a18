// The report of an extended Heegaard diagram, written by the short
// information of a document that holds one.
#include <string>

#include "foundation/output.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_text_support.h"

void PrintExtHeegaardReport(TOutput& output, const char* text) {
  TExtHeegaardDiagram diagram;
  const char* end = nullptr;
  if (text == nullptr || diagram.Parse(text, end) == 0) return;
  output.AppendText(HeegaardText(kHeegaardSourceDiagram).c_str());
  output.Spaces(1);
  PrintExtHeegaardParameters(output, diagram);
  output.NewLines(2);
  TExtHeegaardDiagram dual;
  switch (ExtHeegaardBuildCode(diagram, &dual)) {
    case kExtBuildDone:
      dual.Normalize();
      output.AppendText(HeegaardText(kHeegaardDualDiagram).c_str());
      output.Spaces(1);
      PrintExtHeegaardParameters(output, dual);
      output.NewLines(2);
      output.AppendText(HeegaardText(kExtHeegaardAfterMeridianMoves).c_str());
      for (int i = 1; i <= 3; ++i) {
        output.NewLines(1);
        output.AppendText((std::to_string(i) + ": ").c_str());
        const auto moved = ExtMeridianMove(diagram, i - 1);
        if (moved) {
          PrintExtHeegaardParameters(output, *moved);
        } else {
          output.AppendText(HeegaardText(kExtHeegaardUnable).c_str());
        }
      }
      output.NewLines(1);
      break;
    case kExtBuildNotRegular:
      output.AppendText(HeegaardText(kExtHeegaardEvenViolation).c_str());
      output.NewLines(1);
      break;
    case kExtBuildWrongCurves:
      output.AppendText(HeegaardText(kExtHeegaardWrongCurveCount).c_str());
      output.NewLines(1);
      break;
    default:
      output.AppendText(HeegaardText(kExtHeegaardDualLoop).c_str());
      output.NewLines(1);
      break;
  }
  output.NewLines(1);
}
