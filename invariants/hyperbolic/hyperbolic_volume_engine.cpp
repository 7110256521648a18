// The driver of the hyperbolic volume engine: parse the spine text into the
// dual triangulation (one tetrahedron per vertex of the spine, one edge per
// 2-cell), simplify it by the moves that lower the number of tetrahedra,
// solve for a hyperbolic structure, and evaluate its volume. Only a
// structure whose parameters are all hyperbolic (x >= -0.0001, one above
// 0.0001) gives a volume: spherical and flat manifolds, and manifolds on
// which the solver finds nothing, are reported as failures.
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"

#include <cmath>

#include "invariants/hyperbolic/spine_text_parser.h"
#include "invariants/hyperbolic/volume_evaluation.h"

namespace {

constexpr double kResetParameter = 1.0e12;

}  // namespace

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
  store_.SetAllParameters(kResetParameter);
  THyperbolicStructureSolver solver(store_, messages_);
  outcome_ = solver.Solve();
  if (outcome_ != kHyperbolicStructureFound) return false;
  const double value = VolumeFromParameters(store_);
  if (!std::isfinite(value) || !(value > 0)) {
    outcome_ = kSolverGaveUp;
    return false;
  }
  volume = value;
  return true;
}
