// The 2-cells of the special spine of a link exterior, as words in the
// numbered edges of TLink::EdgeNumber.
//
// The exterior of a link diagram in the plane (or in a thickened torus or
// Klein bottle) has a special spine made of four families of 2-cells: under
// every stretch of an over strand a vertical wall (over cells), the same
// below every stretch of an under strand, reaching down to the crossings it
// passes under (under cells), one small square per crossing (crossing cells),
// and one horizontal cell per region of the diagram (region cells). Each arc
// of the diagram carries two parallel edges, the first on the over and under
// walls, the second shared with the regions; each crossing four edges.
//
// The words are computed from the code and the diagram records alone, so the
// sign check of surface diagrams can trace the regions without building a
// spine, and the spine builders only turn words into cells.
#pragma once

#include <vector>

#include "presentations/links/link.h"
#include "presentations/links/link_crossing.h"

struct TLinkPassage {
  int edge = 0;       // edge number 1..TLink::EdgeCount()
  int direction = 1;  // 1 along the edge, 2 against it
};
using TLinkWord = std::vector<TLinkPassage>;

// The over cells (cut at over passages, and on a surface also at the points
// where a strand comes back into the square) and the under cells (cut at
// under passages and re-entry points), appended in component order.
void LinkOverCellWords(const TLink& link, std::vector<TLinkWord>& cells);
void LinkUnderCellWords(const TLink& link, std::vector<TLinkWord>& cells);
// One cell per crossing: crossing edges 0, 1, 2 along and 3 against.
void LinkCrossingCellWords(const TLink& link, std::vector<TLinkWord>& cells);

// Traces the regions of the diagram from its records: every arc side not yet
// bounded by a region starts a walk that turns at each record by the
// crossing's sign until it comes back. Appends one word per region. Returns 1
// when every walk closed without passing an arc side twice, 0 when the signs
// do not fit the code (some walk lost its way); the words are then partial.
int TraceLinkRegions(const TLink& link, const std::vector<TCrossing>& records,
                     std::vector<TLinkWord>& regions);
