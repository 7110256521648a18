#include "support/seifert_invariants.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <regex>
#include <sstream>

std::vector<std::pair<long long, long long>> FibrePairs(const std::string& text) {
  std::vector<std::pair<long long, long long>> pairs;
  static const std::regex pair(R"(\((-?\d+),(-?\d+)\))");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pair); it != std::sregex_iterator(); ++it)
    pairs.emplace_back(std::stoll((*it)[1]), std::stoll((*it)[2]));
  return pairs;
}

namespace {

std::string NormalForm(const std::vector<std::pair<long long, long long>>& fibres, long long sign) {
  long long num = 0;
  long long den = 1;
  std::vector<std::pair<long long, long long>> exceptional;
  for (auto [a, b] : fibres) {
    b *= sign;
    // e += b / a, kept reduced.
    num = num * a + b * den;
    den *= a;
    const long long g = std::gcd(num, den);
    if (g != 0) {
      num /= g;
      den /= g;
    }
    if (a > 1) exceptional.emplace_back(a, ((b % a) + a) % a);
  }
  if (den < 0) {
    num = -num;
    den = -den;
  }
  std::sort(exceptional.begin(), exceptional.end());
  std::ostringstream out;
  out << "e=" << num << "/" << den;
  for (auto [a, b] : exceptional) out << " (" << a << "," << b << ")";
  return out.str();
}

}  // namespace

std::string SeifertKeyUpToOrientation(const std::vector<std::pair<long long, long long>>& fibres) {
  return std::min(NormalForm(fibres, 1), NormalForm(fibres, -1));
}

std::vector<std::string> SeifertHomology(const std::vector<std::pair<long long, long long>>& fibres) {
  const std::size_t n = fibres.size();
  // Rows are relations, columns the generators c_1 .. c_n, h.
  std::vector<std::vector<long long>> m(n + 1, std::vector<long long>(n + 1, 0));
  for (std::size_t i = 0; i < n; ++i) {
    m[i][i] = fibres[i].first;
    m[i][n] = fibres[i].second;
    m[n][i] = 1;
  }
  // Smith normal form by repeated row and column reduction at the pivot.
  const std::size_t size = n + 1;
  std::vector<long long> diagonal;
  for (std::size_t k = 0; k < size; ++k) {
    for (;;) {
      // The smallest non-zero entry of the remaining block goes to (k, k).
      std::size_t pr = size, pc = size;
      for (std::size_t r = k; r < size; ++r)
        for (std::size_t c = k; c < size; ++c)
          if (m[r][c] != 0 && (pr == size || std::llabs(m[r][c]) < std::llabs(m[pr][pc]))) {
            pr = r;
            pc = c;
          }
      if (pr == size) break;
      std::swap(m[k], m[pr]);
      for (auto& row : m) std::swap(row[k], row[pc]);
      bool clean = true;
      for (std::size_t r = k + 1; r < size; ++r) {
        const long long q = m[r][k] / m[k][k];
        for (std::size_t c = k; c < size; ++c) m[r][c] -= q * m[k][c];
        clean = clean && m[r][k] == 0;
      }
      for (std::size_t c = k + 1; c < size; ++c) {
        const long long q = m[k][c] / m[k][k];
        for (std::size_t r = k; r < size; ++r) m[r][c] -= q * m[r][k];
        clean = clean && m[k][c] == 0;
      }
      if (!clean) continue;
      // The pivot must divide the rest of the block; else fold a row in.
      std::size_t bad = size;
      for (std::size_t r = k + 1; r < size && bad == size; ++r)
        for (std::size_t c = k + 1; c < size; ++c)
          if (m[r][c] % m[k][k] != 0) {
            bad = r;
            break;
          }
      if (bad == size) break;
      for (std::size_t c = k; c < size; ++c) m[k][c] += m[bad][c];
    }
    diagonal.push_back(std::llabs(m[k][k]));
  }
  std::vector<std::string> summands;
  for (long long d : diagonal) {
    if (d == 1) continue;
    summands.push_back(d == 0 ? "Z" : "Z_" + std::to_string(d));
  }
  std::sort(summands.begin(), summands.end());
  return summands;
}

std::vector<std::string> HomologySummands(const std::string& text) {
  std::string body = text;
  const std::size_t eq = body.find('=');
  if (eq != std::string::npos) body = body.substr(eq + 1);
  std::vector<std::string> summands;
  std::string item;
  std::istringstream in(body);
  while (std::getline(in, item, '+')) {
    item.erase(std::remove_if(item.begin(), item.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; }),
               item.end());
    if (!item.empty() && item != "0") summands.push_back(item);
  }
  std::sort(summands.begin(), summands.end());
  return summands;
}
