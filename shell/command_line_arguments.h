// The arguments of the `sorvelin` command-line program:
//
//   sorvelin [OPTIONS] COMMAND [FILE]
//
// Parsed here, apart from the program, so that the rules are tested (and
// fuzzed) without starting it. Options may stand before and after the command,
// except those that take the command's place (--list, --example N,
// --version): after a command they make no sense and are refused. "--" ends
// the options; "-" alone is standard input.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/options.h"

struct TCommandLineArguments {
  std::vector<std::string> positional;   // COMMAND and FILE, as given
  std::vector<std::string> assignments;  // the --set KEY=VALUE texts, in order
  std::optional<std::string> iniFile;
  int menuMode = 0;  // --reduce: 0 full, 1 standard, 2 reduced set
  bool list = false;
  bool help = false;
  bool version = false;
  bool verbose = false;
  std::optional<int> example;
  // --perform K1,K2,... of the dialog command: the entry numbers as written.
  std::vector<std::string> perform;
  bool performGiven = false;
  // Not empty for a usage error: the message (untrusted words quoted short
  // and escaped), without the program's name.
  std::string error;
};

// Parses the arguments after the program's name. Stops at the first error.
TCommandLineArguments ParseCommandLineArguments(std::span<const std::string_view> arguments);

// Applies one --set text "KEY=VALUE" to the values. Returns the message of a
// refusal (no '=', unknown key, not an integer, too large, out of range), the
// values then unchanged.
std::optional<std::string> ApplyOptionAssignment(TOptionValues& values,
                                                 std::string_view assignment);
