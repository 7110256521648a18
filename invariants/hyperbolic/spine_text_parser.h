// Reading a special spine, given by the boundary curves of its 2-cells, into
// the dual triangulation of the hyperbolic volume engine.
//
// The text lists one curve per 2-cell: signed decimal edge numbers (n is edge
// |n| passed along its direction when positive), each curve ended by one
// character that does not begin an integer (the writer puts "z"). Two such
// characters in a row are an empty curve, counted in the curve numbers of
// messages. Every vertex of a special spine has four edge ends, and each of
// the six pairs of them bounds one wedge, passed once by the curves: a pass
// of a curve through a vertex is a wedge, an edge of the dual tetrahedron.
// The parser names the four edge ends at every vertex by the letters u, v,
// w, x (the faces of the dual tetrahedron), so that both ends of a spine
// edge carry one letter, and writes each curve as the cycle of darts around
// one edge of the triangulation.
#pragma once

#include <vector>

#include "invariants/hyperbolic/engine_messages.h"

// At most this many passes (600 = 100 vertices).
inline constexpr int kMaxSpinePasses = 600;

// The dart-cycle list of the triangulation dual to the spine of the text
// (TTriangulationStore::BuildFromDartCycles), and the number of non-empty
// cycles. False after a message (the spine is not special, not connected, a
// return pass, an edge numbered 0, too long, a valency other than 3 or 4).
bool ParseSpineTextToDartCycles(const char* text, TEngineMessages& messages, std::vector<int>& cycles,
                                int& cycleCount);
