// Open-addressing pointer counts. See pointer_count_map.h.
#include "foundation/pointer_count_map.h"

// Pointers to heap blocks share their low bits and often lie at equal
// distances; a multiplicative hash that keeps the top bits of the product
// (Fibonacci hashing) spreads them evenly over the table.
std::size_t TPointerCountMap::Home(const void* key) const {
  auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_);
}

std::size_t TPointerCountMap::SlotOf(const void* key) const {
  const std::size_t mask = entries_.size() - 1;
  std::size_t slot = Home(key);
  while (entries_[slot].key != nullptr && entries_[slot].key != key) slot = (slot + 1) & mask;
  return slot;
}

void TPointerCountMap::Grow() { Rehash(entries_.empty() ? 16 : entries_.size() * 2); }

void TPointerCountMap::Rehash(std::size_t slots) {
  std::vector<TEntry> old;
  old.swap(entries_);
  entries_.assign(slots, TEntry());
  shift_ = 64;
  for (std::size_t n = entries_.size(); n > 1; n >>= 1) --shift_;
  for (const TEntry& entry : old)
    if (entry.key != nullptr) entries_[SlotOf(entry.key)] = entry;
}

void TPointerCountMap::Reserve(std::size_t n) {
  // The table stays at most half full.
  std::size_t slots = 16;
  while (slots < n * 2) slots *= 2;
  if (slots > entries_.size()) Rehash(slots);
}

void TPointerCountMap::Add(const void* key) {
  if (key == nullptr) return;
  if ((size_ + 1) * 2 > entries_.size()) Grow();
  TEntry& entry = entries_[SlotOf(key)];
  if (entry.key == nullptr) {
    entry.key = key;
    ++size_;
  }
  ++entry.count;
}

std::int32_t TPointerCountMap::Count(const void* key) const {
  if (key == nullptr || entries_.empty()) return 0;
  return entries_[SlotOf(key)].count;
}

void TPointerCountMap::Remove(const void* key) {
  if (key == nullptr || entries_.empty()) return;
  const std::size_t mask = entries_.size() - 1;
  std::size_t hole = SlotOf(key);
  if (entries_[hole].key == nullptr) return;
  if (--entries_[hole].count > 0) return;
  // Backward shift: move later entries of the probe run into the hole when
  // their home slot does not lie cyclically in (hole, current].
  --size_;
  std::size_t current = hole;
  for (;;) {
    current = (current + 1) & mask;
    if (entries_[current].key == nullptr) break;
    std::size_t home = Home(entries_[current].key);
    bool stays = hole <= current ? (hole < home && home <= current)
                                 : (hole < home || home <= current);
    if (stays) continue;
    entries_[hole] = entries_[current];
    hole = current;
  }
  entries_[hole] = TEntry();
}

void TPointerCountMap::Clear() {
  entries_.clear();
  size_ = 0;
}
