// The "Search For Normal Surfaces" command (menu id 35) and its task (kind
// 10): the connected normal surfaces of the document's spine, degree after
// degree. The desktop program shows the report so far after every degree
// that found something; the search ends when stopped or after
// NormalSurfacesSearchLimit visited vectors (0: only a stop ends it).
#include <cstdio>
#include <stdexcept>
#include <string>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "invariants/normal_surface.h"
#include "model/spine.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"
#include "shell/surface_commands.h"
#include "shell/task_view.h"

namespace {

constexpr int kSearchedPlateDegree = 254;

std::string Report(const TNormalSurfaceSearchResult& result, TSpine& spine) {
  std::string note;
  if (result.limitReached) {
    char line[512];
    std::snprintf(line, sizeof line, std::string(StringTableText(9861).value_or("")).c_str(),
                  std::to_string(result.visited).c_str());
    note = line;
  }
  return ReportSurfaces(result.surfaces, 3, spine, note);
}

struct TProgress {
  TSpine* spine = nullptr;
  TTaskView* view = nullptr;
};

void ShowProgress(void* context, const TNormalSurfaceSearchResult& result) {
  auto* progress = static_cast<TProgress*>(context);
  if (progress->view != nullptr) {
    progress->view->SetInformationMode(true, Report(result, *progress->spine));
  }
}

TCommandOutcome Search(TCommandRun& run, TTaskView* view) {
  if (run.Parse() == 0 && !run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  try {
    TSpine& spine = run.Spine();
    if (spine.IsSpecial(2) == 0) {
      run.output.AppendText("Is realized for special polyhedra only!");
      return TCommandOutcome::kRefused;
    }
    TProgress progress{&spine, view};
    const std::int64_t limit = run.Options().NormalSurfacesSearchLimit;
    const TNormalSurfaceSearchResult result =
        SearchNormalSurfaces(spine, kSearchedPlateDegree, static_cast<std::uint64_t>(limit),
                             view != nullptr ? ShowProgress : nullptr, &progress);
    run.output.AppendText(Report(result, spine).c_str());
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  } catch (const std::invalid_argument&) {
    run.output.AppendText(std::string(StringTableText(9863).value_or("")).c_str());
    return TCommandOutcome::kRefused;
  } catch (const Out_of_Range&) {
    run.output.AppendText("Error : Homology group is not initialized");
    return TCommandOutcome::kRefused;
  }
  return TCommandOutcome::kDone;
}

}  // namespace

TCommandOutcome RunSearchNormalSurfaces(TCommandRun& run) { return Search(run, nullptr); }

void RunNormalSurfaceSearchTask(TComputationTask& task) {
  task.BeginComputation();
  if (TComputationTask::Aborted()) return;
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    Search(run, task.GetView());
    task.Output().AppendText(run.output.Text());
  }
  // A search may run for long unattended: the view beeps when it ends.
  if (!TComputationTask::Aborted() && task.GetView() != nullptr) {
    task.GetView()->Beep();
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  }
  task.EndComputation();
}
