#include "shell/command_table.h"

#include <algorithm>

#include "shell/option_commands.h"

namespace {

using A = TCommandAction;

constexpr std::string_view kView = "&View";
constexpr std::string_view kInformation = "&Information";
constexpr std::string_view kSorvelin = "&Sorvelin";
constexpr std::string_view kRecognizeInMode = "Recognize In &Mode";
constexpr std::string_view kSeries = "&Series";
constexpr std::string_view kInternalTables = "Internal &Tables";
constexpr std::string_view kDebug = "&Debug";
constexpr std::string_view kOptions = "&Options";
constexpr std::string_view kReport = "Report";
constexpr std::string_view kSeriesReport = "Series Report";
constexpr std::string_view kAllVariants = "All Variants Settings";
constexpr std::string_view kEnumeration = "&Enumeration Of Manifolds Settings";
constexpr std::string_view kRecognitionMode = "Recognition Mode";
constexpr std::string_view kDuplicateControl = "Duplicate Control";
constexpr std::string_view kRestrictions = "Restrictions On The Boundary";
constexpr std::string_view kOutputMode = "Output Mode";

constexpr std::uint8_t kAll = kInAllSets;
constexpr std::uint8_t kNoReduced = kInFullAndStandardSets;
constexpr std::uint8_t kFull = kInFullSet;

using P = std::array<std::string_view, 3>;

constexpr TCommand kCommands[] = {
    {11, "Boundary &Curves", P{kView}, "", kAll, A::StyleSwitch, 1, 0},
    {12, "Singular &Triangulation", P{kView}, "", kAll, A::StyleSwitch, 3, 0},
    {13, "&Details", P{kView}, "", kAll, A::StyleSwitch, 2, 0},

    {16, "Short &Information", P{kInformation}, "", kAll, A::Report, 0, 0},
    {17, "Boundary C&urves", P{kInformation}, "", kAll, A::Report, 0, 0},
    {18, "&Details", P{kInformation}, "", kAll, A::Report, 0, 0},
    {19, "Singular &Triangulation", P{kInformation}, "", kAll, A::Report, 0, 0},
    {20, "Dehyd&rated Description", P{kInformation}, "", kAll, A::Report, 0, 0},
    {21, "Isomorphism Sign&ature", P{kInformation}, "", kAll, A::Report, 0, 0},
    {23, "&Homology Group", P{kInformation}, "", kAll, A::Report, 0, 0},
    {24, "Turaev-&Viro Invariants", P{kInformation}, "", kAll, A::Task, 7, 3},
    {25, "Ho&mologically Trivial Part of Turaev-Viro Invariants", P{kInformation}, "", kAll,
     A::Task, 7, 2},
    {27, "&Epsilon-Invariant", P{kInformation}, "", kAll, A::Report, 0, 0},
    {28, "&Casson-Walker Invariant", P{kInformation}, "", kAll, A::Report, 0, 0},
    {29, "&Kauffman Bracket Polynomial", P{kInformation}, "", kAll, A::Report, 0, 0},
    {30, "Ale&xander Polynomial", P{kInformation}, "", kNoReduced, A::Report, 0, 0},
    {31, "H&yperbolic Volume", P{kInformation}, "", kAll, A::Report, 0, 0},
    {32, "&Graph Code", P{kInformation}, "", kAll, A::Report, 0, 0},
    {33, "Search For &Surfaces In Spine", P{kInformation}, "", kAll, A::Task, 9, 0},
    {34, "Search For Symmetries Of S&pine", P{kInformation}, "", kNoReduced, A::Report, 0, 0},
    {35, "Search For &Normal Surfaces", P{kInformation}, "", kAll, A::Task, 10, 0},
    {36, "&Boundary", P{kInformation}, "", kAll, A::Report, 0, 0},
    {37, "Is C&overing For", P{kInformation}, "", kNoReduced, A::Report, 0, 0},
    {38, "Last I&nformation", P{kInformation}, "", kAll, A::Report, 0, 0},
    {39, "T&ransformation List", P{kInformation}, "", kAll, A::Report, 0, 0},
    {40, "Labeled &Molecule", P{kInformation}, "", kAll, A::Report, 0, 0},
    {42, "Remove Information", P{kInformation}, "", kAll, A::ViewMode, 0, 0},

    {46, "&Recognize\tF5", P{kSorvelin}, "F5", kAll, A::Task, 3, 0},
    {48, "Till &First Presentation\tShift+F5", P{kSorvelin, kRecognizeInMode}, "Shift+F5", kAll,
     A::Task, 2, 0},
    {49, "Till &Main Presentation", P{kSorvelin, kRecognizeInMode}, "", kAll, A::Task, 3, 0},
    {50, "Try To Find &All Presentations\tCtrl+F5", P{kSorvelin, kRecognizeInMode}, "Ctrl+F5",
     kAll, A::Task, 4, 0},
    {51, "Make D&efault Moves", P{kSorvelin}, "", kAll, A::Task, 5, 0},
    {52, "Make &One Step\tF6", P{kSorvelin}, "F6", kAll, A::Moves, 0, 0},
    {53, "Make Cell &Reductions\tf7", P{kSorvelin}, "F7", kAll, A::Moves, 0, 0},
    {54, "&Dialog...\tF8", P{kSorvelin}, "F8", kAll, A::SimplifyDialog, 0, 0},
    {55, "&Simplify polyhedron via T-move", P{kSorvelin}, "", kAll, A::Task, 13, 0},
    {56, "&Compare polyhedra Via T-Move", P{kSorvelin}, "", kAll, A::Task, 12, 0},
    {41, "Make &Assembling", P{kSorvelin}, "", kAll, A::Report, 0, 0},
    {57, "&Initial State\tF9", P{kSorvelin}, "F9", kAll, A::ViewMode, 0, 0},

    {66, "&Run", P{kSeries}, "", kNoReduced, A::Task, 1, 0},
    {67, "&Stop\tCtrl+Break", P{kSeries}, "", kNoReduced, A::Stop, 0, 0},

    {69, "&Display Hyperbolic Atoms", P{kInternalTables}, "", kFull, A::Application, 0, 0},
    {70, "Import One-Cusp Presentations By &Other Atoms", P{kInternalTables}, "", kFull, A::Task,
     15, 0},
    {71, "Import One-Cusp Presentations By &Knots", P{kInternalTables}, "", kFull, A::Task, 16, 0},
    {72, "Import One-Cusp Presentations By &Links", P{kInternalTables}, "", kFull, A::Task, 17, 0},
    {73, "Import Two-Cusp Presentations By L&inks", P{kInternalTables}, "", kFull, A::Task, 18, 0},

    {74, "&Go", P{kDebug}, "", kFull, A::Task, 5, 0},
    {75, "&Step By Step\tCtrl+F6", P{kDebug}, "Ctrl+F6", kFull, A::Moves, 0, 0},
    {76, "&Dialog With Debugging\tCtrl+F8", P{kDebug}, "Ctrl+F8", kFull, A::Report, 0, 0},
    {77, "Make Cell &Reductions Automaticaly", P{kDebug}, "", kFull, A::Option, 0, 0},
    {78, "Make &Collapsings And Cuttings Automatically", P{kDebug}, "", kFull, A::Option, 0, 0},
    {79, "&Test Item", P{kDebug}, "", kFull, A::SelfTest, 0, 0},

    {81, "&Disable Surgeries", P{kOptions}, "", kAll, A::Option, 0, 0},
    {82, "Output &Move List", P{kOptions}, "", kAll, A::Option, 0, 0},
    {83, "Always Create &Coordinates On Boundary Tori", P{kOptions}, "", kAll, A::Option, 0, 0},
    {84, "Try To &Simplify Spine Before Recognizing", P{kOptions}, "", kAll, A::Option, 0, 0},
    {85, "Result &Only", P{kOptions, kReport}, "", kNoReduced, A::Option, 0, 0},
    {86, "&Short", P{kOptions, kReport}, "", kNoReduced, A::Option, 0, 0},
    {87, "&Intermediate", P{kOptions, kReport}, "", kNoReduced, A::Option, 0, 0},
    {88, "&Long", P{kOptions, kReport}, "", kNoReduced, A::Option, 0, 0},
    {89, "&Minimal", P{kOptions, kSeriesReport}, "", kNoReduced, A::Option, 0, 0},
    {90, "&Cut Only", P{kOptions, kSeriesReport}, "", kNoReduced, A::Option, 0, 0},
    {91, "&Use Nonseries Setting", P{kOptions, kSeriesReport}, "", kNoReduced, A::Option, 0, 0},
    {92, "Use Only First &Possibilities", P{kOptions, kAllVariants}, "", kNoReduced, A::Option, 0,
     0},
    {93, "Enable &Complicating Moves", P{kOptions, kAllVariants}, "", kNoReduced, A::Option, 0, 0},
    {94, "Ma&ximal Mode", P{kOptions, kAllVariants}, "", kNoReduced, A::Option, 0, 0},
    {95, "&Step To Run Default Moves", P{kOptions, kAllVariants}, "", kNoReduced, A::Option, 0, 0},
    {96, "&Time Limit", P{kOptions, kAllVariants}, "", kNoReduced, A::Option, 0, 0},
    {97, "Output Source &Spine List", P{kOptions, kEnumeration}, "", kNoReduced, A::Option, 0, 0},
    {98, "&Ignore Reducible Manifolds", P{kOptions, kEnumeration}, "", kNoReduced, A::Option, 0,
     0},
    {99, "&Ignore Coordinates On The Boundary", P{kOptions, kEnumeration}, "", kNoReduced,
     A::Option, 0, 0},
    {100, "Ignore Number Of Added 3-&Balls", P{kOptions, kEnumeration}, "", kNoReduced, A::Option,
     0, 0},
    {106, "Search For &Surfaces", P{kOptions, kEnumeration}, "", kNoReduced, A::Option, 0, 0},
    {101, "Till &First Presentation", P{kOptions, kEnumeration, kRecognitionMode}, "", kNoReduced,
     A::Option, 0, 0},
    {102, "Till &Main Presentation", P{kOptions, kEnumeration, kRecognitionMode}, "", kNoReduced,
     A::Option, 0, 0},
    {103, "Full &Looking Over", P{kOptions, kEnumeration, kRecognitionMode}, "", kNoReduced,
     A::Option, 0, 0},
    {104, "&Simplify Only", P{kOptions, kEnumeration, kRecognitionMode}, "", kNoReduced,
     A::Option, 0, 0},
    {105, "&Compare Only", P{kOptions, kEnumeration, kRecognitionMode}, "", kNoReduced, A::Option,
     0, 0},
    {107, "Homology Group And &Turaev-Viro Invariants", P{kOptions, kEnumeration, kDuplicateControl},
     "", kNoReduced, A::Option, 0, 0},
    {108, "Homology Group And &Epsilon-Invariants", P{kOptions, kEnumeration, kDuplicateControl},
     "", kNoReduced, A::Option, 0, 0},
    {109, "Turaev-Viro Invariants &Only", P{kOptions, kEnumeration, kDuplicateControl}, "",
     kNoReduced, A::Option, 0, 0},
    {110, "Use E&xtended Turaev-Viro Invariants", P{kOptions, kEnumeration, kDuplicateControl}, "",
     kNoReduced, A::Option, 0, 0},
    {111, "Keep &Full Information", P{kOptions, kEnumeration, kDuplicateControl}, "", kNoReduced,
     A::Option, 0, 0},
    {112, "&Maximal Order Of Invariants", P{kOptions, kEnumeration, kDuplicateControl}, "",
     kNoReduced, A::Option, 0, 0},
    {113, "Time &Limit", P{kOptions, kEnumeration, kDuplicateControl}, "", kNoReduced, A::Option,
     0, 0},
    {114, "&No Duplicate Control", P{kOptions, kEnumeration, kDuplicateControl}, "", kNoReduced,
     A::Option, 0, 0},
    {115, "&Spheres Only", P{kOptions, kEnumeration, kRestrictions}, "", kNoReduced, A::Option, 0,
     0},
    {116, "&Tori And Spheres...", P{kOptions, kEnumeration, kRestrictions}, "", kNoReduced,
     A::Option, 0, 0},
    {117, "&No Restrictions", P{kOptions, kEnumeration, kRestrictions}, "", kNoReduced, A::Option,
     0, 0},
    {118, "&AllPresentations", P{kOptions, kEnumeration, kOutputMode}, "", kNoReduced, A::Option,
     0, 0},
    {119, "&Main Presentation Only", P{kOptions, kEnumeration, kOutputMode}, "", kNoReduced,
     A::Option, 0, 0},

    // Commands of the view that no menu, context menu, toolbar or key sends:
    // the boundary and group presentations, and the DW invariants.
    {22, "", P{}, "", kAll, A::Task, 6, 0},
    {26, "", P{}, "", kAll, A::Task, 8, 0},
    // Stop takes the place of "&Recognize\tF5" while a computation runs (see
    // RecognizeItem); it has no place of its own.
    {kStopCommand, "&Stop Recognition\tCtrl+Break", P{}, "", kAll, A::Stop, 0, 0},
};

constexpr std::string_view kStopRecognitionCaption = "&Stop Recognition\tCtrl+Break";
constexpr std::string_view kStopCalculationsCaption = "&Stop Calculations\tCtrl+Break";
constexpr std::string_view kReducedLastInformationCaption = "&Last Information";
constexpr int kLastInformationCommand = 38;
constexpr std::uint32_t kTuraevViroTask = 7;

constexpr TMenuBarMenu kMenus[] = {
    {"&File", kAll, true},
    {"&Edit", kAll, true},
    {kView, kAll, true},
    {kInformation, kAll, false},
    {kSorvelin, kAll, false},
    {kSeries, kNoReduced, false},
    {kInternalTables, kFull, false},
    {kDebug, kFull, false},
    {kOptions, kAll, false},
    {"&Window", kAll, true},
    {"&Help", kAll, true},
};

constexpr TContextMenuItem kIdleContextMenu[] = {
    {kCutCommand, "Cu&t", ""},
    {kCopyCommand, "&Copy", ""},
    {kPasteCommand, "&Paste", ""},
    {0, "", ""},
    {kRecognizeCommand, "&Recognize\tF5", ""},
    {48, "Till &First Presentation", kRecognizeInMode},
    {49, "Till &Main Presentation", kRecognizeInMode},
    {50, "Try To Find &All Presentations\tCtrl+F5", kRecognizeInMode},
    {kSimplifyDialogCommand, "&Dialog...\tF8", ""},
    {0, "", ""},
    {kInitialStateCommand, "&Initial State\tF9", ""},
};

constexpr TContextMenuItem kRecognitionContextMenu[] = {
    {kCutCommand, "Cu&t", ""},
    {kCopyCommand, "&Copy", ""},
    {kPasteCommand, "&Paste", ""},
    {0, "", ""},
    {kStopCommand, kStopRecognitionCaption, ""},
};

constexpr TContextMenuItem kCalculationContextMenu[] = {
    {kCutCommand, "Cu&t", ""},
    {kCopyCommand, "&Copy", ""},
    {kPasteCommand, "&Paste", ""},
    {0, "", ""},
    {kStopCommand, kStopCalculationsCaption, ""},
};

constexpr int kToolbar[] = {
    kNewCommand, kOpenCommand,       kSaveCommand,          0,
    kCutCommand, kCopyCommand,       kPasteCommand,         0,
    kRecognizeCommand, kSimplifyDialogCommand, kInitialStateCommand, kStopCommand,
};

constexpr TAccelerator kAccelerators[] = {
    {"F5", kRecognizeCommand, kAll},
    {"Shift+F5", 48, kAll},
    {"Ctrl+F5", 50, kAll},
    {"F6", 52, kAll},
    {"F7", 53, kAll},
    {"F8", kSimplifyDialogCommand, kAll},
    {"F9", kInitialStateCommand, kAll},
    {"Ctrl+F6", 75, kFull},
    {"Ctrl+F8", 76, kFull},
    {"F1", kHelpCommand, kAll},
};

constexpr TPlatformAccelerator kPlatformAccelerators[] = {
    {"Ctrl+A", "Select All"},   {"Ctrl+C", "Copy"},          {"Ctrl+Insert", "Copy"},
    {"Ctrl+N", "New"},          {"Ctrl+O", "Open"},          {"Ctrl+P", "Print"},
    {"Ctrl+S", "Save"},         {"Ctrl+V", "Paste"},         {"Shift+Insert", "Paste"},
    {"Alt+Backspace", "Undo"},  {"Ctrl+Z", "Undo"},          {"Shift+Delete", "Cut"},
    {"Ctrl+X", "Cut"},          {"Shift+F1", "Context Help"}, {"Ctrl+F", "Find"},
    {"F3", "Find Next"},        {"Shift+F6", "Previous Pane"},
};

// The platform's commands that edit the text of the view; the text belongs to
// a running computation until it ends.
bool IsEditCommand(int id) {
  return id == kCutCommand || id == kCopyCommand || id == kPasteCommand;
}

// The platform's document and help commands, which the table does not restrict.
bool IsDocumentCommand(int id) {
  return id == kNewCommand || id == kOpenCommand || id == kSaveCommand || id == kHelpCommand;
}

std::uint8_t SetBit(int commandSet) {
  switch (commandSet) {
    case kFullCommandSet: return kInFullSet;
    case kStandardCommandSet: return kInStandardSet;
    case kReducedCommandSet: return kInReducedSet;
    default: return 0;
  }
}

bool InRange(int id, int first, int last) { return id >= first && id <= last; }

// The enabled state outside a computation.
bool EnabledWhenIdle(const TCommand& command, const TCommandState& state) {
  const int id = command.id;
  // Information mode on an empty spine: the shown text is a report and no
  // spine stands behind it, so nothing can be computed from it.
  const bool nothingBehindReport = state.informationMode && state.spineEmpty;
  if (command.action == TCommandAction::Stop) return false;
  if (InRange(id, 11, 13)) return !state.informationMode && !state.transformed;
  if (id == 35) return true;
  if (id == kLastInformationCommand) return !state.informationMode && state.lastInformationKept;
  if (id == 39) return !state.spineEmpty && state.transformed;
  if (id == 42) return state.informationMode;
  if (InRange(id, 16, 41) || InRange(id, 46, 56)) return !nothingBehindReport;
  return true;
}

}  // namespace

