#include "shell/graph_code_report.h"

#include <string>

#include "shell/spine_reports.h"

int PrintGraphCode(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  output.NewLines(1);
  const int connected = PrintConnectedness(spine, output, 1, 1);
  unsigned number = 0;
  for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
    if (++number > 1) output.NewLines(2);
    if (!connected) {
      output.Tabs(1);
      output.AppendText(("Component " + std::to_string(number)).c_str());
      output.NewLines(1);
    }
    if (component->CountFreeEdges() == 0 && component->CountIsolatedVertices() == 0) {
      // A graph code lists the 1-dimensional parts, and this component has none.
      output.AppendText("Graph code : none (no free edges, no separate vertices)");
      output.NewLines(1);
    } else {
      PrintGraphParts(*component, output);
    }
  }
  output.NewLines(1);
  return 1;
}

TCommandOutcome RunGraphCode(TCommandRun& run) {
  run.Parse();
  return PrintGraphCode(run.Document(), run.output) == 1 ? TCommandOutcome::kDone
                                                         : TCommandOutcome::kRefused;
}
