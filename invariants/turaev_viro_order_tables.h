// The constants of the Turaev-Viro state sum of one order r.
//
// With q = exp(i pi/r) the quantum integer [n] = (q^n - q^-n)/(q - q^-1) =
// sin(n pi/r)/sin(pi/r) lies in the real cyclotomic field of order r: [n] is
// s_1 + s_3 + .. + s_(n-1) for even n and 1 + s_2 + .. + s_(n-1) for odd n,
// [r - n] = [n], [0] = [r] = 0. Colours run over 0..r-2; a triple (a, b, c) is
// admissible when it satisfies the triangle inequalities, a + b + c is even
// and a + b + c <= 2r - 4.
//
// For the state sum we need, besides [n], [n]! and their inverses:
//  - the triangle weight F(a, b, c) = [s-a]! [s-b]! [s-c]! / [s+1]!, with s =
//    (a+b+c)/2, for an admissible triple; it is positive, and its square root
//    Delta(a, b, c) is the usual triangle coefficient;
//  - the Racah sum of an admissible 6-tuple (i, j, k, l, m, n) whose triples
//    (i,j,k), (i,m,n), (j,l,n), (k,l,m) are admissible:
//      S = sum_z (-1)^z [z+1]! / ( prod_t [z - T_t]! prod_q [Q_q - z]! ),
//    z from max T to min Q, terms with z + 1 >= r dropped, with the triangle
//    sums T_t (half the sum of a triple) and the quadrilateral sums Q1 =
//    (i+j+l+m)/2, Q2 = (i+k+l+n)/2, Q3 = (j+k+m+n)/2.
// The symmetric tetrahedral symbol is S times the four Deltas; it lies outside
// the field, and TetrahedralSymbol gives it with those square roots booked as
// a quantum-monomial form.
//
// The inverse factorials are computed exactly by solving the linear system of
// multiplication by [k]! in the field (TCyclotomicNumber::Inverted). The
// triangle weights are tabulated at construction; the Racah sums are made on
// first use and kept, so that memory grows with the 6-tuples a spine actually
// meets, never with the (r-1)^6 possible ones (11.4 million at order 16).
//
// An object is used by one thread at a time (the Racah cache fills lazily).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "invariants/cyclotomic_number.h"

class TTuraevViroOrderTables : public TQuantumIntegerSource {
 public:
  static constexpr int kFirstOrder = 3;
  static constexpr int kLastOrder = 16;

  // Builds the tables of order r (kFirstOrder..kLastOrder; std::out_of_range
  // otherwise). Polls the stop flag while it builds.
  explicit TTuraevViroOrderTables(int r);

  int Order() const { return order_; }
  int ColourCount() const { return order_ - 1; }

  // [n], 0 <= n <= r.
  const TCyclotomicNumber& QuantumIntegerAt(int n) const { return quantumIntegers_[Index(n)]; }
  // [n]!, 0 <= n <= r ([r]! = 0).
  const TCyclotomicNumber& QuantumFactorial(int n) const { return factorials_[Index(n)]; }
  // 1/[k+1]!, 0 <= k <= r - 2.
  const TCyclotomicNumber& InverseQuantumFactorial(int k) const {
    return inverseFactorials_[Index(k)];
  }
  // 1/[i], 1 <= i <= r - 1.
  const TCyclotomicNumber& InverseQuantumIntegerAt(int i) const {
    return inverseIntegers_[Index(i)];
  }

  // TQuantumIntegerSource, for this order only (std::out_of_range otherwise).
  const TCyclotomicNumber& QuantumInteger(int r, int k) const override;
  const TCyclotomicNumber& InverseQuantumInteger(int r, int k) const override;

  bool IsAdmissibleTriple(int a, int b, int c) const;
  // F(a, b, c) of an admissible triple.
  const TCyclotomicNumber& TriangleWeight(int a, int b, int c) const {
    return triangleWeights_[Index((a * ColourCount() + b) * ColourCount() + c)];
  }
  // The Racah sum S of an admissible 6-tuple (see above); made on first use.
  const TCyclotomicNumber& RacahSum(int i, int j, int k, int l, int m, int n);
  // S times Delta(i,j,k) Delta(i,m,n) Delta(j,l,n) Delta(k,l,m): the
  // symmetric tetrahedral symbol, with its remaining square roots as a form.
  TCyclotomicNumber TetrahedralSymbol(int i, int j, int k, int l, int m, int n);
  // Number of Racah sums made so far.
  std::size_t CachedRacahSums() const { return racahSums_.size(); }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  TCyclotomicNumber ComputeRacahSum(int i, int j, int k, int l, int m, int n) const;

  int order_;
  std::vector<TCyclotomicNumber> quantumIntegers_;
  std::vector<TCyclotomicNumber> factorials_;
  std::vector<TCyclotomicNumber> inverseFactorials_;
  std::vector<TCyclotomicNumber> inverseIntegers_;
  std::vector<TCyclotomicNumber> triangleWeights_;
  std::unordered_map<std::uint32_t, TCyclotomicNumber> racahSums_;
};
