#include "shell/command_line_info.h"

#include <algorithm>
#include <cctype>

#include "foundation/text_scanners.h"

namespace {
constexpr std::size_t kLongestParameter = 1024;
}  // namespace

int MenuModeOfNumber(int number) { return number == 0 || number == 1 ? number : 2; }

void TCommandLineInfo::ParseParam(std::string_view parameter, bool isFlag, bool /*isLast*/) {
  std::string lowered(parameter.substr(0, std::min(parameter.size(), kLongestParameter)));
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  int number = 0;
  if (FindNamedInteger(number, "reduce", lowered.c_str(), 1) != 0) {
    menuMode = MenuModeOfNumber(number);
    return;
  }
  if (!isFlag && fileName.empty()) fileName = std::string(parameter);
}
