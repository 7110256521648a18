#include "shell/options.h"

#include <array>
#include <charconv>
#include <limits>

#include "shell/quoted_text.h"
#include "shell/string_text.h"

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// String-table ids of the messages of SetOptionFromText.
constexpr int kUnknownKeyText = 9135;
constexpr int kNotIntegerText = 9136;
constexpr int kOutOfRangeText = 9137;
constexpr int kTooLargeText = 9138;

using V = TOptionValues;

constexpr TOptionKey Narrow(std::string_view name, std::int32_t V::*value, TOptionModes modes,
                            std::int64_t minimum = kInt32Min, std::int64_t maximum = kInt32Max) {
  return {name, value, nullptr, modes, 1, minimum, maximum};
}

constexpr TOptionKey Wide(std::string_view name, std::int64_t V::*value, TOptionModes modes,
                          std::int64_t factor, std::int64_t maximum) {
  return {name, nullptr, value, modes, factor, 0, maximum};
}

constexpr TOptionModes kFull = TOptionModes::FullOnly;
constexpr TOptionModes kNoReduced = TOptionModes::FullAndStandard;
constexpr TOptionModes kAll = TOptionModes::All;

// Toggles accept any 32-bit integer (nonzero counts as on); choices and the
// values of the value dialogs accept what their menus and dialogs can produce.
constexpr std::array<TOptionKey, 28> kKeys = {{
    Narrow("MakeCellReductionsAutomatically", &V::MakeCellReductionsAutomatically, kFull),
    Narrow("MakeCollapsingsAutomatically", &V::MakeCollapsingsAutomatically, kFull),
    Narrow("DisableSurgeries", &V::DisableSurgeries, kAll),
    Narrow("OptionsOutputMoveList", &V::OptionsOutputMoveList, kAll),
    Narrow("OptionsAlwaysCreateCoordinatesOnBoundaryTori",
           &V::OptionsAlwaysCreateCoordinatesOnBoundaryTori, kAll),
    Narrow("OptionsTryToSimplifySpineBeforeRecognizing",
           &V::OptionsTryToSimplifySpineBeforeRecognizing, kAll),
    Narrow("ReportType", &V::ReportType, kNoReduced, 1, 4),
    Narrow("SeriesReportType", &V::SeriesReportType, kNoReduced, 1, 3),
    Narrow("AllVariantsUseOnlyFirstPossibilities", &V::AllVariantsUseOnlyFirstPossibilities, kAll),
    Narrow("AllVariantsEnableComplicatingMoves", &V::AllVariantsEnableComplicatingMoves, kAll),
    Narrow("AllVariantsMaximalMode", &V::AllVariantsMaximalMode, kAll),
    Narrow("AllVariantsStepToMakeAll", &V::AllVariantsStepToMakeAll, kAll, 0, 32),
    Wide("MaxAllVariantsTime", &V::MaxAllVariantsTime, kAll, 1000, kMaxTimeLimitSeconds),
    Narrow("EnumerationOfManifoldsOutputSourceSpineList",
           &V::EnumerationOfManifoldsOutputSourceSpineList, kNoReduced),
    Narrow("EnumerationOfManifoldsIgnoreReducible", &V::EnumerationOfManifoldsIgnoreReducible,
           kNoReduced),
    Narrow("EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary",
           &V::EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary, kNoReduced),
    Narrow("EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls",
           &V::EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls, kNoReduced),
    Narrow("EnumerationOfManifoldsSearchForSurfaces", &V::EnumerationOfManifoldsSearchForSurfaces,
           kNoReduced),
    Narrow("EnumerationOfManifoldsRecognitionMode", &V::EnumerationOfManifoldsRecognitionMode,
           kNoReduced, 1, 5),
    Narrow("EnumerationOfManifoldsDuplicateControl", &V::EnumerationOfManifoldsDuplicateControl,
           kNoReduced, 1, 4),
    Narrow("EnumerationOfManifoldsDuplicateControlTuraevViroExtended",
           &V::EnumerationOfManifoldsDuplicateControlTuraevViroExtended, kNoReduced),
    Narrow("EnumerationOfManifoldsDuplicateControlKeepFullInformation",
           &V::EnumerationOfManifoldsDuplicateControlKeepFullInformation, kNoReduced),
    Narrow("EnumerationOfManifoldsDuplicateControlMaxOrder",
           &V::EnumerationOfManifoldsDuplicateControlMaxOrder, kNoReduced, 3, 16),
    Wide("EnumerationOfManifoldsDuplicateControlTimeLimit",
         &V::EnumerationOfManifoldsDuplicateControlTimeLimit, kNoReduced, 1,
         kMaxTimeLimitSeconds * 1000),
    // Stored 1 (no restriction) up to 3 + 1000000 tori, the range of its dialog.
    Narrow("EnumerationOfManifoldsRestrictionOnBoundary",
           &V::EnumerationOfManifoldsRestrictionOnBoundary, kNoReduced, 1, 1000003),
    Narrow("EnumerationOfManifoldsOutputMode", &V::EnumerationOfManifoldsOutputMode, kNoReduced, 1,
           2),
    Wide("GroupPresentationSearchLimit", &V::GroupPresentationSearchLimit, kFull, 1,
         std::int64_t{1} << 62),
    Wide("NormalSurfacesSearchLimit", &V::NormalSurfacesSearchLimit, kFull, 1,
         std::int64_t{1} << 62),
}};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::span<const TOptionKey> OptionKeys() { return kKeys; }

