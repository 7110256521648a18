// Names of the menu commands on the command line.
//
// A command is named after its caption: the mnemonic '&' and the key text
// after the tab are dropped, so are dots, blanks become '-' and letters lower
// case. "&Homology Group" is homology-group, "Turaev-&Viro Invariants" is
// turaev-viro-invariants and "&Dialog...\tF8" is dialog. A few captions give
// the same name (the View and the Information menus both have "&Details");
// such a command is then given by its menu id instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The command-line name of a caption. Runs of blanks give one '-'; blanks at
// either end give none.
std::string CommandLineName(std::string_view caption);

// The menu path of a command for listings, without mnemonics:
// "Options > Enumeration Of Manifolds Settings > Recognition Mode". Empty for
// the commands that no menu holds.
std::string CommandMenuPath(int id);

// The command-line name of a command that no menu holds and that therefore
// has no caption (the group presentations, 22, and the DW invariants, 26);
// empty for every other id.
std::string_view CaptionlessCommandName(int id);

struct TNamedCommand {
  std::string name;
  int id = 0;
};

// Every command of a command set that has a caption, by name, in the order of
// the command table. A name that occurs twice is listed with each id.
std::vector<TNamedCommand> NamedCommands(int commandSet);

enum class TCommandLookupStatus { Found, Unknown, Ambiguous };

struct TCommandLookup {
  TCommandLookupStatus status = TCommandLookupStatus::Unknown;
  int id = 0;                   // when found
  std::vector<int> candidates;  // when ambiguous: the ids that share the name
};

// Finds a command of a command set by its name or by its menu id written in
// decimal. A name shared by several commands is ambiguous and lists their ids.
TCommandLookup LookupCommand(std::string_view nameOrId, int commandSet);

class TDocumentCommands;

// The commands of a command set that have a body, in the order of the command
// table, each by its command-line name: the caption's name, or, for a command
// of the View menu whose name another command of the set shares, "view-" and
// that name ("view-boundary-curves" is 11, "boundary-curves" 17).
std::vector<TNamedCommand> CommandLineCommands(const TDocumentCommands& commands, int commandSet);

// The command of that command-line name, or of that menu id when the text is
// a number, among CommandLineCommands; 0 when there is none.
int FindCommandLineCommand(const TDocumentCommands& commands, int commandSet,
                           std::string_view nameOrId);
