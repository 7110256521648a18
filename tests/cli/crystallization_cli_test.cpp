// Crystallization codes given to the built `sorvelin` program.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct TCrystallizationRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs `sorvelin COMMAND` with the text on standard input.
TCrystallizationRun RunSorvelin(const std::string& command, const std::string& input) {
  const fs::path directory =
      fs::temp_directory_path() / ("sorvelin_crystallization_" + std::to_string(getpid()));
  fs::create_directories(directory);
  const fs::path in = directory / "in.txt";
  const fs::path out = directory / "out.txt";
  const fs::path err = directory / "err.txt";
  std::ofstream(in, std::ios::binary) << input;
  const std::string line = std::string(SORVELIN_BINARY_DIR) + "/sorvelin " + command + " < '" +
                           in.string() + "' > '" + out.string() + "' 2> '" + err.string() + "'";
  const int status = std::system(line.c_str());
  TCrystallizationRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  fs::remove_all(directory);
  return run;
}

TEST(CrystallizationCli, HomologyOfCrystallizations) {
  struct TCase {
    const char* code;
    const char* firstLine;
  } cases[] = {
      {"a*a*a\n", "H_1=0"},
      {"badc*cdab*dcba\n", "H_1=Z_2"},
      {"acdb*badc*dbac\n", "H_1=Z"},
  };
  for (const TCase& c : cases) {
    TCrystallizationRun run = RunSorvelin("homology-group", c.code);
    EXPECT_EQ(run.exitCode, 0) << c.code;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), c.firstLine) << c.code;
  }
}

TEST(CrystallizationCli, NonManifoldCodesAreRefused) {
  TCrystallizationRun run = RunSorvelin("homology-group", "abc*bca*cab\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("\"abc*bca*cab\" is not a closed 3-manifold"), std::string::npos) << run.err;
  EXPECT_EQ(RunSorvelin("graph-code", "abc*bca*cab\n").exitCode, 1);
}

TEST(CrystallizationCli, GraphCodeNamesTheComponents) {
  TCrystallizationRun run = RunSorvelin("graph-code", "ab*ab*ab\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("Spine is not connected : 2 connected components"), std::string::npos);
  EXPECT_NE(run.out.find("\tComponent 2"), std::string::npos) << run.out;
  EXPECT_EQ(RunSorvelin("32", "a*a*a\n").exitCode, 0);
}

}  // namespace
