// Cutting along a normal torus: the plate vectors come from the torus
// search of the surfaces code. The cut leaves a sound thickened spine with
// two new boundary tori, the second carrying the first one's curves with the
// first curve reversed; the fibre of a torus bundle does not separate (306)
// and leaves T^2 x I, a torus of a graph manifold splits it (307).
#include "moves/normal_torus_cutting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/normal_surface.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/assembled_name.h"
#include "support/census_table_support.h"
#include "support/checked_steps.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// T x I / [ 7,3 | 2,1 ] of the closed census.
constexpr const char* kTorusBundle = "kLLLAPPkcdgfehijijjhsxaqpixknn";
// A graph manifold whose torus search finds a separating torus.
constexpr const char* kGraphManifold = "iLLAMMcacddfgghhjkaitpwas";

class NormalTorusCuttingTest : public ::testing::Test {
 protected:
  TSpine& Load(const char* signature) {
    scope_.emplace_back(std::make_unique<TDocumentSpine::TScope>(document_));
    EXPECT_EQ(document_.ParseDocumentText(signature, TOptionValues{}), 1);
    document_.EnsureThickened();
    return document_.Spine();
  }
  static std::vector<std::uint8_t> FirstTorus(TSpine& spine) {
    TSurfaceSearchState state;
    EXPECT_TRUE(FindNextNormalTorus(spine, state, 2));
    return state.cells;
  }

  TDocumentSpine document_;
  std::vector<std::unique_ptr<TDocumentSpine::TScope>> scope_;
};

using TLabels = std::array<int, 4>;

std::vector<TLabels> EdgeLabels(const TComplex& surface, bool reverseFirst) {
  std::vector<TLabels> list;
  const TObjectManager& objects = surface.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    if (ObjectKind(objects.At(i)) != kEdgeKind) continue;
    TLabels l{};
    TEdge::LabelsAreZero(objects.At(i), l.data());
    if (reverseFirst) l[0] = -l[0];
    list.push_back(l);
  }
  std::sort(list.begin(), list.end());
  return list;
}

TEST_F(NormalTorusCuttingTest, TheFibreOfATorusBundleLeavesTorusTimesInterval) {
  TSpine& spine = Load(kTorusBundle);
  const std::vector<std::uint8_t> plates = FirstTorus(spine);
  ASSERT_EQ(plates, (std::vector<std::uint8_t>{0, 0, 0, 0, 1, 1, 1, 0, 1, 0, 0}));
  TSpineChecker checker(spine);
  const int before = spine.BoundaryCount();
  // The report is written in quiet mode too; nothing is logged.
  QuietMode.store(1);
  TString text;
  const int flag = CutAlongNormalTorusPlates(spine, plates, &text);
  QuietMode.store(0);
  EXPECT_EQ(flag, 2);
  EXPECT_STREQ(text.CStr(), "Cutting along non-separating normal torus {0,0,0,0,1,1,1,0,1,0,0} done");
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_TRUE(checker.Check(spine, false));
  EXPECT_EQ(spine.Next(), nullptr);
  ASSERT_EQ(spine.BoundaryCount(), before + 2);
  // M cut along the fibre is T^2 x I: H_1 = Z + Z.
  EXPECT_EQ(ChainHomology(spine), (std::vector<std::int32_t>{0, 0}));
  const TComplex& first = *spine.BoundaryAt(before);
  const TComplex& second = *spine.BoundaryAt(before + 1);
  EXPECT_EQ(first.SurfaceClass(), 2);
  EXPECT_EQ(second.SurfaceClass(), 2);
  EXPECT_FALSE(first.AllEdgeLabelsZero());
  EXPECT_EQ(EdgeLabels(second, false), EdgeLabels(first, true));
  // The default moves go on from the cut spine, sound after every step. A
  // ring joins the two tori: its cut leaves a pair of pants times a circle
  // and a solid torus, so the spine's own homology goes, but the molecule
  // still assembles to the bundle, as it does without the torus cut.
  InitMoveOrderTable();
  TSpineChecker after(spine);
  EXPECT_GT(MakeCheckedSteps(spine, after, TMoveChoice{}, 100), 0);
  const std::string name = AssembledManifoldName(spine);
  EXPECT_EQ(name.rfind("Stallings manifold with fiber a torus: ", 0), 0u) << name;
  TDocumentSpine plain;
  TDocumentSpine::TScope plainScope(plain);
  ASSERT_EQ(plain.ParseDocumentText(kTorusBundle, TOptionValues{}), 1);
  plain.EnsureThickened();
  TSpineChecker plainChecker(plain.Spine());
  EXPECT_GT(MakeCheckedSteps(plain.Spine(), plainChecker, TMoveChoice{}, 100), 0);
  EXPECT_EQ(AssembledManifoldName(plain.Spine()), name);
}

