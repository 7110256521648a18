// The "&Epsilon-Invariant" command: the invariant, then the spine's 2-cells
// and, for small polyhedra, one line per simple subpolyhedron. A stop (the
// enumeration visits up to 2^n subsets) shows nothing half-done.
//
// A spine of a closed manifold M with b > 1 balls removed (the dual spine of
// a triangulation with b vertices) has the invariant of M times (eps+2)^(b-1),
// the factor of each further boundary sphere (eps+2 is the value of the
// twice punctured S^3). The report then adds the value of M with that factor
// divided out, exactly in Z[eps].
#include <cstdio>
#include <stdexcept>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "invariants/epsilon_invariant.h"
#include "model/spine.h"
#include "shell/spine_reports.h"
#include "shell/surface_commands.h"
#include "model/quiet_scope.h"

namespace {

// The number of boundary surfaces of the thickened spine when every one of
// them is a sphere; 0 otherwise (or when it does not thicken).
int BoundarySpheres(const TSpine& spine) {
  TSpine copy;
  spine.CopyTo(copy);
  int thickened = 0;
  {
    TQuietScope quiet;
    thickened = copy.IsThickened() ? 1 : copy.Thicken(2);
  }
  if (thickened == 0) return 0;
  for (int i = 0; i < copy.BoundaryCount(); ++i) {
    if (copy.BoundaryAt(i) == nullptr || copy.BoundaryAt(i)->SurfaceClass() != 1) return 0;
  }
  return copy.BoundaryCount();
}

}  // namespace

bool DivideByPuncture(TEpsilonNumber& value) {
  // (a + b eps) / (2 + eps) = (a + b eps)(3 - eps) / 5, since the conjugate
  // of 2 + eps is 3 - eps and their product is 5.
  std::int64_t a = 0;
  std::int64_t b = 0;
  value.Get(a, b);
  TEpsilonNumber product(a, b);
  product.Multiply(TEpsilonNumber(3, -1));
  product.Get(a, b);
  if (a % 5 != 0 || b % 5 != 0) return false;
  value.Set(a / 5, b / 5);
  return true;
}

TCommandOutcome RunEpsilonInvariant(TCommandRun& run) {
  if (run.Parse() == 0 && !run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  TEpsilonCalculator calculator;
  try {
    TOutput report;
    if (!ComputeEpsilonInvariant(calculator, run.Spine(), &report)) {
      run.output.AppendText(report.Text());
      return TCommandOutcome::kRefused;
    }
    std::string text = report.Text();
    const int spheres = BoundarySpheres(run.Spine());
    TEpsilonNumber closed = calculator.Result();
    bool exact = spheres > 1;
    for (int i = 1; i < spheres && exact; ++i) exact = DivideByPuncture(closed);
    if (exact) {
      // Right after the line of the invariant itself.
      char line[256];
      std::snprintf(line, sizeof line, std::string(StringTableText(9862).value_or("")).c_str(), spheres,
                    closed.ToText().c_str());
      const std::size_t end = text.find("\r\n\r\n");
      text.insert(end == std::string::npos ? text.size() : end + 4, std::string(line) + "\r\n\r\n");
    }
    run.output.AppendText(text.c_str());
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  } catch (const Out_of_Range&) {
    run.output.AppendText(std::string(StringTableText(9860).value_or("")).c_str());
    return TCommandOutcome::kRefused;
  }
  return TCommandOutcome::kDone;
}
