// The report of the DW invariants command and task: the marker " T_", two
// line breaks, the invariant, and a comment line with the raw state sum it
// was normalised from. The spine goes through the pre-reductions first, so
// that every dual tetrahedron has its corners in four classes; the raw sum
// then grows by a factor 2 with every vertex class a subdivision adds, so it
// is printed divided by 2^(b-1) (b the boundary spheres of the reduced
// spine), which makes the value independent of the spine: the order-3
// Turaev-Viro invariant. A spine of a manifold with boundary is refused: there
// the sum depends on the triangulation.
#include <stdexcept>
#include <string>

#include <gmpxx.h>

#include "foundation/stop_poll.h"
#include "invariants/dw_calculator.h"
#include "invariants/dw_pre_reductions.h"
#include "model/spine.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/dw_commands.h"
#include "shell/task_view.h"

namespace {

void AppendLine(TOutput& output, const std::string& text) {
  output.AppendText(text.c_str());
  output.NewLines(1);
}

void RefuseSpine(TOutput& output) {
  AppendLine(output, "Given polyhedron is not a connected special polyhedron");
  AppendLine(output, "(the program computes DW-Invariants for connected special polyhedra only)");
}

}  // namespace

TCommandOutcome RunDWInvariants(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) return TCommandOutcome::kRefused;
  TSpine& spine = run.Spine();
  if (spine.Next() != nullptr || spine.IsSpecial(0) == 0) {
    RefuseSpine(run.output);
    return TCommandOutcome::kRefused;
  }
  TDWCalculator calculator;
  std::unique_ptr<TSpine> built;
  try {
    try {
      calculator.Setup(ReduceForDW(spine, built));
    } catch (const std::invalid_argument&) {
      RefuseSpine(run.output);
      return TCommandOutcome::kRefused;
    } catch (const std::runtime_error& error) {
      AppendLine(run.output, std::string("The pre-reductions failed: ") + error.what());
      return TCommandOutcome::kRefused;
    }
    if (!calculator.IsClosed()) {
      AppendLine(run.output, "The manifold of the polyhedron has boundary");
      AppendLine(run.output, "(the program computes DW-Invariants of closed manifolds only)");
      return TCommandOutcome::kRefused;
    }
    if (calculator.Compute() != TDWCalculator::kDone) return TCommandOutcome::kStopped;
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  const int b = calculator.CornerClassCount();
  mpq_class value(mpz_class(std::to_string(calculator.Sum())));
  value /= mpz_class(1) << (b - 1);
  value.canonicalize();
  run.output.AppendText("DW-Invariants :");
  run.output.NewLines(2);
  run.output.AppendText(" T_");
  run.output.NewLines(2);
  AppendLine(run.output, value.get_str());
  AppendLine(run.output, "% state sum " + std::to_string(calculator.Sum()) + " over " +
                             std::to_string(calculator.VertexCount()) + " vertices of the " +
                             (built ? "reduced " : "") + "spine with " + std::to_string(b) +
                             " boundary spheres, divided by 2^" + std::to_string(b - 1));
  return TCommandOutcome::kDone;
}
