// Every seed and every input a fuzzer once failed on, run through its target
// in the ordinary build: what the fuzzers found stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = SORVELIN_FUZZ_DIR;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs every file under folder/<target> through the target; returns how many.
int ReplayFolder(const TFuzzTarget& target, const fs::path& folder) {
  const fs::path dir = folder / target.name;
  if (!fs::is_directory(dir)) return 0;
  int count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    PrepareFuzzing();
    target.run(ReadFile(entry.path()));
    ++count;
  }
  return count;
}

class FuzzReplay : public testing::TestWithParam<TFuzzTarget> {};

TEST_P(FuzzReplay, SeedsAndFoundInputsPassTheTarget) {
  const int seeds = ReplayFolder(GetParam(), kFuzzDir / "corpus");
  ReplayFolder(GetParam(), kFuzzDir / "regressions");
  EXPECT_GT(seeds, 0) << "no seed corpus for " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(FuzzTargets()),
                         [](const testing::TestParamInfo<TFuzzTarget>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
