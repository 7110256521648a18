// The commands that compare and simplify spines by T-moves. The bodies live
// with the moves (moves/t_move_commands.cpp): the shell's command table only
// names them.
#pragma once

#include "shell/document_commands.h"

// The separator of the two polyhedra of a comparison document.
inline constexpr const char* kPolyhedraSeparator = "<->";

// Sorvelin: "&Simplify polyhedron via T-move" (55). The document's spine must
// be connected and special; the report gives the chain of moves to the
// simplest spine found within the limits of the options
// (`MaxAllVariantsTime` / 1000 spines when non-zero, `AllVariantsStepToMakeAll`
// layers).
TCommandOutcome RunTMoveSimplification(TCommandRun& run);
// Sorvelin: "&Compare polyhedra Via T-Move" (56). The document holds two
// polyhedra separated by "<->", each connected, special and of at least two
// vertices; the report says whether T-moves join them within
// `AllVariantsStepToMakeAll` layers.
TCommandOutcome RunTMoveComparison(TCommandRun& run);
