// TObjectTable: lifetime, copy, counters, queries, creation and removal. The
// builders are in molecule_builders.cpp, the chain operations in
// molecule_chain.cpp. See object_table.h.
#include "model/object_table.h"

#include "foundation/checked_int64.h"
#include "model/molecule_names.h"
#include "model/object_header.h"

namespace {

bool IsSerialAtomType(int type) { return type >= 1 && type <= 6; }
bool IsSerialEdgeType(int type) { return type == 1 || type == 2; }

// The sum of one counter over the chain from the head.
template <typename Read>
int ChainSum(const TObjectTable* head, Read read) {
  int sum = 0;
  for (const TObjectTable* t = head; t != nullptr; t = t->Next()) sum = CheckedIntSum(sum, read(t));
  return sum;
}

}  // namespace

TObjectTable::TObjectTable() { Clear(); }

TObjectTable::~TObjectTable() { Clear(); }

void* TObjectTable::operator new(std::size_t bytes) { return AllocateModelBlock(bytes); }

void TObjectTable::operator delete(void* block) { FreeModelBlock(block); }

void TObjectTable::Clear() {
  chainHead_ = nullptr;
  next_ = nullptr;
  vertexCount_ = 0;
  otherBoundaryCount_ = 0;
  torusBoundaryCount_ = 0;
  counterA_ = 0;
  counterB_ = 0;
  counterC_ = 0;
  for (std::int32_t& serial : atomSerials_) serial = 0;
  for (std::int32_t& serial : edgeSerials_) serial = 0;
  // Releasing breaks the cycles between atoms, edges and linked atoms; the
  // list itself is unchanged by a release, so it is walked by position.
  for (int i = Count() - 1; i >= 0; --i) ObjectReleaseByKind(At(i));
  Reset();
}

void TObjectTable::CopyTo(TObjectTable& target, TSpine* owner, int mode,
                          const TSurfaceMap* surfaces) const {
  if (&target == this) return;
  target.sourceKind_ = sourceKind_;
  target.ownerSpine_ = mode == 1 ? owner : ownerSpine_;
  target.Clear();
  CopyObjectsTo(target);
  TObjectCorrespondence map(*this, target);
  for (int i = 0; i < Count(); ++i) {
    const TObjectHeader* source = At(i);
    TObjectHeader* copy = target.At(i);
    switch (ObjectKind(source)) {
      case kMoleculeVertexKind:
        TMoleculeVertex::CopyFrom(copy, source, map, reinterpret_cast<std::intptr_t>(owner), mode);
        break;
      case kMoleculeEdgeKind:
        TMoleculeEdge::CopyFrom(copy, source, map, mode, surfaces);
        break;
      default:
        break;
    }
  }
  target.vertexCount_ = vertexCount_;
  target.otherBoundaryCount_ = otherBoundaryCount_;
  target.torusBoundaryCount_ = torusBoundaryCount_;
  target.counterA_ = counterA_;
  target.counterB_ = counterB_;
  target.counterC_ = counterC_;
  for (int k = 0; k < 6; ++k) target.atomSerials_[k] = atomSerials_[k];
  for (int k = 0; k < 2; ++k) target.edgeSerials_[k] = edgeSerials_[k];
}

void TObjectTable::SetSourceKind(int kind) {
  for (TObjectTable* t = this; t != nullptr; t = t->next_) t->sourceKind_ = kind;
}

void TObjectTable::SetVertexCount(int count) {
  for (TObjectTable* t = this; t != nullptr; t = t->next_) t->vertexCount_ = count;
}

void TObjectTable::SetBoundaryCounts(int other, int torus) {
  otherBoundaryCount_ = other;
  torusBoundaryCount_ = torus;
}

void TObjectTable::IncrementCounterA() { counterA_ = CheckedIntSum(counterA_, 1); }

void TObjectTable::DecrementCounterA() { counterA_ = CheckedIntDifference(counterA_, 1); }

void TObjectTable::IncrementCounterC() { counterC_ = CheckedIntSum(counterC_, 1); }

int TObjectTable::CounterA(int argument) const {
  if (argument != 2) return counterA_;
  return ChainSum(Head(), [](const TObjectTable* t) { return t->counterA_; });
}

int TObjectTable::CounterB(int argument) const {
  if (argument != 2) return counterB_;
  return ChainSum(Head(), [](const TObjectTable* t) { return t->counterB_; });
}

int TObjectTable::CounterC(int argument) const {
  if (argument != 2) return counterC_;
  return ChainSum(Head(), [](const TObjectTable* t) { return t->counterC_; });
}

