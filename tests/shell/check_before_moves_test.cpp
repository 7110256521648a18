#include "shell/check_before_moves.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/message_box.h"
#include "shell/ask_many_components.h"
#include "shell/document_spine.h"

namespace {

// Without a message-box handler the first button answers (Yes, or OK), so a
// Yes/No question lets the moves go on and an OK notice stops them.
struct TCheckCase {
  const char* name;
  const char* text;
  int expected;
  const char* status;  // empty: no case applies and nothing is asked
};

const TCheckCase kCases[] = {
    // One tetrahedron: L(5,2), closed and orientable.
    {"closed orientable",
     "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n", 1, ""},
    // An even self-gluing: its dual spine has one-sided cells and does not
    // thicken, so the later cases cannot be read.
    {"not thickened",
     "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n", 1,
     "Spine is not thickenable. Continue?"},
    // Two copies of L(5,2): the moves work on each component in turn.
    {"not connected",
     "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n"
     "E1 = 1: E1_2 {1 3 2} 2: E1_1 {1 3 2} 3: E1_4 {3 2 1} 4: E1_3 {3 2 1}\n",
     1, "Spine is not connected"},
};

TEST(CheckBeforeMoves, AsksAboutSpinesTheRecognitionCannotFinish) {
  for (const TCheckCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ClearMessageBoxLog();
    TDocumentSpine document;
    document.ParseDocumentText(c.text, TOptionValues{});
    document.EnsureThickened();
    ASSERT_FALSE(document.Spine().IsEmpty());
    std::string status;
    EXPECT_EQ(CheckBeforeMoves(document.Spine(), false, false, &status), c.expected);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(MessageBoxLog().empty(), std::string(c.status).empty());
    // Once transformed, the spine was checked before its first move.
    ClearMessageBoxLog();
    EXPECT_EQ(CheckBeforeMoves(document.Spine(), true), 1);
    EXPECT_TRUE(MessageBoxLog().empty());
  }
}

TEST(CheckBeforeMoves, EmptySpineStops) {
  TDocumentSpine document;
  std::string status;
  EXPECT_EQ(CheckBeforeMoves(document.Spine(), false, false, &status), 0);
  EXPECT_EQ(status, "Unable to build special polyhedron!");
}

}  // namespace

namespace {

TEST(AskManyComponents, NamesTheCountAndReturnsTheAnswer) {
  ClearMessageBoxLog();
  EXPECT_EQ(AskManyComponents(23), TMessageResult::Ok);
  ASSERT_EQ(MessageBoxLog().size(), 1u);
  EXPECT_EQ(MessageBoxLog()[0],
            "The spine contains 23 2-components\r\nso computation may take very long "
            "time.\r\nContinue?");
  const TMessageBoxHandler previous = SetMessageBoxHandler(
      [](std::string_view, TMessageButtons buttons, TMessageIcon) {
        EXPECT_EQ(buttons, TMessageButtons::OkCancel);
        return TMessageResult::Cancel;
      });
  EXPECT_EQ(AskManyComponents(20), TMessageResult::Cancel);
  SetMessageBoxHandler(previous);
}

}  // namespace
