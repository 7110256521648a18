// Reports on the current spine of a document: the homology group, the
// boundary curves of the cells, connectedness, and the switch of the document
// to the boundary-curves style.
//
// Each report is appended to an output buffer with CR LF line ends; the front
// end shows it. A report on an empty spine explains that no spine could be
// built and repeats what the reader said.
#pragma once

#include <string_view>

#include "foundation/output.h"
#include "model/spine.h"
#include "shell/document_spine.h"

// "Unable to build special polyhedron!", the last status text (the reader's
// complaint) when there is one, and how to get the text back.
void ShowEmptySpineReport(TOutput& output);

// Counts the connected components of the whole chain. When there is more
// than one, or always is 1, appends "Spine is connected" or "Spine is not
// connected : n connected components" (after a comment marker and a tab when
// commented is 1) and a line end, and a second one unless always is 1.
// Returns 1 exactly when the spine is connected.
int PrintConnectedness(TSpine& spine, TOutput& output, int always, int commented);

// The free edges and isolated vertices of a spine, with the edges that bound
// cells when there are cells too, each as its name and its two end vertices.
void PrintGraphParts(TComplex& spine, TOutput& output);

// The boundary curves of the cells of one spine. kind 3: the bare listing;
// kind 1: the spine's name first; kind 2: its name and its surface name.
// closed 1 takes a surface as orientable. Then the cells as a cell
// presentation, the graph parts when there are free edges or isolated
// vertices, and the edge coordinates when edges carry any.
void PrintBoundaryCurvesReport(TComplex& spine, TOutput& output, int kind, int closed);

// The "Boundary Curves" report: per component its own homology group and its
// boundary curves.
void PrintBoundaryCurves(TDocumentSpine& document, TOutput& output);

// The homology group of the document's spine and the rest of its chain,
// computed when first asked and kept on the spine for later reports;
// "OVERFLOW" when an invariant factor is beyond the list's range. Returns the
// number of summands printed.
int PrintSpineHomology(TDocumentSpine& document, TOutput& output);

// The "Homology Group" report: the group of the whole spine and, with
// withConnectedness 1, the connectedness line. Returns the number of summands
// printed: 0 for an empty spine, a failed computation or "OVERFLOW".
int PrintHomologyGroupReport(TDocumentSpine& document, TOutput& output, int withConnectedness);

// Rewrites the document in a style (1 boundary curves, 2 details; the writers of the
// other styles join as they are built). Returns 0 when the text already has
// that style (nothing to do), -1 when the text gives no spine or the writer
// refuses, 1 when the output holds the new text.
int ConvertPresentation(TDocumentSpine& document, const char* text, int style,
                        const TOptionValues& options, TOutput& output);

// The "Transformation List" report: "Transformation List :" and the moves of
// the spine's log that have a text (kinds above 4), numbered from 1 without
// gaps; nothing but line ends when the log is empty.
void PrintTransformationList(TSpine& spine, TOutput& output);
