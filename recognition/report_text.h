// A report composed piece by piece before it goes into an output at once.
//
// TOutput copies its whole text on every append, which is right for short
// reports and quadratic for long ones: a series appends a few lines for each
// of thousands of items, and a table report a few for each entry. Such
// reports are built here (appending costs the length of what is appended)
// and handed to the output in one piece.
#pragma once

#include <string>
#include <string_view>

struct TReportText {
  std::string text;

  void AppendText(std::string_view s) { text.append(s); }
  void NewLines(int n) {
    for (int i = 0; i < n && i < 16; ++i) text.append("\r\n");
  }
  void Tabs(int n) { text.append(static_cast<std::size_t>(n < 0 ? 0 : n), '\t'); }
  const char* Text() const { return text.c_str(); }
};
