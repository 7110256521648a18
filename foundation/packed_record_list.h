// Packed record lists: a compact, self-contained description of a surface
// by its pieces, and sorted sets of such descriptions.
//
// An entry is eight signed 16-bit fields: multiplicity (unsigned), first
// key, second key, type, and four neighbour slots. A keyed entry (type 1)
// describes one kind of connected piece by its two keys (the surface search
// uses the orientability flag and the Euler characteristic) and counts how
// often it occurs. A plain entry (type 0, keys -1 and 3) describes a
// disconnected whole: its neighbour slots hold the indices of the keyed
// entries of up to four of its components (-1 = empty).
//
// Order. Plain entries stand in front; keyed entries follow in descending
// order of the second key, and among equal second keys an entry with first
// key 1 is placed before those already there, any other after them. An
// insertion shifts the entries behind it, and every neighbour slot that
// pointed at them is raised with them. `Normalise` brings the plain entries
// to a canonical form (slots sorted, duplicates merged, dominated entries
// ordered last), so that two descriptions of the same surface are equal
// entry by entry.
//
// Image. A list is stored and compared as its byte image, the one written to
// binary table files: a 32-bit size in bytes, a 32-bit count and 16 bytes per
// entry, all little-endian. An empty list still carries one spare entry
// (multiplicity 0, keys -1 and 3, type 0, neighbours 0), so its image is 24
// bytes. A set's image is a 32-bit size, a 32-bit count, the member images
// back to back, and 24 bytes of padding (zero in the images made here).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct TPackedRecordEntry {
  std::uint16_t multiplicity = 0;
  std::int16_t key1 = -1;
  std::int16_t key2 = 3;
  std::int16_t type = 0;  // 1 keyed, 0 plain
  std::array<std::int16_t, 4> neighbours{0, 0, 0, 0};

  bool IsKeyed() const { return type == 1; }
  friend bool operator==(const TPackedRecordEntry&, const TPackedRecordEntry&) = default;
};

class TPackedRecordList {
 public:
  static constexpr int kHeaderBytes = 8;
  static constexpr int kEntryBytes = 16;
  // Neighbour slots are 16-bit indices, so a list holds at most this many.
  static constexpr int kMaxEntries = 32767;

  TPackedRecordList() { Init(); }
  // Empties the list (one spare entry, count 0).
  void Init();

  int Count() const { return count_; }
  // The length of the image in bytes.
  int Size() const { return kHeaderBytes + kEntryBytes * static_cast<int>(entries_.size()); }
  // Entry i; precondition i < Count().
  const TPackedRecordEntry& Entry(int i) const { return entries_[i]; }
  TPackedRecordEntry& Entry(int i) { return entries_[i]; }

  std::uint32_t SumFirstFields() const;
  // The multiplicity of the keyed entry with these keys (0 when there is
  // none); `index` receives its index, or -1.
  std::uint16_t FindKeyed(std::int16_t key1, std::int16_t key2, int* index = nullptr) const;
  // Adds a keyed entry (keyed = true) or a plain one. A keyed entry equal in
  // both keys to an existing one raises that one's multiplicity instead,
  // unless noCount is set. A new entry has multiplicity 1 (0 with noCount)
  // and empty neighbour slots. `index` receives the entry's index.
  // Multiplicities stop at 65535 rather than wrap. Throws std::length_error
  // when the list already holds kMaxEntries entries.
  void AddKeyed(bool keyed, std::int16_t key1, std::int16_t key2, bool noCount,
                int* index = nullptr);
  // Canonical form of the plain entries (lists of three or more entries):
  // the non-empty slots of each plain entry sorted ascending; plain entries
  // with identical slots merged (the earlier one's multiplicity grows by one,
  // the later one is removed and the slots follow the entries that move
  // down); then, for each pair of plain positions k < l in turn, the entries
  // exchanged when no slot of the one at k exceeds the corresponding slot of
  // the one at l.
  void Normalise();

  // True when `first` ranks above `second`. An empty list ranks below every
  // non-empty one. Otherwise three passes compare the plain entries, then
  // the keyed entries with first key 1, then those with first key 0, pairing
  // them in order and stopping at the first difference; a list whose entries
  // of a pass run out first ranks below. Keyed entries rank by second key,
  // then multiplicity; plain entries by the number of non-empty slots, then
  // the first differing slot, then multiplicity (greater ranks above).
  static bool Compare(const TPackedRecordList& first, const TPackedRecordList& second);

  std::vector<std::uint8_t> Image() const;
  // The list of an image; nothing when the image is truncated or its size
  // word does not match its count.
  static std::optional<TPackedRecordList> FromImage(std::span<const std::uint8_t> image);

  friend bool operator==(const TPackedRecordList&, const TPackedRecordList&) = default;

 private:
  int count_ = 0;
  // max(count_, 1) entries: the spare entry stays while the list is empty.
  std::vector<TPackedRecordEntry> entries_;
};

// A set of packed record lists without duplicates, in descending rank.
class TPackedRecordListSet {
 public:
  TPackedRecordListSet() = default;
  void Init();

  int Count() const { return static_cast<int>(members_.size()); }
  int Size() const;
  // Member i; null when i is out of range.
  const TPackedRecordList* At(int i) const;
  bool ContainsEqual(const TPackedRecordList& list) const;
  // Adds a copy of `list` just after the last member that ranks above it
  // (at the front when none does). Returns false, leaving the set as it
  // was, when an equal member is present.
  bool Add(const TPackedRecordList& list);

  std::vector<std::uint8_t> Image() const;
  // The set of an image; nothing when the image is truncated, a member is
  // malformed, or the members do not fit in the size word.
  static std::optional<TPackedRecordListSet> FromImage(std::span<const std::uint8_t> image);

 private:
  static constexpr int kPaddingBytes = 24;

  std::vector<TPackedRecordList> members_;
  int padding_ = kPaddingBytes;
};
