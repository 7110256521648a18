// The link text: recognition, reading, framings, the writer and every
// numbered reader error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/message_box.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "presentations/links/link.h"

namespace {

std::vector<int> Code(const TLink& link, int component) {
  std::vector<int> code;
  for (int k = 0; k < link.CodeLength(component, 0); ++k) {
    const TLinkCodeEntry* e = link.CodeEntry(component, k, 0);
    code.push_back(e->kind == 1 ? e->number : 1000 * (e->side + 1) + e->number);
  }
  return code;
}

std::string Framing(const TLink& link, int component) {
  std::int16_t p = 0;
  std::int16_t q = 0;
  if (link.Framing(component, p, q) == 0) return "none";
  return std::to_string(p) + "/" + std::to_string(q);
}

TEST(LinkTextTest, RecognisesLinkBlocksByWholeWords) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"link code 1 -1 end", 1},
      {"  LINK\r\n Code 1 -1\r\nEND\r\n", 1},
      {"% a trefoil\nlink %% block\ncomment %%\ncode 1 -1 end", 1},
      {"link\tcode 1 -1\nend\n% end of the text", 1},
      {"linked cells\n1 2 3\nend", 0},            // "linked" is not the word "link"
      {"link code 1 -1 legend", 0},               // "end" only inside a word
      {"link code 1 -1 endless", 0},
      {"cells\nlink code 1 -1 end", 0},           // must begin with "link"
      {"% link code 1 -1 end", 0},                // commented out
      {"link code 1 -1", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IsLinkText(c.text), c.expected) << c.text;
  EXPECT_EQ(IsLinkText(nullptr), 0);
}

TEST(LinkTextTest, GivesTheNormalisedBlockThroughTheFirstEnd) {
  std::size_t end = 0;
  TString block;
  ASSERT_EQ(IsLinkText("Link\n  CODE 1 -1\n END\nlink code 2 -2 end", &end, &block), 1);
  EXPECT_STREQ(block.CStr(), "link code 1 -1 end");
  EXPECT_EQ(end, 18u);
}

TEST(LinkTextTest, ReadsTheTrefoilInAnyCaseAndLayout) {
  const char* texts[] = {
      "link code 1 -2 3 -1 2 -3 end",
      "LINK Code 1 -2 3 -1 2 -3 END",
      "%% header %%\nLink\n crossings 3\n code 1,-2, 3 % over and under\n -1 2 -3\nEnd\n",
  };
  for (const char* text : texts) {
    TLink link;
    ASSERT_EQ(link.Parse(text, kLinkParseOrdinary), 1) << text;
    EXPECT_EQ(link.Status(), 1u);
    EXPECT_EQ(link.CrossingCount(), 3);
    EXPECT_EQ(link.ComponentCount(), 1);
    EXPECT_EQ(link.CodeEntryCount(), 6);
    EXPECT_EQ(Code(link, 0), (std::vector<int>{1, -2, 3, -1, 2, -3}));
    EXPECT_EQ(link.CrossingSign(1), 1);
    EXPECT_EQ(link.IsClassical(), 1);
    EXPECT_EQ(Framing(link, 0), "0/0");
  }
}

