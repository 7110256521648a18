// The "Labeled Molecule" command. See molecule_report.h.
#include "shell/molecule_report.h"

#include <string>

#include "shell/manifold_refusal.h"
#include "shell/molecule_printer.h"
#include "shell/spine_reports.h"

int PrintLabeledMoleculeReport(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  document.EnsureThickened();
  PrintLabeledMolecule(output, spine, 1);
  return 1;
}

TCommandOutcome RunLabeledMolecule(TCommandRun& run) {
  run.Parse();
  // The molecule is the thickening's.
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  return PrintLabeledMoleculeReport(run.Document(), run.output) == 1 ? TCommandOutcome::kDone
                                                                     : TCommandOutcome::kRefused;
}
