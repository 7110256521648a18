// Labels of the new boundary edges of a rebuild. See polygon_labels.h.
//
// Orientations. The new edge N runs from V1 (its end 1) to V2. B is the edge
// at V1 and A the one at V2. B's flow is read towards V1 (so along N it is
// continued): B's orientation is 1 when B ends at V1 and its labels are taken
// as they are, else they are negated. A's flow is read away from V2, so A's
// orientation is 1 when A starts at V2.
#include "moves/polygon_labels.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/handle.h"

namespace {

std::int32_t Narrow(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
    throw Out_of_Range();
  return static_cast<std::int32_t>(value);
}

// Adds the extra edge's labels to the flow, negated when the extra edge's
// orientation at the vertex equals that of the edge it is added to.
void AddExtra(std::int64_t flow[4], const TObjectHeader* extra, int extraOrientation, int orientation) {
  int values[4];
  if (extra == nullptr || TEdge::LabelsAreZero(extra, values)) return;
  for (int i = 0; i < 4; ++i) flow[i] += extraOrientation == orientation ? -values[i] : values[i];
}

}  // namespace

int MergeRebuildLabel(int before, int after) {
  if (before == 0 || after == 0 || (before > 0) != (after > 0)) return 0;
  return std::abs(static_cast<long long>(before)) <= std::abs(static_cast<long long>(after)) ? before : after;
}

void PolygonRebuildHelper(TObjectHeader* before, TObjectHeader* newEdge, TObjectHeader* after,
                          TObjectHeader* extraFirst, TObjectHeader* extraSecond) {
  if (TEdge::Of(before) == nullptr || TEdge::Of(newEdge) == nullptr || TEdge::Of(after) == nullptr) return;
  if (TEdge::IsLoop(before) || TEdge::IsLoop(newEdge) || TEdge::IsLoop(after)) return;
  TObjectHeader* v1 = TEdge::End(newEdge, 1).Object();
  TObjectHeader* v2 = TEdge::End(newEdge, 2).Object();
  if (TEdge::HasEnd(after, v1)) std::swap(before, after);
  if (extraFirst != nullptr && extraSecond != nullptr && !TEdge::HasEnd(extraFirst, v1))
    std::swap(extraFirst, extraSecond);
  int orientationB = TEdge::End(before, 2).Object() == v1 ? 1 : 2;
  int orientationA = TEdge::End(after, 1).Object() == v2 ? 1 : 2;
  std::int64_t b[4];
  std::int64_t a[4];
  for (int i = 0; i < 4; ++i) {
    b[i] = TEdge::Label(before, i);
    a[i] = TEdge::Label(after, i);
  }
  AddExtra(b, extraFirst, TEdge::EndNumber(extraFirst, v1) == 1 ? 1 : 2, orientationB);
  AddExtra(a, extraSecond, TEdge::End(extraSecond, 2).Object() == v2 ? 1 : 2, orientationA);
  int result[4];
  for (int i = 0; i < 4; ++i) {
    std::int32_t flowB = Narrow(orientationB == 2 ? -b[i] : b[i]);
    std::int32_t flowA = Narrow(orientationA == 2 ? -a[i] : a[i]);
    result[i] = MergeRebuildLabel(flowB, flowA);
  }
  TEdge::SetLabels(newEdge, result, 1);
}

void PolygonRebuildTail(TObjectHeader* const j[4], TObjectHeader* const e[4]) {
  for (int i = 0; i < 4; ++i)
    if (TEdge::Of(j[i]) == nullptr || TEdge::Of(e[i]) == nullptr) return;
  TObjectHeader* p1 = TEdge::End(e[0], 1).Object();
  TObjectHeader* p2 = TEdge::End(e[0], 2).Object();
  TObjectHeader* p3 = TEdge::End(e[2], 1).Object();
  TObjectHeader* p4 = TEdge::End(e[2], 2).Object();
  int sign = 1;
  if (!TEdge::HasEnd(e[1], p2)) {
    std::swap(p1, p2);
    sign = 2;
  }
  if (!TEdge::HasEnd(e[1], p3)) std::swap(p3, p4);
  PolygonRebuildHelper(j[0], e[0], j[1], e[3], e[1]);
  PolygonRebuildHelper(j[1], e[1], j[2], e[0], e[2]);
  PolygonRebuildHelper(j[2], e[2], j[3], e[1], e[3]);
  PolygonRebuildHelper(j[3], e[3], j[0], e[2], e[0]);
  int imbalance[4];
  if (!VertexLabelBalance(p1, imbalance)) {
    TEdge::AddLabels(e[0], imbalance, sign);
    TEdge::AddLabels(e[1], imbalance, TEdge::End(e[1], 2).Object() == p3 ? 1 : 2);
  }
  if (!VertexLabelBalance(p4, imbalance)) {
    TEdge::AddLabels(e[3], imbalance, TEdge::End(e[3], 1).Object() == p4 ? 1 : 2);
    TEdge::AddLabels(e[0], imbalance, 1);
  }
}
