// The "Graph Code" command: the graph parts of every component of the spine.
#pragma once

#include "foundation/output.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"

// A line end, the connectedness line, then per component (headed "Component
// n" after a tab when the spine is not connected) its free edges and isolated
// vertices (PrintGraphParts; a line saying there are none when it has
// neither), two line ends between components and a final
// line end. An empty spine gives the empty-spine report and 0; otherwise 1.
int PrintGraphCode(TDocumentSpine& document, TOutput& output);

// Information: "&Graph Code" (32): parses the text, then the report.
TCommandOutcome RunGraphCode(TCommandRun& run);
