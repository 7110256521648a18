// The consistency check of a spine: a debugging aid of the simplification.
//
// After a move is entered in a spine's log, the whole structure can be
// checked: the cells, edges and vertices of the spine and of its boundary
// surfaces, the curve labels on boundary tori, the thickening and, through
// the chain, every further spine. The check runs while SkipSpineValidation is
// 0 (SkipSpineValidation, spine.h), which only the debugging commands set.
//
// Each test returns 1 (pass) or 0 and runs to its end even after a failure.
// When the outermost ValidateSpine finds a failure it reports an internal
// error naming the first failing test ("Internal error : spine_consistency
// <line>"), records the failure and calls the installed failure handler (the
// shell installs its stop request, so the computation stops and the broken
// spine is not worked on further). The process goes on; nothing reports
// success for a spine that failed.
#pragma once

#include <atomic>

#include "model/handle.h"

class TComplex;
class TSpine;


// Runs ValidateSpine; the context (the text of the logged move) is not used.
int ValidateSpineChecked(TSpine& spine, const char* context);
// 1 when the spine and the rest of its chain pass every test.
int ValidateSpine(TSpine& spine);

// ---- The tests ----
// Every cell's boundary closes, every edge has a cell, every vertex is sound.
int CheckObjects(const TComplex& complex);
// A type-1 cell's word is a closed path; other cells pass.
int CheckCellBoundary(const TObjectHeader* cell);
// The edge lies on at least one cell.
int CheckEdge(const TObjectHeader* edge);
// A vertex without edges carries an attached cell; its edges are valid, ends
// of it, of the complex, and repeated only when they are loops; the
// vertex-link analysis (when installed) finds no broken link.
int CheckVertex(const TComplex& complex, const TObjectHeader* vertex);
// CheckObjects on every boundary surface, and their labels on an orientable spine.
int CheckBoundarySurfaces(const TSpine& spine);
// On a torus, the curve labels balance at every vertex.
int CheckSurfaceLabels(const TComplex& surface);
// The cell of a thickened spine has its thick cell, copies of its length
// running along the sides of its edges' thick edges (two-sided on an
// orientable spine), or attached copies for a cell without boundary.
int CheckThickCell(const TSpine& spine, const TObjectHeader* cell);
// The spine has its labeled-molecule table (chained when the spine is);
// every molecule edge has both ends, and an external gluing its linked atom.
int CheckMoleculeTable(const TSpine& spine);

// ---- What a failure does ----
using TValidationFailureHandler = void (*)();
// Installs the handler called after a failed outermost check (null: none).
void SetValidationFailureHandler(TValidationFailureHandler handler);
// True after a failed check until cleared.
bool SpineValidationFailed();
void ClearSpineValidationFailure();

// The vertex-link analysis of the simplification moves: 1 when the link of
// the vertex is broken. Installed by the moves; without it the test is skipped.
using TVertexLinkAnalysis = int (*)(const TObjectHeader* vertex);
void SetVertexLinkAnalysis(TVertexLinkAnalysis analysis);
