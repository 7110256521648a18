// Curve coordinates on edges.
//
// Closed curves drawn on a complex (the meridian and longitude of a boundary
// torus, the coordinate curves of a Dehn filling) are carried as integer
// weights on its edges: label i of an edge is the signed number of times curve
// i runs along it, positive along the edge's direction. The four labels are
// four integer 1-cycles on the graph of the complex. A cycle is closed at a
// vertex when the weights arriving there balance those leaving.
//
// Pushing a curve off an edge across a 2-cell C is the homology move: adding
// the boundary of C, with the multiplicity and sign of the edge's passage, to
// the cycle. The edge's weight becomes 0 and the cycle stays in its class.
//
// Labels are 32-bit; a sum that leaves the range throws Out_of_Range.
// The whole-complex loops (in complex.h) run over the edges in manager order.
#pragma once

#include "model/handle.h"

// For every edge at the vertex that is not a loop and has a non-zero label,
// adds its four labels to four sums with sign -1 when the edge starts at the
// vertex and +1 otherwise. Copies the sums to out when given. True when all
// four sums are 0 (every curve is closed at this vertex), also for a vertex
// with nothing to add; false for null.
bool VertexLabelBalance(const TObjectHeader* vertex, int out[4] = nullptr);

// Pushes the curves off the edge across the cell. When the edge's labels are
// all 0 (or the edge is null) returns 1 and changes nothing. Otherwise, with b
// the given passage of the edge in the cell's word (-1: its first passage) and
// s that passage's direction, the edge of every other passage receives the
// four labels, subtracted when its direction equals s and added otherwise;
// the edge's own labels become 0; returns 0. A passage index that does not
// hold the edge (or an edge the cell does not pass) changes nothing and gives 1.
int EdgeAddLabelsAroundCell(TObjectHeader* cell, TObjectHeader* edge, int passage);
