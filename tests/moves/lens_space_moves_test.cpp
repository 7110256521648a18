// Lens spaces L(p, q), p <= 13, from genus-2 Heegaard diagrams and from
// surgeries on the unknot: the automatic steps begin with a counterpass or
// a piercing, the checker after every step (the curves of the pierced
// torus survive the cell reductions), each step on the first component of
// the chain that moves. The crude piercing records a solid torus with the
// meridian (1, 0). Where the steps end with two solid tori, their meridians
// meet p times; where a ring cut leaves three solid tori around a triple atom
// (a pair of pants times a circle), the lens space is the Seifert manifold
// over S^2 with those three fillings. Either way the molecule, assembled,
// names L(p, q) up to homeomorphism.
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
#include "support/assembled_name.h"
#include "support/checked_steps.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"

namespace {

int TripleAtoms(TSpine& spine) {
  int count = 0;
  for (TObjectTable* t = spine.MoleculeTable()->Head(); t != nullptr; t = t->Next())
    count += t->CountAtomsOfType(kTripleAtom);
  return count;
}

// What the default moves leave of L(p, q): the first solid torus is the
// crude piercing's, with meridian (1, 0); either a second solid torus whose
// meridian meets it p times, or a ring cut's triple atom with three solid
// tori; and the assembled molecule is L(p, q). Counts the ends with a
// triple atom in ringCuts.
void ExpectLensSpaceMolecule(TSpine& spine, int p, int q, int& ringCuts) {
  const std::vector<std::pair<int, int>> meridians = SolidTorusMeridians(spine);
  ASSERT_GE(meridians.size(), 1u);
  EXPECT_EQ(meridians[0], std::make_pair(1, 0));
  const int triples = TripleAtoms(spine);
  if (meridians.size() == 2u) {
    EXPECT_EQ(triples, 0);
    int d = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
    EXPECT_EQ(d < 0 ? -d : d, p);
  } else {
    EXPECT_EQ(meridians.size(), 3u);
    EXPECT_EQ(triples, 1);
    ++ringCuts;
  }
  EXPECT_EQ(AssembledManifoldName(spine), LensSpaceName(p, q) + " Elliptic");
}

TEST(LensSpaceMovesTest, HeegaardSpinesStaySoundAndRecordTheirSolidTori) {
  InitMoveOrderTable();
  int ringCuts = 0;
  int all = 0;
  for (int p = 2; p <= 13; ++p) {
    for (int q = 1; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text = "heegaard 0 " + std::to_string(p) + " 1 0 " + std::to_string(q) + " 0";
      SCOPED_TRACE(text);
      ++all;
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
      ExpectLensSpaceMolecule(spine, p, q, ringCuts);
    }
  }
  // Both ends occur.
  EXPECT_GT(ringCuts, 0);
  EXPECT_LT(ringCuts, all);
}

// Surgery p/q on a one-crossing unknot: the spine has boundary spheres that
// delicate piercings join before the crude one. The pieces the moves leave
// differ with p/q (two solid tori; or a triple atom with three, where a ring
// cut splits off a pair of pants times a circle, as in L(4n, 2n +- 1), which
// holds a Klein bottle), but every molecule assembles to L(p, q).
TEST(LensSpaceMovesTest, UnknotSurgeriesEndAsSolidToriThatAssembleToTheLensSpace) {
  InitMoveOrderTable();
  int ringCuts = 0;
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
      ExpectLensSpaceMolecule(spine, p, q, ringCuts);
    }
  }
  // Both ends occur.
  EXPECT_GT(ringCuts, 0);
  EXPECT_LT(ringCuts, all);
}

}  // namespace
