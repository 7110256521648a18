// The commands of the "Internal Tables" menu: the display of the internal
// table of hyperbolic atoms (menu 69) and the four imports of cusped
// presentations into its text (menus 70 to 73, task kinds 15 to 18). The
// bodies live with the table, in the recognition subsystem.
#pragma once

#include "shell/document_commands.h"

// The whole table text, as a report.
TCommandOutcome RunDisplayHyperbolicAtoms(TCommandRun& run);
// The table text with the presentations the document names added; the kind
// is the task kind of the import (15 to 18).
TCommandOutcome RunImportPresentations(TCommandRun& run, int kind);
TCommandOutcome RunImportOneCuspByAtoms(TCommandRun& run);
TCommandOutcome RunImportOneCuspByKnots(TCommandRun& run);
TCommandOutcome RunImportOneCuspByLinks(TCommandRun& run);
TCommandOutcome RunImportTwoCuspByLinks(TCommandRun& run);
