// Texts of the string table as the shell shows them: looked up by id and, where
// the text is a printf-style format, formatted with the caller's arguments.
#pragma once

#include <cstdio>
#include <string>

// The text with this id; empty when the table has no such id (a missing text
// shows as nothing rather than stopping the caller).
std::string StringText(int id);

// The text with this id formatted printf-style. The arguments must match the
// conversions of the text (the tests check every format the shell uses).
// Empty when the id is missing or the format cannot be applied.
template <class... TArgs>
std::string FormatStringText(int id, TArgs... args) {
  const std::string format = StringText(id);
  if (format.empty()) return {};
  const int size = std::snprintf(nullptr, 0, format.c_str(), args...);
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, format.c_str(), args...);
  return text;
}
