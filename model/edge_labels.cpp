// Curve coordinates on edges: balance at a vertex, the push across a cell, and
// the whole-complex loops. See edge_labels.h.
#include "model/edge_labels.h"

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"

namespace {

// Calls visit on every edge (kind 4) of the complex in manager order.
template <typename Visit>
void ForEachEdge(const TComplex& complex, Visit visit) {
  const TObjectManager& objects = complex.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* object = objects.At(i);
    if (ObjectKind(object) == kEdgeKind) visit(object);
  }
}

}  // namespace

bool VertexLabelBalance(const TObjectHeader* vertex, int out[4]) {
  const TVertex* v = TVertex::Of(vertex);
  if (v == nullptr) return false;
  int sums[4] = {0, 0, 0, 0};
  for (int i = 0; i < v->edgeList.Count(); ++i) {
    TObjectHeader* edge = v->edgeList.At(i);
    int labels[4];
    if (TEdge::Of(edge) == nullptr || TEdge::IsLoop(edge) || TEdge::LabelsAreZero(edge, labels))
      continue;
    int sign = TEdge::End(edge, 1).Object() == vertex ? -1 : 1;
    for (int k = 0; k < 4; ++k) sums[k] += sign * labels[k];
  }
  if (out != nullptr)
    for (int k = 0; k < 4; ++k) out[k] = sums[k];
  return sums[0] == 0 && sums[1] == 0 && sums[2] == 0 && sums[3] == 0;
}

int EdgeAddLabelsAroundCell(TObjectHeader* cell, TObjectHeader* edge, int passage) {
  int labels[4];
  if (TEdge::LabelsAreZero(edge, labels)) return 1;
  int b = passage == -1 ? TCell::FindPassage(cell, edge, -1, 0) : passage;
  int length = TCell::BoundaryLength(cell);
  if (b < 0 || b >= length || TCell::EdgeAt(cell, b).Object() != edge) return 1;
  int s = TCell::DirectionAt(cell, b);
  for (int i = 0; i < length; ++i) {
    if (i == b) continue;
    TEdge::AddLabels(TCell::EdgeAt(cell, i), labels, TCell::DirectionAt(cell, i) == s ? 0 : 1);
  }
  const int zero[4] = {0, 0, 0, 0};
  TEdge::SetLabels(edge, zero, 1);
  return 0;
}

bool TComplex::AllEdgeLabelsZero() const {
  bool zero = true;
  ForEachEdge(*this, [&](TObjectHeader* edge) { zero = zero && TEdge::LabelsAreZero(edge); });
  return zero;
}

void TComplex::ResetEdgeLabels(int slot) {
  if (slot < -1 || slot > 3) return;
  ForEachEdge(*this, [&](TObjectHeader* edge) {
    for (int k = 0; k < 4; ++k)
      if (slot == -1 || slot == k) TEdge::SetLabel(edge, k, 0);
  });
}

void TComplex::CopyEdgeLabel(int targetSlot, int sourceSlot) {
  if (targetSlot < 0 || targetSlot > 3 || sourceSlot < 0 || sourceSlot > 3) return;
  ForEachEdge(*this, [&](TObjectHeader* edge) {
    if (!TEdge::LabelsAreZero(edge)) TEdge::SetLabel(edge, targetSlot, TEdge::Label(edge, sourceSlot));
  });
}
