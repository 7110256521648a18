#include "shell/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(OptionKeys, HoldTheTwentySixKeysWithTheirDefaultsInProfileOrder) {
  struct Row {
    const char* key;
    std::int64_t defaultValue;  // held units
  };
  const std::vector<Row> expected = {
      {"MakeCellReductionsAutomatically", 1},
      {"MakeCollapsingsAutomatically", 1},
      {"DisableSurgeries", 0},
      {"OptionsOutputMoveList", 0},
      {"OptionsAlwaysCreateCoordinatesOnBoundaryTori", 0},
      {"OptionsTryToSimplifySpineBeforeRecognizing", 0},
      {"ReportType", 2},
      {"SeriesReportType", 1},
      {"AllVariantsUseOnlyFirstPossibilities", 0},
      {"AllVariantsEnableComplicatingMoves", 0},
      {"AllVariantsMaximalMode", 0},
      {"AllVariantsStepToMakeAll", 2},
      {"MaxAllVariantsTime", 0},
      {"EnumerationOfManifoldsOutputSourceSpineList", 1},
      {"EnumerationOfManifoldsIgnoreReducible", 0},
      {"EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary", 1},
      {"EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls", 0},
      {"EnumerationOfManifoldsSearchForSurfaces", 0},
      {"EnumerationOfManifoldsRecognitionMode", 2},
      {"EnumerationOfManifoldsDuplicateControl", 1},
      {"EnumerationOfManifoldsDuplicateControlTuraevViroExtended", 0},
      {"EnumerationOfManifoldsDuplicateControlKeepFullInformation", 1},
      {"EnumerationOfManifoldsDuplicateControlMaxOrder", 16},
      {"EnumerationOfManifoldsDuplicateControlTimeLimit", 3600000},
      {"EnumerationOfManifoldsRestrictionOnBoundary", 1},
      {"EnumerationOfManifoldsOutputMode", 1},
      {"GroupPresentationSearchLimit", 1000000},
      {"NormalSurfacesSearchLimit", 1000000},
  };
  const TOptionValues defaults;
  ASSERT_EQ(OptionKeys().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const TOptionKey& key = OptionKeys()[i];
    EXPECT_EQ(key.name, expected[i].key);
    EXPECT_EQ(OptionValue(defaults, key), expected[i].defaultValue) << key.name;
    EXPECT_EQ(FindOptionKey(key.name), &key);
    // Every default must be a value the profile may hold.
    EXPECT_GE(OptionProfileValue(defaults, key), key.minimum) << key.name;
    EXPECT_LE(OptionProfileValue(defaults, key), key.maximum) << key.name;
  }
  EXPECT_EQ(FindOptionKey("reporttype"), nullptr);
}

TEST(OptionKeys, MenuModeDecidesWhichKeysAreStored) {
  auto stored = [](int mode) {
    std::vector<std::string> names;
    for (const TOptionKey& key : OptionKeys()) {
      if (OptionKeyStoredInMenuMode(key, mode)) names.emplace_back(key.name);
    }
    return names;
  };
  EXPECT_EQ(stored(0).size(), 28u);
  const std::vector<std::string> standard = stored(1);
  EXPECT_EQ(standard.size(), 24u);
  EXPECT_EQ(standard.front(), "DisableSurgeries");
  const std::vector<std::string> reduced = {
      "DisableSurgeries",
      "OptionsOutputMoveList",
      "OptionsAlwaysCreateCoordinatesOnBoundaryTori",
      "OptionsTryToSimplifySpineBeforeRecognizing",
      "AllVariantsUseOnlyFirstPossibilities",
      "AllVariantsEnableComplicatingMoves",
      "AllVariantsMaximalMode",
      "AllVariantsStepToMakeAll",
      "MaxAllVariantsTime",
  };
  EXPECT_EQ(stored(2), reduced);
  EXPECT_EQ(stored(7), reduced);
}

