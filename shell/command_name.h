// Command names of the command-line program.
//
// A menu command is named on the command line after its caption: lower case,
// the mnemonic '&' and the accelerator text (after a tab) dropped, the dots of
// a dialog caption dropped, and blanks turned into '-'. So "&Homology Group"
// is homology-group and "&Dialog...\tF8" is dialog.
#pragma once

#include <string>
#include <string_view>

// The command-line name of a menu caption, as described above. Runs of blanks
// give one '-', and leading or trailing blanks give none.
std::string CommandNameFromCaption(std::string_view caption);
