// TSpineTextView: the text view of a document, without its window.
//
// Every command of the workbench works on a view: it reads the document text,
// computes, and shows a report in the same control. Reports are shown in
// *information mode*: the user's text is kept aside, the report takes its
// place read-only, and "Remove Information" or "Initial State" (F9) brings the
// text back. Commands that rewrite the text (the moves, a recognised
// presentation) put the view in the *transformed state*, in which the text is
// a result, read-only as well, until "Initial State" restores the original.
//
// The kept texts form a stack of two slots: the upper one holds the text to
// restore, the lower one the last report taken down (shown again by "Last
// Information"). Pushing a text moves the upper slot down and drops the lower
// one; restoring shows the upper slot and moves the lower one up.
//
// The view state (1 editing, 2 computing, 3 Simplify dialog open, 4 a report
// or result with a non-empty spine, 5 the same with an empty spine) drives the
// four view buttons of the toolbar.
//
// The view also owns the document's current spine with its parse cache
// (TDocumentSpine) and runs the commands of document_commands.h on it, so the
// desktop program and the command line show the same thing for a command.
//
// This class holds the logic and the texts; the window that shows them is a
// TViewControl (the desktop program's text widget, or a plain text buffer).
// Everything here runs on the user interface thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/command_job.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/task_kind.h"

// What the view needs of the control that shows its text.
class TViewControl {
 public:
  virtual ~TViewControl() = default;
  // The whole text of the control.
  virtual std::string ControlText() const = 0;
  // Replaces the whole text; the caret goes to the start.
  virtual void SetControlText(std::string_view text) = 0;
  virtual void SetControlReadOnly(bool readOnly) = 0;
  // The view state changed (the frame's toolbar follows it).
  virtual void ViewStateChanged(int state) = 0;
};

// A control that is a plain text buffer (the command line, tests).
class TTextBufferControl : public TViewControl {
 public:
  std::string ControlText() const override { return text; }
  void SetControlText(std::string_view t) override { text = std::string(t); }
  void SetControlReadOnly(bool r) override { readOnly = r; }
  void ViewStateChanged(int state) override { viewState = state; }

  std::string text;
  bool readOnly = false;
  int viewState = 0;
};

// The view states.
inline constexpr int kViewEditing = 1;
inline constexpr int kViewComputing = 2;
inline constexpr int kViewSimplifyDialog = 3;
inline constexpr int kViewReportWithSpine = 4;
inline constexpr int kViewReportWithoutSpine = 5;

// The view modes: what kind of computation the view is in.
inline constexpr int kViewModeOther = 1;
inline constexpr int kViewModeRecognition = 2;
inline constexpr int kViewModeSeries = 3;

class TSpineTextView {
 public:
  explicit TSpineTextView(TViewControl& control) : control_(control) {}
  TSpineTextView(const TSpineTextView&) = delete;
  TSpineTextView& operator=(const TSpineTextView&) = delete;

  // ---- Text transfer and the kept texts ----
  // keep: the text becomes the last information and nothing is shown;
  // otherwise it replaces the whole control text and the read-only state
  // follows the modes. Returns 1.
  int WriteText(std::string_view text, bool keep);
  // last: the last information (empty when none is kept); otherwise the whole
  // control text.
  std::string ReadText(bool last) const;
  // Pushes the whole control text onto the kept texts.
  void SaveOriginalText();
  // Nothing for no text; otherwise the lower slot is dropped, the upper slot
  // moves down and the text becomes the upper slot.
  void PushSavedText(std::optional<std::string_view> text);
  // Without an upper slot nothing happens; otherwise its text is shown, the
  // lower slot moves up and the lower slot becomes empty.
  void RestoreOriginalText();
  // The control is read-only exactly in information mode or the transformed state.
  void SetReadOnlyByState();

