#include "shell/option_commands.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(OptionCommands, CoverTheOptionItemsOfTheMenus) {
  std::set<int> ids;
  for (const TOptionCommand& command : OptionCommands()) {
    EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    const TOptionKey* key = FindOptionKey(command.key);
    ASSERT_NE(key, nullptr) << command.id;
    // Toggles and choices change 32-bit settings in place.
    if (command.effect != TOptionEffect::ValueDialog) {
      EXPECT_NE(key->value32, nullptr);
    }
    EXPECT_EQ(OptionValueDialog(command.id, TOptionValues{}).has_value(),
              command.effect == TOptionEffect::ValueDialog)
        << command.id;
  }
  std::set<int> expected = {77, 78};
  for (int id = 81; id <= 119; ++id) expected.insert(id);
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(FindOptionCommand(80), nullptr);
  EXPECT_FALSE(IsOptionCommandChecked(46, TOptionValues{}));
}

TEST(OptionCommands, TogglesAndChoicesSetTheirOptionsAndCheckMarksFollow) {
  struct Row {
    int id;
    const char* key;
    std::int64_t before, after;
  };
  const Row rows[] = {
      {77, "MakeCellReductionsAutomatically", 1, 0},
      {78, "MakeCollapsingsAutomatically", 5, 0},  // any nonzero value counts as on
      {81, "DisableSurgeries", 0, 1},
      {84, "OptionsTryToSimplifySpineBeforeRecognizing", 0, 1},
      {85, "ReportType", 2, 1},
      {88, "ReportType", 2, 4},
      {91, "SeriesReportType", 1, 3},
      {94, "AllVariantsMaximalMode", 0, 1},
      {106, "EnumerationOfManifoldsSearchForSurfaces", 0, 1},
      {104, "EnumerationOfManifoldsRecognitionMode", 2, 4},
      {109, "EnumerationOfManifoldsDuplicateControl", 1, 4},
      {114, "EnumerationOfManifoldsDuplicateControl", 3, 1},
      {110, "EnumerationOfManifoldsDuplicateControlTuraevViroExtended", 0, 1},
      {115, "EnumerationOfManifoldsRestrictionOnBoundary", 1, 3},
      {117, "EnumerationOfManifoldsRestrictionOnBoundary", 5, 1},
      {119, "EnumerationOfManifoldsOutputMode", 1, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const TOptionKey& key = *FindOptionKey(row.key);
    TOptionValues values;
    ASSERT_TRUE(SetOptionProfileValue(values, key, row.before));
    const bool checkedBefore = IsOptionCommandChecked(row.id, values);
    ASSERT_TRUE(RunOptionCommand(row.id, values));
    EXPECT_EQ(OptionValue(values, key), row.after);
    // A toggle flips its mark; a choice is checked once chosen.
    const TOptionCommand& command = *FindOptionCommand(row.id);
    if (command.effect == TOptionEffect::Toggle) {
      EXPECT_NE(IsOptionCommandChecked(row.id, values), checkedBefore);
    } else {
      EXPECT_TRUE(IsOptionCommandChecked(row.id, values));
    }
  }
}

TEST(OptionCommands, ExtendedAndFullInformationAreCheckedOnlyAtOne) {
  TOptionValues values;
  values.EnumerationOfManifoldsDuplicateControlTuraevViroExtended = 2;
  values.EnumerationOfManifoldsDuplicateControlKeepFullInformation = 2;
  values.DisableSurgeries = 2;
  EXPECT_FALSE(IsOptionCommandChecked(110, values));
  EXPECT_FALSE(IsOptionCommandChecked(111, values));
  EXPECT_TRUE(IsOptionCommandChecked(81, values));
  RunOptionCommand(110, values);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControlTuraevViroExtended, 0);
}

TEST(OptionCommands, EpsilonInvariantsAlsoLimitTheOrder) {
  TOptionValues values;
  RunOptionCommand(107, values);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControlMaxOrder, 16);
  RunOptionCommand(108, values);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControl, 3);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControlMaxOrder, 3);
  values.EnumerationOfManifoldsDuplicateControlMaxOrder = 12;
  RunOptionCommand(114, values);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControlMaxOrder, 12);
}

