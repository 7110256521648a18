// The commands that the command-line program can run, and how each is run.
//
// This is the only place that lists them: the front end (main.cpp) parses the
// arguments, looks the command up here and prints what the command returns.
#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "shell/options.h"

// How a command ended; the program's exit status follows from it.
enum class TCliOutcome {
  kDone,     // the command ran and gave its result
  kRefused,  // the document gives no spine, or the command refused; the report says why
  kStopped,  // stopped by the user (Ctrl+C); the report holds what was done
};

// What a command is given.
struct TCliRun {
  std::string_view documentText;            // the whole document, as read
  const TOptionValues* options;             // the settings, with the overrides of --set
  const std::atomic<int>* stopFlag;           // set by Ctrl+C
  std::string report;                       // the report, with CR LF line ends
};

struct TCliCommand {
  int menuId;  // the id of the menu command it runs
  TCliOutcome (*run)(TCliRun& run);
  // The command-line name: the caption's name (command_names.h); a command of
  // the View menu whose caption another command shares is "view-" and that name.
  std::string name;
};

// Every command the program can run, in menu order.
const std::vector<TCliCommand>& CliCommands();

// The command of that name, or of that menu id when the text is a number;
// null when there is none.
const TCliCommand* FindCliCommand(std::string_view nameOrId);
