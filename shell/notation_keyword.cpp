#include "shell/notation_keyword.h"

#include <cctype>
#include <string_view>

#include "presentations/triangulations/prepared_text.h"

namespace {

struct TKeywordRule {
  std::string_view keyword;  // lower case
  const char* notation;
  const char* rule;  // what the notation's recogniser asks beyond the keyword
};

// The recognisers of "heegaard" and "extheegaard" accept any text that begins
// with their keyword, so those never reach the cell reader.
constexpr TKeywordRule kRules[] = {
    {"link", "link", "ends with the keyword 'end'"},
    {"details", "details", "begins with the keyword 'Details', capital D"},
    {"facets", "facets", "is longer than 20 characters"},
    {"triangulation", "triangulation", "is longer than 43 characters"},
};

}  // namespace

std::optional<std::string> MisreadNotationKeyword(const char* text) {
  if (text == nullptr) return std::nullopt;
  const std::string prepared = PreparedText(text, true);
  std::size_t end = 0;
  while (end < prepared.size() && std::isalpha(static_cast<unsigned char>(prepared[end]))) ++end;
  const std::string_view word(prepared.data(), end);
  for (const TKeywordRule& rule : kRules) {
    if (word != rule.keyword) continue;
    return "The text begins with the keyword '" + std::string(rule.keyword) + "' but is no " +
           rule.notation + " text (a " + rule.notation + " text " + rule.rule +
           "), and it is not read as a cell presentation either";
  }
  return std::nullopt;
}
