#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "shell/option_commands.h"

namespace {

constexpr int kSets[] = {kFullCommandSet, kStandardCommandSet, kReducedCommandSet};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

TEST(CommandTable, IdsAreUniqueAndKeysMatchTheirCaptions) {
  std::set<int> ids;
  for (const TCommand& command : Commands()) {
    EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    const std::size_t tab = command.caption.find('\t');
    const std::string_view keyText =
        tab == std::string_view::npos ? std::string_view() : command.caption.substr(tab + 1);
    if (keyText == "Ctrl+Break") {
      EXPECT_TRUE(command.key.empty()) << command.id;  // the Break key is the view's
    } else {
      EXPECT_EQ(Lower(keyText), Lower(command.key)) << command.id;
    }
    EXPECT_EQ(command.action == TCommandAction::Option, FindOptionCommand(command.id) != nullptr)
        << command.id;
  }
  for (const TOptionCommand& option : OptionCommands()) EXPECT_TRUE(ids.count(option.id));
  for (const TAccelerator& accelerator : Accelerators()) {
    if (accelerator.id == kHelpCommand) continue;
    const TCommand* command = FindCommand(accelerator.id);
    ASSERT_NE(command, nullptr) << accelerator.key;
    EXPECT_EQ(command->key, accelerator.key);
    EXPECT_EQ(command->sets, accelerator.sets) << accelerator.key;
  }
  EXPECT_EQ(FindCommand(kStopCommand)->action, TCommandAction::Stop);
  EXPECT_EQ(FindCommand(kCopyCommand), nullptr);
}

TEST(CommandTable, MenuModesChooseTheCommandSets) {
  EXPECT_EQ(CommandSetOfMenuMode(0), kFullCommandSet);
  EXPECT_EQ(CommandSetOfMenuMode(1), kStandardCommandSet);
  EXPECT_EQ(CommandSetOfMenuMode(2), kReducedCommandSet);
  EXPECT_EQ(CommandSetOfMenuMode(7), kReducedCommandSet);
  EXPECT_EQ(CommandSetOfMenuMode(-1), kReducedCommandSet);
}

std::vector<std::string> Captions(const std::vector<TMenuEntry>& entries) {
  std::vector<std::string> captions;
  for (const TMenuEntry& entry : entries) captions.push_back(entry.caption);
  return captions;
}

std::vector<int> Ids(const std::vector<TMenuEntry>& entries) {
  std::vector<int> ids;
  for (const TMenuEntry& entry : entries) ids.push_back(entry.id);
  return ids;
}

const TMenuEntry& Menu(const std::vector<TMenuEntry>& bar, std::string_view caption) {
  auto found = std::find_if(bar.begin(), bar.end(),
                            [&](const TMenuEntry& entry) { return entry.caption == caption; });
  EXPECT_NE(found, bar.end()) << caption;
  return *found;
}

TEST(CommandTable, MenuBarsOfTheThreeSets) {
  const auto full = MenuBar(kFullCommandSet);
  EXPECT_EQ(Captions(full),
            (std::vector<std::string>{"&File", "&Edit", "&View", "&Information", "&Sorvelin",
                                      "&Series", "Internal &Tables", "&Debug", "&Options",
                                      "&Window", "&Help"}));
  EXPECT_EQ(Captions(MenuBar(kStandardCommandSet)),
            (std::vector<std::string>{"&File", "&Edit", "&View", "&Information", "&Sorvelin",
                                      "&Series", "&Options", "&Window", "&Help"}));
  const auto reduced = MenuBar(kReducedCommandSet);
  EXPECT_EQ(Captions(reduced),
            (std::vector<std::string>{"&File", "&Edit", "&View", "&Information", "&Sorvelin",
                                      "&Options", "&Window", "&Help"}));

  const TMenuEntry& sorvelin = Menu(full, "&Sorvelin");
  EXPECT_EQ(Ids(sorvelin.children),
            (std::vector<int>{46, 0, 51, 52, 53, 54, 55, 56, 41, 57}));
  EXPECT_EQ(sorvelin.children[1].caption, "Recognize In &Mode");
  EXPECT_EQ(Ids(sorvelin.children[1].children), (std::vector<int>{48, 49, 50}));

  const TMenuEntry& options = Menu(full, "&Options");
  EXPECT_EQ(Captions(options.children),
            (std::vector<std::string>{"&Disable Surgeries", "Output &Move List",
                                      "Always Create &Coordinates On Boundary Tori",
                                      "Try To &Simplify Spine Before Recognizing", "Report",
                                      "Series Report", "All Variants Settings",
                                      "&Enumeration Of Manifolds Settings"}));
  const TMenuEntry& enumeration = options.children.back();
  EXPECT_EQ(Ids(enumeration.children), (std::vector<int>{97, 98, 99, 100, 106, 0, 0, 0, 0}));
  EXPECT_EQ(Captions(enumeration.children[6].children),
            (std::vector<std::string>{"Homology Group And &Turaev-Viro Invariants",
                                      "Homology Group And &Epsilon-Invariants",
                                      "Turaev-Viro Invariants &Only",
                                      "Use E&xtended Turaev-Viro Invariants",
                                      "Keep &Full Information", "&Maximal Order Of Invariants",
                                      "Time &Limit", "&No Duplicate Control"}));

  // The reduced set: no Options submenus, three Information items fewer, and
  // its own caption of "Last Information".
  EXPECT_EQ(Ids(Menu(reduced, "&Options").children), (std::vector<int>{81, 82, 83, 84}));
  const std::vector<int> information = Ids(Menu(reduced, "&Information").children);
  EXPECT_EQ(information, (std::vector<int>{16, 17, 18, 19, 20, 21, 23, 24, 25, 27, 28, 29, 31,
                                           32, 33, 35, 36, 38, 39, 40, 42}));
  const auto& reducedItems = Menu(reduced, "&Information").children;
  EXPECT_EQ(reducedItems[17].caption, "&Last Information");
  EXPECT_EQ(Menu(full, "&Information").children[20].caption, "Last I&nformation");

  // Commands 22 and 26 are in every set but in no menu.
  for (int set : kSets) {
    EXPECT_TRUE(CommandInSet(*FindCommand(22), set));
    EXPECT_TRUE(CommandInSet(*FindCommand(26), set));
  }
}

// A named view state for the table below.
struct NamedState {
  const char* name;
  TCommandState state;
};

TCommandState Editing(int set) {
  TCommandState state;
  state.commandSet = set;
  state.spineEmpty = false;
  return state;
}

TEST(CommandTable, EnablingAndCheckingFollowTheViewState) {
  TCommandState editing = Editing(kFullCommandSet);
  TCommandState editingEmpty = editing;
  editingEmpty.spineEmpty = true;
  TCommandState reportEmpty = editingEmpty;
  reportEmpty.informationMode = true;
  TCommandState report = editing;
  report.informationMode = true;
  TCommandState transformed = editing;
  transformed.transformed = true;
  TCommandState transformedEmpty = transformed;
  transformedEmpty.spineEmpty = true;
  TCommandState lastKept = editing;
  lastKept.lastInformationKept = true;
  TCommandState lastKeptInReport = report;
  lastKeptInReport.lastInformationKept = true;
  TCommandState details = editing;
  details.textStyle = 2;

  auto in = [](TCommandState state, int set) {
    state.commandSet = set;
    return state;
  };

  struct Row {
    const char* state;
    TCommandState value;
    int id;
    bool enabled, checked;
  };
  const Row rows[] = {
      // Style switches: off in information mode and the transformed state.
      {"editing", editing, 11, true, true},
      {"editing", editing, 13, true, false},
      {"details", details, 13, true, true},
      {"details", details, 11, true, false},
      {"report", report, 12, false, false},
      {"transformed", transformed, 11, false, true},
      // Information items: off only in information mode on an empty spine.
      {"editing", editing, 16, true, false},
      {"editingEmpty", editingEmpty, 16, true, false},
      {"editingEmpty", editingEmpty, 46, true, false},
      {"report", report, 23, true, false},
      {"reportEmpty", reportEmpty, 16, false, false},
      {"reportEmpty", reportEmpty, 22, false, false},
      {"reportEmpty", reportEmpty, 26, false, false},
      {"reportEmpty", reportEmpty, 34, false, false},
      {"reportEmpty", reportEmpty, 35, true, false},
      {"reportEmpty", reportEmpty, 36, false, false},
      {"reportEmpty", reportEmpty, 37, false, false},
      {"reportEmpty", reportEmpty, 40, false, false},
      {"reportEmpty", reportEmpty, 41, false, false},
      {"reportEmpty", reportEmpty, 46, false, false},
      {"reportEmpty", reportEmpty, 48, false, false},
      {"reportEmpty", reportEmpty, 54, false, false},
      {"reportEmpty", reportEmpty, 56, false, false},
      // Last information: outside information mode, when one is kept.
      {"editing", editing, 38, false, false},
      {"lastKept", lastKept, 38, true, false},
      {"lastKeptInReport", lastKeptInReport, 38, false, false},
      // Transformation list: a transformed result of a non-empty spine.
      {"editing", editing, 39, false, false},
      {"transformed", transformed, 39, true, false},
      {"transformedEmpty", transformedEmpty, 39, false, false},
      // Remove Information: in information mode only.
      {"editing", editing, 42, false, false},
      {"reportEmpty", reportEmpty, 42, true, false},
      // Initial State: always enabled, checked on the user's own text.
      {"editing", editing, 57, true, true},
      {"report", report, 57, true, false},
      {"transformed", transformed, 57, true, false},
      // Series, tables, debug and options when idle.
      {"editing", editing, 66, true, false},
      {"editing", editing, 67, false, false},
      {"editing", editing, kStopCommand, false, false},
      {"reportEmpty", reportEmpty, 69, true, false},
      {"reportEmpty", reportEmpty, 79, true, false},
      {"editing", editing, 77, true, true},
      {"editing", editing, 82, true, false},
      {"editing", editing, 86, true, true},
      {"editing", editing, 102, true, true},
      {"editing", editing, 95, true, false},
      {"editing", editing, 117, true, true},
      // The standard set has no Internal Tables and no Debug menu.
      {"editing standard", in(editing, kStandardCommandSet), 30, true, false},
      {"editing standard", in(editing, kStandardCommandSet), 66, true, false},
      {"editing standard", in(editing, kStandardCommandSet), 69, false, false},
      {"editing standard", in(editing, kStandardCommandSet), 77, false, false},
      {"editing standard", in(editing, kStandardCommandSet), 102, true, true},
      // The reduced set has no Series, no Options submenus, no 30, 34, 37.
      {"editing reduced", in(editing, kReducedCommandSet), 30, false, false},
      {"editing reduced", in(editing, kReducedCommandSet), 34, false, false},
      {"editing reduced", in(editing, kReducedCommandSet), 37, false, false},
      {"editing reduced", in(editing, kReducedCommandSet), 66, false, false},
      {"editing reduced", in(editing, kReducedCommandSet), 81, true, false},
      {"editing reduced", in(editing, kReducedCommandSet), 86, false, false},
      {"editing reduced", in(editing, kReducedCommandSet), 36, true, false},
      {"lastKept reduced", in(lastKept, kReducedCommandSet), 38, true, false},
      // The platform's commands.
      {"editing", editing, kCopyCommand, true, false},
      {"editing", editing, kOpenCommand, true, false},
      {"editing", editing, 99999, false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CommandStatus(row.id, row.value), (TCommandStatus{row.enabled, row.checked}))
        << row.state << ", command " << row.id;
  }
}

TEST(CommandTable, WhileBusyOnlyStopIsEnabled) {
  for (int set : kSets) {
    for (bool information : {false, true}) {
      TCommandState state = Editing(set);
      state.busy = true;
      state.runningTaskKind = 3;
      state.informationMode = information;
      state.lastInformationKept = true;
      for (const TCommand& command : Commands()) {
        const bool stop = command.action == TCommandAction::Stop && CommandInSet(command, set);
        EXPECT_EQ(CommandStatus(command.id, state).enabled, stop)
            << "set " << set << ", command " << command.id;
      }
      EXPECT_FALSE(CommandStatus(kCutCommand, state).enabled);
      EXPECT_FALSE(CommandStatus(kPasteCommand, state).enabled);
      EXPECT_TRUE(CommandStatus(kNewCommand, state).enabled);
      // No style is checked while busy; the options keep their marks.
      EXPECT_FALSE(CommandStatus(11, state).checked);
      EXPECT_EQ(CommandStatus(81, state), (TCommandStatus{false, false}));
      state.options.DisableSurgeries = 1;
      EXPECT_TRUE(CommandStatus(81, state).checked);
    }
  }
}

TEST(CommandTable, RecognizeItemAndContextMenusFollowTheRunningTask) {
  TCommandState state = Editing(kReducedCommandSet);
  EXPECT_EQ(RecognizeItem(state).id, kRecognizeCommand);
  EXPECT_EQ(RecognizeItem(state).caption, "&Recognize\tF5");
  EXPECT_EQ(ContextMenuId(state), 1005);

  state.busy = true;
  for (std::uint32_t kind : {1u, 3u, 7u, 9u}) {
    state.runningTaskKind = kind;
    const TMenuItemText item = RecognizeItem(state);
    EXPECT_EQ(item.id, kStopCommand);
    EXPECT_EQ(item.caption, kind == 7 ? "&Stop Calculations\tCtrl+Break"
                                      : "&Stop Recognition\tCtrl+Break");
    EXPECT_EQ(ContextMenuId(state), kind == 7 ? 1007 : 1006);
    const auto menu = ContextMenu(ContextMenuId(state));
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu.back().caption, item.caption);
    for (const TContextMenuItem& entry : menu) {
      EXPECT_EQ(ContextMenuItemEnabled(entry.id, state), entry.id == kStopCommand);
    }
  }

