#include "shell/series_commands.h"

#include "series/series_runner.h"

TCommandOutcome RunSeriesRun(TCommandRun& run) {
  TSeriesRunner runner(run.Options(), run.output);
  if (runner.Run(run.Text()) == 0) {
    run.messageOnly = true;
    return TCommandOutcome::kRefused;
  }
  // The report stands, but a line that could not be run as asked makes the
  // run no clean success (a non-zero status on the command line).
  return runner.LineErrors() > 0 ? TCommandOutcome::kRefused : TCommandOutcome::kDone;
}
