#include "shell/options_ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh folder per test for settings files.
class ProfileFile : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("sorvelin-profile-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Path() const { return folder_ / "Sorvelin.ini"; }

  void Write(const std::string& text) const {
    std::ofstream out(Path(), std::ios::binary);
    out << text;
  }

  std::string Read() const {
    std::ifstream in(Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
};

// Every key with a value that differs from its default and lies in its range.
TOptionValues EveryKeyChanged() {
  TOptionValues values;
  values.MakeCellReductionsAutomatically = 0;
  values.MakeCollapsingsAutomatically = 0;
  values.DisableSurgeries = 1;
  values.OptionsOutputMoveList = 1;
  values.OptionsAlwaysCreateCoordinatesOnBoundaryTori = 1;
  values.OptionsTryToSimplifySpineBeforeRecognizing = 1;
  values.ReportType = 4;
  values.SeriesReportType = 3;
  values.AllVariantsUseOnlyFirstPossibilities = 1;
  values.AllVariantsEnableComplicatingMoves = 1;
  values.AllVariantsMaximalMode = 1;
  values.AllVariantsStepToMakeAll = 32;
  values.MaxAllVariantsTime = 3000000LL * 1000;  // past 32 bits in milliseconds
  values.EnumerationOfManifoldsOutputSourceSpineList = 0;
  values.EnumerationOfManifoldsIgnoreReducible = 1;
  values.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary = 0;
  values.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = 1;
  values.EnumerationOfManifoldsSearchForSurfaces = 1;
  values.EnumerationOfManifoldsRecognitionMode = 5;
  values.EnumerationOfManifoldsDuplicateControl = 4;
  values.EnumerationOfManifoldsDuplicateControlTuraevViroExtended = 1;
  values.EnumerationOfManifoldsDuplicateControlKeepFullInformation = 0;
  values.EnumerationOfManifoldsDuplicateControlMaxOrder = 3;
  values.EnumerationOfManifoldsDuplicateControlTimeLimit = 5000000000LL;
  values.EnumerationOfManifoldsRestrictionOnBoundary = 5;
  values.EnumerationOfManifoldsOutputMode = 2;
  values.GroupPresentationSearchLimit = 5000;
  values.NormalSurfacesSearchLimit = 0;
  return values;
}

TEST_F(ProfileFile, AllKeysSurviveARoundTrip) {
  const TOptionValues saved = EveryKeyChanged();
  for (const TOptionKey& key : OptionKeys()) {
    EXPECT_NE(OptionValue(saved, key), OptionValue(TOptionValues{}, key)) << key.name;
  }
  ASSERT_TRUE(SaveOptionsProfile(Path(), 0, saved).ok);

  TOptionValues loaded;
  const TProfileReport report = LoadOptionsProfile(Path(), 0, loaded);
  EXPECT_TRUE(report.ok);
  EXPECT_TRUE(report.diagnostics.empty());
  EXPECT_EQ(loaded, saved);

  // The recognition time limit is stored in seconds, the other as held.
  const std::string text = Read();
  EXPECT_NE(text.find("[Options]\n"), std::string::npos);
  EXPECT_NE(text.find("\nMaxAllVariantsTime=3000000\n"), std::string::npos);
  EXPECT_NE(text.find("\nEnumerationOfManifoldsDuplicateControlTimeLimit=5000000000\n"),
            std::string::npos);
}

TEST_F(ProfileFile, SecondsInTheProfileAreMillisecondsInMemory) {
  Write("[Options]\r\nMaxAllVariantsTime=90\r\n");
  TOptionValues values;
  EXPECT_TRUE(LoadOptionsProfile(Path(), 2, values).diagnostics.empty());
  EXPECT_EQ(values.MaxAllVariantsTime, 90000);
  values.MaxAllVariantsTime = 90999;  // written truncated to whole seconds
  ASSERT_TRUE(SaveOptionsProfile(Path(), 2, values).ok);
  EXPECT_NE(Read().find("MaxAllVariantsTime=90\n"), std::string::npos);
}

TEST_F(ProfileFile, OtherSectionsLinesAndKeysOfOtherModesAreKept) {
  Write(
      "; written by hand\n"
      "[Recent File List]\n"
      "File1=/home/u/lens.txt\n"
      "\n"
      "[Options]\n"
      "ReportType=4\n"
      "DisableSurgeries = 0\n"
      "this line is no entry\n"
      "\n"
      "[Other]\n"
      "Key=Value\n");
  TOptionValues values;
  values.DisableSurgeries = 1;
  values.AllVariantsStepToMakeAll = 5;
  ASSERT_TRUE(SaveOptionsProfile(Path(), 2, values).ok);
  // In the reduced set ReportType is neither read nor written: the file keeps 4.
  EXPECT_EQ(Read(),
            "; written by hand\n"
            "[Recent File List]\n"
            "File1=/home/u/lens.txt\n"
            "\n"
            "[Options]\n"
            "ReportType=4\n"
            "DisableSurgeries=1\n"
            "this line is no entry\n"
            "OptionsOutputMoveList=0\n"
            "OptionsAlwaysCreateCoordinatesOnBoundaryTori=0\n"
            "OptionsTryToSimplifySpineBeforeRecognizing=0\n"
            "AllVariantsUseOnlyFirstPossibilities=0\n"
            "AllVariantsEnableComplicatingMoves=0\n"
            "AllVariantsMaximalMode=0\n"
            "AllVariantsStepToMakeAll=5\n"
            "MaxAllVariantsTime=0\n"
            "\n"
            "[Other]\n"
            "Key=Value\n");

  TOptionValues reduced;
  TProfileReport report = LoadOptionsProfile(Path(), 2, reduced);
  EXPECT_EQ(reduced.ReportType, 2);
  EXPECT_EQ(reduced.AllVariantsStepToMakeAll, 5);
  ASSERT_EQ(report.diagnostics.size(), 1u);
  EXPECT_EQ(report.diagnostics[0].line, 8u);
  EXPECT_EQ(report.diagnostics[0].message,
            "line 8: \"this line is no entry\" is neither a [section], a key=value entry nor a "
            "comment");

  TOptionValues standard;
  LoadOptionsProfile(Path(), 1, standard);
  EXPECT_EQ(standard.ReportType, 4);
}

TEST_F(ProfileFile, BadValuesKeepTheCurrentValueAndAreReportedByLine) {
  Write(
      "[Options]\n"
      "ReportType=long\n"
      "SeriesReportType=9\n"
      "MaxAllVariantsTime=99999999999\n"
      "AllVariantsStepToMakeAll=7\n");
  TOptionValues values;
  const TProfileReport report = LoadOptionsProfile(Path(), 0, values);
  EXPECT_TRUE(report.ok);
  ASSERT_EQ(report.diagnostics.size(), 3u);
  EXPECT_EQ(report.diagnostics[0].message,
            "line 2: the value \"long\" of ReportType is not an integer");
  EXPECT_EQ(report.diagnostics[1].message,
            "line 3: SeriesReportType=9 is out of range (1..3)");
  EXPECT_EQ(report.diagnostics[2].message,
            "line 4: MaxAllVariantsTime=99999999999 is out of range (0..31536000)");
  TOptionValues expected;
  expected.AllVariantsStepToMakeAll = 7;
  EXPECT_EQ(values, expected);
}

TEST_F(ProfileFile, MissingFileIsAFirstStartAndAnUnreadableOneIsNeverOverwritten) {
  TOptionValues values;
  values.ReportType = 3;
  const TProfileReport missing = LoadOptionsProfile(Path(), 0, values);
  EXPECT_TRUE(missing.ok);
  EXPECT_EQ(values.ReportType, 3);

  // A folder where the file should be cannot be read, nor replaced.
  fs::create_directories(Path());
  const TProfileReport load = LoadOptionsProfile(Path(), 0, values);
  EXPECT_FALSE(load.ok);
  EXPECT_EQ(load.error, "Unable to read the settings file '" + Path().string() + "'");
  const TProfileReport save = SaveOptionsProfile(Path(), 0, values);
  EXPECT_FALSE(save.ok);
  EXPECT_TRUE(fs::is_directory(Path()));

  EXPECT_FALSE(SaveOptionsProfile(fs::path(), 0, values).ok);
}

TEST_F(ProfileFile, SavingCreatesTheFolder) {
  const fs::path nested = folder_ / "config" / "Sorvelin" / "Sorvelin.ini";
  ASSERT_TRUE(SaveOptionsProfile(nested, 0, TOptionValues{}).ok);
  TOptionValues values;
  values.ReportType = 1;
  LoadOptionsProfile(nested, 0, values);
  EXPECT_EQ(values, TOptionValues{});
}

// A file put together from pieces that each began with a byte order mark
// starts with several: all are dropped, so the first line is read as it is
// and the written text reads back unchanged.
TEST(IniFile, DropsEveryByteOrderMarkAtTheStart) {
  const TIniFile file("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF[A]\nx=1\n");
  EXPECT_TRUE(file.Diagnostics().empty());
  ASSERT_TRUE(file.Find("A", "x").has_value());
  EXPECT_EQ(file.Find("A", "x")->value, "1");
  const std::string written = file.Text();
  EXPECT_EQ(written.find("\xEF\xBB\xBF"), std::string::npos) << written;
  EXPECT_EQ(TIniFile(written).Text(), written);
}

TEST(IniFile, ReadsEntriesSectionsAndCommentsAndAddsWhereTheyBelong) {
  TIniFile file(
      "\xEF\xBB\xBF"
      "top=1\r\n"
      "[A]\r\n"
      "  x = 1 \r\n"
      "# note=not an entry\r\n"
      "x=2\r\n"
      "\r\n"
      "[B]\r\n"
      "y=3\r\n");
  EXPECT_TRUE(file.Diagnostics().empty());
  EXPECT_EQ(file.Find("", "top")->value, "1");
  EXPECT_EQ(file.Find("A", "x")->value, "2");  // the later entry counts
  EXPECT_EQ(file.Find("A", "x")->line, 5u);
  EXPECT_FALSE(file.Find("A", "note").has_value());
  EXPECT_FALSE(file.Find("a", "x").has_value());
  EXPECT_FALSE(file.Find("B", "x").has_value());

  file.Set("A", "z", "4");
  file.Set("B", "y", "5");
  file.Set("C", "w", "6");
  EXPECT_EQ(file.Text(),
            "top=1\n"
            "[A]\n"
            "  x = 1 \n"
            "# note=not an entry\n"
            "x=2\n"
            "z=4\n"
            "\n"
            "[B]\n"
            "y=5\n"
            "\n"
            "[C]\n"
            "w=6\n");
  EXPECT_EQ(TIniFile(file.Text()).Text(), file.Text());
}

TEST(IniFile, EmptyTextGetsTheSectionAtTheTop) {
  TIniFile file;
  file.Set("Options", "ReportType", "2");
  EXPECT_EQ(file.Text(), "[Options]\nReportType=2\n");
}

TEST(DefaultProfilePath, FollowsTheUserConfigurationFolder) {
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string config = savedConfig ? savedConfig : "";
  const std::string home = savedHome ? savedHome : "";

  ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
  EXPECT_EQ(DefaultProfilePath(), fs::path("/x/conf/Sorvelin/Sorvelin.ini"));
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(DefaultProfilePath(), fs::path("/home/u/.config/Sorvelin/Sorvelin.ini"));
  ::unsetenv("HOME");
  EXPECT_EQ(DefaultProfilePath(), fs::path());

  if (savedConfig) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  if (savedHome) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace

namespace {

std::vector<std::string> Messages(const std::vector<TIniDiagnostic>& diagnostics) {
  std::vector<std::string> messages;
  for (const TIniDiagnostic& diagnostic : diagnostics) messages.push_back(diagnostic.message);
  return messages;
}

// Slips of a hand that edited the file are named by their line; the keys of
// other menu modes and other sections are no slips.
TEST(OptionsSection, UnknownRepeatedAndBracketedKeysAreReportedByLine) {
  const TIniFile file(
      "[Options]\n"
      "ReportTyp=1\n"
      "ReportType=2\n"
      "MakeCellReductionsAutomatically=1\n"
      "ReportType=3\n"
      "[Options]]\n"
      "ReportType=1\n"
      "[Recent File List]\n"
      "File1=x\n");
  TOptionValues values;
  std::vector<TIniDiagnostic> diagnostics = file.Diagnostics();
  const std::vector<TIniDiagnostic> read = ReadOptionsSection(file, 2, values);
  diagnostics.insert(diagnostics.end(), read.begin(), read.end());
  EXPECT_EQ(Messages(diagnostics),
            (std::vector<std::string>{
                "line 6: the section header \"[Options]]\" holds a stray bracket",
                "line 2: \"ReportTyp\" is no option key of the section [Options] (misspelled?)",
                "line 5: ReportType is set again (the value of line 3 is not used)",
            }));
}

TEST(OptionsSection, ValuesAreQuotedShortAndEscaped) {
  TOptionValues values;
  const TIniFile file("[Options]\nReportType=99999999999999999999\nSeriesReportType=" +
                      std::string(5000, '1') + "\nDisableSurgeries=\x1b]0;x\x07\n");
  const std::vector<std::string> messages = Messages(ReadOptionsSection(file, 0, values));
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0],
            "line 2: the value \"99999999999999999999\" of ReportType is too large (1..4)");
  EXPECT_EQ(messages[1], "line 3: the value \"" + std::string(40, '1') +
                             "...\" of SeriesReportType is too large (1..3)");
  EXPECT_EQ(messages[2], "line 4: the value \"\\x1B]0;x\\x07\" of DisableSurgeries is not an integer");
}

TEST(IniFile, AnyLineEndEndsALine) {
  for (const char* text : {"[Options]\rReportType=3\r", "[Options]\nReportType=3\n",
                           "[Options]\r\nReportType=3\r\n", "[Options]\r\n\rReportType=3"}) {
    const TIniFile file(text);
    const std::optional<TIniFile::TValue> value = file.Find("Options", "ReportType");
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(value->value, "3");
    EXPECT_TRUE(file.Diagnostics().empty()) << text;
  }
  // The blank line between CR and CR LF counts as its own line.
  EXPECT_EQ(TIniFile("[Options]\r\n\rReportType=3").Find("Options", "ReportType")->line, 3u);
}

TEST_F(ProfileFile, AFileWithNulBytesIsNoSettingsFile) {
  Write(std::string("[Options]\nReportType=3\n\0\0\0", 26));
  TOptionValues values;
  const TProfileReport report = LoadOptionsProfile(Path(), 0, values);
  EXPECT_FALSE(report.ok);
  EXPECT_NE(report.error.find("is not a text file"), std::string::npos) << report.error;
  EXPECT_EQ(values, TOptionValues{});
}

}  // namespace
