#include "shell/information_commands.h"

#include "shell/line_wrapping.h"
#include "shell/spine_reports.h"
#include "shell/structure_reports.h"

namespace {

TCommandOutcome Outcome(bool refused) {
  return refused ? TCommandOutcome::kRefused : TCommandOutcome::kDone;
}

}  // namespace

TCommandOutcome RunViewBoundaryCurves(TCommandRun& run) {
  run.show = TCommandShow::kNothing;
  if (run.InformationMode()) return TCommandOutcome::kRefused;
  int converted = ConvertPresentation(run.Document(), run.Text(), kBoundaryCurvesStyle,
                                      run.Options(), run.output);
  if (converted <= 0) return Outcome(converted < 0);
  run.show = TCommandShow::kDocumentText;
  return TCommandOutcome::kDone;
}

TCommandOutcome RunViewDetails(TCommandRun& run) {
  run.show = TCommandShow::kNothing;
  if (run.InformationMode()) return TCommandOutcome::kRefused;
  int converted =
      ConvertPresentation(run.Document(), run.Text(), kDetailsStyle, run.Options(), run.output);
  if (converted <= 0) return Outcome(converted < 0);
  run.show = TCommandShow::kDocumentText;
  return TCommandOutcome::kDone;
}

TCommandOutcome RunShortInformation(TCommandRun& run) {
  run.Parse();
  PrintShortInformation(run.Document(), run.Text(), run.output);
  return Outcome(!run.HasSpine());
}

TCommandOutcome RunDetails(TCommandRun& run) {
  run.Parse();
  int printed = PrintDetails(run.Document(), run.Text(), run.output, 1);
  return Outcome(!run.HasSpine() || printed == 0);
}

TCommandOutcome RunBoundary(TCommandRun& run) {
  run.Parse();
  PrintBoundary(run.Document(), run.output);
  return Outcome(!run.HasSpine() || !run.Spine().IsThickened());
}

TCommandOutcome RunBoundaryCurves(TCommandRun& run) {
  run.Parse();
  PrintBoundaryCurves(run.Document(), run.output);
  return Outcome(!run.HasSpine());
}

TCommandOutcome RunHomologyGroup(TCommandRun& run) {
  run.Parse();
  int printed = PrintHomologyGroupReport(run.Document(), run.output, 1);
  return Outcome(!run.HasSpine() || printed == 0);
}

TCommandOutcome RunTransformationList(TCommandRun& run) {
  PrintTransformationList(run.Spine(), run.output);
  return Outcome(!run.HasSpine());
}

TCommandOutcome RunDialogWithDebugging(TCommandRun& run) {
  WrapTextLines(run.output, run.Text());
  return TCommandOutcome::kDone;
}
