#include "shell/recognize_commands.h"

#include <string>

#include "model/quiet_scope.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "recognition/recognition_driver.h"
#include "recognition/result_printer.h"
#include "recognition/result_table.h"
#include "shell/manifold_refusal.h"
#include "shell/move_commands.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"

namespace {

TCommandOutcome RunRecognition(TCommandRun& run, int mode) {
  run.Parse();
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  TSpine& spine = run.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  run.Document().EnsureThickened();
  std::string homology;
  if (spine.HomologyList() != nullptr || spine.ComputeHomology() != 0) {
    TOutput text;
    PrintHomologyGroup(text, spine.HomologyList());
    homology = text.Text();
  }
  PrepareMoves(run.Options());
  TManifoldTable table;
  table.SetKind(kTableSingleCommand);
  TRecognitionDriver driver(table, mode);
  driver.SetStopFlag(run.StopFlag());
  TRecognitionOutcome outcome;
  {
    TQuietScope quiet;
    outcome = driver.Recognize(spine);
  }
  PrintRecognitionResult(run.output, table, outcome, homology);
  return TCommandOutcome::kDone;
}

}  // namespace

TCommandOutcome RunRecognize(TCommandRun& run) {
  const int mode = run.Options().EnumerationOfManifoldsRecognitionMode;
  return RunRecognition(run, mode == kModeTillFirst || mode == kModeAllPresentations ? mode : kModeTillMain);
}

TCommandOutcome RunTillFirstPresentation(TCommandRun& run) { return RunRecognition(run, kModeTillFirst); }

TCommandOutcome RunTillMainPresentation(TCommandRun& run) { return RunRecognition(run, kModeTillMain); }

TCommandOutcome RunTryToFindAllPresentations(TCommandRun& run) {
  return RunRecognition(run, kModeAllPresentations);
}
