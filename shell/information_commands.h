// The bodies of the commands of the View and Information menus that report on
// the document's spine (document_commands.h says how a body is run).
//
// Each body parses the document text when it needs the spine, appends its
// report to run.output and returns kRefused when the document gives no spine
// or the report is a refusal.
#pragma once

#include "shell/document_commands.h"

// View: "Boundary &Curves" (11): the document rewritten as the boundary
// curves of its cells; a text already in that style stays as it is.
TCommandOutcome RunViewBoundaryCurves(TCommandRun& run);

// View: "&Details" (13): the document rewritten as the details of its
// spine; a details text stays as it is, and a spine whose details cannot be
// written keeps its text.
TCommandOutcome RunViewDetails(TCommandRun& run);

// Information: "Short &Information" (16).
TCommandOutcome RunShortInformation(TCommandRun& run);
// Information: "Boundary C&urves" (17).
TCommandOutcome RunBoundaryCurves(TCommandRun& run);
// Information: "&Details" (18), with its header.
TCommandOutcome RunDetails(TCommandRun& run);
// Information: "&Boundary" (36).
TCommandOutcome RunBoundary(TCommandRun& run);
// Information: "&Homology Group" (23), with the connectedness line.
TCommandOutcome RunHomologyGroup(TCommandRun& run);
// Information: "T&ransformation List" (39): the moves made on the current
// spine; the text is not parsed (the list belongs to the spine shown).
TCommandOutcome RunTransformationList(TCommandRun& run);
// Debug: "&Dialog With Debugging" (76): the document text with its long
// lines wrapped at 90 characters.
TCommandOutcome RunDialogWithDebugging(TCommandRun& run);
