// The triangulation of a closed 3-manifold that the hyperbolic volume engine
// works on: tetrahedra, their face gluings, the edges with their orders and
// one real parameter per edge, and the local moves that simplify it.
//
// Darts. Each tetrahedron has four faces u, v, w, x (0..3); an edge of it is
// the meeting of two faces, and a dart is such an edge with a direction, the
// ordered pair (tail face, head face). Dart number = 12 x tetrahedron + code:
//   code  0 uv  1 vu  2 wx  3 xw  4 uw  5 wu  6 xv  7 vx  8 ux  9 xu 10 vw 11 wv
// code xor 1 reverses a dart, code xor 2 is the opposite edge, code / 2 the
// undirected local edge (uv, wx, uw, xv, ux, vw), code / 4 the pair of
// opposite edges. RotateDart(d, 1) is the next dart with the same tail.
//
// The gluing is the permutation next of the darts: next(d) is the following
// dart around the same edge of the triangulation, in the tetrahedron across
// the tail face of d, and next(next(d) xor 1) = d xor 1 always holds.
//
// Moves change the gluing on a copy of the store's arrays and are refused
// (the store left exactly as it was) when the result would not be a valid
// closed triangulation. An edge that survives a move keeps its parameter; a
// new edge starts at 0. Cost: every move rebuilds the edge list, linear in
// the number of tetrahedra.
#pragma once

#include <array>
#include <vector>

#include "invariants/hyperbolic/engine_messages.h"
#include "invariants/hyperbolic/tetrahedron_formulas.h"

int DartTail(int dart);
int DartHead(int dart);
int RotateDart(int dart, int type);
// The dart with tail face a and head face b (a != b, both 0..3).
int DartFromLetters(int a, int b);

struct TEngineEdge {
  int dart = 0;        // representative dart
  int order = 0;       // number of tetrahedron edges around it
  double parameter = 0.0;
};

class TTriangulationStore {
 public:
  explicit TTriangulationStore(TEngineMessages& messages) : messages_(&messages) {}

  void Clear();

  // Builds the gluing from a dart-cycle list (each edge's darts in order
  // around it, then -1; -2 ends the list). Tetrahedra 0..max dart / 12.
  // False when the list is malformed (a dart listed twice, a dart or its
  // reverse never listed); the store is then empty.
  bool BuildFromDartCycles(const std::vector<int>& list);
  // The dart-cycle list of the current triangulation, edges in list order.
  std::vector<int> WriteDartCycles() const;
  // Walks every edge cycle and checks that the face gluings are consistent
  // maps of triangles; the number of cycles, or 0 when a test fails.
  int CheckGluingConsistency() const;

  int TetrahedronCount() const { return static_cast<int>(tetrahedra_.size()); }
  int EdgeCount() const { return static_cast<int>(edges_.size()); }
  // The live tetrahedron at a position (0..count - 1), as its first dart.
  int TetrahedronDart(int position) const { return 12 * tetrahedra_[static_cast<std::size_t>(position)]; }
  int Next(int dart) const { return next_[static_cast<std::size_t>(dart)]; }
  // The number of tetrahedron ids handed out (live or removed) since the
  // store was last built: it grows with every move.
  int IdCapacity() const { return static_cast<int>(next_.size() / 12); }
  // The position of a live tetrahedron's id in the list, -1 when removed.
  int PositionOf(int dart) const { return position_[static_cast<std::size_t>(dart / 12)]; }
  // The edge-list position of the undirected edge of a dart.
  int EdgeOf(int dart) const { return edgeClass_[static_cast<std::size_t>(dart / 2)] >> 1; }
  // The oriented class of a dart: 2 x edge + orientation.
  int OrientedClass(int dart) const {
    return (dart & 1) ^ edgeClass_[static_cast<std::size_t>(dart / 2)];
  }
  TEngineEdge& Edge(int position) { return edges_[static_cast<std::size_t>(position)]; }
  const TEngineEdge& Edge(int position) const { return edges_[static_cast<std::size_t>(position)]; }
  // The parameters of a tetrahedron read from a dart d of it: the edges of
  // d, d xor 2, RotateDart(d, 1) and its xor 2, RotateDart(d, 2) and its xor 2.
  TTetrahedronParameters TetrahedronParameters(int dart) const;
  void SetAllParameters(double value);
  // The orientation (+1 or -1) the solver gives the tetrahedron of a dart:
  // in a structure a tetrahedron may lie turned inside out, its dihedral
  // angles then counting negatively around its edges. Every tetrahedron
  // starts positive, and so does every one a move creates.
  // A turned tetrahedron's angle at local edge k (parameter order) adds
  // -theta, or 2 pi - theta when bit k of its wide-angle mask is set (an
  // angle that was near pi where the tetrahedron was turned).
  int Orientation(int dart) const { return orientation_[static_cast<std::size_t>(dart / 12)] > 0 ? 1 : -1; }
  int WideAngleMask(int dart) const {
    const int value = orientation_[static_cast<std::size_t>(dart / 12)];
    return value > 0 ? 0 : -value - 1;
  }
  void SetOrientation(int dart, int sign, int wideAngleMask = 0) {
    orientation_[static_cast<std::size_t>(dart / 12)] = sign < 0 ? -1 - (wideAngleMask & 63) : 1;
  }
  void ResetOrientations();

