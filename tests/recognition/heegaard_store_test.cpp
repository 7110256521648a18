#include <gtest/gtest.h>

#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "recognition/heegaard_store.h"

namespace {

THeegaardDiagram Diagram(int a, int b1, int b2, int c1, int c2, int d, int s1, int s2) {
  THeegaardDiagram diagram;
  EXPECT_TRUE(diagram.SetFromSix(a, b1, b2, c1, c2, d, s1, s2));
  return diagram;
}

class HeegaardStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store.InitDiagramStore(); }
  THeegaardDiagramStore store;
};

TEST_F(HeegaardStoreTest, AddedDiagramIsFoundAndNotAddedTwice) {
  const THeegaardDiagram d = Diagram(1, 2, 0, 3, 0, 1, 1, 2);
  std::size_t position = 99;
  EXPECT_EQ(store.FindDiagram(d, position), 0);
  EXPECT_EQ(position, 0u);
  const THeegaardDiagram* copy = store.AddDiagram(d, &position);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->IsEqual(d), 1);
  EXPECT_EQ(store.FindDiagram(d, position), 1);
  EXPECT_EQ(store.AddDiagram(d, nullptr), nullptr);
  EXPECT_EQ(store.CountStoredDiagrams(), 1);
  EXPECT_EQ(store.GetDiagramCount(), 1);
  EXPECT_EQ(store.GetDiagramItem(0), copy);
  EXPECT_EQ(store.GetDiagramItem(1), nullptr);
}

TEST_F(HeegaardStoreTest, BucketsStaySortedWhateverTheOrderOfArrival) {
  // All of arc sum 8, so they share a bucket; shifts differ in the last words.
  const std::vector<THeegaardDiagram> diagrams = {
      Diagram(1, 2, 0, 2, 0, 1, 2, 1), Diagram(1, 2, 0, 2, 0, 1, 0, 0), Diagram(1, 2, 0, 2, 0, 1, 3, 2),
      Diagram(2, 2, 0, 2, 0, 0, 1, 1), Diagram(0, 2, 0, 2, 0, 2, 1, 0)};
  for (const auto& d : diagrams) ASSERT_NE(store.AddDiagram(d, nullptr), nullptr);
  const auto& bucket = store.Bucket(8);
  ASSERT_EQ(bucket.size(), diagrams.size());
  for (std::size_t i = 1; i < bucket.size(); ++i) EXPECT_LT(bucket[i - 1], bucket[i]);
  EXPECT_EQ(store.CountStoredDiagrams(), 5);
  EXPECT_EQ(store.BucketCapacity(8), THeegaardDiagramStore::kGrowth);
  EXPECT_EQ(store.BucketCapacity(7), 0);

  std::size_t position = 99;
  // Smaller than every record of the bucket, then greater than all.
  EXPECT_EQ(store.FindDiagram(Diagram(0, 2, 0, 2, 0, 2, 0, 0), position), 0);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(store.FindDiagram(Diagram(2, 2, 0, 2, 0, 0, 2, 2), position), 0);
  EXPECT_EQ(position, bucket.size());
}

TEST_F(HeegaardStoreTest, WrongPositionFromCallerDoesNotUnsortTheBucket) {
  ASSERT_NE(store.AddDiagram(Diagram(1, 2, 0, 2, 0, 1, 0, 0), nullptr), nullptr);
  const std::size_t wrong = 0;
  ASSERT_NE(store.AddDiagram(Diagram(1, 2, 0, 2, 0, 1, 3, 3), &wrong), nullptr);
  const auto& bucket = store.Bucket(8);
  ASSERT_EQ(bucket.size(), 2u);
  EXPECT_LT(bucket[0], bucket[1]);
}

TEST_F(HeegaardStoreTest, ArcSumAboveTheLastBucketIsRefusedNotStored) {
  // Arc sums 512 (the last bucket) and 513, 2 x 65535 ... (no bucket).
  const THeegaardDiagram last = Diagram(0, 256, 0, 256, 0, 0, 0, 0);
  const THeegaardDiagram over = Diagram(0, 257, 0, 256, 0, 0, 0, 0);
  const THeegaardDiagram huge = Diagram(30000, 0, 0, 0, 0, 30000, 0, 0);
  ASSERT_EQ(last.ArcSum(), 512);
  ASSERT_EQ(over.ArcSum(), 513);
  EXPECT_NE(store.AddDiagram(last, nullptr), nullptr);
  for (const THeegaardDiagram* d : {&over, &huge}) {
    std::size_t position = 99;
    EXPECT_EQ(store.AddDiagram(*d, nullptr), nullptr);
    EXPECT_EQ(store.FindDiagram(*d, position), 0);
    EXPECT_EQ(position, 0u);
    EXPECT_NE(DiagramStoreRefusalText(*d).find(std::to_string(d->ArcSum())), std::string::npos);
  }
  EXPECT_EQ(store.CountStoredDiagrams(), 1);
  EXPECT_EQ(store.GetDiagramCount(), 1);
  EXPECT_TRUE(DiagramStoreRefusalText(last).empty());
}

