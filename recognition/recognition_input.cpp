#include "recognition/recognition_input.h"

#include "model/spine.h"
#include "shell/manifold_refusal.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"

TSpine* RecognitionInput(TCommandRun& run, std::string& homology) {
  homology.clear();
  run.Parse();
  if (NoteWithoutManifold(run)) return nullptr;
  TSpine& spine = run.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(run.output);
    return nullptr;
  }
  run.Document().EnsureThickened();
  if (spine.HomologyList() != nullptr || spine.ComputeHomology() != 0) {
    TOutput text;
    PrintHomologyGroup(text, spine.HomologyList());
    homology = text.Text();
  }
  return &spine;
}
