// Growing a new thick cell along a closed curve. See cell_growth.h.
#include "moves/cell_growth.h"

#include <unordered_map>
#include <unordered_set>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_kinds.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"

namespace {

bool StepFits(TSpine& spine, const TGrowthStep& step, const TComplex* surface) {
  THandle thick = ThickEdgeOfObject(spine, step.edge);
  if (!thick.IsValid() || !TThickEdge::Side(thick, 1).IsValid() || TThickEdge::Side(thick, 2).IsValid())
    return false;
  if (TThickEdge::SideIndex(thick, step.side) < 0 || spine.BoundarySurfaceOf(step.side) != surface) return false;
  return TEdge::Valency(step.side) == 2 && EdgePassageCount(step.inner, step.side) == 1;
}

}  // namespace

TObjectHeader* GrowCellAlongCurve(TSpine& spine, const std::vector<TGrowthStep>& curve) {
  if (curve.empty()) return nullptr;
  TComplex* surface = spine.BoundarySurfaceOf(curve[0].side);
  if (surface == nullptr) return nullptr;
  for (const TGrowthStep& step : curve)
    if (!StepFits(spine, step, surface)) return nullptr;
  TObjectManager& objects = surface->Objects();

  // The vertices of g on the inner side: one new vertex for each old one.
  std::unordered_map<const TObjectHeader*, THandle> innerVertex;
  auto twin = [&](const THandle& vertex) {
    THandle& slot = innerVertex[vertex.Object()];
    if (!slot.IsValid()) slot = THandle(objects.CreateObject(kVertexKind));
    return slot;
  };
  std::vector<THandle> parallel;
  std::unordered_set<const TObjectHeader*> onCurve;
  for (const TGrowthStep& step : curve) {
    THandle d(objects.CreateObject(kEdgeKind));
    TEdge::SetEndVertex(d, twin(TEdge::End(step.side, 1)), 1);
    TEdge::SetEndVertex(d, twin(TEdge::End(step.side, 2)), 2);
    parallel.push_back(d);
    onCurve.insert(step.side);
  }
  // The edges that leave g into the inner cells let go of g's vertices;
  // joining the inner cells' corners then hangs them on the new ones.
  std::vector<THandle> inner;
  for (std::size_t i = 0; i < curve.size(); ++i) {
    const TGrowthStep& step = curve[i];
    THandle cell(step.inner);
    const int length = TCell::BoundaryLength(cell);
    const int k = TCell::FindPassage(cell, step.side, -1, 0);
    const int d = TCell::DirectionAt(cell, k);
    int prevDirection = 1;
    int nextDirection = 1;
    THandle prev = TCell::PassageAt(cell, (k + length - 1) % length, &prevDirection);
    THandle next = TCell::PassageAt(cell, (k + 1) % length, &nextDirection);
    if (onCurve.count(prev.Object()) == 0) TEdge::DetachEnd(prev, 2, prevDirection);
    if (onCurve.count(next.Object()) == 0) TEdge::DetachEnd(next, 1, nextDirection);
    TCell::ReplacePassage(cell, k, parallel[i], d);
    inner.push_back(cell);
  }
  for (const THandle& cell : inner) TCell::JoinCorners(cell, objects);

  THandle spineCell(spine.Objects().CreateObject(kCellKind));
  THandle plusCell(objects.CreateObject(kCellKind));
  THandle minusCell(objects.CreateObject(kCellKind));
  for (std::size_t i = 0; i < curve.size(); ++i) {
    const TGrowthStep& step = curve[i];
    TCell::AppendPassage(spineCell, step.edge, step.direction);
    TCell::AppendPassage(plusCell, step.side, step.direction);
    TCell::AppendPassage(minusCell, parallel[i], step.direction);
    TThickEdge::AddSide(ThickEdgeOfObject(spine, step.edge), parallel[i], 2);
  }
  TCell::JoinCorners(spineCell, spine.Objects());
  TCell::JoinCorners(plusCell, objects);
  TCell::JoinCorners(minusCell, objects);

  THandle thick(spine.Objects().CreateObject(kThickCellKind));
  TThickCell* t = TThickCell::Of(thick);
  t->cell = spineCell;
  t->plusCopy = plusCell;
  t->minusCopy = minusCell;
  return thick.Object();
}
