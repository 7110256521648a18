// Spines built from the triangulation notations, and their codes.
//
// Every notation here reads into the tetrahedron form, which becomes details
// and then the dual spine; in the other direction a spine gives its details
// and from them its tetrahedra. A spine that is not connected (a chain of
// several spines) or not special has no signature, description or
// triangulation: the result is empty, never left over from an earlier spine.
#include "model/object_header.h"
#include "model/spine.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "model/details_description.h"
#include "presentations/triangulations/facets.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/triangulation_description.h"
#include "presentations/triangulations/triangulation_details.h"
#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"

namespace {

constexpr int kMessageRealizedForSpecialSpines = 475;

// Builds the spine of complete details into the emptied spine (the builder
// checks that they are complete).
int BuildFromDetails(TDetailsDescription& details, TSpine& spine, int sourceKind) {
  spine.Clear();
  if (details.BuildComplex(spine, 1) == 0) return 0;
  spine.SetSourceKind(sourceKind);
  return 1;
}

bool IsConnectedSpecial(TSpine& spine) { return spine.Next() == nullptr && spine.IsSpecial(0) == 1; }

}  // namespace

const std::string& TIsoSignature::Compute(TSpine& spine, int mode) {
  if (!IsConnectedSpecial(spine)) {
    Clear();
    return text_;
  }
  return ComputeOfComplex(spine, mode);
}

int LoadIsoSignature(TSpine& spine, std::string_view text) {
  spine.Clear();
  TDetailsDescription details;
  if (!IsoSignatureToDetails(text, details)) return 0;
  TSuppressObjectNamesScope unnamed(1);
  return BuildFromDetails(details, spine, kSourceDetails);
}

const std::string& TDehydratedDescription::FromSpine(TSpine& spine) {
  if (!IsConnectedSpecial(spine)) {
    Clear();
    return text_;
  }
  return FromComplex(spine);
}

int LoadDehydratedDescription(TSpine& spine, std::string_view text) {
  spine.Clear();
  TDetailsDescription details;
  if (!DehydrationToDetails(text, details)) return 0;
  TSuppressObjectNamesScope numbersOnly(1);
  return BuildFromDetails(details, spine, kSourceDehydrated);
}

int TTriangulationDescription::FromSpine(TSpine& spine) {
  if (spine.IsSpecial(0) != 1) {
    status_ = kNotSpecial;
    tetrahedra_.Clear();
    names_.clear();
    TString message;
    message.LoadResource(kMessageRealizedForSpecialSpines);
    ReportStatus(message, -1);
    return 0;
  }
  return FromComplex(spine);
}

int TTriangulationDescription::BuildSpine(TSpine& spine) {
  if (status_ != kGood || tetrahedra_.Count() == 0) return 0;
  TDetailsDescription details;
  if (!DetailsFromTetrahedra(tetrahedra_, details, &names_)) return 0;
  for (int t = 0; t < tetrahedra_.Count(); ++t) tetrahedra_.At(t).detail = nullptr;
  TSuppressObjectNamesScope unnamed(1);
  return BuildFromDetails(details, spine, kSourceDetails);
}

int TFacetsDescription::BuildSpine(TSpine& spine) {
  int built = 0;
  if (status_ == kGood && !simplices_.empty()) {
    TTetrahedronList tetrahedra;
    ToTetrahedra(tetrahedra);
    TDetailsDescription details;
    if (DetailsFromTetrahedra(tetrahedra, details)) built = BuildFromDetails(details, spine, kSourceFacets);
  }
  simplices_.clear();
  return built;
}
