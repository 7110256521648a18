// Reports that the shell composes itself: the transformation list and the
// wrapped text of the debugging dialog.
#include "shell/information_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/line_wrapping.h"
#include "shell/spine_reports.h"

namespace {

TEST(InformationCommands, TheTransformationListNumbersTheMovesWithoutGaps) {
  TDocumentSpine document;
  ASSERT_EQ(document.ParseDocumentText("1\n2\n1 2 -1 -2\n", TOptionValues{}), 1);
  TDocumentSpine::TScope scope(document);
  TSpine& spine = document.Spine();
  TOutput empty;
  PrintTransformationList(spine, empty);
  EXPECT_STREQ(empty.Text(), "\r\n\r\n") << "an empty log lists nothing";
  spine.LogEvent(3, "built");         // bookkeeping of a builder: skipped
  spine.LogEvent(7, "Collapse c1");
  spine.LogEvent(9, nullptr);         // no text: skipped
  spine.LogEvent(12, "Cell reduction e2");
  TOutput output;
  PrintTransformationList(spine, output);
  EXPECT_STREQ(output.Text(),
               "\r\nTransformation List :\r\n\r\n1 Collapse c1\r\n2 Cell reduction e2\r\n\r\n");
}

TEST(InformationCommands, LongLinesAreWrappedAtNinetyCharacters) {
  const std::string x90(90, 'x');
  struct TCase {
    std::string text;
    std::string wrapped;
  };
  const TCase cases[] = {
      {"short\nlines\r\n", "short\r\nlines\r\n"},
      {x90, x90 + "\r\n"},
      // No cut character: cut after 90.
      {x90 + "yy", x90 + "\r\nyy\r\n"},
      // A blank is dropped at the cut, another cut character starts the next piece.
      {std::string(80, 'a') + " " + std::string(20, 'b'),
       std::string(80, 'a') + "\r\n" + std::string(20, 'b') + "\r\n"},
      {std::string(80, 'a') + "{" + std::string(20, 'b'),
       std::string(80, 'a') + "\r\n{" + std::string(20, 'b') + "\r\n"},
      // The first character of the list that occurs decides, at its last place.
      {"a,b" + std::string(50, 'c') + " " + std::string(50, 'd'),
       "a,b" + std::string(50, 'c') + "\r\n" + std::string(50, 'd') + "\r\n"},
  };
  for (const TCase& c : cases) {
    TOutput output;
    WrapTextLines(output, c.text);
    EXPECT_EQ(std::string(output.Text()), c.wrapped) << c.text;
  }
}

}  // namespace
