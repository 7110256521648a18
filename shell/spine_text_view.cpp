#include "shell/spine_text_view.h"

#include <utility>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "model/object_header.h"

namespace {

constexpr int kRestoreHintId = 9810;

bool ResetsSpineAtEnd(TTaskKind kind) {
  switch (kind) {
    case TTaskKind::SeriesRun:
    case TTaskKind::RecognizeTillFirst:
    case TTaskKind::RecognizeTillMain:
    case TTaskKind::RecognizeAll:
    case TTaskKind::TMoveComparison:
    case TTaskKind::TMoveSimplification:
      return true;
    default:
      return false;
  }
}

}  // namespace

int TSpineTextView::WriteText(std::string_view text, bool keep) {
  if (keep) {
    lastInformation_ = std::string(text);
    return 1;
  }
  control_.SetControlText(text);
  SetReadOnlyByState();
  return 1;
}

std::string TSpineTextView::ReadText(bool last) const {
  if (last) return lastInformation_.value_or(std::string());
  return control_.ControlText();
}

void TSpineTextView::SaveOriginalText() { PushSavedText(control_.ControlText()); }

void TSpineTextView::PushSavedText(std::optional<std::string_view> text) {
  if (!text) return;
  lastInformation_ = std::move(savedOriginal_);
  savedOriginal_ = std::string(*text);
}

void TSpineTextView::RestoreOriginalText() {
  if (!savedOriginal_) return;
  control_.SetControlText(*savedOriginal_);
  savedOriginal_ = std::move(lastInformation_);
  lastInformation_.reset();
  SetReadOnlyByState();
}

void TSpineTextView::SetReadOnlyByState() {
  control_.SetControlReadOnly(informationMode_ || transformed_);
}

int TSpineTextView::SetInformationMode(bool on, std::optional<std::string_view> report) {
  if (on != informationMode_) {
    informationMode_ = on;
    if (on) {
      SaveOriginalText();
    } else {
      const std::string shown = control_.ControlText();
      RestoreOriginalText();
      WriteText(shown, true);
      if (transformed_ && document_.HasParsedText() &&
          control_.ControlText() == document_.ParsedText()) {
        SetTransformedState(false);
      }
      ClearStatusLine();
    }
  }
  if (report) WriteText(*report, false);
  SetReadOnlyByState();
  if (on) {
    ShowStatusText(std::string(StringTableText(kRestoreHintId).value_or("")).c_str());
  } else {
    ClearStatusLine();
  }
  if (viewState_ != kViewSimplifyDialog) {
    if (!on) {
      SetViewState(kViewEditing);
    } else if (computing_) {
      SetViewState(kViewComputing);
    } else {
      SetViewState(spineEmpty_ ? kViewReportWithoutSpine : kViewReportWithSpine);
    }
  }
  return viewState_;
}

void TSpineTextView::SetTransformedState(bool transformed) {
  if (transformed == transformed_) return;
  transformed_ = transformed;
  SetReadOnlyByState();
  if (!transformed) {
    document_.ForgetParsedText();
    stepCounter_ = 0;
  }
}

void TSpineTextView::SetViewState(int state) {
  if (state == viewState_) return;
  viewState_ = state;
  control_.ViewStateChanged(state);
}

void TSpineTextView::OnInitialState() {
  SetInformationMode(false, std::nullopt);
  if (transformed_) {
    SetTransformedState(false);
    RestoreOriginalText();
    ClearStatusLine();
  }
}

void TSpineTextView::OnRemoveInformation() { SetInformationMode(false, std::nullopt); }

void TSpineTextView::OnLastInformation() {
  if (!lastInformation_) return;
  const std::string text = *lastInformation_;
  SetInformationMode(true, text);
}

