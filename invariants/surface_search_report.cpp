// The "Search For Surfaces In Spine" command (menu id 33) and its task (kind
// 9): the surfaces of plate degree 1 of the document's spine and their report.
#include <stdexcept>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_search.h"
#include "model/spine.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"
#include "shell/surface_commands.h"
#include "shell/task_view.h"

TCommandOutcome RunSearchSurfaces(TCommandRun& run) {
  if (run.Parse() == 0 && !run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  try {
    TSpine& spine = run.Spine();
    if (spine.HomologyList() == nullptr) spine.ComputeHomology();
    if (spine.IsSpecial(2) == 0) {
      run.output.AppendText("Is realized for special polyhedra only!");
      return TCommandOutcome::kRefused;
    }
    const TSurfaceSearchResult result = SearchSpineSurfaces(spine);
    run.output.AppendText(ReportSpineSurfaces(result, spine).c_str());
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  } catch (const std::invalid_argument&) {
    run.output.AppendText("Is realized for special polyhedra only!");
    return TCommandOutcome::kRefused;
  } catch (const Out_of_Range&) {
    run.output.AppendText("Error : Homology group is not initialized");
    return TCommandOutcome::kRefused;
  }
  return TCommandOutcome::kDone;
}

void RunSurfaceSearchTask(TComputationTask& task) {
  task.BeginComputation();
  if (TComputationTask::Aborted()) return;
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    RunSearchSurfaces(run);
    task.Output().AppendText(run.output.Text());
  }
  // A search may run for long unattended: the view beeps when it ends.
  if (!TComputationTask::Aborted() && task.GetView() != nullptr) {
    task.GetView()->Beep();
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  }
  task.EndComputation();
}
