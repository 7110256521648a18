#include "presentations/triangulations/prepared_text.h"

#include "foundation/comment_rules.h"

std::string PreparedText(std::string_view text, bool lowerCase) {
  std::string copy(text);
  // The comment rules stop at a NUL, so a text is only what comes before one.
  copy.resize(std::char_traits<char>::length(copy.c_str()));
  BlankOutComments(copy.data());
  CollapseWhitespace(copy.data(), nullptr);
  copy.resize(std::char_traits<char>::length(copy.c_str()));
  if (lowerCase) {
    for (char& c : copy) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return copy;
}
