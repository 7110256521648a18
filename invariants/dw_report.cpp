// The report of the DW invariants command: the marker " T_", two line
// breaks, the invariant, and a comment line with the raw state sum it was
// normalised from. The raw sum over the cocycles of a triangulation grows by
// a factor 2 with every vertex a subdivision adds, so it is printed divided by
// 2^(b-1) (b the number of vertices, all with sphere links), which makes the
// value independent of the spine. A spine of a manifold with boundary is
// refused: there the sum depends on the triangulation.
#include <stdexcept>
#include <string>

#include "foundation/stop_poll.h"
#include "invariants/dw_calculator.h"
#include "model/spine.h"
#include "shell/dw_commands.h"

namespace {

void AppendLine(TOutput& output, const std::string& text) {
  output.AppendText(text.c_str());
  output.NewLines(1);
}

}  // namespace

TCommandOutcome RunDWInvariants(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) return TCommandOutcome::kRefused;
  TDWCalculator calculator;
  try {
    try {
      calculator.Setup(run.Spine());
    } catch (const std::invalid_argument&) {
      AppendLine(run.output, "Given polyhedron is not a connected special polyhedron");
      AppendLine(run.output,
                 "(the program computes DW-Invariants for connected special polyhedra only)");
      return TCommandOutcome::kRefused;
    }
    if (!calculator.Compute()) {
      if (calculator.IsClosed()) {
        AppendLine(run.output, "H^1(M;Z_2) has rank " +
                                   std::to_string(calculator.FirstCohomologyRank()) +
                                   ": too many classes to sum over");
        return TCommandOutcome::kRefused;
      }
      AppendLine(run.output, "The manifold of the polyhedron has boundary");
      AppendLine(run.output, "(the program computes DW-Invariants of closed manifolds only)");
      return TCommandOutcome::kRefused;
    }
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  const TDWOrderedComplex& complex = calculator.Complex();
  run.output.AppendText("DW-Invariants :");
  run.output.NewLines(2);
  run.output.AppendText(" T_");
  run.output.NewLines(2);
  AppendLine(run.output, calculator.NormalisedSum().get_str());
  AppendLine(run.output, "% state sum " + calculator.RawSum().get_str() + " over " +
                             std::to_string(complex.TetrahedronCount()) + " tetrahedra with " +
                             std::to_string(complex.VertexCount()) + " vertices, divided by 2^" +
                             std::to_string(complex.VertexCount() - 1) +
                             "; rank of H^1(M;Z_2) " +
                             std::to_string(calculator.FirstCohomologyRank()));
  return TCommandOutcome::kDone;
}
