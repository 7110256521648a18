#include "foundation/packed_record_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct TKeys {
  std::int16_t orientable;
  std::int16_t euler;
};

std::vector<std::array<std::int16_t, 3>> Keyed(const TPackedRecordList& list) {
  std::vector<std::array<std::int16_t, 3>> out;
  for (int i = 0; i < list.Count(); ++i) {
    const TPackedRecordEntry& e = list.Entry(i);
    out.push_back({e.key1, e.key2, static_cast<std::int16_t>(e.multiplicity)});
  }
  return out;
}

TEST(TPackedRecordList, DuplicateKeyedEntryRaisesItsMultiplicity) {
  TPackedRecordList list;
  int index = -5;
  list.AddKeyed(true, 1, 0, false, &index);
  EXPECT_EQ(index, 0);
  list.AddKeyed(true, 1, 0, false, &index);
  EXPECT_EQ(index, 0);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Entry(0).multiplicity, 2);
  EXPECT_EQ(list.FindKeyed(1, 0, &index), 2);
  EXPECT_EQ(list.FindKeyed(0, 0, &index), 0);
  EXPECT_EQ(index, -1);

  TPackedRecordList quiet;
  quiet.AddKeyed(true, 1, 0, false);
  quiet.AddKeyed(true, 1, 0, true);
  EXPECT_EQ(quiet.Entry(0).multiplicity, 1) << "noCount leaves the multiplicity";
  quiet.AddKeyed(true, 0, 2, true);
  EXPECT_EQ(quiet.FindKeyed(0, 2), 0);
  EXPECT_EQ(quiet.SumFirstFields(), 1u);

  for (int i = 0; i < 70000; ++i) quiet.AddKeyed(true, 1, 0, false);
  EXPECT_EQ(quiet.FindKeyed(1, 0), 0xFFFF) << "multiplicities stop instead of wrapping";
}

TEST(TPackedRecordList, KeyedEntriesTakeOneOrderWhateverTheInsertionOrder) {
  // Descending Euler characteristic; orientable before non-orientable.
  std::vector<TKeys> keys = {{1, 0}, {0, -2}, {1, 2}, {0, 0}, {1, -2}};
  const std::vector<std::array<std::int16_t, 3>> expected = {
      {1, 2, 1}, {1, 0, 1}, {0, 0, 1}, {1, -2, 1}, {0, -2, 1}};
  std::sort(keys.begin(), keys.end(), [](TKeys a, TKeys b) {
    return std::tie(a.orientable, a.euler) < std::tie(b.orientable, b.euler);
  });
  int orders = 0;
  do {
    TPackedRecordList list;
    for (TKeys k : keys) list.AddKeyed(true, k.orientable, k.euler, false);
    ASSERT_EQ(Keyed(list), expected);
    ++orders;
  } while (std::next_permutation(keys.begin(), keys.end(), [](TKeys a, TKeys b) {
    return std::tie(a.orientable, a.euler) < std::tie(b.orientable, b.euler);
  }));
  EXPECT_EQ(orders, 120);
}

// A disconnected surface: a plain entry in front whose slots point at the
// keyed entries of its components, which follow the insertions.
TEST(TPackedRecordList, SlotsFollowTheEntriesTheyPointAt) {
  TPackedRecordList list;
  list.AddKeyed(true, 1, 0, false);  // a torus
  int plain = -1, sphere = -1, klein = -1;
  list.AddKeyed(false, 0, 0, false, &plain);
  EXPECT_EQ(plain, 0);
  EXPECT_EQ(list.Entry(0).key1, -1);
  EXPECT_EQ(list.Entry(0).key2, 3);
  list.AddKeyed(true, 1, 2, true, &sphere);
  list.Entry(plain).neighbours[0] = static_cast<std::int16_t>(sphere);
  list.AddKeyed(true, 0, 0, true, &klein);
  list.Entry(plain).neighbours[1] = static_cast<std::int16_t>(klein);
  EXPECT_EQ(sphere, 1);
  EXPECT_EQ(klein, 3);
  // A projective plane lands between the sphere and the torus; the slot of
  // the Klein bottle moves with it.
  list.AddKeyed(true, 0, 1, false);
  const TPackedRecordEntry& head = list.Entry(0);
  EXPECT_EQ(head.neighbours, (std::array<std::int16_t, 4>{1, 4, -1, -1}));
  EXPECT_EQ(list.Entry(head.neighbours[0]).key2, 2);
  EXPECT_EQ(list.Entry(head.neighbours[1]).key1, 0);
  EXPECT_EQ(list.Entry(head.neighbours[1]).key2, 0);
  EXPECT_EQ(list.SumFirstFields(), 3u);  // torus, plain, projective plane
}

