// Comment markers, comment skipping and blanking. See comment_rules.h.
#include "foundation/comment_rules.h"

#include <cstring>
#include <string>
#include <string_view>

#include "foundation/string_table.h"

namespace {

struct TMarkers {
  std::string line;
  std::string blockOpen;
  std::string blockClose;
};

// Read once, on first use; never empty, so a marker always advances a scan.
const TMarkers& Markers() {
  static const TMarkers markers = [] {
    auto text = [](int id, std::string_view fallback) {
      std::string_view value = StringTableText(id).value_or(fallback);
      return std::string(value.empty() ? fallback : value);
    };
    return TMarkers{text(151, "%"), text(153, "%%"), text(154, "%%")};
  }();
  return markers;
}

bool StartsWith(const char* at, const std::string& marker) {
  return std::strncmp(at, marker.c_str(), marker.size()) == 0;
}

}  // namespace

bool IsBlankCharacter(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\n' || c == '\r';
}

int IsCommentStart(const char* text, std::size_t position, int type) {
  if (text == nullptr) return 0;
  const char* at = text + position;
  if (StartsWith(at, Markers().blockOpen)) return 1;
  if (type == 2) return 0;
  return StartsWith(at, Markers().line) ? 1 : 0;
}

int SkipComment(const char* text, std::size_t& position) {
  if (text == nullptr) return 0;
  const TMarkers& markers = Markers();
  const char* at = text + position;
  if (StartsWith(at, markers.blockOpen)) {
    const char* searchFrom = at + markers.blockOpen.size();
    const char* close = std::strstr(searchFrom, markers.blockClose.c_str());
    const char* end =
        close != nullptr ? close + markers.blockClose.size() : searchFrom + std::strlen(searchFrom);
    position = static_cast<std::size_t>(end - text);
    return 1;
  }
  if (StartsWith(at, markers.line)) {
    const char* end = at + std::strcspn(at, "\r\n");
    position = static_cast<std::size_t>(end - text);
    return 1;
  }
  return 0;
}

std::size_t SkipBlanksAndCommentsAt(const char* text, std::size_t& position) {
  if (text == nullptr) return 0;
  std::size_t start = position;
  for (;;) {
    while (text[position] != '\0' && IsBlankCharacter(text[position])) ++position;
    if (text[position] == '\0' || SkipComment(text, position) == 0) break;
  }
  return position - start;
}

std::size_t SkipBlanksAndComments(const char* text, const char*& cursor) {
  if (cursor == nullptr) return 0;
  (void)text;
  std::size_t position = 0;
  std::size_t skipped = SkipBlanksAndCommentsAt(cursor, position);
  cursor += skipped;
  return skipped;
}

void BlankOutComments(char* text) {
  if (text == nullptr) return;
  std::size_t position = 0;
  while (text[position] != '\0') {
    if (IsCommentStart(text, position, 0) != 0) {
      std::size_t end = position;
      SkipComment(text, end);
      std::memset(text + position, ' ', end - position);
      position = end;
    } else {
      ++position;
    }
  }
}

char* CollapseWhitespace(char* destination, const char* source) {
  if (destination == nullptr) return nullptr;
  if (source == nullptr) source = destination;
  // Writing never overtakes reading, so the copy may run in place.
  char* out = destination;
  bool pendingBlank = false;
  for (const char* in = source; *in != '\0'; ++in) {
    if (IsBlankCharacter(*in)) {
      pendingBlank = out != destination;
      continue;
    }
    if (pendingBlank) *out++ = ' ';
    pendingBlank = false;
    *out++ = *in;
  }
  *out = '\0';
  return destination;
}
