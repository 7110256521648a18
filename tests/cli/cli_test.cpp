// Runs the built `sorvelin` program as a user would and checks what it prints
// and how it exits.
#include "cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

extern char** environ;

namespace {

using namespace cli_fixture;

const char kTwicePuncturedSphere[] = "1\n2\n1 2 -1 -2\n";

TEST_F(CliTest, HomologyOfTheTwicePuncturedSphere) {
  TRunResult r = Run("homology-group", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "H_1=0");
  EXPECT_EQ(r.out.find('\r'), std::string::npos);  // the platform's line ends

  // The same by menu id, from a file, and from '-'.
  fs::path file = WriteInput("sphere.txt", kTwicePuncturedSphere);
  EXPECT_EQ(Run("23 '" + file.string() + "'").out, r.out);
  EXPECT_EQ(Run("homology-group -", kTwicePuncturedSphere).out, r.out);
}

TEST_F(CliTest, HomologyOfKnownManifolds) {
  struct TCase {
    const char* text;
    const char* group;
  };
  const TCase cases[] = {
      {"a a a a a\n", "H_1=Z_5"},   // one cell running five times round one loop: L(5,1)
      {"a b -a -b\n", "H_1=Z+Z"},    // a torus word
      {"a a\nb b\n", "H_1=Z_2+Z_2"},
      {"% a comment\nx = {1, 1, 1, 1}\n", "H_1=Z_4"},
      {"1 1 1 1 2 2 2 2 2 2\n", "H_1=Z_2+Z"},  // the relation row (4, 6)
      {"a\nb\n", "H_1=0"},                      // no relation left over: trivial
  };
  // These complexes are no special spines and do not thicken: the homology
  // command refuses without a group (status 1); the description of the
  // complex still gives the complex's own group.
  for (const TCase& c : cases) {
    TRunResult r = Run("homology-group", c.text);
    EXPECT_EQ(r.exitCode, 1) << c.text << r.err;
    EXPECT_EQ(r.out.find("H_1="), std::string::npos) << c.text << r.out;
    EXPECT_NE(r.out.find("The complex cannot be thickened"), std::string::npos) << r.out;
    TRunResult info = Run("short-information", c.text);
    EXPECT_NE(info.out.find(std::string(c.group) + "\n"), std::string::npos) << c.text << info.out;
  }
}

TEST_F(CliTest, ShortInformationBoundaryAndDetails) {
  TRunResult info = Run("short-information", kTwicePuncturedSphere);
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("Cells    : 3\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("H_1=0\n2 Connected BoundaryComponent(s), 2 S^2\n"), std::string::npos)
      << info.out;
  TRunResult boundary = Run("boundary", kTwicePuncturedSphere);
  EXPECT_EQ(boundary.exitCode, 0) << boundary.err;
  EXPECT_NE(boundary.out.find("Boundary is not connected 2 Connected BoundaryComponent(s), 2 S^2"),
            std::string::npos)
      << boundary.out;

  const char* lens =
      "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";
  info = Run("16", lens);
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("H_1=Z_5\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Manifold is orientable"), std::string::npos) << info.out;

  // The details of a spine, and the view switch that rewrites a text as them.
  TRunResult details = Run("details", kTwicePuncturedSphere);
  EXPECT_EQ(details.exitCode, 0) << details.err;
  TRunResult view = Run("view-details", kTwicePuncturedSphere);
  EXPECT_EQ(view.exitCode, 0) << view.err;
  EXPECT_EQ(view.out, details.out);
  EXPECT_EQ(Run("homology-group", view.out).out, Run("homology-group", kTwicePuncturedSphere).out);
  EXPECT_EQ(Run("view-details", lens).out, lens);

  // A spine that does not thicken: the report says why, the status is 1.
  boundary = Run("boundary", "1 2\n1 -2\n");
  EXPECT_EQ(boundary.exitCode, 1);
  EXPECT_NE(boundary.out.find("Thicking error : Valency of Edge 1 equals 2"), std::string::npos)
      << boundary.out;
}

TEST_F(CliTest, BoundaryCurves) {
  TRunResult r = Run("boundary-curves", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("%\tH_1=0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Cell #1 = { 1 }\nCell #2 = { 2 }\nCell #3 = { 1, 2, -1, -2 }\n"),
            std::string::npos)
      << r.out;

  r = Run("boundary-curves", "top = {e, f, -e, -f}\nbottom: e\nside : f\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("top = { e, f, -e, -f }\nbottom = { e }\nside = { f }\n"),
            std::string::npos)
      << r.out;
}

TEST_F(CliTest, ViewStyleSwitchKeepsABoundaryCurvesText) {
  TRunResult r = Run("view-boundary-curves", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kTwicePuncturedSphere);
}

TEST_F(CliTest, NoSpineGivesStatusOneAndSaysWhy) {
  struct TCase {
    std::string text;
    std::string message;
  };
  const TCase cases[] = {
      {"", "Unable to build special polyhedron!"},
      {"a = {1 , : 2}\n", "Edge name expected:\n': 2}'"},
      {std::string(70, 'c') + " = {1}\n", "is longer than the 63 character maximum"},
      {"1 123456789012345678901234567890\n", "123456789012345678901234567890"},
      {std::string("\x01\x02\xff{}}{=:#-") + "\n", "Unable to build special polyhedron!"},
  };
  for (const TCase& c : cases) {
    for (const char* command : {"homology-group", "boundary-curves"}) {
      // The reason is an error message: on standard error, once, without the
      // desktop program's hint; nothing on standard output.
      TRunResult r = Run(command, c.text);
      EXPECT_EQ(r.exitCode, 1) << command << ": " << c.text;
      EXPECT_EQ(r.out, "") << command << ": " << c.text;
      EXPECT_NE(r.err.find("Unable to build special polyhedron!"), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
      EXPECT_EQ(r.err.find("Initial State"), std::string::npos) << r.err;
    }
  }
}

TEST_F(CliTest, UsageErrorsGiveStatusTwo) {
  TRunResult r = Run("no-such-command", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("unknown command 'no-such-command'"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());

  r = Run("homology-group '" + (directory_ / "missing.txt").string() + "'");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;

  EXPECT_EQ(Run("").exitCode, 2);
  EXPECT_EQ(Run("homology-group a b").exitCode, 2);
  EXPECT_EQ(Run("--bogus homology-group").exitCode, 2);
  EXPECT_EQ(Run("--set NoSuchKey=1 homology-group", kTwicePuncturedSphere).exitCode, 2);
  EXPECT_EQ(Run("--set OptionsOutputMoveList=yes homology-group", kTwicePuncturedSphere).exitCode,
            2);
  EXPECT_EQ(Run("--set OptionsOutputMoveList=1 homology-group", kTwicePuncturedSphere).exitCode,
            0);

  fs::path binary = WriteInput("binary.txt", std::string("1 2\0 3", 6));
  r = Run("homology-group '" + binary.string() + "'");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("not a text document"), std::string::npos) << r.err;
}

TEST_F(CliTest, ListShowsEveryCommandWithItsMenuId) {
  TRunResult r = Run("--list");
  EXPECT_EQ(r.exitCode, 0);
  for (const char* line :
       {"view-boundary-curves", "boundary-curves", "homology-group", "graph-code",
        "labeled-molecule"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << r.out;
  }
  std::istringstream lines(r.out);
  std::string name;
  int id = 0;
  int count = 0;
  while (lines >> name >> id) {
    ++count;
    if (name == "view-boundary-curves") {
      EXPECT_EQ(id, 11);
    } else if (name == "boundary-curves") {
      EXPECT_EQ(id, 17);
    } else if (name == "homology-group") {
      EXPECT_EQ(id, 23);
    } else if (name == "labeled-molecule") {
      EXPECT_EQ(id, 40);
    } else if (name == "graph-code") {
      EXPECT_EQ(id, 32);
    }
  }
  EXPECT_GE(count, 4);
}

TEST_F(CliTest, SettingsFromAnIniFileAndTheCommandSet) {
  fs::path ini = WriteInput("options.ini", "[Options]\r\nOptionsOutputMoveList=1\r\n");
  TRunResult r = Run("--ini '" + ini.string() + "' homology-group", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Run("--ini '" + (directory_ / "none.ini").string() + "' homology-group",
                kTwicePuncturedSphere)
                .exitCode,
            2);
  // A bad value in the file of --ini is refused as it is through --set.
  fs::path bad = WriteInput("bad.ini", "[Options]\r\nReportType=seven\r\n");
  r = Run("--ini '" + bad.string() + "' homology-group", kTwicePuncturedSphere);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("line 2: the value \"seven\" of ReportType"), std::string::npos) << r.err;
  EXPECT_EQ(Run("--reduce 1 homology-group", kTwicePuncturedSphere).exitCode, 0);
  EXPECT_EQ(Run("--reduce x homology-group", kTwicePuncturedSphere).exitCode, 2);
  EXPECT_EQ(Run("--reduce").exitCode, 2);
}

TEST_F(CliTest, BuiltInExamplesPrintAndRun) {
  TRunResult example = Run("--example 1");
  EXPECT_EQ(example.exitCode, 0);
  EXPECT_NE(example.out.find("1 2 -1 -2"), std::string::npos) << example.out;
  EXPECT_EQ(example.out.find('\r'), std::string::npos);
  // The printed example is a document the program reads back.
  // Short information where this build has it, else the homology group.
  const bool shortInformation = Run("--list").out.find("short-information") != std::string::npos;
  TRunResult report = Run(shortInformation ? "short-information" : "homology-group", example.out);
  EXPECT_EQ(report.exitCode, 0) << report.err;
  EXPECT_NE(report.out.find("H_1=0"), std::string::npos) << report.out;
  for (const char* bad : {"--example 13", "--example 0", "--example x", "--example"}) {
    EXPECT_EQ(Run(bad).exitCode, 2) << bad;
  }
}

TEST_F(CliTest, HelpAndVersion) {
  TRunResult r = Run("--help");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Usage: sorvelin"), std::string::npos);
  r = Run("--version");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.rfind("sorvelin ", 0), 0u);
}

// Ctrl+C while the program waits for its input stops it with status 130.
TEST_F(CliTest, InterruptStopsWithStatus130) {
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, input[1]);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = Program();
  char* argv[] = {program.data(), const_cast<char*>("homology-group"), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  ASSERT_EQ(write(input[1], "1\n", 2), 2);
  usleep(200000);  // let it start and block on the rest of its input
  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  close(input[1]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
}

// Knots and links: the exterior's homology, and surgery along the framings.
TEST_F(CliTest, LinkTextsGiveExteriorsAndSurgeries) {
  struct Case {
    const char* text;
    const char* firstLine;
  };
  const Case cases[] = {
      {"link code 1 -1 end", "H_1=Z"},
      {"link code 1 -1 framing 5 end", "H_1=Z_5"},
      {"link signs -1 code 1 -1 framing 5 end", "H_1=Z_5"},
      {"link code 1 -1 framing 5/2 end", "H_1=Z_5"},
      {"link code 1 -1 framing 0 end", "H_1=Z"},
      {"link code 1 -1 framing 1/0 end", "H_1=0"},
      {"LINK\nCode 1 -2 3 -1 2 -3\nEND\n", "H_1=Z"},
      {"link dowkercode 4 6 2 framing 4 end", "H_1=Z_4"},
      {"link code 1 -2 framing 2 code 2 -1 framing 3 end", "H_1=Z_5"},
      {"link code 1 -2 framing 3 code 2 -1 end", "H_1=Z"},
      {"link t^2 signs 1 1 code -1 2 t1 1 -2 l1 end", "H_1=Z+Z+Z"},
      {"link t^2 code -1 2 t1 1 -2 l1 signs 1 1 end", "H_1=Z+Z+Z"},  // signs last
  };
  for (const Case& c : cases) {
    TRunResult r = Run("homology-group", c.text);
    EXPECT_EQ(r.exitCode, 0) << c.text << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.firstLine) << c.text;
  }
  TRunResult bad = Run("homology-group", "link code 1 -2 -1 2 end");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("The code is not a valid Gauss code"), std::string::npos) << bad.err;
}

}  // namespace
