#include "recognition/atom_molecule.h"

#include <utility>
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
#include "recognition/atom_torus_map.h"

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

int MapAllTori(const TTableRecord& record, TObjectHeader* vertex,
               const std::vector<std::vector<TTorusImage>>* maps) {
  const int tori = TVertex::Valency(vertex);
  if (TMoleculeVertex::Of(vertex) == nullptr || tori != record.GetTorusCount()) return 0;
  if (maps != nullptr && maps->empty()) return 0;
  for (std::size_t r = 0; maps != nullptr && r < maps->size(); ++r) {
    if (static_cast<int>((*maps)[r].size()) != tori) return 0;
  }
  std::vector<TTorusEdge> edges;
  for (int i = 0; i < tori; ++i) edges.push_back(ReadEdge(vertex, i));
  // Everything is computed first and written afterwards, so that an
  // overflow leaves the molecule as it was.
  struct TWrite {
    TIntQuad gluing;
    bool filled = false;
    std::int32_t x = 0, y = 0;
  };
  // The writes under one isomorphism (null: the record's own coordinates)
  // and the record torus of each edge; false when those are no permutation.
  auto compute = [&](const std::vector<TTorusImage>* images, std::vector<TWrite>& writes, std::vector<int>& slot) {
    slot.assign(edges.size(), -1);
    std::vector<bool> taken(edges.size(), false);
    for (std::size_t i = 0; i < edges.size(); ++i) {
      slot[i] = images != nullptr ? (*images)[i].recordTorus : static_cast<int>(i);
      if (slot[i] < 0 || slot[i] >= tori || taken[static_cast<std::size_t>(slot[i])]) return false;
      taken[static_cast<std::size_t>(slot[i])] = true;
    }
    writes.assign(edges.size(), TWrite{});
    for (std::size_t i = 0; i < edges.size(); ++i) {
      const TTorusEdge& t = edges[i];
      TWrite& w = writes[i];
      const TIntQuad toRecord = images != nullptr ? (*images)[i].toRecord : TIntQuad{1, 0, 0, 1};
      int px = 0, py = 0;
      w.filled = IsFilling(t.far) && TMoleculeVertex::PairAt(t.far, 0, px, py) == 1;
      // The slope in the piece's coordinates; FitBoundary and the products
      // below take it (and the gluing) into the record's.
      std::int64_t x = std::int64_t{t.m.a} * px + std::int64_t{t.m.b} * py;
      std::int64_t y = std::int64_t{t.m.c} * px + std::int64_t{t.m.d} * py;
      if (tori == 1) {
        int pOut = 0, qOut = 0;
        TIntQuad m = t.m;
        std::vector<TIntQuad> torusMaps{toRecord};
        if (maps != nullptr) {
          torusMaps.clear();
          for (const std::vector<TTorusImage>& row : *maps) {
            if (row[0].hasMatrix) torusMaps.push_back(row[0].toRecord);
          }
          // A slope read in the piece's own coordinates would name an
          // arbitrary filling: without the record's curves it names none.
          if (torusMaps.empty() && w.filled) return false;
          if (torusMaps.empty()) torusMaps.push_back(TIntQuad{1, 0, 0, 1});
        }
        FitBoundary(record, torusMaps, m, w.filled, Checked(x), Checked(y), pOut, qOut);
        w.gluing = m;
        w.x = pOut;
        w.y = qOut;
      } else if (w.filled) {
        if (images != nullptr && !(*images)[i].hasMatrix) return false;
        const std::int64_t rx = std::int64_t{toRecord.a} * Checked(x) + std::int64_t{toRecord.b} * Checked(y);
        const std::int64_t ry = std::int64_t{toRecord.c} * Checked(x) + std::int64_t{toRecord.d} * Checked(y);
        x = rx;
        y = ry;
        NormalizeSlope(x, y);
        w.x = Checked(x);
        w.y = Checked(y);
        w.gluing = TIntQuad{1, 0, 0, 1};
      } else {
        QuadProduct(w.gluing, toRecord, t.m);
      }
    }
    return true;
  };
  std::vector<TWrite> writes;
  std::vector<int> slot;
  if (tori == 1 || maps == nullptr) {
    // One torus is fitted over every isomorphism inside FitBoundary.
    if (!compute(maps != nullptr ? &maps->front() : nullptr, writes, slot)) return 0;
  } else {
    // A self-map of the atom may permute or change its tori, so every
    // isomorphism is tried and the least outcome kept (by record torus:
    // filled, slope, gluing): two presentations of one manifold then agree
    // whichever map the search finds first. Only orientation-preserving
    // maps count when there are any, so that gluings keep their determinant.
    auto preserving = [](const std::vector<TTorusImage>& row) {
      for (const TTorusImage& image : row) {
        if (image.hasMatrix && QuadDet(image.toRecord) != 1) return false;
      }
      return true;
    };
    bool anyPreserving = false;
    for (const std::vector<TTorusImage>& row : *maps) anyPreserving = anyPreserving || preserving(row);
    std::vector<std::int64_t> best;
    for (const std::vector<TTorusImage>& row : *maps) {
      if (anyPreserving && !preserving(row)) continue;
      std::vector<TWrite> w;
      std::vector<int> s;
      if (!compute(&row, w, s)) continue;
      std::vector<std::int64_t> key;
      for (int o = 0; o < tori; ++o) {
        for (std::size_t i = 0; i < s.size(); ++i) {
          if (s[i] != o) continue;
          key.insert(key.end(), {w[i].filled ? 1 : 0, w[i].x, w[i].y, w[i].gluing.a, w[i].gluing.b,
                                 w[i].gluing.c, w[i].gluing.d});
        }
      }
      if (best.empty() || key < best) {
        best = std::move(key);
        writes = std::move(w);
        slot = std::move(s);
      }
    }
    if (best.empty()) return 0;
  }
  for (std::size_t i = 0; i < edges.size(); ++i) {
    if (writes[i].filled && (writes[i].x != 0 || writes[i].y != 0)) {
      TMoleculeVertex::SetPairAt(edges[i].far, 0, writes[i].x, writes[i].y);
      writes[i].gluing = TIntQuad{1, 0, 0, 1};
    }
    StoreGluing(edges[i], writes[i].gluing);
    TMoleculeEdge::SetEndSlot(edges[i].edge, edges[i].end, slot[i]);
  }
  // Edge i of the vertex is torus i of the record from now on.
  for (int o = 0; o < tori; ++o) {
    for (int p = o; p < tori; ++p) {
      if (slot[static_cast<std::size_t>(p)] != o) continue;
      if (p != o) {
        TVertex::SwapEdges(vertex, o, p);
        std::swap(slot[static_cast<std::size_t>(o)], slot[static_cast<std::size_t>(p)]);
      }
      break;
    }
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
