// The move commands of the command-line program: what they print is a
// document of the transformed spine, whose homology is that of the input.
#include <string>

#include "cli_fixture.h"

namespace {

using cli_fixture::CliTest;
using cli_fixture::TRunResult;

class MoveCommandsCliTest : public CliTest {};

TEST_F(MoveCommandsCliTest, WhatTheMovesPrintIsASpineOfTheSameHomology) {
  // Closed census manifolds, and the twice-punctured sphere as cells.
  const char* const inputs[] = {"bkaagj", "bkaajj", "bkaajn", "cMcabbgqs", "cMcabbjaj", "1\n2\n1 2 -1 -2\n"};
  for (const char* input : inputs) {
    const std::string homology = Run("homology-group", input).out;
    for (const char* command : {"make-default-moves", "make-one-step", "step-by-step", "go"}) {
      SCOPED_TRACE(std::string(command) + " on " + input);
      TRunResult r = Run(command, input);
      EXPECT_EQ(r.exitCode, 0);
      EXPECT_NE(r.out.find("% "), std::string::npos) << r.out;
      EXPECT_NE(r.out.find("Cell #1 = {"), std::string::npos) << r.out;
      TRunResult again = Run("homology-group", r.out);
      EXPECT_EQ(again.exitCode, 0);
      EXPECT_EQ(again.out, homology);
    }
  }
}

// Spines with a torus boundary (knot and link exteriors, a dehydration),
// whose tori carry coordinates from the parse on.
TEST_F(MoveCommandsCliTest, ExamplesWithTorusBoundariesKeepTheirHomology) {
  for (const char* example : {"2", "4", "12"}) {
    SCOPED_TRACE(example);
    const std::string text = Run(std::string("--example ") + example, "").out;
    TRunResult r = Run("make-default-moves", text);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(Run("homology-group", r.out).out, Run("homology-group", text).out);
    EXPECT_NE(Run("boundary", r.out).out.find("T^2"), std::string::npos);
  }
}

TEST_F(MoveCommandsCliTest, DefaultMovesReportWhatTheyDid) {
  TRunResult r = Run("make-default-moves", "cMcabbjaj");
  EXPECT_NE(r.out.find("% No transformation"), std::string::npos) << r.out;
  r = Run("--set ReportType=3 make-one-step", "cMcabbjaj");
  EXPECT_NE(r.out.find("*** Step 1 ***"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No transformation"), std::string::npos) << r.out;
  // The intermediate report shows the spine's short information with the step.
  EXPECT_NE(r.out.find("Cells    :"), std::string::npos) << r.out;
}

TEST_F(MoveCommandsCliTest, NoSpineIsRefused) {
  for (const char* command : {"make-default-moves", "make-one-step", "step-by-step", "go", "make-cell-reductions"}) {
    SCOPED_TRACE(command);
    TRunResult r = Run(command, "");
    EXPECT_EQ(r.exitCode, 1);
    // A refusal that holds only its reason is an error: it goes to stderr.
    EXPECT_NE(r.err.find("Unable to build special polyhedron!"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

}  // namespace