  // ---- Modes ----
  // Turns information mode on (keeping the shown text) or off (restoring it
  // and keeping the report as the last information); shows the report when
  // one is given; sets the status line; returns the new view state.
  int SetInformationMode(bool on, std::optional<std::string_view> report);
  void SetTransformedState(bool transformed);
  void SetViewState(int state);

  // ---- Commands of the view ----
  // "Initial State": leaves information mode and, in the transformed state,
  // brings back the text that was transformed.
  void OnInitialState();
  // "Remove Information".
  void OnRemoveInformation();
  // "Last Information": shows the last report taken down, in information mode.
  void OnLastInformation();
  // Runs a command of the table on the document and shows its answer: a
  // report in information mode, a converted presentation as the new document
  // text (which then counts as parsed). Refused (kRefused, nothing changes)
  // while a computation runs and for an id without a body. The output the
  // command composed is copied to *composed when given; *messageOnly (when
  // given) tells whether it is only the reason of a refusal (see
  // TCommandRun::messageOnly). A command that the user stops (its engine
  // throws TComputationStopped) shows nothing: the view returns to the
  // document, the spine is dropped and kStopped returned.
  TCommandOutcome RunCommand(const TDocumentCommands& commands, int id,
                             const TOptionValues& options,
                             const std::atomic<int>* stopFlag = nullptr,
                             std::string* composed = nullptr, bool* messageOnly = nullptr);

  // The same command in three steps, for a run off the user interface
  // thread (command_job.h). PrepareCommand is refused (nothing, nothing
  // changes) where RunCommand is; otherwise the view is computing (view state
  // 2, read-only) until FinishCommand. ExecuteCommand throws nothing: a stop
  // or a failure is recorded in the job. FinishCommand shows the result, or
  // for a job that shows nothing brings back the view as it was.
  std::optional<TCommandJob> PrepareCommand(const TDocumentCommands& commands, int id,
                                            const TOptionValues& options);
  void ExecuteCommand(const TDocumentCommands& commands, TCommandJob& job,
                      const std::atomic<int>* stopFlag = nullptr);
  void FinishCommand(const TCommandJob& job);

  // The parse of the document text into the current spine. Nothing is parsed
  // in information mode (a report is no presentation): 0. Otherwise the
  // control text is parsed unless it was parsed last with the same settings;
  // a new non-empty spine pushes the text as the text to restore (so that
  // "Initial State" brings it back after the moves). Returns 1 when the spine
  // is not empty afterwards; an empty spine clears the transformed state.
  int ParseDocumentText(const TOptionValues& options);
  TDocumentSpine& Document() { return document_; }

  // The text a computation works on: the control text, or in information mode
  // the text the current spine was parsed from (a report is never parsed).
  std::string CommandText() const;
  // The text that saving the document writes: the user's text, never a report
  // (in information mode the text that leaving it brings back).
  std::string DocumentTextToSave() const;

  // ---- Computation hooks ----
  void BeginComputation(TTaskKind kind);
  void EndComputation(TTaskKind kind);

  // ---- State ----
  bool InformationMode() const { return informationMode_; }
  bool Transformed() const { return transformed_; }
  bool Computing() const { return computing_; }
  bool SpineEmpty() const { return spineEmpty_; }
  bool LastInformationKept() const { return lastInformation_.has_value(); }
  int ViewState() const { return viewState_; }
  int ViewMode() const { return viewMode_; }
  unsigned StepCounter() const { return stepCounter_; }

 private:
  TViewControl& control_;
  std::optional<std::string> lastInformation_;  // lower slot
  std::optional<std::string> savedOriginal_;    // upper slot
  TDocumentSpine document_;  // the current spine and the text it was parsed from
  int viewMode_ = kViewModeOther;
  bool informationMode_ = false;
  bool transformed_ = false;
  bool computing_ = false;
  bool spineEmpty_ = true;
  int viewState_ = kViewEditing;
  unsigned stepCounter_ = 0;
};
