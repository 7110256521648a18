// The polygon move finder: the enumeration on knot exteriors and closed
// spines, its resumption from any candidate, the modes, the gate, the repeat
// fields and the dialog texts of the candidates.
#include "moves/polygon_move_finder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/thickcell.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/polygon_move_text.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/census_table_support.h"
#include "support/model_heap.h"
#include "support/thick_spine_support.h"

namespace {

using TCandidate = std::array<int, 6>;

const char* const kTrefoil = "link code 1 -2 3 -1 2 -3 end";
const char* const kFigureEight = "link code 1 -2 3 -4 2 -1 4 -3 end";

std::vector<TCandidate> Enumerate(TSpine& spine, int mode) {
  std::vector<TCandidate> found;
  int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
  while (FindPolygonOrTMove(mode, spine, kMovePolygon, cursor) == kMovePolygon) {
    found.push_back({cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]});
    if (found.size() > 100000) break;
  }
  return found;
}

// Runs the check on the thickened spine of a document text.
template <class Check>
void WithDocument(const char* text, Check check) {
  TDocumentSpine document;
  ASSERT_EQ(document.ParseDocumentText(text, TOptionValues{}), 1) << text;
  TDocumentSpine::TScope scope(document);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  ASSERT_TRUE(spine.IsThickened());
  check(spine);
}

class PolygonFinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    saved_ = CurrentSpineIsOrientable.exchange(1);
  }
  void TearDown() override { CurrentSpineIsOrientable.store(saved_); }
  int saved_ = 1;
};

TEST_F(PolygonFinderTest, KnotExteriorsListCandidatesInOrderAndResumeFromAnyOfThem) {
  for (const char* text : {kTrefoil, kFigureEight}) {
    SCOPED_TRACE(text);
    WithDocument(text, [&](TSpine& spine) {
      std::vector<TCandidate> full = Enumerate(spine, 0);
      ASSERT_FALSE(full.empty());
      for (std::size_t i = 0; i < full.size(); ++i) {
        const TCandidate& c = full[i];
        EXPECT_GE(c[0], 1);
        EXPECT_LE(c[0], 14) << "subtype 15 has no move";
        EXPECT_TRUE(c[2] < c[3] && c[3] <= c[4] && c[4] <= c[5]);
        bool filled = c[0] == 1 ? c[3] == c[4] && c[4] == c[5] : c[0] <= 5 ? c[3] < c[4] && c[4] == c[5] : c[4] < c[5];
        EXPECT_TRUE(filled);
        if (i > 0) {
          EXPECT_LT((std::array<int, 5>{full[i - 1][1], full[i - 1][2], full[i - 1][3], full[i - 1][4],
                                                 full[i - 1][5]}),
                             (std::array<int, 5>{c[1], c[2], c[3], c[4], c[5]}));
        }
        // A fresh cursor holding only the candidate gives the same next one.
        int cursor[8] = {c[0], c[1], c[2], c[3], c[4], c[5], -1, -1};
        int result = FindPolygonOrTMove(0, spine, kMovePolygon, cursor);
        if (i + 1 < full.size()) {
          ASSERT_EQ(result, kMovePolygon);
          EXPECT_EQ((TCandidate{cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]}), full[i + 1]);
        } else {
          EXPECT_EQ(result, 0);
          EXPECT_EQ(cursor[0], c[0]) << "the cursor stays when nothing is found";
        }
        // Each candidate has its dialog line.
        TString line;
        EXPECT_EQ(DescribePolygonMove(line, spine, c[0], c[1], c[2], c[3], c[4], c[5]), 1);
        EXPECT_FALSE(line.Empty());
      }
      // Mode 1 leaves out subtype 5 and the quadrangles, and only them.
      std::vector<TCandidate> expected;
      for (const TCandidate& c : full)
        if (c[0] <= 4) expected.push_back(c);
      EXPECT_EQ(Enumerate(spine, 1), expected);
    });
  }
}

TEST_F(PolygonFinderTest, NonOrientableGateAndSurfacesOtherThanSpheresAndToriGiveNothing) {
  WithDocument(kTrefoil, [&](TSpine& spine) {
    ASSERT_FALSE(Enumerate(spine, 0).empty());
    CurrentSpineIsOrientable.store(0);
    EXPECT_TRUE(Enumerate(spine, 0).empty());
    CurrentSpineIsOrientable.store(1);
    // A cursor past the last surface ends the enumeration.
    int cursor[8] = {1, spine.BoundaryCount(), 0, 1, 1, 1, -1, -1};
    EXPECT_EQ(FindPolygonOrTMove(0, spine, kMovePolygon, cursor), 0);
  });
}