// Many parallel copies of the fibre: the first loops are short, the layers
// and regions many. A stop seen there undoes the cut entirely.
TEST_F(NormalTorusCuttingTest, AStopAmongTheLayersLeavesTheSpineAsItWas) {
  TSpine& spine = Load(kTorusBundle);
  std::vector<std::uint8_t> plates = FirstTorus(spine);
  for (std::uint8_t& k : plates) k = static_cast<std::uint8_t>(k * 200);
  const std::string before = SpineSignature(spine);
  const int boundaries = spine.BoundaryCount();
  TString text;
  text.Assign("kept");
  RequestStop();
  EXPECT_THROW(CutAlongNormalTorusMove(spine, plates, &text), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_STREQ(text.CStr(), "kept");
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_EQ(spine.BoundaryCount(), boundaries);
  EXPECT_EQ(SpineSignature(spine), before);
}

TEST_F(NormalTorusCuttingTest, ASeparatingTorusSplitsTheSpine) {
  TSpine& spine = Load(kGraphManifold);
  const std::vector<std::uint8_t> plates = FirstTorus(spine);
  TSpineChecker checker(spine);
  TString text;
  EXPECT_EQ(CutAlongNormalTorusPlates(spine, plates, &text), 1);
  EXPECT_EQ(std::string(text.CStr()).rfind("Cutting along separating normal torus {", 0), 0u) << text.CStr();
  EXPECT_TRUE(checker.Check(spine, false));
  ASSERT_NE(spine.Next(), nullptr);
  for (TSpine* s = &spine; s != nullptr; s = s->Next()) EXPECT_EQ(s->CountBoundaries(2), 1);
}

// Every torus the search finds on closed census manifolds of up to nine
// tetrahedra (a few per manifold) cuts into a sound spine with two new tori
// carrying curves.
TEST(NormalTorusCuttingSweep, EveryTorusFoundCutsSoundly) {
  int cut = 0;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample()) {
    if (entry.tetrahedra < 5 || entry.tetrahedra > 9) continue;
    SCOPED_TRACE(entry.name);
    std::vector<std::vector<std::uint8_t>> tori;
    {
      TDocumentSpine document;
      TDocumentSpine::TScope scope(document);
      ASSERT_EQ(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 1);
      TSurfaceSearchState state;
      while (tori.size() < 3 && FindNextNormalTorus(document.Spine(), state, 2)) tori.push_back(state.cells);
    }
    for (const auto& plates : tori) {
      TDocumentSpine document;
      TDocumentSpine::TScope scope(document);
      ASSERT_EQ(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 1);
      document.EnsureThickened();
      TSpine& spine = document.Spine();
      TSpineChecker checker(spine);
      int tori = 0;
      for (TSpine* s = &spine; s != nullptr; s = s->Next()) tori += s->CountBoundaries(2);
      ASSERT_NE(CutAlongNormalTorusPlates(spine, plates, nullptr), 0);
      ++cut;
      EXPECT_TRUE(checker.Check(spine, false));
      int after = 0;
      for (TSpine* s = &spine; s != nullptr; s = s->Next()) after += s->CountBoundaries(2);
      EXPECT_EQ(after, tori + 2);
    }
  }
  EXPECT_GE(cut, 10);
}

// A vector that is no surface, or none at all, is refused and nothing
// changes.
TEST_F(NormalTorusCuttingTest, AVectorThatIsNoSurfaceIsRefused) {
  TSpine& spine = Load(kTorusBundle);
  std::vector<std::uint8_t> plates = FirstTorus(spine);
  const std::string before = SpineSignature(spine);
  const int boundaries = spine.BoundaryCount();
  std::vector<std::uint8_t> odd = plates;
  odd[4] += 1;
  std::vector<std::uint8_t> shorter(plates.begin(), plates.end() - 1);
  const std::vector<std::uint8_t> zero(plates.size(), 0);
  for (const auto& vector : {odd, shorter, zero}) {
    TString text;
    EXPECT_EQ(CutAlongNormalTorusPlates(spine, vector, &text), 0);
    EXPECT_TRUE(text.Empty());
  }
  EXPECT_EQ(spine.BoundaryCount(), boundaries);
  EXPECT_EQ(SpineSignature(spine), before);
}

}  // namespace
