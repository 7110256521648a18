// The commands that name the pieces of the document's spine. The bodies live
// with the recognition (recognition/recognition_commands.cpp): the shell's
// command table only names them.
#pragma once

#include "shell/document_commands.h"

// Sorvelin: "Make &Assembling" (41). A spine not yet transformed is first
// simplified by the default moves, which cut it into the pieces assembled.
TCommandOutcome RunMakeAssembling(TCommandRun& run);
// Information: "Search For Symmetries Of S&pine" (34).
TCommandOutcome RunSearchForSymmetries(TCommandRun& run);
