#include "recognition/atom_table_lookup.h"

#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "model/work_heap_scope.h"
#include "presentations/triangulations/iso_signature.h"
#include "recognition/atom_molecule.h"
#include "recognition/atom_table.h"

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
  // A piece given by its key is in the record's coordinates: its gluings and
  // fillings are brought to the record's normal form.
  if (mark == 0 && found->IsUsable() && found->GetNextType() == kNextNone) MapAllTori(*found, vertex);
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