  const auto idle = ContextMenu(1005);
  std::vector<int> ids;
  for (const TContextMenuItem& item : idle) ids.push_back(item.id);
  EXPECT_EQ(ids, (std::vector<int>{kCutCommand, kCopyCommand, kPasteCommand, 0, 46, 48, 49, 50,
                                   54, 0, 57}));
  EXPECT_EQ(idle[5].submenu, "Recognize In &Mode");
  EXPECT_EQ(idle[5].caption, "Till &First Presentation");
  EXPECT_TRUE(ContextMenu(1004).empty());

  TCommandState idleState = Editing(kReducedCommandSet);
  EXPECT_FALSE(ContextMenuItemEnabled(kInitialStateCommand, idleState));
  EXPECT_TRUE(ContextMenuItemEnabled(kRecognizeCommand, idleState));
  idleState.transformed = true;
  EXPECT_TRUE(ContextMenuItemEnabled(kInitialStateCommand, idleState));
  idleState.transformed = false;
  idleState.informationMode = true;
  EXPECT_TRUE(ContextMenuItemEnabled(kInitialStateCommand, idleState));
}

TEST(CommandTable, ToolbarFollowsTheViewState) {
  EXPECT_EQ(std::vector<int>(ToolbarSlots().begin(), ToolbarSlots().end()),
            (std::vector<int>{kNewCommand, kOpenCommand, kSaveCommand, 0, kCutCommand,
                              kCopyCommand, kPasteCommand, 0, 46, 54, 57, 47}));
  struct Row {
    int viewState;
    bool recognize, simplify, initial, stop;
  };
  const Row rows[] = {
      {1, true, true, false, false}, {2, false, false, false, true},
      {3, false, false, false, false}, {4, true, true, true, false},
      {5, false, false, true, false}, {6, false, false, false, false},
      {-1, false, false, false, false},
  };
  for (const Row& row : rows) {
    const bool busy = row.viewState == 2;
    EXPECT_EQ(ToolbarButtonOn(46, row.viewState, busy), row.recognize) << row.viewState;
    EXPECT_EQ(ToolbarButtonOn(54, row.viewState, busy), row.simplify) << row.viewState;
    EXPECT_EQ(ToolbarButtonOn(57, row.viewState, busy), row.initial) << row.viewState;
    EXPECT_EQ(ToolbarButtonOn(47, row.viewState, busy), row.stop) << row.viewState;
  }
  EXPECT_EQ(ToolbarButtonOn(46, 0, false), std::nullopt);
  // Another view shows its text while a computation runs elsewhere.
  EXPECT_EQ(ToolbarButtonOn(46, 1, true), false);
  EXPECT_EQ(ToolbarButtonOn(kCutCommand, 1, true), false);
  EXPECT_EQ(ToolbarButtonOn(kSaveCommand, 2, true), true);
}

}  // namespace
