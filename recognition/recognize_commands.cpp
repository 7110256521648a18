#include "shell/recognize_commands.h"

#include <chrono>
#include <string>

#include "model/quiet_scope.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "recognition/recognition_input.h"
#include "recognition/recognition_driver.h"
#include "recognition/result_printer.h"
#include "recognition/result_table.h"
#include "shell/manifold_refusal.h"
#include "shell/move_commands.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"

namespace {

// The progress of a recognition reaches the status line (on the command
// line the progress line of a terminal) at most this often.
constexpr std::chrono::milliseconds kProgressInterval{250};

TCommandOutcome RunRecognition(TCommandRun& run, int mode) {
  std::string homology;
  TSpine* input = RecognitionInput(run, homology);
  if (input == nullptr) return TCommandOutcome::kRefused;
  TSpine& spine = *input;
  PrepareMoves(run.Options());
  TManifoldTable table;
  table.SetKind(kTableSingleCommand);
  TRecognitionDriver driver(table, mode);
  driver.SetStopFlag(run.StopFlag());
  const TOptionValues& options = run.Options();
  driver.SetSimplifyFirst(options.OptionsTryToSimplifySpineBeforeRecognizing, options.AllVariantsStepToMakeAll,
                          options.AllVariantsStepToMakeAll);
  driver.SetOutputMoveList(options.OptionsOutputMoveList);
  // The presets of a single recognition keep the balls in the descriptions;
  // the setting decides only what the reports show.
  const bool ignoreBalls = options.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls != 0;
  driver.SetIgnoreAddedBallsInReports(ignoreBalls);
  driver.SetProgressInterval(kProgressInterval);
  driver.SetTimeLimit(std::chrono::milliseconds(options.MaxAllVariantsTime));
  if (run.showInterimReport) driver.SetHitReport(run.Text(), run.showInterimReport, run.beep);
  TRecognitionOutcome outcome;
  {
    TQuietScope quiet;
    outcome = driver.Recognize(spine);
  }
  PrintRecognitionResult(run.output, table, outcome, homology, ignoreBalls);
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
