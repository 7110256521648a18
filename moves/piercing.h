// Piercing (move types 6 and 7): drilling a hole through a 2-cell of a
// thickened spine whose two sides lie on a boundary sphere.
//
// A cell whose "+" and "-" copies lie on different boundary surfaces, one of
// them a sphere, can be pierced without changing the manifold (delicate
// piercing): the hole joins the sphere to the other surface, a connected sum
// with a ball. When both copies lie on one sphere the hole is a tunnel from
// the sphere back to itself (crude piercing): the sphere becomes a torus, and
// the manifold loses a solid torus, which the spine's labeled molecule
// records, with the tunnel's meridian and a longitude as its coordinates.
// Crude piercing of a rational homology sphere therefore gives b_1 = 1.
//
// The hole is made by growing an antenna E into the cell from the corner
// before passage 0, cutting a small disc at the antenna's tip off by a loop
// and removing that disc with its thick cell.
#pragma once

class TComplex;
class TSpine;
class TString;
struct TObjectHeader;

// 0 none, 1 delicate, 2 crude: a cell attached at a vertex is delicate when
// its thick cell and both copies' surfaces exist; a cell with a free arc is
// never pierced; otherwise the classes of the surfaces of the two copies
// decide (see above).
int ClassifyPiercing(TSpine& spine, TObjectHeader* cell);

// PierceCell for the moves that pierce as part of their own work: their own
// move word stays, and nothing is logged or reported.
int PierceCellQuietly(TSpine& spine, int cellPosition);

// 276 (class 1) or 277 with the cell name; nothing in quiet mode.
void ReportPiercing(TString& text, int piercingClass, const char* cellName);

// Coordinates on a torus made by crude piercing: every label of the surface
// cleared, label 0 of the edge (a loop: the meridian) set to 1, and label 1
// along a closed path from the loop's vertex through the other edges (a
// longitude), +1 or -1 by the direction walked.
void SetPiercingCoordinates(TComplex& surface, TObjectHeader* edge);
