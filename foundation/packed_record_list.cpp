#include "foundation/packed_record_list.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::uint16_t kMaxMultiplicity = 0xFFFF;

void RaiseMultiplicity(TPackedRecordEntry& entry) {
  if (entry.multiplicity < kMaxMultiplicity) ++entry.multiplicity;
}

int NonEmptySlots(const TPackedRecordEntry& entry) {
  return static_cast<int>(std::count_if(entry.neighbours.begin(), entry.neighbours.end(),
                                        [](std::int16_t s) { return s != -1; }));
}

// Positive when a ranks above b, negative when below, 0 when equal.
int RankKeyed(const TPackedRecordEntry& a, const TPackedRecordEntry& b) {
  if (a.key2 != b.key2) return a.key2 > b.key2 ? 1 : -1;
  if (a.multiplicity != b.multiplicity) return a.multiplicity > b.multiplicity ? 1 : -1;
  return 0;
}

int RankPlain(const TPackedRecordEntry& a, const TPackedRecordEntry& b) {
  const int filled_a = NonEmptySlots(a);
  const int filled_b = NonEmptySlots(b);
  if (filled_a != filled_b) return filled_a > filled_b ? 1 : -1;
  for (std::size_t s = 0; s < a.neighbours.size(); ++s) {
    if (a.neighbours[s] != b.neighbours[s]) return a.neighbours[s] > b.neighbours[s] ? 1 : -1;
  }
  if (a.multiplicity != b.multiplicity) return a.multiplicity > b.multiplicity ? 1 : -1;
  return 0;
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void PutInt16(std::vector<std::uint8_t>& out, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  out.push_back(static_cast<std::uint8_t>(bits));
  out.push_back(static_cast<std::uint8_t>(bits >> 8));
}

std::int32_t GetInt32(std::span<const std::uint8_t> in, std::size_t at) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | in[at + static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(bits);
}

std::int16_t GetInt16(std::span<const std::uint8_t> in, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8)));
}

}  // namespace

void TPackedRecordList::Init() {
  count_ = 0;
  entries_.assign(1, TPackedRecordEntry{});
}

std::uint32_t TPackedRecordList::SumFirstFields() const {
  std::uint32_t sum = 0;
  for (int i = 0; i < count_; ++i) sum += entries_[i].multiplicity;
  return sum;
}

std::uint16_t TPackedRecordList::FindKeyed(std::int16_t key1, std::int16_t key2,
                                           int* index) const {
  for (int i = 0; i < count_; ++i) {
    const TPackedRecordEntry& e = entries_[i];
    if (e.IsKeyed() && e.key1 == key1 && e.key2 == key2) {
      if (index != nullptr) *index = i;
      return e.multiplicity;
    }
  }
  if (index != nullptr) *index = -1;
  return 0;
}

void TPackedRecordList::AddKeyed(bool keyed, std::int16_t key1, std::int16_t key2, bool noCount,
                                 int* index) {
  if (keyed) {
    int found;
    FindKeyed(key1, key2, &found);
    if (found >= 0) {
      if (!noCount) RaiseMultiplicity(entries_[found]);
      if (index != nullptr) *index = found;
      return;
    }
  }
  if (count_ >= kMaxEntries) throw std::length_error("packed record list is full");

  TPackedRecordEntry fresh;
  fresh.multiplicity = noCount ? 0 : 1;
  fresh.key1 = keyed ? key1 : -1;
  fresh.key2 = keyed ? key2 : 3;
  fresh.type = keyed ? 1 : 0;
  fresh.neighbours = {-1, -1, -1, -1};

  if (count_ == 0) {
    entries_[0] = fresh;
    count_ = 1;
    if (index != nullptr) *index = 0;
    return;
  }
  // A keyed entry goes just after the last entry that must stay in front of
  // it; a plain entry goes to the front.
  int position = 0;
  if (keyed) {
    for (int j = count_ - 1; j >= 0; --j) {
      const TPackedRecordEntry& e = entries_[j];
      if (e.key2 > key2 || (e.key2 == key2 && key1 != 1)) {
        position = j + 1;
        break;
      }
    }
  }
  entries_.insert(entries_.begin() + position, fresh);
  ++count_;
  if (position != count_ - 1) {
    for (int i = 0; i < count_; ++i) {
      if (i == position || entries_[i].IsKeyed()) continue;
      for (std::int16_t& slot : entries_[i].neighbours) {
        if (slot != -1 && slot >= position) ++slot;
      }
    }
  }
  if (index != nullptr) *index = position;
}

