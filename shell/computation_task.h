// TComputationTask: one long command handed to the worker thread.
//
// The launcher (a command handler on the user interface thread) creates the
// task, gives it its kind, its view, the document text and a copy of the
// option settings, and hands it to the task runner (task_runner.h). From then
// on the task belongs to the worker: the body of its kind works on the task's
// copy of the settings and writes its report into the task's output, which
// lives in a private heap of the task's own, so that everything the report
// needed is freed at once when the task is destroyed.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/output.h"
#include "foundation/private_heap.h"
#include "shell/options.h"
#include "shell/task_kind.h"

class TTaskView;

class TComputationTask {
 public:
  // Creates the task's private heap (without making it current) and binds
  // the output to it. Throws std::bad_alloc when the heap cannot be created.
  // Touches no flag: a task may be made while another one runs (and is then
  // refused by the runner).
  TComputationTask();
  // Destroys the output, then the heap.
  ~TComputationTask();
  TComputationTask(const TComputationTask&) = delete;
  TComputationTask& operator=(const TComputationTask&) = delete;

  // ---- Kind (set once by the launcher) ----
  void SetKind(TTaskView* view, TTaskKind kind);
  // Kind 7: the orders first..last of the Turaev-Viro invariants; variant 3
  // the invariants themselves, 2 their homologically trivial part.
  void SetKindOrders(TTaskView* view, int firstOrder, int lastOrder, int variant);
  // Kind 11: the Simplify dialog whose normal-surface search runs. The dialog
  // is opaque here; its own search body knows its type.
  void SetDialogKind(void* dialog);

  TTaskKind GetKind() const { return kind_; }
  TTaskView* GetView() const { return view_; }
  int FirstOrder() const { return firstOrder_; }
  int LastOrder() const { return lastOrder_; }
  int Variant() const { return variant_; }
  void* Dialog() const { return dialog_; }

  // ---- What the task works on ----
  // The document text as it was when the command was given.
  void SetDocumentText(std::string text) { documentText_ = std::move(text); }
  const std::string& DocumentText() const { return documentText_; }
  // The task's copy of the settings. The body may change it (a preset for
  // one stage, say); the runner writes the start values of the preset-steered
  // settings back when the body returns.
  void SetOptions(const TOptionValues& options) { options_ = options; }
  TOptionValues& Options() { return options_; }
  const TOptionValues& Options() const { return options_; }

  THeapHandle Heap() const { return heap_; }
  // The report text of the task (text mode, in the task's heap).
  TOutput& Output() { return output_; }

  // ---- The view hooks, called by the bodies ----
  // Forward to the view (when there is one) and note that they ran, so that
  // the runner can end a computation that a body began and left on an early
  // return or an exception.
  void BeginComputation();
  void EndComputation();
  bool ComputationOpen() const { return begun_ && !ended_; }

  // The abort flag: a body returns at once, showing nothing, when it is set.
  static bool Aborted();

 private:
  // Until a kind is set the task is of kind 14, which the worker never runs.
  TTaskKind kind_ = TTaskKind::InternalTableLoad;
  int firstOrder_ = -1;
  int lastOrder_ = -1;
  int variant_ = 0;
  void* dialog_ = nullptr;
  THeapHandle heap_ = nullptr;
  TTaskView* view_ = nullptr;
  std::string documentText_;
  TOptionValues options_;
  bool begun_ = false;
  bool ended_ = false;
  TOutput output_;
};
