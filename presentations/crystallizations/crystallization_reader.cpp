#include "presentations/crystallizations/crystallization_reader.h"

#include <utility>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_manifold_check.h"
#include "presentations/crystallizations/crystallization_spine.h"

namespace {

constexpr int kNoCodeTextId = 9500;
constexpr int kNoLineTextId = 9501;
constexpr int kNotManifoldTextId = 9502;

}  // namespace

int ReadCrystallizationCode(const char* text, TIntMatrix& graph) {
  TCodeLine line;
  if (!FindCodeLine(text, line)) {
    ReportStatusId(kNoLineTextId);
    return 0;
  }
  TIntMatrix read;
  TString message;
  if (!IsCrystallizationText(text, &read)) {
    message.FormatResource(kNoCodeTextId, line.lineNumber, line.code);
    ReportStatus(message, -1);
    return 0;
  }
  TResidueDefect defect;
  if (!IsManifoldCrystallization(read, &defect)) {
    // Colours are named 1..4 here, as in the names of the spine's cells.
    message.FormatResource(kNotManifoldTextId, line.lineNumber, line.code,
                           defect.colours[0] + 1, defect.colours[1] + 1, defect.colours[2] + 1,
                           defect.eulerCharacteristic);
    ReportStatus(message, -1);
    return 0;
  }
  graph = std::move(read);
  return 1;
}

int LoadCrystallization(TSpine& spine, const char* text) {
  TIntMatrix graph;
  if (!ReadCrystallizationCode(text, graph)) {
    if (!spine.IsEmpty()) spine.Clear();
    return 0;
  }
  BuildCrystallizationSpine(spine, graph);
  return spine.IsEmpty() ? 0 : 1;
}
