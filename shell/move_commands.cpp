#include "shell/move_commands.h"

#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "shell/spine_reports.h"

namespace {

// "%u reduction(s) done"
constexpr int kReductionsDoneId = 269;

}  // namespace

void PrintStepHeader(TCommandRun& run, int reportType, int stepType, long long step,
                     const std::string& text) {
  if (reportType == 1 && stepType != 1) return;
  if (step != -1) {
    run.output.AppendText(("\t*** Step " + std::to_string(step) + " ***").c_str());
    run.output.NewLines(1);
  }
  if (!text.empty()) {
    run.output.AppendText(text.c_str());
    run.output.NewLines(1);
  }
  run.output.NewLines(1);
  if (reportType == 3) {
    PrintBoundaryCurves(run.Document(), run.output);
    run.output.NewLines(1);
  }
}

int MakeCellReductions(TCommandRun& run, std::string& text) {
  int count = 0;
  for (TSpine* spine = &run.Spine(); spine != nullptr; spine = spine->Next()) {
    count += RunCellReductions(*spine);
  }
  if (count > 0) {
    ++run.stepCounter;
    run.transformed = true;
  }
  text = QuietMode.load() != 0 ? std::string()
                               : FormatText(StringTableText(kReductionsDoneId).value_or(""),
                                            static_cast<unsigned>(count));
  // The header numbers a step that did nothing as the step still to come.
  PrintStepHeader(run, run.Options().ReportType, 1,
                  count > 0 ? run.stepCounter : run.stepCounter + 1LL, text);
  ShowStatusText(text.c_str());
  return count;
}

TCommandOutcome RunMakeCellReductions(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  // The reductions keep a thickened spine's boundary up to date.
  run.Document().EnsureThickened();
  SkipSpineValidation.store(1);
  std::string text;
  MakeCellReductions(run, text);
  return TCommandOutcome::kDone;
}
