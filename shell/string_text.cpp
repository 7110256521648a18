#include "shell/string_text.h"

#include "foundation/string_table.h"

std::string StringText(int id) {
  auto text = StringTableText(id);
  return text ? std::string(*text) : std::string();
}
