// The command table of the text view: every menu command of the workbench with
// its id, caption, key, place in the menus, the command sets that hold it and
// what kind of work it does; the context menus, the toolbar and the keys; and
// the rules that enable and check the items, as pure functions of an explicit
// state.
//
// Three command sets exist: the full set 1001 (all menus, with "Internal
// &Tables" and "&Debug"), the standard set 1002 (without those two menus) and
// the reduced set 1003 (also without "&Series", without the submenus of
// "&Options" and without three Information items). The set is chosen at start.
//
// One rule stands above the others: while a computation runs, the only command
// that can be given is Stop. Everything else reads or changes the document or
// the spine that the running computation owns until it ends.
//
// The desktop program builds its menus, keys and toolbar from this table; the
// command-line program finds commands by their names (command_names.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/options.h"

inline constexpr int kFullCommandSet = 1001;
inline constexpr int kStandardCommandSet = 1002;
inline constexpr int kReducedCommandSet = 1003;

// The command set of a menu mode: 0 full, 1 standard, any other the reduced set.
int CommandSetOfMenuMode(int menuMode);

// Membership of a command in the three sets, as bits.
enum : std::uint8_t {
  kInFullSet = 1,
  kInStandardSet = 2,
  kInReducedSet = 4,
  kInFullAndStandardSets = kInFullSet | kInStandardSet,
  kInAllSets = kInFullSet | kInStandardSet | kInReducedSet,
};

// Ids of the commands that other parts of the shell name.
enum : int {
  kRecognizeCommand = 46,
  kStopCommand = 47,
  kSimplifyDialogCommand = 54,
  kInitialStateCommand = 57,
  kSeriesRunCommand = 66,
  kSeriesStopCommand = 67,
};

// The platform's own commands that the toolbar and the context menus hold.
enum : int {
  kNewCommand = 57600,
  kOpenCommand = 57601,
  kSaveCommand = 57603,
  kCopyCommand = 57634,
  kCutCommand = 57635,
  kPasteCommand = 57637,
  kHelpCommand = 57671,
};

// The orders of the Turaev-Viro invariants that commands 24 and 25 compute.
inline constexpr int kTuraevViroFirstOrder = 3;
inline constexpr int kTuraevViroLastOrder = 16;

enum class TCommandAction : std::uint8_t {
  StyleSwitch,     // rewrites the document in another style; parameter: 1 boundary
                   // curves, 2 details, 3 singular triangulation
  Report,          // builds a report on the user-interface thread and shows it
  ViewMode,        // leaves information mode or returns to the initial text
  Moves,           // one simplification step or cell reductions, shown at once
  SimplifyDialog,  // the modal Simplify dialog
  Task,            // starts a computation; parameter: the task kind
  Stop,            // asks the running computation to stop
  Option,          // changes a setting (option_commands.h)
  Application,     // handled by the application, not by the view
  SelfTest,        // a numeric self-test that shows nothing
};

struct TCommand {
  int id;
  // The caption exactly as the menu holds it; a tab separates the key text.
  // Empty for the commands that no menu holds.
  std::string_view caption;
  // The menu, then the submenus, that hold the item; empty where there is none.
  std::array<std::string_view, 3> path;
  std::string_view key;  // the accelerator, empty when there is none
  std::uint8_t sets;     // kInFullSet | kInStandardSet | kInReducedSet
  TCommandAction action;
  int parameter;         // see TCommandAction; 0 when unused
  int variant;           // task kind 7: 3 Turaev-Viro invariants, 2 their
                         // homologically trivial part; else 0
};

// Every command of the table, menu by menu in menu order, then the three that
// no menu holds in its own place: 22 and 26, which nothing sends, and Stop (47),
// which stands in the place of Recognize while a computation runs.
std::span<const TCommand> Commands();

// The command with this id, or null (platform commands are not in the table).
const TCommand* FindCommand(int id);

bool CommandInSet(const TCommand& command, int commandSet);

// The caption of a command in a command set ("Last I&nformation" reads
// "&Last Information" in the reduced set).
std::string_view CommandCaption(const TCommand& command, int commandSet);