void TPackedRecordList::Normalise() {
  if (count_ < 3) return;

  // 1. Non-empty slots of each plain entry in ascending order, in place.
  for (int i = 0; i < count_; ++i) {
    TPackedRecordEntry& e = entries_[i];
    if (e.IsKeyed()) continue;
    // Exchange any two non-empty slots that are out of order.
    for (std::size_t x = 0; x < e.neighbours.size(); ++x) {
      for (std::size_t y = x + 1; y < e.neighbours.size(); ++y) {
        std::int16_t& lower = e.neighbours[x];
        std::int16_t& upper = e.neighbours[y];
        if (lower != -1 && upper != -1 && lower > upper) std::swap(lower, upper);
      }
    }
  }

  // 2. Merge plain entries with identical slots. The plain entries stand in
  // front, and their slots point at keyed entries behind them, which all
  // move down by one when a plain entry is removed.
  int plain = 0;
  while (plain < count_ && !entries_[plain].IsKeyed()) ++plain;
  for (int a = 0; a < plain; ++a) {
    int b = a + 1;
    while (b < plain) {
      if (entries_[a].neighbours != entries_[b].neighbours) {
        ++b;
        continue;
      }
      RaiseMultiplicity(entries_[a]);
      entries_.erase(entries_.begin() + b);
      --count_;
      --plain;
      for (int i = 0; i < plain; ++i) {
        for (std::int16_t& s : entries_[i].neighbours) {
          if (s != -1) --s;
        }
      }
    }
  }

  // 3. Order the plain entries: an entry dominated slot by slot by a later
  // one changes places with it.
  for (int k = 0; k < plain; ++k) {
    for (int l = k + 1; l < plain; ++l) {
      bool dominated = true;
      for (std::size_t s = 0; s < 4; ++s) {
        if (entries_[k].neighbours[s] > entries_[l].neighbours[s]) dominated = false;
      }
      if (dominated) std::swap(entries_[k], entries_[l]);
    }
  }
}

bool TPackedRecordList::Compare(const TPackedRecordList& first, const TPackedRecordList& second) {
  if (first.count_ == 0) return false;
  if (second.count_ == 0) return true;

  struct TPass {
    bool (*matches)(const TPackedRecordEntry&);
    int (*rank)(const TPackedRecordEntry&, const TPackedRecordEntry&);
  };
  const TPass passes[] = {
      {[](const TPackedRecordEntry& e) { return !e.IsKeyed(); }, RankPlain},
      {[](const TPackedRecordEntry& e) { return e.IsKeyed() && e.key1 == 1; }, RankKeyed},
      {[](const TPackedRecordEntry& e) { return e.IsKeyed() && e.key1 == 0; }, RankKeyed},
  };
  for (const TPass& pass : passes) {
    int i = 0;
    int j = 0;
    for (;;) {
      while (i < first.count_ && !pass.matches(first.entries_[i])) ++i;
      while (j < second.count_ && !pass.matches(second.entries_[j])) ++j;
      const bool first_has = i < first.count_;
      const bool second_has = j < second.count_;
      if (!first_has && !second_has) break;
      if (!first_has) return false;
      if (!second_has) return true;
      const int rank = pass.rank(first.entries_[i], second.entries_[j]);
      if (rank != 0) return rank > 0;
      ++i;
      ++j;
    }
  }
  return false;
}

