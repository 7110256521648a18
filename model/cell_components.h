// The 2-cells of a complex grouped into connected components.
//
// Two cells belong to one component when a chain of cells leads from one to
// the other, each meeting the next along an edge (cells that share only a
// vertex do not meet). The spine splits itself into a chain of spines by this
// grouping, the thickening splits its boundary into surfaces, and a few
// engines test connectedness.
//
// Cost: linear in the total length of the boundary words and of the edges'
// cell lists (each edge's list is walked once), with hash sets for what has
// been seen. The temporary lists live in a private heap of their own that is
// destroyed at the end; only the result is made in the caller's heap. Both
// groupings poll the stop flag and throw TComputationStopped; the out list is
// then untouched.
#pragma once

#include "model/complex.h"
#include "model/object_list.h"

class TCellWordList;

// Partitions the cells of the complex into connected components. Returns 1
// when there is exactly one component, 0 for none or several. When an out
// list is given it is cleared and, when there is a component, receives one
// counted list of cells per component, the components in the order in which
// their first cells occur in the complex.
int CellComponents(TComplex& complex, TCellWordList* out);

// The component of a cell as a new counted list of cells: the cell, then
// breadth first the cells around each edge of each listed cell's boundary, in
// word order and in each edge's order, each cell once.
TObjectList CellComponentClosure(const TObjectHeader* cell);

// 1 when one of the words of the list holds the cell.
int CellListsContain(const TCellWordList& lists, const TObjectHeader* cell);
