// Spines of Heegaard diagrams, genus-2 and extended, and the loaders that the
// document parse calls.
//
// The cells come from the constructions on a complex (heegaard_complex.cpp,
// heegaard_star_complex.cpp, ext_heegaard_complex.cpp); a spine is a complex
// with its source kind, numbered afresh once built.
//
// After a cell is removed (the extended build's extra disc, the star form's
// handle cells) the cell reductions unite the cells that met only there.
//
// Not yet done here: the star road's numbering of the ring's cells and
// vertices through the thickening of the spine.
#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "presentations/details_description.h"
#include "presentations/ext_heegaard_complex.h"
#include "presentations/ext_heegaard_diagram.h"
#include "presentations/heegaard_complex.h"
#include "presentations/heegaard_diagram.h"
#include "presentations/heegaard_text_support.h"

int THeegaardDiagram::BuildSpine(TSpine& spine) {
  if (kind_ == 4) return BuildStarSpine(spine);
  spine.Objects().SetCreationTag(1);
  const int result = BuildHeegaardComplex(*this, spine);
  if (result == 5 || result == 0) return result;
  RunCellReductions(spine);
  spine.Objects().Renumber();
  spine.SetSourceKind(kSourceHeegaardDiagram);
  return result;
}

int THeegaardDiagram::BuildStarSpine(TSpine& spine) {
  // A diagram that is not in star form is refused as it stands.
  if (!StarFormAllowed(*this)) return 0;
  TDetailsDescription description;
  THeegaardStarBuild build;
  GlueHeegaardStarDetails(*this, description, build);
  // The details' own completeness report would only confuse a reader of a
  // Heegaard diagram.
  SuppressStatus();
  const int built = description.BuildComplex(spine, 2);
  UnsuppressStatus();
  if (built == 0) return 0;
  FindStarReferenceCells(build);
  RemoveStarHandleCells(spine, build);
  RunCellReductions(spine);
  spine.Objects().SortKindByNumber(kVertexKind);
  spine.Objects().SortKindByNumber(kCellKind);
  spine.SetSourceKind(kSourceHeegaardDiagram);
  return 1;
}

int LoadHeegaardDiagram(TSpine& spine, const char* text) {
  if (IsHeegaardText(text) == 0) return 0;
  THeegaardDiagram diagram;
  THeegaardReadError error;
  const char* end = nullptr;
  if (diagram.ParseText(text, end, &error) == 0) {
    ReportHeegaardReadError(error);
    return 0;
  }
  const int result = diagram.BuildSpine(spine);
  if (result == 5 || (result == 0 && diagram.Kind() == 4)) {
    SetTextReadError(&error, result == 5 ? kHeegaardNoArcs : kHeegaardStarRefused, text,
                     FirstTokenOffset(text));
    ReportHeegaardReadError(error);
  }
  return result == 5 ? 0 : 1;
}

int TExtHeegaardDiagram::BuildSpine(TSpine* spine, TExtHeegaardDiagram* dual) const {
  if (spine == nullptr) return ExtHeegaardBuildCode(*this, dual);
  spine->Objects().SetCreationTag(1);
  const int code = BuildExtHeegaardComplex(*this, *spine, dual);
  spine->SetSourceKind(kSourceExtHeegaardDiagram);
  return code;
}

int LoadExtHeegaardDiagram(TSpine& spine, const char* text) {
  if (IsExtHeegaardText(text) == 0) return 0;
  TExtHeegaardDiagram diagram;
  THeegaardReadError error;
  const char* end = nullptr;
  if (diagram.Parse(text, end, &error) == 0) {
    ReportHeegaardReadError(error);
    return 0;
  }
  return diagram.BuildSpine(&spine, nullptr) == kExtBuildDone ? 1 : 0;
}
