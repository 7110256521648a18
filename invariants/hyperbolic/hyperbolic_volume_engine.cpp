// The driver of the hyperbolic volume engine: parse the spine text into the
// dual triangulation (one tetrahedron per vertex of the spine, one edge per
// 2-cell), simplify it by the moves that lower the number of tetrahedra,
// solve for a hyperbolic structure, and evaluate its volume. Only a
// structure whose parameters are all hyperbolic (x >= -0.0001, one above
// 0.0001) gives a volume: spherical and flat manifolds, and manifolds on
// which the solver finds nothing, are reported as failures.
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"

#include <cmath>

#include "foundation/stop_poll.h"

#include "invariants/hyperbolic/spine_text_parser.h"
#include "invariants/hyperbolic/volume_evaluation.h"

namespace {

constexpr double kResetParameter = 1.0e12;
constexpr int kRetriangulations = 10;

}  // namespace

// A triangulation on which the solver finds nothing may still carry the
// structure in another one. A few 2-3 moves at pseudo-random faces followed
// by the simplification lead the moves elsewhere; the number of moves grows
// with the round, so that later rounds move further away.
void THyperbolicVolumeEngine::Retriangulate(std::mt19937& random, int round) {
  const int moves = 2 + round;
  for (int made = 0, attempt = 0; made < moves && attempt < 20 * moves; ++attempt) {
    ThrowIfStopRequested();
    const int count = store_.TetrahedronCount();
    const int dart = store_.TetrahedronDart(static_cast<int>(random() % static_cast<unsigned>(count))) +
                     static_cast<int>(random() % 12u);
    if (store_.TwoThreeMove(dart) >= 0) ++made;
  }
  store_.SimplifyTriangulation();
  if (messages_.Verbose()) {
    const int t = store_.TetrahedronCount(), v = store_.EdgeCount() - t;
    messages_.Message("%d tetrahedr%s, ", t, t == 1 ? "on" : "a");
    messages_.Message("%d vert%s\n", v, v == 1 ? "ex" : "ices");
  }
}

bool THyperbolicVolumeEngine::HyperbolicVolume(const char* text, double& volume) {
  store_.Clear();
  outcome_ = kSolverGaveUp;
  std::vector<int> cycles;
  int cycleCount = 0;
  if (text == nullptr || !ParseSpineTextToDartCycles(text, messages_, cycles, cycleCount)) return false;
  if (!store_.BuildFromDartCycles(cycles) || store_.CheckGluingConsistency() != cycleCount) return false;
  store_.SimplifyTriangulation();
  if (messages_.Verbose()) {
    const int t = store_.TetrahedronCount(), v = store_.EdgeCount() - t;
    messages_.Message("%d tetrahedr%s, ", t, t == 1 ? "on" : "a");
    messages_.Message("%d vert%s\n", v, v == 1 ? "ex" : "ices");
  }
  THyperbolicStructureSolver solver(store_, messages_);
  std::mt19937 random(1);  // a fixed seed: the same text always gives the same result
  for (int round = 0; round <= kRetriangulations; ++round) {
    if (round > 0) {
      if (outcome_ == kNoEdgesOrSpherical || store_.TetrahedronCount() == 0) break;
      Retriangulate(random, round);
    }
    store_.SetAllParameters(kResetParameter);
    outcome_ = solver.Solve();
    if (outcome_ == kHyperbolicStructureFound) break;
  }
  if (outcome_ != kHyperbolicStructureFound) return false;
  const double value = VolumeFromParameters(store_);
  if (!std::isfinite(value) || !(value > 0)) {
    outcome_ = kSolverGaveUp;
    return false;
  }
  volume = value;
  return true;
}
