// A piece of untrusted text as a message quotes it: short, and harmless to a
// terminal.
//
// Settings files, command-line words and documents can hold anything: a value
// of two million digits, or control bytes that a terminal would obey. A message
// quotes at most `limit` characters and marks the cut with "...", and shows
// every byte that is not printable text as an escape: \t, \r, \n, and \xHH for
// the other control bytes, for DEL, the C1 controls and bytes that are not
// well-formed UTF-8. Well-formed UTF-8 characters stay as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kQuotedTextLimit = 40;

std::string QuotedText(std::string_view text, std::size_t limit = kQuotedTextLimit);