// The menus of the menu bar in order; those marked `platform` hold the
// platform's standard items (the View menu holds both).
struct TMenuBarMenu {
  std::string_view caption;
  std::uint8_t sets;
  bool platform;
};
std::span<const TMenuBarMenu> MenuBarMenus();

// The menu bar of a command set as a tree: a menu or submenu has children and
// id 0; an item has an id and no children.
struct TMenuEntry {
  std::string caption;
  int id = 0;
  std::vector<TMenuEntry> children;
};
std::vector<TMenuEntry> MenuBar(int commandSet);

// What the view knows when a menu opens: the busy flag (with the kind of the
// running task), information mode, the transformed state, whether the current
// spine is empty, whether a last information is kept, the style of the text
// (1 boundary curves, 2 details, 3 singular triangulation; ignored while busy),
// and the settings.
struct TCommandState {
  int commandSet = kReducedCommandSet;
  bool busy = false;
  std::uint32_t runningTaskKind = 0;
  bool informationMode = false;
  bool transformed = false;
  bool spineEmpty = true;
  bool lastInformationKept = false;
  int textStyle = 1;
  TOptionValues options;
};

struct TCommandStatus {
  bool enabled = false;
  bool checked = false;
  bool operator==(const TCommandStatus&) const = default;
};

// The state of a menu item. While busy only Stop (47 and 67) is enabled.
// Otherwise, with D = information mode on an empty spine:
//   11-13 enabled outside information mode and the transformed state, the one
//         whose style the text has checked;
//   16-37 (the Information items, 22 and 26 included) and 40, 41, 46, 48-56
//         enabled unless D; 35 always;
//   38 enabled outside information mode when a last information is kept;
//   39 enabled when the spine is not empty and the view shows a transformed result;
//   42 enabled in information mode only;
//   57 enabled, checked outside information mode and the transformed state;
//   66 enabled, 47 and 67 disabled; 69-119 enabled;
//   the option commands checked by their rules (option_commands.h).
// Commands outside the state's command set are neither enabled nor checked.
// Of the platform's commands, Cut, Copy and Paste act on the text of the view
// and are enabled unless busy; New, Open, Save and the help are always
// enabled; unknown ids are disabled.
TCommandStatus CommandStatus(int id, const TCommandState& state);

// The item that stands in the place of "&Recognize\tF5": that command, or while
// busy Stop (47) with "&Stop Calculations\tCtrl+Break" for the Turaev-Viro
// invariants (task kind 7) and "&Stop Recognition\tCtrl+Break" otherwise.
struct TMenuItemText {
  int id;
  std::string_view caption;
};
TMenuItemText RecognizeItem(const TCommandState& state);

// Context menus of the view: 1005 when no computation runs, 1007 while the
// Turaev-Viro invariants are computed and 1006 during any other computation.
// Items with id 0 are separators; items with a submenu lie inside it.
struct TContextMenuItem {
  int id;
  std::string_view caption;
  std::string_view submenu;
};
int ContextMenuId(const TCommandState& state);
std::span<const TContextMenuItem> ContextMenu(int menuId);

// Whether a context-menu item is enabled: while busy only Stop; otherwise
// "&Initial State" only in information mode or the transformed state, the
// others always.
bool ContextMenuItemEnabled(int id, const TCommandState& state);

// The toolbar: twelve slots (0 a separator).
std::span<const int> ToolbarSlots();

// Whether a toolbar button is on in a view state (1 editing, 2 computing,
// 3 Simplify dialog open, 4 report with a non-empty spine, 5 report with an
// empty spine; any other state turns the four view buttons off). The state 0
// leaves the four view buttons as they are: nothing is returned. While busy
// (a computation runs in any view) only Stop can be on, and the edit buttons
// are off; New, Open and Save are always on.
std::optional<bool> ToolbarButtonOn(int id, int viewState, bool busy);

// Keys. The command keys are the same in the three sets except the two Debug
// keys, which only the full set has. Ctrl+Break is no key of the table: the
// view stops a running computation when it sees the Break key.
struct TAccelerator {
  std::string_view key;
  int id;
  std::uint8_t sets;
};
std::span<const TAccelerator> Accelerators();

// The platform's standard keys, named by the action they give.
struct TPlatformAccelerator {
  std::string_view key;
  std::string_view action;
};
std::span<const TPlatformAccelerator> PlatformAccelerators();
