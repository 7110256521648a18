// The report of a genus-2 Heegaard diagram, written by the short information
// of a document that holds one: the diagram, its curves as words in the arc
// labels (with each curve's own arcs when there are several), its dual
// diagram and the diagrams its meridian moves reach, the last two with
// reports of their own one level deeper.
#include <string>
#include <vector>

#include "foundation/output.h"
#include "foundation/text_format.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/heegaard/heegaard_text_support.h"

namespace {

const char* PieceLabel(int code) {
  switch (code) {
    case 2: return "A";
    case 3: return "a";
    case 4: return "b";
    case 5: return "B1";
    case 6: return "B2";
    case 7: return "c";
    case 8: return "C1";
    case 9: return "C2";
    case 11: return "D";
    case 12: return "d";
    default: return "?";
  }
}

void AppendId(TOutput& output, int id) { output.AppendText(HeegaardText(id).c_str()); }

}  // namespace

void THeegaardDiagram::PrintReport(TOutput& output, int depth, const char* text) {
  if (text != nullptr) {
    THeegaardReadError error;
    const char* end = text;
    // A diagram that was read but is not valid still gets its first line.
    if (ParseText(text, end, &error) == 0 && error.messageId != kHeegaardInvalid) return;
  }
  if (depth == 1) {
    AppendId(output, kHeegaardSourceDiagram);
    output.Spaces(1);
    PrintHeegaardParameters(output, *this);
    output.NewLines(1);
  }
  if (IsValid() == 0) return;

  BuildArcTable(2);
  const int curves = TraceCurves(2);
  if (curves > 2) {
    output.AppendText(FormatText(HeegaardText(kHeegaardCurvesNumbered), curves).c_str());
  } else {
    AppendId(output, kHeegaardCurves);
  }
  const TIntMatrix* table = CurveArray();
  for (int curve = 1; curve <= curves && table != nullptr; ++curve) {
    output.NewLines(1);
    if (curves > 2) output.AppendText((std::to_string(curve) + ": ").c_str());
    std::string word;
    // Rows of the curve by position.
    std::vector<int> byPosition;
    for (std::uint32_t r = 0; r < table->Rows(); ++r) {
      const std::int32_t* row = table->Row(r);
      if (row[4] != curve) continue;
      const std::size_t position = static_cast<std::size_t>(row[9] > 0 ? row[9] - 1 : 0);
      if (byPosition.size() <= position) byPosition.resize(position + 1, -1);
      byPosition[position] = static_cast<int>(r);
    }
    for (int r : byPosition) {
      if (r >= 0) word += PieceLabel(table->Row(static_cast<std::uint32_t>(r))[8]);
    }
    if (curves > 1) {
      output.Tabs(1);
      PrintHeegaardParameters(output, CurveDiagram(curve));
    }
    output.Tabs(1);
    output.AppendText(word.c_str());
  }
  output.NewLines(1);
  if (depth == 2 || kind_ == 4) {
    FreeCurveArray();
    return;
  }

  if (curves == 2) {
    output.NewLines(1);
    if (HasDualLoop() == 1) {
      AppendId(output, kHeegaardLoopOnDual);
    } else {
      AppendId(output, kHeegaardDualDiagram);
      output.Spaces(1);
      THeegaardDiagram dual;
      if (DualDiagram(dual) == 1) {
        dual.Normalize();
        PrintHeegaardParameters(output, dual);
        output.NewLines(1);
        if (dual.NotEqual(*this)) dual.PrintReport(output, 2);
      } else {
        AppendId(output, kHeegaardDualNone);
      }
    }
    output.NewLines(1);
  }

  THeegaardDiagram moved[4];
  const int count = MeridianMoves(moved, 1);
  AppendId(output, kHeegaardAfterChangeMeridians);
  output.Spaces(1);
  for (int k = 0; k < count; ++k) {
    output.NewLines(1);
    PrintHeegaardParameters(output, moved[k]);
    output.NewLines(1);
    moved[k].PrintReport(output, 2);
  }
  if (count == 0) AppendId(output, kHeegaardNone);
  FreeCurveArray();
  output.NewLines(2);
}
