// The pre-reductions of the DW state sum: nine local configurations of the
// details of a special spine, and the subdivisions that remove them.
//
// The DW state sum (dw_calculator.h) orders the four corners of every dual
// tetrahedron by their corner numbers, the vertex classes of the dual
// triangulation; that order is a branching only when the four corners of
// each tetrahedron lie in four different classes. A tetrahedron edge whose
// two ends lie in one class (a loop edge) breaks it, and subdividing that
// edge at its midpoint removes it: the two halves of every tetrahedron around
// the edge hold one end each, and the midpoint is a new class. The other
// configurations (a detail glued to itself or twice to one neighbour, a face
// whose three edges are not distinct, tetrahedra that share edges or corners
// without sharing a face, a face whose two apexes coincide) are removed the
// same way, by subdividing a detail (one tetrahedron into four around a new
// inner vertex), a face (the two tetrahedra on it into three each, around a
// new vertex in the face) or an edge. None of the subdivisions creates a loop
// edge, and every one keeps the manifold, its orientation and the details'
// completeness.
//
// Each reduction takes the description and a mode: kDWDetect reports whether
// its configuration occurs; kDWApply removes the occurrences one at a time,
// scanning again from the first detail after every change. An occurrence
// that its transformation cannot change (the opposite-edge configuration has
// none; a face whose two details are glued along more than one face cannot be
// subdivided) is passed over, so a scan never repeats without end. A loop
// edge that lies twice in one tetrahedron cannot be split by halving each
// tetrahedron around it; the loop-edge reduction then first subdivides that
// tetrahedron (or the face holding both copies) so that the copies part. A scan
// that keeps finding work beyond a bound proportional to the description's
// size throws std::runtime_error, rather than running on. Every scan polls
// the stop flag (TComputationStopped); a stopped pass leaves the caller's
// spine untouched, the description being a copy.
#pragma once

#include <array>
#include <memory>

class TDetailsDescription;
class TSpine;
struct TObjectHeader;

inline constexpr int kDWDetect = 1;
inline constexpr int kDWApply = 2;

// 1 when none of the nine configurations occurs in the details of the
// spine, else 0. Throws std::invalid_argument when the spine has no complete
// details (it is not special).
int IsReducedForDW(const TSpine& spine);

// The spine the DW state sum should run on: the details of the spine with
// every loop edge split (the opposite-edge configuration is found and passed
// over). The input itself when nothing changed, else a new spine built from
// the reduced details and thickened, which `built` receives and owns. The
// other seven reductions are not run: they keep no branching from existing,
// and each vertex they add doubles the state sum's work. Throws
// std::invalid_argument as IsReducedForDW does.
TSpine& ReduceForDW(TSpine& spine, std::unique_ptr<TSpine>& built);

// The nine reductions: 1 when the configuration was found (kDWDetect), or
// found and changed (kDWApply); else 0.
int ReduceSelfGluedDetail(TDetailsDescription& description, int mode);
int ReduceDoublyGluedDetail(TDetailsDescription& description, int mode);
int ReduceFoldedFace(TDetailsDescription& description, int mode);
int ReduceOppositeEdgePair(TDetailsDescription& description, int mode);
int ReduceLoopEdge(TDetailsDescription& description, int mode);
int ReduceAdjacentEdgeMatch(TDetailsDescription& description, int mode);
int ReduceEqualApexFace(TDetailsDescription& description, int mode);
int ReduceDetailsSharingEdges(TDetailsDescription& description, int mode);
int ReduceDetailsSharingCorners(TDetailsDescription& description, int mode);

// ---- Executors ----
// One tetrahedron into four around a new inner vertex (always possible).
// The detail is removed from the description.
void SubdivideDetail(TDetailsDescription& description, TObjectHeader* detail);
// The face of the detail and its partner's into three each around a new
// vertex in the face. Refused (false, nothing changed) unless the detail and
// its partner are different and glued to each other along that face only,
// and neither is glued to itself.
bool SubdivideFace(TDetailsDescription& description, TObjectHeader* detail, int face);
// The tetrahedron edge that lies on faces a and b of the detail, split at
// its midpoint through every tetrahedron around it. Refused (false, nothing
// changed) when a tetrahedron meets that edge more than once, where halving
// each tetrahedron once is not a subdivision.
bool SubdivideEdge(TDetailsDescription& description, TObjectHeader* detail, int faceA, int faceB);
// The opposite-edge configuration has no transformation: false.
bool ResolveOppositeEdgePair(TDetailsDescription& description, TObjectHeader* detail, int position);

// The other two of {0, 1, 2, 3} in increasing order, for p != q.
std::array<int, 2> ComplementaryFacePair(int p, int q);
