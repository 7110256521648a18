#include "foundation/pointer_count_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>
#include <vector>

namespace {

// Keys as real heap addresses are: equally spaced, so that many share a probe
// run, and removed in an order that forces the backward shift across the wrap
// of the table. Every step is checked against a node-based reference.
TEST(PointerCountMap, AgreesWithAReferenceUnderRandomAddsAndRemoves) {
  std::vector<unsigned char> arena(64 * 4000);
  std::vector<const void*> keys;
  for (std::size_t i = 0; i < 4000; ++i) keys.push_back(arena.data() + 64 * i);
  TPointerCountMap map;
  std::unordered_map<const void*, int> reference;
  std::mt19937 random(7);
  for (int step = 0; step < 60000; ++step) {
    const void* key = keys[random() % (step < 30000 ? keys.size() : 300)];
    if (random() % 3 != 0) {
      map.Add(key);
      ++reference[key];
    } else {
      map.Remove(key);
      auto found = reference.find(key);
      if (found != reference.end() && --found->second == 0) reference.erase(found);
    }
    if (step % 997 == 0) {
      for (const void* probe : keys) {
        ASSERT_EQ(map.Count(probe), reference.count(probe) ? reference[probe] : 0) << step;
      }
    }
  }
  for (const void* probe : keys) {
    ASSERT_EQ(map.Count(probe), reference.count(probe) ? reference[probe] : 0);
  }
  EXPECT_EQ(map.Size(), reference.size());
}

TEST(PointerCountMap, NullAndAbsentKeysAndClear) {
  TPointerCountMap map;
  int a = 0;
  int b = 0;
  map.Remove(&a);  // absent in an empty map
  map.Add(nullptr);
  EXPECT_EQ(map.Size(), 0u);
  EXPECT_FALSE(map.Contains(nullptr));
  map.Add(&a);
  map.Add(&a);
  map.Remove(&b);
  EXPECT_EQ(map.Count(&a), 2);
  map.Remove(&a);
  EXPECT_TRUE(map.Contains(&a));
  map.Remove(&a);
  EXPECT_FALSE(map.Contains(&a));
  map.Add(&b);
  map.Clear();
  EXPECT_EQ(map.Size(), 0u);
  EXPECT_EQ(map.Count(&b), 0);
}

// Sizing ahead rehashes what is there and keeps every count, and a smaller
// request later never loses entries.
TEST(PointerCountMap, ReserveKeepsTheCounts) {
  std::vector<int> cells(100);
  TPointerCountMap map;
  for (int i = 0; i < 40; ++i) map.Add(&cells[i]);
  map.Add(&cells[3]);
  map.Reserve(5000);
  for (int i = 40; i < 100; ++i) map.Add(&cells[i]);
  map.Reserve(1);
  EXPECT_EQ(map.Size(), 100u);
  EXPECT_EQ(map.Count(&cells[3]), 2);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(map.Contains(&cells[i])) << i;
  map.Remove(&cells[50]);
  EXPECT_FALSE(map.Contains(&cells[50]));
  EXPECT_EQ(map.Size(), 99u);
}

}  // namespace
