// The hyperbolic volume engine: the volume of a closed 3-manifold given by a
// special spine, found by solving for a hyperbolic structure on the dual
// triangulation.
//
// One engine object serves one computation at a time; it owns the
// triangulation store and its texts, so two engines on two threads do not
// meet. Every loop polls the stop flag (TComputationStopped is thrown; the
// engine's state is then unspecified but the caller's objects are untouched).
#pragma once

#include <random>
#include <string>

#include "invariants/hyperbolic/engine_messages.h"
#include "invariants/hyperbolic/structure_solver.h"
#include "invariants/hyperbolic/triangulation_store.h"

class THyperbolicVolumeEngine {
 public:
  THyperbolicVolumeEngine() : store_(messages_) {}
  THyperbolicVolumeEngine(const THyperbolicVolumeEngine&) = delete;
  THyperbolicVolumeEngine& operator=(const THyperbolicVolumeEngine&) = delete;

  // text: the boundary curves of the spine's 2-cells (see
  // spine_text_parser.h). True when a hyperbolic structure was found; its
  // volume is then written, otherwise volume is left as it was. Approximate
  // (about 1e-12 relative for census manifolds).
  bool HyperbolicVolume(const char* text, double& volume);

  // The outcome of the last solve (meaningful after a parse that succeeded).
  THyperbolicOutcome LastOutcome() const { return outcome_; }
  // The warnings, parse errors and (in verbose mode) progress lines so far.
  TEngineMessages& Messages() { return messages_; }
  const TTriangulationStore& Store() const { return store_; }

 private:
  void Retriangulate(std::mt19937& random, int round);
  // Random 2-3 and 4-4 moves, each batch followed by the simplification and
  // kept when it leaves no more edges of order 1 or 2 and no more
  // tetrahedra; true when either number was lowered.
  bool Descend(std::mt19937& random);

  TEngineMessages messages_;
  TTriangulationStore store_;
  THyperbolicOutcome outcome_ = kSolverGaveUp;
};
