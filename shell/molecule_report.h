// The "Labeled Molecule" command: the report of the labeled molecule of the
// document's spine.
#pragma once

#include <string_view>

#include "foundation/output.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"

// The molecule report of the parsed spine (PrintLabeledMolecule, style 1), or
// the empty-spine report. Returns 1 when there was a spine to report on.
int PrintLabeledMoleculeReport(TDocumentSpine& document, TOutput& output);

// Information: "Labeled &Molecule" (40): parses the text, then the report.
TCommandOutcome RunLabeledMolecule(TCommandRun& run);