TEST(HeegaardStoreLifecycle, ClosedStoreFindsNothingAndStoresNothing) {
  THeegaardDiagramStore store;
  const THeegaardDiagram d = Diagram(1, 1, 0, 1, 0, 0, 0, 0);
  std::size_t position = 5;
  EXPECT_EQ(store.IsDiagramStoreOpen(), 0);
  EXPECT_EQ(store.FindDiagram(d, position), 0);
  EXPECT_EQ(store.AddDiagram(d, nullptr), nullptr);
  store.InitDiagramStore();
  ASSERT_NE(store.AddDiagram(d, nullptr), nullptr);
  store.FreeDiagramStore();
  EXPECT_EQ(store.IsDiagramStoreOpen(), 0);
  EXPECT_EQ(store.CountStoredDiagrams(), 0);
  EXPECT_EQ(store.GetDiagramCount(), 0);
}

TEST_F(HeegaardStoreTest, ReloadedBucketsFindEveryDiagramAndItemsStartEmpty) {
  const std::vector<THeegaardDiagram> diagrams = {Diagram(1, 2, 0, 3, 0, 1, 1, 2), Diagram(0, 1, 0, 1, 0, 0, 0, 0),
                                                  Diagram(2, 3, 1, 4, 0, 2, 5, 7)};
  for (const auto& d : diagrams) ASSERT_NE(store.AddDiagram(d, nullptr), nullptr);
  store.SetSeriesCounter(17);
  store.SetCurrentDiagram(diagrams[2]);

  std::vector<std::vector<TDiagramRecord>> buckets;
  for (int b = 0; b < THeegaardDiagramStore::kBucketCount; ++b) buckets.push_back(store.Bucket(b));

  THeegaardDiagramStore loaded;
  ASSERT_EQ(loaded.LoadBuckets(buckets, store.SeriesCounter(), store.CurrentDiagram()), 1);
  EXPECT_EQ(loaded.DiagramStoreLoaded(), 1);
  EXPECT_EQ(loaded.GetDiagramCount(), 0);
  EXPECT_EQ(loaded.SeriesCounter(), 17);
  EXPECT_EQ(loaded.CurrentDiagram().IsEqual(diagrams[2]), 1);
  std::size_t position = 0;
  for (const auto& d : diagrams) EXPECT_EQ(loaded.FindDiagram(d, position), 1);
}

TEST(HeegaardStoreLoad, InconsistentBucketsAreRefusedAndTheStoreKept) {
  THeegaardDiagramStore store;
  store.InitDiagramStore();
  const THeegaardDiagram kept = Diagram(1, 1, 0, 1, 0, 0, 0, 0);
  ASSERT_NE(store.AddDiagram(kept, nullptr), nullptr);

  const TDiagramRecord r = DiagramRecordOf(Diagram(1, 2, 0, 2, 0, 1, 0, 0));  // arc sum 8
  TDiagramRecord r2 = r;
  r2[6] = 1;
  std::vector<std::vector<TDiagramRecord>> wrongBucket(THeegaardDiagramStore::kBucketCount);
  wrongBucket[7] = {r};
  std::vector<std::vector<TDiagramRecord>> unsorted(THeegaardDiagramStore::kBucketCount);
  unsorted[8] = {r2, r};
  std::vector<std::vector<TDiagramRecord>> duplicate(THeegaardDiagramStore::kBucketCount);
  duplicate[8] = {r, r};
  std::vector<std::vector<TDiagramRecord>> tooFew(12);
  for (auto* buckets : {&wrongBucket, &unsorted, &duplicate, &tooFew}) {
    EXPECT_EQ(store.LoadBuckets(*buckets, 1, kept), 0);
    std::size_t position = 0;
    EXPECT_EQ(store.FindDiagram(kept, position), 1);
    EXPECT_EQ(store.DiagramStoreLoaded(), 0);
  }
}

TEST(HeegaardStoreLoad, AStopRequestDuringTheCheckLeavesTheStoreAsItWas) {
  THeegaardDiagramStore store;
  store.InitDiagramStore();
  const THeegaardDiagram kept = Diagram(1, 1, 0, 1, 0, 0, 0, 0);
  ASSERT_NE(store.AddDiagram(kept, nullptr), nullptr);
  // Many valid records in one bucket: the check walks them all.
  std::vector<std::vector<TDiagramRecord>> buckets(THeegaardDiagramStore::kBucketCount);
  TDiagramRecord r = DiagramRecordOf(Diagram(1, 2, 0, 2, 0, 1, 0, 0));
  for (std::uint16_t s = 0; s < 2000; ++s) {
    r[7] = s;
    buckets[static_cast<std::size_t>(ArcSumOfRecord(r))].push_back(r);
  }
  RequestStop();
  EXPECT_THROW(store.LoadBuckets(buckets, 1, kept), TComputationStopped);
  StopFlags().stop.store(0);
  std::size_t position = 0;
  EXPECT_EQ(store.FindDiagram(kept, position), 1);
  EXPECT_EQ(store.DiagramStoreLoaded(), 0);
}

}  // namespace
