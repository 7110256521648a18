// The commands that change the document's spine by moves and report the step
// at once, and the step header their reports share.
// The bodies live with the moves (moves/move_commands.cpp): the shell's
// command table only names them.
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

// The report composed in run.output as comment lines (with the labeled
// molecule once pieces were cut off), then the spine as a cell presentation.
void WriteMoveReportAndSpine(TCommandRun& run);

// Sorvelin: "Make Cell &Reductions" (53).
TCommandOutcome RunMakeCellReductions(TCommandRun& run);

// Gives the moves the settings they read (automatic collapsings and cell
// reductions, disabled surgeries, the quadrangle move's wider piercings) and
// fills the move order table once.
void PrepareMoves(const TOptionValues& options);

// One step of the moves on the component (or, with null, on each spine of
// the chain in turn until one moves). A step that moved raises the step
// counter; the view enters the transformed state; the step header follows
// (report type, step type, the counter, or the counter plus one when nothing
// moved, and the step's text, which is copied to text). Returns whether a
// move was made.
bool MakeOneStep(TCommandRun& run, int stepType, TSpine* component, std::string& text);

// Steps on each component of the chain in turn until none moves: "%u
// transformation(s) done" or "No transformation" (with "Cancelled by user"
// when stopped). Returns the number of transformations.
int MakeDefaultMoves(TCommandRun& run, std::string& text);

// The move commands compose their report (with OptionsOutputMoveList set,
// followed by the transformation list) as comment lines and then write the
// transformed spine as a cell presentation, so that what they print is a
// document of the spine they made.
// Sorvelin: "Make &One Step" (52); Debug: "&Step By Step" (75), with the
// consistency check after every logged move.
TCommandOutcome RunMakeOneStep(TCommandRun& run);
TCommandOutcome RunStepByStep(TCommandRun& run);
// Sorvelin: "Make D&efault Moves" (51); Debug: "&Go" (74), with the check.
TCommandOutcome RunMakeDefaultMoves(TCommandRun& run);
TCommandOutcome RunDebugGo(TCommandRun& run);
