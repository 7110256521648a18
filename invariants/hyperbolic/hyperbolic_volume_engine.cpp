// The driver of the hyperbolic volume engine: parse the spine text into the
// dual triangulation (one tetrahedron per vertex of the spine, one edge per
// 2-cell), simplify it by the moves that lower the number of tetrahedra,
// solve for a hyperbolic structure, and evaluate its volume. Only a
// structure whose parameters are all hyperbolic (x >= -0.0001, one above
// 0.0001) gives a volume: spherical and flat manifolds, and manifolds on
// which the solver finds nothing, are reported as failures.
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"

#include <cmath>
#include <utility>

#include "foundation/stop_poll.h"

#include "invariants/hyperbolic/face_retriangulation.h"
#include "invariants/hyperbolic/spine_text_parser.h"
#include "invariants/hyperbolic/volume_evaluation.h"

namespace {

constexpr double kResetParameter = 1.0e12;
constexpr int kRetriangulations = 10;

// The edges of order 1 or 2: where the simplification could not remove
// them, no structure exists (the angles around such an edge cannot add up to
// 2 pi without a tetrahedron folding flat).
int LowOrderEdgeCount(const TTriangulationStore& store) {
  int count = 0;
  for (int e = 0; e < store.EdgeCount(); ++e) count += store.Edge(e).order <= 2 ? 1 : 0;
  return count;
}

// A random dart of a triangulation that has tetrahedra.
int RandomDart(const TTriangulationStore& store, std::mt19937& random) {
  const int count = store.TetrahedronCount();
  return store.TetrahedronDart(static_cast<int>(random() % static_cast<unsigned>(count))) +
         static_cast<int>(random() % 12u);
}

}  // namespace

// A triangulation on which the solver finds nothing may still carry the
// structure in another one. First the moves across the faces where the
// solver's nearest approach folds back; then a search for a smaller
// triangulation (a few random 2-3 and 4-4 moves followed by the
// simplification, kept when it leaves no more edges of order 1 or 2 and no
// more tetrahedra); when neither changes anything, a few 2-3 moves at
// pseudo-random faces lead the simplification elsewhere, more of them in
// later rounds.
void THyperbolicVolumeEngine::Retriangulate(std::mt19937& random, int round) {
  const int before = store_.TetrahedronCount();
  const std::vector<int> cycles = store_.WriteDartCycles();
  RetriangulateAlongFaces(store_);
  const bool moved = store_.TetrahedronCount() != before || store_.WriteDartCycles() != cycles;
  if (!moved && !Descend(random)) {
    const int moves = 2 + round;
    for (int made = 0, attempt = 0; made < moves && attempt < 20 * moves; ++attempt) {
      ThrowIfStopRequested();
      if (store_.TwoThreeMove(RandomDart(store_, random)) >= 0) ++made;
    }
  }
  store_.SimplifyTriangulation();
  if (messages_.Verbose()) {
    const int t = store_.TetrahedronCount(), v = store_.EdgeCount() - t;
    messages_.Message("%d tetrahedr%s, ", t, t == 1 ? "on" : "a");
    messages_.Message("%d vert%s\n", v, v == 1 ? "ex" : "ices");
  }
}

bool THyperbolicVolumeEngine::Descend(std::mt19937& random) {
  bool lowered = false;
  const int trials = 20 * store_.TetrahedronCount();
  for (int trial = 0; trial < trials && store_.TetrahedronCount() > 0; ++trial) {
    ThrowIfStopRequested();
    TTriangulationStore candidate = store_;
    const int moves = 1 + trial % 3;
    for (int k = 0; k < moves; ++k) {
      const int dart = RandomDart(candidate, random);
      if (random() % 3 == 0) candidate.FourFourMove(dart);
      else candidate.TwoThreeMove(dart);
    }
    candidate.SimplifyTriangulation();
    const auto rank = [](const TTriangulationStore& t) {
      return std::pair<int, int>(LowOrderEdgeCount(t), t.TetrahedronCount());
    };
    if (rank(candidate) < rank(store_)) lowered = true;
    if (rank(candidate) <= rank(store_)) store_ = std::move(candidate);
  }
  return lowered;
}

bool THyperbolicVolumeEngine::HyperbolicVolume(const char* text, double& volume) {
  store_.Clear();
  outcome_ = kSolverGaveUp;
  std::vector<int> cycles;
  int cycleCount = 0;
  if (text == nullptr || !ParseSpineTextToDartCycles(text, messages_, cycles, cycleCount)) return false;
  if (!store_.BuildFromDartCycles(cycles) || store_.CheckGluingConsistency() != cycleCount) return false;
  store_.SimplifyTriangulation();
  std::mt19937 random(1);  // a fixed seed: the same text always gives the same result
  if (LowOrderEdgeCount(store_) > 0 && !store_.LensSummandFound()) Descend(random);
  if (messages_.Verbose()) {
    const int t = store_.TetrahedronCount(), v = store_.EdgeCount() - t;
    messages_.Message("%d tetrahedr%s, ", t, t == 1 ? "on" : "a");
    messages_.Message("%d vert%s\n", v, v == 1 ? "ex" : "ices");
  }
  if (store_.LensSummandFound()) {
    outcome_ = kNoSolutionParameters;
    return false;
  }
  THyperbolicStructureSolver solver(store_, messages_);
  for (int round = 0; round <= kRetriangulations; ++round) {
    if (round > 0) {
      if (outcome_ == kNoEdgesOrSpherical || store_.TetrahedronCount() == 0 || store_.LensSummandFound()) break;
      Retriangulate(random, round);
    }
    store_.SetAllParameters(kResetParameter);
    // Turning tetrahedra is costly where no structure exists; the first
    // triangulation gets it, the retries find other triangulations instead.
    solver.AllowTurnedTetrahedra(round == 0);
    outcome_ = solver.Solve();
    if (outcome_ == kHyperbolicStructureFound) break;
  }
  // A connected sum with a lens space has no hyperbolic structure; the
  // triangulation left after the summand was squeezed out describes only
  // the other summand, whose volume is not the answer.
  if (store_.LensSummandFound()) outcome_ = kNoSolutionParameters;
  if (outcome_ != kHyperbolicStructureFound) return false;
  const double value = VolumeFromParameters(store_);
  if (!std::isfinite(value) || !(value > 0)) {
    outcome_ = kSolverGaveUp;
    return false;
  }
  volume = value;
  return true;
}