TEST(TPackedRecordList, NormaliseMergesEqualPlainEntries) {
  TPackedRecordList list;
  list.AddKeyed(true, 1, 2, true);
  list.AddKeyed(true, 1, 0, true);
  for (int i = 0; i < 3; ++i) list.AddKeyed(false, 0, 0, false);
  ASSERT_EQ(list.Count(), 5);
  ASSERT_EQ(list.Entry(3).key2, 2);  // the sphere
  ASSERT_EQ(list.Entry(4).key2, 0);  // the torus
  list.Entry(0).neighbours = {3, 3, -1, -1};  // two spheres
  list.Entry(1).neighbours = {4, 3, 3, -1};   // two spheres and a torus
  list.Entry(2).neighbours = {3, 3, -1, -1};  // two spheres again
  list.Normalise();

  // The two equal entries merge and the slots follow the keyed entries,
  // which moved down by one; the entry dominated slot by slot goes last.
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Size(), 8 + 16 * 4);
  EXPECT_EQ(list.Entry(0).neighbours, (std::array<std::int16_t, 4>{2, 2, 3, -1}));
  EXPECT_EQ(list.Entry(0).multiplicity, 1);
  EXPECT_EQ(list.Entry(1).neighbours, (std::array<std::int16_t, 4>{2, 2, -1, -1}));
  EXPECT_EQ(list.Entry(1).multiplicity, 2);
  EXPECT_EQ(list.Entry(2).key2, 2);
  EXPECT_EQ(list.Entry(3).key2, 0);

  // Two descriptions of one surface, built in different orders, agree.
  TPackedRecordList other;
  other.AddKeyed(true, 1, 0, true);
  other.AddKeyed(true, 1, 2, true);
  for (int i = 0; i < 3; ++i) other.AddKeyed(false, 0, 0, false);
  other.Entry(0).neighbours = {3, 3, 4, -1};
  other.Entry(1).neighbours = {3, 3, -1, -1};
  other.Entry(2).neighbours = {3, 3, -1, -1};
  other.Normalise();
  EXPECT_EQ(other, list);
}

TEST(TPackedRecordListSet, MembersStandInDescendingRankWithoutDuplicates) {
  TPackedRecordList torus;
  torus.AddKeyed(true, 1, 0, false);
  TPackedRecordList two_tori = torus;
  two_tori.AddKeyed(true, 1, 0, false);
  TPackedRecordList sphere;
  sphere.AddKeyed(true, 1, 2, false);
  TPackedRecordList klein;
  klein.AddKeyed(true, 0, 0, false);
  TPackedRecordList empty;

  EXPECT_TRUE(TPackedRecordList::Compare(sphere, two_tori));
  EXPECT_TRUE(TPackedRecordList::Compare(two_tori, torus));
  EXPECT_TRUE(TPackedRecordList::Compare(torus, klein)) << "the orientable pass comes first";
  EXPECT_TRUE(TPackedRecordList::Compare(klein, empty));
  EXPECT_FALSE(TPackedRecordList::Compare(empty, klein));
  EXPECT_FALSE(TPackedRecordList::Compare(torus, torus));

  std::vector<const TPackedRecordList*> lists = {&torus, &two_tori, &sphere, &klein, &empty};
  std::sort(lists.begin(), lists.end());
  do {
    TPackedRecordListSet set;
    for (const TPackedRecordList* l : lists) ASSERT_TRUE(set.Add(*l));
    ASSERT_EQ(set.Count(), 5);
    EXPECT_EQ(*set.At(0), sphere);
    EXPECT_EQ(*set.At(1), two_tori);
    EXPECT_EQ(*set.At(2), torus);
    EXPECT_EQ(*set.At(3), klein);
    EXPECT_EQ(*set.At(4), empty);
  } while (std::next_permutation(lists.begin(), lists.end()));

  TPackedRecordListSet set;
  ASSERT_TRUE(set.Add(torus));
  const int size = set.Size();
  TPackedRecordList same;
  same.AddKeyed(true, 1, 0, false);
  EXPECT_TRUE(set.ContainsEqual(same));
  EXPECT_FALSE(set.Add(same));
  EXPECT_EQ(set.Count(), 1);
  EXPECT_EQ(set.Size(), size);
  EXPECT_EQ(set.At(1), nullptr);
  EXPECT_EQ(set.At(-1), nullptr);
}

TEST(TPackedRecordList, ImagesRoundTrip) {
  TPackedRecordList empty;
  const std::vector<std::uint8_t> empty_image = empty.Image();
  EXPECT_EQ(empty_image, (std::vector<std::uint8_t>{24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF,
                                                    3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  TPackedRecordList list;
  list.AddKeyed(true, 1, -2, false);
  list.AddKeyed(false, 0, 0, false);
  list.Entry(0).neighbours[0] = 1;
  const std::vector<std::uint8_t> image = list.Image();
  ASSERT_EQ(image.size(), 40u);
  EXPECT_EQ(image[0], 40);
  EXPECT_EQ(image[4], 2);
  std::optional<TPackedRecordList> back = TPackedRecordList::FromImage(image);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, list);

  TPackedRecordListSet set;
  EXPECT_EQ(set.Size(), 32);
  EXPECT_EQ(set.Image(), std::vector<std::uint8_t>({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0}));
  set.Add(list);
  set.Add(empty);
  EXPECT_EQ(set.Size(), 32 + 40 + 24);
  std::optional<TPackedRecordListSet> set_back = TPackedRecordListSet::FromImage(set.Image());
  ASSERT_TRUE(set_back);
  EXPECT_EQ(set_back->Image(), set.Image());
  EXPECT_EQ(*set_back->At(0), list);

  // Malformed images are refused, never read past their end.
  std::vector<std::uint8_t> truncated(image.begin(), image.end() - 1);
  EXPECT_FALSE(TPackedRecordList::FromImage(truncated));
  std::vector<std::uint8_t> wrong_count = image;
  wrong_count[4] = 3;
  EXPECT_FALSE(TPackedRecordList::FromImage(wrong_count));
  std::vector<std::uint8_t> negative = image;
  negative[7] = 0x80;
  EXPECT_FALSE(TPackedRecordList::FromImage(negative));
  std::vector<std::uint8_t> set_image = set.Image();
  set_image[4] = 9;  // more members than the bytes hold
  EXPECT_FALSE(TPackedRecordListSet::FromImage(set_image));
  set_image = set.Image();
  set_image[0] = 200;  // size beyond the image
  EXPECT_FALSE(TPackedRecordListSet::FromImage(set_image));
  EXPECT_FALSE(TPackedRecordListSet::FromImage(std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
