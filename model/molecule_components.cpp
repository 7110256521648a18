// The connected components of a labeled molecule, and the molecule of a
// chain of tables read whole. See molecule_chain.h.
//
// After the fusion of its external gluings a molecule may spread over several
// tables, its edges joining atoms of different tables. Its components are
// found by a breadth-first walk over the edges from each atom not yet reached,
// and each is then given a table of its own. An exceptional atom whose piece
// is a single 2-cell with a boundary of length 1 (the spine of a ball) stands
// for nothing and is dropped.
#include <unordered_set>

#include "model/molecule_chain.h"
#include "model/spine.h"

namespace {

// The piece of an exceptional atom is a ball.
bool IsBallPiece(const TObjectHeader* atom) {
  if (TMoleculeVertex::AtomType(atom) != kExceptionalAtom) return false;
  auto* spine = reinterpret_cast<TSpine*>(TMoleculeVertex::MarkWord(atom));
  return spine != nullptr && spine->SingleCellBoundaryLength() == 1;
}

bool HasNumber(const TObjectHeader* object) { return ObjectNumber(object, 0) >= 0; }

// Selection sort by primary number, objects without a number last; of equal
// least numbers the first is taken.
void SortByNumber(TObjectList& list) {
  int n = list.Count();
  for (int p = 0; p + 1 < n; ++p) {
    int least = p;
    for (int q = p + 1; q < n; ++q) {
      const TObjectHeader* candidate = list.At(q);
      const TObjectHeader* best = list.At(least);
      if (!HasNumber(candidate)) continue;
      if (!HasNumber(best) || ObjectNumber(candidate, 0) < ObjectNumber(best, 0)) least = q;
    }
    if (least != p) list.Swap(p, least);
  }
}

}  // namespace

int FindMoleculeComponents(const TObjectTableList& tables, TObjectListList& edgeLists,
                           TObjectListList& vertexLists) {
  TObjectList atoms;
  CollectAtoms(tables, atoms, 0);
  std::unordered_set<const TObjectHeader*> reached;
  int components = 0;
  for (int a = 0; a < atoms.Count(); ++a) {
    TObjectHeader* start = atoms.At(a);
    if (reached.count(start) != 0) continue;
    if (IsBallPiece(start)) {
      reached.insert(start);
      for (TObjectTable* table : tables) {
        if (table == nullptr || !table->Contains(start)) continue;
        table->RemoveMoleculeObject(start);
        break;
      }
      continue;
    }
    TObjectList vertices;
    TObjectList edges;
    std::unordered_set<const TObjectHeader*> seenEdges;
    auto join = [&](TObjectHeader* vertex) {
      if (vertex == nullptr || !reached.insert(vertex).second) return;
      vertices.Append(vertex);
    };
    join(start);
    for (int k = 0; k < vertices.Count(); ++k) {
      TObjectHeader* vertex = vertices.At(k);
      for (int i = 0; i < TVertex::Valency(vertex); ++i) {
        THandle edge = TVertex::EdgeAt(vertex, i);
        if (!edge.IsValid() || !seenEdges.insert(edge.Object()).second) continue;
        edges.Append(edge);
        THandle first = TEdge::End(edge, 1);
        join(first.Object() == vertex ? TEdge::End(edge, 2).Object() : first.Object());
      }
      if (TMoleculeVertex::AtomType(vertex) == kExternalAtom)
        join(TMoleculeVertex::LinkedObject(vertex).Object());
    }
    edgeLists.push_back(std::move(edges));
    vertexLists.push_back(std::move(vertices));
    ++components;
  }
  return components;
}

int BuildMoleculeChain(TObjectTable& table, TObjectTableList& out, TObjectListList& vertexLists,
                       TObjectListList& edgeLists, int limit) {
  TObjectTableList sources;
  TObjectTableList copies;
  try {
    CopyTableChain(table, sources, copies, limit);
    RelinkCopiedChain(sources, copies, 2);
    int components = FindMoleculeComponents(copies, edgeLists, vertexLists);
    BuildComponentTables(copies, vertexLists, edgeLists);
    if (!copies.empty()) copies.front()->SetSourceKind(table.SourceKind());
    for (TObjectList& vertices : vertexLists) SortByNumber(vertices);
    for (TObjectList& edges : edgeLists) SortByNumber(edges);
    for (TObjectTable* t : copies) out.push_back(t);
    return components;
  } catch (...) {
    FreeObjectTableList(copies);
    throw;
  }
}

