#include <gtest/gtest.h>

#include <string>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "presentations/details/details_reader.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

// Two details glued to each other along all four faces, each face map the
// identity: a complete (if not manifold-like) description.
const char* const kTwoDetails =
    "Details:\n"
    "D1 = 1: D2_1 {1 2 3} 2: D2_2 {1 2 3} 3: D2_3 {1 2 3} 4: D2_4 {1 2 3}\n"
    "D2 = 1: D1_1 {1 2 3} 2: D1_2 {1 2 3} 3: D1_3 {1 2 3} 4: D1_4 {1 2 3}\n";

TEST(DetailsReader, RecognisesOnlyTheExactKeyword) {
  EXPECT_EQ(IsDetailsText("Details: A = "), 1);
  EXPECT_EQ(IsDetailsText("  % a comment\n%% block\n%%\n Details"), 1);
  EXPECT_EQ(IsDetailsText("details: A = "), 0);
  EXPECT_EQ(IsDetailsText("1 2 -1 -2"), 0);
  EXPECT_EQ(IsDetailsText(""), 0);
  EXPECT_EQ(IsDetailsText(nullptr), 0);
}

TEST(DetailsReader, CompleteGluingReadsAndReportsComplete) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, kTwoDetails, 1), 1) << LastStatus();
  EXPECT_EQ(DetailsErrorCode.load(), 0);
  EXPECT_EQ(LastStatus(), "Detail representation is complete");
  ASSERT_EQ(description.DetailCount(), 2);
  THandle d1 = description.DetailAt(0);
  THandle d2 = description.DetailAt(1);
  EXPECT_STREQ(d1.DisplayName(), "D1");
  EXPECT_EQ(d1.Number(), 1);
  EXPECT_EQ(d2.Number(), 2);
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(TDetail::Partner(d1, f).Object(), d2.Object());
    EXPECT_EQ(TDetail::PartnerFace(d1, f), f);
    for (int p = 0; p < 3; ++p) EXPECT_EQ(TDetail::Correspondence(d1, f, p), p);
  }
  // By name, as a handle: blanks around the name do not matter; an unknown
  // name gives a null handle.
  EXPECT_EQ(description.FindDetail(" D2 ").Object(), d2.Object());
  EXPECT_FALSE(description.FindDetail("D3").IsValid());
  EXPECT_FALSE(description.FindDetail(nullptr).IsValid());
}

TEST(DetailsReader, SubstitutionIsStoredBothWays) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  // Only one gluing: the rest stays undefined, which mode 2 allows.
  ASSERT_EQ(ParseDetails(description, "Details A1 = 1: B2_3 {3 1 2}", 2), 1) << LastStatus();
  THandle a = description.DetailAt(0);
  THandle b = description.DetailAt(1);
  ASSERT_TRUE(b.IsValid());
  EXPECT_STREQ(b.DisplayName(), "B2");
  EXPECT_EQ(TDetail::Correspondence(a, 0, 0), 2);
  EXPECT_EQ(TDetail::Correspondence(a, 0, 1), 0);
  EXPECT_EQ(TDetail::Correspondence(a, 0, 2), 1);
  EXPECT_EQ(TDetail::Correspondence(b, 2, 2), 0);
  EXPECT_EQ(TDetail::Correspondence(b, 2, 0), 1);
  EXPECT_EQ(TDetail::Correspondence(b, 2, 1), 2);
  int unglued = 0;
  EXPECT_EQ(description.CheckComplete(2, &unglued), 1);
  EXPECT_EQ(unglued, 6);
}

TEST(DetailsReader, PartnerNamedFirstIsFilledByItsOwnItemAndNumberedFromItsName) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  const char* text =
      "Details:\n"
      "Alpha = 1: D12_2 {1 3 2}\n"
      "D12 = 2: Alpha_1 {1 3 2} 1: D12_3 {2 1 3}\n";
  ASSERT_EQ(ParseDetails(description, text, 2), 1) << LastStatus();
  ASSERT_EQ(description.DetailCount(), 2);
  THandle d12 = description.DetailAt(1);
  EXPECT_STREQ(d12.DisplayName(), "D12");
  EXPECT_EQ(d12.Number(), 12);
  EXPECT_EQ(TDetail::PartnerFace(d12, 0), 2);
  EXPECT_EQ(TDetail::PartnerFace(d12, 2), 0);
}

