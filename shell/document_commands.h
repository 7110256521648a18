// The commands of the view that run on the user interface thread and answer
// with a report on the document text (the Information menu and its kin).
//
// A command is a function of the document text and the settings that returns
// the report the view shows in information mode, and whether the text gave a
// non-empty spine (which decides the toolbar and the enabling of the commands
// while the report is shown). The front ends run whichever commands this
// build has; a command without an implementation is not offered.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "shell/options.h"

struct TDocumentReport {
  std::string text;         // the report, CR LF line ends
  bool spineBuilt = false;  // the document text gave a non-empty spine
};

using TDocumentCommand =
    std::function<TDocumentReport(std::string_view documentText, const TOptionValues& options)>;

class TDocumentCommands {
 public:
  // Sets or (with an empty function) removes the command of a menu id.
  void Set(int id, TDocumentCommand command);
  // The command of a menu id, or null.
  const TDocumentCommand* Find(int id) const;
  bool Has(int id) const { return Find(id) != nullptr; }

 private:
  std::map<int, TDocumentCommand> commands_;
};

// The commands built into the program.
TDocumentCommands BuiltInDocumentCommands();
