// The link writer: a parsed diagram back in the link text format, which the
// reader reads to the same diagram (signs written out, partner points of a
// surface diagram included).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/output.h"
#include "foundation/string_table.h"
#include "presentations/links/link.h"

void PrintLink(TOutput& output, const TLink& link) {
  auto keyword = [](int k) {
    std::optional<std::string_view> text = StringTableText(kLinkKeywordBase + k);
    return std::string(text ? *text : std::string_view());
  };
  std::string line = keyword(0);
  if (link.IsOnTorus()) line += "  T^2";
  if (link.IsOnKleinBottle()) line += " K^2";
  output.Append(line.c_str());
  output.NewLines(1);
  int n = link.CrossingCount();
  line = keyword(2) + " " + std::to_string(n);
  output.Append(line.c_str());
  output.NewLines(1);
  if (n != 0) {
    line = keyword(3);
    for (int x = 1; x <= n; ++x) line += " " + std::to_string(link.CrossingSign(x));
    output.Append(line.c_str());
    output.NewLines(1);
    for (int i = 0; i < link.ComponentCount(); ++i) {
      line = keyword(4);
      int length = link.CodeLength(i, 0);
      for (int k = 0; k < length; ++k) {
        const TLinkCodeEntry* entry = link.CodeEntry(i, k, 0);
        if (entry->kind == 1) {
          line += " " + std::to_string(entry->number);
        } else {
          line += " ";
          line += SideLetter(entry->side);
          line += std::to_string(static_cast<unsigned>(entry->number));
        }
      }
      output.Append(line.c_str());
      output.NewLines(1);
      std::int16_t p = 0;
      std::int16_t q = 0;
      if (link.Framing(i, p, q) != 0 && (p != 0 || q != 0)) {
        line = keyword(6) + " " + std::to_string(p);
        if (q != 1) line += "/" + std::to_string(q);
        output.Append(line.c_str());
        output.NewLines(1);
      }
    }
  }
  output.Append(keyword(1).c_str());
  output.NewLines(1);
}
