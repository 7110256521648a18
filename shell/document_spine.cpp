#include "shell/document_spine.h"

#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "moves/torus_coordinates.h"
#include "presentations/details/details_reader.h"
#include "presentations/triangulations/triangulation_description.h"
#include "shell/document_readers.h"
#include "shell/spine_text_view.h"

namespace {
// Spines with more vertices than this count as big (the moves treat them with
// extra care for memory).
constexpr int kBigSpineVertices = 56;
}  // namespace

TDocumentSpine::TScope::TScope(TDocumentSpine& document) : document_(document) {
  if (document_.scopeDepth_ == 0) {
    PushHeapContext(document_.context_);
    pushed_ = true;
  }
  ++document_.scopeDepth_;
}

TDocumentSpine::TScope::~TScope() {
  --document_.scopeDepth_;
  if (pushed_) PopHeapContext(document_.context_);
}

TDocumentSpine::TDocumentSpine() {
  statusText_.SetHeap(ProcessHeap());
  TScope scope(*this);
  PrivateHeapCreate(1);
  spine_ = new TSpine;
}

TDocumentSpine::~TDocumentSpine() {
  {
    TScope scope(*this);
    delete spine_;
    spine_ = nullptr;
    PrivateHeapDestroyCurrent();
  }
  context_.Destroy();
}

void TDocumentSpine::ResetSpine(bool keepHeap) {
  delete spine_;
  spine_ = nullptr;
  if (!keepHeap) CreateModelHeap();
  spine_ = new TSpine;
}

void TDocumentSpine::Reset() {
  TScope scope(*this);
  ResetSpine();
  parsed_ = false;
  bigSpine_ = false;
  cellsNamed_ = 0;
  thickeningError_.clear();
  thickeningDone_ = false;
}

void TDocumentSpine::SetParsedText(const std::string& text, const TOptionValues& options) {
  parsedText_ = text;
  parsedMoveList_ = options.OptionsOutputMoveList;
  parsed_ = true;
}

int TDocumentSpine::ParseDocumentText(const char* text, const TOptionValues& options,
                                      int viewMode) {
  if (text == nullptr) text = "";
  TScope scope(*this);
  bool needed = !parsed_ || parsedText_ != text ||
                parsedMoveList_ != options.OptionsOutputMoveList || spine_->IsEmpty();
  if (!needed) {
    ShowStatusText(statusText_.CStr());
    return 1;
  }
  return ParseWithReader(ReaderForText(text), text, options, viewMode);
}

int TDocumentSpine::ParseWithReader(const TDocumentReader& reader, const char* text,
                                    const TOptionValues& options, int viewMode) {
  if (text == nullptr) text = "";
  TScope scope(*this);
  // The readers set the naming switch for what they build; whatever way the
  // parse ends, the switch is left as it was found.
  TSuppressObjectNamesScope keepNaming(SuppressObjectNames.load());
  cellsNamed_ = 0;
  bigSpine_ = false;
  parsed_ = false;
  thickeningError_.clear();
  ResetSpine(viewMode == kViewModeSeries);
  notation_ = reader.notation;
  TDocumentRead read{text, *spine_, options, viewMode};
  reader.read(read);
  cellsNamed_ = read.cellsNamed;
  suppressNames_ = SuppressObjectNames.load();

  if (!spine_->IsEmpty()) {
    bigSpine_ = spine_->Objects().CountOfKind(kVertexKind) > kBigSpineVertices;
    spine_->SplitIntoComponents();
    if (bigSpine_) PrivateHeapCompact();
  }
  // The thickening and the homology wait until a command asks for them.
  thickeningDone_ = false;
  if (viewMode != kViewModeSeries) {
    SetParsedText(text, options);
    GetLastStatusText(statusText_);
  }
  return spine_->IsEmpty() ? 0 : 1;
}

void TDocumentSpine::EnsureThickened() {
  if (thickeningDone_) return;
  TScope scope(*this);
  if (!spine_->IsEmpty()) {
    // The thickening: boundary surfaces, orientability, the molecule's
    // boundary atoms. A spine that does not thicken keeps none; the reports
    // say why.
    if (spine_->Thicken(1) == 0) {
      TString failure;
      GetLastStatusText(failure);
      thickeningError_ = failure.Length() > 0 ? failure.CStr() : "Thicking error";
    }
    // A basis of curves on every boundary torus, for the moves to carry along.
    SetBoundaryCoordinates(*spine_);
    CurrentSpineIsOrientable.store(spine_->Orientability(1));
  }
  thickeningDone_ = true;
}

int DetectTextStyle(const char* text) {
  if (IsDetailsText(text)) return kDetailsStyle;
  if (IsTriangulationText(text == nullptr ? "" : text)) return kTriangulationStyle;
  return kBoundaryCurvesStyle;
}
