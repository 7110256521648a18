#include "recognition/atom_next_description.h"

#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>

#include "foundation/rational.h"

namespace {

struct TTorusEntry {
  int number = 0;  // 1-based as written
  std::int64_t a = 1, b = 0, c = 0, d = 1;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal digits of the text as a number below 10^6 (the words
// of a key are 16 bits); -1 without digits or when longer.
int SmallNumber(std::string_view text) {
  int value = 0;
  std::size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (i >= 6) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return i == 0 ? -1 : value;
}

// Reads a signed integer after optional blanks; advances at.
bool ReadSigned(std::string_view text, std::size_t& at, std::int64_t& value) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  std::size_t start = at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  if (at >= text.size() || !IsDigit(text[at])) return false;
  value = 0;
  bool negative = text[start] == '-';
  while (at < text.size() && IsDigit(text[at])) {
    value = value * 10 + (text[at] - '0');
    if (value > 1'000'000'000) return false;  // matrices of the table are small
    ++at;
  }
  if (negative) value = -value;
  return true;
}

// "(x y)" or "(x,y)" from the next "(".
bool ReadPair(std::string_view text, std::size_t& at, std::int64_t& x, std::int64_t& y) {
  at = text.find('(', at);
  if (at == std::string_view::npos) return false;
  ++at;
  if (!ReadSigned(text, at, x)) return false;
  while (at < text.size() && (text[at] == ',' || text[at] == ' ')) ++at;
  if (!ReadSigned(text, at, y)) return false;
  at = text.find(')', at);
  if (at == std::string_view::npos) return false;
  ++at;
  return true;
}

// One set of k entries from at; false on a malformed entry.
bool ReadTorusSet(std::string_view text, std::size_t& at, int k, std::vector<TTorusEntry>& set) {
  set.clear();
  for (int i = 0; i < k; ++i) {
    std::size_t colon = text.find(':', at);
    if (colon == std::string_view::npos) return false;
    TTorusEntry entry;
    std::size_t digits = colon;
    while (digits > at && IsDigit(text[digits - 1])) --digits;
    if (digits < colon) entry.number = SmallNumber(text.substr(digits, colon - digits));
    if (k == 1) {
      entry.number = 1;
    } else if (entry.number < 1 || entry.number > k) {
      return false;
    }
    std::size_t letter = colon + 1;
    while (letter < text.size() && text[letter] == ' ') ++letter;
    if (letter >= text.size()) return false;
    at = letter;
    if (text[letter] == 'D') {
      std::int64_t p = 0, q = 0;
      if (!ReadPair(text, at, p, q)) return false;
      entry.a = p, entry.b = 0, entry.c = q, entry.d = 0;
    } else if (text[letter] == 'F') {
      if (!ReadPair(text, at, entry.a, entry.b) || !ReadPair(text, at, entry.c, entry.d)) return false;
    } else {
      return false;
    }
    set.push_back(entry);
  }
  return true;
}

std::int32_t Narrow(std::int64_t value) {
  return static_cast<std::int32_t>(value);
}

std::vector<std::int32_t> BlockOfSet(const std::vector<TTorusEntry>& set) {
  std::vector<int> numbers;
  std::vector<std::vector<std::int32_t>> matrices;
  for (const TTorusEntry& e : set) {
    numbers.push_back(e.number - 1);
    matrices.push_back({Narrow(e.a), Narrow(e.b), Narrow(e.c), Narrow(e.d)});
  }
  return BoundaryBlock(numbers, matrices);
}

// The set composed with the inverse of the first, torus by torus (matched by
// number), in the first set's order. A filled torus (singular matrix) keeps
// its slope. Empty when a torus of the first set is missing.
std::vector<std::int32_t> RelativeRow(const std::vector<TTorusEntry>& first, const std::vector<TTorusEntry>& set) {
  std::vector<TTorusEntry> relative;
  for (const TTorusEntry& f : first) {
    const TTorusEntry* match = nullptr;
    for (const TTorusEntry& e : set) {
      if (e.number == f.number) match = &e;
    }
    if (match == nullptr) return {};
    TTorusEntry r = *match;
    const std::int64_t det = f.a * f.d - f.b * f.c;
    if (det == 1 || det == -1) {
      // inverse of f is det * adj(f)
      const std::int64_t ia = det * f.d, ib = -det * f.b, ic = -det * f.c, id = det * f.a;
      r.a = match->a * ia + match->b * ic;
      r.b = match->a * ib + match->b * id;
      r.c = match->c * ia + match->d * ic;
      r.d = match->c * ib + match->d * id;
    }
    relative.push_back(r);
  }
  return BlockOfSet(relative);
}

// Reads the description that starts after a "Next" (text ends before the
// next "Next"). False when malformed.
bool ParseNextDescription(TTableRecord& desc, std::string_view text, const TTableRecord& record) {
  desc.index = record.index;
  desc.parent = &record;
  std::size_t brace = text.find('{');
  if (brace == std::string_view::npos || brace + 5 >= text.size()) return false;
  if (text.substr(brace + 1, 4) != "Type") return false;
  const char digit = text[brace + 5];
  if (digit < '1' || digit > '4') return false;
  desc.nextType = digit - '0';
  std::size_t bar = text.find('|', brace);
  if (bar == std::string_view::npos) return false;
  std::size_t tilde = text.find('~', brace);
  if (tilde != std::string_view::npos && tilde < bar) {
    std::string_view link = text.substr(tilde + 1, bar - tilde - 1);
    while (!link.empty() && link.front() == ' ') link.remove_prefix(1);
    while (!link.empty() && link.back() == ' ') link.remove_suffix(1);
    desc.linkName = std::string(link);
  }
  std::size_t at = bar + 1;
  if (at < text.size() && text[at] == ' ') ++at;
  const std::size_t colon = text.find(':', at);
  switch (desc.nextType) {
    case kNextSpine: {
      if (colon == std::string_view::npos) return false;
      std::size_t close = text.rfind('}', colon);
      if (close == std::string_view::npos || close < at) return false;
      desc.spineText = text.substr(at, close + 1 - at);
      desc.torusCount = record.torusCount;
      desc.complexity = record.complexity;
      // The torus data follows the spine (reading from the first ":" would
      // pass over the entry of torus 1).
      at = close + 1;
      break;
    }
    case kNextTableName: {
      std::size_t end = at;
      while (end < text.size() && std::string_view("Q0123456789_^").find(text[end]) != std::string_view::npos) ++end;
      std::string_view name = text.substr(at, end - at);
      if (name.size() < 4 || name[0] != 'Q') return false;
      std::size_t caret = name.find('^'), underscore = name.find('_');
      if (underscore == std::string_view::npos) return false;
      std::size_t cEnd = caret == std::string_view::npos ? underscore : caret;
      desc.complexity = SmallNumber(name.substr(1, cEnd - 1));
      desc.torusCount = caret == std::string_view::npos ? 1 : SmallNumber(name.substr(caret + 1, underscore - caret - 1));
      desc.index = SmallNumber(name.substr(underscore + 1));  // n until resolved
      if (desc.complexity < 1 || desc.index < 1) return false;
      at = end;
      break;
    }
    case kNextKnot: {
      if (colon == std::string_view::npos) return false;
      std::string_view name = text.substr(at, colon - at);
      while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
      desc.nameText = std::string(name);
      desc.keyA = 1, desc.keyB = 0, desc.keyC = 0;
      desc.complexity = 0;
      desc.torusCount = 1;
      at = colon;
      // the torus data begins at the name's colon
      at = colon > 0 ? colon - 1 : colon;
      break;
    }
    case kNextLink: {
      if (colon == std::string_view::npos || colon < at + 2) return false;
      std::string_view name = text.substr(at, colon - 2 - at + 1);
      while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
      desc.nameText = std::string(name);
      // letters, crossings, (letters), '^', components, '_', census index
      std::size_t i = 0;
      while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i]))) ++i;
      std::size_t crossingStart = i;
      while (i < name.size() && IsDigit(name[i])) ++i;
      if (i == crossingStart) return false;
      desc.keyB = SmallNumber(name.substr(crossingStart, i - crossingStart));
      std::size_t caret = name.find('^', i), underscore = name.find('_', i);
      if (caret == std::string_view::npos || underscore == std::string_view::npos || underscore < caret) return false;
      desc.keyA = SmallNumber(name.substr(caret + 1, underscore - caret - 1));
      if (underscore + 1 >= name.size() || !IsDigit(name[underscore + 1])) return false;
      desc.keyC = SmallNumber(name.substr(underscore + 1));
      if (desc.keyA < 1 || desc.keyA > 5 || desc.keyB < 0 || desc.keyC < 0) return false;
      desc.complexity = 0;
      desc.torusCount = desc.keyA;
      at = colon - 1;
      break;
    }
    default:
      return false;
  }
  if (desc.torusCount < 1 || desc.torusCount > 5) return false;
  const int k = desc.torusCount;
  std::vector<TTorusEntry> first, set;
  while (text.find("Dehn", at) != std::string_view::npos || text.find("Free", at) != std::string_view::npos) {
    if (!ReadTorusSet(text, at, k, first.empty() ? first : set)) return false;
    if (!set.empty()) {
      std::vector<std::int32_t> row = RelativeRow(first, set);
      if (row.empty()) return false;
      desc.AddBoundarySymmetry(k, row);
      set.clear();
    }
  }
  if (first.empty()) return false;
  desc.boundary = BlockOfSet(first);
  return true;
}

}  // namespace

