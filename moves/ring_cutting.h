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
struct TIntQuad;
struct TObjectHeader;

// 0 none, 1 annulus, 2 Moebius band; the positions of the two passages of
// the edge (when given) for the first qualifying position of the boundary.
int TestRingCutting(TSpine& spine, int cellPosition, int* first, int* second);

// Gives the tori on the strip's two copies (a thick cell of the spine, a
// quadrangle whose end sides are one piece of the valency-2 edge) the bases
// (section, fibre) of the pair of pants x S^1 that the cut will remove, in
// labels 0 and 1, so that what survives of them on the new tori is again a
// basis there, and writes the changes of basis from the old labels to the
// new ones into m1 (part 2's torus) and m2 (part 3's, when it is another).
// 1 both copies on one torus (the cut splits it in two), 2 on two tori (the
// cut unites them), 3 both on one torus with the band glued with a twist (one
// torus is left; the piece is the Mobius atom, m1 its change of basis on the
// old torus, and the new torus gets (section, fibre) in labels 0 and 1); 0
// when the strip is not of that shape or a torus carries no basis. Labels
// may have changed even on 0: the caller works under a rollback.
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
