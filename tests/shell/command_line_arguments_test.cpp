#include "shell/command_line_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

TCommandLineArguments Parse(std::vector<std::string_view> words) {
  return ParseCommandLineArguments(words);
}

TEST(CommandLineArguments, OptionsBeforeAndAfterTheCommand) {
  TCommandLineArguments a = Parse({"--set", "ReportType=2", "homology-group", "--reduce=1",
                                   "--verbose", "file.txt", "--ini", "x.ini"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.positional, (std::vector<std::string>{"homology-group", "file.txt"}));
  EXPECT_EQ(a.assignments, (std::vector<std::string>{"ReportType=2"}));
  EXPECT_EQ(a.menuMode, 1);
  EXPECT_TRUE(a.verbose);
  EXPECT_EQ(a.iniFile, "x.ini");

  a = Parse({"homology-group", "--", "--list"});
  EXPECT_EQ(a.error, "");
  EXPECT_FALSE(a.list);
  EXPECT_EQ(a.positional, (std::vector<std::string>{"homology-group", "--list"}));
  EXPECT_EQ(Parse({"--example", "3"}).example, 3);
  EXPECT_TRUE(Parse({"homology-group", "--help"}).help);
}

TEST(CommandLineArguments, MistakesAreNamed) {
  struct TCase {
    std::vector<std::string_view> words;
    std::string error;
  };
  const TCase cases[] = {
      {{"--reduce", "7"}, "--reduce needs 0 (full), 1 (standard) or 2 (reduced command set), not '7'"},
      {{"--reduce"}, "--reduce needs 0 (full), 1 (standard) or 2 (reduced command set)"},
      {{"--reduce=99999999999999999999"}, "--reduce needs 0 (full), 1 (standard) or 2 (reduced command set), not '99999999999999999999'"},
      {{"homology-group", "--list"}, "'--list' takes the place of a command and cannot follow the command 'homology-group'"},
      {{"x", "--example=2"}, "'--example' takes the place of a command and cannot follow the command 'x'"},
      {{"x", "--version"}, "'--version' takes the place of a command and cannot follow the command 'x'"},
      {{"--set"}, "--set needs KEY=VALUE"},
      {{"--ini="}, "--ini needs a file name"},
      {{"--example", "x"}, "--example needs a number from 1 to 12"},
      {{"--bogus\x1b[2J"}, "unknown option '--bogus\\x1B[2J'"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Parse(c.words).error, c.error) << c.words.front();
}

TEST(CommandLineArguments, AssignmentsAreCheckedAsSettingsAre) {
  TOptionValues values;
  EXPECT_EQ(ApplyOptionAssignment(values, "ReportType=3"), std::nullopt);
  EXPECT_EQ(values.ReportType, 3);
  struct TCase {
    std::string_view assignment;
    std::string error;
  };
  const TCase cases[] = {
      {"ReportType", "--set needs KEY=VALUE, got 'ReportType'"},
      {"ReportType=9", "--set ReportType=9: ReportType=9 is out of range (1..4)"},
      {"ReportType=99999999999999999999",
       "--set ReportType=99999999999999999999: The value \"99999999999999999999\" of ReportType is "
       "too large (1..4)"},
      {"NoSuchKey=1", "--set NoSuchKey=1: Unknown option key 'NoSuchKey'"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ApplyOptionAssignment(values, c.assignment), c.error) << c.assignment;
  }
  EXPECT_EQ(values.ReportType, 3);
}

}  // namespace
