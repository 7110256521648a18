// The commands that change the document's spine by moves and report the step
// at once, and the step header their reports share.
#pragma once

#include <string>

#include "foundation/output.h"
#include "shell/document_commands.h"

// The header of one step of the moves. With report type 1 (result only) and a
// step type other than 1 nothing is written. Otherwise "\t*** Step n ***"
// (unless step is -1), the text (when not empty), a line end each, and a
// blank line; with report type 3 (intermediate) also the boundary curves of
// the spine.
void PrintStepHeader(TCommandRun& run, int reportType, int stepType, long long step,
                     const std::string& text);

// The cell reductions of every spine of the chain (superfluous vertices and
// edges, needles). With reductions made the step counter grows and the view
// enters the transformed state. The count ("n reduction(s) done") is shown
// as the status and in the step header. Returns the number of reductions.
int MakeCellReductions(TCommandRun& run, std::string& text);

// Sorvelin: "Make Cell &Reductions" (53).
TCommandOutcome RunMakeCellReductions(TCommandRun& run);
