// What a computation reaches of the view that started it.
//
// A task runs on the worker thread but shows its results in a view that
// belongs to the user interface thread. Every call of this interface is made
// from the worker; an implementation hands it on to its own thread (the
// desktop program posts it as a queued signal) and returns, keeping the order
// of the calls. The texts are passed by value, because the task's heap and its
// output are gone by the time the user interface shows them.
//
// The begin and end hooks bracket the body of most kinds: the view switches
// its menus and toolbar to the computing state and back. The runner makes sure
// that a body which began a computation also ends it, on every path.
#pragma once

#include <optional>
#include <string>

#include "shell/task_kind.h"

class TTaskView {
 public:
  virtual ~TTaskView() = default;

  // The computation of this kind begins: menus and toolbar switch to the
  // computing state (Recognize becomes Stop, the other commands are disabled).
  virtual void BeginComputation(TTaskKind kind) = 0;
  // It ends: menus and toolbar switch back.
  virtual void EndComputation(TTaskKind kind) = 0;

  // Information mode on or off; with a report, the report is shown read-only
  // in place of the document text (which is kept and restored by "Initial State").
  virtual void SetInformationMode(bool on, std::optional<std::string> report) = 0;
  // Replaces the whole text of the view (a transformed presentation, say).
  virtual void WriteText(std::string text) = 0;
  // Keeps the text now shown as the text that "Initial State" restores.
  virtual void SaveOriginalText() = 0;
  // The view shows a transformation of the user's text (read-only).
  virtual void SetTransformedState(bool transformed) = 0;
  // A search the user waits for has found something: a short sound (the
  // desktop program beeps; a view without a speaker does nothing).
  virtual void Beep() {}
};
