// Polygon move performers: every candidate the finder offers on a fixture,
// performed on a copy of the spine, leaves a spine that passes the checker
// with the homology kept; the dispatcher reports, logs and counts only what
// was done and restores the spine when a move cannot be made; the
// quadrangle's piercing walks its candidates by the repeat fields.
#include "moves/polygon_move_performer.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/complex.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/simplify_move_list.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
#include "shell/options.h"
#include "support/census_table_support.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

using TCandidate = std::array<int, 8>;

std::vector<TCandidate> Candidates(TSpine& spine) {
  std::vector<TCandidate> found;
  int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
  while (FindPolygonOrTMove(0, spine, kMovePolygon, cursor) == kMovePolygon && found.size() < 5000) {
    TCandidate c{};
    for (int i = 0; i < 8; ++i) c[static_cast<std::size_t>(i)] = cursor[i];
    found.push_back(c);
  }
  return found;
}

class PolygonPerformerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    saved_ = CurrentSpineIsOrientable.exchange(1);
  }
  void TearDown() override {
    PrepareMoves(TOptionValues{});
    CurrentSpineIsOrientable.store(saved_);
    SetPolygonMoveChosenFlag(0);
  }
  int saved_ = 1;
};

// Performs every candidate of the spine on a copy; counts the performed ones
// by subtype in done and the refused ones in refused.
void SweepCandidates(TSpine& spine, std::map<int, int>& done, std::map<int, int>& refused) {
  for (const TCandidate& c : Candidates(spine)) {
    SCOPED_TRACE(::testing::Message() << "subtype " << c[0] << " surface " << c[1] << " edges " << c[2] << ","
                                      << c[3] << "," << c[4] << "," << c[5]);
    TSpine copy;
    spine.CopyTo(copy);
    TSpineChecker checker(copy);
    int limit = c[6];
    int counter = c[7];
    int x[5] = {c[1], c[2], c[3], c[4], c[5]};
    TString text;
    int log = copy.LogCount();
    int result = PerformPolygonMove(copy, c[0], x, &limit, &counter, &text);
    if (result == 0) {
      // A move that cannot be made leaves the spine, its log and the
      // repeat fields as they were.
      ++refused[c[0]];
      EXPECT_EQ(copy.LogCount(), log);
      EXPECT_EQ(SpineSignature(copy), SpineSignature(spine));
      EXPECT_EQ(limit, c[6]);
      EXPECT_EQ(counter, c[7]);
      continue;
    }
    ++done[c[0]];
    EXPECT_EQ(result, 1);
    EXPECT_EQ(copy.LogCount(), log + 1);
    EXPECT_FALSE(text.Empty());
    // Delicate piercing keeps the manifold; crude piercing is off here.
    EXPECT_TRUE(checker.Check(copy)) << text.CStr();
    if (c[0] >= 6) {
      EXPECT_GE(limit, 0);
    }
  }
}

void Print(const char* what, const std::map<int, int>& done, const std::map<int, int>& refused) {
  std::string line = what;
  for (int s = 1; s <= 14; ++s) {
    auto d = done.find(s);
    auto r = refused.find(s);
    if (d == done.end() && r == refused.end()) continue;
    line += " " + std::to_string(s) + ":" + std::to_string(d == done.end() ? 0 : d->second) + "/" +
            std::to_string(r == refused.end() ? 0 : r->second);
  }
  std::printf("%s (subtype:done/refused)\n", line.c_str());
}

TEST_F(PolygonPerformerTest, EveryCandidateOnKnotExteriorsKeepsTheSpineSound) {
  std::map<int, int> done;
  std::map<int, int> refused;
  for (const char* text : {"link code 1 -2 3 -1 2 -3 end", "link code 1 -2 3 -4 2 -1 4 -3 end"}) {
    SCOPED_TRACE(text);
    TDocumentSpine document;
    ASSERT_EQ(document.ParseDocumentText(text, TOptionValues{}), 1);
    TDocumentSpine::TScope scope(document);
    document.EnsureThickened();
    SweepCandidates(document.Spine(), done, refused);
  }
  Print("knot exteriors", done, refused);
  EXPECT_FALSE(done.empty());
}

TEST_F(PolygonPerformerTest, EveryCandidateOnSmallClosedSpinesKeepsTheSpineSound) {
  std::map<int, int> done;
  std::map<int, int> refused;
  std::vector<TClosedCensusEntry> sample = ReadClosedCensusSample();
  ASSERT_FALSE(sample.empty());
  int spines = 0;
  for (const TClosedCensusEntry& entry : sample) {
    if (entry.tetrahedra > 3 || spines >= 12) continue;
    SCOPED_TRACE(entry.signature);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadThickenedSpine(spine, entry.signature.c_str())) continue;
    ++spines;
    SweepCandidates(spine, done, refused);
  }
  Print("closed spines", done, refused);
  EXPECT_FALSE(done.empty());
}