const TOptionKey* FindOptionKey(std::string_view name) {
  for (const TOptionKey& key : kKeys) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

std::int64_t OptionValue(const TOptionValues& values, const TOptionKey& key) {
  return key.value32 != nullptr ? values.*key.value32 : values.*key.value64;
}

std::int64_t OptionProfileValue(const TOptionValues& values, const TOptionKey& key) {
  return OptionValue(values, key) / key.profileFactor;
}

bool SetOptionProfileValue(TOptionValues& values, const TOptionKey& key, std::int64_t value) {
  if (value < key.minimum || value > key.maximum) return false;
  // The ranges keep value * factor well inside 64 bits and narrow values inside 32.
  const std::int64_t held = value * key.profileFactor;
  if (key.value32 != nullptr) {
    values.*key.value32 = static_cast<std::int32_t>(held);
  } else {
    values.*key.value64 = held;
  }
  return true;
}

std::optional<std::int64_t> ParseOptionInteger(std::string_view text) {
  return ParseOptionInteger(text, nullptr);
}

std::optional<std::int64_t> ParseOptionInteger(std::string_view text, bool* tooLarge) {
  if (tooLarge != nullptr) *tooLarge = false;
  std::string_view digits = TrimBlanks(text);
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || end != digits.data() + digits.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    if (tooLarge != nullptr) *tooLarge = true;
    return std::nullopt;
  }
  if (error != std::errc()) return std::nullopt;
  return value;
}

std::optional<std::string> SetOptionFromText(TOptionValues& values, std::string_view keyName,
                                             std::string_view text) {
  const TOptionKey* key = FindOptionKey(keyName);
  if (key == nullptr) return FormatStringText(kUnknownKeyText, QuotedText(keyName));
  bool tooLarge = false;
  const std::optional<std::int64_t> value = ParseOptionInteger(text, &tooLarge);
  const std::string quoted = QuotedText(TrimBlanks(text));
  if (tooLarge) return FormatStringText(kTooLargeText, quoted, key->name, key->minimum, key->maximum);
  if (!value) return FormatStringText(kNotIntegerText, quoted, key->name);
  if (!SetOptionProfileValue(values, *key, *value)) {
    return FormatStringText(kOutOfRangeText, key->name, quoted, key->minimum, key->maximum);
  }
  return std::nullopt;
}

bool OptionKeyStoredInMenuMode(const TOptionKey& key, int menuMode) {
  switch (key.modes) {
    case TOptionModes::FullOnly: return menuMode == 0;
    case TOptionModes::FullAndStandard: return menuMode == 0 || menuMode == 1;
    case TOptionModes::All: return true;
  }
  return false;
}

std::int32_t BoundaryRestrictionOfSetting(std::int32_t setting) {
  if (setting == 1) return -2;
  const std::int64_t restriction = static_cast<std::int64_t>(setting) - 3;
  return static_cast<std::int32_t>(restriction < kInt32Min ? kInt32Min : restriction);
}

std::int32_t SettingOfBoundaryRestriction(std::int32_t restriction) {
  if (restriction < -1) return 1;
  const std::int64_t setting = static_cast<std::int64_t>(restriction) + 3;
  return static_cast<std::int32_t>(setting > kInt32Max ? kInt32Max : setting);
}

