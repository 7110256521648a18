// The hyperbolic volume engine on triangulations far from the census ones:
// the four hyperbolic manifolds of the closed census sample, their
// triangulations scrambled by random 2-3, 3-2 and 4-4 moves to 12-40
// tetrahedra and written back as spines: every one gives the volume.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "invariants/hyperbolic/spine_text_parser.h"
#include "invariants/hyperbolic/triangulation_store.h"
#include "support/curves_text.h"
#include "support/dual_spine_text.h"

namespace {

// The census triangulation of a signature scrambled to the given size:
// 2-3 moves up to the size, then as many rounds of a 3-2 move followed by a
// 2-3 move, and random 4-4 moves, at random darts.
std::string ScrambledSpineText(const char* signature, int tetrahedra, unsigned seed) {
  TEngineMessages messages;
  std::vector<int> cycles;
  int count = 0;
  const std::string census = CurvesTextOf(signature);
  if (!ParseSpineTextToDartCycles(census.c_str(), messages, cycles, count)) return {};
  TTriangulationStore store(messages);
  if (!store.BuildFromDartCycles(cycles)) return {};
  std::mt19937 random(seed);
  auto randomDart = [&] {
    return store.TetrahedronDart(static_cast<int>(random() % static_cast<unsigned>(store.TetrahedronCount()))) +
           static_cast<int>(random() % 12u);
  };
  for (int attempt = 0; store.TetrahedronCount() < tetrahedra && attempt < 10000; ++attempt) store.TwoThreeMove(randomDart());
  for (int round = 0; round < 4 * tetrahedra; ++round) {
    const int d = randomDart();
    if (random() % 2 == 0) {
      store.FourFourMove(d);
    } else if (store.ThreeTwoMove(d) >= 0) {
      for (int attempt = 0; store.TetrahedronCount() < tetrahedra && attempt < 100; ++attempt) store.TwoThreeMove(randomDart());
    }
  }
  if (store.TetrahedronCount() != tetrahedra) return {};
  return DualSpineCurvesText(store);
}

TEST(HyperbolicVolumeScrambled, EveryScrambledTriangulationGivesTheVolume) {
  struct TManifold {
    const char* signature;
    double volume;
    double tolerance;  // the last two are known to 10 decimals
  };
  const TManifold manifolds[] = {
      {"jLvAMPQadfgghhiiijaqgjqxims", 0.9427073627769277, 1e-10},
      {"jLvALQQadfgfihhiijaqjvuxxec", 0.9813688288922320, 1e-10},
      {"jLLvQMQcdfeghiihihsqaggqtni", 1.2637092386, 1e-9},
      {"kLLLALQkcegfegjiijjhqhaxrlmhlf", 1.5294773294, 1e-9},
  };
  for (const TManifold& m : manifolds) {
    for (int k = 0; k < 40; ++k) {
      const int size = 12 + (k * 7) % 29;
      const unsigned seed = 100u + static_cast<unsigned>(k);
      const std::string text = ScrambledSpineText(m.signature, size, seed);
      ASSERT_FALSE(text.empty());
      THyperbolicVolumeEngine engine;
      double volume = -1;
      ASSERT_TRUE(engine.HyperbolicVolume(text.c_str(), volume)) << m.signature << " size " << size << " seed " << seed;
      EXPECT_NEAR(volume, m.volume, m.tolerance) << m.signature << " size " << size << " seed " << seed;
    }
  }
}

}  // namespace
