// The Series "Run" command. The body lives with the series runner
// (series/series_command.cpp): the shell's command table only names it.
#pragma once

#include "shell/document_commands.h"

// "Run" (66): runs the document text as a series and shows the report with
// the result table. A series stopped by the user still shows the table of
// the items it finished (the outcome is then kDone; the stop flag tells).
TCommandOutcome RunSeriesRun(TCommandRun& run);
