#include "shell/document_spine.h"

#include "foundation/checked_int64.h"
#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "presentations/boundary_curves_presentation.h"
#include "presentations/details_description.h"
#include "presentations/ext_heegaard_diagram.h"
#include "presentations/heegaard_diagram.h"
#include "presentations/link.h"

namespace {
// Spines with more vertices than this count as big (the moves treat them with
// extra care for memory).
constexpr int kBigSpineVertices = 56;
}  // namespace

TDocumentSpine::TDocumentSpine() {
  statusText_.SetHeap(ProcessHeap());
  PushHeapContext(context_);
  PrivateHeapCreate(1);
  spine_ = new TSpine;
}

TDocumentSpine::~TDocumentSpine() {
  delete spine_;
  spine_ = nullptr;
  PrivateHeapDestroyCurrent();
  PopHeapContext(context_);
  context_.Destroy();
}

void TDocumentSpine::ResetSpine() {
  delete spine_;
  spine_ = nullptr;
  CreateModelHeap();
  spine_ = new TSpine;
}

int TDocumentSpine::ParseDocumentText(const char* text, const TOptionValues& options) {
  if (text == nullptr) text = "";
  bool needed = !parsed_ || parsedText_ != text || spine_->IsEmpty();
  if (!needed) {
    ShowStatusText(statusText_.CStr());
    return 1;
  }

  cellsNamed_ = 0;
  ResetSpine();
  if (IsLinkText(text) != 0) {
    // A knot or link: the spine of its exterior, framed components filled.
    // A failed read or build leaves the spine empty; the reader has said why.
    TLink link;
    if (link.Parse(text, kLinkParseOrdinary) != 0) link.BuildExteriorSpine(*spine_);
  } else if (IsExtHeegaardText(text)) {
    // Extended diagrams first: their keyword is no plain diagram's.
    LoadExtHeegaardDiagram(*spine_, text);
  } else if (IsHeegaardText(text)) {
    LoadHeegaardDiagram(*spine_, text);
  } else {
    // Cell presentation: names are read whatever an earlier run set. Objects
    // made afterwards (by the moves) get names only when the move list is
    // printed or the text named things.
    SuppressObjectNames.store(0);
    TBoundaryCurvesPresentation presentation;
    presentation.Parse(text);
    cellsNamed_ = presentation.Named();
    SuppressObjectNames.store(options.OptionsOutputMoveList == 1 ? 0 : (cellsNamed_ ? 0 : 1));
    presentation.BuildSpine(*spine_);
    spine_->SetSourceKind(kSourceBoundaryCurves);
  }

  if (!spine_->IsEmpty()) {
    if (spine_->Objects().CountOfKind(kVertexKind) > kBigSpineVertices) PrivateHeapCompact();
    spine_->SplitIntoComponents();
    try {
      spine_->ComputeHomology();
    } catch (const Out_of_Range&) {
      // The spine keeps no homology list; the reports compute it again and
      // say "OVERFLOW".
    }
  }
  parsedText_ = text;
  parsed_ = true;
  GetLastStatusText(statusText_);
  return spine_->IsEmpty() ? 0 : 1;
}

int DetectTextStyle(const char* text) {
  if (IsDetailsText(text)) return kDetailsStyle;
  return kBoundaryCurvesStyle;
}
