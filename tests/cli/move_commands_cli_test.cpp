// The move commands of the command-line program: what they print is a
// document of the transformed spine, whose homology is that of the input.
#include <string>

#include "cli_fixture.h"

namespace {

using cli_fixture::CliTest;
using cli_fixture::TRunResult;

class MoveCommandsCliTest : public CliTest {};

TEST_F(MoveCommandsCliTest, WhatTheMovesPrintIsASpineOfTheSameHomology) {
  // Closed census manifolds with the surgeries that would cut them apart
  // disabled. (A short curve is no surgery: on bkaagj or cMcabbjaj it lets
  // the spine collapse to the disc of a ball, which the cell text reader
  // does not take back.)
  const char* const inputs[] = {"bkaajj", "bkaajn"};
  for (const char* input : inputs) {
    const std::string homology = Run("homology-group", input).out;
    for (const char* command : {"make-default-moves", "make-one-step", "step-by-step", "go"}) {
      SCOPED_TRACE(std::string(command) + " on " + input);
      TRunResult r = Run(std::string("--set DisableSurgeries=1 ") + command, input);
      EXPECT_EQ(r.exitCode, 0);
      EXPECT_NE(r.out.find("% "), std::string::npos) << r.out;
      EXPECT_NE(r.out.find("Cell #1 = {"), std::string::npos) << r.out;
      TRunResult again = Run("homology-group", r.out);
      EXPECT_EQ(again.exitCode, 0);
      EXPECT_EQ(again.out, homology);
    }
  }
}

// A closed manifold is pierced and cut into pieces: the report prints the
// molecule of the pieces beside the spine that is left, and the two solid
// tori of a lens space meet p times.
TEST_F(MoveCommandsCliTest, PiecesCutOffArePrintedWithTheSpine) {
  const struct {
    const char* input;
    const char* edge;
  } cases[] = {
      {"bkaajn", "Edge 1 { Solid torus 1 (1,0), Solid torus 2 (2,-5) }"},
      {"bkaajj", "Edge 1 { Solid torus 1 (1,0), Solid torus 2 (1,-4) }"},
      {"cMcabbjaj", "Edge 1 { Solid torus 1 (1,0), Solid torus 2 (1,0) }"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    TRunResult r = Run("make-default-moves", c.input);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("% Crude piercing of 'Cell #1' done"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("% Vertices : Solid torus 2,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(c.edge), std::string::npos) << r.out;
  }
  // The twice-punctured sphere: piercing joins its two spheres, and what is
  // left is the disc of a ball; nothing is cut off.
  TRunResult ball = Run("make-default-moves", "1\n2\n1 2 -1 -2\n");
  EXPECT_EQ(ball.exitCode, 0);
  EXPECT_NE(ball.out.find("% Delicate piercing of"), std::string::npos) << ball.out;
  EXPECT_EQ(ball.out.find("Labeled Molecule"), std::string::npos) << ball.out;
  // Without a piece cut off there is no molecule in the report.
  EXPECT_EQ(Run("--set DisableSurgeries=1 make-default-moves", "bkaajn").out.find("Labeled Molecule"),
            std::string::npos);
}

// Spines with a torus boundary (knot and link exteriors, a dehydration),
// whose tori carry coordinates from the parse on.
TEST_F(MoveCommandsCliTest, ExamplesWithTorusBoundariesKeepTheirHomology) {
  for (const char* example : {"2", "12"}) {
    SCOPED_TRACE(example);
    const std::string text = Run(std::string("--example ") + example, "").out;
    TRunResult r = Run("make-default-moves", text);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(Run("homology-group", r.out).out, Run("homology-group", text).out);
    EXPECT_NE(Run("boundary", r.out).out.find("T^2"), std::string::npos);
  }
}

TEST_F(MoveCommandsCliTest, DefaultMovesReportWhatTheyDid) {
  TRunResult r = Run("--set DisableSurgeries=1 make-default-moves", "bkaajn");
  EXPECT_NE(r.out.find("% No transformation"), std::string::npos) << r.out;
  r = Run("--set DisableSurgeries=1 --set ReportType=3 make-one-step", "bkaajn");
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
