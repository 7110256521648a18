#include "recognition/atom_table_lookup.h"

#include <utility>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "model/work_heap_scope.h"
#include "presentations/triangulations/iso_signature.h"
#include "recognition/atom_molecule.h"
#include "recognition/atom_table.h"
#include "recognition/atom_torus_map.h"

namespace {

constexpr int kMinComplexity = 2;
constexpr int kMaxComplexity = 22;
constexpr int kMaxTori = 5;

int VertexCount(TSpine& spine) {
  int vertices = 0;
  for (TSpine* part = &spine; part != nullptr; part = part->Next()) {
    vertices += part->Objects().CountOfKind(kVertexKind);
  }
  return vertices;
}

// The torus images of each edge of the vertex under every isomorphism: the
// piece surface the edge refers to, or the piece's only torus when the edge
// refers to none.
bool EdgeTorusImages(TSpine& spine, const TTableRecord& record, TObjectHeader* vertex,
                     std::vector<std::vector<TTorusImage>>& maps) {
  const int valency = TVertex::Valency(vertex);
  if (valency == 0) return false;
  std::vector<std::vector<TTorusImage>> bySurface;
  if (FindTorusImages(spine, record, bySurface) != 1) return false;
  const std::vector<TTorusImage>& first = bySurface.front();
  int onlyTorus = -1;
  for (std::size_t k = 0; k < first.size(); ++k) {
    if (first[k].recordTorus < 0) continue;
    onlyTorus = onlyTorus == -1 ? static_cast<int>(k) : -2;
  }
  std::vector<int> surfaceOfEdge;
  for (int i = 0; i < valency; ++i) {
    const TComplex* surface = TMoleculeEdge::BoundaryReference(TVertex::EdgeAt(vertex, i).Object());
    int k = surface != nullptr ? spine.BoundarySurfaceIndex(surface) : -1;
    if (k < 0 && valency == 1) k = onlyTorus;
    if (k < 0 || k >= static_cast<int>(first.size()) || first[static_cast<std::size_t>(k)].recordTorus < 0)
      return false;
    surfaceOfEdge.push_back(k);
  }
  maps.clear();
  for (const std::vector<TTorusImage>& row : bySurface) {
    std::vector<TTorusImage> byEdge;
    for (int k : surfaceOfEdge) byEdge.push_back(row[static_cast<std::size_t>(k)]);
    maps.push_back(std::move(byEdge));
  }
  return true;
}

bool IsFreeTorus(const TObjectHeader* vertex, const TObjectHeader* edge) {
  const TObjectHeader* one = TEdge::End(edge, 1).Object();
  const TObjectHeader* other = one == vertex ? TEdge::End(edge, 2).Object() : one;
  return other != nullptr && TMoleculeVertex::AtomType(other) == kVirtualAtom;
}

// Whether one of the vertex's tori is glued to a piece (a filling, a Seifert
// piece, another atom): that gluing means nothing until it is carried into
// the record's coordinates.
bool GluedToAPiece(const TObjectHeader* vertex) {
  for (int i = 0; i < TVertex::Valency(vertex); ++i)
    if (!IsFreeTorus(vertex, TVertex::EdgeAt(vertex, i).Object())) return true;
  return false;
}

}  // namespace

bool MatchesRecord(const TTableRecord& record, std::string_view signature) {
  if (!record.IsUsable() || signature.empty()) return false;
  if (!record.Signature().empty()) return record.Signature() == signature;
  TWorkHeapScope heap;
  TSpine spine;
  if (record.BuildSpine(spine) != 1) return false;
  spine.SplitIntoComponents();
  TIsoSignature own;
  return own.Compute(spine, 1) == signature;
}

