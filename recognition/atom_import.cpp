#include "recognition/atom_import.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/stop_poll.h"

namespace {

using TLines = std::vector<std::string_view>;

TLines SplitLines(std::string_view text) {
  TLines lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The position of the name in the line followed by one of the characters of
// `after` (or the line's end when endOk); npos when absent.
std::size_t FindName(std::string_view line, std::string_view name, std::string_view after, bool endOk) {
  for (std::size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1)) {
    const std::size_t next = at + name.size();
    // the name must not be the tail of a longer word ("m0041" is not "m004")
    if (at > 0 && (IsDigit(line[at - 1]) || (line[at - 1] >= 'a' && line[at - 1] <= 'z'))) continue;
    if (next == line.size() ? endOk : after.find(line[next]) != std::string_view::npos) return at;
  }
  return std::string_view::npos;
}

// Reads a signed integer after blanks; advances at.
bool ReadInt(std::string_view text, std::size_t& at, std::int64_t& value) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  if (at >= text.size() || !IsDigit(text[at])) return false;
  value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    value = value * 10 + (text[at++] - '0');
    if (value > 1'000'000'000) return false;
  }
  if (negative) value = -value;
  return true;
}

// Four integers, passing over blanks, parentheses and commas between them.
bool ReadMatrix(std::string_view text, std::size_t& at, std::int64_t m[4]) {
  for (int i = 0; i < 4; ++i) {
    while (at < text.size() && std::string_view(" \t(),").find(text[at]) != std::string_view::npos) ++at;
    if (!ReadInt(text, at, m[i])) return false;
  }
  while (at < text.size() && text[at] == ')') ++at;
  return true;
}

// det * adj(m): the inverse of a unimodular matrix; false when not unimodular.
bool Invert(const std::int64_t m[4], std::int64_t out[4]) {
  const std::int64_t det = m[0] * m[3] - m[1] * m[2];
  if (det != 1 && det != -1) return false;
  out[0] = det * m[3];
  out[1] = -det * m[1];
  out[2] = -det * m[2];
  out[3] = det * m[0];
  return true;
}

std::string MatrixText(const std::int64_t m[4]) {
  return "(" + std::to_string(m[0]) + " " + std::to_string(m[1]) + ") (" + std::to_string(m[2]) + " " +
         std::to_string(m[3]) + ")";
}

int CuspCountOf(std::string_view name) {
  std::size_t caret = name.find('^');
  if (caret == std::string_view::npos) return 1;
  std::size_t at = caret + 1;
  std::int64_t n = 0;
  return ReadInt(name, at, n) ? static_cast<int>(n) : 1;
}

// Replaces the matrix after "Free" by its product with the inverse; false
// when the text has no readable matrix there.
bool RewriteFreeMatrix(std::string& text, const std::int64_t inverse[4]) {
  std::size_t free = text.find("Free");
  if (free == std::string::npos) return false;
  std::size_t at = free + 4;
  std::int64_t m[4];
  std::size_t start = text.find('(', at);
  if (start == std::string::npos || !ReadMatrix(text, at, m)) return false;
  const std::int64_t product[4] = {m[0] * inverse[0] + m[1] * inverse[2], m[0] * inverse[1] + m[1] * inverse[3],
                                   m[2] * inverse[0] + m[3] * inverse[2], m[2] * inverse[1] + m[3] * inverse[3]};
  text.replace(start, at - start, MatrixText(product));
  return true;
}

class TImport {
 public:
  TImport(std::string_view table, std::string_view document, int kind)
      : table_(SplitLines(table)), doc_(SplitLines(document)), kind_(kind) {}

  std::string Run() {
    const int cusps = kind_ == 18 ? 2 : 1;
    if ((kind_ == 17 || kind_ == 18) && !ReadLinkName()) return CopyWhole();
    TStopPoll poll(256);
    bool first = true;
    while (CopyUntilRecordHead()) {
      if (!first) Flush();
      first = false;
      std::string_view head = table_[row_];
      std::string_view rest = head.substr(5);
      name_ = std::string(rest.substr(0, rest.find(' ')));
      CopyRecordHead();
      if (CuspCountOf(name_) != cusps) continue;
      std::size_t pos = 0;
      while (Find(pos)) {
        poll.Step();
        const std::size_t before = pos;
        Write(pos);
        if (pos <= before) pos = before + 1;  // every entry is read once
      }
    }
    Flush();
    return output_;
  }

