#include "shell/triangulation_readers.h"

#include "model/object_header.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "presentations/triangulations/facets.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/triangulation_description.h"

// Facets and triangulations name what they glue, so names are kept while
// reading; a text that fails turns naming off again, as a failed read leaves
// nothing to name.
void ReadFacets(TDocumentRead& read) {
  SuppressObjectNames.store(0);
  TFacetsDescription facets;
  if (facets.Parse(read.text, nullptr, 1) != 1 || facets.BuildSpine(read.spine) != 1) {
    SuppressObjectNames.store(1);
  }
}

void ReadTriangulation(TDocumentRead& read) {
  SuppressObjectNames.store(0);
  TTriangulationDescription triangulation;
  if (triangulation.Parse(read.text) != 1 || triangulation.BuildSpine(read.spine) != 1) {
    SuppressObjectNames.store(1);
  }
}

void ReadDehydratedDescription(TDocumentRead& read) { LoadDehydratedDescription(read.spine, read.text); }

void ReadIsoSignature(TDocumentRead& read) { LoadIsoSignature(read.spine, read.text); }