TEST(LinkTextTest, ReadsFramingsAndNormalisesThem) {
  TLink link;
  ASSERT_EQ(link.Parse("link code 1 -2 framing 0 code 2 -1 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(link.ComponentCount(), 2);
  EXPECT_EQ(Framing(link, 0), "0/1");
  EXPECT_EQ(Framing(link, 1), "0/0");
  EXPECT_EQ(Framing(link, 2), "none");

  struct Case {
    const char* framing;
    const char* stored;
  };
  const Case cases[] = {
      {"3", "3/1"},     {"-3", "-3/1"}, {"2/3", "2/3"},   {"2 3", "2/3"}, {"2 / 3", "2/3"},
      {"-2/-3", "2/3"}, {"2/-3", "-2/3"}, {"-1/0", "1/0"}, {"1/0", "1/0"}, {"0/-1", "0/1"},
  };
  for (const Case& c : cases) {
    std::string text = std::string("link code 1 -1 framing ") + c.framing + " end";
    TLink one;
    ASSERT_EQ(one.Parse(text.c_str(), kLinkParseOrdinary), 1) << text;
    EXPECT_EQ(Framing(one, 0), c.stored) << text;
  }
  EXPECT_EQ(link.SetFraming(1, 5, 2), 1);
  EXPECT_EQ(Framing(link, 1), "5/2");
  EXPECT_EQ(link.SetFraming(2, 5, 2), 0);
}

TEST(LinkTextTest, DowkerCodesStandForTheirGaussCodes) {
  TLink dowker;
  ASSERT_EQ(dowker.Parse("link dowkercode 4 6 8 2 end", kLinkParseOrdinary), 1);
  TLink gauss;
  ASSERT_EQ(gauss.Parse("link code 1 -4 2 -1 3 -2 4 -3 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(Code(dowker, 0), Code(gauss, 0));
  EXPECT_EQ(dowker.CodeEntryCount(), 8);

  // The trefoil's Dowker code numbers its crossings in another order: the
  // codes agree once crossings 2 and 3 are renamed.
  TLink trefoil;
  ASSERT_EQ(trefoil.Parse("link DowkerCode 4 6 2 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(trefoil.CrossingCount(), 3);
  EXPECT_EQ(trefoil.CodeEntryCount(), 6);
  std::vector<int> renamed;
  for (int e : Code(trefoil, 0)) renamed.push_back(std::abs(e) == 1 ? e : (e > 0 ? 5 - e : -5 - e));
  EXPECT_EQ(renamed, (std::vector<int>{1, -2, 3, -1, 2, -3}));

  // A negative entry exchanges over and under at that crossing.
  TLink mirrored;
  ASSERT_EQ(mirrored.Parse("link dowkercode -4 6 2 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(Code(mirrored, 0), (std::vector<int>{-1, -3, 2, 1, 3, -2}));
}

TEST(LinkTextTest, SurfaceDiagramsGetTheirPartnerPoints) {
  TLink link;
  ASSERT_EQ(link.Parse("link T^2 signs 1 code 1 -1 l1 t1 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(link.IsOnTorus(), 1);
  EXPECT_EQ(link.IsClassical(), 0);
  // l1 is followed by the partner r1, t1 by b1 (l = 1000 + k, t = 2000 + k, ...).
  EXPECT_EQ(Code(link, 0), (std::vector<int>{1, -1, 1001, 3001, 2001, 4001}));
  EXPECT_EQ(link.SidePointCount(), 4);

  TLink written;
  ASSERT_EQ(written.Parse("link t^2 signs 1 code 1 -1 l1 r1 t1 b1 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(Code(written, 0), Code(link, 0));

  TLink klein;
  ASSERT_EQ(klein.Parse("link k^2 signs -1 code 1 -1 l1 t1 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(klein.IsOnKleinBottle(), 1);
  EXPECT_EQ(klein.PairOrientation(0), -1);
  EXPECT_EQ(klein.PairOrientation(1), 1);
  EXPECT_EQ(link.PairOrientation(1), -1);
}

TEST(LinkTextTest, TheWriterRoundTrips) {
  const char* texts[] = {
      "link code 1 -2 3 -1 2 -3 framing -2/3 end",
      "link code 1 -2 framing 1/0 code 2 -1 framing 5 end",
      "link t^2 signs 1 code 1 -1 l1 t1 end",
      "link k^2 signs -1 code 1 -1 l1 t1 end",
  };
  for (const char* text : texts) {
    TLink link;
    ASSERT_EQ(link.Parse(text, kLinkParseOrdinary), 1) << text;
    TOutput output;
    PrintLink(output, link);
    TLink again;
    ASSERT_EQ(again.Parse(output.Text(), kLinkParseOrdinary), 1) << output.Text();
    EXPECT_EQ(again.IsOnTorus(), link.IsOnTorus());
    EXPECT_EQ(again.IsOnKleinBottle(), link.IsOnKleinBottle());
    ASSERT_EQ(again.ComponentCount(), link.ComponentCount());
    for (int i = 0; i < link.ComponentCount(); ++i) {
      EXPECT_EQ(Code(again, i), Code(link, i));
      EXPECT_EQ(Framing(again, i), Framing(link, i));
    }
    for (int x = 1; x <= link.CrossingCount(); ++x) EXPECT_EQ(again.CrossingSign(x), link.CrossingSign(x));
  }
  TOutput output;
  TLink trefoil;
  ASSERT_EQ(trefoil.ParseAndPrint(output, "link code 1 -2 3 -1 2 -3 framing 2/3 end"), 1);
  EXPECT_STREQ(output.Text(),
               "link\r\ncrossings 3\r\nsigns 1 1 1\r\ncode 1 -2 3 -1 2 -3\r\nframing 2/3\r\nend\r\n\r\n");
}

// One row per numbered error: the text that raises it and the message.
class LinkErrorTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearMessageBoxLog(); }
};

TEST_F(LinkErrorTest, EveryErrorHasItsNumberAndText) {
  struct Case {
    const char* text;
    int mode;
    unsigned status;
    const char* message;
  };
  const Case cases[] = {
      {"link crossings x3 code 1 -1 end", 1, 2, "The string 'x3' is not a number"},
      {"link crossings 0 code 1 -1 end", 1, 3, "The given number of crossings  0 is not positive"},
      {"link code 1 -2 3 -1 2 -3 signs 1 1 2 end", 1, 4, "The sign of the crossing 3 should be 1 or -1"},
      {"link signs 1 code 1 -2 3 -1 2 -3 end", 1, 4, "The sign of the crossing 2 should be 1 or -1"},
      {"link crossings 1 end", 1, 6, "The keywords 'code' and 'DowkerCode' are missing"},
      {"link code 1 -1 framing 2 junk code 2 -2 end", 1, 6,
       "The keywords 'code' and 'DowkerCode' are missing"},
      {"link code 1 -1 code end", 1, 7,
       "The code of the component number 2 contains invalid characters 'end'"},
      {"link code 1x -1 end", 1, 7, "The code of the component number 1 contains invalid characters '1x'"},
      {"link code 1 -1 2 end", 1, 8, "The Gauss code consists of an odd number of entries (3)"},
      {"link crossings 4 code 1 -2 2 -1 end", 1, 9,
       "The given number of crossings (4) does not correspond to the length of the Gauss code (4)"},
      {"link code 1 0 end", 1, 10, "The code of component number 1 contains 0, which is forbidden"},
      {"link code 1 -3 end", 1, 11,
       "The code of component number 1 contains entry -3 which is greater than the number of crossings"},
      {"link dowkercode 4 2 dowkercode 2 end", 1, 12, "Dowker code is realized only for knots"},
      {"link dowkercode 4 5 2 end", 1, 13, "Odd entry 5 in the Dowker code"},
      {"link dowkercode 4 8 2 end", 1, 14, "Entry 6 is missing from the Dowker code"},
      {"link code 1 -1 -2 -2 end", 1, 15, "Entry 2 is missing from the Gauss code"},
      {"link code 1 1 -1 -2 end", 1, 16, "The Gauss code contains entry 1 twice"},
      {"link code 1 2 -2 2 end", 1, 17, "Entry -1 is missing from the Gauss code"},
      {"link code 1 -1 -1 2 -2 -2 end", 1, 18, "The Gauss code contains entry -1 twice"},
      {"link code 1 2 code -1 -2 3 -3 end", 1, 19, "Code of component 1 contains only positive numbers"},
      {"link code 1 -1 2 3 code -2 -3 end", 1, 20, "Code of component 2 contains only negotive numbers"},
      {"link code 1 -1 framing x end", 1, 21,
       "The framing of the component number 1 contains invalid characters 'x'"},
      {"link code 1 -1 framing 2/ end", 1, 21,
       "The framing of the component number 1 contains invalid characters '/'"},
      {"link code 1 -1 framing 0/2 end", 1, 22,
       "The framing (0,2) of component number 1 is incorrect, since the integers should be coprime"},
      {"link code 1 -1 framing 0/0 end", 1, 22,
       "The framing (0,0) of component number 1 is incorrect, since the integers should be coprime"},
      {"link code 1 -1 framing 2/4 end", 1, 23,
       "The framing (2,4) of component number 1 is incorrect, since the integers should be coprime"},
      {"link code 1 -1 code 2 -2 end", 1, 24, "The link diagram is not connected"},
      {"link code 1 -2 -1 2 end", 1, 25, "The code is not a valid Gauss code"},
      {"link code -3 -2 2 code -1 1 3 end", 1, 26, "The code is not a valid Gauss code"},
      {"link t^2 signs 1 -1 code -1 2 t1 1 -2 l1 end", 1, 27, "The given signs are not valid"},
      {"link t^2 code 1 -1 l1 t1 end", 1, 29, "Signs of double points should be explicitly specified"},
      {"link t^2 signs 1 1 1 dowkercode 4 6 2 end", 1, 30,
       "Dowker code is realized for knots in S^3, use Gauss code"},
      {"link t^2 signs 1 code 1 -1 end", 1, 31,
       "The specified code does not contains crossings with sides of polygone"},
      {"link t^2 signs 1 code 1 -1 l1 end", 1, 32,
       "The specified code does not contains crossings with sides 't' or 'b'"},
      {"link t^2 signs 1 code l1 1 -1 t1 end", 1, 33,
       "The Gauss code should start with specification of double point"},
      {"link t^2 signs 1 code 1 -1 l0 t1 end", 1, 34, "'l0' : Non-positive number is used"},
      {"link t^2 signs 1 code 1 -1 l2 t1 end", 1, 35, "The code does not contains entries l1=r2"},
      {"link t^2 signs 1 code 1 -1 l1 l1 t1 end", 1, 36, "The diagram comes through l1=r1 twice"},
      {"link t^2 signs 1 code 1 -1 l1 t1 framing 1 end", 1, 38,
       "Framing is implemented for classical knots and links only!"},
      {"link code 1 -99999999999 end", 1, 45, "The number '-99999999999' is out of range"},
      {"link code 1 -1 framing 40000 end", 1, 45, "The number '40000' is out of range"},
      {"link crossings 20000 code 1 -1 end", 1, 46, "The link diagram is too large (20000 crossings and 0 side points)"},
      {"link code 1 -1 crossings 1 end", 1, 51,
       "The link text has the word 'crossings' out of order: the order is link, [crossings N], "
       "[t^2 or k^2], [signs ...], each component's code (or dowkercode) followed by its "
       "framing, [signs ...], end"},
      {"link crossings 1 junk code 1 -1 end", 1, 48, "The link text contains the unexpected word 'junk'"},
  };
  for (const Case& c : cases) {
    ClearMessageBoxLog();
    TLink link;
    EXPECT_EQ(link.Parse(c.text, c.mode), 0) << c.text;
    EXPECT_EQ(link.Status(), c.status) << c.text;
    EXPECT_STREQ(link.ErrorText().CStr(), c.message) << c.text;
    // The tables of a failed parse are not kept.
    EXPECT_EQ(link.CrossingCount(), 0) << c.text;
    EXPECT_EQ(link.ComponentCount(), 0) << c.text;
    // The message was shown in a box (answered by default here) and as the status text.
    std::vector<std::string> boxes = MessageBoxLog();
    ASSERT_FALSE(boxes.empty()) << c.text;
    EXPECT_EQ(boxes.back(), c.message) << c.text;
    TString status;
    GetLastStatusText(status);
    EXPECT_STREQ(status.CStr(), c.message) << c.text;
  }
}

TEST_F(LinkErrorTest, EveryOneSidedComponentIsReportedAndTheLastOneKept) {
  // Both components offend; each is reported and the status keeps the last.
  TLink link;
  EXPECT_EQ(link.Parse("link code 1 2 code -1 -2 end", kLinkParseOrdinary), 0);
  EXPECT_EQ(link.Status(), 20u);
  std::vector<std::string> boxes = MessageBoxLog();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "Code of component 1 contains only positive numbers");
}

TEST_F(LinkErrorTest, ATextWithoutALinkBlockIsAFailure) {
  TLink link;
  EXPECT_EQ(link.Parse("1 2 3\n-1 -2 -3\n", kLinkParseOrdinary), 0);
  EXPECT_EQ(link.Status(), 47u);
  EXPECT_STREQ(link.ErrorText().CStr(), "No link text: the words 'link' and 'end' are missing");
  EXPECT_EQ(link.Parse(nullptr, kLinkParseOrdinary), 0);
  EXPECT_EQ(link.Status(), 47u);
}

TEST_F(LinkErrorTest, TheSecondModeAcceptsAnUncrossedPair) {
  TLink link;
  EXPECT_EQ(link.Parse("link t^2 signs 1 code 1 -1 l1 end", kLinkParseAnyPairs), 1);
  EXPECT_EQ(link.SidePointCount(), 2);
}

TEST_F(LinkErrorTest, TokensInMessagesAreCutAt79Characters) {
  std::string token(120, '7');
  TLink link;
  std::string text = "link crossings x" + token + " code 1 -1 end";
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseOrdinary), 0);
  EXPECT_EQ(link.Status(), 2u);
  std::string expected = "The string 'x" + std::string(78, '7') + "' is not a number";
  EXPECT_EQ(std::string(link.ErrorText().CStr()), expected);
}

TEST_F(LinkErrorTest, CountsThatWouldNotFitAreRefused) {
  // 16384 crossings in a Gauss code: more than the 16-bit tables hold.
  std::string code = "link code";
  for (int x = 1; x <= 16384; ++x) code += " " + std::to_string(x) + " " + std::to_string(-x);
  code += " end";
  TLink link;
  EXPECT_EQ(link.Parse(code.c_str(), kLinkParseOrdinary), 0);
  EXPECT_EQ(link.Status(), static_cast<unsigned>(kLinkErrorTooLarge));

  TLink points;
  EXPECT_EQ(points.Parse("link t^2 signs 1 code 1 -1 l20000 t1 end", kLinkParseOrdinary), 0);
  EXPECT_EQ(points.Status(), static_cast<unsigned>(kLinkErrorTooLarge));

  // Many passages through one point are refused before they are stored.
  std::string repeated = "link t^2 signs 1 code 1 -1";
  for (int k = 0; k < 40000; ++k) repeated += " l1";
  repeated += " t1 end";
  TLink passages;
  EXPECT_EQ(passages.Parse(repeated.c_str(), kLinkParseOrdinary), 0);
  EXPECT_EQ(passages.Status(), static_cast<unsigned>(kLinkErrorTooLarge));
}

}  // namespace
