#include "foundation/string_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::vector<std::string> Contents(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.emplace_back(list.At(i));
  return out;
}

TEST(TStringList, SortedModeKeepsOneCopyInOrder) {
  TStringList list;
  bool added = false;
  EXPECT_EQ(list.Add("b", &added), 0);
  EXPECT_TRUE(added);
  EXPECT_EQ(list.Add("a", &added), 0);
  EXPECT_TRUE(added);
  EXPECT_EQ(list.Add("b", &added), 1);
  EXPECT_FALSE(added);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"a", "b"}));

  for (const char* text : {"m", "c", "z", "a0", "", "b"}) list.Add(text);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"", "a", "a0", "b", "c", "m", "z"}));
  int index = -5;
  EXPECT_TRUE(list.Find("c", &index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find("d", &index));
  EXPECT_EQ(index, 5);
  EXPECT_FALSE(list.Find("zz", &index));
  EXPECT_EQ(index, 7);
  EXPECT_EQ(list.At(7), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);
}

TEST(TStringList, InsertionOrderKeepsDuplicates) {
  TStringList list(4, TStringList::kInsertionOrder);
  bool added = false;
  list.Add("b");
  list.Add("a");
  EXPECT_EQ(list.Add("b", &added), 2);
  EXPECT_TRUE(added);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"b", "a", "b"}));
  int index = -5;
  EXPECT_TRUE(list.Find("b", &index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list.Find("c", &index));
  EXPECT_EQ(index, 3);
}

TEST(TStringList, EmptyListFindsNothing) {
  TStringList list;
  int index = 7;
  EXPECT_FALSE(list.Find("x", &index));
  EXPECT_EQ(index, -1);
  list.SetMode(TStringList::kInsertionOrder);
  EXPECT_FALSE(list.Find("x", &index));
  EXPECT_EQ(index, -1);
}

TEST(TStringList, PairsAreKeyedByName) {
  TStringList list;
  list.SetExtra(1);
  list.AddPair("beta", "2");
  list.AddPair("alpha", "1");
  bool added = true;
  EXPECT_EQ(list.AddPair("beta", "other", &added), 1);
  EXPECT_FALSE(added);
  const char* value = nullptr;
  EXPECT_STREQ(list.PairAt(1, &value), "beta");
  EXPECT_STREQ(value, "2");
  EXPECT_TRUE(list.Find("alpha"));
  EXPECT_FALSE(list.Find("1"));
  // Addresses stay put while the list grows.
  const char* alpha = list.At(0);
  for (int i = 0; i < 100; ++i) list.AddPair(("k" + std::to_string(i)).c_str(), "v");
  int index = -1;
  ASSERT_TRUE(list.Find("alpha", &index));
  EXPECT_EQ(list.At(index), alpha);
  EXPECT_EQ(list.PairAt(1000, &value), nullptr);
  EXPECT_EQ(value, nullptr);
  list.FreeStrings();
  EXPECT_EQ(list.Count(), 0);
}

class TStringListFile : public testing::Test {
 protected:
  void TearDown() override { std::remove(path_.c_str()); }
  std::string ReadBack() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // One file per process and test: ctest runs the tests of this fixture at once.
  std::string path_ = testing::TempDir() + "string_list_test_" + std::to_string(getpid()) + "_" +
                      testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
};

TEST_F(TStringListFile, WriteAndReadRoundTrip) {
  TStringList pairs(0, TStringList::kInsertionOrder);
  pairs.SetExtra(1);
  pairs.AddPair("{a b c}", "1 0");
  pairs.AddPair("", "empty name");
  pairs.AddPair("x", "");
  ASSERT_TRUE(pairs.Write(path_.c_str()));
  EXPECT_EQ(ReadBack(), "{a b c}\r\n1 0\r\n\r\nempty name\r\nx\r\n\r\n");

  TStringList back(0, TStringList::kInsertionOrder);
  back.SetExtra(1);
  EXPECT_EQ(back.Read(path_.c_str(), false), 3);
  EXPECT_EQ(back.Count(), 0);
  EXPECT_EQ(back.Read(path_.c_str(), true), 3);
  ASSERT_EQ(back.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    const char* v1 = nullptr;
    const char* v2 = nullptr;
    EXPECT_STREQ(back.PairAt(i, &v1), pairs.PairAt(i, &v2));
    EXPECT_STREQ(v1, v2);
  }

  TStringList sorted;
  for (const char* s : {"delta", "alpha", "charlie"}) sorted.Add(s);
  ASSERT_TRUE(sorted.Write(path_.c_str()));
  TStringList sorted_back;
  EXPECT_EQ(sorted_back.Read(path_.c_str(), true), 3);
  EXPECT_EQ(Contents(sorted_back), Contents(sorted));
}

TEST_F(TStringListFile, RefusesWhatWouldNotReadBack) {
  TStringList list;
  list.Add("one\r\ntwo");
  EXPECT_FALSE(list.Write(path_.c_str()));
  TStringList missing;
  EXPECT_EQ(missing.Read((path_ + ".absent").c_str(), true), 0);
  EXPECT_EQ(missing.Count(), 0);

  std::ofstream(path_, std::ios::binary) << "name\nvalue\rlast";
  TStringList odd(0, TStringList::kInsertionOrder);
  odd.SetExtra(1);
  EXPECT_EQ(odd.Read(path_.c_str(), true), 2);
  const char* value = nullptr;
  EXPECT_STREQ(odd.PairAt(1, &value), "last");
  EXPECT_STREQ(value, "") << "a name without a value line";
}

}  // namespace
