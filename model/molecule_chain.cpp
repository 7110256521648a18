// Chains of molecule tables: copying, relinking and fusing, splitting into
// components and numbering. See molecule_chain.h.
//
// Fusing removes atoms and edges from the tables while their atoms are being
// walked. Every walk here therefore runs over a snapshot of counted handles
// taken before anything changes, and skips the entries that an earlier step
// has already taken out of their table; no cursor of a manager is relied on
// across a removal.
#include "model/molecule_chain.h"

#include <unordered_set>

#include "foundation/checked_int64.h"
#include "model/molecule_names.h"

namespace {

// The molecule vertices of a table, in list order, as counted handles.
std::vector<THandle> VertexSnapshot(const TObjectTable& table) {
  std::vector<THandle> vertices;
  vertices.reserve(static_cast<std::size_t>(table.CountOfKind(kMoleculeVertexKind)));
  for (int i = 0; i < table.Count(); ++i)
    if (TMoleculeVertex::Of(table.At(i)) != nullptr) vertices.emplace_back(table.At(i));
  return vertices;
}

int FirstTableHolding(const TObjectTableList& tables, const TObjectHeader* object) {
  for (std::size_t k = 0; k < tables.size(); ++k)
    if (tables[k] != nullptr && tables[k]->Contains(object)) return static_cast<int>(k);
  return -1;
}

// Releases the object and takes it out of the first table that holds it.
void RemoveFromTables(const TObjectTableList& tables, TObjectHeader* object) {
  int k = FirstTableHolding(tables, object);
  if (k >= 0)
    tables[static_cast<std::size_t>(k)]->RemoveMoleculeObject(object);
  else
    ObjectReleaseByKind(object);
}

// Fuses the linked pair (v, its linked atom), v being in table d.
void FuseLinkedPair(const TObjectTableList& copies, TObjectTable& d, const THandle& v) {
  THandle linked = TMoleculeVertex::LinkedObject(v);
  bool vIsExternal = TMoleculeVertex::AtomType(v) == kExternalAtom;
  THandle external = vIsExternal ? v : linked;
  THandle partner = vIsExternal ? linked : v;
  THandle externalEdge = TVertex::EdgeAt(external, 0);
  // The atom beyond the external atom: the other end of its edge (end 1).
  THandle beyond = TEdge::End(externalEdge, 1);
  if (beyond.Object() == external.Object()) beyond = TEdge::End(externalEdge, 2);
  THandle partnerEdge = TVertex::EdgeAt(partner, 0);
  if (partnerEdge.IsValid() && partnerEdge.Object() != externalEdge.Object()) {
    // The partner is end 1 of its edge (a boundary atom); its place goes to
    // the atom beyond the external atom.
    int end = TEdge::EndNumber(partnerEdge, partner);
    TEdge::SetEndVertex(partnerEdge, beyond, end == 2 ? 2 : 1, 1);
    if (TMoleculeEdge::EdgeType(externalEdge) == kVirtualMoleculeEdge)
      TMoleculeEdge::SetEdgeType(partnerEdge, kVirtualMoleculeEdge);
  }
  if (externalEdge.IsValid()) {
    TEdge::DetachEnd(externalEdge, 1);
    TEdge::DetachEnd(externalEdge, 2);
  }
  d.RemoveMoleculeObject(v);
  RemoveFromTables(copies, linked);
  if (externalEdge.IsValid()) RemoveFromTables(copies, externalEdge);
}

}  // namespace

void FreeObjectTableList(TObjectTableList& list) {
  for (TObjectTable* table : list) delete table;
  list.clear();
}

void CopyTableChain(TObjectTable& table, TObjectTableList& sources, TObjectTableList& copies,
                    int limit) {
  sources.clear();
  copies.clear();
  for (TObjectTable* t = table.Head(); t != nullptr; t = t->Next()) {
    if (limit >= 0 && static_cast<int>(copies.size()) >= limit) break;
    copies.push_back(nullptr);
    copies.back() = new TObjectTable();
    sources.push_back(t);
    t->CopyTo(*copies.back(), nullptr, 2);
  }
  for (std::size_t k = 0; k < copies.size(); ++k) {
    copies[k]->SetChainHead(k == 0 ? nullptr : copies[0]);
    copies[k]->SetNext(k + 1 < copies.size() ? copies[k + 1] : nullptr);
  }
}

