#include "recognition/atom_molecule.h"

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

namespace {

struct TTorusEdge {
  TObjectHeader* edge = nullptr;
  TObjectHeader* far = nullptr;  // the other end
  int end = 2;                   // the atom's end of the edge
  TIntQuad m{1, 0, 0, 1};        // the gluing read from the atom
};

TTorusEdge ReadEdge(TObjectHeader* vertex, int i) {
  TTorusEdge t;
  t.edge = TVertex::EdgeAt(vertex, i).Object();
  t.end = TEdge::EndNumber(t.edge, vertex) == 1 ? 1 : 2;
  t.far = TEdge::End(t.edge, t.end == 1 ? 2 : 1).Object();
  TIntQuad g = TMoleculeEdge::GluingQuad(t.edge);
  if (t.end == 1) QuadInvertUnimodular(g, g);
  t.m = g;
  return t;
}

bool IsFilling(const TObjectHeader* vertex) { return TMoleculeVertex::AtomType(vertex) == kSolidTorusAtom; }

std::int32_t Checked(std::int64_t value) {
  if (value > INT32_MAX || value < INT32_MIN) throw Out_of_Range();
  return static_cast<std::int32_t>(value);
}

// Writes a gluing read from the atom back in the edge's own direction.
void StoreGluing(const TTorusEdge& t, TIntQuad m) {
  if (t.end == 1) QuadInvertUnimodular(m, m);
  TMoleculeEdge::SetGluing(t.edge, m, 1);
}

}  // namespace

int MapAllTori(const TTableRecord& record, TObjectHeader* vertex) {
  const int tori = TVertex::Valency(vertex);
  if (TMoleculeVertex::Of(vertex) == nullptr || tori != record.GetTorusCount()) return 0;
  std::vector<TTorusEdge> edges;
  for (int i = 0; i < tori; ++i) edges.push_back(ReadEdge(vertex, i));
  // Everything is computed first and written afterwards, so that an
  // overflow leaves the molecule as it was.
  struct TWrite {
    TIntQuad gluing;
    bool filled = false;
    std::int32_t x = 0, y = 0;
  };
  std::vector<TWrite> writes(edges.size());
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const TTorusEdge& t = edges[i];
    TWrite& w = writes[i];
    w.gluing = t.m;
    int px = 0, py = 0;
    w.filled = IsFilling(t.far) && TMoleculeVertex::PairAt(t.far, 0, px, py) == 1;
    if (tori == 1) {
      int pOut = 0, qOut = 0;
      std::int64_t x = std::int64_t{t.m.a} * px + std::int64_t{t.m.b} * py;
      std::int64_t y = std::int64_t{t.m.c} * px + std::int64_t{t.m.d} * py;
      TIntQuad m = t.m;
      FitBoundary(record, TIntQuad{1, 0, 0, 1}, m, w.filled, Checked(x), Checked(y), pOut, qOut);
      w.gluing = m;
      w.x = pOut;
      w.y = qOut;
    } else if (w.filled) {
      std::int64_t x = std::int64_t{t.m.a} * px + std::int64_t{t.m.b} * py;
      std::int64_t y = std::int64_t{t.m.c} * px + std::int64_t{t.m.d} * py;
      NormalizeSlope(x, y);
      w.x = Checked(x);
      w.y = Checked(y);
      w.gluing = TIntQuad{1, 0, 0, 1};
    }
  }
  for (std::size_t i = 0; i < edges.size(); ++i) {
    if (writes[i].filled && (writes[i].x != 0 || writes[i].y != 0)) {
      TMoleculeVertex::SetPairAt(edges[i].far, 0, writes[i].x, writes[i].y);
      writes[i].gluing = TIntQuad{1, 0, 0, 1};
    }
    StoreGluing(edges[i], writes[i].gluing);
    TMoleculeEdge::SetEndSlot(edges[i].edge, edges[i].end, static_cast<int>(i));
  }
  return 1;
}

int AttachToVertex(const TAtomTable& table, const TTableRecord& record, TObjectTable& molecule,
                   TObjectHeader* vertex, int out[3]) {
  if (TMoleculeVertex::Of(vertex) == nullptr) return 0;
  TWordQuintuple key = record.GetKey();
  // A Type2 description stands for the record it names (its index is that
  // record's once the table is loaded).
  if (record.GetNextType() == kNextTableName) {
    key.subIndex = 0;
    if (table.FindTableRecord(key) == nullptr) return 0;
  }
  const int tori = record.GetTorusCount();
  const int valency = TVertex::Valency(vertex);
  if (valency > tori) return 0;
  const std::vector<std::int32_t>& boundary = record.GetBoundary();
  auto torusMatrix = [&](int i) {
    if (boundary.size() < static_cast<std::size_t>(1 + 6 * (i + 1))) return TIntQuad{1, 0, 0, 1};
    const std::int32_t* w = &boundary[1 + 6 * i];
    return TIntQuad{w[4], w[5], w[2], w[3]};
  };
  std::vector<TTorusEdge> edges;
  for (int i = 0; i < valency; ++i) edges.push_back(ReadEdge(vertex, i));
  std::vector<TIntQuad> gluings;
  for (int i = 0; i < valency; ++i) {
    TIntQuad product;
    QuadProduct(product, torusMatrix(i), edges[i].m);
    gluings.push_back(product);
  }
  TAtomTriple triple;
  triple.first = key.index;
  triple.second = key.subIndex;
  triple.third = static_cast<std::int16_t>(key.keyA);
  TMoleculeVertex::SetTriple(vertex, triple);
  out[0] = key.keyA;
  out[1] = key.keyB;
  out[2] = key.keyC;
  for (int i = 0; i < valency; ++i) {
    StoreGluing(edges[i], gluings[i]);
    TMoleculeEdge::SetEndSlot(edges[i].edge, edges[i].end, i);
  }
  for (int i = valency; i < tori && tori > 1; ++i) {
    const TIntQuad m = torusMatrix(i);
    TObjectHeader* filling = molecule.NewAtom(kSolidTorusAtom);
    TMoleculeVertex::AddPair(filling, m.a, m.c);
    TObjectHeader* edge = molecule.NewMoleculeEdge(kTrueMoleculeEdge);
    TEdge::SetEndVertex(edge, filling, 1);
    TEdge::SetEndVertex(edge, vertex, 2);
    TMoleculeEdge::SetGluingValues(edge, 1, 0, 0, 1);
    TMoleculeEdge::SetEndSlot(edge, 2, i);
  }
  return 1;
}
