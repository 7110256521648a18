#include "invariants/group_presentation_progress.h"

#include <utility>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "invariants/group_presentation.h"
#include "invariants/group_presentation_sphere.h"
#include "shell/task_view.h"

namespace {

constexpr int kStopHintId = 9270;

std::string StopHint() {
  TString hint;
  hint.LoadResource(kStopHintId);
  return std::string(hint.CStr()) + "\r\n";
}

}  // namespace

TGroupPresentationReport::TGroupPresentationReport(TTaskView* view, std::string documentText,
                                                   TPresentationSphere* sphere)
    : view_(view), documentText_(std::move(documentText)), sphere_(sphere) {}

std::string TGroupPresentationReport::PresentationText(const TGroupPresentation& presentation) const {
  std::string text = presentation.Text();
  if (sphere_ != nullptr && sphere_->Active()) text += sphere_->Report(presentation);
  return text;
}

void TGroupPresentationReport::Show(const TGroupPresentation& presentation) const {
  if (view_ == nullptr) return;
  const std::string hint = StopHint();
  view_->SetInformationMode(true, documentText_ + "\r\n" + PresentationText(presentation) + hint);
  ReportStatus(TString(hint.c_str()), -1);
}

void TGroupPresentationReport::End(TOutput& output, const TGroupPresentation& presentation) const {
  output.AppendText(documentText_.c_str());
  output.NewLines(1);
  output.AppendText(PresentationText(presentation).c_str());
}
