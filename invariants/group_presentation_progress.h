// The progress of the group-presentation search as the view shows it: the
// document text, the best presentation found so far (with the sphere
// report) and how to stop; and the final report.
//
// One report object lives from the begin to the end of one group task (it
// replaces process-wide report state: nothing outlives the task).
#pragma once

#include <string>

class TGroupPresentation;
class TOutput;
class TPresentationSphere;
class TTaskView;

class TGroupPresentationReport {
 public:
  // BeginGroupPresentationReport: remembers the view (null: progress is not
  // shown), the document text and the sphere the report appends (null: none).
  TGroupPresentationReport(TTaskView* view, std::string documentText, TPresentationSphere* sphere);

  // PrintGroupPresentation: the presentation's text and, with a sphere, the
  // sphere report.
  std::string PresentationText(const TGroupPresentation& presentation) const;
  // ShowGroupPresentationProgress: the document text, a line break, the
  // presentation and "To stop computation press Ctrl+Break", shown in
  // information mode; the status line says how to stop.
  void Show(const TGroupPresentation& presentation) const;
  // EndGroupPresentationReport: the document text, a line break and the
  // presentation, appended to the output.
  void End(TOutput& output, const TGroupPresentation& presentation) const;

 private:
  TTaskView* view_;
  std::string documentText_;
  TPresentationSphere* sphere_;
};
