#include <benchmark/benchmark.h>

#include <string>

#include "invariants/alexander_polynomial.h"
#include "invariants/casson_walker.h"
#include "invariants/kauffman_bracket.h"
#include "presentations/links/link.h"

// The closure of the 2-braid sigma^n: the torus knot T(2, n) for odd n, a
// two-component torus link for even n. The Gauss code alternates over and
// under along each strand.
static std::string TorusLinkText(int n) {
  std::string text = "link";
  if (n % 2 == 1) {
    text += " code";
    for (int k = 0; k < 2 * n; ++k) {
      const int x = k % n + 1;
      text += " " + std::to_string(k % 2 == 0 ? x : -x);
    }
  } else {
    for (int strand = 0; strand < 2; ++strand) {
      text += " code";
      for (int k = 0; k < n; ++k) {
        const int x = k + 1;
        text += " " + std::to_string((k + strand) % 2 == 0 ? x : -x);
      }
      text += " framing " + std::to_string(strand + 1);
    }
  }
  return text + " end";
}

// 2^n states, each walked in O(n).
static void BM_KauffmanBracketTorusLink(benchmark::State& state) {
  TLink link;
  link.Parse(TorusLinkText(static_cast<int>(state.range(0))).c_str(), kLinkParseAnyPairs);
  for (auto _ : state) {
    TLaurentPolynomial p;
    ComputeKauffmanBracket(p, link);
    benchmark::DoNotOptimize(p.Lowest());
  }
}
BENCHMARK(BM_KauffmanBracketTorusLink)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

// One variable: n evaluations of an (n-1)-determinant, O(n^4) big-integer steps.
static void BM_AlexanderTorusKnot(benchmark::State& state) {
  TLink link;
  link.Parse(TorusLinkText(static_cast<int>(state.range(0))).c_str(), kLinkParseAnyPairs);
  for (auto _ : state) {
    TTwoVariablePolynomial p;
    ComputeAlexanderPolynomial(p, link);
    benchmark::DoNotOptimize(p.TermCount());
  }
}
BENCHMARK(BM_AlexanderTorusKnot)->Arg(5)->Arg(9)->Arg(17)->Arg(33)->Unit(benchmark::kMillisecond);

// Two variables: n^2 evaluations, O(n^5).
static void BM_AlexanderTorusLink(benchmark::State& state) {
  TLink link;
  link.Parse(TorusLinkText(static_cast<int>(state.range(0))).c_str(), kLinkParseAnyPairs);
  for (auto _ : state) {
    TTwoVariablePolynomial p;
    ComputeAlexanderPolynomial(p, link);
    benchmark::DoNotOptimize(p.TermCount());
  }
}
BENCHMARK(BM_AlexanderTorusLink)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

// The triple sums over the crossings between the components: O(n^3).
static void BM_CassonWalkerTorusLink(benchmark::State& state) {
  TLink link;
  link.Parse(TorusLinkText(static_cast<int>(state.range(0))).c_str(), kLinkParseOrdinary);
  for (auto _ : state) {
    TRational lambda;
    benchmark::DoNotOptimize(ComputeCassonWalker(link, lambda, nullptr));
  }
}
BENCHMARK(BM_CassonWalkerTorusLink)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMicrosecond);
