#include "shell/task_kind.h"

std::optional<TTaskKind> TaskKindOfNumber(std::uint32_t number) {
  if (number < kFirstTaskKind || number > kLastTaskKind) return std::nullopt;
  return static_cast<TTaskKind>(number);
}

bool RunsOnWorker(TTaskKind kind) { return kind != TTaskKind::InternalTableLoad; }

int RecognitionModeOfTask(TTaskKind kind) {
  switch (kind) {
    case TTaskKind::RecognizeTillFirst:
      return 1;
    case TTaskKind::RecognizeTillMain:
      return 2;
    case TTaskKind::RecognizeAll:
      return 3;
    default:
      return 0;
  }
}

TWorkerPriority WorkerPriorityOf(TTaskKind kind) {
  switch (kind) {
    case TTaskKind::SurfaceSearch:
    case TTaskKind::NormalSurfaceSearch:
      return TWorkerPriority::Normal;
    case TTaskKind::SimplifyDialogSearch:
      return TWorkerPriority::BelowNormal;
    default:
      return TWorkerPriority::Lowest;
  }
}
