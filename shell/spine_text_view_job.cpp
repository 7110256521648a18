// The three steps of a command of the view run off the user interface thread
// (command_job.h). ExecuteCommand touches only the job and the document spine;
// everything the control shows and the kept texts are changed by
// FinishCommand, on the thread that owns the control, in the order in which
// TSpineTextView::RunCommand changes them.
#include <exception>
#include <utility>

#include "foundation/stop_poll.h"
#include "shell/spine_text_view.h"

std::optional<TCommandJob> TSpineTextView::PrepareCommand(const TDocumentCommands& commands,
                                                          int id, const TOptionValues& options) {
  if (commands.Find(id) == nullptr || computing_) return std::nullopt;
  TCommandJob job;
  job.id = id;
  job.options = options;
  job.controlText = control_.ControlText();
  job.informationMode = informationMode_;
  job.transformed = transformed_;
  job.stepCounter = stepCounter_;
  job.viewMode = viewMode_;
  job.viewStateBefore = viewState_;
  computing_ = true;
  // The text the job read stays as it is until the answer replaces it.
  control_.SetControlReadOnly(true);
  SetViewState(kViewComputing);
  return job;
}

void TSpineTextView::ExecuteCommand(const TDocumentCommands& commands, TCommandJob& job,
                                    const std::atomic<int>* stopFlag) {
  const TCommandBody* body = commands.Find(job.id);
  if (body == nullptr) return;
  // The view's parse (ParseDocumentText) on the text the job copied; its
  // effects on the kept texts wait in the job.
  bool parsing = false;
  auto parse = [this, &job, &parsing]() -> int {
    if (job.informationMode) return 0;
    const std::string& text = job.controlText;
    const bool reparse = !document_.HasParsedText() || document_.ParsedText() != text ||
                         document_.Spine().IsEmpty();
    parsing = true;
    const int result = document_.ParseDocumentText(text.c_str(), job.options, job.viewMode);
    parsing = false;
    if (reparse && result == 1 && job.viewMode != kViewModeSeries) job.pushedTexts.push_back(text);
    job.parsed = true;
    job.parsedSpineEmpty = result == 0;
    return result;
  };
  try {
    TDocumentSpine::TScope scope(document_);
    TCommandRun run(document_, job.controlText, job.options, job.informationMode, stopFlag, parse);
    run.stepCounter = job.stepCounter;
    run.transformed = job.transformed;
    job.outcome = (*body)(run);
    job.show = run.show;
    job.stepCounter = run.stepCounter;
    job.transformed = run.transformed;
    job.shown.assign(run.output.Text(), run.output.TextLength());
    job.spineEmpty = document_.Spine().IsEmpty();
    if (job.outcome != TCommandOutcome::kStopped && job.show == TCommandShow::kDocumentText) {
      document_.SetParsedText(job.shown, job.options);
    }
  } catch (const TComputationStopped&) {
    job.stopped = true;
  } catch (const std::exception& error) {
    job.failure = error.what();
  } catch (...) {
    job.failure = "unknown exception";
  }
  if (parsing) {
    // A parse cut short leaves no half-built spine behind. (A body stopped
    // after the parse leaves the spine as it was: the engines roll back
    // what they change.)
    job.spineReset = true;
    try {
      document_.Reset();
    } catch (const std::exception& error) {
      if (!job.failure) job.failure = error.what();
    }
  }
}

void TSpineTextView::FinishCommand(const TCommandJob& job) {
  computing_ = false;
  SetViewState(job.viewStateBefore);
  SetReadOnlyByState();
  if (job.spineReset) {
    spineEmpty_ = true;
  } else {
    // A parse that ended is kept, also under a body that was stopped.
    for (const std::string& text : job.pushedTexts) PushSavedText(text);
    if (job.parsed) {
      spineEmpty_ = job.parsedSpineEmpty;
      if (spineEmpty_) SetTransformedState(false);
    }
  }
  if (job.ShowsNothing()) return;
  stepCounter_ = job.stepCounter;
  if (job.transformed) SetTransformedState(true);
  spineEmpty_ = job.spineEmpty;
  if (job.show == TCommandShow::kDocumentText) {
    WriteText(job.shown, false);
    SaveOriginalText();
  }
  if (job.show == TCommandShow::kReport) SetInformationMode(true, job.shown);
}
