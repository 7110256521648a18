// Bipass moves (move types 13 and 14) on a thickened special spine.
//
// A 2-cell whose boundary passes an edge of valency 3 twice, once along and
// once against, meets that edge from both sides: the edge is a chord of the
// cell's disc. When the side of the edge's thick edge that the cell's "+"
// (or "-") copy passes twice bounds, on its boundary surface, a curve through
// the side alone, the chord leans to that side. Three chords side by side,
// all leaning to the same side, with true vertices of the spine inside the
// chords and between them, cut off a triangle of the cell that can be pushed
// across to that side: the triple bipass adds a new 2-cell along the triangle
// joining the chords' midpoints, which splits the boundary surface there and
// leaves a sphere, through which a neighbouring cell is then pierced
// delicately (a connected sum with a ball, so the manifold stays).
//
// The double bipass (two chords) keeps its type and text, but no pair of
// chords ever qualifies for it: type 13 is never found, listed or performed.
//
// Gate: the whole-spine finder works only while the view's spine is
// orientable (CurrentSpineIsOrientable); the per-cell classifier does not ask.
// Cost: the classification of a cell of boundary length L makes O(L) path
// searches on the surfaces for the candidates and O(n^3) triples over the n
// candidate chords kept (each with up to three path searches).
#pragma once

class TSpine;
class TString;
class TComplex;
struct TObjectHeader;

// 0 none, 1 and 2 double bipass (never given), 3 triple bipass; for class 3
// the first boundary positions of the three chords (ascending) when asked.
int ClassifyBipass(TSpine& spine, TObjectHeader* cell, int* first = nullptr, int* second = nullptr,
                   int* third = nullptr);

// The pair test of a double bipass: 0 for every pair of side edges.
int DoubleBipassEnabled(const TObjectHeader* sideA, const TObjectHeader* sideB);

// 1 when the three chord edges of the cell lie side by side (or the first
// around the other two) with a true vertex inside some chord and two or
// more in some gap between them.
int ArrangeBipassChords(const TObjectHeader* cell, const TObjectHeader* a, const TObjectHeader* b,
                        const TObjectHeader* c);

// The rebuild of a triple bipass at the three chord positions of the cell's
// thick cell; 1, or 0 when a primitive refused (the spine is then left half
// rebuilt: callers restore it).
int TripleBipass(TSpine& spine, TObjectHeader* cell, int p, int q, int r);

// Pierces delicately, without report, the cell next to the boundary surface
// (through its copy there) whose spine cell has the most distinct boundary
// vertices, more than the new thick cell's; nothing when no cell qualifies.
// 1 when a cell was pierced.
int PierceLongestAdjacentCell(TSpine& spine, TComplex* surface, TObjectHeader* newThickCell);

// 291 for class 3 and 290 otherwise, with the cell's name; nothing in quiet mode.
void ReportBipass(TString& text, const char* cellName, int bipassClass);
