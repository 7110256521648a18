// Molecule vertices: atom data, base surfaces and exceptional fibres. See
// molecule_vertex.h.
#include "model/molecule_vertex.h"

#include <cstring>

#include "foundation/checked_int64.h"
#include "model/molecule_names.h"
#include "model/objman.h"

namespace {

// The base surfaces by code: orientable, Euler characteristic, boundary circles.
struct TBaseSurface {
  int code;
  int orientable;
  int euler;
  int circles;
};

constexpr TBaseSurface kBaseSurfaces[] = {
    {kBaseSphere, 1, 2, 0},          {kBaseDisk, 1, 1, 1},
    {kBaseTorus, 1, 0, 0},           {kBaseAnnulus, 1, 0, 2},
    {kBasePairOfPants, 1, -1, 3},    {kBaseProjectivePlane, 0, 1, 0},
    {kBaseKleinBottle, 0, 0, 0},     {kBaseMobiusBand, 0, 0, 1},
    {kBaseProjectivePlaneTwoHoles, 0, -1, 2},
};

bool IsSolidTorus(const TMoleculeVertex* v) { return v->atomType == kSolidTorusAtom; }

int ListLength(const TMoleculeVertex* v) { return v->firstPairs.Count(); }

int ListValue(const TObjectList& list, int i) { return static_cast<int>(list.ValueAt(i)); }

}  // namespace

TMoleculeVertex::TMoleculeVertex() {
  firstPairs.SetWeak(2);
  secondPairs.SetWeak(2);
}

TMoleculeVertex* TMoleculeVertex::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kMoleculeVertexKind) return nullptr;
  return static_cast<TMoleculeVertex*>(const_cast<TObjectHeader*>(object));
}

void TMoleculeVertex::SetAtomType(TObjectHeader* vertex, int type) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return;
  v->atomType = type;
  if (type == kSolidTorusAtom) ResetByType(vertex, kBaseDisk);
}

int TMoleculeVertex::AtomType(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->atomType;
}

void TMoleculeVertex::SetLinkedObject(TObjectHeader* vertex, TObjectHeader* linked) {
  if (TMoleculeVertex* v = Of(vertex)) v->linkedObject.AssignObject(linked);
}

THandle TMoleculeVertex::LinkedObject(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? THandle() : v->linkedObject;
}

void TMoleculeVertex::SetMarkWord(TObjectHeader* vertex, std::intptr_t word) {
  if (TMoleculeVertex* v = Of(vertex)) v->markWord = word;
}

std::intptr_t TMoleculeVertex::MarkWord(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->markWord;
}

void TMoleculeVertex::SetPiece(TObjectHeader* vertex, const void* piece) {
  if (TMoleculeVertex* v = Of(vertex)) v->piece = piece;
}

const void* TMoleculeVertex::Piece(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? nullptr : v->piece;
}

namespace {

constexpr int kSpineRecordType = 18;

// The piece record of a vertex when it is a spine record.
const std::int32_t* SpineRecord(const TObjectHeader* vertex) {
  const auto* words = static_cast<const std::int32_t*>(TMoleculeVertex::Piece(vertex));
  if (words == nullptr || words[0] <= 12 || words[12] != kSpineRecordType) return nullptr;
  return words;
}

}  // namespace

const char* TMoleculeVertex::PieceCodeText(const TObjectHeader* vertex) {
  const std::int32_t* record = SpineRecord(vertex);
  if (record == nullptr || record[5] <= 0 || record[5] / 4 >= record[0]) return nullptr;
  return reinterpret_cast<const char*>(record) + record[5];
}

const char* TMoleculeVertex::PieceText(const TObjectHeader* vertex) {
  const char* first = PieceCodeText(vertex);
  return first == nullptr ? nullptr : first + std::strlen(first) + 1;
}

