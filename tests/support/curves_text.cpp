#include "support/curves_text.h"

#include "invariants/hyperbolic/spine_curves_text.h"
#include "shell/document_spine.h"
#include "shell/options.h"

std::string CurvesTextOf(const char* documentText) {
  TDocumentSpine document;
  TOptionValues options;
  if (document.ParseDocumentText(documentText, options) != 1) return {};
  TDocumentSpine::TScope scope(document);
  return SpineCurvesText(document.Spine());
}
