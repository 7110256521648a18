// The twelve worked examples built into the program.
//
// Each example is a document text kept as the resource "examples/NN.txt"
// (NN = 01..12) and offered by a command of its own. An example whose text is
// not in this build is not offered.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct TExample {
  int commandId;               // 133..144
  int number;                  // 1..12
  std::string_view menuText;   // with its mnemonic
};

std::span<const TExample> Examples();

// The example of a command id, or null.
const TExample* FindExampleCommand(int commandId);

// The document text of example number n, or nothing when this build has none.
std::optional<std::string_view> ExampleText(int number);

// The title of the document that shows an example: the menu text from its
// fourth character on ("&1 How to perform recognition" gives "How to perform
// recognition"), without mnemonic marks and outer blanks.
std::string ExampleDocumentTitle(std::string_view menuText);
