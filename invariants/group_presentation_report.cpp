// The report of the boundary and group presentations command and task: the
// boundary report of the spine, the document text, the simplest presentation
// of the fundamental group that the elimination search found, and the sphere
// report of the first boundary sphere. The presentation and the sphere report
// are made on a copy of the spine (the report writes into edge labels). The
// search is bounded by the option GroupPresentationSearchLimit (presentations
// visited; 0 for none); a search that stopped at the bound says so. As a
// task, every better presentation is shown in the view while the search runs.
#include <string>

#include "foundation/stop_poll.h"
#include "invariants/group_presentation_progress.h"
#include "invariants/group_presentation_search.h"
#include "invariants/group_presentation_sphere.h"
#include "model/spine.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/dw_commands.h"
#include "shell/information_commands.h"
#include "shell/task_view.h"

namespace {

TCommandOutcome BoundaryGroups(TCommandRun& run, TTaskView* view) {
  const TCommandOutcome boundary = RunBoundary(run);
  if (!run.HasSpine()) return boundary;
  if (view != nullptr) view->SetInformationMode(true, std::string(run.output.Text()));
  TGroupPresentation presentation;
  TGroupPresentation best;
  TGroupSearchOutcome outcome;
  try {
    TPresentationSphere sphere(run.Spine());
    TGroupPresentationReport report(view, run.Text(), &sphere);
    presentation.Build(sphere.Active() ? sphere.Spine() : run.Spine(), sphere.RootVertex());
    report.Show(presentation);
    best = presentation;
    outcome = SearchGroupPresentation(
        presentation, best, static_cast<std::uint64_t>(run.Options().GroupPresentationSearchLimit),
        [&report](const TGroupPresentation& better) { report.Show(better); });
    run.output.NewLines(2);
    report.End(run.output, best);
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  if (outcome.limitReached) {
    run.output.AppendText(("% the search stopped at its limit of " +
                           std::to_string(outcome.visited) +
                           " presentations (GroupPresentationSearchLimit)")
                              .c_str());
    run.output.NewLines(1);
  }
  return boundary;
}

}  // namespace

TCommandOutcome RunBoundaryGroups(TCommandRun& run) { return BoundaryGroups(run, nullptr); }

void RunBoundaryGroupsTask(TComputationTask& task) {
  task.BeginComputation();
  if (TComputationTask::Aborted()) return;
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    BoundaryGroups(run, task.GetView());
    task.Output().AppendText(run.output.Text());
  }
  if (!TComputationTask::Aborted() && task.GetView() != nullptr) {
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  }
  task.EndComputation();
}