TCommandOutcome TSpineTextView::RunCommand(const TDocumentCommands& commands, int id,
                                           const TOptionValues& options,
                                           const std::atomic<int>* stopFlag,
                                           std::string* composed, bool* messageOnly) {
  const TCommandBody* body = commands.Find(id);
  if (body == nullptr || computing_) return TCommandOutcome::kRefused;
  TCommandOutcome outcome = TCommandOutcome::kRefused;
  std::string shown;
  TCommandShow show = TCommandShow::kNothing;
  bool message = false;
  bool stopped = false;
  {
    TDocumentSpine::TScope scope(document_);
    // A command names objects as its spine's reader chose (TCommandRun::Parse);
    // afterwards the switch is as it was, whatever way the command ended.
    TSuppressObjectNamesScope naming(SuppressObjectNames.load());
    TCommandRun run(document_, control_.ControlText(), options, informationMode_, stopFlag,
                    [this, &options] { return ParseDocumentText(options); });
    run.stepCounter = stepCounter_;
    run.transformed = transformed_;
    try {
      outcome = (*body)(run);
    } catch (const TComputationStopped&) {
      // A spine that a stopped parse or move may have left half-built is
      // dropped: the next command reads the text again.
      stopped = true;
      document_.Reset();
      spineEmpty_ = true;
    }
    if (!stopped) {
      show = run.show;
      stepCounter_ = run.stepCounter;
      if (run.transformed) SetTransformedState(true);
      shown.assign(run.output.Text(), run.output.TextLength());
      spineEmpty_ = document_.Spine().IsEmpty();
      // A refusal after a parse that gave no spine shows only why.
      message = run.messageOnly || (outcome == TCommandOutcome::kRefused && spineEmpty_ &&
                                    document_.HasParsedText() && !informationMode_);
      if (show == TCommandShow::kDocumentText) {
        // The converted text counts as parsed: the next command does not read
        // it again.
        WriteText(shown, false);
        SaveOriginalText();
        document_.SetParsedText(shown, options);
      }
    }
  }
  if (stopped) {
    // Nothing half-done is shown: the view returns to the document.
    SetInformationMode(false, std::nullopt);
    if (composed != nullptr) composed->clear();
    return TCommandOutcome::kStopped;
  }
  if (show == TCommandShow::kReport) SetInformationMode(true, shown);
  if (composed != nullptr) *composed = std::move(shown);
  if (messageOnly != nullptr) *messageOnly = message;
  return outcome;
}

int TSpineTextView::ParseDocumentText(const TOptionValues& options) {
  if (informationMode_) return 0;
  TDocumentSpine::TScope scope(document_);
  const std::string text = control_.ControlText();
  const bool reparse = !document_.HasParsedText() || document_.ParsedText() != text ||
                       document_.Spine().IsEmpty();
  int result = document_.ParseDocumentText(text.c_str(), options, viewMode_);
  if (reparse && result == 1 && viewMode_ != kViewModeSeries) PushSavedText(text);
  spineEmpty_ = result == 0;
  if (spineEmpty_) SetTransformedState(false);
  return result;
}

std::string TSpineTextView::CommandText() const {
  if (informationMode_) return document_.HasParsedText() ? document_.ParsedText() : std::string();
  return control_.ControlText();
}

std::string TSpineTextView::DocumentTextToSave() const {
  if (informationMode_ && savedOriginal_) return *savedOriginal_;
  return control_.ControlText();
}

void TSpineTextView::BeginComputation(TTaskKind kind) {
  switch (kind) {
    case TTaskKind::SeriesRun:
      viewMode_ = kViewModeSeries;
      break;
    case TTaskKind::RecognizeTillFirst:
    case TTaskKind::RecognizeTillMain:
    case TTaskKind::RecognizeAll:
      viewMode_ = kViewModeRecognition;
      break;
    case TTaskKind::ImportOneCuspByAtoms:
    case TTaskKind::ImportOneCuspByKnots:
    case TTaskKind::ImportOneCuspByLinks:
    case TTaskKind::ImportTwoCuspByLinks:
      break;
    default:
      viewMode_ = kViewModeOther;
      break;
  }
  computing_ = true;
  SetViewState(kViewComputing);
}

void TSpineTextView::EndComputation(TTaskKind kind) {
  viewMode_ = kViewModeOther;
  computing_ = false;
  if (ResetsSpineAtEnd(kind)) {
    // The next command parses the text again.
    spineEmpty_ = true;
    document_.Reset();
    transformed_ = false;
    stepCounter_ = 0;
    SetReadOnlyByState();
  }
  SetViewState(spineEmpty_ ? kViewReportWithoutSpine : kViewReportWithSpine);
}
