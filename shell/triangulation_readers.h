// The readers of the triangulation notations in the parse of a document text
// (their rows in document_readers.cpp): facets and singular triangulations,
// tried third and fourth, and dehydrated descriptions and isomorphism
// signatures, tried eighth and ninth. Each builds the spine or leaves it empty
// after reporting why.
#pragma once

#include "shell/document_readers.h"

void ReadFacets(TDocumentRead& read);
void ReadTriangulation(TDocumentRead& read);
void ReadDehydratedDescription(TDocumentRead& read);
void ReadIsoSignature(TDocumentRead& read);
