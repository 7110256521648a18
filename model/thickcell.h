// Thick cells (kind 9): a 2-cell of a spine with its two parallel copies.
//
// In the regular neighbourhood of a spine each 2-cell C is thickened to
// C x [-1, 1]; its two faces C x {+1} and C x {-1} are cells of the boundary
// surfaces, the "+" copy and the "-" copy. Along each passage of C over an
// edge e, the "+" copy runs along the side of e's thick edge between C's wing
// and the wing on C's "+" side, the "-" copy along the side towards the third
// wing. Which neighbour lies on the "+" side is carried from passage to
// passage around the vertex between them: the vertex's link is the complete
// graph on its four edge ends, each cell corner an edge of that graph; the
// "+" side of C at the incoming edge is a triangle of the link bounded by
// C's corner, the corner of the "+" neighbour N and a third corner Y, and Y is
// then C's "+" neighbour at the outgoing edge.
//
// Going once around C brings the "+" side back either to itself, when C is
// two-sided (its copies close up separately), or to the "-" side, when the
// sheets along C's boundary come back with a twist: then the two copies form
// one cell of twice the length, and the spine has no thickening (a disc in a
// 3-manifold is always two-sided).
//
// Parts are addressed by number: 1 the spine cell, 2 the "+" copy, 3 the "-"
// copy. Operations take the thick cell as a raw object pointer and accept null
// or another kind. Internal errors name the source "thickcell".
#pragma once

#include <unordered_map>

#include "model/handle.h"
#include "model/object_list.h"
#include "model/thickedge.h"

class TComplex;
class TObjectManager;
class TObjectCorrespondence;

// The thick edge of each edge of a spine.
using TThickEdgeIndex = std::unordered_map<const TObjectHeader*, TObjectHeader*>;

struct TThickCell : TObjectHeader {
  THandle minusCopy;       // part 3
  THandle cell;            // part 1
  THandle plusCopy;        // part 2
  TObjectList thickEdges;  // counted; the thick edge of each passage, during construction only

  // The thick-cell data of a kind-9 object; null otherwise.
  static TThickCell* Of(const TObjectHeader* object);

  // Makes c part 1 (naming it and this thick cell alike, or numbering them
  // alike while names are suppressed), creates the two copies in the
  // thickening complex and records the thick edge of every passage. A cell
  // without boundary word is reported ("Cell %s has empty boundary curve"
  // under "Thicking error : ") and gives 0. With an index of the thick edge
  // of every edge, the thick edges are looked up there instead of searched
  // for among the spine's objects (a search that made thickening quadratic).
  static int Build(TObjectHeader* thickCell, TObjectHeader* cell, const TComplex& spine,
                   TComplex& thickening, const TThickEdgeIndex* index = nullptr);
  // Builds the boundary words of the two copies and adds them to the
  // thickening complex. 1 when the cell is two-sided; 0 when its sides cross
  // over (the copies then form one cell of twice the length, added alone) or
  // when a corner cannot be followed (reported).
  // With an index of the wings' passages (IndexWingPassages), no word is
  // searched.
  static int BuildAll(TObjectHeader* thickCell, TComplex& thickening,
                      const TWingPassages* wings = nullptr);

  // Part 1, 2 or 3; a null handle otherwise.
  static THandle Part(const TObjectHeader* thickCell, int n);
  // Names the object after the thick cell (part 1 its display name, 2 with
  // "+", 3 with "-") unless names are suppressed, and stores it as part n.
  static void NamePart(TObjectHeader* thickCell, TObjectHeader* object, int n);
  // Gives the thick cell and part 1 the number n; unless names are suppressed
  // renames the three parts after the thick cell.
  static void SetNumber(TObjectHeader* thickCell, int n);
  static int CellBoundaryLength(const TObjectHeader* thickCell);
  // The thick edge of the edge of passage i of part 1 (from the construction
  // list while it exists, else looked up).
  static THandle ThickEdgeAtPassage(const TObjectHeader* thickCell, int i);
  // TCell::RotateBoundary on all three parts; 1 when all three succeed.
  static int RotateParts(TObjectHeader* thickCell, int i, int reverse);

  // The wing position, at the thick edge of passage i, of the wing that is
  // passage i of part 1; -1 (an internal error) when there is none.
  static int PassagePosition(const TObjectHeader* thickCell, int i);
  // The wing position at passage i of the neighbour that continues the "+"
  // side around the vertex between passages i - 1 and i (passage n - 1 when i
  // is 0), given the positions h of this cell and l of its "+" neighbour at
  // passage i - 1; -1 with a message when the corners do not fit together.
  static int WalkBoundary(const TObjectHeader* thickCell, int i, int h, int l,
                          const TWingPassages* wings = nullptr);

  // Fills the target (a released copy): part 1 mapped through the spine's
  // correspondence, the copies through the boundary surfaces'.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TThickCellRelease(TObjectHeader* thickCell);
void TThickCellDestroy(TObjectHeader* thickCell);

// The wing position around e1 of the one cell whose boundary word, read in
// one of its two directions, passes e1 against d1 and right after that e2
// along d2 (the cell that turns the corner from e1 to e2). -1 with a message
// when there is none or more than one.
int CheckEdgeNeighbours(const TObjectHeader* e1, int d1, const TObjectHeader* e2, int d2,
                        const TWingPassages* wings = nullptr);

// The first kind-9 object of the manager whose part 1, 2 or 3 is the object;
// null when none.
THandle FindThickCellIn(const TObjectHeader* object, const TObjectManager& manager);
// The same in the complex's manager.
THandle ThickCellOfCell(const TComplex& complex, const TObjectHeader* object);
// First in the manager that holds the object, then in every registered manager.
THandle FindThickCellAnywhere(const TObjectHeader* object);
