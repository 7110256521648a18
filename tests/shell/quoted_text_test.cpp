#include "shell/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QuotedText, EscapesWhatATerminalWouldObeyAndCutsLongTexts) {
  struct TCase {
    std::string text;
    std::string quoted;
  };
  const TCase cases[] = {
      {"plain text", "plain text"},
      {"tab\tcr\rlf\n", "tab\\tcr\\rlf\\n"},
      {"\x1b[2J\x07\x7f", "\\x1B[2J\\x07\\x7F"},
      {std::string("nul\0byte", 8), "nul\\x00byte"},
      {"caf\xc3\xa9 \xe2\x88\x82", "caf\xc3\xa9 \xe2\x88\x82"},  // UTF-8 stays
      {"\xc2\x9b" "31m", "\\xC2\\x9B31m"},                         // C1 control
      {"\xff\xfe\xc3", "\\xFF\\xFE\\xC3"},                         // not UTF-8
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},                         // a surrogate
      {std::string(41, 'x'), std::string(40, 'x') + "..."},
      {std::string(40, 'x'), std::string(40, 'x')},
  };
  for (const TCase& c : cases) EXPECT_EQ(QuotedText(c.text), c.quoted) << c.text;
  // The limit counts characters, not bytes or escapes.
  EXPECT_EQ(QuotedText("\n\n\n\n", 3), "\\n\\n\\n...");
  EXPECT_EQ(QuotedText("\xc3\xa9\xc3\xa9\xc3\xa9", 2), "\xc3\xa9\xc3\xa9...");
}

}  // namespace
