#include "shell/time_limit_rules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(TimeLimitSteps, GrowWithTheValue) {
  struct Case {
    std::int32_t value, up, down;
  };
  const Case cases[] = {
      {-5, -4, -6},     {0, 1, -1},       {59, 60, 58},     {60, 65, 59},
      {61, 66, 56},     {119, 124, 114},  {120, 130, 115},  {121, 131, 111},
      {299, 309, 289},  {300, 330, 290},  {301, 331, 271},  {599, 629, 569},
      {600, 660, 570},  {601, 661, 541},  {3600, 3660, 3540},
      {kMax, kMax, kMax - 60},            {kMin, kMin + 1, kMin},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeLimitStepUp(c.value), c.up) << c.value;
    EXPECT_EQ(TimeLimitStepDown(c.value), c.down) << c.value;
  }
}

TEST(TimeLimitField, ReadsIntegersAndChecksTheBoundsThatAreGiven) {
  using S = TTimeLimitFieldStatus;
  struct Case {
    const char* text;
    bool checkRange;
    std::optional<std::int32_t> minimum, maximum;
    S status;
    std::int32_t value;
    const char* message;
  };
  const std::optional<std::int32_t> none;
  const Case cases[] = {
      {"17", true, 0, 32, S::Ok, 17, ""},
      {" 17\t", true, 0, 32, S::Ok, 17, ""},
      {"+17", true, 0, 32, S::Ok, 17, ""},
      {"-2", true, -2, 1000000, S::Ok, -2, ""},
      {"", false, none, none, S::NotInteger, 0, "Incorrect data!"},
      {"1 7", false, none, none, S::NotInteger, 0, "Incorrect data!"},
      {"17s", false, none, none, S::NotInteger, 0, "Incorrect data!"},
      {"0x10", false, none, none, S::NotInteger, 0, "Incorrect data!"},
      {"2147483648", false, none, none, S::NotInteger, 0, "Incorrect data!"},
      // Only the first 20 characters are read.
      {"00000000000000000042xyz", true, 0, 100, S::Ok, 42, ""},
      {"-1", true, 0, 32, S::BelowMinimum, -1, "The value should be >=0"},
      {"33", true, 0, 32, S::AboveMaximum, 33, "The value should be <=32"},
      {"33", false, 0, 32, S::Ok, 33, ""},
      {"2147483647", true, 0, none, S::Ok, 2147483647, ""},
      {"-5", true, none, 10, S::Ok, -5, ""},
  };
  for (const Case& c : cases) {
    const TTimeLimitField field = ReadTimeLimitField(c.text, c.checkRange, c.minimum, c.maximum);
    EXPECT_EQ(field.status, c.status) << c.text;
    if (c.status != S::NotInteger) {
      EXPECT_EQ(field.value, c.value) << c.text;
    }
    EXPECT_EQ(field.message, c.message) << c.text;
  }
}

TEST(TimeLimitDialog, ButtonsStepWithoutBoundsAndOkStoresWithin) {
  TTimeLimitDlg dialog;
  dialog.value = 30;
  dialog.minimum = 0;
  dialog.maximum = 32;
  EXPECT_EQ(dialog.Title(), "Time Limit");
  EXPECT_EQ(TTimeLimitDlg::FieldText(dialog.value), "30");

  EXPECT_EQ(dialog.Plus("32").fieldText, "33");  // the bounds apply only to OK
  EXPECT_EQ(dialog.Minus("0").fieldText, "-1");
  const TTimeLimitDlg::TPress bad = dialog.Plus("abc");
  EXPECT_FALSE(bad.accepted);
  EXPECT_EQ(bad.message, "Incorrect data!");

  const TTimeLimitDlg::TPress refused = dialog.Ok("33");
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.message, "The value should be <=32");
  EXPECT_FALSE(dialog.changed);
  EXPECT_EQ(dialog.value, 30);

  EXPECT_TRUE(dialog.Ok("31").accepted);
  EXPECT_TRUE(dialog.changed);
  EXPECT_EQ(dialog.value, 31);

  dialog.caption = "Step to run default moves";
  EXPECT_EQ(dialog.Title(), "Step to run default moves");
}

}  // namespace
