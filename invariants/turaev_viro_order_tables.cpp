#include "invariants/turaev_viro_order_tables.h"

#include <algorithm>
#include <stdexcept>

#include "foundation/stop_poll.h"

TTuraevViroOrderTables::TTuraevViroOrderTables(int r) : order_(r) {
  if (r < kFirstOrder || r > kLastOrder) throw std::out_of_range("Turaev-Viro order out of range");
  quantumIntegers_.assign(Index(r + 1), TCyclotomicNumber(r));
  quantumIntegers_[1].SetInt64(1);
  quantumIntegers_[Index(r - 1)].SetInt64(1);
  for (int n = 2; n <= r / 2; ++n) {
    // Summed slot by slot, since a dependent slot is rewritten as it is set.
    TCyclotomicNumber sum(r);
    for (int k = n % 2 == 0 ? 1 : 0; k < n; k += 2) {
      TCyclotomicNumber slot(r);
      slot.SetCoefficientInt64(k, 1);
      sum.Add(slot);
    }
    quantumIntegers_[Index(n)] = sum;
    quantumIntegers_[Index(r - n)] = sum;
  }

  factorials_.assign(Index(r + 1), TCyclotomicNumber(r, 1));
  for (int n = 2; n < r; ++n) {
    factorials_[Index(n)] = factorials_[Index(n - 1)];
    factorials_[Index(n)].Multiply(quantumIntegers_[Index(n)]);
  }
  factorials_[Index(r)].SetInt64(0);

  inverseFactorials_.reserve(Index(r - 1));
  for (int k = 0; k <= r - 2; ++k) {
    ThrowIfStopRequested();
    inverseFactorials_.push_back(factorials_[Index(k + 1)].Inverted());
  }

  inverseIntegers_.assign(Index(r + 1), TCyclotomicNumber(r));
  for (int i = 1; i <= r - 1; ++i) {
    TCyclotomicNumber inverse = factorials_[Index(i - 1)];
    inverse.Multiply(inverseFactorials_[Index(i - 1)]);
    inverseIntegers_[Index(i)] = inverse;
  }

  const int colours = ColourCount();
  triangleWeights_.assign(Index(colours * colours * colours), TCyclotomicNumber(r));
  for (int a = 0; a < colours; ++a) {
    for (int b = 0; b < colours; ++b) {
      for (int c = 0; c < colours; ++c) {
        if (!IsAdmissibleTriple(a, b, c)) continue;
        const int s = (a + b + c) / 2;
        TCyclotomicNumber w = factorials_[Index(s - a)];
        w.Multiply(factorials_[Index(s - b)]);
        w.Multiply(factorials_[Index(s - c)]);
        w.Multiply(inverseFactorials_[Index(s)]);
        triangleWeights_[Index((a * colours + b) * colours + c)] = std::move(w);
      }
    }
  }
}

const TCyclotomicNumber& TTuraevViroOrderTables::QuantumInteger(int r, int k) const {
  if (r != order_ || k < 0 || k > r) throw std::out_of_range("quantum integer out of range");
  return quantumIntegers_[Index(k)];
}

const TCyclotomicNumber& TTuraevViroOrderTables::InverseQuantumInteger(int r, int k) const {
  if (r != order_ || k < 1 || k > r - 1) throw std::out_of_range("quantum integer out of range");
  return inverseIntegers_[Index(k)];
}

bool TTuraevViroOrderTables::IsAdmissibleTriple(int a, int b, int c) const {
  return a + b >= c && b + c >= a && a + c >= b && (a + b + c) % 2 == 0 &&
         a + b + c <= 2 * order_ - 4;
}

const TCyclotomicNumber& TTuraevViroOrderTables::RacahSum(int i, int j, int k, int l, int m,
                                                          int n) {
  const std::uint32_t b = static_cast<std::uint32_t>(ColourCount());
  std::uint32_t key = 0;
  for (int c : {i, j, k, l, m, n}) key = key * b + static_cast<std::uint32_t>(c);
  auto found = racahSums_.find(key);
  if (found != racahSums_.end()) return found->second;
  return racahSums_.emplace(key, ComputeRacahSum(i, j, k, l, m, n)).first->second;
}

TCyclotomicNumber TTuraevViroOrderTables::ComputeRacahSum(int i, int j, int k, int l, int m,
                                                          int n) const {
  const int t[4] = {(i + j + k) / 2, (i + m + n) / 2, (j + l + n) / 2, (k + l + m) / 2};
  const int q[3] = {(i + j + l + m) / 2, (i + k + l + n) / 2, (j + k + m + n) / 2};
  const int from = *std::max_element(t, t + 4);
  const int to = *std::min_element(q, q + 3);
  TCyclotomicNumber sum(order_);
  for (int z = from; z <= to; ++z) {
    if (z + 1 >= order_) break;
    TCyclotomicNumber term = factorials_[Index(z + 1)];
    for (int tt : t) {
      if (z - tt >= 1) term.Multiply(inverseFactorials_[Index(z - tt - 1)]);
    }
    for (int qq : q) {
      if (qq - z >= 1) term.Multiply(inverseFactorials_[Index(qq - z - 1)]);
    }
    if (z % 2 != 0) term = term.Negated();
    sum.Add(term);
  }
  return sum;
}

TCyclotomicNumber TTuraevViroOrderTables::TetrahedralSymbol(int i, int j, int k, int l, int m,
                                                            int n) {
  TCyclotomicNumber symbol = RacahSum(i, j, k, l, m, n);
  TQuantumMonomial deltas(order_);
  deltas.SetConstant(1);
  const int triples[4][3] = {{i, j, k}, {i, m, n}, {j, l, n}, {k, l, m}};
  for (const auto& triple : triples) {
    const int a = triple[0], b = triple[1], c = triple[2];
    const int s = (a + b + c) / 2;
    deltas.MultiplyBySqrtQuantumFactorial(static_cast<unsigned>(s - a));
    deltas.MultiplyBySqrtQuantumFactorial(static_cast<unsigned>(s - b));
    deltas.MultiplyBySqrtQuantumFactorial(static_cast<unsigned>(s - c));
    deltas.DivideBySqrtQuantumFactorial(static_cast<unsigned>(s + 1));
  }
  symbol.SetMonomialForm(&deltas, *this);
  return symbol;
}
