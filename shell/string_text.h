// Texts of the string table as the shell shows them: looked up by id and, where
// the text is a printf-style template, filled with the caller's arguments by
// the type-safe formatter (foundation/text_format.h).
#pragma once

#include <string>

#include "foundation/text_format.h"

// The text with this id; empty when the table has no such id (a missing text
// shows as nothing rather than stopping the caller).
std::string StringText(int id);

// The text with this id filled with the arguments; empty when the id is missing.
template <class... TArgs>
std::string FormatStringText(int id, const TArgs&... args) {
  const std::string templ = StringText(id);
  if (templ.empty()) return {};
  return FormatText(templ, args...);
}
