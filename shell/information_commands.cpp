#include "shell/information_commands.h"

#include "shell/line_wrapping.h"
#include "shell/manifold_refusal.h"
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

// The short information of a complex that does not thicken still describes
// the complex, and says why it does not thicken; it is no manifold's.
TCommandOutcome RunShortInformation(TCommandRun& run) {
  run.Parse();
  PrintShortInformation(run.Document(), run.Text(), run.output);
  return Outcome(!run.HasSpine() || ThickeningFailed(run));
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

// The homology group is the manifold's. A complex that does not thicken (a
// disc left by the reductions, a text that is no spine) gives no manifold:
// the command refuses with the reason and prints no group, so that no group
// of a mere complex passes for a manifold's. Short Information still
// describes such a complex, its own homology included.
TCommandOutcome RunHomologyGroup(TCommandRun& run) {
  run.Parse();
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  int printed = PrintHomologyGroupReport(run.Document(), run.output, 1);
  return Outcome(!run.HasSpine() || printed == 0);
}

// The list of the moves made on the document's spine since it was read; a
// document whose text was not read into a spine yet has none.
TCommandOutcome RunTransformationList(TCommandRun& run) {
  if (!run.HasSpine()) {
    run.output.AppendText(
        "There is no transformation list: no move has been made on a spine of this document");
    run.output.NewLines(1);
    run.messageOnly = true;
    return TCommandOutcome::kRefused;
  }
  PrintTransformationList(run.Spine(), run.output);
  return TCommandOutcome::kDone;
}

TCommandOutcome RunDialogWithDebugging(TCommandRun& run) {
  WrapTextLines(run.output, run.Text());
  return TCommandOutcome::kDone;
}
