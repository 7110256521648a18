// The cell complex of an extended Heegaard diagram (the spine builder's
// construction, on a bare complex). See ext_heegaard_complex.cpp.
#pragma once

#include <vector>

#include "model/handle.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"

class TComplex;
class TOutput;

// Result codes of the build.
inline constexpr int kExtBuildDone = 1;           // regular, three curves, dual formed
inline constexpr int kExtBuildNotRegular = 2;     // "Even violation"
inline constexpr int kExtBuildWrongCurves = 3;    // "Wrong number of curves"
inline constexpr int kExtBuildDualLoop = 4;       // "There exist loop on dual diagram"

// Builds the cells of the diagram into the complex, which should be empty:
// the three cut discs first (discs 1, 2, 0 in this order), then the pants
// cells, then one cell per traced curve. Negative arc counts count as 0.
// Returns 1 (and the dual diagram in *dual when given), 2 when the diagram is
// not regular, 3 when the curves are not exactly three, 4 when the dual
// cannot be formed. Every code leaves the complete set of cells.
int BuildExtHeegaardComplex(const TExtHeegaardDiagram& diagram, TComplex& complex,
                            TExtHeegaardDiagram* dual);

// Joins the arc edges into closed curves, one new cell of the complex per
// curve (appended to curves). Returns the number of curves.
int TraceExtHeegaardCurves(TComplex& complex, const std::vector<THandle>& arcs,
                           std::vector<THandle>& curves);

// The build in a private heap context and complex of its own, both destroyed
// before returning: the code and, for code 1, the dual diagram.
int ExtHeegaardBuildCode(const TExtHeegaardDiagram& diagram, TExtHeegaardDiagram* dual);

// The report of the short information: the diagram, its dual and its three
// meridian moves, or why the dual cannot be formed. Reads the diagram from
// the text; nothing is written when that fails.
void PrintExtHeegaardReport(TOutput& output, const char* text);