void TOptions::Capture(const TOptionValues& values) {
  makeCellReductions = values.MakeCellReductionsAutomatically;
  makeCollapsings = values.MakeCollapsingsAutomatically;
  disableSurgeries = values.DisableSurgeries;
  outputMoveList = values.OptionsOutputMoveList;
  tryToSimplify = values.OptionsTryToSimplifySpineBeforeRecognizing;
  reportType = values.ReportType;
  seriesReportType = values.SeriesReportType;
  onlyFirstPossibilities = values.AllVariantsUseOnlyFirstPossibilities;
  complicatingMoves = values.AllVariantsEnableComplicatingMoves;
  maximalMode = values.AllVariantsMaximalMode;
  step = values.AllVariantsStepToMakeAll;
  sourceSpineList = values.EnumerationOfManifoldsOutputSourceSpineList;
  ignoreReducible = values.EnumerationOfManifoldsIgnoreReducible;
  ignoreCoordinates = values.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary;
  ignoreAddedThreeBalls = values.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls;
  searchForSurfaces = values.EnumerationOfManifoldsSearchForSurfaces;
  recognitionMode = values.EnumerationOfManifoldsRecognitionMode;
  duplicateControl = values.EnumerationOfManifoldsDuplicateControl;
}

namespace {

// The overrides of one computation type; -1 keeps the captured value.
struct TPresetRow {
  std::int32_t onlyFirstPossibilities, complicatingMoves, maximalMode, step;
  std::int32_t sourceSpineList, ignoreReducible, ignoreAddedThreeBalls, searchForSurfaces;
  std::int32_t recognitionMode, duplicateControl;
};

// Types 1 to 6 steer the recognition stages and the series; 7 and 8 the
// variant search alone; 9 the compare-only run with the user's own step.
constexpr std::array<TPresetRow, 9> kPresets = {{
    {0, 0, 0, 2, 1, 0, 0, 0, 2, 1},
    {1, 0, 0, 1, 0, 0, 0, 0, 1, 1},
    {1, 0, 0, 2, 0, 0, 0, 0, 1, 1},
    {1, 0, 0, 3, 0, 0, 0, 0, 2, 1},
    {0, 0, 1, 3, 0, 0, 0, 0, 3, 1},
    {0, 1, 1, 5, 0, 0, 0, 0, 3, 1},
    {1, 0, 0, 1, -1, -1, -1, -1, -1, -1},
    {1, 0, 0, 2, -1, -1, -1, -1, -1, -1},
    {0, 0, 0, -1, -1, -1, -1, -1, 5, -1},
}};

void Override(std::int32_t& field, std::int32_t preset) {
  if (preset != -1) field = preset;
}

}  // namespace

TOptions TOptions::Preset(std::uint32_t type, const TOptionValues& values) {
  TOptions options;
  options.Capture(values);
  options.computationType = type;
  if (type == 10) return options;

  options.makeCellReductions = 1;
  options.makeCollapsings = 1;
  options.disableSurgeries = 0;
  options.outputMoveList = 0;
  options.reportType = 2;
  options.seriesReportType = 1;
  if (type < 1 || type > 9) return options;

  const TPresetRow& row = kPresets[type - 1];
  Override(options.onlyFirstPossibilities, row.onlyFirstPossibilities);
  Override(options.complicatingMoves, row.complicatingMoves);
  Override(options.maximalMode, row.maximalMode);
  Override(options.step, row.step);
  Override(options.sourceSpineList, row.sourceSpineList);
  Override(options.ignoreReducible, row.ignoreReducible);
  Override(options.ignoreAddedThreeBalls, row.ignoreAddedThreeBalls);
  Override(options.searchForSurfaces, row.searchForSurfaces);
  Override(options.recognitionMode, row.recognitionMode);
  Override(options.duplicateControl, row.duplicateControl);
  if (type == 9) options.tryToSimplify = 1;
  return options;
}

void TOptions::Apply(TOptionValues& values) const {
  values.OptionsTryToSimplifySpineBeforeRecognizing = tryToSimplify;
  values.ReportType = reportType;
  values.SeriesReportType = seriesReportType;
  values.AllVariantsUseOnlyFirstPossibilities = onlyFirstPossibilities;
  values.AllVariantsEnableComplicatingMoves = complicatingMoves;
  if (computationType == 6 || computationType == 10) values.AllVariantsMaximalMode = maximalMode;
  values.AllVariantsStepToMakeAll = step;
  if (computationType == 7 || computationType == 8) return;
  values.EnumerationOfManifoldsOutputSourceSpineList = sourceSpineList;
  values.EnumerationOfManifoldsIgnoreReducible = ignoreReducible;
  values.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary = ignoreCoordinates;
  values.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = ignoreAddedThreeBalls;
  values.EnumerationOfManifoldsSearchForSurfaces = searchForSurfaces;
  values.EnumerationOfManifoldsRecognitionMode = recognitionMode;
}
