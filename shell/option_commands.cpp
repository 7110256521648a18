#include "shell/option_commands.h"

#include <array>
#include <limits>

#include "shell/string_text.h"

namespace {

using E = TOptionEffect;
using C = TOptionCheck;

constexpr std::array<TOptionCommand, 41> kCommands = {{
    {77, "MakeCellReductionsAutomatically", E::Toggle, 0, C::WhenNonzero},
    {78, "MakeCollapsingsAutomatically", E::Toggle, 0, C::WhenNonzero},
    {81, "DisableSurgeries", E::Toggle, 0, C::WhenNonzero},
    {82, "OptionsOutputMoveList", E::Toggle, 0, C::WhenNonzero},
    {83, "OptionsAlwaysCreateCoordinatesOnBoundaryTori", E::Toggle, 0, C::WhenNonzero},
    {84, "OptionsTryToSimplifySpineBeforeRecognizing", E::Toggle, 0, C::WhenNonzero},
    {85, "ReportType", E::Choice, 1, C::WhenValue},
    {86, "ReportType", E::Choice, 2, C::WhenValue},
    {87, "ReportType", E::Choice, 3, C::WhenValue},
    {88, "ReportType", E::Choice, 4, C::WhenValue},
    {89, "SeriesReportType", E::Choice, 1, C::WhenValue},
    {90, "SeriesReportType", E::Choice, 2, C::WhenValue},
    {91, "SeriesReportType", E::Choice, 3, C::WhenValue},
    {92, "AllVariantsUseOnlyFirstPossibilities", E::Toggle, 0, C::WhenNonzero},
    {93, "AllVariantsEnableComplicatingMoves", E::Toggle, 0, C::WhenNonzero},
    {94, "AllVariantsMaximalMode", E::Toggle, 0, C::WhenNonzero},
    {95, "AllVariantsStepToMakeAll", E::ValueDialog, 0, C::Never},
    {96, "MaxAllVariantsTime", E::ValueDialog, 0, C::Never},
    {97, "EnumerationOfManifoldsOutputSourceSpineList", E::Toggle, 0, C::WhenNonzero},
    {98, "EnumerationOfManifoldsIgnoreReducible", E::Toggle, 0, C::WhenNonzero},
    {99, "EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary", E::Toggle, 0, C::WhenNonzero},
    {100, "EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls", E::Toggle, 0, C::WhenNonzero},
    {106, "EnumerationOfManifoldsSearchForSurfaces", E::Toggle, 0, C::WhenNonzero},
    {101, "EnumerationOfManifoldsRecognitionMode", E::Choice, 1, C::WhenValue},
    {102, "EnumerationOfManifoldsRecognitionMode", E::Choice, 2, C::WhenValue},
    {103, "EnumerationOfManifoldsRecognitionMode", E::Choice, 3, C::WhenValue},
    {104, "EnumerationOfManifoldsRecognitionMode", E::Choice, 4, C::WhenValue},
    {105, "EnumerationOfManifoldsRecognitionMode", E::Choice, 5, C::WhenValue},
    {107, "EnumerationOfManifoldsDuplicateControl", E::Choice, 2, C::WhenValue},
    {108, "EnumerationOfManifoldsDuplicateControl", E::Choice, 3, C::WhenValue},
    {109, "EnumerationOfManifoldsDuplicateControl", E::Choice, 4, C::WhenValue},
    {110, "EnumerationOfManifoldsDuplicateControlTuraevViroExtended", E::Toggle, 0, C::WhenOne},
    {111, "EnumerationOfManifoldsDuplicateControlKeepFullInformation", E::Toggle, 0, C::WhenOne},
    {112, "EnumerationOfManifoldsDuplicateControlMaxOrder", E::ValueDialog, 0, C::Never},
    {113, "EnumerationOfManifoldsDuplicateControlTimeLimit", E::ValueDialog, 0, C::Never},
    {114, "EnumerationOfManifoldsDuplicateControl", E::Choice, 1, C::WhenValue},
    {115, "EnumerationOfManifoldsRestrictionOnBoundary", E::Choice, 3, C::WhenSpheresOnly},
    {116, "EnumerationOfManifoldsRestrictionOnBoundary", E::ValueDialog, 0, C::WhenSomeTori},
    {117, "EnumerationOfManifoldsRestrictionOnBoundary", E::Choice, 1, C::WhenNoRestriction},
    {118, "EnumerationOfManifoldsOutputMode", E::Choice, 1, C::WhenValue},
    {119, "EnumerationOfManifoldsOutputMode", E::Choice, 2, C::WhenValue},
}};

// Choosing "Homology Group And &Epsilon-Invariants" limits the invariants to this order.
constexpr int kEpsilonCommand = 108;
constexpr std::int32_t kEpsilonMaxOrder = 3;

// The largest step of the default moves and the largest order of the
// Turaev-Viro invariants the dialogs accept; they appear in the notes.
constexpr std::int32_t kMaxStep = 32;
constexpr std::int32_t kMaxOrder = 16;
constexpr std::int32_t kMinOrder = 3;
constexpr std::int32_t kMaxBoundaryTori = 1000000;

// String-table ids of the dialogs' texts.
constexpr int kStepCaption = 9110;
constexpr int kStepNote = 9111;
constexpr int kRecognitionTimeCaption = 9112;
constexpr int kSecondsLabel = 9113;
constexpr int kRecognitionTimeNote = 9114;
constexpr int kOrderCaption = 9115;
constexpr int kOrderNote = 9116;
constexpr int kInvariantTimeCaption = 9117;
constexpr int kInvariantTimeNote = 9118;
constexpr int kToriCaption = 9119;
constexpr int kToriNote = 9120;

std::int32_t& Option32(TOptionValues& values, std::string_view key) {
  return values.*FindOptionKey(key)->value32;
}

std::int32_t ShownSeconds(std::int64_t milliseconds) {
  const std::int64_t seconds = milliseconds / 1000;
  if (seconds > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (seconds < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(seconds);
}

}  // namespace

std::span<const TOptionCommand> OptionCommands() { return kCommands; }

const TOptionCommand* FindOptionCommand(int id) {
  for (const TOptionCommand& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

bool IsOptionCommandChecked(int id, const TOptionValues& values) {
  const TOptionCommand* command = FindOptionCommand(id);
  if (command == nullptr) return false;
  const std::int64_t value = OptionValue(values, *FindOptionKey(command->key));
  switch (command->check) {
    case TOptionCheck::Never: return false;
    case TOptionCheck::WhenNonzero: return value != 0;
    case TOptionCheck::WhenOne: return value == 1;
    case TOptionCheck::WhenValue: return value == command->value;
    case TOptionCheck::WhenSpheresOnly:
    case TOptionCheck::WhenSomeTori:
    case TOptionCheck::WhenNoRestriction: break;
  }
  const std::int32_t shown =
      BoundaryRestrictionOfSetting(values.EnumerationOfManifoldsRestrictionOnBoundary);
  if (command->check == TOptionCheck::WhenSpheresOnly) return shown == 0;
  if (command->check == TOptionCheck::WhenNoRestriction) return shown == -2;
  return shown != -2 && shown != 0;
}

bool RunOptionCommand(int id, TOptionValues& values) {
  const TOptionCommand* command = FindOptionCommand(id);
  if (command == nullptr || command->effect == TOptionEffect::ValueDialog) return false;
  std::int32_t& option = Option32(values, command->key);
  if (command->effect == TOptionEffect::Toggle) {
    option = option == 0 ? 1 : 0;
  } else {
    option = command->value;
    if (id == kEpsilonCommand) {
      values.EnumerationOfManifoldsDuplicateControlMaxOrder = kEpsilonMaxOrder;
    }
  }
  return true;
}

std::optional<TTimeLimitDlg> OptionValueDialog(int id, const TOptionValues& values) {
  TTimeLimitDlg dialog;
  switch (id) {
    case 95:
      dialog.caption = StringText(kStepCaption);
      dialog.lowerText = FormatStringText(kStepNote, kMaxStep);
      dialog.value = values.AllVariantsStepToMakeAll;
      dialog.minimum = 0;
      dialog.maximum = kMaxStep;
      return dialog;
    case 96:
      dialog.caption = StringText(kRecognitionTimeCaption);
      dialog.upperText = StringText(kSecondsLabel);
      dialog.lowerText = StringText(kRecognitionTimeNote);
      dialog.value = ShownSeconds(values.MaxAllVariantsTime);
      dialog.minimum = 0;
      dialog.maximum = static_cast<std::int32_t>(kMaxTimeLimitSeconds);
      return dialog;
    case 112:
      dialog.caption = StringText(kOrderCaption);
      dialog.lowerText = FormatStringText(kOrderNote, kMaxOrder);
      dialog.value = values.EnumerationOfManifoldsDuplicateControlMaxOrder;
      dialog.minimum = kMinOrder;
      dialog.maximum = kMaxOrder;
      return dialog;
    case 113:
      dialog.caption = StringText(kInvariantTimeCaption);
      dialog.upperText = StringText(kSecondsLabel);
      dialog.lowerText = StringText(kInvariantTimeNote);
      dialog.value = ShownSeconds(values.EnumerationOfManifoldsDuplicateControlTimeLimit);
      dialog.minimum = 0;
      dialog.maximum = static_cast<std::int32_t>(kMaxTimeLimitSeconds);
      return dialog;
    case 116:
      dialog.caption = StringText(kToriCaption);
      dialog.lowerText = StringText(kToriNote);
      dialog.value =
          BoundaryRestrictionOfSetting(values.EnumerationOfManifoldsRestrictionOnBoundary);
      dialog.minimum = -2;
      dialog.maximum = kMaxBoundaryTori;
      return dialog;
    default:
      return std::nullopt;
  }
}

bool StoreOptionValueDialog(int id, const TTimeLimitDlg& dialog, TOptionValues& values) {
  if (!dialog.changed) return false;
  // The dialog's own bounds keep these in range; they are checked again so
  // that a dialog filled by hand cannot store an unusable value.
  const auto inRange = [&](std::int64_t low, std::int64_t high) {
    return dialog.value >= low && dialog.value <= high;
  };
  switch (id) {
    case 95:
      if (!inRange(0, kMaxStep)) return false;
      values.AllVariantsStepToMakeAll = dialog.value;
      return true;
    case 96:
      if (!inRange(0, kMaxTimeLimitSeconds)) return false;
      values.MaxAllVariantsTime = std::int64_t{dialog.value} * 1000;
      return true;
    case 112:
      if (!inRange(kMinOrder, kMaxOrder)) return false;
      values.EnumerationOfManifoldsDuplicateControlMaxOrder = dialog.value;
      return true;
    case 113:
      if (!inRange(0, kMaxTimeLimitSeconds)) return false;
      values.EnumerationOfManifoldsDuplicateControlTimeLimit = std::int64_t{dialog.value} * 1000;
      return true;
    case 116:
      // Any value below -1 means no restriction.
      if (dialog.value > kMaxBoundaryTori) return false;
      values.EnumerationOfManifoldsRestrictionOnBoundary =
          SettingOfBoundaryRestriction(dialog.value);
      return true;
    default:
      return false;
  }
}
