#include "shell/task_bodies.h"

#include "shell/turaev_viro_commands.h"

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

TTaskBodies BuiltInTaskBodies() {
  // The recognition, invariant, search, series and import engines register
  // their bodies here as they are built.
  TTaskBodies bodies;
  bodies.Set(TTaskKind::TuraevViro, RunTuraevViroTask);
  return bodies;
}