 private:
  std::string CopyWhole() {
    while (row_ < table_.size()) Add(table_[row_++]);
    Flush();
    return output_;
  }

  void Add(std::string_view line) {
    buffer_ += line;
    buffer_ += "\r\n";
  }
  void Flush() {
    output_ += buffer_;
    buffer_.clear();
  }
  // The line is added unless the record already holds it.
  void AddUnique(const std::string& line) {
    // a whole line of the record, not a part of a longer one
    const std::string whole = line + "\r\n";
    for (std::size_t at = buffer_.find(whole); at != std::string::npos; at = buffer_.find(whole, at + 1)) {
      if (at == 0 || buffer_[at - 1] == '\n') return;
    }
    Add(line);
  }

  bool CopyUntilRecordHead() {
    while (row_ < table_.size()) {
      if (table_[row_].rfind("%*** Q", 0) == 0) return true;
      Add(table_[row_++]);
    }
    return false;
  }
  void CopyRecordHead() {
    Add(table_[row_++]);
    while (row_ < table_.size() && !table_[row_].empty() && table_[row_][0] == '%' &&
           table_[row_].rfind("%*** ", 0) != 0) {
      Add(table_[row_++]);
    }
  }

  bool ReadLinkName() {
    for (std::size_t i = 0; i < doc_.size(); ++i) {
      std::size_t at = doc_[i].find("LinkName");
      if (at == std::string_view::npos) continue;
      std::size_t open = doc_[i].find('"', at);
      if (open == std::string_view::npos) return false;
      std::size_t close = doc_[i].find('"', open + 1);
      if (close == std::string_view::npos) return false;
      link_ = std::string(doc_[i].substr(open + 1, close - open - 1));
      components_ = CuspCountOf(link_);
      std::size_t caret = link_.find('^');
      if (caret == std::string::npos || components_ < 1 || components_ > 5) return false;
      return true;
    }
    return false;
  }

  bool Find(std::size_t& pos) { return kind_ == 18 ? FindTwoCuspEntry(pos) : FindCensusEntry(pos); }

  void Write(std::size_t& pos) {
    switch (kind_) {
      case 15: WriteType2Line(pos); break;
      case 16: WriteType3Line(pos); break;
      case 17: WriteType4LinkLine(pos); break;
      default: WriteTwoCuspLine(pos); break;
    }
  }

  bool FindCensusEntry(std::size_t& pos) {
    for (std::size_t i = pos; i < doc_.size(); ++i) {
      if (FindName(doc_[i], name_, " \t", false) == std::string_view::npos) continue;
      if (doc_[i].find("Edge") != std::string_view::npos) continue;
      for (std::size_t j = i; j < doc_.size(); ++j) {
        if (doc_[j].find("H_1") != std::string_view::npos) {
          pos = j;
          return true;
        }
      }
      return false;
    }
    return false;
  }

  bool FindTwoCuspEntry(std::size_t& pos) {
    const int cusps = CuspCountOf(name_);
    for (std::size_t i = pos; i < doc_.size(); ++i) {
      if (FindName(doc_[i], name_, " )", false) == std::string_view::npos) continue;
      std::size_t none = i;
      while (none < doc_.size() && doc_[none].find("(None)") == std::string_view::npos) ++none;
      if (none == doc_.size()) return false;
      int count = 0;
      for (std::size_t at = doc_[none].find("(None)"); at != std::string_view::npos;
           at = doc_[none].find("(None)", at + 1)) {
        ++count;
      }
      if (count != cusps) return false;
      bool rejected = false;
      int virtuals = 0, edges = 0;
      for (std::size_t j = none + 1; j < doc_.size(); ++j) {
        std::string_view line = doc_[j];
        if (line.find_first_of(" \t") == std::string_view::npos || line.find(name_) == std::string_view::npos) break;
        if (line.find("Seifert") != std::string_view::npos) {
          rejected = true;
        } else if (line.find("Virtual") != std::string_view::npos) {
          ++virtuals;
        } else if (line.find("Edge") != std::string_view::npos) {
          ++edges;
        } else {
          break;
        }
      }
      if (!rejected && virtuals == cusps && edges == 0) {
        pos = none;
        return true;
      }
      i = none > i ? none - 1 : i;  // go on after this entry
    }
    return false;
  }

