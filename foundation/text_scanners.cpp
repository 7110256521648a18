// Integer, quadruple, keyword and named-value scanners. See text_scanners.h.
#include "foundation/text_scanners.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>

#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipAny(const char* text, const char* characters) {
  while (*text != '\0' && std::strchr(characters, *text) != nullptr) ++text;
  return text;
}

}  // namespace

TIntegerScan ParseIntegerChecked(int& result, const char*& end, const char* text) {
  if (text == nullptr) return TIntegerScan::NoNumber;
  const char* at = SkipAny(text, " \t\n\r");
  bool negative = false;
  if (*at == '+' || *at == '-') {
    negative = *at == '-';
    ++at;
  }
  if (!IsDigit(*at)) return TIntegerScan::NoNumber;
  // Accumulate the magnitude with a ceiling just above the int range, so any
  // number of digits is read without overflow.
  const std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
  std::int64_t magnitude = 0;
  bool tooLarge = false;
  for (; IsDigit(*at); ++at) {
    magnitude = magnitude * 10 + (*at - '0');
    if (magnitude > limit) {
      tooLarge = true;
      magnitude = limit + 1;
    }
  }
  if (tooLarge || (!negative && magnitude > INT_MAX)) {
    end = at;
    return TIntegerScan::OutOfRange;
  }
  result = static_cast<int>(negative ? -magnitude : magnitude);
  end = at;
  return TIntegerScan::Ok;
}

int ParseInteger(int& result, const char*& end, const char* text) {
  const char* after = end;
  int value = 0;
  if (ParseIntegerChecked(value, after, text) != TIntegerScan::Ok) return 0;
  result = value;
  end = after;
  return 1;
}

int ParseInteger(int& result, char*& end, char* text) {
  const char* after = end;
  if (ParseInteger(result, after, text) == 0) return 0;
  end = text + (after - text);
  return 1;
}

int ParseQuadruple(int* result, const char*& end, const char* text) {
  if (result == nullptr || text == nullptr) return 0;
  // Separators before the second, third and fourth integer.
  static const char* const kSeparators[] = {nullptr, " \t,", " \t,)(", " \t,"};
  const char* at = SkipAny(text, " \t");
  if (*at != '(') return 0;
  ++at;
  int values[4];
  for (int i = 0; i < 4; ++i) {
    if (i > 0) at = SkipAny(at, kSeparators[i]);
    if (ParseInteger(values[i], at, at) == 0) return 0;
  }
  at = SkipAny(at, " \t");
  if (*at != ')') return 0;
  std::memcpy(result, values, sizeof values);
  end = at + 1;
  return 1;
}

int MatchKeywordIgnoringBlanks(const char* keyword, const char* text, const char*& end) {
  if (keyword == nullptr || *keyword == '\0' || text == nullptr) return 0;
  const char* at = text;
  for (const char* k = keyword; *k != '\0'; ++k) {
    while (*at == ' ') ++at;
    if (std::tolower(static_cast<unsigned char>(*at)) != std::tolower(static_cast<unsigned char>(*k)))
      return 0;
    ++at;
  }
  end = SkipAny(at, " \t");
  return 1;
}

int FindNamedInteger(int& result, const char* name, const char* text, int wholeText) {
  if (name == nullptr || text == nullptr) return 0;
  std::string searched =
      wholeText != 0 ? std::string(text) : std::string(text, std::strcspn(text, "\r\n"));
  std::size_t found = searched.find(name);
  if (found == std::string::npos) return 0;
  const char* at = SkipAny(searched.c_str() + found + std::strlen(name), " \t=:");
  const char* end = at;
  return ParseInteger(result, end, at);
}