std::vector<std::uint8_t> TPackedRecordList::Image() const {
  std::vector<std::uint8_t> image;
  image.reserve(static_cast<std::size_t>(Size()));
  PutInt32(image, Size());
  PutInt32(image, count_);
  for (const TPackedRecordEntry& e : entries_) {
    PutInt16(image, static_cast<std::int16_t>(e.multiplicity));
    PutInt16(image, e.key1);
    PutInt16(image, e.key2);
    PutInt16(image, e.type);
    for (std::int16_t s : e.neighbours) PutInt16(image, s);
  }
  return image;
}

std::optional<TPackedRecordList> TPackedRecordList::FromImage(
    std::span<const std::uint8_t> image) {
  if (image.size() < static_cast<std::size_t>(kHeaderBytes + kEntryBytes)) return std::nullopt;
  const std::int32_t size = GetInt32(image, 0);
  const std::int32_t count = GetInt32(image, 4);
  if (count < 0 || count > kMaxEntries) return std::nullopt;
  const std::int32_t slots = std::max(count, 1);
  if (size != kHeaderBytes + kEntryBytes * slots || static_cast<std::size_t>(size) > image.size()) {
    return std::nullopt;
  }
  TPackedRecordList list;
  list.count_ = count;
  list.entries_.resize(static_cast<std::size_t>(slots));
  std::size_t at = kHeaderBytes;
  for (TPackedRecordEntry& e : list.entries_) {
    e.multiplicity = static_cast<std::uint16_t>(GetInt16(image, at));
    e.key1 = GetInt16(image, at + 2);
    e.key2 = GetInt16(image, at + 4);
    e.type = GetInt16(image, at + 6);
    for (std::size_t s = 0; s < 4; ++s) e.neighbours[s] = GetInt16(image, at + 8 + 2 * s);
    at += kEntryBytes;
  }
  return list;
}

void TPackedRecordListSet::Init() {
  members_.clear();
  padding_ = kPaddingBytes;
}

int TPackedRecordListSet::Size() const {
  int size = TPackedRecordList::kHeaderBytes + padding_;
  for (const TPackedRecordList& member : members_) size += member.Size();
  return size;
}

const TPackedRecordList* TPackedRecordListSet::At(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return &members_[static_cast<std::size_t>(i)];
}

bool TPackedRecordListSet::ContainsEqual(const TPackedRecordList& list) const {
  return std::find(members_.begin(), members_.end(), list) != members_.end();
}

bool TPackedRecordListSet::Add(const TPackedRecordList& list) {
  if (ContainsEqual(list)) return false;
  std::size_t position = 0;
  for (std::size_t m = 0; m < members_.size(); ++m) {
    if (TPackedRecordList::Compare(members_[m], list)) position = m + 1;
  }
  members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(position), list);
  return true;
}

std::vector<std::uint8_t> TPackedRecordListSet::Image() const {
  std::vector<std::uint8_t> image;
  image.reserve(static_cast<std::size_t>(Size()));
  PutInt32(image, Size());
  PutInt32(image, Count());
  for (const TPackedRecordList& member : members_) {
    const std::vector<std::uint8_t> bytes = member.Image();
    image.insert(image.end(), bytes.begin(), bytes.end());
  }
  image.resize(image.size() + static_cast<std::size_t>(padding_), 0);
  return image;
}

std::optional<TPackedRecordListSet> TPackedRecordListSet::FromImage(
    std::span<const std::uint8_t> image) {
  if (image.size() < static_cast<std::size_t>(TPackedRecordList::kHeaderBytes)) return std::nullopt;
  const std::int32_t size = GetInt32(image, 0);
  const std::int32_t count = GetInt32(image, 4);
  if (size < TPackedRecordList::kHeaderBytes || static_cast<std::size_t>(size) > image.size() ||
      count < 0) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> body = image.first(static_cast<std::size_t>(size));
  TPackedRecordListSet set;
  std::size_t at = TPackedRecordList::kHeaderBytes;
  for (std::int32_t m = 0; m < count; ++m) {
    std::optional<TPackedRecordList> member = TPackedRecordList::FromImage(body.subspan(at));
    if (!member) return std::nullopt;
    at += static_cast<std::size_t>(member->Size());
    set.members_.push_back(std::move(*member));
  }
  set.padding_ = static_cast<int>(body.size() - at);
  return set;
}
