#include "shell/task_bodies.h"

#include <functional>

#include "shell/atom_table_commands.h"
#include "shell/turaev_viro_commands.h"
#include "shell/computation_task.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/dw_commands.h"
#include "shell/move_commands.h"
#include "shell/recognize_commands.h"
#include "shell/series_commands.h"
#include "shell/surface_commands.h"
#include "shell/t_move_commands.h"
#include "shell/task_view.h"

void TTaskBodies::Set(TTaskKind kind, TTaskBody body) {
  if (!RunsOnWorker(kind)) return;
  bodies_[TaskKindNumber(kind)] = std::move(body);
}

const TTaskBody* TTaskBodies::Find(TTaskKind kind) const {
  const std::uint32_t number = TaskKindNumber(kind);
  if (number < kFirstTaskKind || number > kLastTaskKind) return nullptr;
  const TTaskBody& body = bodies_[number];
  return body ? &body : nullptr;
}

namespace {

// A command run as a task (recognition, kinds 2 to 4; default moves, kind 5; the T-move comparison and
// simplification, kinds 12 and 13; the imports of cusped presentations,
// kinds 15 to 18): the document text is parsed into a spine of the task's
// own, the command runs on it, and its report (a refusal as it stands) is
// shown in information mode.
void RunCommandTask(TComputationTask& task, const std::function<void(TCommandRun&)>& command) {
  task.BeginComputation();
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    run.showInterimReport = [&task](const std::string& report) {
      if (task.GetView() != nullptr) task.GetView()->SetInformationMode(true, report);
    };
    run.beep = [&task] {
      if (task.GetView() != nullptr) task.GetView()->Beep();
    };
    command(run);
    task.Output().AppendText(run.output.Text());
  }
  if (!TComputationTask::Aborted() && task.GetView() != nullptr)
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  task.EndComputation();
}

// The body of a task that runs one command of the table.
TTaskBody CommandTask(TCommandOutcome (*command)(TCommandRun&)) {
  return [command](TComputationTask& task) { RunCommandTask(task, command); };
}

// The same for a command that may work for long unattended: once it has run
// (not when it refused or the task was aborted) the view beeps, so that the
// user knows the result is there.
TTaskBody BeepingCommandTask(TCommandOutcome (*command)(TCommandRun&)) {
  return [command](TComputationTask& task) {
    RunCommandTask(task, [command, &task](TCommandRun& run) {
      if (command(run) != TCommandOutcome::kRefused && !TComputationTask::Aborted() && task.GetView() != nullptr)
        task.GetView()->Beep();
    });
  };
}

TTaskBody ImportTask(int kind) {
  return [kind](TComputationTask& task) {
    RunCommandTask(task, [kind](TCommandRun& run) { RunImportPresentations(run, kind); });
  };
}

}  // namespace

TTaskBodies BuiltInTaskBodies() {
  // The recognition, invariant, search, series and import engines register
  // their bodies here as they are built.
  TTaskBodies bodies;
  bodies.Set(TTaskKind::TuraevViro, RunTuraevViroTask);
  bodies.Set(TTaskKind::SeriesRun, CommandTask(RunSeriesRun));
  bodies.Set(TTaskKind::RecognizeTillFirst, CommandTask(RunTillFirstPresentation));
  bodies.Set(TTaskKind::RecognizeTillMain, CommandTask(RunTillMainPresentation));
  bodies.Set(TTaskKind::RecognizeAll, CommandTask(RunTryToFindAllPresentations));
  bodies.Set(TTaskKind::DefaultMoves, BeepingCommandTask(RunMakeDefaultMoves));
  bodies.Set(TTaskKind::TMoveComparison, CommandTask(RunTMoveComparison));
  bodies.Set(TTaskKind::TMoveSimplification, CommandTask(RunTMoveSimplification));
  bodies.Set(TTaskKind::ImportOneCuspByAtoms, ImportTask(15));
  bodies.Set(TTaskKind::ImportOneCuspByKnots, ImportTask(16));
  bodies.Set(TTaskKind::ImportOneCuspByLinks, ImportTask(17));
  bodies.Set(TTaskKind::ImportTwoCuspByLinks, ImportTask(18));
  bodies.Set(TTaskKind::SurfaceSearch, RunSurfaceSearchTask);
  bodies.Set(TTaskKind::NormalSurfaceSearch, RunNormalSurfaceSearchTask);
  bodies.Set(TTaskKind::BoundaryAndGroups, RunBoundaryGroupsTask);
  bodies.Set(TTaskKind::DWInvariants, CommandTask(RunDWInvariants));
  return bodies;
}
