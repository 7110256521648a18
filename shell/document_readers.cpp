#include "shell/document_readers.h"

#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_reader.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/details/details_reader.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/triangulations/facets.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/links/link.h"
#include "presentations/triangulations/triangulation_description.h"
#include "shell/notation_keyword.h"
#include "shell/spine_text_view.h"
#include "shell/triangulation_readers.h"

namespace {

// ---- Recognisers (a common signature over the notations' own tests) ----

bool LinkText(const char* text) { return IsLinkText(text) != 0; }
bool DetailsText(const char* text) { return IsDetailsText(text) != 0; }
bool FacetsText(const char* text) { return IsFacetsText(text); }
bool TriangulationText(const char* text) { return IsTriangulationText(text); }
bool ExtHeegaardText(const char* text) { return IsExtHeegaardText(text) != 0; }
bool HeegaardText(const char* text) { return IsHeegaardText(text) != 0; }
bool CrystallizationText(const char* text) { return IsCrystallizationText(text) != 0; }
bool DehydratedText(const char* text) { return IsDehydratedText(text); }
bool IsoSignatureText(const char* text) { return IsIsoSignatureText(text); }

// ---- Readers ----

// A knot or link: the spine of its exterior, framed components filled.
void ReadLink(TDocumentRead& read) {
  TLink link;
  if (link.Parse(read.text, kLinkParseOrdinary) != 0) link.BuildExteriorSpine(read.spine);
}

// A gluing of named details. Names are kept while reading (the details text
// names what it glues); a text that fails turns naming off again, as a failed
// read leaves nothing to name.
void ReadDetails(TDocumentRead& read) {
  SuppressObjectNames.store(0);
  TDetailsDescription description;
  if (ParseDetails(description, read.text, 1) == 1) {
    description.BuildSpine(read.spine, 1);
  } else {
    SuppressObjectNames.store(1);
  }
}

// Genus-2 Heegaard diagrams, extended and plain.
void ReadExtHeegaard(TDocumentRead& read) { LoadExtHeegaardDiagram(read.spine, read.text); }
void ReadHeegaard(TDocumentRead& read) { LoadHeegaardDiagram(read.spine, read.text); }

// A crystallization code: the spine of its coloured graph, or nothing (with
// the reason reported) when the graph is no closed 3-manifold.
void ReadCrystallization(TDocumentRead& read) { LoadCrystallization(read.spine, read.text); }

// The boundary curves of the 2-cells: the reader of every text that no other
// notation reads, except a text that opens with another notation's keyword.
// Names are read whatever an earlier run
// set. Objects made afterwards (by the moves) get names only when the move
// list is printed or the text named things; a series keeps its own setting.
void ReadCellPresentation(TDocumentRead& read) {
  if (const std::optional<std::string> misread = MisreadNotationKeyword(read.text)) {
    ShowStatusText(misread->c_str());
    return;
  }
  const int savedNaming = SuppressObjectNames.load();
  SuppressObjectNames.store(0);
  TBoundaryCurvesPresentation presentation;
  presentation.Parse(read.text);
  read.cellsNamed = presentation.Named();
  if (read.viewMode == kViewModeSeries) {
    SuppressObjectNames.store(savedNaming);
  } else {
    SuppressObjectNames.store(read.options.OptionsOutputMoveList == 1 ? 0
                                                                      : (read.cellsNamed ? 0 : 1));
  }
  presentation.BuildSpine(read.spine);
  read.spine.SetSourceKind(kSourceBoundaryCurves);
}

// The order of trial. Each notation's reader joins its row when it is built.
constexpr TDocumentReader kReaders[] = {
    {"link", LinkText, ReadLink},
    {"details", DetailsText, ReadDetails},
    {"facets", FacetsText, ReadFacets},
    {"triangulation", TriangulationText, ReadTriangulation},
    {"extended heegaard", ExtHeegaardText, ReadExtHeegaard},
    {"heegaard", HeegaardText, ReadHeegaard},
    {"crystallization", CrystallizationText, ReadCrystallization},
    {"dehydrated", DehydratedText, ReadDehydratedDescription},
    {"isosig", IsoSignatureText, ReadIsoSignature},
    {"cells", nullptr, ReadCellPresentation},
};

}  // namespace

std::span<const TDocumentReader> DocumentReaders() { return kReaders; }

const TDocumentReader& ReaderForText(const char* text) {
  for (const TDocumentReader& reader : kReaders) {
    if (reader.read == nullptr) continue;
    if (reader.recognises == nullptr || reader.recognises(text)) return reader;
  }
  return kReaders[std::size(kReaders) - 1];
}
