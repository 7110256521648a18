// TObjectManager, the registry of managers and the correspondence between a
// manager and its copy. See objman.h.
#include "model/objman.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/object_kinds.h"

namespace {

constexpr const char* kSourceName = "objman";
constexpr unsigned kLineLostCursor = 369;
constexpr unsigned kLineNoObject = 595;

// The managers of one heap context, kept in that context's registry heap. The
// record never moves (managers remember it); its array grows in the same heap.
struct TManagerRegistry {
  THeapHandle heap = nullptr;
  TObjectManager** items = nullptr;
  int count = 0;
  int capacity = 0;
};

TManagerRegistry* InstalledRegistry() {
  return static_cast<TManagerRegistry*>(CurrentManagerRegistry());
}

TManagerRegistry* InstalledRegistryCreating() {
  if (auto* registry = InstalledRegistry()) return registry;
  THeapHandle heap = CurrentRegistryHeap();
  if (heap == nullptr) {
    heap = PrivateHeapCreate(0);
    SetCurrentRegistryHeap(heap);
  }
  void* block = PrivateHeapAllocIn(heap, sizeof(TManagerRegistry));
  if (block == nullptr) throw std::bad_alloc();
  auto* registry = new (block) TManagerRegistry();
  registry->heap = heap;
  SetCurrentManagerRegistry(registry);
  return registry;
}

void* Enter(TObjectManager* manager) {
  TManagerRegistry* registry = InstalledRegistryCreating();
  if (registry->count == registry->capacity) {
    int capacity = registry->capacity + 8;
    std::size_t bytes = static_cast<std::size_t>(capacity) * sizeof(TObjectManager*);
    void* items = registry->items == nullptr
                      ? PrivateHeapAllocIn(registry->heap, bytes)
                      : PrivateHeapReAllocIn(registry->heap, registry->items, bytes);
    if (items == nullptr) throw std::bad_alloc();
    registry->items = static_cast<TObjectManager**>(items);
    registry->capacity = capacity;
  }
  registry->items[registry->count++] = manager;
  return registry;
}

void Leave(void* where, TObjectManager* manager) {
  auto* registry = static_cast<TManagerRegistry*>(where);
  if (registry == nullptr) return;
  for (int i = registry->count - 1; i >= 0; --i) {
    if (registry->items[i] != manager) continue;
    for (int j = i + 1; j < registry->count; ++j) registry->items[j - 1] = registry->items[j];
    --registry->count;
    return;
  }
}

bool IsKindIndex(int kind) { return kind >= 0 && kind < kObjectKindCount; }

}  // namespace

// ---- Construction ------------------------------------------------------------

TObjectManager::TObjectManager() {
  ResetCursors();
  registry_ = Enter(this);
}

TObjectManager::~TObjectManager() { Leave(registry_, this); }

void TObjectManager::ResetCursors() {
  for (int k = 0; k < kObjectKindCount; ++k) {
    cursorPositions_[k] = -1;
    cursorObjects_[k] = nullptr;
  }
}

void TObjectManager::Reset() {
  if (objects_.Count() > 0) objects_.Clear();
  occurrences_.Clear();
  for (int k = 0; k < kObjectKindCount; ++k) {
    counts_[k] = 0;
    highest_[k] = 0;
  }
  ResetCursors();
  creationTag_ = 0;
}

// ---- Factory and membership ----------------------------------------------------

TObjectHeader* TObjectManager::CreateObject(int kind) {
  if (!IsCreatableKind(kind)) return nullptr;
  TObjectHeader* object = ConstructObjectOfKind(kind);
  object->creationTag = creationTag_;
  if (kind != kComponentKind && kind != kEdgeChainKind) {
    try {
      Register(object);
    } catch (...) {
      ObjectDestroyByKind(object);
      throw;
    }
  }
  object->number = NextSerial(kind);
  return object;
}

void TObjectManager::NoteAdded(const TObjectHeader* object) {
  occurrences_.Add(object);
}

void TObjectManager::NoteRemoved(const TObjectHeader* object) {
  occurrences_.Remove(object);
}

bool TObjectManager::Contains(const TObjectHeader* object) const {
  return object != nullptr && occurrences_.Contains(object);
}