int TMoleculeVertex::PieceApply(const TObjectHeader* vertex, std::vector<std::int32_t>& list) {
  const std::int32_t* record = SpineRecord(vertex);
  if (record == nullptr || record[6] <= 0 || record[6] >= record[0]) return 0;
  const std::int32_t at = record[6];
  list.clear();
  for (std::int32_t i = 0; i < record[at] && at + 1 + i < record[0]; ++i) list.push_back(record[at + 1 + i]);
  return 1;
}

void TMoleculeVertex::SetTriple(TObjectHeader* vertex, const TAtomTriple& triple) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return;
  v->triple = triple;
  v->markWord = 0;
}

int TMoleculeVertex::Triple(const TObjectHeader* vertex, TAtomTriple& out) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return 0;
  out = v->triple;
  return v->triple.first > 0 ? 1 : 0;
}

int TMoleculeVertex::HasTriple(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v != nullptr && v->triple.first > 0 ? 1 : 0;
}

void TMoleculeVertex::SetPair(TObjectHeader* vertex, int a, int b) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return;
  v->pair[0] = a;
  v->pair[1] = b;
}

void TMoleculeVertex::SetPairValue(TObjectHeader* vertex, int i, int value) {
  TMoleculeVertex* v = Of(vertex);
  if (v != nullptr && (i == 0 || i == 1)) v->pair[i] = value;
}

int TMoleculeVertex::PairValue(const TObjectHeader* vertex, int i) {
  const TMoleculeVertex* v = Of(vertex);
  return v != nullptr && (i == 0 || i == 1) ? v->pair[i] : 0;
}

void TMoleculeVertex::SetFlagA(TObjectHeader* vertex, int euler) {
  if (TMoleculeVertex* v = Of(vertex)) v->baseEuler = euler;
}

int TMoleculeVertex::FlagA(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->baseEuler;
}

void TMoleculeVertex::SetFlagB(TObjectHeader* vertex, int orientable) {
  if (TMoleculeVertex* v = Of(vertex)) v->baseOrientable = orientable;
}

int TMoleculeVertex::FlagB(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->baseOrientable;
}

void TMoleculeVertex::SetFlagC(TObjectHeader* vertex, int circles) {
  if (TMoleculeVertex* v = Of(vertex)) v->baseCircles = circles;
}

int TMoleculeVertex::FlagC(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->baseCircles;
}

int TMoleculeVertex::Classify(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return kBaseNone;
  for (const TBaseSurface& s : kBaseSurfaces) {
    if (s.orientable == v->baseOrientable && s.euler == v->baseEuler && s.circles == v->baseCircles)
      return s.code;
  }
  return kBaseNone;
}

void TMoleculeVertex::ResetByType(TObjectHeader* vertex, int code) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr || code == kBasePairOfPants) return;
  for (const TBaseSurface& s : kBaseSurfaces) {
    if (s.code != code) continue;
    v->baseOrientable = s.orientable;
    v->baseEuler = s.euler;
    v->baseCircles = s.circles;
    return;
  }
}

int TMoleculeVertex::PairCount(const TObjectHeader* vertex) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return 0;
  return IsSolidTorus(v) ? 1 : ListLength(v);
}

void TMoleculeVertex::AddPair(TObjectHeader* vertex, int a, int b) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return;
  if (IsSolidTorus(v)) {
    v->pair[0] = CheckedIntDifference(0, a);
    v->pair[1] = b;
    return;
  }
  v->firstPairs.AppendValue(a);
  try {
    v->secondPairs.AppendValue(b);
  } catch (...) {
    // Keep the lists of equal length.
    v->firstPairs.RemoveAt(v->firstPairs.Count() - 1);
    throw;
  }
}

int TMoleculeVertex::SetPairAt(TObjectHeader* vertex, int i, int a, int b) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return 0;
  if (IsSolidTorus(v)) {
    v->pair[0] = CheckedIntDifference(0, a);
    v->pair[1] = b;
    return 1;
  }
  if (i < 0 || i >= ListLength(v)) return 0;
  v->firstPairs.SetValueAt(i, a);
  v->secondPairs.SetValueAt(i, b);
  return 1;
}

