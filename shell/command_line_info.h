// The command line of the desktop program.
//
// One parameter chooses the command set: a parameter that contains the word
// "reduce" (in any case) followed by blanks, tabs, "=" or ":" and a decimal
// integer sets the menu mode: 0 the full set, 1 the standard set, 2 or any
// other number the reduced set. Without it the reduced set is used. Any other
// parameter that is not a flag names a file to open (the first one counts).
#pragma once

#include <string>
#include <string_view>

class TCommandLineInfo {
 public:
  // 0 full, 1 standard, 2 reduced command set.
  int menuMode = 2;
  // The file named on the command line; empty when none.
  std::string fileName;

  // One parameter, as the program received it. isFlag: it began with '-' or
  // '/' (then it is never a file name). Only the first 1024 characters are
  // looked at for "reduce". isLast is accepted for symmetry with the caller's
  // loop and not used.
  void ParseParam(std::string_view parameter, bool isFlag, bool isLast);
};

// The menu mode of a number given with "reduce": 0 and 1 stand for
// themselves, every other number for the reduced set (2).
int MenuModeOfNumber(int number);
