// The Heegaard diagram store (see the header for what it is for).
//
// Buckets are plain sorted vectors of 16-byte records; the standard
// allocator's growth replaces the private heap and its periodic compaction.
// The one guard that matters is the bucket index: the arc sum of a diagram
// is checked against the bucket range before any bucket is touched.
#include "recognition/heegaard_store.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "foundation/stop_poll.h"
#include "foundation/string_table.h"

namespace {

constexpr int kRefusalTextId = 9660;

}  // namespace

TDiagramRecord DiagramRecordOf(const THeegaardDiagram& diagram) {
  auto n = [](int v) { return static_cast<std::uint16_t>(v); };
  return {n(diagram.A()),  n(diagram.B1()), n(diagram.B2()),     n(diagram.C1()),
          n(diagram.C2()), n(diagram.D()),  n(diagram.Shift1()), n(diagram.Shift2())};
}

int ArcSumOfRecord(const TDiagramRecord& r) {
  return r[1] + 2 * (r[0] + r[5]) + r[2] + r[3] + r[4];
}

int FindDiagramPosition(const std::vector<TDiagramRecord>& records, const TDiagramRecord& record,
                        std::size_t& position) {
  // std::array compares its elements lexicographically, and uint16_t values
  // compare as unsigned: exactly the bucket order.
  auto it = std::lower_bound(records.begin(), records.end(), record);
  if (it != records.end() && *it == record) return 1;
  position = static_cast<std::size_t>(it - records.begin());
  return 0;
}

std::size_t InsertDiagramSorted(std::vector<TDiagramRecord>& records, const TDiagramRecord& record,
                                const std::size_t* position) {
  std::size_t at = 0;
  if (position != nullptr) {
    at = std::min(*position, records.size());
  } else {
    FindDiagramPosition(records, record, at);
  }
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(at), record);
  return at;
}

void THeegaardDiagramStore::InitDiagramStore() {
  buckets_.assign(kBucketCount, {});
  items_.clear();
  seriesCounter_ = 0;
  current_ = THeegaardDiagram();
  loaded_ = false;
  open_ = true;
}

void THeegaardDiagramStore::FreeDiagramStore() {
  buckets_.clear();
  items_.clear();
  seriesCounter_ = 0;
  current_ = THeegaardDiagram();
  loaded_ = false;
  open_ = false;
}

int THeegaardDiagramStore::FindDiagram(const THeegaardDiagram& diagram, std::size_t& position) const {
  position = 0;
  if (!open_) return 0;
  const int sum = diagram.ArcSum();
  if (sum < 0 || sum > kMaxArcSum) return 0;
  return FindDiagramPosition(buckets_[static_cast<std::size_t>(sum)], DiagramRecordOf(diagram), position);
}

const THeegaardDiagram* THeegaardDiagramStore::AddDiagram(const THeegaardDiagram& diagram,
                                                          const std::size_t* position) {
  if (!open_) return nullptr;
  const int sum = diagram.ArcSum();
  if (sum < 0 || sum > kMaxArcSum) return nullptr;
  std::vector<TDiagramRecord>& bucket = buckets_[static_cast<std::size_t>(sum)];
  const TDiagramRecord record = DiagramRecordOf(diagram);
  std::size_t at = 0;
  if (FindDiagramPosition(bucket, record, at)) return nullptr;
  // A caller's position is trusted only when it keeps the bucket sorted;
  // otherwise the searched one is used.
  if (position != nullptr && *position == at) at = *position;

  auto copy = std::make_unique<THeegaardDiagram>();
  copy->CopyFrom(diagram);
  // Both insertions below may throw std::bad_alloc; reserve first so that a
  // failure leaves the store as it was.
  items_.reserve(items_.size() + 1);
  bucket.reserve(bucket.size() + 1);
  InsertDiagramSorted(bucket, record, &at);
  items_.push_back(std::move(copy));
  return items_.back().get();
}

int THeegaardDiagramStore::CountStoredDiagrams() const {
  std::size_t total = 0;
  for (const auto& bucket : buckets_) total += bucket.size();
  return static_cast<int>(total);
}

const THeegaardDiagram* THeegaardDiagramStore::GetDiagramItem(int i) const {
  if (i < 0 || i >= GetDiagramCount()) return nullptr;
  return items_[static_cast<std::size_t>(i)].get();
}

int THeegaardDiagramStore::BucketCapacity(int b) const {
  if (b < 0 || b >= static_cast<int>(buckets_.size())) return 0;
  const int count = static_cast<int>(buckets_[static_cast<std::size_t>(b)].size());
  return (count + kGrowth - 1) / kGrowth * kGrowth;
}

int THeegaardDiagramStore::LoadBuckets(std::vector<std::vector<TDiagramRecord>> buckets,
                                       std::int32_t seriesCounter, const THeegaardDiagram& current) {
  if (buckets.size() != static_cast<std::size_t>(kBucketCount)) return 0;
  TStopPoll poll(256);
  for (std::size_t b = 0; b < buckets.size(); ++b) {
    const auto& bucket = buckets[b];
    for (std::size_t i = 0; i < bucket.size(); ++i) {
      poll.Step();
      if (ArcSumOfRecord(bucket[i]) != static_cast<int>(b)) return 0;
      if (i > 0 && !(bucket[i - 1] < bucket[i])) return 0;
    }
  }
  InitDiagramStore();
  buckets_ = std::move(buckets);
  seriesCounter_ = seriesCounter;
  current_.CopyFrom(current);
  loaded_ = true;
  return 1;
}

std::string DiagramStoreRefusalText(const THeegaardDiagram& diagram) {
  const int sum = diagram.ArcSum();
  if (sum >= 0 && sum <= THeegaardDiagramStore::kMaxArcSum) return {};
  std::optional<std::string_view> format = StringTableText(kRefusalTextId);
  const std::string pattern(format ? *format : std::string_view("arc sum %d above %d"));
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), sum, THeegaardDiagramStore::kMaxArcSum);
  return buffer;
}
