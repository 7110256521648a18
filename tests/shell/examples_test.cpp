// The built-in examples: commands, titles and texts.
#include <gtest/gtest.h>

#include "shell/examples.h"

namespace {

TEST(ExamplesTest, TwelveExamplesWithTheirCommandsAndTitles) {
  ASSERT_EQ(Examples().size(), 12u);
  for (int n = 1; n <= 12; ++n) {
    const TExample* example = FindExampleCommand(132 + n);
    ASSERT_NE(example, nullptr);
    EXPECT_EQ(example->number, n);
  }
  EXPECT_EQ(FindExampleCommand(132), nullptr);
  EXPECT_EQ(FindExampleCommand(145), nullptr);

  EXPECT_EQ(ExampleDocumentTitle("&1 How to perform recognition"), "How to perform recognition");
  EXPECT_EQ(ExampleDocumentTitle("1&0 Heegaard diagrams of genus 2"),
            "Heegaard diagrams of genus 2");
  EXPECT_EQ(ExampleDocumentTitle("11 &Extended Heegaard diagrams of genus 2"),
            "Extended Heegaard diagrams of genus 2");
  EXPECT_EQ(ExampleDocumentTitle("&1"), "");
}

TEST(ExamplesTest, OnlyTheTwelveNumbersHaveTexts) {
  EXPECT_FALSE(ExampleText(0).has_value());
  EXPECT_FALSE(ExampleText(13).has_value());
}

}  // namespace
