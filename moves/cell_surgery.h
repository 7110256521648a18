// Two surgeries on the 2-cells of a complex that the builders use to cut a
// spine into the shape they need: putting a new vertex in the middle of an
// edge, and splitting a cell in two along a new edge.
//
// Both work on any complex (a spine or a boundary surface) and take the cell
// as a raw object pointer. They check their arguments and change nothing
// when a check fails.
#pragma once

class TComplex;
struct TObjectHeader;

// Subdivides the edge e of passage i of the cell by a new middle vertex m:
// creates, in this order, m, an edge e1 from e's end 1 to m and an edge e2
// from m to e's end 2 (both with e's labels), and replaces every passage of e,
// first in this cell and then in every other cell along e, by two passages
// (e1 then e2 along e, e2 then e1 against it); e leaves the complex. Of the
// two passages that replace one, the first ends at m and the second starts
// there. The trackers p and q (optional) keep pointing at the same passages;
// when both point at passages of e the later one moves on to the second of
// its two, and when both equal i, q does.
// Returns 1, or 0 when the cell is no cell with a boundary word of the
// complex or i, p or q is not below its boundary length.
int RemoveCellEdge(TComplex& complex, TObjectHeader* cell, int i, int* p = nullptr, int* q = nullptr);

// Splits the cell along a new edge f from the vertex at which passage a ends
// to the vertex at which passage b starts: the first new cell has the word f
// along, then passages b, b + 1, ..., a; the second f against, then passages
// a + 1, ..., b - 1 (positions cyclic, each with its direction). Both new
// cells join the complex and the old cell leaves it; both begin with f.
// Returns 1 with the new cells in first and second (when given), or 0 when
// the cell is no cell with a boundary word of the complex or a or b is not
// below its boundary length.
int SplitCellByEdge(TComplex& complex, TObjectHeader* cell, int a, int b, TObjectHeader** first = nullptr,
                    TObjectHeader** second = nullptr);
