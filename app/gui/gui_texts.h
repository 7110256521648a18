// Texts of the string table for the widgets.
#pragma once

#include <QString>

#include "foundation/string_table.h"
#include "foundation/text_format.h"

inline QString FromText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text with this id; empty when the table has none.
inline QString GuiText(int id) { return FromText(StringTableText(id).value_or("")); }

// The text with this id formatted printf-style with the arguments.
template <typename... Args>
QString GuiFormat(int id, const Args&... args) {
  return FromText(FormatText(StringTableText(id).value_or(""), args...));
}

enum : int {
  kSaveChangesText = 9820,
  kCaptionText = 9821,
  kUnableToOpenHelpText = 9822,
  kCannotFindText = 9823,
  kUnableToReadText = 9824,
  kUnableToWriteText = 9825,
  kUntitledText = 9826,
  kApplicationTitleText = 9827,
};