int CommandSetOfMenuMode(int menuMode) {
  if (menuMode == 0) return kFullCommandSet;
  if (menuMode == 1) return kStandardCommandSet;
  return kReducedCommandSet;
}

std::span<const TCommand> Commands() { return kCommands; }

const TCommand* FindCommand(int id) {
  for (const TCommand& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

bool CommandInSet(const TCommand& command, int commandSet) {
  return (command.sets & SetBit(commandSet)) != 0;
}

std::string_view CommandCaption(const TCommand& command, int commandSet) {
  if (command.id == kLastInformationCommand && commandSet == kReducedCommandSet) {
    return kReducedLastInformationCaption;
  }
  return command.caption;
}

std::span<const TMenuBarMenu> MenuBarMenus() { return kMenus; }

std::vector<TMenuEntry> MenuBar(int commandSet) {
  std::vector<TMenuEntry> bar;
  const std::uint8_t bit = SetBit(commandSet);
  for (const TMenuBarMenu& menu : kMenus) {
    if ((menu.sets & bit) == 0) continue;
    TMenuEntry top;
    top.caption = std::string(menu.caption);
    for (const TCommand& command : kCommands) {
      if (command.path[0] != menu.caption || !CommandInSet(command, commandSet)) continue;
      // Walk down to the submenu of the item, opening submenus in the order in
      // which their first items come.
      TMenuEntry* parent = &top;
      for (std::size_t level = 1; level < command.path.size() && !command.path[level].empty();
           ++level) {
        auto& children = parent->children;
        auto found = std::find_if(children.begin(), children.end(), [&](const TMenuEntry& entry) {
          return entry.id == 0 && entry.caption == command.path[level];
        });
        if (found == children.end()) {
          children.push_back(TMenuEntry{std::string(command.path[level]), 0, {}});
          found = children.end() - 1;
        }
        parent = &*found;
      }
      parent->children.push_back(
          TMenuEntry{std::string(CommandCaption(command, commandSet)), command.id, {}});
    }
    bar.push_back(std::move(top));
  }
  return bar;
}

TCommandStatus CommandStatus(int id, const TCommandState& state) {
  TCommandStatus status;
  const TCommand* command = FindCommand(id);
  if (command == nullptr) {
    status.enabled = IsDocumentCommand(id) || (IsEditCommand(id) && !state.busy);
    return status;
  }
  if (!CommandInSet(*command, state.commandSet)) return status;

  if (command->action == TCommandAction::Option) {
    status.checked = IsOptionCommandChecked(id, state.options);
  } else if (command->action == TCommandAction::StyleSwitch) {
    status.checked = !state.busy && state.textStyle == command->parameter;
  } else if (id == kInitialStateCommand) {
    status.checked = !state.informationMode && !state.transformed;
  }

  status.enabled = state.busy ? command->action == TCommandAction::Stop
                              : EnabledWhenIdle(*command, state);
  return status;
}

TMenuItemText RecognizeItem(const TCommandState& state) {
  if (!state.busy) return {kRecognizeCommand, FindCommand(kRecognizeCommand)->caption};
  return {kStopCommand, state.runningTaskKind == kTuraevViroTask ? kStopCalculationsCaption
                                                                 : kStopRecognitionCaption};
}

int ContextMenuId(const TCommandState& state) {
  if (!state.busy) return 1005;
  return state.runningTaskKind == kTuraevViroTask ? 1007 : 1006;
}

std::span<const TContextMenuItem> ContextMenu(int menuId) {
  switch (menuId) {
    case 1005: return kIdleContextMenu;
    case 1006: return kRecognitionContextMenu;
    case 1007: return kCalculationContextMenu;
    default: return {};
  }
}

bool ContextMenuItemEnabled(int id, const TCommandState& state) {
  if (state.busy) return id == kStopCommand;
  if (id == kInitialStateCommand) return state.informationMode || state.transformed;
  return id != kStopCommand && id != 0;
}

std::span<const int> ToolbarSlots() { return kToolbar; }

std::optional<bool> ToolbarButtonOn(int id, int viewState, bool busy) {
  // Rows: view states 1 to 5; columns: Recognize, Simplify dialog, Initial State, Stop.
  static constexpr bool kStates[5][4] = {
      {true, true, false, false},    // editing
      {false, false, false, true},   // computing
      {false, false, false, false},  // Simplify dialog open
      {true, true, true, false},     // report with a non-empty spine
      {false, false, true, false},   // report with an empty spine
  };
  int column = -1;
  switch (id) {
    case kRecognizeCommand: column = 0; break;
    case kSimplifyDialogCommand: column = 1; break;
    case kInitialStateCommand: column = 2; break;
    case kStopCommand: column = 3; break;
    default: return IsDocumentCommand(id) || (IsEditCommand(id) && !busy);
  }
  if (viewState == 0) return std::nullopt;
  if (viewState < 1 || viewState > 5) return false;
  if (busy && id != kStopCommand) return false;
  return kStates[viewState - 1][column];
}

std::span<const TAccelerator> Accelerators() { return kAccelerators; }

std::span<const TPlatformAccelerator> PlatformAccelerators() { return kPlatformAccelerators; }
