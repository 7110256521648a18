#include "invariants/kauffman_bracket.h"

#include <cstdint>
#include <vector>

#include "invariants/link_invariant_stop.h"
#include "invariants/kauffman_states.h"
#include "presentations/links/link.h"

TLaurentTerm WritheFactor(int w) {
  return {(w % 2 == 0) ? 1 : -1, -3 * w};
}

void ComputeKauffmanBracket(TLaurentPolynomial& result, const TLink& link,
                            const std::atomic<int>* stopFlag) {
  const TSmoothingDiagram diagram(link);
  const int n = diagram.CrossingCount();
  const int maxLoops = n + diagram.FreeLoopCount() + 1;
  // count[k][L]: the number of states with k A-smoothings and L loops. The
  // polynomial arithmetic is done once per pair, not once per state.
  std::vector<std::vector<std::uint64_t>> count(static_cast<std::size_t>(n) + 1,
                                                std::vector<std::uint64_t>(static_cast<std::size_t>(maxLoops) + 1, 0));
  std::vector<std::uint8_t> digits(static_cast<std::size_t>(n), 0);
  std::vector<std::uint8_t> visited;
  // Each state costs a walk over the n crossings: poll by that weight.
  TLinkInvariantStop poll(stopFlag);
  poll.Check();
  int k = 0;
  for (;;) {
    poll.Steps(static_cast<unsigned>(n) + 1);
    const int loops = diagram.CountLoops(digits, visited);
    ++count[static_cast<std::size_t>(k)][static_cast<std::size_t>(loops)];
    // The next state: the binary odometer, last digit fastest.
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

  TLaurentPolynomial d;
  d.AddTerm({-1, -2});
  d.AddTerm({-1, 2});
  std::vector<TLaurentPolynomial> powers(1);
  powers[0].SetConstant(1);
  TLaurentPolynomial sum;
  sum.SetConstant(0);
  for (int a = 0; a <= n; ++a) {
    for (int loops = 1; loops <= maxLoops; ++loops) {
      const std::uint64_t states = count[static_cast<std::size_t>(a)][static_cast<std::size_t>(loops)];
      if (states == 0) continue;
      while (powers.size() < static_cast<std::size_t>(loops)) {
        TLaurentPolynomial next = powers.back();
        next.Multiply(d);
        powers.push_back(std::move(next));
      }
      TLaurentPolynomial term = powers[static_cast<std::size_t>(loops) - 1];
      term.MultiplyByTerm({static_cast<std::int64_t>(states), 2 * a - n});
      sum.Add(term);
    }
  }
  sum.MultiplyByTerm(WritheFactor(link.SignSum(2)));
  result = std::move(sum);
}