int TObjectManager::IndexOf(const TObjectHeader* object) const {
  // A null entry (left by CopyObjectsTo) is not counted: look for it in the list.
  if (object != nullptr && !Contains(object)) return -1;
  return objects_.IndexOf(object);
}

void TObjectManager::Reserve(int n) {
  if (n <= 0) return;
  if (n > objects_.Capacity()) objects_.Reserve(n);
  occurrences_.Reserve(static_cast<std::size_t>(n));
}

void TObjectManager::Register(TObjectHeader* object) {
  if (object == nullptr) return;
  objects_.Append(object);
  NoteAdded(object);
  if (IsKindIndex(object->kind)) {
    ++counts_[object->kind];
    if (object->number > highest_[object->kind]) highest_[object->kind] = object->number;
  }
}

int TObjectManager::Unregister(TObjectHeader* object) {
  if (object == nullptr) return 0;
  return UnregisterAt(IndexOf(object));
}

int TObjectManager::UnregisterAt(int index) {
  if (index < 0 || index >= objects_.Count()) return 0;
  TObjectHeader* object = objects_.At(index);
  // Keep every cursor at its place: a cursor on the removed object steps back
  // one, so that the scan resumes with the entry that moves into its position.
  for (int k = 0; k < kObjectKindCount; ++k) {
    if ((object != nullptr && cursorObjects_[k] == object) || cursorPositions_[k] == index)
      cursorPositions_[k] = index - 1;
    else if (cursorPositions_[k] > index)
      --cursorPositions_[k];
  }
  if (object != nullptr && IsKindIndex(object->kind)) --counts_[object->kind];
  NoteRemoved(object);
  objects_.RemoveAt(index);  // may destroy the object
  return 1;
}

int TObjectManager::CountOfKind(int kind) const { return IsKindIndex(kind) ? counts_[kind] : 0; }

int TObjectManager::HighestNumber(int kind) const { return IsKindIndex(kind) ? highest_[kind] : 0; }

void TObjectManager::SetHighestNumber(int kind, int n) {
  if (IsKindIndex(kind)) highest_[kind] = n;
}

// ---- Iteration -------------------------------------------------------------------

TObjectHeader* TObjectManager::First(int kind) {
  if (!IsKindIndex(kind)) return nullptr;
  cursorPositions_[kind] = -1;
  cursorObjects_[kind] = nullptr;
  return Advance(kind);
}

TObjectHeader* TObjectManager::Next(const TObjectHeader* object) {
  if (object == nullptr) return nullptr;
  // The cursor objects are compared before the object is looked at: the
  // current object of a loop may have been unregistered and destroyed.
  for (int k = 0; k < kObjectKindCount; ++k)
    if (cursorObjects_[k] == object) return Advance(k);
  int kind = object->kind;
  int index = IndexOf(object);
  if (!IsKindIndex(kind) || index < 0) {
    ReportInternalError(kSourceName, kLineLostCursor);
    return nullptr;
  }
  cursorPositions_[kind] = index;
  cursorObjects_[kind] = object;
  return Advance(kind);
}

TObjectHeader* TObjectManager::Advance(int kind) {
  if (!IsKindIndex(kind)) return nullptr;
  int count = objects_.Count();
  for (int i = cursorPositions_[kind] + 1; i < count; ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object != nullptr && object->kind == kind) {
      cursorPositions_[kind] = i;
      cursorObjects_[kind] = object;
      return object;
    }
  }
  cursorPositions_[kind] = -1;
  cursorObjects_[kind] = nullptr;
  return nullptr;
}

TObjectHeader* TObjectManager::NthOfKind(int kind, int n) {
  if (n < 0) return nullptr;
  TObjectHeader* object = First(kind);
  while (object != nullptr && n-- > 0) object = Advance(kind);
  return object;
}

// ---- Lookup and numbering ----------------------------------------------------------

TObjectHeader* TObjectManager::FindByName(int kind, const char* text) const {
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object != nullptr && object->kind == kind && ObjectIsNamed(object, text)) return object;
  }
  return nullptr;
}

