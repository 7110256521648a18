// The move commands of the command-line program: what they print is a
// document of the transformed spine, whose homology is that of the input.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct TRunResult {
  int exitCode = -1;
  std::string out;
};

// Runs the program with the arguments and the standard input; standard
// error is dropped.
TRunResult RunProgram(const std::string& arguments, const std::string& input) {
  fs::path directory = fs::temp_directory_path() / ("sorvelin_moves_cli_" + std::to_string(getpid()));
  fs::create_directories(directory);
  fs::path in = directory / "stdin.txt";
  fs::path out = directory / "stdout.txt";
  std::ofstream(in, std::ios::binary) << input;
  std::string command = std::string(SORVELIN_BINARY_DIR) + "/sorvelin " + arguments + " < '" + in.string() +
                        "' > '" + out.string() + "' 2> /dev/null";
  int status = std::system(command.c_str());
  TRunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream text(out, std::ios::binary);
  std::stringstream buffer;
  buffer << text.rdbuf();
  result.out = buffer.str();
  fs::remove_all(directory);
  return result;
}

TEST(MoveCommandsCliTest, WhatTheMovesPrintIsASpineOfTheSameHomology) {
  // Closed census manifolds, and the twice-punctured sphere as cells.
  const char* const inputs[] = {"bkaagj", "bkaajj", "bkaajn", "cMcabbgqs", "cMcabbjaj", "1\n2\n1 2 -1 -2\n"};
  for (const char* input : inputs) {
    const std::string homology = RunProgram("homology-group", input).out;
    for (const char* command : {"make-default-moves", "make-one-step", "step-by-step", "go"}) {
      SCOPED_TRACE(std::string(command) + " on " + input);
      TRunResult r = RunProgram(command, input);
      EXPECT_EQ(r.exitCode, 0);
      EXPECT_NE(r.out.find("% "), std::string::npos) << r.out;
      EXPECT_NE(r.out.find("Cell #1 = {"), std::string::npos) << r.out;
      TRunResult again = RunProgram("homology-group", r.out);
      EXPECT_EQ(again.exitCode, 0);
      EXPECT_EQ(again.out, homology);
    }
  }
}

// Spines with a torus boundary (knot and link exteriors, a dehydration),
// whose tori carry coordinates from the parse on.
TEST(MoveCommandsCliTest, ExamplesWithTorusBoundariesKeepTheirHomology) {
  for (const char* example : {"2", "4", "12"}) {
    SCOPED_TRACE(example);
    const std::string text = RunProgram(std::string("--example ") + example, "").out;
    TRunResult r = RunProgram("make-default-moves", text);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(RunProgram("homology-group", r.out).out, RunProgram("homology-group", text).out);
    EXPECT_NE(RunProgram("boundary", r.out).out.find("T^2"), std::string::npos);
  }
}

TEST(MoveCommandsCliTest, DefaultMovesReportWhatTheyDid) {
  TRunResult r = RunProgram("make-default-moves", "cMcabbjaj");
  EXPECT_NE(r.out.find("% No transformation"), std::string::npos) << r.out;
  r = RunProgram("--set ReportType=3 make-one-step", "cMcabbjaj");
  EXPECT_NE(r.out.find("*** Step 1 ***"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No transformation"), std::string::npos) << r.out;
}

TEST(MoveCommandsCliTest, NoSpineIsRefused) {
  for (const char* command : {"make-default-moves", "make-one-step", "step-by-step", "go", "make-cell-reductions"}) {
    SCOPED_TRACE(command);
    TRunResult r = RunProgram(command, "");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Unable to build special polyhedron!"), std::string::npos) << r.out;
  }
}

}  // namespace
