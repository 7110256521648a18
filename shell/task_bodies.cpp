#include "shell/task_bodies.h"

#include "shell/turaev_viro_commands.h"
#include "shell/computation_task.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
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

// Default moves (kind 5): the document text is parsed into a spine of the
// task's own, the moves run on it, and the report with the transformed spine
// is shown in information mode.
void RunDefaultMovesTask(TComputationTask& task) {
  task.BeginComputation();
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    RunMakeDefaultMoves(run);
    task.Output().AppendText(run.output.Text());
  }
  if (!TComputationTask::Aborted() && task.GetView() != nullptr)
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  task.EndComputation();
}

// The T-move comparison (kind 12) and simplification (kind 13): the command
// runs on a document of the task's own and its report is shown in
// information mode; a refusal is shown as it stands.
void RunTMoveTask(TComputationTask& task, TCommandOutcome (*command)(TCommandRun&)) {
  task.BeginComputation();
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    command(run);
    task.Output().AppendText(run.output.Text());
  }
  if (!TComputationTask::Aborted() && task.GetView() != nullptr)
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  task.EndComputation();
}

}  // namespace

TTaskBodies BuiltInTaskBodies() {
  // The recognition, invariant, search, series and import engines register
  // their bodies here as they are built.
  TTaskBodies bodies;
  bodies.Set(TTaskKind::TuraevViro, RunTuraevViroTask);
  bodies.Set(TTaskKind::DefaultMoves, RunDefaultMovesTask);
  bodies.Set(TTaskKind::TMoveComparison,
             [](TComputationTask& task) { RunTMoveTask(task, RunTMoveComparison); });
  bodies.Set(TTaskKind::TMoveSimplification,
             [](TComputationTask& task) { RunTMoveTask(task, RunTMoveSimplification); });
  return bodies;
}
