// The help page beside the programs documents every menu command.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "shell/command_table.h"

namespace {

// A caption as the page writes it: without the mnemonic and the key text.
std::string PlainCaption(std::string_view caption) {
  caption = caption.substr(0, caption.find('\t'));
  std::string text;
  for (char c : caption) {
    if (c != '&') text += c;
  }
  return text;
}

TEST(HelpPage, DocumentsEveryCommandAndTheTuraevViroNotation) {
  std::ifstream in(std::string(SORVELIN_BINARY_DIR) + "/Help/index.htm");
  ASSERT_TRUE(in) << "the build copies the help page beside the programs";
  std::stringstream page;
  page << in.rdbuf();
  const std::string text = page.str();
  for (const TCommand& command : Commands()) {
    if (command.caption.empty() || command.id == kStopCommand) continue;
    const std::string caption = PlainCaption(command.caption);
    EXPECT_NE(text.find(caption), std::string::npos) << command.id << " " << caption;
  }
  EXPECT_NE(text.find("id=\"tv\">Turaev-Viro Invariants</h2>"), std::string::npos);
  for (const char* keyword : {"heegaard", "extheegaard", "triangulation", "facets", "Details",
                              "link", "cabbbbaei", "badc*cdab*dcba"}) {
    EXPECT_NE(text.find(keyword), std::string::npos) << keyword;
  }
}

}  // namespace