const TTableRecord* FindAtomRecordOfSpine(TSpine& spine, int torusCount) {
  if (torusCount < 1 || torusCount > kMaxTori) return nullptr;
  const int complexity = VertexCount(spine);
  if (complexity < kMinComplexity || complexity > kMaxComplexity) return nullptr;
  const TAtomTable& table = LoadAtomTable();
  int first = -1, last = -1;
  if (table.TableRangeForComplexity(complexity, torusCount, first, last) == 0) return nullptr;
  ThrowIfStopRequested();
  TIsoSignature signature;
  const std::string& text = signature.Compute(spine, 1);
  ThrowIfStopRequested();
  if (text.empty()) return nullptr;
  const TTableRecord* record = table.FindBySignature(text);
  if (record != nullptr && record->Complexity() == complexity && record->GetTorusCount() == torusCount) {
    return record;
  }
  // Records whose first alternative presentation is another spine (Type1)
  // match through that spine too; its signature is computed here, in a
  // scratch spine, only for the records of the piece's range.
  for (int i = first; i <= last; ++i) {
    const TTableRecord* candidate = table.Record(i);
    const TTableRecord* child = candidate->Child();
    if (child == nullptr || child->GetNextType() != kNextSpine) continue;
    ThrowIfStopRequested();
    if (MatchesRecord(*child, text)) return candidate;
  }
  return nullptr;
}

int RecognizeByTable(TObjectHeader* vertex, const TTableRecord*& record) {
  record = nullptr;
  if (TMoleculeVertex::Of(vertex) == nullptr) return 0;
  const std::intptr_t mark = TMoleculeVertex::MarkWord(vertex);
  const TTableRecord* found = nullptr;
  if (mark != 0) {
    TSpine& spine = *reinterpret_cast<TSpine*>(mark);
    const int valency = TVertex::Valency(vertex);
    int tori = spine.IsThickened() ? spine.CountBoundariesByEuler(1, 0) : valency;
    // Each edge of the atom is one of its tori: a piece whose spine shows
    // another number of tori is not the atom the molecule describes.
    if (valency > 0 && tori != valency) return 0;
    found = FindAtomRecordOfSpine(spine, tori);
  } else {
    TAtomTriple triple;
    if (TMoleculeVertex::Triple(vertex, triple) == 0) return 0;
    const TAtomTable& table = LoadAtomTable();
    found = table.FindTableRecord({triple.first, triple.second, triple.third, 0, 0});
  }
  if (found == nullptr) return 0;
  // A piece given by its key is in the record's coordinates; one given by
  // its spine is taken there by the torus map of the isomorphism. Either way
  // its gluings and fillings are brought to the record's normal form.
  // A filling slope or a gluing left in the piece's own coordinates would
  // name another manifold (every filling of the piece would read as one
  // slope): a piece whose tori carry coordinates that cannot be carried
  // over is not identified.
  const bool mapped = found->IsUsable() && found->GetNextType() == kNextNone;
  if (mapped && mark == 0) {
    MapAllTori(*found, vertex);
  } else if (mark != 0) {
    std::vector<std::vector<TTorusImage>> maps;
    const bool carried = mapped && EdgeTorusImages(*reinterpret_cast<TSpine*>(mark), *found, vertex, maps) &&
                         MapAllTori(*found, vertex, &maps) == 1;
    if (!carried) {
      if (GluedToAPiece(vertex)) return 0;
      // Every torus is free: the atom is named, and its open tori keep no
      // coordinates rather than ones the record does not have.
      for (int i = 0; i < TVertex::Valency(vertex); ++i)
        TMoleculeEdge::SetGluingValues(TVertex::EdgeAt(vertex, i), 0, 0, 0, 0);
    }
  }
  TAtomTriple key;
  key.first = found->Index();
  key.second = found->SubIndex();
  key.third = static_cast<std::int16_t>(found->GetKey().keyA);
  TMoleculeVertex::SetTriple(vertex, key);
  record = found;
  return 1;
}

int RecognizeByTable(TObjectHeader* atom) {
  const TTableRecord* record = nullptr;
  return RecognizeByTable(atom, record);
}
