// The Information commands on surfaces and the epsilon invariant: "&Epsilon-
// Invariant" (menu id 27), "Search For &Surfaces In Spine" (33, task kind 9)
// and "Search For &Normal Surfaces" (35, task kind 10), as commands (both
// programs) and as the bodies of the task kinds (the desktop program's worker).
//
// Their engines belong to the invariants subsystem, which builds on the shell;
// the bodies are defined there (invariants/*_report.cpp) and the command table
// and the task bodies reach them through these declarations only.
#pragma once

#include "shell/document_commands.h"

TCommandOutcome RunEpsilonInvariant(TCommandRun& run);
TCommandOutcome RunSearchSurfaces(TCommandRun& run);
TCommandOutcome RunSearchNormalSurfaces(TCommandRun& run);

class TComputationTask;
void RunSurfaceSearchTask(TComputationTask& task);
void RunNormalSurfaceSearchTask(TComputationTask& task);