TEST(OptionKeys, ProfileTextSetsValuesOrNamesTheFault) {
  TOptionValues values;
  EXPECT_EQ(SetOptionFromText(values, "MaxAllVariantsTime", "90"), std::nullopt);
  EXPECT_EQ(values.MaxAllVariantsTime, 90000);
  EXPECT_EQ(OptionProfileValue(values, *FindOptionKey("MaxAllVariantsTime")), 90);
  // Seconds that overflow 32 bits once multiplied by 1000 are held exactly.
  EXPECT_EQ(SetOptionFromText(values, "MaxAllVariantsTime", " 3000000 "), std::nullopt);
  EXPECT_EQ(values.MaxAllVariantsTime, 3000000000LL);
  EXPECT_EQ(SetOptionFromText(values, "ReportType", "+4"), std::nullopt);
  EXPECT_EQ(values.ReportType, 4);

  const TOptionValues before = values;
  struct Case {
    const char* key;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"ReportTyp", "1", "Unknown option key 'ReportTyp'"},
      {"ReportType", "two", "The value \"two\" of ReportType is not an integer"},
      {"ReportType", "", "The value \"\" of ReportType is not an integer"},
      {"ReportType", "+-3", "The value \"+-3\" of ReportType is not an integer"},
      {"ReportType", "99999999999999999999", "The value \"99999999999999999999\" of ReportType is too large (1..4)"},
      {"ReportType", "5", "ReportType=5 is out of range (1..4)"},
      {"AllVariantsStepToMakeAll", "33", "AllVariantsStepToMakeAll=33 is out of range (0..32)"},
      {"MaxAllVariantsTime", "-1", "MaxAllVariantsTime=-1 is out of range (0..31536000)"},
      {"MaxAllVariantsTime", "31536001", "MaxAllVariantsTime=31536001 is out of range (0..31536000)"},
      {"DisableSurgeries", "2147483648",
       "DisableSurgeries=2147483648 is out of range (-2147483648..2147483647)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SetOptionFromText(values, c.key, c.text), std::optional<std::string>(c.message))
        << c.key << "=" << c.text;
  }
  EXPECT_EQ(values, before);
}

TEST(BoundaryRestriction, StoredAndShownFormsMapBothWays) {
  struct Case {
    std::int32_t setting;
    std::int32_t restriction;
  };
  for (const Case& c : {Case{1, -2}, Case{2, -1}, Case{3, 0}, Case{4, 1}, Case{5, 2},
                        Case{1000003, 1000000}}) {
    EXPECT_EQ(BoundaryRestrictionOfSetting(c.setting), c.restriction) << c.setting;
    EXPECT_EQ(SettingOfBoundaryRestriction(c.restriction), c.setting) << c.restriction;
  }
  EXPECT_EQ(SettingOfBoundaryRestriction(-7), 1);
  EXPECT_EQ(SettingOfBoundaryRestriction(2147483647), 2147483647);
  EXPECT_EQ(BoundaryRestrictionOfSetting(-2147483647 - 1), -2147483647 - 1);
}

// A state in which no setting equals what any preset writes, so that every
// override and every kept value shows.
TOptionValues Unusual() {
  TOptionValues values;
  values.MakeCellReductionsAutomatically = 7;
  values.MakeCollapsingsAutomatically = 7;
  values.DisableSurgeries = 7;
  values.OptionsOutputMoveList = 7;
  values.OptionsTryToSimplifySpineBeforeRecognizing = 7;
  values.ReportType = 7;
  values.SeriesReportType = 7;
  values.AllVariantsUseOnlyFirstPossibilities = 7;
  values.AllVariantsEnableComplicatingMoves = 7;
  values.AllVariantsMaximalMode = 7;
  values.AllVariantsStepToMakeAll = 7;
  values.EnumerationOfManifoldsOutputSourceSpineList = 7;
  values.EnumerationOfManifoldsIgnoreReducible = 7;
  values.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary = 7;
  values.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = 7;
  values.EnumerationOfManifoldsSearchForSurfaces = 7;
  values.EnumerationOfManifoldsRecognitionMode = 7;
  values.EnumerationOfManifoldsDuplicateControl = 7;
  return values;
}

