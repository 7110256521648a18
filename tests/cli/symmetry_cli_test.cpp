// The symmetry search on spines with a torus boundary reports the action on
// the torus for every symmetry.
#include "cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace cli_fixture;

TEST_F(CliTest, SymmetriesOfSpinesWithATorusGiveTheirMatrices) {
  struct TCase {
    const char* text;
    int tori;  // lines "Torus 1 -> Torus 1: (..)" expected
  };
  const TCase cases[] = {
      {"link code 1 -2 3 -1 2 -3 end\n", 5},  // the trefoil's exterior
      {"dLQbcccdero\n", 1},                   // one involution, acting as -1
  };
  for (const TCase& c : cases) {
    TRunResult r = Run("search-for-symmetries-of-spine", c.text);
    EXPECT_EQ(r.exitCode, 0) << c.text << r.err;
    EXPECT_EQ(r.out.find("not determined"), std::string::npos) << c.text << r.out;
    int tori = 0;
    for (std::size_t at = r.out.find("Torus 1 -> Torus 1: ("); at != std::string::npos;
         at = r.out.find("Torus 1 -> Torus 1: (", at + 1))
      ++tori;
    EXPECT_EQ(tori, c.tori) << c.text << r.out;
  }
  EXPECT_NE(Run("search-for-symmetries-of-spine", "dLQbcccdero\n").out.find("(-1 0) (0 -1)"), std::string::npos);
}

}  // namespace