TEST(DetailsReader, CommentsMayStandWhereBlanksMay) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  const char* text =
      "% two details\nDetails: %% a block\n comment %%\n"
      "D1 = 1: D2_1 % the first face\n {1 2 3} 2: D2_2 {1 2 3} 3: D2_3 {1 2 3} 4: D2_4 {1 2 3}\n"
      "D2 = 1: D1_1 {1 2 3} 2: D1_2 {1 2 3} 3: D1_3 {1 2 3} 4: D1_4 {1 2 3}\n";
  EXPECT_EQ(ParseDetails(description, text, 1), 1) << LastStatus();
}

struct TReaderErrorCase {
  const char* text;
  int type;
  const char* message;  // the whole status text
};

TEST(DetailsReader, ErrorsNameTheirLineAndToken) {
  const TReaderErrorCase cases[] = {
      {"details: D1 = 1: D1_2 {1 2 3}", kDetailsNoTitle,
       "Detail representation error : line 1 Title 'Details' of Detail representation is not "
       "found!"},
      {"Details:\nD1  1: D2_3 {1 2 3}", kDetailsMissingEquals,
       "Detail representation error : line 2 Missing '=' after the name of a detail!"},
      // A name does not run on over a line break to the next line's "=".
      {"Details\xb9\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2}", kDetailsMissingEquals,
       "Detail representation error : line 1 Missing '=' after the name of a detail!"},
      {"Details:\nD1 = 1: D2_3 {1 2 3}\n 7: D2_1 {1 2 3}", kDetailsBadSlot,
       "Detail representation error : line 3 '7' Incorrect gluing index, should be 1, 2, 3 or 4!"},
      {"Details: D1 = 1: D2 3 {1 2 3}", kDetailsMissingUnderscore,
       "Detail representation error : line 1 Missing '_' after the name of the adjacent detail!"},
      {"Details: D1 = 1: _3 {1 2 3}", kDetailsEmptyPartnerName,
       "Detail representation error : line 1 The name of an adjacent detail is expected before "
       "'_'!"},
      {"Details: D1 = 1: D2_3 {1 2 3}\nD1 = 1: D3_3 {1 2 3}", kDetailsPartnerRedefined,
       "Detail representation error : line 2 Gluing of D1_1 is already defined to detail 'D2'!"},
      {"Details: D1 = 1: D2_", kDetailsMissingPartnerSlot,
       "Detail representation error : line 1 Gluing index for an adjacent detail is expected, "
       "should be 1, 2, 3 or 4!"},
      {"Details: D1 = 1: D2_3", kDetailsBadPartnerSlot,
       "Detail representation error : line 1 '3' Incorrect gluing index for adjacent detail, "
       "should be 1, 2, 3 or 4!"},
      {"Details: D1 = 1: D2_5 {1 2 3}", kDetailsBadPartnerSlot,
       "Detail representation error : line 1 '5' Incorrect gluing index for adjacent detail, "
       "should be 1, 2, 3 or 4!"},
      {"Details: D1 = 1: D2_3 {1 2 3}\nD3 = 1: D2_3 {1 2 3}", kDetailsGluingRedefined,
       "Detail representation error : line 2 Gluing of D2_3 is already defined to detail "
       "'D1_1'!"},
      {"Details: D1 = 1: D2_3 {1 2 3}\nD1 = 1: D2_4 {1 2 3}", kDetailsGluingRedefined,
       "Detail representation error : line 2 Gluing of D1_1 is already defined to detail "
       "'D2_3'!"},
      {"Details: D1 = 1: D1_1 {1 2 3}", kDetailsGluedToItself,
       "Detail representation error : line 1 Gluing edge D1_1 to itself"},
      {"Details: D1 = 1: D2_3 1 2 3", kDetailsMissingBrace,
       "Detail representation error : line 1 '{' expected!"},
      {"Details: D1 = 1: D2_3 {1 1 2}", kDetailsBadSubstitution,
       "Detail representation error : line 1 Incorrect substitution gluing D1_1 and D2_3!"},
      {"Details: D1 = 1: D2_3 {1 2 4}", kDetailsBadSubstitution,
       "Detail representation error : line 1 Incorrect substitution gluing D1_1 and D2_3!"},
      {"Details: D1 = 1: D2_3 {1 2 3}\n\nD2 = 3: D1_1 {2 1 3}", kDetailsSubstitutionRedefined,
       "Detail representation error : line 3 Redefinition of substitution gluing D2_3 and D1_1!"},
      {"Details:", kDetailsNoDetails, "Detail representation error : There are no details!"},
      {"Details: D1 = 1: D2_3 {1 2 3}", kDetailsGluingUndefined,
       "Detail representation error : Gluing 4 of Detail 'D1' is not defined!"},
  };
  for (const TReaderErrorCase& c : cases) {
    TScopedModelHeap heap;
    TDetailsDescription description;
    EXPECT_EQ(ParseDetails(description, c.text, 1), 0) << c.text;
    EXPECT_EQ(DetailsErrorCode.load(), c.type) << c.text;
    EXPECT_EQ(LastStatus(), c.message) << c.text;
  }
}