int TObjectTable::FindBoundaryCounts(int& other, int& torus) const {
  other = 0;
  torus = 0;
  const TObjectTable* found = nullptr;
  if (otherBoundaryCount_ != 0 || torusBoundaryCount_ != 0) {
    found = this;
  } else {
    for (const TObjectTable* t = Head(); t != nullptr && found == nullptr; t = t->next_) {
      if (t != this && (t->otherBoundaryCount_ != 0 || t->torusBoundaryCount_ != 0)) found = t;
    }
  }
  if (found == nullptr) return 0;
  other = found->otherBoundaryCount_;
  torus = found->torusBoundaryCount_;
  return 1;
}

int TObjectTable::CycleRank(int n) const {
  int rank = CountOfKind(kMoleculeEdgeKind) - CountOfKind(kMoleculeVertexKind) + 1;
  if (n >= 2 && next_ != nullptr) rank = CheckedIntSum(rank, next_->CycleRank(n - 1));
  return rank;
}

int TObjectTable::CountAtomsOfType(int type) const {
  int count = 0;
  for (int i = 0; i < Count(); ++i)
    if (TMoleculeVertex::Of(At(i)) != nullptr && TMoleculeVertex::AtomType(At(i)) == type) ++count;
  return count;
}

TObjectHeader* TObjectTable::NthExceptionalAtom(int n) const {
  if (n < 0) return nullptr;
  for (int i = 0; i < Count(); ++i) {
    TObjectHeader* object = At(i);
    if (TMoleculeVertex::Of(object) == nullptr) continue;
    if (TMoleculeVertex::AtomType(object) != kExceptionalAtom) continue;
    if (n-- == 0) return object;
  }
  return nullptr;
}

void TObjectTable::NumberAtoms(int type) {
  int number = 0;
  for (int i = 0; i < Count(); ++i) {
    TObjectHeader* object = At(i);
    if (TMoleculeVertex::Of(object) == nullptr) continue;
    int atomType = TMoleculeVertex::AtomType(object);
    if (atomType == kVirtualAtom || (type != 0 && atomType != type)) continue;
    ObjectSetNumberSlot(object, 1, ++number);
  }
}

TObjectHeader* TObjectTable::FindAtom(int type, int number, int slot) const {
  for (int i = 0; i < Count(); ++i) {
    TObjectHeader* object = At(i);
    if (TMoleculeVertex::Of(object) == nullptr || TMoleculeVertex::AtomType(object) != type) continue;
    if (ObjectNumber(object, slot) == number) return object;
  }
  return nullptr;
}

TObjectHeader* TObjectTable::FirstEdgeOf(const TComplex* surface) const {
  for (int i = 0; i < Count(); ++i) {
    TObjectHeader* object = At(i);
    if (TMoleculeEdge::Of(object) != nullptr && TMoleculeEdge::BoundaryReference(object) == surface)
      return object;
  }
  return nullptr;
}

TObjectHeader* TObjectTable::NewAtom(int type) {
  TObjectHeader* atom = CreateObject(kMoleculeVertexKind);
  TMoleculeVertex::SetAtomType(atom, type);
  int number = type;
  if (IsSerialAtomType(type)) {
    std::int32_t& serial = Head()->atomSerials_[type - 1];
    serial = CheckedIntSum(serial, 1);
    number = serial;
  }
  ObjectSetNumber(atom, number);
  ObjectSetNameObject(atom, NewNameObject(AtomName(type, number).CStr()));
  return atom;
}

TObjectHeader* TObjectTable::NewMoleculeEdge(int type) {
  TObjectHeader* edge = CreateObject(kMoleculeEdgeKind);
  TMoleculeEdge::SetEdgeType(edge, type);
  int number = type;
  if (IsSerialEdgeType(type)) {
    std::int32_t& serial = Head()->edgeSerials_[type - 1];
    serial = CheckedIntSum(serial, 1);
    number = serial;
  }
  ObjectSetNumber(edge, number);
  ObjectSetNameObject(edge, NewNameObject(MoleculeEdgeName(type, number).CStr()));
  return edge;
}

void TObjectTable::RemoveMoleculeObject(TObjectHeader* object) {
  if (object == nullptr) return;
  THandle keep(object);
  ObjectReleaseByKind(object);
  Unregister(object);
}

std::int32_t TObjectTable::SerialCounter(int i) const {
  if (i >= 0 && i < 6) return atomSerials_[i];
  if (i >= 6 && i < 8) return edgeSerials_[i - 6];
  return 0;
}

void TObjectTable::SetSerialCounter(int i, std::int32_t value) {
  if (i >= 0 && i < 6) atomSerials_[i] = value;
  if (i >= 6 && i < 8) edgeSerials_[i - 6] = value;
}
