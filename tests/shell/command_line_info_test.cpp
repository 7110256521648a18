// The desktop program's command line: the command set and the named file.
#include <gtest/gtest.h>

#include <string>

#include "shell/command_line_info.h"
#include "shell/series_file_name.h"

namespace {

TEST(CommandLineInfoTest, ReduceChoosesTheCommandSet) {
  struct TCase {
    const char* parameter;
    bool isFlag;
    int menuMode;
  };
  const TCase cases[] = {
      {"reduce=1", false, 1},   {"REDUCE:0", false, 0},  {"reduce 7", false, 2},
      {"/reduce\t1", true, 1},  {"-reduce=0", true, 0},  {"reduce=-1", false, 2},
      {"reduce=2", false, 2},   {"xreduce: 1", false, 1},
  };
  for (const TCase& c : cases) {
    TCommandLineInfo info;
    info.ParseParam(c.parameter, c.isFlag, true);
    EXPECT_EQ(info.menuMode, c.menuMode) << c.parameter;
    EXPECT_TRUE(info.fileName.empty()) << c.parameter;
  }
  TCommandLineInfo none;
  EXPECT_EQ(none.menuMode, 2);
}

TEST(CommandLineInfoTest, TheFirstNonFlagParameterNamesTheFile) {
  TCommandLineInfo info;
  info.ParseParam("-geometry", true, false);
  info.ParseParam("census.SERIES", false, false);
  info.ParseParam("reduce=1", false, false);
  info.ParseParam("other.txt", false, true);
  EXPECT_EQ(info.fileName, "census.SERIES");
  EXPECT_EQ(info.menuMode, 1);
}

TEST(CommandLineInfoTest, OnlyTheFirstKilobyteIsSearched) {
  TCommandLineInfo info;
  info.ParseParam(std::string(1024, 'x') + "reduce=1", false, true);
  EXPECT_EQ(info.menuMode, 2);
}

TEST(SeriesFileNameTest, ClassesByExtension) {
  EXPECT_EQ(ClassifySeriesFileName("x.series"), 1u);
  EXPECT_EQ(ClassifySeriesFileName("C:\\data\\X.Series"), 1u);
  EXPECT_EQ(ClassifySeriesFileName("x.gem"), 2u);
  EXPECT_EQ(ClassifySeriesFileName("x.GRAPH"), 3u);
  EXPECT_EQ(ClassifySeriesFileName("x.txt"), 0u);
  EXPECT_EQ(ClassifySeriesFileName(".SERIES"), 0u) << "no name before the extension";
  EXPECT_EQ(ClassifySeriesFileName(""), 0u);
}

}  // namespace
