// `sorvelin run`: a series from a file or standard input; refusals go to
// standard error with status 1.
#include "cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace cli_fixture;

TEST_F(CliTest, RunReadsTheSeriesFromAFileOrStandardInput) {
  const std::string census = "cPcbbbdxm\ncPcbbbiht\n";
  const fs::path file = WriteInput("census.txt", census);
  for (const std::string& arguments : {std::string("run"), "run '" + file.string() + "'"}) {
    SCOPED_TRACE(arguments);
    const TRunResult r = Run(arguments, arguments == "run" ? census : "");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("2:\tcPcbbbiht\t\tQ2_2 ('cPcbbbiht')\tH_1=Z\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Manifolds\t2\n"), std::string::npos);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
  }
}

TEST_F(CliTest, RunRefusalsGoToStandardErrorWithStatusOne) {
  struct TCase {
    const char* input;
    const char* message;
  };
  const TCase cases[] = {
      {"heegaard 0 5 1 0 2 0\n", "Error : the Heegaard diagram series cannot run: its engine is not built yet"},
      {"BinaryTableSave=a b.bin\ncPcbbbiht\n", "'a b.bin'"},
      {"extheegaard 3 3 1 2 2 2\n", "Extended Heegaard diagram, line 1"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.input);
    const TRunResult r = Run("run", c.input);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

// A line of the list that cannot be run as asked does not stop the series,
// but the run is no clean success: the report stands, the status is 1.
TEST_F(CliTest, RunWithALineThatCannotBeRunEndsWithStatusOne) {
  const fs::path missing = WriteInput("absent-dir-marker.txt", "").parent_path() / "no-such-file.txt";
  const TRunResult r = Run("run", missing.string() + " 1\n");
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.out.find("Error : Cannot read file '" + missing.string() + "'"), std::string::npos) << r.out;
}

}  // namespace
