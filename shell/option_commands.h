// The option commands: the Options menu and the two option items of the Debug
// menu. Each is a toggle, a choice among fixed values, or a value dialog
// (`TTimeLimitDlg`), and each shows its state by a check mark.
//
// They act on the settings value that the caller owns. A change made while a
// computation runs reaches the next computation only, since the worker works
// on its own copy of the settings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "shell/options.h"
#include "shell/time_limit_rules.h"

enum class TOptionEffect : std::uint8_t { Toggle, Choice, ValueDialog };

// When the item carries a check mark. The three boundary rules read the shown
// form of the restriction (BoundaryRestrictionOfSetting).
enum class TOptionCheck : std::uint8_t {
  Never,
  WhenNonzero,
  WhenOne,
  WhenValue,              // the option equals the command's value
  WhenSpheresOnly,        // shown restriction 0
  WhenSomeTori,           // shown restriction neither -2 nor 0
  WhenNoRestriction,      // shown restriction -2
};

struct TOptionCommand {
  int id;
  std::string_view key;  // profile key of the option it changes
  TOptionEffect effect;
  std::int32_t value;    // the stored value a choice sets
  TOptionCheck check;
};

// Every option command, in the order in which the menu-state routine sets the
// check marks (the value dialogs, never checked, at their menu places).
std::span<const TOptionCommand> OptionCommands();

// The option command with this id, or null.
const TOptionCommand* FindOptionCommand(int id);

// Whether the item of an option command is checked; false for other ids.
bool IsOptionCommandChecked(int id, const TOptionValues& values);

// Runs a toggle or a choice: a toggle sets its option to 1 when it is 0 and to
// 0 otherwise; a choice sets its value ("Homology Group And &Epsilon-Invariants"
// also sets the maximal order of invariants to 3). Returns false, changing
// nothing, for a value dialog or an id that is no option command.
bool RunOptionCommand(int id, TOptionValues& values);

// The value dialog of an option command, filled with its texts, bounds and the
// shown value; nothing for ids without one. The dialogs are
//   95 step of the default moves, 0..32;
//   96 recognition time limit in seconds, 0..kMaxTimeLimitSeconds;
//  112 maximal order of the Turaev-Viro invariants, 3..16;
//  113 time limit of one invariant computation in seconds, 0..kMaxTimeLimitSeconds;
//  116 number of boundary tori, -2..1000000 (-2 no restriction, -1 at least one).
// Time limits are shown in whole seconds (truncated).
std::optional<TTimeLimitDlg> OptionValueDialog(int id, const TOptionValues& values);

// Stores what a value dialog of OptionValueDialog(id) edited, when it ended
// with OK (`changed`): time limits multiplied by 1000, the number of boundary
// tori in its stored form. Returns whether anything was stored; a cancelled
// dialog changes nothing.
bool StoreOptionValueDialog(int id, const TTimeLimitDlg& dialog, TOptionValues& values);
