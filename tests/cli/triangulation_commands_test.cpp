// The triangulation commands of the `sorvelin` program, run as a user runs them.
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

struct TRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `sorvelin COMMAND` with the text on standard input.
TRun RunSorvelin(const std::string& command, const std::string& input) {
  const fs::path directory = fs::temp_directory_path() / ("sorvelin_triangulations_" + std::to_string(getpid()));
  fs::create_directories(directory);
  const fs::path in = directory / "in.txt";
  const fs::path out = directory / "out.txt";
  const fs::path err = directory / "err.txt";
  std::ofstream(in, std::ios::binary) << input;
  const std::string line = std::string(SORVELIN_BINARY_DIR) + "/sorvelin " + command + " < '" + in.string() +
                           "' > '" + out.string() + "' 2> '" + err.string() + "'";
  const int status = std::system(line.c_str());
  TRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  fs::remove_all(directory);
  return run;
}

TEST(TriangulationCommands, PoincareSphereSignatureHasTrivialHomology) {
  TRun run = RunSorvelin("homology-group", "fvPQcdecedekrsnrs\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "H_1=0");
}

TEST(TriangulationCommands, SignatureCommandGivesTheSignatureBack) {
  TRun run = RunSorvelin("isomorphism-signature", "bkaajn\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("\nbkaajn\n"), std::string::npos) << run.out;
  EXPECT_EQ(RunSorvelin("21", "bkaajn\n").out, run.out);
}

TEST(TriangulationCommands, DehydrationAndTriangulationCommands) {
  TRun run = RunSorvelin("dehydrated-description", "cPcbbbdxm\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "cabbbbapt\n");

  run = RunSorvelin("singular-triangulation", "cabbbbapt\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("\t\ttriangulation\n", 0), 0u) << run.out;
  TRun back = RunSorvelin("isomorphism-signature", run.out);
  EXPECT_NE(back.out.find("\ncPcbbbdxm\n"), std::string::npos) << back.out;

  run = RunSorvelin("view-singular-triangulation", "cPcbbbiht\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(RunSorvelin("homology-group", run.out).out.substr(0, 5), "H_1=Z");
}

TEST(TriangulationCommands, RefusalsExitWithOne) {
  TRun run = RunSorvelin("isomorphism-signature", "1\n2\n1 2 -1 -2\n3\n4\n3 4 -3 -4\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Isomorphism signature is implemented for connected spines only\n");
  run = RunSorvelin("dehydrated-description", "bkaa*j\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("'bkaa*j' is not an isomorphism signature"), std::string::npos) << run.err;
}

}  // namespace
