#include "shell/task_bodies.h"

#include "shell/atom_table_commands.h"
#include "shell/turaev_viro_commands.h"
#include "shell/computation_task.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
#include "shell/surface_commands.h"
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

// Imports of cusped presentations (kinds 15 to 18): the table text with the
// document's presentations added, shown in information mode.
void RunImportTask(TComputationTask& task, int kind) {
  task.BeginComputation();
  {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, task.DocumentText(), task.Options());
    RunImportPresentations(run, kind);
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
  bodies.Set(TTaskKind::ImportOneCuspByAtoms, [](TComputationTask& task) { RunImportTask(task, 15); });
  bodies.Set(TTaskKind::ImportOneCuspByKnots, [](TComputationTask& task) { RunImportTask(task, 16); });
  bodies.Set(TTaskKind::ImportOneCuspByLinks, [](TComputationTask& task) { RunImportTask(task, 17); });
  bodies.Set(TTaskKind::ImportTwoCuspByLinks, [](TComputationTask& task) { RunImportTask(task, 18); });
  bodies.Set(TTaskKind::SurfaceSearch, RunSurfaceSearchTask);
  bodies.Set(TTaskKind::NormalSurfaceSearch, RunNormalSurfaceSearchTask);
  return bodies;
}