TEST(DetailsReader, IncompleteGluingIsReportedForItsFace) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, "Details: D1 = 1: D2_3 {1 2 3}", 2), 1);
  // Break one correspondence by hand: the face is glued but not completely.
  TDetail::Of(description.DetailAt(0))->correspondence[0][1] = -1;
  EXPECT_EQ(description.CheckComplete(2), 0);
  EXPECT_EQ(DetailsErrorCode.load(), kDetailsGluingIncomplete);
  EXPECT_EQ(LastStatus(), "Detail representation error : Gluing 1 of Detail 'D1' is not complete!");
}

TEST(DetailsReader, FailedItemLeavesNoGluingToItsDetail) {
  TScopedModelHeap heap;
  {
    TDetailsDescription description;
    // D2 is made as D1's partner; its own item then fails and it is removed.
    EXPECT_EQ(ParseDetails(description, "Details: D1 = 1: D2_3 {1 2 3}\nD2 = 2: D3_1 {1 1 3}", 2), 0);
    ASSERT_EQ(description.DetailCount(), 2);  // D1 and D3 stay
    THandle d1 = description.FindDetailByName("D1") ? THandle(description.FindDetailByName("D1"))
                                                     : THandle();
    ASSERT_TRUE(d1.IsValid());
    EXPECT_EQ(description.FindDetailByName("D2"), nullptr);
    EXPECT_FALSE(TDetail::Partner(d1, 0).IsValid());
    EXPECT_EQ(TDetail::PartnerFace(d1, 0), -1);
    EXPECT_EQ(TDetail::Correspondence(d1, 0, 0), -1);
  }
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(DetailsReader, LongNamesAreRefusedAndNotConfused) {
  TScopedModelHeap heap;
  {
    TDetailsDescription description;
    std::string tooLong(1024, 'x');
    std::string text = "Details: " + tooLong + " = 1: D2_1 {1 2 3}";
    EXPECT_EQ(ParseDetails(description, text.c_str(), 2), 0);
    EXPECT_EQ(DetailsErrorCode.load(), kDetailsNameTooLong);
    EXPECT_EQ(description.DetailCount(), 0);
  }
  {
    // Two names that agree in their first 40 characters are two details.
    TDetailsDescription description;
    std::string stem(40, 'a');
    std::string text = "Details: " + stem + "1 = 1: " + stem + "2_1 {1 2 3}";
    ASSERT_EQ(ParseDetails(description, text.c_str(), 2), 1) << LastStatus();
    EXPECT_EQ(description.DetailCount(), 2);
  }
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

// Details named as the details of a spine are ("v1", "v2", ...): a detail
// just made displays as "v" and its number before it is named.
TEST(DetailsReader, NamesLikeDisplayNames) {
  TScopedModelHeap heap;
  {
    TDetailsDescription description;
    const char* text =
        "Details:\n"
        "v1 = 1: v1_2 {1 3 2} 3: v2_1 {1 3 2}\n"
        "v2 = 2: v2_3 {1 3 2} 4: v1_4 {1 3 2}\n";
    ASSERT_EQ(ParseDetails(description, text, 1), 1) << LastStatus();
    EXPECT_EQ(description.DetailCount(), 2);
  }
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(DetailsReader, LineNumbersCountLineFeedsFromOne) {
  EXPECT_EQ(LineNumberAt("abc", 0), 1u);
  EXPECT_EQ(LineNumberAt("a\nb\r\nc", 5), 3u);
  EXPECT_EQ(LineNumberAt("a\n", 1), 1u);
  EXPECT_EQ(LineNumberAt("a\n", 2), 2u);
}

}  // namespace
