// TPointerCountMap: how often each pointer occurs, in one flat table.
//
// An open-addressing hash table (linear probing, deletion by backward shift,
// so no tombstones) from a non-null pointer to a positive count. It stands in
// for a node-based map on paths that add and remove an entry per object built:
// one probe into one array instead of a node allocation per key. The table
// doubles when it is more than half full; it never shrinks until Clear.
//
// Cost: Add, Remove and Count are constant time on average. Memory comes from
// the standard allocator (it is scratch of its owner, not model data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TPointerCountMap {
 public:
  // Count + 1 for the pointer (null is ignored).
  void Add(const void* key);
  // Count - 1; the entry goes when it reaches 0. Absent keys are ignored.
  void Remove(const void* key);
  // The count, 0 when absent.
  std::int32_t Count(const void* key) const;
  bool Contains(const void* key) const { return Count(key) != 0; }
  // Number of distinct keys.
  std::size_t Size() const { return size_; }
  void Clear();
  // Sizes the table for n distinct keys at once, so that a caller who knows
  // how many are coming saves the rehashes of growing step by step. Never
  // shrinks.
  void Reserve(std::size_t n);

 private:
  struct TEntry {
    const void* key = nullptr;
    std::int32_t count = 0;
  };
  std::size_t Home(const void* key) const;
  std::size_t SlotOf(const void* key) const;
  void Grow();
  void Rehash(std::size_t slots);

  std::vector<TEntry> entries_;  // size is zero or a power of two
  std::size_t size_ = 0;
  unsigned shift_ = 64;  // 64 - log2 of the table size
};
