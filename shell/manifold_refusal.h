// The refusal of the commands that report on the manifold when the document's
// complex does not thicken.
//
// Every text that no other notation reads is taken as a cell presentation, so
// "hello world" is a complex too: one cell glued along a word. The manifold
// of a spine is its thickening, and the thickening is built for special
// spines (every vertex of valency 4, every edge on three sheets of cells);
// a complex that does not thicken gives no manifold to report on. The
// reports of such a complex still say what can be said of the complex itself
// (the homology group of a 2-complex is that of its cell structure), but
// they say that it does not thicken, and the command counts as refused.
#pragma once

#include "shell/document_commands.h"

// Whether the run's spine is not empty and its parse could not thicken it.
// Only the parse counts: a spine changed by moves afterwards keeps or drops
// its thickening by the moves' own rules.
bool ThickeningFailed(TCommandRun& run);

// When ThickeningFailed: appends the note (that the complex does not thicken,
// and the thickening's message) to the output and returns true; otherwise
// returns false and changes nothing.
bool NoteWithoutManifold(TCommandRun& run);
