// The special spine of a crystallization.
#pragma once

#include "foundation/int_matrix.h"
#include "model/complex.h"
#include "model/spine.h"

// Fills an empty complex with the 2-complex of the coloured graph of a code
// (w rows, n columns, rows permutations of 0..n-1): the 2n vertices (vertex
// 2i + 1 and 2i + 2 for letter i), one edge per coloured graph edge and one
// cell per bicoloured cycle. Edges run from the odd-numbered to the
// even-numbered vertex; edge n*j + i + 1 has colour j and leaves vertex
// 2i + 1, so the edge at slot c of every vertex has colour c. Cells come pair
// of colours by pair (k < l), each cycle from its lowest odd-numbered vertex,
// colour k along its edge first. Unless SuppressObjectNames is set, edges are
// named "v%dv%d" after their ends, an edge parallel to one of a lower colour
// "v%dv%d_%u" with its colour, and cells "Colors%u&%u #%u" (colours counted
// from 1, cycles of the pair from 1). The manager's creation tag becomes 1.
// Cost O(w^2 n).
void BuildCrystallizationCells(TComplex& complex, const TIntMatrix& graph);

// Empties a non-empty spine, fills it with BuildCrystallizationCells and marks
// it as built from a crystallization (source kind 6).
void BuildCrystallizationSpine(TSpine& spine, const TIntMatrix& graph);
