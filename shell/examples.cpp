#include "shell/examples.h"

#include <string>

#include "foundation/embedded_resources.h"

namespace {

constexpr TExample kExamples[] = {
    {133, 1, "&1 How to perform recognition"},
    {134, 2, "&2 The three modes of recognition"},
    {135, 3, "&3 Three styles of presenting special spines"},
    {136, 4, "&4 Complement of a knot and surgery on a knot"},
    {137, 5, "&5 Complement of a link and surgery on a link"},
    {138, 6, "&6 Genuine triangulation"},
    {139, 7, "&7 Singular triangulation"},
    {140, 8, "&8 Gluing of polyhedra"},
    {141, 9, "&9 Crystallization"},
    {142, 10, "1&0 Heegaard diagrams of genus 2"},
    {143, 11, "11 &Extended Heegaard diagrams of genus 2"},
    {144, 12, "12 &Dehydrated Description"},
};

}  // namespace

std::span<const TExample> Examples() { return kExamples; }

const TExample* FindExampleCommand(int commandId) {
  for (const TExample& example : kExamples) {
    if (example.commandId == commandId) return &example;
  }
  return nullptr;
}

std::optional<std::string_view> ExampleText(int number) {
  if (number < 1 || number > 99) return std::nullopt;
  const std::string name = (number < 10 ? "examples/0" : "examples/") + std::to_string(number) + ".txt";
  return FindEmbeddedResource(name);
}

std::string ExampleDocumentTitle(std::string_view menuText) {
  std::string title;
  if (menuText.size() > 3) {
    for (char c : menuText.substr(3)) {
      if (c != '&') title += c;
    }
  }
  const auto first = title.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = title.find_last_not_of(' ');
  return title.substr(first, last - first + 1);
}
