// The Heegaard diagram store: which genus-2 diagrams a series has met.
//
// A Heegaard diagram series reaches the same diagram along many roads; the
// store lets it recognise each diagram once. Diagrams are hashed by their arc
// sum b1 + b2 + c1 + c2 + 2 (a + d), which the level search never lets grow
// past 512, into 513 buckets; within a bucket the records (the eight 16-bit
// numbers a, b1, b2, c1, c2, d, shift1, shift2) are kept sorted as unsigned
// values without duplicates, so a lookup is a binary search. Beside the
// buckets the store keeps full copies of the diagrams added, in order of
// arrival, for the series to work through, and two words of the series' own
// (a counter and its resume diagram) that travel with the store in table
// files.
//
// A diagram whose arc sum exceeds 512 has no bucket: the store never holds
// it. FindDiagram answers "not found" for it and AddDiagram refuses it
// (null, RefusalText says why), so such a diagram can never index past the
// buckets.
//
// Every member is plain data (counts, 16-bit records, 32-bit words) so that
// an explicit little-endian writer can put the store into a table file and a
// reader can rebuild it; the item copies are not part of that data (after a
// load the buckets say what was met and the items start empty).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "presentations/heegaard/heegaard_diagram.h"

// The eight numbers of a diagram in the order of the bucket order.
using TDiagramRecord = std::array<std::uint16_t, 8>;

TDiagramRecord DiagramRecordOf(const THeegaardDiagram& diagram);
// The arc sum of a record, as THeegaardDiagram::ArcSum computes it.
int ArcSumOfRecord(const TDiagramRecord& record);

// Binary search of a record in records sorted by unsigned lexicographic order.
// 1 when found (position untouched); else 0 and the position where it would
// be inserted (0 for an empty array). Cost: O(log n).
int FindDiagramPosition(const std::vector<TDiagramRecord>& records, const TDiagramRecord& record,
                        std::size_t& position);
// Inserts the record at the position (searched when null) and returns that
// position. The caller makes sure the record is not there yet. Cost: O(n).
std::size_t InsertDiagramSorted(std::vector<TDiagramRecord>& records, const TDiagramRecord& record,
                                const std::size_t* position);

class THeegaardDiagramStore {
 public:
  static constexpr int kBucketCount = 513;
  static constexpr int kMaxArcSum = kBucketCount - 1;
  // Buckets and the item array grow by this many slots; the capacities that
  // a table file records follow this rule.
  static constexpr int kGrowth = 256;

  // Opens the store: empty buckets, no items, counter 0, not loaded.
  void InitDiagramStore();
  // Drops everything and closes the store.
  void FreeDiagramStore();
  int IsDiagramStoreOpen() const { return open_ ? 1 : 0; }

  // 1 when a diagram with the same eight numbers is stored; else 0 with the
  // insertion position in its bucket (0 for an empty bucket, for a closed
  // store and for an arc sum above kMaxArcSum, which is never stored).
  int FindDiagram(const THeegaardDiagram& diagram, std::size_t& position) const;
  // Stores a copy of the diagram (its record at the position, searched when
  // null, and a full copy at the end of the items) and returns the copy.
  // Refuses (null, nothing changed) when the store is closed, the arc sum
  // exceeds kMaxArcSum, or the diagram is stored already.
  const THeegaardDiagram* AddDiagram(const THeegaardDiagram& diagram, const std::size_t* position);

  // The sum of the bucket counts.
  int CountStoredDiagrams() const;
  int GetDiagramCount() const { return static_cast<int>(items_.size()); }
  // Null outside 0 .. GetDiagramCount() - 1.
  const THeegaardDiagram* GetDiagramItem(int i) const;
  // Drops the item copies; the buckets stay.
  void ClearDiagramItems() { items_.clear(); }

  // ---- The data a table file carries ----
  const std::vector<TDiagramRecord>& Bucket(int b) const { return buckets_.at(static_cast<std::size_t>(b)); }
  // The capacity the bucket would have had growing by kGrowth records: 0 for
  // an empty bucket, else the count rounded up to a multiple of kGrowth.
  int BucketCapacity(int b) const;
  std::int32_t SeriesCounter() const { return seriesCounter_; }
  void SetSeriesCounter(std::int32_t value) { seriesCounter_ = value; }
  const THeegaardDiagram& CurrentDiagram() const { return current_; }
  void SetCurrentDiagram(const THeegaardDiagram& diagram) { current_.CopyFrom(diagram); }
  int DiagramStoreLoaded() const { return loaded_ ? 1 : 0; }

  // Replaces the store by buckets read from a file: opens it afresh, takes
  // the buckets and the series words, and marks it loaded. Refuses (0,
  // store unchanged) unless there are kBucketCount buckets, each sorted
  // strictly increasing with every record's arc sum equal to its bucket
  // number. Items start empty. A stop request throws TComputationStopped,
  // store unchanged.
  int LoadBuckets(std::vector<std::vector<TDiagramRecord>> buckets, std::int32_t seriesCounter,
                  const THeegaardDiagram& current);

 private:
  bool open_ = false;
  bool loaded_ = false;
  std::vector<std::vector<TDiagramRecord>> buckets_;
  std::vector<std::unique_ptr<THeegaardDiagram>> items_;
  std::int32_t seriesCounter_ = 0;
  THeegaardDiagram current_;
};

// Why AddDiagram refused a diagram whose arc sum is too large (the text of
// string 9660 with the arc sum and the limit); empty for any other diagram.
std::string DiagramStoreRefusalText(const THeegaardDiagram& diagram);
