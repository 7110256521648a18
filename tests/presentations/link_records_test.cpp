// Diagram records and the cells of the exterior spine built from them.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "presentations/links/link.h"
#include "presentations/links/link_cell_words.h"
#include "presentations/links/link_crossing.h"

namespace {

TLink* Parsed(TLink& link, const char* text, int mode = kLinkParseOrdinary) {
  EXPECT_EQ(link.Parse(text, mode), 1) << text;
  return &link;
}

TEST(LinkRecordsTest, TrefoilCrossingTwo) {
  TLink link;
  Parsed(link, "link code 1 -2 3 -1 2 -3 end");
  TCrossing c;
  c.Build(link, 2);
  EXPECT_EQ(c.Number(), 2);
  EXPECT_EQ(c.Sign(), link.CrossingSign(2));
  EXPECT_EQ(c.TopPosition(), 1);     // the under passage is the entry at place 1
  EXPECT_EQ(c.BottomPosition(), 0);
  EXPECT_EQ(c.BottomNeighbour(), 1);
  EXPECT_EQ(c.TopNeighbour(), 3);
  ASSERT_EQ(c.Sign(), 1);
  EXPECT_EQ(c.RightPosition(), 4);   // the over passage is the entry at place 4
  EXPECT_EQ(c.LeftPosition(), 3);
  EXPECT_EQ(c.LeftNeighbour(), 1);
  EXPECT_EQ(c.RightNeighbour(), 3);
  EXPECT_EQ(c.LeftIndex(), 0);
  EXPECT_EQ(c.TurnsAt(1), 0);
}

TEST(LinkRecordsTest, ArcsWrapWithinTheirComponent) {
  TLink link;
  Parsed(link, "link code 1 -2 code -3 -1 2 3 end");
  // Crossing 3's under passage opens component 2 (4 crossing entries).
  TCrossing c;
  c.Build(link, 3);
  EXPECT_EQ(c.TopPosition(), 2);
  EXPECT_EQ(c.BottomPosition(), 2 + 4 - 1);
}

TEST(LinkRecordsTest, AKinkTurnsAtItsCrossing) {
  TLink link;
  Parsed(link, "link code 1 -1 end");
  TCrossing c;
  c.Build(link, 1);
  EXPECT_EQ(c.TurnsAt(0), 1);
  EXPECT_EQ(c.TurnsAt(1), 1);
  EXPECT_EQ(c.TurnsAt(2), 0);
  EXPECT_EQ(c.TurnsAt(-1), 0);
}

TEST(LinkRecordsTest, BoundaryRecordsFormOneCycleAroundTheSquare) {
  TLink link;
  Parsed(link, "link t^2 signs 1 code 1 -1 l1 t1 end");
  std::vector<TCrossing> records;
  BuildLinkRecords(link, records);
  ASSERT_EQ(records.size(), 9u);  // 1 crossing, 4 points, 4 corners
  // Corner 0, l1, corner 1, t1, corner 2, r1, corner 3, b1.
  const int kinds[9] = {1, 3, 2, 3, 2, 3, 2, 3, 2};
  for (int r = 0; r < 9; ++r) EXPECT_EQ(records[static_cast<std::size_t>(r)].Kind(), kinds[r]) << r;
  EXPECT_EQ(records[1].BottomIndex(), 8);
  // Following the boundary from corner 0 visits every boundary record once.
  int at = 1;
  for (int step = 0; step < 8; ++step) {
    const TCrossing& r = records[static_cast<std::size_t>(at)];
    int next = r.Kind() == 2 && r.Sign() < 0 ? r.LeftIndex() : r.RightIndex();
    EXPECT_EQ(next, step == 7 ? 1 : at + 1);
    at = next;
  }
  // l1 is where the strand leaves; r1 where it comes back.
  EXPECT_EQ(records[2].Sign(), 1);
  EXPECT_EQ(records[2].BottomIndex(), 0);
  EXPECT_EQ(records[2].TopIndex(), -1);
  EXPECT_EQ(records[6].Sign(), -1);
  EXPECT_EQ(records[6].TopIndex(), 4);  // on to t1, the next entry
  EXPECT_EQ(records[6].BottomIndex(), -1);
}

TEST(LinkRecordsTest, EmptySidesLinkTheCornersAroundTheSquare) {
  TLink link;
  Parsed(link, "link t^2 signs 1 code 1 -1 l1 end", kLinkParseAnyPairs);
  std::vector<TCrossing> records;
  BuildLinkRecords(link, records);
  // Crossing, corner 0, l1, corner 1, corner 2, r1, corner 3.
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(records[6].Kind(), 3);
  EXPECT_EQ(records[6].RightIndex(), 1);  // the last corner continues to corner 0
  EXPECT_EQ(records[1].BottomIndex(), 6);
  EXPECT_EQ(records[3].BottomIndex(), 2);
  EXPECT_EQ(records[3].RightIndex(), 4);
}

// Where every edge of the trefoil's exterior spine lies.
TEST(LinkRecordsTest, TrefoilExteriorCells) {
  TLink link;
  Parsed(link, "link code 1 -2 3 -1 2 -3 end");
  EXPECT_EQ(link.EdgeCount(), 24);
  std::vector<TCrossing> records;
  BuildLinkRecords(link, records);
  std::vector<TLinkWord> over, under, crossing, regions;
  LinkOverCellWords(link, over);
  LinkUnderCellWords(link, under);
  LinkCrossingCellWords(link, crossing);
  ASSERT_EQ(TraceLinkRegions(link, records, regions), 1);
  EXPECT_EQ(over.size(), 3u);
  EXPECT_EQ(under.size(), 3u);
  EXPECT_EQ(crossing.size(), 3u);
  EXPECT_EQ(regions.size(), 5u);

  // Passages per edge and family: {over, under, crossing, region}.
  std::map<int, std::vector<int>> in;
  auto count = [&in](const std::vector<TLinkWord>& cells, int family) {
    for (const TLinkWord& w : cells) {
      for (const TLinkPassage& p : w) {
        std::vector<int>& v = in[p.edge];
        v.resize(4, 0);
        ++v[static_cast<std::size_t>(family)];
      }
    }
  };
  count(over, 0);
  count(under, 1);
  count(crossing, 2);
  count(regions, 3);
  for (int x = 1; x <= 3; ++x) {
    EXPECT_EQ(in[link.EdgeNumber(10, x, 0)], (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(in[link.EdgeNumber(10, x, 1)], (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(in[link.EdgeNumber(10, x, 2)], (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(in[link.EdgeNumber(10, x, 3)], (std::vector<int>{0, 2, 1, 0}));
  }
  for (int arc = 0; arc < 6; ++arc) {
    EXPECT_EQ(in[link.EdgeNumber(2, arc, 0)], (std::vector<int>{1, 1, 0, 1}));
    EXPECT_EQ(in[link.EdgeNumber(1, arc, 0)], (std::vector<int>{1, 1, 0, 1}));
  }
  // Crossing edge 3 lies twice in one under cell, once each way.
  int edge = link.EdgeNumber(10, 2, 3);
  for (const TLinkWord& w : under) {
    int along = 0;
    int against = 0;
    for (const TLinkPassage& p : w) {
      if (p.edge == edge) ++(p.direction == 1 ? along : against);
    }
    EXPECT_TRUE((along == 0 && against == 0) || (along == 1 && against == 1));
  }
}

TEST(LinkRecordsTest, SurfaceFamiliesHaveOneCellPerCrossingAndExit) {
  TLink link;
  Parsed(link, "link t^2 signs 1 code 1 -1 l1 t1 end");
  int n = link.CrossingCount();
  int s = link.SidePointCount();
  EXPECT_EQ(link.EdgeCount(), 8 * n + 4 * s + 4);
  std::vector<TLinkWord> over, under;
  LinkOverCellWords(link, over);
  LinkUnderCellWords(link, under);
  EXPECT_EQ(static_cast<int>(over.size()), n + s / 2);
  EXPECT_EQ(static_cast<int>(under.size()), n + s / 2);
  std::vector<TCrossing> records;
  BuildLinkRecords(link, records);
  std::vector<TLinkWord> regions;
  ASSERT_EQ(TraceLinkRegions(link, records, regions), 1);
  // The square is a disc: F - E + V = 1.
  int arcs = link.InsideArcCount() + s + 4;
  EXPECT_EQ(static_cast<int>(regions.size()) - arcs + link.RecordCount(), 1);
}

TEST(LinkQueriesTest, CodeWalksAndPassages) {
  TLink link;
  Parsed(link, "link t^2 signs 1 1 code -1 2 t1 1 -2 l1 end");
  ASSERT_EQ(link.ComponentCount(), 1);
  EXPECT_EQ(link.CodeLength(0, 0), 8);  // -1 2 t1 b1 1 -2 l1 r1
  EXPECT_EQ(link.CodeLength(0, 1), 4);
  EXPECT_EQ(link.CodeLength(0, 2), 4);
  EXPECT_EQ(link.CodeLength(5, 0), 0);
  int index = -1;
  const TLinkCodeEntry* e = link.CodeEntry(0, 1, 2, &index);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->side, 3);  // the second side entry: b1
  EXPECT_EQ(index, 3);
  EXPECT_EQ(link.CodeEntry(0, 8, 0), nullptr);
  EXPECT_EQ(link.NextCodeEntry(0, 7, 0)->number, -1);   // wraps to the start
  EXPECT_EQ(link.PreviousCodeEntry(0, 0, 0)->side, 2);  // r1 before the start
  EXPECT_EQ(link.ContainsEntry(0, 2, 1, 3), 1);
  EXPECT_EQ(link.ContainsEntry(0, 2, 2, 3), 0);
  int first = 0;
  int second = 0;
  EXPECT_EQ(link.FindPassages(0, -2, first, second, 0), 2);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 5);
  EXPECT_EQ(link.FindPassages(0, 2, first, second, 1), 2);
  EXPECT_EQ(second, 3);
  EXPECT_EQ(link.SideOfLetter('t'), 1);
  EXPECT_EQ(link.SideOfLetter('x'), -1);
  EXPECT_EQ(TLink::PairOfSide(3), 1);
  EXPECT_EQ(TLink::PairOfSide(4), -1);
  // The arc leaving 2 leaves the square through t (pair 1, first side)
  // before it comes back to crossing 1; the arc leaving -2 through l.
  int values[2] = {7, 7};
  link.TraceCircle(values, 2, 1);
  EXPECT_EQ(values[0], 0);
  EXPECT_EQ(values[1], -1);
  link.TraceCircle(values, -2, 1);
  EXPECT_EQ(values[0], -1);
  EXPECT_EQ(values[1], 0);
  // Backwards: the arc arriving at 1 is the one that left 2, negated.
  link.TraceCircle(values, 1, 2);
  EXPECT_EQ(values[0], 0);
  EXPECT_EQ(values[1], 1);
  link.TraceCircle(values, 1, 1);
  EXPECT_EQ(values[0], 0);
  EXPECT_EQ(values[1], 0);
}

}  // namespace
