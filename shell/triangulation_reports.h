// Reports in the triangulation notations: the singular triangulation of the
// current spine, its dehydrated description and its isomorphism signature.
// The report functions work inside the document's heap scope (the command
// bodies are run in one).
#pragma once

#include "foundation/output.h"
#include "model/spine.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"

// The triangulation of one spine as detail lines (each detail after a line
// end). With fromText 1 and an empty spine the text is read as a
// triangulation instead, its reader's messages in a comment block, and what
// it read is shown (unglued faces as "*(***)"). 1 when something was printed.
int PrintTriangulationOf(TSpine& spine, const char* text, TOutput& output, int fromText);

// "Singular Triangulation": "No gluing was found" (result 0) for an empty
// spine whose text is no triangulation text; otherwise the connectedness line
// (commented), "\t\ttriangulation", each component's triangulation (with
// component headers when there are several), "\t\tend". With fromText 1 the
// status messages of the work appear in the report. 0 when a component could
// not be printed.
int PrintTriangulation(TDocumentSpine& document, const char* text, TOutput& output, int fromText);

// "Dehydrated Description": the description of a connected special spine of
// at most 25 vertices and 1; otherwise the refusal and 0.
int PrintDehydratedDescription(TDocumentSpine& document, TOutput& output);

// "Isomorphism Signature": the signature of a connected special spine and the
// canonically labelled triangulation, and 1; otherwise the refusal and 0.
int PrintIsoSignature(TDocumentSpine& document, TOutput& output);

// The bodies of the commands (document_commands.h).
// View: "Singular &Triangulation" (12): the document rewritten as a singular
// triangulation; a text already in that style stays as it is.
TCommandOutcome RunViewTriangulation(TCommandRun& run);
// Information: "Singular &Triangulation" (19), with the reader's messages.
TCommandOutcome RunTriangulation(TCommandRun& run);
// Information: "Dehyd&rated Description" (20).
TCommandOutcome RunDehydratedDescription(TCommandRun& run);
// Information: "Isomorphism Sign&ature" (21).
TCommandOutcome RunIsoSignature(TCommandRun& run);
