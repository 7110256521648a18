// Lens spaces L(p, q), p <= 13, from genus-2 Heegaard diagrams and from
// surgeries on the unknot: the automatic steps begin with a counterpass or
// a piercing, the checker after every step (the curves of the pierced
// torus survive the cell reductions), each step on the first component of
// the chain that moves. The crude piercing records a solid torus with the
// meridian (1, 0); where the steps reach a cutting, the second solid
// torus's meridian meets it p times.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "foundation/heap_string.h"
#include "model/molecule_vertex.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/checked_steps.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"

namespace {

TEST(LensSpaceMovesTest, HeegaardSpinesStaySoundAndRecordTheirSolidTori) {
  InitMoveOrderTable();
  for (int p = 2; p <= 13; ++p) {
    for (int q = 1; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text = "heegaard 0 " + std::to_string(p) + " 1 0 " + std::to_string(q) + " 0";
      SCOPED_TRACE(text);
      TScopedModelHeap heap;
      TSpine spine;
      ASSERT_EQ(LoadHeegaardDiagram(spine, text.c_str()), 1);
      ASSERT_EQ(spine.Thicken(1), 1);
      TSpineChecker checker(spine);
      ASSERT_EQ(checker.Homology(), std::vector<std::int32_t>{p});
      TMoveChoice choice;
      ASSERT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
      // A counterpass, where one applies, comes before the piercings.
      EXPECT_TRUE(choice.type == kMoveCounterpass || choice.type == kMoveDelicatePiercing ||
                  choice.type == kMoveCrudePiercing)
          << choice.type;
      MakeCheckedSteps(spine, checker, TMoveChoice{}, 100);
      const std::vector<std::pair<int, int>> meridians = SolidTorusMeridians(spine);
      ASSERT_GE(meridians.size(), 1u);
      EXPECT_LE(meridians.size(), 2u);
      EXPECT_EQ(meridians[0], std::make_pair(1, 0));
      if (meridians.size() != 2u) continue;
      int d = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
      EXPECT_EQ(d < 0 ? -d : d, p);
    }
  }
}

// Surgery p/q on a one-crossing unknot: the spine has boundary spheres that
// delicate piercings join before the crude one. Most end as two solid tori
// meeting p times. The others keep, beside the first solid torus, a piece
// the automatic moves do not cut: a solid torus whose spine does not
// collapse (H_1 = Z; in L(5, 1) and L(5, 4) one cell passing an edge three
// times the same way, among edges of valency 2, so no vertex is special and
// neither a counterpass nor a short curve applies), or, in L(4n, 2n +- 1),
// which holds a Klein bottle, the twisted I-bundle over it (H_1 = Z + Z_2),
// which a ring cut names. The molecule never loses the homology: the piece
// left is in it.
TEST(LensSpaceMovesTest, UnknotSurgeriesEndAsTwoSolidToriMeetingPTimes) {
  InitMoveOrderTable();
  int twoSolidTori = 0;
  int all = 0;
  for (int p = 2; p <= 13; ++p) {
    for (int q = 1; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text =
          "link code 1 -1 framing " + std::to_string(p) + "/" + std::to_string(q) + " end";
      SCOPED_TRACE(text);
      ++all;
      TDocumentSpine document;
      TDocumentSpine::TScope scope(document);
      ASSERT_EQ(document.ParseDocumentText(text.c_str(), TOptionValues{}), 1);
      document.EnsureThickened();
      TSpine& spine = document.Spine();
      TSpineChecker checker(spine);
      ASSERT_EQ(checker.Homology(), std::vector<std::int32_t>{p});
      EXPECT_GT(MakeCheckedSteps(spine, checker, TMoveChoice{}, 100), 0);
      const std::vector<std::pair<int, int>> meridians = SolidTorusMeridians(spine);
      ASSERT_GE(meridians.size(), 1u);
      EXPECT_EQ(meridians[0], std::make_pair(1, 0));
      if (meridians.size() == 1u) {
        std::vector<std::int32_t> rest = ChainHomology(spine);
        std::sort(rest.begin(), rest.end());
        // L(p, q) with p = 4n holds a Klein bottle exactly for q = 2n +- 1.
        const bool kleinBottle = p % 4 == 0 && (q == p / 2 - 1 || q == p / 2 + 1);
        if (kleinBottle && rest == std::vector<std::int32_t>{0, 2}) continue;
        EXPECT_EQ(rest, std::vector<std::int32_t>{0});
        continue;
      }
      ASSERT_EQ(meridians.size(), 2u);
      ++twoSolidTori;
      int d = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
      EXPECT_EQ(d < 0 ? -d : d, p);
    }
  }
  EXPECT_GE(2 * twoSolidTori, all);
}

}  // namespace
