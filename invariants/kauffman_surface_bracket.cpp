// The two-variable bracket of a diagram on a torus or a Klein bottle (see
// kauffman_bracket.h). The states are counted by their number of A-smoothings,
// their number of trivial loops and the z-factor of their essential loops, so
// the polynomial arithmetic runs once per kind of state, not once per state.
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "invariants/bracket_polynomial.h"
#include "invariants/kauffman_bracket.h"
#include "invariants/kauffman_states.h"
#include "invariants/link_invariant_stop.h"
#include "presentations/links/link.h"

void ComputeBracketPolynomial(TBracketPolynomial& result, const TLink& link,
                              const std::atomic<int>* stopFlag) {
  const TSmoothingDiagram diagram(link);
  const int n = diagram.CrossingCount();
  const int mode = result.HomologyMode();
  const bool kleinBottle = link.IsOnKleinBottle() != 0;

  // The states by (A-smoothings, trivial loops, rows of z): the number of
  // states of each kind. Rows are (power, class) in the monomial's order.
  using TKey = std::tuple<int, int, std::vector<std::int32_t>>;
  std::map<TKey, std::uint64_t> count;
  std::vector<std::uint8_t> digits(static_cast<std::size_t>(n), 0);
  std::vector<std::uint8_t> visited;
  std::vector<TLoopClass> classes;
  // Each state costs a walk over the n crossings: poll by that weight.
  TLinkInvariantStop poll(stopFlag);
  poll.Check();
  int k = 0;
  for (;;) {
    poll.Steps(static_cast<unsigned>(n) + 1);
    diagram.CountLoops(digits, visited, &classes);
    TBracketMonomial rows(2);
    rows.SetFlag(mode);
    int trivial = 0;
    for (TLoopClass cls : classes) {
      if (IsTrivialSurfaceLoop(cls, kleinBottle)) {
        ++trivial;
        continue;
      }
      const int row = rows.FindRow(cls.data());
      if (row >= 0) {
        rows.SetRow(row, rows.GetExponents(row) + 1);
      } else {
        rows.AddExponentRow(1, cls.data());
      }
    }
    std::vector<std::int32_t> flat;
    for (int r = 0; r < rows.ExponentRows(); ++r) {
      std::int32_t cls[2] = {0, 0};
      flat.push_back(rows.GetExponents(r, cls));
      flat.push_back(cls[0]);
      flat.push_back(cls[1]);
    }
    ++count[TKey{k, trivial, std::move(flat)}];
    int i = n - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == 1) {
      digits[static_cast<std::size_t>(i)] = 0;
      --k;
      --i;
    }
    if (i < 0) break;
    digits[static_cast<std::size_t>(i)] = 1;
    ++k;
  }

  TBracketPolynomial d(2);
  d.SetHomologyMode(mode);
  d.SetVariableLetter(0, result.VariableLetter(0));
  d.SetVariableLetter(1, result.VariableLetter(1));
  TBracketMonomial term(2);
  term.SetFlag(mode);
  term.SetCoefficient(-1);
  term.SetExponent(-2);
  d.AddMonomial(term);
  term.SetExponent(2);
  d.AddMonomial(term);

  TBracketPolynomial sum = d;
  sum.Clear();
  std::vector<TBracketPolynomial> powers;
  for (const auto& [key, states] : count) {
    const auto& [a, trivial, flat] = key;
    while (powers.size() <= static_cast<std::size_t>(trivial)) {
      TBracketPolynomial next = d;
      if (powers.empty()) {
        next.SetConstant(1);
      } else {
        next = powers.back();
        next.Multiply(d);
      }
      powers.push_back(std::move(next));
    }
    TBracketMonomial monomial(2);
    monomial.SetFlag(mode);
    monomial.SetCoefficient(static_cast<std::int64_t>(states));
    monomial.SetExponent(2 * a - n);
    for (std::size_t r = 0; r < flat.size(); r += 3) {
      monomial.AddExponentRow(flat[r], &flat[r + 1]);
    }
    TBracketPolynomial part = powers[static_cast<std::size_t>(trivial)];
    part.MultiplyByMonomial(monomial);
    sum.AddPolynomial(part);
  }
  const TLaurentTerm factor = WritheFactor(link.SignSum(2));
  TBracketMonomial writhe(2);
  writhe.SetFlag(mode);
  writhe.SetCoefficient(factor.coefficient);
  writhe.SetExponent(factor.exponent);
  sum.MultiplyByMonomial(writhe);
  result = std::move(sum);
}
