// Lens spaces L(p, q), p <= 13, from genus-2 Heegaard diagrams: a crude
// piercing chosen first, then the automatic steps, the checker after every
// step (the curves of the pierced torus survive the cell reductions). The
// piercing records a solid torus with the meridian (1, 0); where the steps
// reach a cutting, the second solid torus's meridian meets it p times.
#include <gtest/gtest.h>

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
      choice.type = kMoveCrudePiercing;
      choice.element = FindPiercingCell(spine, 2);
      if (choice.element == -1) choice = TMoveChoice{};
      MakeCheckedSteps(spine, checker, choice, 100);
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

}  // namespace
