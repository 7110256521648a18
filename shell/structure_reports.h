// Reports on the structure of the current spine of a document: the short
// information (counts, connectedness, homology, boundary surfaces and
// orientability), the details of the spine (the tetrahedra dual to its
// vertices, as a details text), and the boundary surfaces of its thickening.
//
// Each report is appended to an output buffer with CR LF line ends. A report
// on an empty spine explains that no spine could be built.
#pragma once

#include "foundation/output.h"
#include "model/spine.h"
#include "shell/document_spine.h"

// "Short Information": the numbers of cells, edges (and free edges), vertices
// (and separate vertices) over the whole chain, the connectedness, the
// homology group, whether the spine is special and thickenable, the boundary
// summary of each component and whether the manifold is orientable. A spine
// read from a link or a Heegaard diagram first gets that presentation's report
// (the text is read again). Returns 0 for an empty spine, else 1.
int PrintShortInformation(TDocumentSpine& document, const char* text, TOutput& output);

// The details of one spine (one detail per true vertex), each on its own
// lines. With fromText 1 and an empty spine the details are read from the
// parsed text instead (a details text that did not build a spine), with the
// reader's messages in a comment block. Returns 1 when details were printed,
// 0 when they could not be built (the failure is reported).
int PrintDetailsOf(TSpine& spine, TOutput& output, int fromText, const char* parsedText);

// "Details": the details of every component under the keyword "Details", so
// that the report reads back as the same spine. An empty spine whose text is
// not a details text gives "There are no details!" and 0. Otherwise 1 when
// fromText is 0 and every component's details were printed, or when fromText
// is 1 (the messages traced into the report) and some component's were; else 0.
int PrintDetails(TDocumentSpine& document, const char* text, TOutput& output, int fromText);

// "Boundary": for every component, whether its boundary is connected, the
// boundary summary, each surface's name and cells, and the boundary curves of
// each surface. A spine that is not thickenable is thickened for the report
// with its failing cells counted, and left unthickened afterwards.
void PrintBoundary(TDocumentSpine& document, TOutput& output);