int RelinkCopiedChain(const TObjectTableList& sources, const TObjectTableList& copies, int mode) {
  std::size_t tables = sources.size() < copies.size() ? sources.size() : copies.size();
  if (tables < 2) return 0;
  int links = 0;
  for (std::size_t i = 0; i < tables; ++i) {
    const TObjectTable& source = *sources[i];
    for (int p = 0; p < source.Count(); ++p) {
      const TObjectHeader* v = source.At(p);
      THandle linked = TMoleculeVertex::LinkedObject(v);
      if (!linked.IsValid()) continue;
      int j = FirstTableHolding(sources, linked);
      if (j < 0 || static_cast<std::size_t>(j) >= tables) continue;
      TObjectHeader* copyOfLinked =
          copies[static_cast<std::size_t>(j)]->At(sources[static_cast<std::size_t>(j)]->IndexOf(linked));
      TMoleculeVertex::SetLinkedObject(copies[i]->At(p), copyOfLinked);
      ++links;
    }
  }
  if (mode != 2 || links == 0) return links;
  for (std::size_t i = 0; i < tables; ++i) {
    TObjectTable& d = *copies[i];
    for (const THandle& v : VertexSnapshot(d)) {
      // An earlier fusion may have taken this atom out already.
      if (!d.Contains(v) || !TMoleculeVertex::LinkedObject(v).IsValid()) continue;
      FuseLinkedPair(copies, d, v);
    }
  }
  return links;
}

void CollectAtoms(const TObjectTableList& tables, TObjectList& out, int type) {
  for (const TObjectTable* table : tables) {
    if (table == nullptr) continue;
    for (int i = 0; i < table->Count(); ++i) {
      TObjectHeader* object = table->At(i);
      if (TMoleculeVertex::Of(object) == nullptr) continue;
      if (type == 0 || TMoleculeVertex::AtomType(object) == type) out.Append(object);
    }
  }
}

void BuildComponentTables(TObjectTableList& copies, const TObjectListList& vertexLists,
                          const TObjectListList& edgeLists) {
  std::size_t components = vertexLists.size() > edgeLists.size() ? vertexLists.size() : edgeLists.size();
  std::size_t count = components == 0 ? 1 : components;
  TObjectTableList tables;
  tables.reserve(count);
  try {
    for (std::size_t k = 0; k < count; ++k) tables.push_back(new TObjectTable());
  } catch (...) {
    FreeObjectTableList(tables);
    throw;
  }
  std::unordered_set<const TObjectHeader*> moved;
  for (std::size_t k = 0; k < count; ++k) {
    tables[k]->SetChainHead(k == 0 ? nullptr : tables[0]);
    tables[k]->SetNext(k + 1 < count ? tables[k + 1] : nullptr);
    if (k < vertexLists.size()) {
      for (int i = 0; i < vertexLists[k].Count(); ++i) {
        tables[k]->Register(vertexLists[k].At(i));
        moved.insert(vertexLists[k].At(i));
      }
    }
    if (k < edgeLists.size()) {
      for (int i = 0; i < edgeLists[k].Count(); ++i) {
        tables[k]->Register(edgeLists[k].At(i));
        moved.insert(edgeLists[k].At(i));
      }
    }
  }
  if (!copies.empty()) {
    const TObjectTable& first = *copies.front();
    tables[0]->SetOwnerSpine(first.OwnerSpine());
    tables[0]->SetVertexCount(first.VertexCount());
    tables[0]->SetCounterA(first.CounterA(2));
    tables[0]->SetCounterB(first.CounterB(2));
    tables[0]->SetCounterC(first.CounterC(2));
  }
  for (TObjectTable* copy : copies) {
    // What no component took (nothing, normally) is released so that no
    // reference cycle outlives the copy; the rest now belongs to the new tables.
    for (int i = 0; i < copy->Count(); ++i)
      if (moved.count(copy->At(i)) == 0) ObjectReleaseByKind(copy->At(i));
    copy->Reset();
  }
  FreeObjectTableList(copies);
  copies = std::move(tables);
}

