// Alternative presentations of table atoms. See table_alternatives.h.
#include "recognition/table_alternatives.h"

#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/int_matrix.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/vertex.h"
#include "recognition/atom_boundary_fit.h"
#include "recognition/atom_table.h"
#include "recognition/molecule_tools.h"

namespace {

// Per torus a row holds: the torus it comes from, a step count, then c, d,
// a, b of its matrix (a b; c d).
constexpr int kRowWordsPerTorus = 6;

struct TRewrite {
  TObjectHeader* edge = nullptr;
  TObjectHeader* far = nullptr;
  int end = 2;  // the atom's end of the edge
  TIntQuad m{1, 0, 0, 1};  // the new gluing, read from the atom
  bool filled = false;
  std::int32_t x = 0, y = 0;
};

}  // namespace

const TTableRecord* TableRecordOfAtom(const TObjectHeader* vertex) {
  TAtomTriple key;
  if (TMoleculeVertex::AtomType(vertex) != kExceptionalAtom || TMoleculeVertex::Triple(vertex, key) == 0)
    return nullptr;
  return LoadAtomTable().FindTableRecord({key.first, key.second, 0, 0, 0});
}

int ApplyTableAlternative(TObjectHeader* vertex, const TTableRecord& record, int k) {
  const int n = record.GetTorusCount();
  if (TMoleculeVertex::Of(vertex) == nullptr || k < 0 || k >= record.SymmetryCount()) return 0;
  if (n < 1 || TVertex::Valency(vertex) != n) return 0;
  const std::vector<std::int32_t>& row = record.GetSymmetryRow(k);
  if (static_cast<int>(row.size()) < 1 + kRowWordsPerTorus * n) return 0;
  std::vector<TObjectHeader*> edges;
  for (int i = 0; i < n; ++i) {
    TObjectHeader* edge = TVertex::EdgeAt(vertex, i).Object();
    if (TEdge::IsLoop(edge)) return 0;
    edges.push_back(edge);
  }
  // Everything is computed first, so that a refusal or an overflow leaves
  // the molecule as it was.
  std::vector<TRewrite> rewrites(static_cast<std::size_t>(n));
  std::vector<bool> used(static_cast<std::size_t>(n), false);
  try {
    for (int i = 0; i < n; ++i) {
      const std::int32_t* t = row.data() + 1 + kRowWordsPerTorus * i;
      const int from = t[0];
      if (from < 0 || from >= n || used[static_cast<std::size_t>(from)]) return 0;
      used[static_cast<std::size_t>(from)] = true;
      TRewrite& w = rewrites[static_cast<std::size_t>(i)];
      w.edge = edges[static_cast<std::size_t>(from)];
      w.end = TEdge::EndNumber(w.edge, vertex) == 1 ? 1 : 2;
      w.far = TEdge::End(w.edge, w.end == 1 ? 2 : 1).Object();
      TIntQuad g = TMoleculeEdge::GluingQuad(w.edge);
      if (w.end == 1) g = Inverted(g);
      const TIntQuad r{t[4], t[5], t[2], t[3]};
      w.m = Product(r, g);
      int px = 0;
      int py = 0;
      w.filled = TMoleculeVertex::AtomType(w.far) == kSolidTorusAtom && TMoleculeVertex::PairAt(w.far, 0, px, py) == 1;
      if (w.filled) {
        // The filling takes the slope in the new coordinates; the gluing
        // becomes the identity.
        std::int64_t x = std::int64_t{w.m.a} * px + std::int64_t{w.m.b} * py;
        std::int64_t y = std::int64_t{w.m.c} * px + std::int64_t{w.m.d} * py;
        NormalizeSlope(x, y);
        w.x = Checked32(x);
        w.y = Checked32(y);
        w.m = TIntQuad{1, 0, 0, 1};
      } else if (w.end == 1) {
        w.m = Inverted(w.m);
      }
    }
  } catch (const Out_of_Range&) {
    return 0;
  }
  // The atom's edges follow the new torus order.
  for (const TRewrite& w : rewrites) TEdge::DetachEnd(w.edge, w.end);
  for (int i = 0; i < n; ++i) {
    const TRewrite& w = rewrites[static_cast<std::size_t>(i)];
    TEdge::SetEndVertex(w.edge, vertex, w.end);
    if (w.filled) TMoleculeVertex::SetPairAt(w.far, 0, w.x, w.y);
    TMoleculeEdge::SetGluing(w.edge, w.m, 1);
    TMoleculeEdge::SetEndSlot(w.edge, w.end, i);
  }
  return 1;
}

int ApplyReversingSymmetries(TObjectTable& molecule) {
  for (const THandle& v : MoleculeVertices(molecule)) {
    if (TMoleculeVertex::AtomType(v) != kExceptionalAtom) continue;
    const TTableRecord* record = TableRecordOfAtom(v);
    if (record == nullptr || record->ReversingRow() < 0) return 0;
    if (ApplyTableAlternative(v, *record, record->ReversingRow()) == 0) return 0;
  }
  return 1;
}
