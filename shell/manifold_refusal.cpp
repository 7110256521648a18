#include "shell/manifold_refusal.h"

bool ThickeningFailed(TCommandRun& run) {
  if (run.HasSpine()) run.Document().EnsureThickened();
  return run.HasSpine() && !run.Spine().IsThickened() &&
         !run.Document().ThickeningError().empty();
}

bool NoteWithoutManifold(TCommandRun& run) {
  if (!ThickeningFailed(run)) return false;
  run.output.AppendText(
      "The complex cannot be thickened, so it is no special spine of a 3-manifold");
  run.output.NewLines(1);
  run.output.AppendText(run.Document().ThickeningError().c_str());
  run.output.NewLines(1);
  return true;
}
