#include "shell/spine_text_view.h"

#include <utility>

#include "foundation/status_reporter.h"
#include "foundation/string_table.h"

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
      if (transformed_ && parsedText_ && control_.ControlText() == *parsedText_) {
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
    parsedText_.reset();
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

void TSpineTextView::ShowCommandReport(std::string_view report, std::string_view commandText,
                                       bool spineBuilt) {
  spineEmpty_ = !spineBuilt;
  if (spineBuilt) {
    parsedText_ = std::string(commandText);
  } else {
    parsedText_.reset();
  }
  SetInformationMode(true, report);
}

std::string TSpineTextView::CommandText() const {
  if (informationMode_) return parsedText_.value_or(std::string());
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
    parsedText_.reset();
    transformed_ = false;
    stepCounter_ = 0;
    SetReadOnlyByState();
  }
  SetViewState(spineEmpty_ ? kViewReportWithoutSpine : kViewReportWithSpine);
}
