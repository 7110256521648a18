#include "recognition/molecule_tools.h"

#include <algorithm>
#include <limits>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"

std::int32_t Checked32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    throw Out_of_Range(TInt64::FromLongLong(value), TInt64::FromInt(0), 88);
  return static_cast<std::int32_t>(value);
}

TIntQuad Inverted(const TIntQuad& m) {
  TIntQuad r;
  QuadInvertUnimodular(r, m);
  return r;
}

TIntQuad Product(const TIntQuad& x, const TIntQuad& y) {
  TIntQuad r;
  QuadProduct(r, x, y);
  return r;
}

TIntQuad Negated(const TIntQuad& m) {
  return TIntQuad{Checked32(-static_cast<std::int64_t>(m.a)), Checked32(-static_cast<std::int64_t>(m.b)),
                  Checked32(-static_cast<std::int64_t>(m.c)), Checked32(-static_cast<std::int64_t>(m.d))};
}

TIntQuad GluingFrom(const TObjectHeader* edge, int side) {
  const TIntQuad m = TMoleculeEdge::GluingQuad(edge);
  return side == 2 ? Inverted(m) : m;
}

void ClearPairs(TObjectHeader* vertex) {
  if (TMoleculeVertex::AtomType(vertex) == kSolidTorusAtom) return;
  while (TMoleculeVertex::RemovePairAt(vertex, 0) != 0) {
  }
}

std::vector<THandle> MoleculeVertices(const TObjectTable& table) {
  std::vector<THandle> out;
  const TObjectList& objects = table.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    if (o != nullptr && o->kind == kMoleculeVertexKind) out.emplace_back(o);
  }
  return out;
}

std::vector<THandle> MoleculeEdges(const TObjectTable& table) {
  std::vector<THandle> out;
  const TObjectList& objects = table.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    if (o != nullptr && o->kind == kMoleculeEdgeKind) out.emplace_back(o);
  }
  return out;
}

std::vector<THandle> DistinctEdges(const TObjectHeader* vertex) {
  std::vector<THandle> out;
  const int n = TVertex::Valency(vertex);
  for (int i = 0; i < n; ++i) {
    THandle e = TVertex::EdgeAt(vertex, i);
    if (e.Object() == nullptr) continue;
    if (std::none_of(out.begin(), out.end(), [&](const THandle& h) { return h.Object() == e.Object(); }))
      out.push_back(e);
  }
  return out;
}

void ReorderMoleculeObjects(TObjectTable& table) {
  std::vector<TObjectHeader*> order;
  order.reserve(static_cast<std::size_t>(table.Count()));
  for (int kind : {static_cast<int>(kMoleculeVertexKind), static_cast<int>(kMoleculeEdgeKind)}) {
    const std::size_t first = order.size();
    for (int i = 0; i < table.Count(); ++i)
      if (table.At(i) != nullptr && table.At(i)->kind == kind) order.push_back(table.At(i));
    std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(first), order.end(),
                     [](const TObjectHeader* a, const TObjectHeader* b) { return ObjectNumber(a) < ObjectNumber(b); });
  }
  for (int p = 0; p < static_cast<int>(order.size()); ++p) {
    ThrowIfStopRequested();
    const int at = table.IndexOf(order[static_cast<std::size_t>(p)]);
    if (at != p) table.SwapAt(p, at);
  }
}
