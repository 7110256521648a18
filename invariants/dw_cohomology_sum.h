// TDWCohomologySum: the DW invariant of a closed 3-manifold for the group Z/2
// and the 3-cocycle w(a, b, c) = (-1)^(abc), from a connected special spine,
// by linear algebra instead of a walk over all colourings. It is the
// independent check of the colouring state sum (dw_calculator.h): the two
// share nothing but the spine's details.
//
// On the triangulation dual to the spine (vertex = tetrahedron, edge =
// triangle, 2-cell = edge), a colouring of the 2-cells by 0 and 1 that is even
// at every spine edge is a 1-cocycle x with values in Z/2. With a branching
// (TDWOrderedComplex), a tetrahedron with corners v0 < v1 < v2 < v3 weighs
// w(x(v0v1), x(v1v2), x(v2v3)); the state sum adds the products of the
// weights over all cocycles. The cocycle abc is the cube of the generator of
// H^1(Z/2; Z/2), so the weight of x is (-1)^<x^3, [M]>.
//
// The raw sum depends on the triangulation: changing a cocycle by the
// coboundary of a 0-cochain leaves the weight alone when every vertex link is
// a sphere, so the raw sum is 2^(b-1) times the sum over H^1(M; Z/2), b being
// the number of vertices. That sum,
//     DW(M) = sum over x in H^1(M; Z/2) of (-1)^<x^3, [M]>,
// is the invariant: the order-3 Turaev-Viro invariant of M (S^3 1, RP^3 0,
// L(4,1) 2). Compute() finds a complement of the coboundaries in the cocycles
// by linear algebra over Z/2 and sums over it, so the cost is polynomial in
// the size of the spine plus 2^(dim H^1) weight evaluations. When some vertex
// link is not a sphere (a spine of a manifold with boundary) the coboundaries
// change the weights and the sum depends on the triangulation: such spines
// are refused.
//
// Every loop polls the stop flag (TComputationStopped).
#pragma once

#include <gmpxx.h>

#include "invariants/dw_gf2_basis.h"
#include "invariants/dw_ordered_complex.h"

class TSpine;

class TDWCohomologySum {
 public:
  // Throws std::invalid_argument when the spine is not connected and special.
  // With forceSubdivision the branching is always that of the barycentric
  // subdivision (the value does not change; tests compare the two).
  void Setup(TSpine& spine, bool forceSubdivision = false);

  static constexpr int kMaxCohomologyRank = 62;

  // False (nothing computed) when some vertex link is not a sphere, or when
  // dim H^1(M; Z/2) exceeds kMaxCohomologyRank.
  bool Compute();

  const TDWOrderedComplex& Complex() const { return complex_; }
  // Whether every vertex link is a sphere (the manifold is closed).
  bool IsClosed() const { return complex_.SphereVertexCount() == complex_.VertexCount(); }
  // The sum over all cocycles of the triangulation used.
  const mpz_class& RawSum() const { return rawSum_; }
  // RawSum / 2^(b-1), b the number of vertices: the invariant DW(M).
  const mpq_class& NormalisedSum() const { return normalisedSum_; }
  // dim H^1(M; Z/2) (closed manifolds).
  int FirstCohomologyRank() const { return cohomologyRank_; }

 private:
  int Weight(const TDWBitVector& cocycle) const;

  TDWOrderedComplex complex_;
  mpz_class rawSum_;
  mpq_class normalisedSum_;
  int cohomologyRank_ = 0;
};
