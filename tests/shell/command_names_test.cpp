#include "shell/command_names.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/command_table.h"

namespace {

TEST(CommandNames, CaptionsBecomeCommandLineNames) {
  struct Case {
    const char* caption;
    const char* name;
  };
  const Case cases[] = {
      {"&Homology Group", "homology-group"},
      {"Turaev-&Viro Invariants", "turaev-viro-invariants"},
      {"&Recognize\tF5", "recognize"},
      {"&Dialog...\tF8", "dialog"},
      {"Make Cell &Reductions\tf7", "make-cell-reductions"},
      {"Ignore Number Of Added 3-&Balls", "ignore-number-of-added-3-balls"},
      {"&Tori And Spheres...", "tori-and-spheres"},
      {"&AllPresentations", "allpresentations"},
      {"  Two  Blanks ", "two-blanks"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandLineName(c.caption), c.name) << c.caption;
}

std::map<std::string, std::set<int>> SharedNames(int commandSet) {
  std::map<std::string, std::set<int>> byName;
  for (const TNamedCommand& command : NamedCommands(commandSet)) {
    byName[command.name].insert(command.id);
  }
  std::map<std::string, std::set<int>> shared;
  for (const auto& [name, ids] : byName) {
    if (ids.size() > 1) shared[name] = ids;
  }
  return shared;
}

TEST(CommandNames, SharedNamesAreKnownAndResolvedByMenuId) {
  const std::map<std::string, std::set<int>> full = {
      {"boundary-curves", {11, 17}},         {"details", {13, 18}},
      {"singular-triangulation", {12, 19}},  {"till-first-presentation", {48, 101}},
      {"till-main-presentation", {49, 102}}, {"time-limit", {96, 113}},
  };
  EXPECT_EQ(SharedNames(kFullCommandSet), full);
  EXPECT_EQ(SharedNames(kStandardCommandSet), full);
  const std::map<std::string, std::set<int>> reduced = {
      {"boundary-curves", {11, 17}},
      {"details", {13, 18}},
      {"singular-triangulation", {12, 19}},
  };
  EXPECT_EQ(SharedNames(kReducedCommandSet), reduced);

  const TCommandLookup details = LookupCommand("details", kReducedCommandSet);
  EXPECT_EQ(details.status, TCommandLookupStatus::Ambiguous);
  EXPECT_EQ(details.candidates, (std::vector<int>{13, 18}));
  EXPECT_EQ(LookupCommand("18", kReducedCommandSet).id, 18);
  // Without the Options submenus the name is no longer shared.
  EXPECT_EQ(LookupCommand("till-first-presentation", kReducedCommandSet).id, 48);
  EXPECT_EQ(CommandMenuPath(101), "Options > Enumeration Of Manifolds Settings > Recognition Mode");
  EXPECT_EQ(CommandMenuPath(48), "Sorvelin > Recognize In Mode");
}

TEST(CommandNames, LookupFindsCommandsOfTheSetOnly) {
  struct Case {
    const char* text;
    int commandSet;
    TCommandLookupStatus status;
    int id;
  };
  using S = TCommandLookupStatus;
  const Case cases[] = {
      {"homology-group", kReducedCommandSet, S::Found, 23},
      {"short-information", kReducedCommandSet, S::Found, 16},
      {"last-information", kReducedCommandSet, S::Found, 38},
      {"last-information", kFullCommandSet, S::Found, 38},
      {"alexander-polynomial", kReducedCommandSet, S::Unknown, 0},
      {"alexander-polynomial", kStandardCommandSet, S::Found, 30},
      {"30", kReducedCommandSet, S::Unknown, 0},
      {"display-hyperbolic-atoms", kFullCommandSet, S::Found, 69},
      {"display-hyperbolic-atoms", kStandardCommandSet, S::Unknown, 0},
      {"22", kFullCommandSet, S::Found, 22},  // no caption, a name of its own
      {"Homology-Group", kFullCommandSet, S::Unknown, 0},
      {"", kFullCommandSet, S::Unknown, 0},
      {"-5", kFullCommandSet, S::Unknown, 0},
      {"99999999999", kFullCommandSet, S::Unknown, 0},
  };
  for (const Case& c : cases) {
    const TCommandLookup lookup = LookupCommand(c.text, c.commandSet);
    EXPECT_EQ(lookup.status, c.status) << c.text << " in " << c.commandSet;
    EXPECT_EQ(lookup.id, c.id) << c.text << " in " << c.commandSet;
  }
}

TEST(CommandNames, EveryCaptionedCommandHasAName) {
  for (const TNamedCommand& command : NamedCommands(kFullCommandSet)) {
    EXPECT_FALSE(command.name.empty()) << command.id;
    EXPECT_EQ(command.name.find_first_of(" &.\tABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos)
        << command.name;
  }
  EXPECT_EQ(NamedCommands(kFullCommandSet).size(), Commands().size());
}

}  // namespace
