// TObjectList: bodies, growth, counted and plain elements. See object_list.h.
#include "model/object_list.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#include "foundation/private_heap.h"

namespace {

constexpr std::uint32_t kGrowthStep = 3;  // the least growth, and an empty list's capacity
constexpr std::uint32_t kMaxSlots =
    static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max() / 2);

std::size_t BodyBytes(std::uint32_t slots) {
  return sizeof(TObjectListBody) + static_cast<std::size_t>(slots) * sizeof(TListSlot);
}

std::uint32_t CapacityOfBlock(const void* block) {
  std::size_t bytes = PrivateHeapSize(block);
  if (bytes <= sizeof(TObjectListBody)) return 0;
  std::size_t slots = (bytes - sizeof(TObjectListBody)) / sizeof(TListSlot);
  return static_cast<std::uint32_t>(std::min<std::size_t>(slots, kMaxSlots));
}

TObjectListBody* NewBody(std::uint32_t slots) {
  if (slots == 0) slots = 1;
  if (slots > kMaxSlots) throw std::bad_alloc();
  void* block = PrivateHeapAlloc(BodyBytes(slots), kHeapGenerateExceptions | kHeapZeroMemory);
  auto* body = new (block) TObjectListBody();
  ObjectHeaderInit(body, kObjectListKind);
  body->capacity = CapacityOfBlock(block);
  std::fill(body->Slots(), body->Slots() + body->capacity, TListSlot{0});
  ObjectAddRef(body);
  return body;
}

TObjectHeader* AsObject(TListSlot slot) { return reinterpret_cast<TObjectHeader*>(slot); }
TListSlot AsSlot(const TObjectHeader* object) { return reinterpret_cast<TListSlot>(object); }

// Lets go of a reference a list held: the last one runs the release first.
void LetGoOfBody(TObjectListBody* body) {
  if (body == nullptr) return;
  if (body->refCount == 1) ObjectReleaseByKind(body);
  ObjectDropRef(body);
}

}  // namespace

void ObjectListReleaseAll(TObjectListBody* body) {
  if (body == nullptr) return;
  if (body->mode != 0) {
    std::fill(body->Slots(), body->Slots() + body->count, TListSlot{0});
    body->count = 0;
    return;
  }
  // One element at a time from the end, each taken out before its reference
  // goes: the destroy that a drop sets off may change this list again.
  while (body->count > 0) {
    TListSlot& slot = body->Slots()[body->count - 1];
    TObjectHeader* element = AsObject(slot);
    slot = 0;
    --body->count;
    ObjectDropRef(element);
  }
}

TObjectList::TObjectList(int n, int c) { InitBody(*this, n, c); }

void TObjectList::InitBody(TObjectList& list, int n, int c) {
  if (n < 0) n = 0;
  std::uint32_t count = static_cast<std::uint32_t>(n);
  std::uint32_t capacity;
  if (c == -1 || c <= n)
    capacity = n == 0 ? kGrowthStep : count;
  else
    capacity = static_cast<std::uint32_t>(c);
  TObjectListBody* body = NewBody(capacity);
  body->count = std::min(count, body->capacity);
  LetGoOfBody(list.body_);
  list.body_ = body;
}

TObjectList TObjectList::OfBody(TObjectHeader* body) {
  TObjectList list{TNoBody{}};
  if (body != nullptr && body->kind == kObjectListKind) {
    ObjectAddRef(body);
    list.body_ = static_cast<TObjectListBody*>(body);
  }
  return list;
}

TObjectList& TObjectList::operator=(TObjectList&& other) noexcept {
  if (this != &other) {
    TObjectListBody* old = body_;
    body_ = other.body_;
    other.body_ = nullptr;
    LetGoOfBody(old);
  }
  return *this;
}

TObjectList::~TObjectList() {
  TObjectListBody* old = body_;
  body_ = nullptr;
  LetGoOfBody(old);
}

void TObjectList::Reserve(int n) {
  std::uint32_t wanted = n < 1 ? 1u : static_cast<std::uint32_t>(n);
  if (wanted > kMaxSlots) throw std::bad_alloc();
  if (body_ == nullptr) {
    body_ = NewBody(wanted);
    return;
  }
  if (wanted == body_->capacity) return;
  // A shrink drops the elements beyond the new size first, one at a time.
  while (body_->count > wanted) {
    TListSlot& slot = body_->Slots()[body_->count - 1];
    TListSlot value = slot;
    slot = 0;
    --body_->count;
    if (body_->mode == 0) ObjectDropRef(AsObject(value));
  }
  if (body_->refCount > 1) {
    // Another list holds this body (an element of a list of lists): it must
    // not move under that holder. A shrink keeps the larger block.
    if (wanted < body_->capacity) return;
    throw std::logic_error("a list body held by another list cannot grow");
  }
  void* moved = PrivateHeapReAlloc(body_, BodyBytes(wanted));
  if (moved == nullptr) {
    if (wanted > body_->capacity) throw std::bad_alloc();
    return;  // a shrink that failed leaves the larger block; nothing is lost
  }
  body_ = static_cast<TObjectListBody*>(moved);
  std::uint32_t capacity = CapacityOfBlock(moved);
  if (capacity > body_->capacity)
    std::fill(body_->Slots() + body_->capacity, body_->Slots() + capacity, TListSlot{0});
  body_->capacity = capacity;
}

void TObjectList::SetTag(int tag) {
  if (body_ != nullptr) body_->tag = tag;
}

void TObjectList::SetWeak(int mode) {
  if (body_ != nullptr) body_->mode = mode;
}

