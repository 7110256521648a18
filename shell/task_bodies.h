// The bodies of the task kinds: what the worker runs for each kind.
//
// A body is a function of the task. It runs on the worker thread inside a
// fresh heap context of its own, works on the task's copy of the settings,
// writes its report into the task's output and shows it through the task's
// view (task_view.h). It polls the stop flags through its engines, tests the
// abort flag after every engine call and returns at once when it is set, and
// brackets its work with the task's BeginComputation and EndComputation.
//
// A kind whose engine does not exist in this build has no body; the menus do
// not offer its commands.
#pragma once

#include <array>
#include <functional>

#include "shell/task_kind.h"

class TComputationTask;

using TTaskBody = std::function<void(TComputationTask& task)>;

class TTaskBodies {
 public:
  // Sets or (with an empty function) removes the body of a kind. The body of
  // the table load (14) is never run by the worker and is not kept.
  void Set(TTaskKind kind, TTaskBody body);
  // The body of a kind, or null when it has none.
  const TTaskBody* Find(TTaskKind kind) const;
  bool Has(TTaskKind kind) const { return Find(kind) != nullptr; }

 private:
  std::array<TTaskBody, kLastTaskKind + 1> bodies_{};
};

// The bodies of the engines built into the program.
TTaskBodies BuiltInTaskBodies();
