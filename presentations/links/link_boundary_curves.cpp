// Coordinate curves on the boundary tori of a link exterior.
//
// An unframed component of a plane diagram keeps a torus boundary. Its
// meridian and its longitude (the curve parallel to the component with
// linking number 0 with it) are recorded as integer weights on the edges of
// that torus: label 0 carries the meridian, label 1 the longitude.
//
// The blackboard longitude runs along the component on the walls: it passes
// every arc once (label 1 on the torus side of each arc's first edge) and
// every crossing once (the side of the crossing edge that the torus meets).
// It differs from the true longitude by the writhe w of the component, so one
// meridian loop is added -w times at the first place where the component
// comes up from under a crossing: there the meridian crosses the arc's two
// edges and the crossing's edge, and the longitude is corrected by w.
//
// Each curve is written on the side, among the three sides of the thick edge,
// that lies on a torus other than the two spheres above and below the
// diagram (the boundary surfaces of the outer region's two copies).
#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "presentations/links/link.h"
#include "presentations/links/link_crossing.h"

namespace {

class TCurveMarker {
 public:
  TCurveMarker(TSpine& spine, TComplex* above, TComplex* below) : spine_(spine), above_(above), below_(below) {}

  // The side of the edge's thick edge, in order 0, 1, 2, that lies on a
  // torus other than the outer spheres and whose cells at places 0 and 1 of
  // its cell list are the same (same = 1) or differ (same = 0), or either
  // (same = -1); null when none.
  THandle MarkedSide(TObjectHeader* edge, int same = -1) const {
    THandle thick = ThickEdgeOfEdge(edge);
    if (!thick.IsValid()) return THandle();
    for (int k = 0; k < 3; ++k) {
      THandle side = TThickEdge::Side(thick, k);
      if (!side.IsValid()) continue;
      TComplex* surface = spine_.BoundarySurfaceOf(side);
      if (surface == nullptr || surface == above_ || surface == below_) continue;
      if (spine_.BoundarySurfaceClass(surface) != 2) continue;
      if (same >= 0) {
        bool equal = TEdge::CellAt(side, 0).Object() == TEdge::CellAt(side, 1).Object();
        if (equal != (same == 1)) continue;
      }
      return side;
    }
    return THandle();
  }

  void AddToLabels(const THandle& side, int meridian, int longitude, int component) {
    if (!side.IsValid()) return;
    int labels[4];
    TEdge::LabelsAreZero(side, labels);
    labels[0] += meridian;
    labels[1] += longitude;
    TEdge::SetLabels(side, labels, 1);
    spine_.FirstMoleculeEdgeObject(spine_.BoundarySurfaceOf(side), component + 1);
  }

 private:
  TSpine& spine_;
  TComplex* above_;
  TComplex* below_;
};

}  // namespace

void TLink::MarkBoundaryCurves(TSpine& spine, std::vector<TCrossing>& records, int lastRegionCell) {
  bool open = false;
  for (const TLinkFraming& f : framings) open |= f.p == 0 && f.q == 0;
  if (!open) return;
  // A spine that does not thicken gets no curves.
  if (spine.Thicken(1) == 0) return;

  THandle outer(spine.Objects().FindByNumber(kCellKind, lastRegionCell));
  THandle thickOuter = ThickCellOfCell(spine, outer);
  TComplex* above = spine.BoundarySurfaceOf(TThickCell::Part(thickOuter, 2));
  TComplex* below = spine.BoundarySurfaceOf(TThickCell::Part(thickOuter, 3));
  if (above != nullptr && spine.BoundarySurfaceClass(above) == 2) {
    spine.FirstMoleculeEdgeObject(above, componentCount + 1);
    spine.FirstMoleculeEdgeObject(below, componentCount + 2);
  }
  TCurveMarker marker(spine, above, below);
  int n = crossingCount;

  // The blackboard longitudes: every arc and every crossing once.
  for (int arc = 0; arc < 2 * n; ++arc) {
    THandle side = marker.MarkedSide(EdgeOf(spine, 2, arc, 0));
    if (side.IsValid()) TEdge::SetLabel(side, 1, 1);
  }
  // At a crossing the longitude of the over strand passes below it, along
  // crossing edge 3: the crossing cell's last passage. (A filling of the
  // under strand's component adds passages before it; a filling of the over
  // strand's own component cuts it, but then that component has no torus.)
  for (int x = 1; x <= n; ++x) {
    THandle cell = records[static_cast<std::size_t>(x - 1)].Cell();
    int length = TCell::BoundaryLength(cell);
    if (length < 4) continue;
    THandle side = marker.MarkedSide(TCell::EdgeAt(cell, length - 1));
    if (side.IsValid()) TEdge::SetLabel(side, 1, 1);
  }

  // The meridians, and the longitudes corrected by the writhe.
  int base = 0;
  for (int i = 0; i < componentCount; ++i) {
    int begin = componentStart[static_cast<std::size_t>(i)];
    int length = componentStart[static_cast<std::size_t>(i) + 1] - begin;
    const TLinkFraming& f = framings[static_cast<std::size_t>(i)];
    if (f.p != 0 || f.q != 0) {
      base += length;
      continue;
    }
    int w = ComponentWrithe(i);
    int pos = -1;
    for (int k = 0; k < length && pos < 0; ++k) {
      const TLinkCodeEntry& here = entries[static_cast<std::size_t>(begin + k)];
      const TLinkCodeEntry& next = entries[static_cast<std::size_t>(begin + (k + 1) % length)];
      if (here.number < 0 && next.number > 0) pos = k;
    }
    if (pos < 0) {
      base += length;
      continue;
    }
    int arc = base + pos;
    marker.AddToLabels(marker.MarkedSide(EdgeOf(spine, 2, arc, 0)), 1, w, i);
    marker.AddToLabels(marker.MarkedSide(EdgeOf(spine, 1, arc, 0)), -1, -w, i);

    int x = -entries[static_cast<std::size_t>(begin + pos)].number;
    THandle cell = records[static_cast<std::size_t>(x - 1)].Cell();
    int positive = CrossingSign(x) > 0 ? 1 : 0;
    auto setCrossingLabels = [&](const THandle& side) {
      if (!side.IsValid()) return;
      int labels[4];
      TEdge::LabelsAreZero(side, labels);
      labels[0] = positive ? -1 : 1;
      labels[1] = positive ? -w : w;
      TEdge::SetLabels(side, labels, 1);
    };
    // The meridian passes below the crossing along crossing edge 1, which no
    // filling has cut: its under strand is this unframed component.
    setCrossingLabels(marker.MarkedSide(TCell::EdgeAt(cell, 1)));
    base += length;
  }
}
