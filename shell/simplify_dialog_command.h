// Sorvelin: "&Dialog...\tF8" (54) on the command line: the Simplify dialog's
// list of moves as text, and the moves of chosen entries made in turn.
// The body lives with the moves (moves/simplify_dialog_command.cpp).
#pragma once

#include <string>
#include <vector>

#include "shell/document_commands.h"

// Without entries: the numbered list of the current component, one line per
// move and cell as the dialog shows it, the default entry marked with '*',
// then the default button's text. With entries (numbers from 1, as the user
// wrote them): each entry is made on the list as it stands after the move
// before it; the move reports and the resulting spine are printed. A number
// that is not in the list, an entry without a move, or a refused move refuse
// the command with a message naming the entry; the document stays as it was.
// The entry "tori" presses the search for normal tori: each torus found is
// added to the list (the search ends when none is left or after
// NormalSurfacesSearchLimit visited vectors); when it is the last entry the
// list is printed instead of the spine.
TCommandOutcome RunSimplifyDialog(TCommandRun& run, const std::vector<std::string>& perform);
inline TCommandOutcome RunSimplifyDialogList(TCommandRun& run) { return RunSimplifyDialog(run, {}); }