  // kind 15: fillings of two-cusped table atoms, on numbered lines.
  void WriteType2Line(std::size_t& pos) {
    if (FindName(doc_[pos], name_, " \t", true) != std::string_view::npos) {
      ++pos;
      return;
    }
    std::size_t line = pos;
    std::size_t at = std::string_view::npos;
    for (; line < doc_.size(); ++line) {
      at = FindName(doc_[line], name_, " \t(", true);
      if (at != std::string_view::npos) break;
    }
    if (line == doc_.size()) {
      pos = doc_.size();
      return;
    }
    at += name_.size();
    std::int64_t m[4], inverse[4];
    if (!ReadMatrix(doc_[line], at, m) || !Invert(m, inverse)) {
      pos = line + 1;
      return;
    }
    std::size_t next = line + 1;
    for (; next < doc_.size(); ++next) {
      std::string_view text = doc_[next];
      std::size_t dot = text.find('.');
      if (dot == std::string_view::npos) break;
      std::size_t word = dot + 1;
      while (word < text.size() && (IsDigit(text[word]) || text[word] == ' ' || text[word] == '\t')) ++word;
      if (word >= text.size() || text[word] != 'Q') continue;
      std::size_t end = word;
      while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
      std::string_view atom = text.substr(word, end - word);
      if (CuspCountOf(atom) != 2) continue;
      std::string_view rest = text.substr(end);
      std::size_t second = rest.find("2:");
      if (second == std::string_view::npos) continue;
      std::string first(Trim(rest.substr(0, second)));
      std::string other(Trim(rest.substr(second)));
      if (first.find("Free") != std::string::npos && !RewriteFreeMatrix(first, inverse)) continue;
      if (other.find("Free") != std::string::npos && !RewriteFreeMatrix(other, inverse)) continue;
      AddUnique("%%Next={Type2| " + std::string(atom) + " " + first + " " + other + " }");
    }
    pos = next;
  }

  void SkipUnderscoreLines(std::size_t& pos) {
    ++pos;
    while (pos < doc_.size() && doc_[pos].find('_') != std::string_view::npos) ++pos;
  }

  // kind 16: a knot complement "k<a>_<b>: ... <record> (a b c d)".
  void WriteType3Line(std::size_t& pos) {
    std::string_view text = TrimLeft(doc_[pos]);
    std::size_t i = 1;
    auto digits = [&] {
      std::size_t start = i;
      while (i < text.size() && IsDigit(text[i])) ++i;
      return i > start;
    };
    bool shaped = text.size() > 1 && digits() && i < text.size() && text[i] == '_' && (++i, digits()) &&
                  i < text.size() && text[i] == ':';
    if (shaped) {
      std::string knot = "K" + std::string(text.substr(1, i - 1));
      std::size_t at = FindName(text, name_, " \t(", true);
      std::int64_t m[4], inverse[4];
      if (at != std::string_view::npos) {
        at += name_.size();
        if (ReadMatrix(text, at, m) && Invert(m, inverse)) {
          AddUnique("%%Next={Type3| " + knot + ": Free " + MatrixText(inverse) + "}");
        }
      }
    }
    SkipUnderscoreLines(pos);
  }

