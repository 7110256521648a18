#include "shell/series_commands.h"

#include "series/series_runner.h"

TCommandOutcome RunSeriesRun(TCommandRun& run) {
  TSeriesRunner runner(run.Options(), run.output);
  if (runner.Run(run.Text()) == 0) {
    run.messageOnly = true;
    return TCommandOutcome::kRefused;
  }
  return TCommandOutcome::kDone;
}
