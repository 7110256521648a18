#include "model/homology_normal_form.h"

#include <algorithm>

THomologyNormalForm HomologyNormalForm(std::span<const std::int32_t> list) {
  THomologyNormalForm form;
  for (std::int32_t entry : list) {
    std::int64_t n = entry < 0 ? -static_cast<std::int64_t>(entry) : entry;
    if (n == 0) {
      ++form.freeRank;
      continue;
    }
    for (std::int64_t p = 2; p * p <= n; ++p) {
      int exponent = 0;
      while (n % p == 0) {
        n /= p;
        ++exponent;
      }
      if (exponent > 0) form.primePowers.emplace_back(p, exponent);
    }
    if (n > 1) form.primePowers.emplace_back(n, 1);
  }
  std::sort(form.primePowers.begin(), form.primePowers.end());
  return form;
}

int HomologyGroupsEqual(std::span<const std::int32_t> a, std::span<const std::int32_t> b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty() ? 1 : 0;
  return HomologyNormalForm(a) == HomologyNormalForm(b) ? 1 : 0;
}
