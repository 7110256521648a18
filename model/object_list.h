// TObjectList: the model's one general container.
//
// An ordered, growable sequence of slots that either holds counted references
// to managed objects (mode 0) or plain values that it does not own (any other
// mode; 2 is used): integers such as the directions of a boundary word, or
// pointers to things that are not managed objects. The body of a list is
// itself a managed object of kind 2, so a list can be an element of another
// list (tag 1: a list of lists).
//
// The body is one block of the current private heap: header, tag, mode, count,
// capacity, then the slots. An empty list starts with three slots and a full
// one grows by half its size (at least three slots): the many small incidence
// lists (four edges at a vertex, three cells at an edge) stay tight, and a
// long list is reallocated only O(log n) times, so n appends cost O(n) in all.
// Growth may move the body, so a body held by two lists at once
// (an element of a list of lists, seen through OfBody) never moves: shrinking
// it keeps its block and growing it throws std::logic_error.
//
// Removal and clearing take each element out of the list before dropping its
// reference, so a destroy that the drop sets off may itself change the list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/handle.h"

using TListSlot = std::intptr_t;

struct TObjectListBody : TObjectHeader {
  std::int32_t tag = 0;   // 0 flat; 1 a list of lists
  std::int32_t mode = 0;  // 0 counted references; non-zero plain values
  std::uint32_t count = 0;
  std::uint32_t capacity = 0;

  TListSlot* Slots() { return reinterpret_cast<TListSlot*>(this + 1); }
  const TListSlot* Slots() const { return reinterpret_cast<const TListSlot*>(this + 1); }
};
static_assert(sizeof(TObjectListBody) % alignof(TListSlot) == 0);

// The kind-2 release and destroy routine: in counted mode every non-null
// element loses its reference; all slots 0; count 0.
void ObjectListReleaseAll(TObjectListBody* body);

class TObjectList {
 public:
  // Creates the body with n null elements and capacity c; c = -1 or c <= n
  // gives capacity n (3 when n is 0). Throws std::bad_alloc.
  explicit TObjectList(int n = 0, int c = -1);
  // A list that shares an existing body (an element of a list of lists): it
  // adds a reference to the body. Such a view must not be grown.
  static TObjectList OfBody(TObjectHeader* body);

  TObjectList(TObjectList&& other) noexcept : body_(other.body_) { other.body_ = nullptr; }
  TObjectList& operator=(TObjectList&& other) noexcept;
  TObjectList(const TObjectList&) = delete;
  TObjectList& operator=(const TObjectList&) = delete;
  // Lets go of the body (the last reference destroys it with its elements' references).
  ~TObjectList();

  // The body part of the constructor.
  static void InitBody(TObjectList& list, int n, int c);

  TObjectListBody* Body() const { return body_; }
  bool HasBody() const { return body_ != nullptr; }

  // Creates or resizes the body to max(n, 1) slots (a shrink when n is below
  // the capacity drops the elements beyond it); new slots are 0.
  void Reserve(int n);
  // The accessors are defined inline below: they sit in the innermost loops
  // of every algorithm on the model.
  int Count() const { return body_ == nullptr ? 0 : static_cast<int>(body_->count); }
  int Capacity() const { return body_ == nullptr ? 0 : static_cast<int>(body_->capacity); }
  int Tag() const { return body_ == nullptr ? 0 : body_->tag; }
  int Mode() const { return body_ == nullptr ? 0 : body_->mode; }
  bool IsCounted() const { return Mode() == 0; }
  void SetTag(int tag);
  // Sets the mode word of an existing body (0 counted, else plain). Only for a
  // list without elements: the elements are not converted.
  void SetWeak(int mode);

  // The element at index; null without body or when the index is not below the
  // count (negative indices included). For counted lists.
  TObjectHeader* At(int index) const {
    return reinterpret_cast<TObjectHeader*>(ValueAt(index));
  }
  // The plain value at index; 0 out of range.
  TListSlot ValueAt(int index) const {
    if (body_ == nullptr || index < 0 || static_cast<std::uint32_t>(index) >= body_->count) return 0;
    return body_->Slots()[index];
  }
  // Position of the last occurrence (searched from the end); -1 when absent.
  int IndexOf(const TObjectHeader* element) const;
  int IndexOfValue(TListSlot value) const;
  bool Contains(const TObjectHeader* element) const { return IndexOf(element) != -1; }

  // Append, insert and set store an object (counted mode: with a reference) or,
  // in plain mode, the pointer as a value. The Value forms store a plain value
  // and are refused (0) on a counted list: a plain list is made with SetWeak
  // before its first element.
  int Append(TObjectHeader* element);
  int AppendValue(TListSlot value);
  // position 0..count; position = count appends. 0 for other positions.
  int InsertAt(int position, TObjectHeader* element);
  // 0 without body or for a negative position; a position at or beyond the
  // count extends the list to position + 1 with null elements between.
  int SetAt(int position, TObjectHeader* element);
  int SetValueAt(int position, TListSlot value);
  // 0 without body or when the position is not below the count; otherwise the
  // later elements move down and the removed one loses its reference.
  int RemoveAt(int position);
  // RemoveAt(IndexOf(element)); 1 when removed, 0 for null or absent.
  int Remove(const TObjectHeader* element);
  int RemoveValue(TListSlot value);
  // Exchanges two elements; counts unchanged. 0 when a position is out of range.
  int Swap(int i, int j);
  // Rearranges the elements without touching their counts: rotation to the
  // left by k places (element k comes first), and reversal.
  void RotateLeft(int k);
  void Reverse();
  // Drops every element and shrinks the body to one slot.
  void Clear();
  // Clear() for a list whose owner is being released: a counted, untagged
  // body that no other list holds is given back instead of being shrunk to
  // one slot (a reallocation the owner's destructor would only undo). Other
  // lists are cleared as Clear() does.
  void Discard();

  // Clears the target and copies this list into it: the tag and the mode, then
  // each element (tag 0: the same reference or value; tag 1: a new list holding
  // a copy of the element list, by the same rule; other tags: not copied).
  void CopyTo(TObjectList& target) const;
  TObjectList& CopyFrom(const TObjectList& source);

 private:
  struct TNoBody {};
  explicit TObjectList(TNoBody) noexcept {}
  // Makes room for one more element: three slots without body, else
  // count + max(3, count / 2) when full.
  void GrowForOneMore();

  // The list holds one counted reference to its body. The body is managed here
  // rather than through a THandle because growth moves it.
  TObjectListBody* body_ = nullptr;
};
