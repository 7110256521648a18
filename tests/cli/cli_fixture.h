// The fixture of the tests that run the built `sorvelin` program as a user
// would: a fresh folder per test, the program run through the shell with a
// given standard input, its standard output, standard error and exit status
// collected.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cli_fixture {

namespace fs = std::filesystem;

struct TRunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string Program() { return std::string(SORVELIN_BINARY_DIR) + "/sorvelin"; }

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("sorvelin_cli_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  fs::path WriteInput(const std::string& name, const std::string& text) {
    fs::path path = directory_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // Runs the program with the arguments (already quoted for the shell) and the
  // given standard input.
  TRunResult Run(const std::string& arguments, const std::string& input = "") {
    return RunWithOutput(arguments, input, "> '" + (directory_ / "stdout.txt").string() + "'");
  }

  // The same with standard output redirected as the shell text says ("> /dev/full",
  // ">&-"); out then holds what reached the folder's stdout.txt, if anything.
  TRunResult RunWithOutput(const std::string& arguments, const std::string& input,
                           const std::string& outputRedirection) {
    fs::path in = WriteInput("stdin.txt", input);
    fs::path out = directory_ / "stdout.txt";
    fs::path err = directory_ / "stderr.txt";
    fs::remove(out);
    std::string command = environment_ + Program() + " " + arguments + " < '" + in.string() + "' " +
                          outputRedirection + " 2> '" + err.string() + "'";
    int status = std::system(command.c_str());
    TRunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
  }

  fs::path directory_;
  // Put before the program on the shell's line: "NAME=value " settings of the
  // environment.
  std::string environment_;
};

}  // namespace cli_fixture
