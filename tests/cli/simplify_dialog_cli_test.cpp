// `sorvelin dialog`: the numbered list of moves with the default marked, the
// moves of chosen entries made in turn, and the refusals of entries that are
// not in the list.
#include <string>

#include "cli_fixture.h"

namespace {

using cli_fixture::CliTest;
using cli_fixture::TRunResult;

class SimplifyDialogCliTest : public CliTest {};

TEST_F(SimplifyDialogCliTest, ListsTheMovesOfEveryCellWithTheDefaultMarked) {
  TRunResult r = Run("dialog", "bkaajn");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "   1* Crude piercing Cell #1 = { 1, 1, 2 }\n"
            "   2  Crude piercing Cell #2 = { 1, -2, -2 }\n"
            "\n"
            "Algorithm default : Cell #1 - Crude piercing\n");
}

TEST_F(SimplifyDialogCliTest, PerformedEntriesPrintTheirReportsAndTheSpine) {
  // The first entry pierces cell 1 and then everything collapses and is cut
  // into pieces; the second pierces the other cell first.
  for (const char* entries : {"1", "2"}) {
    SCOPED_TRACE(entries);
    TRunResult r = Run(std::string("dialog --perform ") + entries, "bkaajn");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("*** Step 1 ***"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Crude piercing of 'Cell #" + std::string(entries) + "' done"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Labeled Molecule"), std::string::npos) << r.out;
  }
  // The list after a move is the list of what is left: here nothing can be
  // moved any more, and the second number is refused.
  TRunResult again = Run("dialog --perform 1,1", "cMcabbjaj");
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("Entry 1 has no move"), std::string::npos) << again.err;
  EXPECT_EQ(again.out, "");
}

TEST_F(SimplifyDialogCliTest, EntriesThatAreNotInTheListAreRefusedByName) {
  const struct {
    const char* arguments;
    int status;
    const char* message;
  } cases[] = {
      {"dialog --perform 3", 1, "There is no entry '3' in the list of 2 moves"},
      {"dialog --perform 1,9", 1, "There is no entry '9'"},
      {"dialog --perform 0", 2, "'0'"},
      {"dialog --perform 1,,2", 2, "--perform needs entry numbers"},
      {"dialog --perform x", 2, "'x'"},
      {"dialog --perform torus", 2, "'torus'"},
      {"homology-group --perform 1", 2, "--perform is an option of the command 'dialog' only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    TRunResult r = Run(c.arguments, "bkaajn");
    EXPECT_EQ(r.exitCode, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// "tori" presses the search for normal tori: the tori of a graph manifold
// are listed after the cell moves, and an entry of the list cuts along its
// torus.
TEST_F(SimplifyDialogCliTest, TheTorusSearchListsToriAndTheirEntriesCut) {
  const std::string graphManifold = "iLLAMMcacddfgghhjkaitpwas";
  TRunResult listed = Run("--set NormalSurfacesSearchLimit=200000 dialog --perform tori", graphManifold);
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  const std::size_t at = listed.out.find("Cutting along normal torus S(O,0) (");
  ASSERT_NE(at, std::string::npos) << listed.out;
  // The entry's number opens its line.
  const std::size_t line = listed.out.rfind('\n', at) + 1;
  const std::string number = std::to_string(std::stoi(listed.out.substr(line, at - line)));
  EXPECT_NE(listed.out.find("Algorithm default : "), std::string::npos);

  TRunResult cut = Run("--set NormalSurfacesSearchLimit=200000 dialog --perform tori," + number, graphManifold);
  ASSERT_EQ(cut.exitCode, 0) << cut.err;
  EXPECT_NE(cut.out.find("Cutting along separating normal torus {"), std::string::npos) << cut.out;
  EXPECT_NE(cut.out.find("Labeled Molecule"), std::string::npos) << cut.out;

  // The limit of visited vectors ends the search and says so.
  TRunResult limited = Run("--set NormalSurfacesSearchLimit=1000 dialog --perform tori", graphManifold);
  ASSERT_EQ(limited.exitCode, 0) << limited.err;
  EXPECT_EQ(limited.out.rfind("Search stopped after 1000 vectors", 0), 0u) << limited.out;
}

}  // namespace