// A fixture of the sweep: a closed census signature, a cusped census
// signature (a spine of a link exterior: torus boundaries) or a random
// orientable spine (n tetrahedra, seed), with the subtypes it must offer.
struct TPolygonFixture {
  const char* signature;  // null for a random spine
  int tetrahedra;
  unsigned seed;
  std::vector<int> subtypes;
};

bool LoadFixture(TSpine& spine, const TPolygonFixture& fixture) {
  if (fixture.signature != nullptr) return LoadThickenedSpine(spine, fixture.signature);
  return LoadRandomThickenedSpine(spine, fixture.tetrahedra, fixture.seed);
}

// Every subtype 1..14 is offered by some fixture here, and every candidate of
// every fixture is performed under the checker.
TEST_F(PolygonPerformerTest, EverySubtypeIsPerformedOnSomeFixture) {
  const std::vector<TPolygonFixture> fixtures = {
      {nullptr, 3, 145, {1}},
      {nullptr, 5, 33, {2, 6, 7, 8, 10, 11}},
      {nullptr, 3, 131, {3, 7, 14}},
      {nullptr, 3, 106, {4, 11, 12}},
      {"gLALQbcbfeffhhjhjxq", 0, 0, {5, 6, 7, 8, 10, 12}},
      {"dLQbcccdxwb", 0, 0, {9, 13}},
      {"dLQbcccdero", 0, 0, {14}},
      {nullptr, 2, 10, {13}},
  };
  std::map<int, int> done;
  std::map<int, int> refused;
  for (const TPolygonFixture& fixture : fixtures) {
    SCOPED_TRACE(::testing::Message() << (fixture.signature != nullptr ? fixture.signature : "random") << " "
                                      << fixture.tetrahedra << " " << fixture.seed);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadFixture(spine, fixture));
    std::map<int, int> doneHere;
    SweepCandidates(spine, doneHere, refused);
    for (int subtype : fixture.subtypes) EXPECT_GT(doneHere[subtype], 0) << "subtype " << subtype;
    for (auto [subtype, count] : doneHere) done[subtype] += count;
  }
  Print("fixtures", done, refused);
}

// The profile's complicating moves let a cell of any boundary length be a
// piercing candidate, maximal mode also a crude piercing: the count of
// candidates (the repeat limit of a first performance) can only grow.
TEST_F(PolygonPerformerTest, ProfileOptionsWidenTheQuadranglePiercing) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadRandomThickenedSpine(spine, 5, 33));
  auto limits = [&spine](int complicating, int maximal) {
    TOptionValues options;
    options.AllVariantsEnableComplicatingMoves = complicating;
    options.AllVariantsMaximalMode = maximal;
    PrepareMoves(options);
    EXPECT_EQ(PolygonComplicatingMoves.load(), complicating);
    EXPECT_EQ(PolygonMaximalMode.load(), maximal);
    std::vector<int> found;
    for (const TCandidate& c : Candidates(spine)) {
      if (c[0] < 6) continue;
      TSpine copy;
      spine.CopyTo(copy);
      int x[5] = {c[1], c[2], c[3], c[4], c[5]};
      int limit = -1;
      int counter = -1;
      EXPECT_EQ(PerformPolygonMove(copy, c[0], x, &limit, &counter, nullptr), 1);
      found.push_back(limit);
    }
    return found;
  };
  std::vector<int> plain = limits(0, 0);
  std::vector<int> complicating = limits(1, 0);
  std::vector<int> maximal = limits(0, 1);
  ASSERT_FALSE(plain.empty());
  ASSERT_EQ(complicating.size(), plain.size());
  ASSERT_EQ(maximal.size(), plain.size());
  int wider = 0;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_LE(plain[i], complicating[i]);
    EXPECT_LE(complicating[i], maximal[i]);
    if (plain[i] < maximal[i]) ++wider;
  }
  EXPECT_GT(wider, 0);
}

// A quadrangle move the user picks in the Simplify dialog is made as picked:
// nothing is pierced (the sphere it cuts off stays a boundary surface) and
// the repeat fields are left alone. Out of the dialog the flag is off again.
TEST_F(PolygonPerformerTest, AQuadranglePickedInTheDialogPiercesNothing) {
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample()) {
    if (entry.tetrahedra > 3) continue;
    TDocumentSpine document;
    ASSERT_EQ(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 1);
    TDocumentSpine::TScope scope(document);
    document.EnsureThickened();
    TSpine& spine = document.Spine();
    TSimplifyMoveList list(spine);
    list.Fill();
    int pick = -1;
    for (std::size_t i = 0; i < list.Entries().size() && pick < 0; ++i) {
      const TSimplifyEntry& e = list.Entries()[i];
      if (e.code == kMovePolygon && e.polygon[0] >= 6) pick = static_cast<int>(i);
    }
    if (pick < 0) continue;
    SCOPED_TRACE(entry.signature);
    const TSimplifyEntry e = list.Entries()[static_cast<std::size_t>(pick)];
    int x[5] = {e.polygon[1], e.polygon[2], e.polygon[3], e.polygon[4], e.polygon[5]};

    TSpine pierced;
    spine.CopyTo(pierced);
    int limit = -1;
    int counter = -1;
    ASSERT_EQ(PerformPolygonMove(pierced, e.polygon[0], x, &limit, &counter, nullptr), 1);
    if (limit <= 0) continue;

    TSpine picked;
    spine.CopyTo(picked);
    SetPolygonMoveChosenFlag(1);
    int pickedLimit = -1;
    int pickedCounter = -1;
    ASSERT_EQ(PerformPolygonMove(picked, e.polygon[0], x, &pickedLimit, &pickedCounter, nullptr), 1);
    SetPolygonMoveChosenFlag(0);
    EXPECT_EQ(pickedLimit, -1);
    EXPECT_EQ(pickedCounter, -1);
    EXPECT_EQ(picked.BoundaryCount(), pierced.BoundaryCount() + 1);

    const int before = spine.BoundaryCount();
    std::string text;
    ASSERT_EQ(list.MakeMove(pick, text), 1);
    EXPECT_EQ(list.Component().BoundaryCount(), before + 1) << text;
    EXPECT_EQ(PolygonMoveChosenInDialog.load(), 0);
    return;
  }
  FAIL() << "no quadrangle with a piercing candidate in the sample";
}