std::vector<std::int32_t> BoundaryBlock(const std::vector<int>& numbers,
                                        const std::vector<std::vector<std::int32_t>>& matrices) {
  std::vector<std::int32_t> block(1 + 6 * numbers.size(), 0);
  block[0] = 1;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::vector<std::int32_t>& m = matrices[i];
    const std::int64_t det = static_cast<std::int64_t>(m[0]) * m[3] - static_cast<std::int64_t>(m[1]) * m[2];
    if (det < 0) block[0] = -1;
    std::int32_t* torus = &block[1 + 6 * i];
    torus[0] = numbers[i];
    torus[1] = (m[1] == 0 && m[3] == 0)
                   ? static_cast<std::int32_t>(SubtractiveEuclidSteps(std::abs(static_cast<std::int64_t>(m[0])),
                                                                      std::abs(static_cast<std::int64_t>(m[2]))))
                   : 0;
    torus[2] = m[2];
    torus[3] = m[3];
    torus[4] = m[0];
    torus[5] = m[1];
  }
  return block;
}

int ReadNextDescriptions(TTableRecord& record) {
  std::string_view text = record.text;
  std::vector<std::size_t> starts;
  for (std::size_t at = text.find("Next"); at != std::string_view::npos; at = text.find("Next", at + 4)) {
    starts.push_back(at + 1);  // from the character after the "N"
  }
  TTableRecord* last = &record;
  int kept = 0;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
    auto desc = std::make_shared<TTableRecord>();
    desc->subIndex = kept + 1;
    desc->text = text.substr(starts[i], end - starts[i]);
    if (!ParseNextDescription(*desc, desc->text, record)) break;
    last->child = desc;
    last = desc.get();
    ++kept;
  }
  return kept;
}
