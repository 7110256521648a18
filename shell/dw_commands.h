// The view commands of the DW invariants (id 26) and of the boundary and
// fundamental-group presentations (id 22). No menu item sends them; the
// command-line program names them dw-invariants and boundary-groups.
//
// Their engines belong to the invariants subsystem, which builds on the shell;
// the bodies are defined there (invariants/dw_report.cpp and
// invariants/group_presentation_report.cpp) and the command table reaches them
// through these declarations only.
#pragma once

#include "shell/document_commands.h"

class TComputationTask;

TCommandOutcome RunDWInvariants(TCommandRun& run);
TCommandOutcome RunBoundaryGroups(TCommandRun& run);
// The group task (kind 6): the command's report, with every better
// presentation shown in the task's view while the search runs.
void RunBoundaryGroupsTask(TComputationTask& task);