TEST_F(PolygonFinderTest, QuadranglesRepeatWhileTheirCounterIsBelowTheLimit) {
  WithDocument(kTrefoil, [&](TSpine& spine) {
    // A limit of 3 with counter 0 gives the same candidate twice more.
    int cursor[8] = {7, 0, 0, 1, 2, 3, 3, 0};
    ASSERT_EQ(FindPolygonMove(0, spine, cursor), 1);
    EXPECT_EQ(cursor[7], 1);
    ASSERT_EQ(FindPolygonMove(0, spine, cursor), 1);
    EXPECT_EQ(cursor[7], 2);
    EXPECT_EQ(cursor[0], 7);
    EXPECT_EQ(cursor[5], 3);
    // Then the search moves on and the repeat fields are unset.
    FindPolygonMove(0, spine, cursor);
    EXPECT_EQ(cursor[6], -1);
    EXPECT_EQ(cursor[7], -1);
    // Limits of 0 and 1 give no repeat.
    for (int limit : {0, 1}) {
      int once[8] = {7, 0, 0, 1, 2, 3, limit, 0};
      FindPolygonMove(0, spine, once);
      EXPECT_EQ(once[6], -1);
    }
  });
}

// Closed census spines (one boundary sphere): resuming from any candidate
// gives the next one, and mode 1 lists exactly the candidates of mode 0
// other than subtype 5 and the quadrangles, of which there are some.
TEST_F(PolygonFinderTest, ClosedSpinesResumeLikeAFullRunAndModeOneFilters) {
  int autocrossings = 0;
  int quadrangles = 0;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample()) {
    if (entry.tetrahedra > 8) continue;
    SCOPED_TRACE(entry.signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, entry.signature.c_str()));
    std::vector<TCandidate> full = Enumerate(spine, 0);
    std::vector<TCandidate> expected;
    for (const TCandidate& c : full) {
      EXPECT_NE(c[0], 15);
      if (c[0] == 5) ++autocrossings;
      if (c[0] >= 6) ++quadrangles;
      if (c[0] <= 4) expected.push_back(c);
    }
    EXPECT_EQ(Enumerate(spine, 1), expected);
    for (std::size_t i = 0; i + 1 < full.size(); ++i) {
      int cursor[8] = {full[i][0], full[i][1], full[i][2], full[i][3], full[i][4], full[i][5], -1, -1};
      ASSERT_EQ(FindPolygonMove(0, spine, cursor), 1);
      EXPECT_EQ((TCandidate{cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]}), full[i + 1]);
    }
  }
  EXPECT_GT(autocrossings, 0);
  EXPECT_GT(quadrangles, 0);
}

// The dialog line names the candidate's edges in the short form; the long
// form of the move log adds the spine cells behind the polygon's cells.
TEST_F(PolygonFinderTest, CandidateTextsNameTheEdgesAndTheCells) {
  WithDocument(kTrefoil, [&](TSpine& spine) {
    int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
    ASSERT_EQ(FindPolygonOrTMove(0, spine, kMovePolygon, cursor), kMovePolygon);
    TComplex* surface = spine.BoundaryAt(cursor[1]);
    THandle e1(surface->Objects().NthOfKind(kEdgeKind, cursor[2]));
    THandle e2(surface->Objects().NthOfKind(kEdgeKind, cursor[3]));
    THandle e3(surface->Objects().NthOfKind(kEdgeKind, cursor[4]));
    THandle e4(surface->Objects().NthOfKind(kEdgeKind, cursor[5]));
    TString line;
    ASSERT_EQ(DescribePolygonMove(line, spine, cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]), 1);
    TString expected;
    ReportPolygonMove(expected, cursor[0], e1, e2, e3, e4);
    EXPECT_STREQ(line.CStr(), expected.CStr());
    EXPECT_NE(std::string(line.CStr()).find(e1.DisplayName()), std::string::npos);
    // The long form of the first subtype found names the spine cells too.
    THandle t1 = ThickCellOfCell(spine, TEdge::CellAt(e1, 0));
    THandle t2 = ThickCellOfCell(spine, TEdge::CellAt(e1, 1));
    THandle cell1 = TThickCell::Part(t1, 1);
    TString full;
    ASSERT_EQ(ReportPolygonMove(full, cursor[0], e1, e2, e3, e4, t1, t2, t1, t2), 1);
    std::string text = full.CStr();
    EXPECT_NE(text.find(cell1.DisplayName()), std::string::npos) << text;
    EXPECT_NE(text.find(" done"), std::string::npos) << text;
    // A surface index past the last, and quiet mode, write nothing.
    TString kept;
    kept.Append("kept");
    EXPECT_EQ(DescribePolygonMove(kept, spine, 1, spine.BoundaryCount(), 0, 1, 1, 1), 0);
    int saved = QuietMode.exchange(1);
    EXPECT_EQ(DescribePolygonMove(kept, spine, cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]), 0);
    QuietMode.store(saved);
    EXPECT_STREQ(kept.CStr(), "kept");
  });
}

}  // namespace
