#include "model/homology_normal_form.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = std::vector<std::int32_t>;

TEST(HomologyNormalForm, ComparesGroupsNotLists) {
  struct TCase {
    List a;
    List b;
    int equal;
  };
  const TCase cases[] = {
      {{2, 4, 0}, {2, 4, 0}, 1},
      {{0, 2}, {2, 0}, 1},          // components listed in another order
      {{2, 3}, {6}, 1},             // Z_2 + Z_3 = Z_6
      {{6, 10}, {2, 30}, 1},        // Z_6 + Z_10 = Z_2 + Z_30
      {{1}, {1, 1}, 1},             // the trivial group however written
      {{2, 2}, {4}, 0},
      {{0}, {1}, 0},
      {{0, 0}, {0}, 0},
      {{}, {}, 1},                  // two homologies never computed
      {{}, {1}, 0},
      {{2147483647, 2147483646}, {2147483646, 2147483647}, 1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(HomologyGroupsEqual(c.a, c.b), c.equal);
    EXPECT_EQ(HomologyGroupsEqual(c.b, c.a), c.equal);
  }
}

TEST(HomologyNormalForm, PrimaryDecomposition) {
  THomologyNormalForm form = HomologyNormalForm(List{12, 0, 1, 0});
  EXPECT_EQ(form.freeRank, 2);
  EXPECT_EQ(form.primePowers, (std::vector<std::pair<std::int64_t, int>>{{2, 2}, {3, 1}}));
}

}  // namespace
