#include "series/series_text.h"

#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "foundation/comment_rules.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/links/link.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/triangulations/iso_signature.h"

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWith(std::string_view text, std::size_t at, std::string_view word) {
  return text.size() - at >= word.size() && text.substr(at, word.size()) == word;
}

// The text from `at` to the next line end, and the position after the line
// end characters that follow it.
std::string_view LineAt(std::string_view text, std::size_t at, std::size_t& next) {
  std::size_t end = at;
  while (end < text.size() && !IsLineEnd(text[end])) ++end;
  next = end;
  while (next < text.size() && IsLineEnd(text[next])) ++next;
  return text.substr(at, end - at);
}

std::string TrimBlanks(std::string_view s) {
  std::size_t a = 0;
  std::size_t b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return std::string(s.substr(a, b - a));
}

// A header line "Keyword[=]value"; false when the keyword is not at `at`.
bool ReadHeaderValue(std::string_view text, std::size_t& at, std::string_view keyword, std::string& value) {
  if (!StartsWith(text, at, keyword)) return false;
  std::size_t p = at + keyword.size();
  if (p < text.size() && text[p] == '=') ++p;
  std::size_t next = p;
  value = TrimBlanks(LineAt(text, p, next));
  at = next;
  return true;
}

std::string CheckFileName(std::string_view keyword, const std::string& name) {
  if (name.empty()) return "Error : " + std::string(keyword) + " names no file";
  for (char c : name)
    if (IsBlank(c))
      return "Error : file name '" + name + "' of " + std::string(keyword) +
             " holds a blank; file names with blanks are not supported";
  return {};
}

// A decimal integer with an optional sign at `at`; `at` moves past it. False
// (and `at` unchanged) when no digit stands there; an overflow is reported
// in *overflow with the digits read.
bool ReadInteger(std::string_view s, std::size_t& at, long& value, std::string* overflow) {
  std::size_t p = at;
  bool negative = false;
  if (p < s.size() && (s[p] == '-' || s[p] == '+')) {
    negative = s[p] == '-';
    ++p;
  }
  if (p >= s.size() || !IsDigit(s[p])) return false;
  long long v = 0;
  const std::size_t digits = p;
  bool tooLarge = false;
  while (p < s.size() && IsDigit(s[p])) {
    if (!tooLarge) {
      v = v * 10 + (s[p] - '0');
      if (v > INT_MAX) tooLarge = true;
    }
    ++p;
  }
  if (tooLarge && overflow != nullptr) *overflow = std::string(s.substr(digits, p - digits));
  value = tooLarge ? 0 : static_cast<long>(negative ? -v : v);
  at = p;
  return true;
}

void SkipBlanks(std::string_view s, std::size_t& at) {
  while (at < s.size() && IsBlank(s[at])) ++at;
}

std::string TooLarge(const std::string& digits) {
  return "Error : the number '" + digits + "' is too large (at most " + std::to_string(INT_MAX) + ")";
}

}  // namespace

TSeriesHeader ReadSeriesHeader(std::string_view text) {
  TSeriesHeader header;
  std::size_t at = 0;
  while (at < text.size() && (IsBlank(text[at]) || IsLineEnd(text[at]))) ++at;
  std::string value;
  if (ReadHeaderValue(text, at, "BinaryTableLoad", value)) {
    header.hasLoad = true;
    header.loadName = value;
    if (header.error.empty()) header.error = CheckFileName("BinaryTableLoad", value);
  }
  if (ReadHeaderValue(text, at, "BinaryTableSave", value)) {
    header.hasSave = true;
    header.saveName = value;
    if (header.error.empty()) header.error = CheckFileName("BinaryTableSave", value);
  }
  if (ReadHeaderValue(text, at, "BinaryTableAutoSave", value)) {
    std::size_t p = 0;
    long seconds = 0;
    std::string overflow;
    if (!ReadInteger(value, p, seconds, &overflow) || p != value.size()) {
      if (header.error.empty())
        header.error = "Error : BinaryTableAutoSave wants a number of seconds, not '" + value + "'";
    } else if (!overflow.empty()) {
      if (header.error.empty()) header.error = TooLarge(overflow);
    } else {
      header.autoSaveSeconds = seconds;
    }
  }
  header.cursor = at;
  return header;
}

int DetectSeriesKind(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (IsBlank(text[at]) || IsLineEnd(text[at]))) ++at;
  // The recognisers read zero-terminated text.
  const std::string rest(text.substr(at));
  const char* s = rest.c_str();
  if (IsExtHeegaardText(s) != 0) return kSeriesExtHeegaard;
  if (IsHeegaardText(s) != 0) return kSeriesHeegaard;
  if (IsCrystallizationText(s) != 0) return kSeriesCrystallization;
  if (ReadGraphCodeLine(s) != 0) return kSeriesGraphCode;
  if (rest.starts_with("LinkTable")) return kSeriesLinkTable;
  if (IsLinkText(s) != 0) return kSeriesFraming;
  if (IsDehydratedText(rest)) return kSeriesDehydrated;
  if (IsIsoSignatureText(rest)) return kSeriesIsoSignature;
  if (rest.starts_with("KnotTable")) return kSeriesKnotTable;
  if (rest.starts_with("Graphs")) return kSeriesGraphs;
  return kSeriesFileList;
}

