// Progress lines of the surface searches (see surface_search_progress.h).
#include "invariants/surface_search_progress.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/status_reporter.h"
#include "foundation/string_table.h"

namespace {

void Show(int id, unsigned first, int degree, std::uint64_t j) {
  const std::optional<std::string_view> format = StringTableText(id);
  if (!format) return;
  const std::string text(*format);
  char line[160];
  std::snprintf(line, sizeof line, text.c_str(), first, static_cast<unsigned>(degree),
                static_cast<unsigned>(j));
  ShowStatusText(line);
}

}  // namespace

bool SurfaceProgressDue(std::uint64_t j) {
  return j < 1000 || (j < 10000 && j % 1000 == 0) || j % 10000 == 0;
}

void ShowSurfaceSearchProgress(std::uint64_t surfaces, int degree, std::uint64_t j) {
  if (SurfaceProgressDue(j)) Show(9342, static_cast<unsigned>(surfaces), degree, j);
}

void ShowNormalTorusProgress(int variant, int degree, std::uint64_t j) {
  if (SurfaceProgressDue(j)) Show(9343, static_cast<unsigned>(variant), degree, j);
}
