// "Is C&overing For" (37): whether the preimage spine of the document covers
// its image spine.
//
// The document holds both spines, each after a marker line:
//
//   Preimage spine
//   ... a spine in any notation ...
//   Image spine
//   ... a spine in any notation ...
//
// Both are read by the document parse, checked to be special (a spine that is
// not is taken only when the user says OK), and handed to IsCoveringFor. The
// report is the document text followed by the covering found, or "Failure!".
#pragma once

#include "shell/document_commands.h"

// Appends the report; 1 when the two spines could be read (whatever the
// test found), 0 when a marker is missing, a spine could not be read or the
// user declined a spine that is not special (a message box says which).
// *covered receives whether a covering was found.
int CheckCovering(TCommandRun& run, bool* covered = nullptr);

// The command: the report in information mode when both spines could be
// read; kDone only when a covering was found.
TCommandOutcome RunIsCoveringFor(TCommandRun& run);
