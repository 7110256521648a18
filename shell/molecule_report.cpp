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
  PrintLabeledMolecule(output, spine, 1);
  return 1;
}

TDocumentReport LabeledMoleculeCommand(std::string_view documentText, const TOptionValues& options) {
  TDocumentSpine document;
  std::string text(documentText);
  document.ParseDocumentText(text.c_str(), options);
  TOutput output;
  TDocumentReport report;
  report.spineBuilt = PrintLabeledMoleculeReport(document, output) == 1;
  report.text.assign(output.Text(), output.TextLength());
  return report;
}
