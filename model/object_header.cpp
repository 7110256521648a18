// Object-level operations: reference counts, numbers, names, and the release
// and destroy frames. See object_header.h.
#include "model/object_header.h"

#include <cstring>
#include <string>

#include "foundation/private_heap.h"
#include "model/object_kinds.h"

namespace {

std::atomic<long> gCreated[kObjectKindCount];
std::atomic<long> gDestroyed[kObjectKindCount];

constexpr std::uint8_t kDying = 1;
constexpr std::uint8_t kDestroyPending = 2;

int KindSlot(int kind) { return kind > 0 && kind < kObjectKindCount ? kind : 0; }

}  // namespace

void ObjectHeaderInit(TObjectHeader* object, int kind) {
  if (object == nullptr) return;
  object->kind = kind;
  object->creationTag = 0;
  object->refCount = 0;
  object->number = -1;
  object->secondaryNumber = -1;
  object->name = nullptr;
  std::memset(object->marks, 0, sizeof object->marks);
  object->dying = 0;
  object->lock = 0;
  gCreated[KindSlot(kind)].fetch_add(1, std::memory_order_relaxed);
}

int ObjectAddRef(TObjectHeader* object) {
  if (object == nullptr) return 0;
  return ++object->refCount;
}

TObjectHeader* ObjectDropRef(TObjectHeader* object) {
  if (object == nullptr) return nullptr;
  if (object->refCount > 0) --object->refCount;
  if (object->refCount > 0) return object;
  if (object->lock != 0) {
    // Its own release is running; the release frame finishes the destroy.
    if ((object->dying & kDying) == 0) object->dying |= kDestroyPending;
    return nullptr;
  }
  ObjectDestroyByKind(object);
  return nullptr;
}

int ObjectRefCount(const TObjectHeader* object) { return object == nullptr ? 0 : object->refCount; }

int ObjectKind(const TObjectHeader* object) { return object == nullptr ? 0 : object->kind; }

bool ObjectIsValid(const TObjectHeader* object) { return object != nullptr; }

int ObjectNumber(const TObjectHeader* object, int slot) {
  if (object == nullptr) return -1;
  return slot != 0 ? object->secondaryNumber : object->number;
}

void ObjectSetNumber(TObjectHeader* object, int n) {
  if (object != nullptr) object->number = n;
}

void ObjectSetNumberSlot(TObjectHeader* object, int slot, int n) {
  if (object == nullptr) return;
  if (slot != 0)
    object->secondaryNumber = n;
  else
    object->number = n;
}

int ObjectSetCreationTag(TObjectHeader* object, int tag) {
  if (object == nullptr) return 0;
  object->creationTag = tag;
  return tag;
}

TObjectHeader* NewNameObject(const char* text, int force) {
  if (text == nullptr || *text == '\0') return nullptr;
  if (SuppressObjectNames.load(std::memory_order_relaxed) != 0 && force != 1) return nullptr;
  std::size_t length = std::strlen(text);
  void* block = PrivateHeapAlloc(sizeof(TNameObject) + length + 1, kHeapGenerateExceptions);
  auto* name = new (block) TNameObject();
  ObjectHeaderInit(name, kNameObjectKind);
  std::memcpy(name->Text(), text, length + 1);
  return name;
}

char* NameObjectText(const TObjectHeader* nameObject, char* buffer, std::size_t n) {
  if (nameObject == nullptr || buffer == nullptr || n == 0) return nullptr;
  const char* text = static_cast<const TNameObject*>(nameObject)->Text();
  std::size_t length = std::strlen(text);
  if (length > n - 1) length = n - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return buffer;
}

const char* ObjectNameText(const TObjectHeader* object) {
  if (object == nullptr || object->name == nullptr) return nullptr;
  return static_cast<const TNameObject*>(object->name)->Text();
}

void ObjectSetNameObject(TObjectHeader* object, TObjectHeader* nameObject) {
  if (object == nullptr) return;
  // Take the new reference first: the new name may be the old one.
  ObjectAddRef(nameObject);
  TObjectHeader* old = object->name;
  object->name = nameObject;
  ObjectDropRef(old);
}

void ObjectSetNameText(TObjectHeader* object, const char* prefix, const char* text) {
  if (object == nullptr) return;
  std::string combined;
  if (prefix != nullptr) combined += prefix;
  if (text != nullptr) combined += text;
  ObjectSetNameObject(object, NewNameObject(combined.c_str(), 0));
}

void ObjectLock(TObjectHeader* object) {
  if (object != nullptr) ++object->lock;
}

bool ObjectIsLocked(const TObjectHeader* object) { return object != nullptr && object->lock == 1; }

void ObjectHeaderRelease(TObjectHeader* object) {
  if (object == nullptr || object->lock == 1) return;
  ++object->lock;
  TObjectHeader* name = object->name;
  object->name = nullptr;
  ObjectDropRef(name);
  --object->lock;
}

bool BeginObjectRelease(TObjectHeader* object) {
  if (object == nullptr || object->lock == 1) return false;
  ++object->lock;
  return true;
}

void EndObjectRelease(TObjectHeader* object) {
  --object->lock;
  ObjectHeaderRelease(object);
  if ((object->dying & kDestroyPending) != 0 && object->lock == 0) {
    object->dying &= static_cast<std::uint8_t>(~kDestroyPending);
    if (object->refCount == 0) ObjectDestroyByKind(object);
  }
}

void ObjectReleaseByKind(TObjectHeader* object) {
  if (object == nullptr || object->lock == 1) return;
  ReleaseKindData(object);
}

void ObjectDestroyByKind(TObjectHeader* object) {
  if (object == nullptr || object->lock == 1) return;
  if ((object->dying & kDying) != 0) return;
  object->dying = kDying;
  int kind = object->kind;
  DestroyKindData(object);
  gDestroyed[KindSlot(kind)].fetch_add(1, std::memory_order_relaxed);
  PrivateHeapFree(object);
}

void* AllocateModelBlock(std::size_t bytes) { return PrivateHeapAlloc(bytes, kHeapGenerateExceptions); }

void FreeModelBlock(void* block) { PrivateHeapFree(block); }

int FindPointer(const void* const* pointers, int count, const void* pointer) {
  if (pointers == nullptr) return -1;
  for (int i = 0; i < count; ++i)
    if (pointers[i] == pointer) return i;
  return -1;
}

long ObjectsCreated(int kind) {
  if (kind != 0) return gCreated[KindSlot(kind)].load(std::memory_order_relaxed);
  long total = 0;
  for (const auto& counter : gCreated) total += counter.load(std::memory_order_relaxed);
  return total;
}

long ObjectsDestroyed(int kind) {
  if (kind != 0) return gDestroyed[KindSlot(kind)].load(std::memory_order_relaxed);
  long total = 0;
  for (const auto& counter : gDestroyed) total += counter.load(std::memory_order_relaxed);
  return total;
}
