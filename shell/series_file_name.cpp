#include "shell/series_file_name.h"

#include <cctype>

namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  const std::string_view tail = name.substr(name.size() - extension.size());
  for (std::size_t i = 0; i < extension.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(tail[i])) != extension[i]) return false;
  }
  return true;
}

}  // namespace

unsigned ClassifySeriesFileName(std::string_view name) {
  if (EndsWithIgnoringCase(name, ".SERIES")) return 1;
  if (EndsWithIgnoringCase(name, ".GEM")) return 2;
  if (EndsWithIgnoringCase(name, ".GRAPH")) return 3;
  return 0;
}