TSeriesListLine ParseSeriesListLine(std::string_view raw) {
  TSeriesListLine line;
  std::string buffer(raw);
  BlankOutComments(buffer.data());
  CollapseWhitespace(buffer.data(), buffer.c_str());
  const std::string text(buffer.c_str());
  if (text.empty()) return line;
  line.empty = false;
  std::size_t at = text.find(' ');
  line.name = text.substr(0, at);
  if (at == std::string::npos) return line;
  // Item numbers count from 1, and a range is written "5 - 9" or "5-9": a
  // word that is a number with a minus sign is refused, lest "1 -5" be read
  // as the range 1 to 5 (or "-3" as the whole file).
  for (std::size_t word = at; word < text.size();) {
    SkipBlanks(text, word);
    std::size_t end = word;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    if (end - word >= 2 && text[word] == '-' && IsDigit(text[word + 1])) {
      line.error = "Error : item numbers are positive, not '" + text.substr(word, end - word) + "' in the line '" +
                   text + "'";
      return line;
    }
    word = end;
  }
  SkipBlanks(text, at);
  std::string overflow;
  long first = 0;
  const std::size_t numberAt = at;
  const bool hasFirst = ReadInteger(text, at, first, &overflow);
  if (!overflow.empty()) {
    line.error = TooLarge(overflow);
    return line;
  }
  if (!hasFirst || first <= 0) {
    // No item number: what follows the name can only be part of a name
    // with a blank in it, which the list cannot express.
    if (!hasFirst) {
      line.error = "Error : '" + text + "' is no file name with items; file names with blanks are not supported";
      return line;
    }
    at = numberAt;
    line.first = line.last = 0;
    line.rest = text.substr(at);
    return line;
  }
  line.first = first;
  SkipBlanks(text, at);
  if (at >= text.size()) {
    line.last = first;
    return line;
  }
  if (text[at] == '-') {
    while (at < text.size() && (IsBlank(text[at]) || text[at] == '-')) ++at;
    long last = 0;
    if (!ReadInteger(text, at, last, &overflow)) last = 0;
    if (!overflow.empty()) {
      line.error = TooLarge(overflow);
      return line;
    }
    line.last = last <= 0 || last < first ? 0 : last;
  } else if (text[at] == '>') {
    line.last = 0;
    ++at;
  } else {
    line.last = first;
  }
  SkipBlanks(text, at);
  line.rest = text.substr(at);
  return line;
}

bool TakeRestNumber(std::string& rest, long& number) {
  std::size_t at = 0;
  SkipBlanks(rest, at);
  long value = 0;
  std::string overflow;
  if (!ReadInteger(rest, at, value, &overflow) || !overflow.empty()) return false;
  SkipBlanks(rest, at);
  rest.erase(0, at);
  number = value;
  return true;
}

bool TSeriesItemReader::ReadTriangulationBlock(std::string* item) {
  std::size_t at = position_;
  // Blank lines and comment lines before the block.
  while (at < text_.size()) {
    std::size_t next = at;
    std::string_view l = LineAt(text_, at, next);
    std::size_t p = 0;
    while (p < l.size() && IsBlank(l[p])) ++p;
    if (p < l.size() && l[p] != '%') break;
    if (next == at) return false;
    at = next;
  }
  // The program writes the keyword indented.
  while (at < text_.size() && IsBlank(text_[at])) ++at;
  static constexpr std::string_view kKeyword = "triangulation";
  if (text_.size() - at < kKeyword.size()) return false;
  for (std::size_t k = 0; k < kKeyword.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(text_[at + k])) != kKeyword[k]) return false;
  const std::size_t end = text_.find("end", at + kKeyword.size());
  if (end == std::string_view::npos) return false;
  if (item != nullptr) {
    item->append(text_.substr(at, end + 3 - at));
    item->append("\r\n");
  }
  std::size_t next = end;
  LineAt(text_, end, next);
  position_ = next;
  return true;
}

bool TSeriesItemReader::ReadItem(std::string* item) {
  if (ReadTriangulationBlock(item)) return true;
  bool found = false;
  while (position_ < text_.size()) {
    std::size_t next = position_;
    const std::string_view l = LineAt(text_, position_, next);
    std::size_t p = 0;
    while (p < l.size() && IsBlank(l[p])) ++p;
    if (StartsWith(l, p, "%%")) {
      inBlock_ = !inBlock_;
    } else if (!inBlock_) {
      long number = 0;
      std::size_t q = p;
      const bool numbered = ReadInteger(l, q, number, nullptr) && number != 0;
      if (numbered) {
        found = true;
        if (item != nullptr) {
          item->append(l);
          item->append("\r\n");
        }
      } else if (found) {
        return true;  // the cursor stays on the line that ended the item
      } else if (item != nullptr) {
        item->append("% ");
        item->append(l);
        item->append("\r\n");
      }
    }
    // A line of its own: one line end, or a CR LF pair, ends it; blank lines
    // that follow are lines too.
    std::size_t after = position_ + l.size();
    if (after < text_.size() && text_[after] == '\r') ++after;
    if (after < text_.size() && text_[after] == '\n') ++after;
    position_ = after;
  }
  return found;
}

bool TSeriesItemReader::ReadRest(std::string* item) {
  const std::string_view rest = text_.substr(position_);
  position_ = text_.size();
  bool found = false;
  for (char c : rest) found = found || !(IsBlank(c) || IsLineEnd(c));
  if (item != nullptr) item->append(rest);
  return found;
}
