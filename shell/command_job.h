// TCommandJob: one command of a view, run in three steps so that its work can
// leave the user interface thread.
//
// A command of the view (document_commands.h) parses the document text and
// composes a report; either can take minutes on a large or crafted text. The
// desktop program therefore splits TSpineTextView::RunCommand in three:
//   1. PrepareCommand (user interface thread) copies what the command reads
//      of the view (its text, its modes) into the job and marks the view
//      computing;
//   2. ExecuteCommand (any one thread, typically the worker) parses and runs
//      the body on the view's document spine and records in the job what the
//      view is to show and how its kept texts change;
//   3. FinishCommand (user interface thread again) applies the record to the
//      view, exactly as RunCommand would have at its end.
// Between 1 and 3 the view's document belongs to the job: nothing else may
// parse, run a command or read the spine.
//
// A stop (TComputationStopped from a polled loop, or a body that answers
// kStopped) and a failure (any other exception) show nothing: the view
// returns to the state it had before the command, with its text. A parse cut
// short empties the spine, so that the next command parses the text afresh
// and no half-built spine is ever used.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/document_commands.h"
#include "shell/options.h"

struct TCommandJob {
  // ---- Set by PrepareCommand ----
  int id = 0;
  TOptionValues options;
  std::string controlText;
  bool informationMode = false;
  bool transformed = false;
  unsigned stepCounter = 0;
  int viewMode = 1;
  int viewStateBefore = 1;

  // ---- Set by ExecuteCommand ----
  TCommandOutcome outcome = TCommandOutcome::kRefused;
  TCommandShow show = TCommandShow::kNothing;
  std::string shown;
  // The view's parse ran (at least once); its effects on the view, in order:
  // the texts pushed as texts to restore, and whether the spine was empty
  // after the last parse.
  bool parsed = false;
  std::vector<std::string> pushedTexts;
  bool parsedSpineEmpty = true;
  // After the body: the spine is empty, the new step counter and transformed state.
  bool spineEmpty = true;
  // The command was stopped by the user; or it failed, and why.
  bool stopped = false;
  std::optional<std::string> failure;
  // The parse was cut short and the spine emptied: the next command parses
  // the text afresh.
  bool spineReset = false;

  // Nothing of the command is shown: stopped, failed, or stopped by its body.
  bool ShowsNothing() const {
    return stopped || failure.has_value() || outcome == TCommandOutcome::kStopped;
  }
};