// Sides that bound no polygon are refused, and a stop ends the move: either
// way the spine, its log, the repeat fields and the text stay as they were.
TEST_F(PolygonPerformerTest, ARefusedOrStoppedMoveLeavesEverythingAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadRandomThickenedSpine(spine, 5, 33));
  const std::string before = SpineSignature(spine);
  const int log = spine.LogCount();
  auto unchanged = [&](int limit, int counter, const TString& text) {
    EXPECT_EQ(SpineSignature(spine), before);
    EXPECT_EQ(spine.LogCount(), log);
    EXPECT_EQ(limit, 3);
    EXPECT_EQ(counter, 1);
    EXPECT_STREQ(text.CStr(), "kept");
  };
  // Two sides that are one edge, and four edges round no quadrangle.
  const struct {
    int subtype;
    int x[5];
  } refusals[] = {{1, {0, 0, 0, 0, 0}}, {6, {0, 0, 1, 2, 3}}, {4, {0, 0, 1, 2, 2}}};
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.subtype);
    int limit = 3;
    int counter = 1;
    TString text;
    text.Assign("kept");
    EXPECT_EQ(PerformPolygonMove(spine, r.subtype, r.x, &limit, &counter, &text), 0);
    unchanged(limit, counter, text);
  }
  std::vector<TCandidate> candidates = Candidates(spine);
  ASSERT_FALSE(candidates.empty());
  const TCandidate& c = candidates.back();
  int x[5] = {c[1], c[2], c[3], c[4], c[5]};
  int limit = 3;
  int counter = 1;
  TString text;
  text.Assign("kept");
  RequestStop();
  EXPECT_THROW(PerformPolygonMove(spine, c[0], x, &limit, &counter, &text), TComputationStopped);
  StopFlags().stop.store(0);
  unchanged(limit, counter, text);
}

// A quadrangle performed first (limit -1) counts its piercing candidates into
// the limit and pierces the first; with the limit known, counter 2 pierces
// the third candidate. A subtype without performer does nothing.
TEST_F(PolygonPerformerTest, RepeatFieldsChooseThePiercedCandidate) {
  TDocumentSpine document;
  ASSERT_EQ(document.ParseDocumentText("link code 1 -2 3 -4 2 -1 4 -3 end", TOptionValues{}), 1);
  TDocumentSpine::TScope scope(document);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  int checked = 0;
  for (const TCandidate& c : Candidates(spine)) {
    if (c[0] < 6 || c[6] != -1) continue;
    int x[5] = {c[1], c[2], c[3], c[4], c[5]};
    TSpine first;
    spine.CopyTo(first);
    int limit = -1;
    int counter = -1;
    TString text;
    if (PerformPolygonMove(first, c[0], x, &limit, &counter, &text) == 0) continue;
    EXPECT_EQ(counter, 0);
    EXPECT_GE(limit, 0);
    if (limit < 3) continue;
    TSpine third;
    spine.CopyTo(third);
    TSpineChecker checker(third);
    int knownLimit = limit;
    int two = 2;
    TString thirdText;
    ASSERT_EQ(PerformPolygonMove(third, c[0], x, &knownLimit, &two, &thirdText), 1);
    EXPECT_EQ(knownLimit, limit);
    EXPECT_NE(std::string(thirdText.CStr()), std::string(text.CStr()));
    EXPECT_TRUE(checker.Check(third));
    ++checked;
  }
  EXPECT_GT(checked, 0);

  int x[5] = {0, 0, 1, 2, 3};
  int limit = -1;
  int counter = -1;
  int log = spine.LogCount();
  std::string before = SpineSignature(spine);
  for (int subtype : {0, 15, -1}) {
    TString text;
    EXPECT_EQ(PerformPolygonMove(spine, subtype, x, &limit, &counter, &text), 0);
    EXPECT_TRUE(text.Empty());
  }
  EXPECT_EQ(spine.LogCount(), log);
  EXPECT_EQ(SpineSignature(spine), before);
}

}  // namespace
