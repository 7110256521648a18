// The "Labeled Molecule" command. See molecule_report.h.
#include "shell/molecule_report.h"

#include <string>

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
  return PrintLabeledMoleculeReport(run.Document(), run.output) == 1 ? TCommandOutcome::kDone
                                                                     : TCommandOutcome::kRefused;
}