  // kind 17: "(p,q) (None) ... <record> (a b c d)", one parenthesis per component.
  void WriteType4LinkLine(std::size_t& pos) {
    std::string_view text = TrimLeft(doc_[pos]);
    std::size_t at = FindName(text, name_, " \t(", true);
    std::int64_t m[4], inverse[4];
    if (!text.empty() && text[0] == '(' && at != std::string_view::npos) {
      std::size_t after = at + name_.size();
      if (ReadMatrix(text, after, m) && Invert(m, inverse)) {
        std::string line = "%%Next={Type4| " + link_;
        std::size_t cursor = 0;
        int filled = 0;
        bool good = true;
        for (int c = 0; c < components_ && good; ++c) {
          cursor = text.find('(', cursor);
          if (cursor == std::string_view::npos || cursor >= at) {
            good = false;
            break;
          }
          if (text.substr(cursor, 6) == "(None)") {
            line += " 1: Free " + MatrixText(inverse);
          } else {
            std::size_t read = cursor;
            std::int64_t p = 0, q = 0;
            ++read;
            good = ReadInt(text, read, p);
            if (good && read < text.size() && text[read] == ',') ++read;
            good = good && ReadInt(text, read, q);
            ++filled;
            line += " " + std::to_string(filled + 1) + ": Dehn Filling (" + std::to_string(p) + "," +
                    std::to_string(q) + ")";
          }
          cursor = text.find(')', cursor);
          if (cursor == std::string_view::npos) good = false;
        }
        if (good) AddUnique(line + "}");
      }
    }
    SkipUnderscoreLines(pos);
  }

  // kind 18: "(p,q) (None) (None)" with "Virtual vertex <u> ... <record> (a b c d)" below.
  void WriteTwoCuspLine(std::size_t& pos) {
    const std::size_t copied = pos;
    std::string_view text = TrimLeft(doc_[copied]);
    if (text.empty() || text[0] != '(') {
      ++pos;
      return;
    }
    std::string line = "%%Next={Type4| " + link_;
    std::size_t cursor = 0;
    int filled = 0, unfilled = 0;
    bool good = true;
    for (int c = 0; c < components_ && good; ++c) {
      cursor = text.find('(', cursor);
      if (cursor == std::string_view::npos) {
        good = false;
        break;
      }
      if (text.substr(cursor, 6) != "(None)") {
        std::size_t read = cursor + 1;
        std::int64_t p = 0, q = 0;
        good = ReadInt(text, read, p);
        if (good && read < text.size() && text[read] == ',') ++read;
        good = good && ReadInt(text, read, q);
        ++filled;
        line += " " + std::to_string(filled + 2) + ": Dehn filling (" + std::to_string(p) + "," +
                std::to_string(q) + ")";
      } else {
        ++unfilled;
        const std::string label = "Virtual vertex " + std::to_string(unfilled);
        good = false;
        for (std::size_t v = 0; v < 2 && copied + 1 + v < doc_.size(); ++v) {
          std::string_view candidate = doc_[copied + 1 + v];
          if (FindName(candidate, label, " \t:", true) == std::string_view::npos) continue;
          std::size_t at = FindName(candidate, name_, " \t(", true);
          if (at == std::string_view::npos) break;
          std::size_t read = candidate.find('(', at + name_.size());
          std::int64_t m[4], inverse[4];
          if (read != std::string_view::npos && ReadMatrix(candidate, read, m) && Invert(m, inverse)) {
            line += " " + std::to_string(v + 1) + ": Free " + MatrixText(inverse);
            good = true;
          }
          break;
        }
      }
      cursor = text.find(')', cursor);
      if (cursor == std::string_view::npos) good = false;
    }
    if (good) {
      const std::size_t before = buffer_.size();
      AddUnique(line + "}");
      if (buffer_.size() != before) {
        pos = copied + 3;
        return;
      }
    }
    pos = copied + 1;
  }

  TLines table_;
  TLines doc_;
  int kind_;
  std::size_t row_ = 0;
  std::string name_;
  std::string link_;
  int components_ = 0;
  std::string buffer_;
  std::string output_;
};

}  // namespace

std::string ImportPresentations(std::string_view tableText, std::string_view documentText, int kind) {
  if (documentText.size() <= 10 || kind < 15 || kind > 18) return "";
  return TImport(tableText, documentText, kind).Run();
}
