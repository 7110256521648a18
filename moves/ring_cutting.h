// Cutting out a ring (move type 9): a 2-cell of a thickened spine that meets
// itself along an edge e of valency 2, both of whose sides lie on boundary
// tori, contains an arc from e back to e. When the two passages of e run
// opposite ways and the copies of e on the tori close up to curves there, the
// arc is the core of an annulus joining the two tori through the cell: a
// proper annulus of the manifold. When they run the same way the arc closes
// to a Moebius band. Cutting along it splits off a Seifert piece (a triple
// atom over the pair of pants, or a Moebius atom), which the labeled molecule
// records.
#pragma once

class TSpine;

// 0 none, 1 annulus, 2 Moebius band; the positions of the two passages of
// the edge (when given) for the first qualifying position of the boundary.
int TestRingCutting(TSpine& spine, int cellPosition, int* first, int* second);

// Re-bases the coordinates of the tori on the strip's two copies so that the
// strip's boundary curves become basis curves, and writes the gluing from the
// new to the old basis of part 2's torus into m1 (and of part 3's into m2
// when both copies lie on one torus). 1 both copies on one torus; 2 or 3 on
// two tori (3 when the curves met by the strip carry equal first labels).
struct TIntQuad;
class TComplex;
struct TObjectHeader;
int SetRingCuttingCoordinates(TSpine& spine, TObjectHeader* strip, TIntQuad& m1, TIntQuad& m2);

// An edge of valency 2 passed twice the same way by the thick cell's cell
// (at position a and one other): splitting the thick cell between the two
// passages and uniting the pieces across the second half of the subdivided
// edge gives a cell that passes the first half twice in opposite directions;
// thick becomes the united thick cell, p and q those two positions. 1, or 0
// when the edge does not fit (nothing changed) or a primitive refused.
class THandle;
int SplitAndReuniteAtDoubleEdge(TSpine& spine, THandle& thick, int a, int& p, int& q);

// 282 to 284 with the cell name; nothing in quiet mode.
class TString;
void ReportRingCutting(TString& text, int messageId, const char* cellName);
