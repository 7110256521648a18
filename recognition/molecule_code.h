// The compound code of a labeled molecule and the order of molecule vertices.
//
// A compound code (type 5) describes a graph manifold by the codes of its
// atoms and the graph that joins them. In the combinatorial form (mode 2)
// the code holds, behind its header, a table of 15 rows by n columns (row j
// holds word j, 12 to 26, of every vertex code, in the table's order) and
// then the edges as pairs of vertex numbers (1-based positions in that order,
// smaller first, the pairs sorted). The gluing matrices are left out: the
// code names the shape of the molecule, as the Seifert-atom code needs.
#pragma once

#include "model/object_table.h"
#include "recognition/piece_code.h"

// Mode 2 of the compound code: 18 + 2e + 15n words. Vertex codes are the
// pieces the vertices hold, or BuildPieceCode (vertex, 2). Word 13 counts the
// virtual atoms, word 16 the vertices, word 17 the edges; word 8 is set when
// some vertex code has a zero pair.
TPieceCode BuildMoleculeCode(const TObjectTable& molecule);

// Orders two molecule vertices (1 less, 2 equal, 3 greater): by their piece
// codes when both hold one; otherwise a table atom (type 4) is greater than
// any other atom and two table atoms go by their record index; a virtual atom
// is less than any other and two virtual atoms are equal; all other pairs by
// the codes BuildPieceCode (vertex, 1).
int CompareMoleculeVertices(const TObjectHeader* a, const TObjectHeader* b);
