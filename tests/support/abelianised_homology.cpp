#include "tests/support/abelianised_homology.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

std::string AbelianisedHomology(const TGroupPresentation& p) {
  const int n = p.GeneratorCount();
  std::vector<std::vector<long long>> m;
  for (int j = 0; j < p.RelationCount(); ++j) {
    std::vector<long long> row(static_cast<std::size_t>(n), 0);
    for (std::int32_t letter : p.Relation(j)) {
      const auto at = std::find(p.Generators().begin(), p.Generators().end(), std::abs(letter));
      row[static_cast<std::size_t>(at - p.Generators().begin())] += letter > 0 ? 1 : -1;
    }
    m.push_back(row);
  }
  // Smith normal form by gcd steps on the leading block.
  std::vector<long long> diagonal;
  const int rows = static_cast<int>(m.size());
  for (int k = 0; k < std::min(rows, n); ++k) {
    for (;;) {
      int pr = -1, pc = -1;
      for (int r = k; r < rows; ++r)
        for (int c = k; c < n; ++c)
          if (m[r][c] != 0 && (pr < 0 || std::llabs(m[r][c]) < std::llabs(m[pr][pc]))) pr = r, pc = c;
      if (pr < 0) break;
      std::swap(m[k], m[pr]);
      for (auto& row : m) std::swap(row[k], row[pc]);
      bool clean = true;
      for (int r = k + 1; r < rows; ++r) {
        const long long q = m[r][k] / m[k][k];
        for (int c = k; c < n; ++c) m[r][c] -= q * m[k][c];
        clean = clean && m[r][k] == 0;
      }
      for (int c = k + 1; c < n; ++c) {
        const long long q = m[k][c] / m[k][k];
        for (int r = k; r < rows; ++r) m[r][c] -= q * m[r][k];
        clean = clean && m[k][c] == 0;
      }
      if (!clean) continue;
      bool divides = true;
      for (int r = k + 1; r < rows && divides; ++r)
        for (int c = k + 1; c < n; ++c)
          if (m[r][c] % m[k][k] != 0) {
            for (int cc = k; cc < n; ++cc) m[k][cc] += m[r][cc];
            divides = false;
            break;
          }
      if (divides) break;
    }
    if (k < rows && m[k][k] != 0) diagonal.push_back(std::llabs(m[k][k]));
  }
  const int free = n - static_cast<int>(diagonal.size());
  std::string text;
  for (int i = 0; i < free; ++i) text += text.empty() ? "Z" : "+Z";
  for (long long d : diagonal) {
    if (d == 1) continue;
    text += (text.empty() ? "Z_" : "+Z_") + std::to_string(d);
  }
  return text.empty() ? "0" : text;
}