TObjectHeader* TObjectManager::FindByNumber(int kind, int n, int slot) const {
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object != nullptr && object->kind == kind && ObjectNumber(object, slot) == n) return object;
  }
  return nullptr;
}

int TObjectManager::FirstFreeNumber(int kind) const {
  // Among n objects some number in 1..n+1 is free.
  std::vector<bool> used(static_cast<std::size_t>(objects_.Count()) + 2, false);
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object == nullptr || object->kind != kind) continue;
    if (object->number >= 1 && static_cast<std::size_t>(object->number) < used.size())
      used[static_cast<std::size_t>(object->number)] = true;
  }
  for (std::size_t n = 1; n < used.size(); ++n)
    if (!used[n]) return static_cast<int>(n);
  return static_cast<int>(used.size());
}

int TObjectManager::NextSerial(int kind) {
  if (!IsKindIndex(kind)) return 0;
  TObjectManager& numbering = owner_ != nullptr ? owner_->Objects() : *this;
  return ++numbering.highest_[kind];
}

int TObjectManager::AssignNextNumber(TObjectHeader* object) {
  if (object == nullptr || !IsKindIndex(object->kind)) return 0;
  object->number = ++highest_[object->kind];
  return object->number;
}

void TObjectManager::Renumber() {
  creationTag_ = 1;
  for (int k = 0; k < kObjectKindCount; ++k) highest_[k] = 0;
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object == nullptr || !IsKindIndex(object->kind)) continue;
    ObjectSetNameObject(object, nullptr);
    object->number = ++highest_[object->kind];
    object->creationTag = 1;
  }
}

// ---- Order -----------------------------------------------------------------------------

void TObjectManager::SwapAt(int i, int j) {
  if (objects_.Swap(i, j) == 0 || i == j) return;
  for (int k = 0; k < kObjectKindCount; ++k) {
    if (cursorPositions_[k] == i)
      cursorPositions_[k] = j;
    else if (cursorPositions_[k] == j)
      cursorPositions_[k] = i;
  }
}

void TObjectManager::SwapObjects(const TObjectHeader* a, const TObjectHeader* b) {
  int i = IndexOf(a);
  int j = IndexOf(b);
  if (i >= 0 && j >= 0) SwapAt(i, j);
}

void TObjectManager::SortKindByNumber(int kind, int slot) {
  std::vector<int> positions;
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object != nullptr && object->kind == kind) positions.push_back(i);
  }
  // With distinct numbers the sorted arrangement is unique: sort once and
  // bring each object to its place by one swap, following its position.
  std::vector<std::pair<int, int>> keyed;  // (number, index into positions)
  keyed.reserve(positions.size());
  for (std::size_t a = 0; a < positions.size(); ++a)
    keyed.emplace_back(ObjectNumber(objects_.At(positions[a]), slot), static_cast<int>(a));
  std::sort(keyed.begin(), keyed.end());
  bool distinct = true;
  for (std::size_t a = 1; a < keyed.size() && distinct; ++a) distinct = keyed[a - 1].first != keyed[a].first;
  if (distinct) {
    // holder[a]: where (in positions) the object first at positions[a] is now;
    // at[p]: which original object stands at positions[p].
    std::vector<int> holder(positions.size());
    std::vector<int> at(positions.size());
    for (std::size_t a = 0; a < positions.size(); ++a) holder[a] = at[a] = static_cast<int>(a);
    for (std::size_t p = 0; p < keyed.size(); ++p) {
      const int wanted = keyed[p].second;
      const int from = holder[static_cast<std::size_t>(wanted)];
      if (from == static_cast<int>(p)) continue;
      SwapAt(positions[p], positions[static_cast<std::size_t>(from)]);
      const int displaced = at[p];
      at[static_cast<std::size_t>(from)] = displaced;
      holder[static_cast<std::size_t>(displaced)] = from;
      at[p] = wanted;
      holder[static_cast<std::size_t>(wanted)] = static_cast<int>(p);
    }
    return;
  }
  // Equal numbers: the exchange sort, whose order of equal objects callers
  // have always seen.
  for (std::size_t a = 0; a < positions.size(); ++a)
    for (std::size_t b = a + 1; b < positions.size(); ++b)
      if (ObjectNumber(objects_.At(positions[b]), slot) < ObjectNumber(objects_.At(positions[a]), slot))
        SwapAt(positions[a], positions[b]);
}

