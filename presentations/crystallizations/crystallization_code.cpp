#include "presentations/crystallizations/crystallization_code.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "foundation/comment_rules.h"
#include "foundation/string_table.h"

namespace {

constexpr int kAlphabetTextId = 183;
constexpr const char* kFallbackAlphabet = "abcdefghijklmnopqrstuvwxyz";

unsigned LineNumberAt(const char* text, std::size_t offset) {
  unsigned line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n')) ++line;
  }
  return line;
}

// Reads `count` words of n letters, separated by single "*", from the code;
// each must be a permutation of the first n letters. Writes the matrix only
// when every word is valid.
bool ReadWords(std::string_view code, std::uint32_t count, std::uint32_t n, TIntMatrix* graph) {
  if (n == 0 || n > 26) return false;
  const std::string_view alphabet = CodeAlphabet();
  std::vector<std::int32_t> values(static_cast<std::size_t>(count) * n);
  for (std::uint32_t word = 0; word < count; ++word) {
    const std::size_t begin = static_cast<std::size_t>(word) * (n + 1);
    if (word > 0 && code[begin - 1] != '*') return false;
    std::vector<bool> seen(n, false);
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::size_t letter = alphabet.find(code[begin + i]);
      if (letter == std::string_view::npos || letter >= n || seen[letter]) return false;
      seen[letter] = true;
      values[static_cast<std::size_t>(word) * n + i] = static_cast<std::int32_t>(letter);
    }
  }
  if (graph != nullptr) {
    TIntMatrix result(count, n);
    result.FillFrom(values);
    *graph = std::move(result);
  }
  return true;
}

}  // namespace

const char* CodeAlphabet() {
  static const std::string alphabet = [] {
    const std::optional<std::string_view> text = StringTableText(kAlphabetTextId);
    return std::string(text && text->size() == 26 ? *text : kFallbackAlphabet);
  }();
  return alphabet.c_str();
}

bool FindCodeLine(const char* text, TCodeLine& line) {
  if (text == nullptr) return false;
  std::string copy(text);
  BlankOutComments(copy.data());
  std::size_t start = 0;
  while (start < copy.size() && IsBlankCharacter(copy[start])) ++start;
  if (start == copy.size()) return false;
  std::size_t end = start;
  while (end < copy.size() && copy[end] != '\r' && copy[end] != '\n') ++end;
  if (end - start > kMaxCodeLineLength) return false;
  line.code.clear();
  for (std::size_t i = start; i < end; ++i) {
    if (!IsBlankCharacter(copy[i])) line.code.push_back(copy[i]);
  }
  line.start = start;
  line.end = end;
  line.lineNumber = LineNumberAt(text, start);
  return true;
}

int IsCrystallizationText(const char* text, TIntMatrix* graph) {
  TCodeLine line;
  if (!FindCodeLine(text, line)) return 0;
  const std::size_t length = line.code.size();
  if (length <= 4 || length % 3 != 2) return 0;
  const std::size_t n = (length - 2) / 3;
  if (line.code[n] != '*' || line.code[2 * n + 1] != '*') return 0;
  return ReadWords(line.code, 3, static_cast<std::uint32_t>(n), graph) ? 1 : 0;
}

int ReadGraphCodeLine(const char* text, TIntMatrix* graph, const char** next) {
  TCodeLine line;
  if (!FindCodeLine(text, line)) return 0;
  const std::size_t length = line.code.size();
  if (length <= 2 || length % 2 != 1) return 0;
  const std::size_t n = (length - 1) / 2;
  if (line.code[n] != '*') return 0;
  if (!ReadWords(line.code, 2, static_cast<std::uint32_t>(n), graph)) return 0;
  if (next != nullptr) *next = text + line.end;
  return 1;
}

std::string CrystallizationCodeText(const TIntMatrix& graph) {
  const char* alphabet = CodeAlphabet();
  std::string text;
  for (std::uint32_t r = 0; r < graph.Rows(); ++r) {
    if (r > 0) text.push_back('*');
    const std::int32_t* row = graph.Row(r);
    for (std::uint32_t i = 0; i < graph.RowLength(r); ++i) text.push_back(alphabet[row[i]]);
  }
  return text;
}

TIntMatrix CodeAdjacency(const TIntMatrix& graph) {
  const std::uint32_t words = graph.Rows();
  const std::uint32_t n = graph.Columns();
  TIntMatrix adjacency(words + 1, 2 * n);
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::int32_t even = static_cast<std::int32_t>(2 * i);
    adjacency.Row(0)[even] = even + 1;
    adjacency.Row(0)[even + 1] = even;
    for (std::uint32_t c = 1; c <= words; ++c) {
      const std::int32_t odd = 2 * graph.Row(c - 1)[i] + 1;
      adjacency.Row(c)[even] = odd;
      adjacency.Row(c)[odd] = even;
    }
  }
  return adjacency;
}

TIntMatrix AdjacencyCode(const TIntMatrix& adjacency) {
  const std::uint32_t words = adjacency.Rows() - 1;
  const std::uint32_t n = adjacency.Columns() / 2;
  TIntMatrix graph(words, n);
  for (std::uint32_t c = 1; c <= words; ++c) {
    for (std::uint32_t t = 0; t < n; ++t) graph.Row(c - 1)[t] = (adjacency.Row(c)[2 * t] - 1) / 2;
  }
  return graph;
}
