// The Information commands of the Turaev-Viro invariants: the invariants of
// orders 3 to 16 (menu id 24) and their homologically trivial part (25), as
// commands (the command-line program) and as the body of task kind 7 (the
// desktop program's worker, orders and variant taken from the task).
//
// Their engine belongs to the invariants subsystem, which builds on the shell;
// the bodies are defined there (invariants/turaev_viro_report.cpp) and the
// command table and the task bodies reach them through these declarations only.
#pragma once

#include "shell/document_commands.h"

TCommandOutcome RunTuraevViroInvariants(TCommandRun& run);
TCommandOutcome RunHomologicallyTrivialTuraevViro(TCommandRun& run);

class TComputationTask;
void RunTuraevViroTask(TComputationTask& task);
