// The lookup of an exceptional atom in the table of hyperbolic atoms.
//
// An exceptional atom is a piece of a spine that the moves could not cut
// further. Its spine is compared with the records of the internal table of
// atoms; when one matches, the atom receives the record's key (its triple)
// and its boundary tori are read in the record's coordinates.
#pragma once

#include "model/object_header.h"

// 1 when the atom (a molecule vertex of atom type 4 whose mark word holds
// its spine) matches a record of the table; its key and the gluings of its
// edges are then set. 0, nothing changed, when no record matches.
int RecognizeByTable(TObjectHeader* atom);