int TMoleculeVertex::PairAt(const TObjectHeader* vertex, int i, int& a, int& b) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return 0;
  if (IsSolidTorus(v)) {
    a = CheckedIntDifference(0, v->pair[0]);
    b = v->pair[1];
    return 1;
  }
  if (i < 0 || i >= ListLength(v)) return 0;
  a = ListValue(v->firstPairs, i);
  b = ListValue(v->secondPairs, i);
  return 1;
}

int TMoleculeVertex::PairComponent(const TObjectHeader* vertex, int i, int second) {
  int a = 0;
  int b = 0;
  if (PairAt(vertex, i, a, b) == 0) return 0;
  return second != 0 ? b : a;
}

int TMoleculeVertex::FindPair(const TObjectHeader* vertex, int& out) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr) return 0;
  for (int i = ListLength(v) - 1; i >= 0; --i) {
    if (ListValue(v->firstPairs, i) != 1) continue;
    out = ListValue(v->secondPairs, i);
    return 1;
  }
  return 0;
}

int TMoleculeVertex::RemovePairAt(TObjectHeader* vertex, int i) {
  TMoleculeVertex* v = Of(vertex);
  if (v == nullptr || i < 0 || i >= ListLength(v)) return 0;
  v->firstPairs.RemoveAt(i);
  v->secondPairs.RemoveAt(i);
  return 1;
}

char* TMoleculeVertex::Label(const TObjectHeader* vertex, char* buffer, std::size_t n) {
  const TMoleculeVertex* v = Of(vertex);
  if (v == nullptr || buffer == nullptr || n == 0) return nullptr;
  if (v->name != nullptr) return NameObjectText(v->name, buffer, n);
  // An atom that was never given a secondary number shows its primary one.
  int number = v->secondaryNumber >= 0 ? v->secondaryNumber : v->number;
  TString name = AtomName(v->atomType, number);
  std::size_t length = name.Length();
  if (length > n - 1) length = n - 1;
  std::memcpy(buffer, name.CStr(), length);
  buffer[length] = '\0';
  return buffer;
}

void TMoleculeVertex::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                               const TObjectCorrespondence& map, std::intptr_t newOwner, int mode) {
  TMoleculeVertex* to = Of(target);
  const TMoleculeVertex* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  TVertex::CopyFrom(target, source, map);
  to->atomType = from->atomType;
  to->linkedObject.AssignObject(nullptr);
  if (mode == 1)
    to->markWord = from->markWord != 0 ? newOwner : 0;
  else
    to->markWord = from->markWord;
  to->piece = from->piece;
  to->triple = from->triple;
  to->pair[0] = from->pair[0];
  to->pair[1] = from->pair[1];
  to->baseEuler = from->baseEuler;
  to->baseOrientable = from->baseOrientable;
  to->baseCircles = from->baseCircles;
  from->firstPairs.CopyTo(to->firstPairs);
  from->secondPairs.CopyTo(to->secondPairs);
}

void TMoleculeVertexRelease(TObjectHeader* vertex) {
  TMoleculeVertex* v = TMoleculeVertex::Of(vertex);
  if (v == nullptr || !BeginObjectRelease(vertex)) return;
  v->atomType = 0;
  // Linked atoms hold each other; dropping the link here breaks that cycle.
  v->linkedObject.AssignObject(nullptr);
  v->markWord = 0;
  v->firstPairs.Clear();
  v->secondPairs.Clear();
  TVertexReleaseData(v);
  EndObjectRelease(vertex);
}

void TMoleculeVertexDestroy(TObjectHeader* vertex) {
  TMoleculeVertex* v = TMoleculeVertex::Of(vertex);
  if (v == nullptr) return;
  TMoleculeVertexRelease(vertex);
  v->~TMoleculeVertex();
}
