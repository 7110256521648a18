// Counterpass (move type 11): a 2-cell C of a thickened spine that passes one
// of its edges e twice, at positions that are not neighbours, holds a chord
// f from the middle of e back to itself (after subdividing e), and f cuts C
// into two cells H and E2.
//
// Kind 1: the passages run opposite ways and on one side (the "+" or the "-"
// copy) both run along the same side r of e's thick edge, a bridge of the
// boundary surface's 1-skeleton (on a sphere every such edge does). The copy
// of f on that side is a loop Q through the middle of r, and because r is a
// bridge, Q separates its surface; on a torus or a sphere a separating loop
// bounds a disc. So f bounds a disc in the manifold parallel to that one; the
// move adds it as a new cell N along f (cell_growth.h). The complement of the new spine then
// has one more component, a ball between N and the disc, so the surface
// splits off a new sphere, and a delicate piercing of H or E2 (the cells
// between the new sphere and the old surface) removes the ball again: the
// manifold and H_1 are unchanged, while the cell's self-contact along e is
// replaced by one along f, which later collapsings and reductions simplify.
//
// Kind 2: the passages run the same way along an edge of valency 2 whose two
// sides close up to no curve avoiding each other: splitting the thick cell
// between the passages and reuniting the pieces across the subdivided edge
// (SplitAndReuniteAtDoubleEdge) turns it into kind 1 on the "+" side.
//
// Kind 3: an edge passed three times, once against the other two, on an
// orientable spine. One side of its thick edge (V) has the "+" copy on both
// sides, one (M) the "-" copy; when one of them is a bridge of its surface
// the kind-1 rebuild applies on that side. Otherwise every passage of e
// becomes a run of five edges, four chords cut the thick cell, and one new
// cell along the four chords closes the gap they leave; kind 4 (three
// passages the same way, at vertices of special spines) does the same with
// runs of three edges and two chords. In both a delicate piercing of one of
// the pieces follows, and the labels of the side that the new cell replaces
// move to its copy.
//
// Cost: the test walks the cell's boundary and runs one path search in a
// boundary surface per candidate position: linear in the cell and the
// surface. The move costs a copy of the spine for the rollback plus work
// linear in the cell.
#pragma once

class TSpine;
class TString;
struct TObjectHeader;

// The kind of counterpass at the first qualifying position of the cell's
// boundary, with its side (2 the "+" copy, 3 the "-" copy, 0 for kinds 3 and
// 4) and position (-1 for none). Kinds 2, 3 and 4 need an orientable spine.
// 0 when none qualifies, the cell is no type-1 cell with a thick cell, or the
// spine is not thickened.
int ClassifyCounterpass(TSpine& spine, int cellPosition, int* side, int* position);

// Message 285 with the cell name; nothing in quiet mode.
void ReportCounterpass(TString& text, const char* cellName);
