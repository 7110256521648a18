#include "presentations/cells/cell_text_scanner.h"

namespace {

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

std::size_t SkipSet(std::string_view text, std::size_t position, std::size_t end,
                    std::string_view set) {
  while (position < end && IsOneOf(text[position], set)) ++position;
  return position;
}

std::size_t FindIn(std::string_view text, char c, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

std::size_t LineEnd(std::string_view text, std::size_t from) {
  std::size_t end = text.find_first_of("\r\n", from);
  return end == std::string_view::npos ? text.size() : end;
}

// The value of a token of decimal digits only: 0 for "0" and for any token
// that is not a number (a name); kCellTextMaxEdgeNumber + 1 for any number
// above the limit, whatever its length.
unsigned TokenValue(std::string_view token) {
  unsigned long long value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > kCellTextMaxEdgeNumber) value = kCellTextMaxEdgeNumber + 1ULL;
  }
  return static_cast<unsigned>(value);
}

}  // namespace

TCellTextScanner::TCellTextScanner(std::string_view blankedText, bool suppressNames)
    : text_(blankedText), suppressNames_(suppressNames) {}

bool TCellTextScanner::IsSeparator(char c) const {
  return IsOneOf(c, " \t\r\n:=,+-#{}");
}

int TCellTextScanner::Fail(int messageId, std::string_view text, unsigned number) {
  failure_.messageId = messageId;
  failure_.text.assign(text);
  failure_.number = number;
  position_ = text_.size();
  return -1;
}

int TCellTextScanner::Next(TCellTextEntry& entry) {
  entry = TCellTextEntry();
  std::size_t start = SkipSet(text_, position_, text_.size(), " \r\n\t");
  if (start >= text_.size()) {
    position_ = text_.size();
    return 0;
  }

  // The name: text before the first '=' (else ':') of this line, ahead of the
  // line's first '{'.
  std::size_t lineEnd = LineEnd(text_, start);
  std::size_t brace = FindIn(text_, '{', start, lineEnd);
  std::size_t nameLimit = brace == std::string_view::npos ? lineEnd : brace;
  std::size_t separator = FindIn(text_, '=', start, nameLimit);
  if (separator == std::string_view::npos) separator = FindIn(text_, ':', start, nameLimit);
  std::size_t body = start;
  if (separator != std::string_view::npos) {
    std::size_t nameEnd = separator;
    while (nameEnd > start && IsOneOf(text_[nameEnd - 1], " \t")) --nameEnd;
    std::string_view name = text_.substr(start, nameEnd - start);
    if (name.size() > kCellTextMaxName) {
      return Fail(kCellNameTooLongMessage, name.substr(0, kCellTextMaxName),
                  static_cast<unsigned>(kCellTextMaxName));
    }
    if (!suppressNames_) entry.name = name;
    body = separator + 1;
  }

  // Braced when the list opens with '{' (after the name, possibly on a later
  // line when the name stands alone on its line); unbraced entries end at
  // their line end.
  std::size_t open = SkipSet(text_, body, text_.size(), " \n\r\t");
  std::size_t end = lineEnd;
  if (open < text_.size() && text_[open] == '{' &&
      (open < lineEnd || separator != std::string_view::npos)) {
    std::size_t close = text_.find('}', open);
    end = close == std::string_view::npos ? LineEnd(text_, open) : close + 1;
  } else {
    open = std::string_view::npos;
  }
  entry.text = text_.substr(start, end - start);

  std::size_t position = body;
  if (open != std::string_view::npos) position = open;
  int result = ReadReferences(position, end, entry);
  if (result < 0) return result;
  position_ = SkipSet(text_, end, text_.size(), " }\n\r\t");
  return 1;
}

int TCellTextScanner::ReadReferences(std::size_t position, std::size_t end,
                                     TCellTextEntry& entry) {
  position = SkipSet(text_, position, end, " \n\r\t");
  bool braced = position < end && text_[position] == '{';
  if (braced) position = SkipSet(text_, position + 1, end, " \t\n\r");

  std::string_view signs = suppressNames_ ? " -+\t#" : " -+\t";
  for (;;) {
    if (position >= end) return 1;
    bool negative = text_[position] == '-';
    position = SkipSet(text_, position, end, signs);
    if (position >= end) return 1;

    std::size_t tokenEnd = position;
    if (!suppressNames_ && text_[tokenEnd] == '#') ++tokenEnd;
    while (tokenEnd < end && !IsSeparator(text_[tokenEnd])) ++tokenEnd;
    std::string_view token = text_.substr(position, tokenEnd - position);
    if (token.empty()) {
      return Fail(kEdgeNameExpectedMessage, text_.substr(position, end - position), 0);
    }
    if (token.size() > kCellTextMaxName) {
      return Fail(kEdgeNameTooLongMessage, token.substr(0, kCellTextMaxName),
                  static_cast<unsigned>(kCellTextMaxName));
    }
    unsigned value = TokenValue(token);
    if (value > kCellTextMaxEdgeNumber) {
      return Fail(kEdgeNumberTooLargeMessage, token, kCellTextMaxEdgeNumber);
    }
    entry.references.push_back({negative, token, value});
    position = tokenEnd;

    if (braced) {
      position = SkipSet(text_, position, end, " ,\t\n\r");
      if (position < end && text_[position] == '}') return 1;
    } else {
      position = SkipSet(text_, position, end, " ,");
    }
  }
}
