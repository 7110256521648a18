// Gluing the square of a torus or Klein bottle diagram.
//
// The exterior spine of a diagram in the square is built like a plane one,
// with each side point carrying two short edges (the ends of the over and
// under walls where the strand leaves the square) and each boundary segment
// of the square one edge on its region. Gluing the square's sides in pairs,
// left to right and top to bottom, keeping or reversing the point numbers as
// the surface demands, merges these edges with their partners: the walls
// continue across the side and the regions meet. Each merge replaces an edge
// by its partner in the edge's only cell (reversed where the pair reverses
// the numbering). The edges of valency two that remain are removed by the
// cell reductions afterwards, and the result must be special.
#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "presentations/links/link.h"

void TLink::MergeSurfaceSides(TComplex& complex) const {
  int last = RecordCount() - 1;
  auto merge = [&](int firstEdge, int secondEdge, int orientation) {
    TObjectHeader* a = complex.Objects().FindByNumber(kEdgeKind, firstEdge);
    TObjectHeader* b = complex.Objects().FindByNumber(kEdgeKind, secondEdge);
    if (a == nullptr || b == nullptr || a == b) return;
    THandle cell = TEdge::CellAt(a, 0);
    if (cell.IsValid()) TCell::ReplaceEdge(cell, a, b, orientation);
  };
  // The segment that arrives at a boundary record leaves the one before it
  // (corner 0 follows the last record).
  auto arriving = [&](int record) { return EdgeNumber(6, record == crossingCount ? last : record - 1, 0); };
  for (int pair = 0; pair < 2; ++pair) {
    int first = 0;
    int second = 0;
    SidesOfPair(pair, first, second);
    int o = PairOrientation(pair);
    int orientation = o < 0 ? 2 : 1;
    int m = static_cast<int>(sideMax[first]);
    TLinkCodeEntry corner1{3, 0, first};
    TLinkCodeEntry corner2{3, 0, second};
    TLinkCodeEntry cornerAfter2{3, 0, (second + 1) % 4};
    int partnerSegment =
        o > 0 ? EdgeNumber(6, RecordIndex(corner2), 0) : arriving(RecordIndex(cornerAfter2));
    merge(EdgeNumber(6, RecordIndex(corner1), 0), partnerSegment, orientation);
    for (int j = 1; j <= m; ++j) {
      int k = o < 0 ? m - j + 1 : j;
      int point = SidePointSerial(first, j);
      int partner = SidePointSerial(second, k);
      TLinkCodeEntry here{2, j, first};
      TLinkCodeEntry there{2, k, second};
      merge(EdgeNumber(4, point, 0), EdgeNumber(o < 0 ? 4 : 3, partner, 0), orientation);
      merge(EdgeNumber(3, point, 0), EdgeNumber(o < 0 ? 3 : 4, partner, 0), orientation);
      merge(EdgeNumber(6, RecordIndex(here), 0),
            o < 0 ? arriving(RecordIndex(there)) : EdgeNumber(6, RecordIndex(there), 0), orientation);
    }
  }
}