TEST(OptionCommands, ValueDialogsShowTheirTextsAndBounds) {
  TOptionValues values;
  values.MaxAllVariantsTime = 1500;
  struct Row {
    int id;
    const char* caption;
    const char* upper;
    const char* lower;
    std::int32_t shown, minimum, maximum;
  };
  const Row rows[] = {
      {95, "Step to run default moves", "", "The value should be between 0 and 32", 2, 0, 32},
      {96, "Recognition time limit", "Time limit in seconds",
       "0 means unlimited computation.\r\nIf at least one presentation is found\r\nuses 1/4 of "
       "specified value.",
       1, 0, 31536000},
      {112, "Maximal using order of Turaev-Viro invariant", "",
       "The value should be between 3 and 16", 16, 3, 16},
      {113, "One invariant computation time limit", "Time limit in seconds",
       "0 means unlimited computation", 3600, 0, 31536000},
      {116, "Number of boundary tori", "", "-2 means no restriction\r\n-1 means at least one torus",
       -2, -2, 1000000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const std::optional<TTimeLimitDlg> dialog = OptionValueDialog(row.id, values);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->Title(), row.caption);
    EXPECT_EQ(dialog->upperText, row.upper);
    EXPECT_EQ(dialog->lowerText, row.lower);
    EXPECT_EQ(dialog->value, row.shown);
    EXPECT_EQ(dialog->minimum, row.minimum);
    EXPECT_EQ(dialog->maximum, row.maximum);
    EXPECT_FALSE(dialog->changed);
  }
  EXPECT_FALSE(RunOptionCommand(96, values));
}

TEST(OptionCommands, ValueDialogsStoreOnlyWhatOkAccepted) {
  TOptionValues values;
  values.MaxAllVariantsTime = 1500;

  // Shown as 1 second; confirming it unchanged stores 1000 ms.
  TTimeLimitDlg time = *OptionValueDialog(96, values);
  EXPECT_FALSE(StoreOptionValueDialog(96, time, values));  // cancelled
  EXPECT_EQ(values.MaxAllVariantsTime, 1500);
  ASSERT_TRUE(time.Ok(TTimeLimitDlg::FieldText(time.value)).accepted);
  EXPECT_TRUE(StoreOptionValueDialog(96, time, values));
  EXPECT_EQ(values.MaxAllVariantsTime, 1000);

  // Long limits no longer wrap around in milliseconds, and every limit has a bound.
  TTimeLimitDlg invariant = *OptionValueDialog(113, values);
  ASSERT_TRUE(invariant.Ok("3000000").accepted);
  StoreOptionValueDialog(113, invariant, values);
  EXPECT_EQ(values.EnumerationOfManifoldsDuplicateControlTimeLimit, 3000000000LL);
  EXPECT_EQ(invariant.Ok("31536001").message, "The value should be <=31536000");

  // Boundary tori: -2 no restriction, -1 at least one torus, 0 spheres only.
  struct Row {
    const char* entered;
    std::int32_t stored;
    int checkedItem;
  };
  for (const Row& row : {Row{"-2", 1, 117}, Row{"-1", 2, 116}, Row{"0", 3, 115}, Row{"4", 7, 116}}) {
    SCOPED_TRACE(row.entered);
    TTimeLimitDlg tori = *OptionValueDialog(116, values);
    ASSERT_TRUE(tori.Ok(row.entered).accepted);
    ASSERT_TRUE(StoreOptionValueDialog(116, tori, values));
    EXPECT_EQ(values.EnumerationOfManifoldsRestrictionOnBoundary, row.stored);
    for (int item : {115, 116, 117}) {
      EXPECT_EQ(IsOptionCommandChecked(item, values), item == row.checkedItem) << item;
    }
  }

  // A dialog filled past its bounds by hand stores nothing.
  TTimeLimitDlg step = *OptionValueDialog(95, values);
  step.value = 40;
  step.changed = true;
  EXPECT_FALSE(StoreOptionValueDialog(95, step, values));
  EXPECT_EQ(values.AllVariantsStepToMakeAll, 2);
}

}  // namespace
