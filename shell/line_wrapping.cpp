#include "shell/line_wrapping.h"

#include <string>

namespace {

constexpr std::size_t kWidth = 90;
constexpr std::string_view kCutCharacters = " \t{\\.,;[]}()+-=/$_";

// Where a line longer than the width is cut.
std::size_t CutPoint(std::string_view line) {
  std::string_view head = line.substr(0, kWidth);
  for (char c : kCutCharacters) {
    std::size_t at = head.rfind(c);
    if (at != std::string_view::npos && at > 0) return at;
  }
  return kWidth;
}

}  // namespace

void WrapTextLines(TOutput& output, std::string_view text) {
  std::string wrapped;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (line.size() > kWidth) {
      std::size_t cut = CutPoint(line);
      wrapped.append(line.substr(0, cut));
      wrapped += "\r\n";
      const char at = line[cut];
      line.remove_prefix(at == ' ' || at == '\t' ? cut + 1 : cut);
    }
    wrapped.append(line);
    wrapped += "\r\n";
    start = next;
  }
  output.AppendText(wrapped.c_str());
}