  // Numbers the vertices of the triangulation; ends receives, for every
  // oriented edge class, the vertex at its head end. Warns when the count
  // differs from edges - tetrahedra (a vertex link that is not a sphere).
  int LabelVertices(std::vector<int>& ends) const;

  // ---- Moves: each returns a dart of the new configuration, or -1. ----
  int TwoThreeMove(int dart);
  int ThreeTwoMove(int dart);
  int TwoZeroMove(int dart);
  // The 4-4 move on an edge of order 4 around four different tetrahedra:
  // the octahedron they form is split along another diagonal. Returns a dart
  // on the new edge of order 4 (moving it again gives the third diagonal).
  int FourFourMove(int dart);
  // Removes an edge of order 1: 1 when the triangulation changed, 0 when no
  // reduction applied (the store is then unchanged).
  int ReduceOrderOneEdge(int dart);
  // Contracts an edge whose two ends are different vertices, around
  // different tetrahedra: each tetrahedron around it is flattened onto its
  // two faces across the opposite edge, and the vertex count drops by one.
  // Returns a dart of a tetrahedron left, or -1 (the store unchanged) when
  // the edge does not qualify or the result would not be a closed
  // triangulation with one vertex less.
  int ContractEdge(int dart);
  // Contracts the first edge in list order that ContractEdge accepts;
  // 1 when one was contracted.
  int ContractOneEdge();
  // Looks, before a 2-0 move (mode 2) or a contraction (mode 1) on the edge
  // of the dart, for faces of the tetrahedra around the edge glued to one
  // another so that the move would squeeze a lens space L(3, k) out of the
  // manifold; each one found is said ("L(3, 1) summand", with ";" in mode 1)
  // and remembered. Returns the number found.
  int CheckLensSummand(int dart, int mode);
  // A move met a lens-space summand (L(2, 1) or L(3, k)): the manifold is a
  // connected sum with a lens space, which has no hyperbolic structure, and
  // the triangulation left no longer carries that summand.
  bool LensSummandFound() const { return lensSummand_; }
  // Low-order reductions (orders 1, 2, 3) while they apply; the number made.
  // Each one removes at least one tetrahedron, so the loop ends.
  int ReduceLowOrderEdges();
  // 4-4 moves that are followed by low-order reductions (one or two turns of
  // the octahedron), kept only then; the number of moves kept. Each kept one
  // removes a tetrahedron, so the search ends.
  int FourFourSearch();
  // Low-order reductions, the 4-4 search and edge contractions while any of
  // them helps, then edges sorted from the highest order down.
  void SimplifyTriangulation();
  // The edge list sorted by order, highest first (the last has the lowest).
  void SortEdgesByOrder();

 private:
  struct TState {
    std::vector<int> next;
    std::vector<int> tetrahedra;  // live tetrahedron ids in list order
    std::vector<int> position;    // position of each id, -1 when removed
    std::vector<double> parameters;  // per undirected local edge
  };
  int NewTetrahedron();
  void RemoveTetrahedron(int dart);
  void Glue(int a, int b);
  // For a move: faces lists (old outer face dart, new face dart) pairs; the
  // dart of a new face in the place of an old dart, and the gluing of every
  // new face to what its old face was glued to.
  int MovedDart(int dart, const std::vector<std::array<int, 2>>& faces) const;
  void GlueOuterFaces(const std::vector<std::array<int, 2>>& faces);
  bool SameTetrahedron(int a, int b) const { return a / 12 == b / 12; }
  bool DistinctAround(int dart, int order) const;
  // Checks the gluing after a move; on failure restores the saved state.
  bool FinishMove(const TState& saved);
  TState Save() const { return {next_, tetrahedra_, position_, LocalEdgeParameters()}; }
  void Restore(const TState& state);
  // The parameter of the edge of every undirected local edge (NaN where the
  // local edge belongs to no edge), and the edges' parameters set back from
  // such a table after the edges were rebuilt: each edge takes the value of
  // the first of its local edges that had one, 0 when none had.
  std::vector<double> LocalEdgeParameters() const;
  void AssignParameters(const std::vector<double>& local);
  void RebuildAllEdges();
  void CreateEdgeClass(int dart);
  void CompactIds();
  // LabelVertices without the warning.
  int NumberVertices(std::vector<int>& ends) const;
  // The k of every lens space L(3, k) that a 2-0 move (mode 2) or a
  // contraction (mode 1) on the edge of the dart would squeeze out.
  std::vector<int> LensSummandsAround(int dart, int mode) const;
  void ReportLensSummands(const std::vector<int>& summands, int mode);

  TEngineMessages* messages_;
  std::vector<int> next_;
  std::vector<int> tetrahedra_;
  std::vector<int> position_;
  std::vector<int> edgeClass_;  // per undirected local edge (6 per id); -1 unset
  std::vector<TEngineEdge> edges_;
  std::vector<int> orientation_;  // per id
  bool lensSummand_ = false;
};
