#include "foundation/heap_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "foundation/status_reporter.h"

namespace {

TEST(TString, EmptyStringsAreValidAndReleaseTheirBlock) {
  TString s;
  ASSERT_NE(s.CStr(), nullptr);
  EXPECT_STREQ(s.CStr(), "");
  THeapHandle shared = SharedStringHeap();
  std::size_t before = PrivateHeapBlockCount(shared);
  s.Assign("abc");
  EXPECT_EQ(PrivateHeapBlockCount(shared), before + 1);
  struct TCase {
    const char* name;
    void (*empty)(TString&);
  } cases[] = {
      {"Assign(null)", [](TString& t) { t.Assign(nullptr); }},
      {"Assign(\"\")", [](TString& t) { t.Assign(""); }},
      {"AssignBuffer(0 bytes)", [](TString& t) { t.AssignBuffer("xyz", 0); }},
      {"AssignBuffer(null)", [](TString& t) { t.AssignBuffer(nullptr, 5); }},
      {"Reserve(0)", [](TString& t) { t.Reserve(0); }},
  };
  for (const TCase& c : cases) {
    s.Assign("abc");
    c.empty(s);
    EXPECT_EQ(s.Length(), 0u) << c.name;
    EXPECT_EQ(s.Buffer(), nullptr) << c.name;
    EXPECT_EQ(PrivateHeapBlockCount(shared), before) << c.name;
  }
}

TEST(TString, AppendAndConcat) {
  TString s;
  s.Append(nullptr);
  s.Append("");
  EXPECT_EQ(s.Buffer(), nullptr);
  s.Append("Valency");
  s.Append(" of Edge");
  EXPECT_STREQ(s.CStr(), "Valency of Edge");
  s.Append(s.CStr() + 8);  // appending a piece of itself
  EXPECT_STREQ(s.CStr(), "Valency of Edgeof Edge");

  TString first("left"), second("right");
  TString joined = TStringConcat(first, second);
  EXPECT_STREQ(joined.CStr(), "leftright");
  EXPECT_STREQ(first.CStr(), "left");
  EXPECT_STREQ(second.CStr(), "right");
  EXPECT_EQ(joined.Equals(TString("leftright")), 1);
  EXPECT_EQ(TString().Equals(TString()), 0);
}

TEST(TString, BufferCopyStopsAtNulAndReserveKeepsText) {
  TString s;
  s.ConstructFromBuffer("ab\0cd", 5);
  EXPECT_STREQ(s.CStr(), "ab");
  s.ConstructFromBuffer("abcdef", 3);
  EXPECT_STREQ(s.CStr(), "abc");
  s.Reserve(100);
  EXPECT_STREQ(s.CStr(), "abc");
  EXPECT_EQ(PrivateHeapSize(s.Buffer()), 101u);
  s.Reserve(2);
  EXPECT_STREQ(s.CStr(), "ab");
  s.ConstructCapacity(40);
  EXPECT_STREQ(s.CStr(), "");
  EXPECT_EQ(PrivateHeapSize(s.Buffer()), 41u);
}

TEST(TString, ValueSemantics) {
  TString a("spine");
  TString b(a);
  b.Append("s");
  EXPECT_STREQ(a.CStr(), "spine");
  EXPECT_STREQ(b.CStr(), "spines");
  TString c(std::move(b));
  EXPECT_STREQ(c.CStr(), "spines");
  a = c;
  EXPECT_STREQ(a.CStr(), "spines");
  const TString& self = a;  // through a reference: the compiler would refuse "a = a"
  a = self;
  EXPECT_STREQ(a.CStr(), "spines");
  std::vector<TString> many(10, TString("x"));
  many.push_back(TString("y"));
  EXPECT_STREQ(many[3].CStr(), "x");
}

TEST(TString, ChosenHeapHoldsTheCharactersWhateverIsCurrent) {
  THeapHandle own = PrivateHeapCreate(0);
  {
    TString inOwn;
    inOwn.SetHeap(own);
    inOwn.Assign("held in its own heap");
    EXPECT_EQ(PrivateHeapBlockCount(own), 1u);
    TString inShared("shared");
    THeapContext context;
    PushHeapContext(context);
    PrivateHeapAlloc(8, kHeapGenerateExceptions);  // another heap is current now
    inShared.Append(" still");
    inOwn.Append(" too");
    PopHeapContext(context);
    EXPECT_STREQ(inShared.CStr(), "shared still");
    EXPECT_EQ(PrivateHeapBlockCount(own), 1u);
    // Choosing another heap for a string with text moves the text there.
    inOwn.SetHeap(nullptr);
    EXPECT_EQ(PrivateHeapBlockCount(own), 0u);
    EXPECT_STREQ(inOwn.CStr(), "held in its own heap too");
    EXPECT_EQ(inOwn.HeapOrShared(), SharedStringHeap());
  }
  PrivateHeapDestroy(own);
}

// (id, arguments) -> exact text. Ids 151 to 158 are the foundation's texts.
TEST(TString, FormatResourceTable) {
  TString s;
  EXPECT_EQ(s.FormatResource(155, "objman", 369u), 1);
  EXPECT_STREQ(s.CStr(), "Internal error : objman 369");
  s.FormatResourceStr(152, "%");
  EXPECT_STREQ(s.CStr(), "% ***");
  s.FormatResourceIntInt(156, 10, 20);
  EXPECT_STREQ(s.CStr(), "Error! Only 10 of 20 bytes can be loaded. Continue?");
  s.FormatResource(157);  // a template without placeholders is itself
  EXPECT_STREQ(s.CStr(), "Error! Unable to load file.");
  s.FormatResource(153);  // "%%" as a template is one percent sign
  EXPECT_STREQ(s.CStr(), "%");
  // A long argument is never cut: no fixed buffer.
  std::string longName(5000, 'e');
  s.FormatResource(155, longName.c_str(), 1u);
  EXPECT_EQ(s.Length(), std::string("Internal error :  1").size() + 5000);
}

TEST(TString, MissingIdsKeepTheTextAndReportAnInternalError) {
  TString s("unchanged");
  unsigned long errors = InternalErrorCount();
  EXPECT_EQ(s.LoadResource(987654), 0);
  EXPECT_STREQ(s.CStr(), "unchanged");
  EXPECT_EQ(s.FormatResource(987654, 1, 2), 0);
  EXPECT_STREQ(s.CStr(), "unchanged");
  EXPECT_EQ(InternalErrorCount(), errors + 2);
  EXPECT_EQ(s.LoadResource(151), 1);
  EXPECT_STREQ(s.CStr(), "%");
}

TEST(FormatText, Table) {
  struct TCase {
    std::string got;
    const char* expected;
  } cases[] = {
      {FormatText("Valency of Edge %s equals %u", "e12", 3u), "Valency of Edge e12 equals 3"},
      {FormatText("%d|%i|%u", -5, 7, 4000000000u), "-5|7|4000000000"},
      {FormatText("%ld %lu %lld", -9L, 9UL, static_cast<long long>(INT64_MIN)),
       "-9 9 -9223372036854775808"},
      {FormatText("%I64d %I64u", static_cast<std::int64_t>(1) << 40, UINT64_MAX),
       "1099511627776 18446744073709551615"},
      {FormatText("[%10u][%-4d][%05d][%+d][% d]", 42u, 7, -42, 3, 3),
       "[        42][7   ][-0042][+3][ 3]"},
      {FormatText("[%.3d][%8.3d][%.0d]", 5, -5, 0), "[005][    -005][]"},
      {FormatText("%x %X %#x %o %#o", 255, 255, 255, 8, 8), "ff FF 0xff 10 010"},
      {FormatText("%u %x", -1, -1), "4294967295 ffffffff"},
      {FormatText("%lu", -1L), "18446744073709551615"},
      {FormatText("[%5s][%-5s][%.2s]", "ab", "ab", "abcdef"), "[   ab][ab   ][ab]"},
      {FormatText("%c%c%c", 'a', 98, 'c'), "abc"},
      {FormatText("%*d|%-*d|%.*s", 4, 1, 3, 2, 2, "xyz"), "   1|2  |xy"},
      {FormatText("100%% %s", TString("done")), "100% done"},
      {FormatText("%s", static_cast<const char*>(nullptr)), "(null)"},
      {FormatText("%.8f %g", 0.5, 0.25), "0.50000000 0.25"},
      // Mismatches are settled, not undefined.
      {FormatText("%d and %s", "text", 12), "text and 12"},
      // Missing arguments print nothing; surplus ones are ignored.
      {FormatText("a %d b %s c", 1), "a 1 b  c"},
      {FormatText("plain", 1, "x"), "plain"},
      // Unknown conversions and a trailing "%" are kept as written.
      {FormatText("%n %y 50%", 1), "%n %y 50%"},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(FormatText, HugeStarWidthIsBounded) {
  std::string text = FormatText("%*d", INT_MAX, 1);
  EXPECT_LE(text.size(), 4096u);
}

TEST(TString, ThreadsShareTheStringHeapSafely) {
  auto work = [] {
    for (int i = 0; i < 2000; ++i) {
      TString s("thread");
      s.Append(" text");
      TString t(s);
      t.AppendString(s);
      ASSERT_EQ(t.Length(), 22u);
    }
  };
  std::thread first(work), second(work);
  first.join();
  second.join();
}

TEST(TString, GuardedAllocationUsesTheCurrentHeap) {
  THeapContext context;
  PushHeapContext(context);
  void* block = GuardedHeapAlloc(12);
  EXPECT_EQ(PrivateHeapBlockCount(CurrentHeap()), 1u);
  GuardedHeapFree(block);
  EXPECT_EQ(PrivateHeapBlockCount(CurrentHeap()), 0u);
  PopHeapContext(context);
  CompactStringHeap();
}

}  // namespace
