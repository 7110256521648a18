#include "shell/computation_task.h"

#include <new>

#include "foundation/stop_flags.h"
#include "shell/task_view.h"

TComputationTask::TComputationTask() {
  heap_ = PrivateHeapCreate(0);
  if (heap_ == nullptr) throw std::bad_alloc();
  output_.UseHeap(heap_);
}

TComputationTask::~TComputationTask() {
  // The output's text lives in the heap: free it first.
  output_.Destroy();
  PrivateHeapDestroy(heap_);
}

void TComputationTask::SetKind(TTaskView* view, TTaskKind kind) {
  view_ = view;
  kind_ = kind;
}

void TComputationTask::SetKindOrders(TTaskView* view, int firstOrder, int lastOrder, int variant) {
  view_ = view;
  kind_ = TTaskKind::TuraevViro;
  firstOrder_ = firstOrder;
  lastOrder_ = lastOrder;
  variant_ = variant;
}

void TComputationTask::SetDialogKind(void* dialog) {
  kind_ = TTaskKind::SimplifyDialogSearch;
  dialog_ = dialog;
}

void TComputationTask::BeginComputation() {
  begun_ = true;
  ended_ = false;
  if (view_ != nullptr) view_->BeginComputation(kind_);
}

void TComputationTask::EndComputation() {
  ended_ = true;
  if (view_ != nullptr) view_->EndComputation(kind_);
}

bool TComputationTask::Aborted() { return IsAbortRequested(); }
