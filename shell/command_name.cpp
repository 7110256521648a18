#include "shell/command_name.h"

std::string CommandNameFromCaption(std::string_view caption) {
  // The accelerator text follows a tab and is not part of the name.
  std::size_t tab = caption.find('\t');
  if (tab != std::string_view::npos) caption = caption.substr(0, tab);

  std::string name;
  bool pendingDash = false;
  for (char c : caption) {
    if (c == '&' || c == '.') continue;
    if (c == ' ') {
      pendingDash = !name.empty();
      continue;
    }
    if (pendingDash) name += '-';
    pendingDash = false;
    name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name;
}
