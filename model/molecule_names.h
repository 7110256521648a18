// Display names of atoms and molecule edges.
//
// An atom is named after its type and a number ("Solid torus 2", "Exceptional
// vertex 1"), a molecule edge likewise ("Edge 3", "Virtual edge1"); the
// formats and the type names are texts of the string table.
#pragma once

#include "foundation/heap_string.h"

// The name of an atom of type 1..7 with the number; empty for another type.
TString AtomName(int type, int number);
// The name of a true (1) or virtual (2) edge with the number; empty otherwise.
TString MoleculeEdgeName(int type, int number);

// The type names: "Solid torus", "Mobius", ... for atom types 1..7, "True
// edge" and "Virtual edge" for edge types 1 and 2; "" for another type.
const char* AtomTypeName(int type);
const char* MoleculeEdgeTypeName(int type);