// ---- Moving and copying ---------------------------------------------------------------

void TObjectManager::MoveAllTo(TObjectManager& other) {
  if (objects_.Count() == 0 || &other == this) return;
  other.objects_.Reserve(other.objects_.Count() + objects_.Count());
  for (int i = 0; i < objects_.Count(); ++i) other.Register(objects_.At(i));
  Reset();
}

void TObjectManager::CopyObjectsTo(TObjectManager& target) const {
  if (&target == this) return;
  target.Reset();
  target.owner_ = nullptr;
  target.objects_.Reserve(objects_.Count());
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* source = objects_.At(i);
    if (source == nullptr || !IsCreatableKind(source->kind)) {
      target.objects_.Append(nullptr);  // keeps the positions of the two lists equal
      continue;
    }
    TObjectHeader* copy = ConstructObjectOfKind(source->kind);
    try {
      target.objects_.Append(copy);
    } catch (...) {
      ObjectDestroyByKind(copy);
      throw;
    }
    target.NoteAdded(copy);
    THandle(source).CopyIdentity(copy);
  }
  for (int k = 0; k < kObjectKindCount; ++k) {
    target.highest_[k] = highest_[k];
    target.counts_[k] = counts_[k];
  }
}

void TObjectManager::MapObjects(TObjectList& output, const TObjectList& source,
                                const TObjectManager& target) const {
  output.Clear();
  for (int i = 0; i < source.Count(); ++i)
    output.Append(target.objects_.At(IndexOf(source.At(i))));
}

std::unordered_map<const TObjectHeader*, int> PositionsOfObjects(const TObjectManager& objects) {
  std::unordered_map<const TObjectHeader*, int> positions;
  positions.reserve(static_cast<std::size_t>(objects.Count()));
  // Later occurrences overwrite earlier ones: the last one counts.
  for (int i = 0; i < objects.Count(); ++i) positions[objects.At(i)] = i;
  return positions;
}

// ---- Registry --------------------------------------------------------------------------

TObjectManager* ManagerAt(int i) {
  TManagerRegistry* registry = InstalledRegistry();
  if (registry == nullptr || i < 0 || i >= registry->count) return nullptr;
  return registry->items[i];
}

TObjectManager* ManagerOfObject(const TObjectHeader* object) {
  if (object == nullptr) {
    ReportInternalError(kSourceName, kLineNoObject);
    return nullptr;
  }
  // Newest first: the objects a computation works on belong to the managers
  // it made last, while a long run (a series) keeps many older managers
  // registered (its result table's molecules); an object is in one manager
  // only, so the order changes nothing but the time.
  TManagerRegistry* registry = InstalledRegistry();
  if (registry == nullptr) return nullptr;
  for (int i = registry->count - 1; i >= 0; --i)
    if (registry->items[i]->Contains(object)) return registry->items[i];
  return nullptr;
}

TObjectHeader* CreateObjectLike(int kind, const TObjectHeader* object) {
  TObjectManager* manager = ManagerOfObject(object);
  return manager == nullptr ? nullptr : manager->CreateObject(kind);
}

// ---- Correspondence ----------------------------------------------------------------------

TObjectCorrespondence::TObjectCorrespondence(const TObjectManager& source,
                                             const TObjectManager& target) {
  AddManagers(source, target);
}

void TObjectCorrespondence::AddManagers(const TObjectManager& source, const TObjectManager& target) {
  map_.reserve(map_.size() + static_cast<std::size_t>(source.Count()));
  for (int i = 0; i < source.Count(); ++i)
    if (const TObjectHeader* object = source.At(i)) map_[object] = target.At(i);
}

void TObjectCorrespondence::Add(const TObjectHeader* source, TObjectHeader* target) {
  if (source != nullptr) map_[source] = target;
}

TObjectHeader* TObjectCorrespondence::operator()(const TObjectHeader* source) const {
  if (source == nullptr) return nullptr;
  auto found = map_.find(source);
  return found == map_.end() ? nullptr : found->second;
}