int TObjectList::IndexOf(const TObjectHeader* element) const { return IndexOfValue(AsSlot(element)); }

int TObjectList::IndexOfValue(TListSlot value) const {
  if (body_ == nullptr) return -1;
  for (std::uint32_t i = body_->count; i > 0; --i)
    if (body_->Slots()[i - 1] == value) return static_cast<int>(i - 1);
  return -1;
}

void TObjectList::GrowForOneMore() {
  if (body_ == nullptr) {
    Reserve(static_cast<int>(kGrowthStep));
  } else if (body_->count >= body_->capacity) {
    // Geometric growth: appending n elements moves the body O(log n) times.
    std::uint32_t step = std::max(kGrowthStep, body_->count / 2);
    std::uint32_t wanted = body_->count + std::min(step, kMaxSlots - std::min(body_->count, kMaxSlots));
    if (wanted <= body_->count) throw std::bad_alloc();
    Reserve(static_cast<int>(wanted));
  }
}

int TObjectList::Append(TObjectHeader* element) {
  GrowForOneMore();
  body_->Slots()[body_->count++] = AsSlot(element);
  if (body_->mode == 0) ObjectAddRef(element);
  return 1;
}

int TObjectList::AppendValue(TListSlot value) {
  if (body_ == nullptr || body_->mode == 0) return 0;  // plain lists are made weak first
  GrowForOneMore();
  body_->Slots()[body_->count++] = value;
  return 1;
}

int TObjectList::InsertAt(int position, TObjectHeader* element) {
  if (position < 0 || position > Count()) return 0;
  GrowForOneMore();
  TListSlot* slots = body_->Slots();
  std::copy_backward(slots + position, slots + body_->count, slots + body_->count + 1);
  slots[position] = AsSlot(element);
  ++body_->count;
  if (body_->mode == 0) ObjectAddRef(element);
  return 1;
}

int TObjectList::SetAt(int position, TObjectHeader* element) {
  if (body_ == nullptr || position < 0) return 0;
  if (static_cast<std::uint32_t>(position) >= body_->count) {
    std::uint32_t needed = static_cast<std::uint32_t>(position) + 1;
    if (needed > body_->capacity) Reserve(static_cast<int>(needed));
    body_->count = needed;  // the slots between hold 0 (null)
  }
  if (body_->mode == 0) ObjectAddRef(element);
  TListSlot& slot = body_->Slots()[position];
  TObjectHeader* old = AsObject(slot);
  slot = AsSlot(element);
  if (body_->mode == 0) ObjectDropRef(old);
  return 1;
}

int TObjectList::SetValueAt(int position, TListSlot value) {
  if (body_ == nullptr || body_->mode == 0) return 0;
  return SetAt(position, AsObject(value));
}

int TObjectList::RemoveAt(int position) {
  if (body_ == nullptr || position < 0 || static_cast<std::uint32_t>(position) >= body_->count)
    return 0;
  TListSlot* slots = body_->Slots();
  TObjectHeader* removed = AsObject(slots[position]);
  std::copy(slots + position + 1, slots + body_->count, slots + position);
  slots[--body_->count] = 0;
  if (body_->mode == 0) ObjectDropRef(removed);
  return 1;
}

int TObjectList::Remove(const TObjectHeader* element) {
  if (element == nullptr) return 0;
  return RemoveAt(IndexOf(element));
}

int TObjectList::RemoveValue(TListSlot value) { return RemoveAt(IndexOfValue(value)); }

int TObjectList::Swap(int i, int j) {
  int count = Count();
  if (i < 0 || j < 0 || i >= count || j >= count) return 0;
  std::swap(body_->Slots()[i], body_->Slots()[j]);
  return 1;
}

void TObjectList::RotateLeft(int k) {
  int count = Count();
  if (count < 2) return;
  k %= count;
  if (k < 0) k += count;
  std::rotate(body_->Slots(), body_->Slots() + k, body_->Slots() + count);
}

void TObjectList::Reverse() {
  if (Count() < 2) return;
  std::reverse(body_->Slots(), body_->Slots() + body_->count);
}

void TObjectList::Clear() {
  if (body_ == nullptr) return;
  ObjectListReleaseAll(body_);
  Reserve(1);
}

void TObjectList::Discard() {
  if (body_ == nullptr) return;
  ObjectListReleaseAll(body_);
  if (body_->refCount != 1 || body_->mode != 0 || body_->tag != 0) {
    Reserve(1);
    return;
  }
  TObjectListBody* old = body_;
  body_ = nullptr;
  LetGoOfBody(old);
}

void TObjectList::CopyTo(TObjectList& target) const {
  if (&target == this) return;
  target.Clear();
  if (body_ == nullptr) return;
  if (target.body_ == nullptr) target.Reserve(1);
  target.body_->tag = body_->tag;
  target.body_->mode = body_->mode;
  if (body_->count == 0) return;
  target.Reserve(static_cast<int>(body_->count));
  for (std::uint32_t i = 0; i < body_->count; ++i) {
    TListSlot slot = body_->Slots()[i];
    if (body_->tag == 0) {
      target.Append(AsObject(slot));  // a reference in counted mode, the value otherwise
    } else if (body_->tag == 1) {
      if (slot == 0) {
        target.Append(nullptr);
        continue;
      }
      TObjectList element = OfBody(AsObject(slot));
      TObjectList copy;
      element.CopyTo(copy);
      target.Append(copy.Body());  // the copy's own reference goes with it
    }
  }
}

TObjectList& TObjectList::CopyFrom(const TObjectList& source) {
  source.CopyTo(*this);
  return *this;
}