TEST(OptionPresets, OverrideByComputationType) {
  // 7 marks a kept (captured) value.
  struct Row {
    std::uint32_t type;
    std::int32_t common;  // 1: cell reductions 1, collapsings 1, surgeries 0, move list 0,
                          // report 2, series report 1
    std::int32_t trySimplify, first, complicating, maximal, step, sourceList, reducible,
        balls, surfaces, mode, duplicate;
  };
  const Row rows[] = {
      {1, 1, 7, 0, 0, 0, 2, 1, 0, 0, 0, 2, 1},
      {2, 1, 7, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1},
      {3, 1, 7, 1, 0, 0, 2, 0, 0, 0, 0, 1, 1},
      {4, 1, 7, 1, 0, 0, 3, 0, 0, 0, 0, 2, 1},
      {5, 1, 7, 0, 0, 1, 3, 0, 0, 0, 0, 3, 1},
      {6, 1, 7, 0, 1, 1, 5, 0, 0, 0, 0, 3, 1},
      {7, 1, 7, 1, 0, 0, 1, 7, 7, 7, 7, 7, 7},
      {8, 1, 7, 1, 0, 0, 2, 7, 7, 7, 7, 7, 7},
      {9, 1, 1, 0, 0, 0, 7, 7, 7, 7, 7, 5, 7},
      {10, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7},
      {0, 1, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7},
      {11, 1, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    const TOptions o = TOptions::Preset(row.type, Unusual());
    EXPECT_EQ(o.computationType, row.type);
    EXPECT_EQ(o.makeCellReductions, row.common ? 1 : 7);
    EXPECT_EQ(o.makeCollapsings, row.common ? 1 : 7);
    EXPECT_EQ(o.disableSurgeries, row.common ? 0 : 7);
    EXPECT_EQ(o.outputMoveList, row.common ? 0 : 7);
    EXPECT_EQ(o.reportType, row.common ? 2 : 7);
    EXPECT_EQ(o.seriesReportType, row.common ? 1 : 7);
    EXPECT_EQ(o.tryToSimplify, row.trySimplify);
    EXPECT_EQ(o.onlyFirstPossibilities, row.first);
    EXPECT_EQ(o.complicatingMoves, row.complicating);
    EXPECT_EQ(o.maximalMode, row.maximal);
    EXPECT_EQ(o.step, row.step);
    EXPECT_EQ(o.sourceSpineList, row.sourceList);
    EXPECT_EQ(o.ignoreReducible, row.reducible);
    EXPECT_EQ(o.ignoreCoordinates, 7);  // never overridden
    EXPECT_EQ(o.ignoreAddedThreeBalls, row.balls);
    EXPECT_EQ(o.searchForSurfaces, row.surfaces);
    EXPECT_EQ(o.recognitionMode, row.mode);
    EXPECT_EQ(o.duplicateControl, row.duplicate);
  }
}

TEST(OptionPresets, ApplyWritesBackOnlyWhatTheTypeSteers) {
  // Applying a preset to other values shows which settings it writes.
  for (std::uint32_t type = 1; type <= 10; ++type) {
    SCOPED_TRACE(type);
    TOptions snapshot = TOptions::Preset(type, TOptionValues{});
    // Make every field of the snapshot differ from the values it is applied to.
    snapshot.tryToSimplify = snapshot.reportType = snapshot.seriesReportType = 9;
    snapshot.onlyFirstPossibilities = snapshot.complicatingMoves = snapshot.maximalMode = 9;
    snapshot.step = snapshot.sourceSpineList = snapshot.ignoreReducible = 9;
    snapshot.ignoreCoordinates = snapshot.ignoreAddedThreeBalls = 9;
    snapshot.searchForSurfaces = snapshot.recognitionMode = 9;
    snapshot.makeCellReductions = snapshot.makeCollapsings = snapshot.disableSurgeries = 9;
    snapshot.outputMoveList = snapshot.duplicateControl = 9;

    TOptionValues values = Unusual();
    snapshot.Apply(values);
    EXPECT_EQ(values.OptionsTryToSimplifySpineBeforeRecognizing, 9);
    EXPECT_EQ(values.ReportType, 9);
    EXPECT_EQ(values.SeriesReportType, 9);
    EXPECT_EQ(values.AllVariantsUseOnlyFirstPossibilities, 9);
    EXPECT_EQ(values.AllVariantsEnableComplicatingMoves, 9);
    EXPECT_EQ(values.AllVariantsStepToMakeAll, 9);
    EXPECT_EQ(values.AllVariantsMaximalMode, type == 6 || type == 10 ? 9 : 7);
    const std::int32_t series = type == 7 || type == 8 ? 7 : 9;
    EXPECT_EQ(values.EnumerationOfManifoldsOutputSourceSpineList, series);
    EXPECT_EQ(values.EnumerationOfManifoldsIgnoreReducible, series);
    EXPECT_EQ(values.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary, series);
    EXPECT_EQ(values.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls, series);
    EXPECT_EQ(values.EnumerationOfManifoldsSearchForSurfaces, series);
    EXPECT_EQ(values.EnumerationOfManifoldsRecognitionMode, series);
    // Never written back.
    EXPECT_EQ(values.MakeCellReductionsAutomatically, 7);
    EXPECT_EQ(values.MakeCollapsingsAutomatically, 7);
    EXPECT_EQ(values.DisableSurgeries, 7);
    EXPECT_EQ(values.OptionsOutputMoveList, 7);
    EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControl, 7);
  }
}

TEST(OptionPresets, DefaultsAreTheirOwnTypeOnePresetAndTypeTenChangesNothing) {
  TOptionValues values;
  TOptions::Preset(1, values).Apply(values);
  EXPECT_EQ(values, TOptionValues{});

  TOptionValues unusual = Unusual();
  TOptions::Preset(10, unusual).Apply(unusual);
  EXPECT_EQ(unusual, Unusual());
}

}  // namespace