void NumberMoleculeComponents(const TObjectListList& edgeLists, const TObjectListList& vertexLists,
                              TIntMatrix& counts) {
  std::size_t components = vertexLists.size();
  if (components == 0) return;
  counts.Resize(static_cast<std::uint32_t>(components), 8);
  int atomCounters[8] = {};
  int edgeCounters[3] = {};
  for (std::size_t c = 0; c < components; ++c) {
    const TObjectList& vertices = vertexLists[c];
    for (int i = 0; i < vertices.Count(); ++i) {
      TObjectHeader* atom = vertices.At(i);
      if (TMoleculeVertex::LinkedObject(atom).IsValid()) continue;
      int type = TMoleculeVertex::AtomType(atom);
      if (type < 0 || type >= 8) continue;
      atomCounters[type] = CheckedIntSum(atomCounters[type], 1);
      counts.Row(static_cast<std::uint32_t>(c))[type] += 1;
      if (type == kVirtualAtom) continue;
      if (ObjectNumber(atom, 0) == -1) ObjectSetNumber(atom, atomCounters[type]);
      if (SuppressObjectNames.load() == 0)
        ObjectSetNameObject(atom, NewNameObject(AtomName(type, atomCounters[type]).CStr()));
    }
    if (c >= edgeLists.size()) continue;
    const TObjectList& edges = edgeLists[c];
    for (int i = 0; i < edges.Count(); ++i) {
      TObjectHeader* edge = edges.At(i);
      if (TMoleculeVertex::AtomType(TEdge::End(edge, 1)) == kExternalAtom ||
          TMoleculeVertex::AtomType(TEdge::End(edge, 2)) == kExternalAtom)
        continue;
      int type = TMoleculeEdge::EdgeType(edge);
      if (type < 0 || type >= 3) continue;
      edgeCounters[type] = CheckedIntSum(edgeCounters[type], 1);
      if (type != kTrueMoleculeEdge) continue;
      ObjectSetNumber(edge, edgeCounters[type]);
      if (SuppressObjectNames.load() == 0)
        ObjectSetNameObject(edge, NewNameObject(MoleculeEdgeName(type, edgeCounters[type]).CStr()));
    }
  }
}

// ---- Rebuild ------------------------------------------------------------------------

TObjectTable* TObjectTable::MoveIntoNewTable(const std::vector<THandle>& objects) {
  auto* table = new TObjectTable();
  table->SetChainHead(Head());
  table->SetOwnerSpine(nullptr);
  table->sourceKind_ = sourceKind_;
  table->SetNext(next_);
  next_ = table;
  for (const THandle& object : objects) {
    table->Register(object);
    Unregister(object);
  }
  return table;
}

int TObjectTable::Rebuild() {
  int components = 0;
  for (;;) {
    std::vector<THandle> vertices = VertexSnapshot(*this);
    if (vertices.size() <= 1) return components + static_cast<int>(vertices.size());
    if (CountOfKind(kMoleculeEdgeKind) == 0) {
      for (std::size_t k = 0; k + 1 < vertices.size(); ++k) MoveIntoNewTable({vertices[k]});
      return components + static_cast<int>(vertices.size());
    }
    // The component of the first vertex, breadth first over the edges.
    std::vector<THandle> reached{vertices.front()};
    std::unordered_set<const TObjectHeader*> seen{vertices.front().Object()};
    std::size_t reachedVertices = 1;
    for (std::size_t k = 0; k < reached.size(); ++k) {
      if (TMoleculeVertex::Of(reached[k]) == nullptr) continue;
      for (int i = 0; i < TVertex::Valency(reached[k]); ++i) {
        THandle edge = TVertex::EdgeAt(reached[k], i);
        if (!Contains(edge) || !seen.insert(edge.Object()).second) continue;
        reached.push_back(edge);
        for (int end = 1; end <= 2; ++end) {
          THandle far = TEdge::End(edge, end);
          if (!far.IsValid() || !Contains(far) || !seen.insert(far.Object()).second) continue;
          reached.push_back(far);
          ++reachedVertices;
        }
      }
    }
    ++components;
    if (reachedVertices == vertices.size() &&
        reached.size() - reachedVertices == static_cast<std::size_t>(CountOfKind(kMoleculeEdgeKind)))
      return components;
    MoveIntoNewTable(reached);
  }
}
