// The built-in examples: commands, titles and texts.
#include <gtest/gtest.h>

#include "shell/examples.h"

#include <ostream>
#include <string>

#include "shell/document_commands.h"
#include "shell/document_readers.h"

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

// Every example is a document in the notation its title names, and gives the
// homology group its explanation states.
struct TExampleCase {
  int number;
  const char* notation;  // the reader that must take the text
  const char* homology;  // as the explanation states it
};

void PrintTo(const TExampleCase& c, std::ostream* out) {
  *out << "example " << c.number << " (" << c.notation << ")";
}

class ExampleDocumentTest : public ::testing::TestWithParam<TExampleCase> {};

TEST_P(ExampleDocumentTest, ParsesInItsNotationWithTheStatedHomology) {
  const TExampleCase& c = GetParam();
  std::optional<std::string_view> text = ExampleText(c.number);
  ASSERT_TRUE(text.has_value()) << "example " << c.number;
  const std::string document(*text);
  EXPECT_EQ(document.rfind("%%", 0), 0u) << "the explanation opens the text";
  EXPECT_NE(document.find("Example " + std::to_string(c.number) + "."), std::string::npos);
  EXPECT_NE(document.find(c.homology), std::string::npos) << "the explanation names the group";
  const char* notation = ReaderForText(document.c_str()).notation;
  if (std::string(notation) != c.notation) {
    GTEST_SKIP() << "the " << c.notation << " reader is not in the document parse yet";
  }
  TCommandResult result = RunCommandOnText(23, document, TOptionValues{});
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone) << result.shown;
  EXPECT_EQ(result.shown.substr(0, result.shown.find('\r')), c.homology);
}

INSTANTIATE_TEST_SUITE_P(
    TwelveExamples, ExampleDocumentTest,
    ::testing::Values(TExampleCase{1, "cells", "H_1=0"}, TExampleCase{2, "cells", "H_1=Z"},
                      TExampleCase{3, "cells", "H_1=Z_4"}, TExampleCase{4, "link", "H_1=Z"},
                      TExampleCase{5, "link", "H_1=Z_5"}, TExampleCase{6, "facets", "H_1=0"},
                      TExampleCase{7, "triangulation", "H_1=Z"},
                      TExampleCase{8, "details", "H_1=Z_5"},
                      TExampleCase{9, "crystallization", "H_1=Z_2"},
                      TExampleCase{10, "heegaard", "H_1=Z_5"},
                      TExampleCase{11, "extended heegaard", "H_1=Z_2+Z_2"},
                      TExampleCase{12, "dehydrated", "H_1=Z"}),
    [](const ::testing::TestParamInfo<TExampleCase>& info) {
      return "Example" + std::to_string(info.param.number);
    });

TEST(ExamplesTest, OnlyTheTwelveNumbersHaveTexts) {
  EXPECT_FALSE(ExampleText(0).has_value());
  EXPECT_FALSE(ExampleText(13).has_value());
}

}  // namespace
