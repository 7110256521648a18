#include "invariants/hyperbolic/spine_curves_text.h"

#include <memory>

#include "foundation/heap_string.h"
#include "model/objman.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"

std::string SpineCurvesText(const TSpine& spine) {
  std::unique_ptr<TSpine> copy(new TSpine);
  spine.CopyTo(*copy);
  copy->Objects().Renumber();
  TString text;
  TBoundaryCurvesPresentation::Write(text, *copy, kCellsChained);
  return text.CStr() == nullptr ? std::string() : std::string(text.CStr());
}
