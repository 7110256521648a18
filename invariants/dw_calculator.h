// TDWCalculator: the DW invariant of a closed 3-manifold for the group Z/2
// and the 3-cocycle w(a, b, c) = (-1)^(abc), as a state sum over the
// colourings of the 2-cells of a connected special spine.
//
// Read on the triangulation dual to the spine (vertex = tetrahedron, edge =
// triangle, 2-cell = edge, boundary surface of the thickened spine = vertex),
// a colouring of the 2-cells by 0 and 1 that is even at every spine edge (the
// three cell passages along it hold an even number of 1s) is a 1-cocycle x
// with values in Z/2. Ordering the four corners of every tetrahedron by
// their corner numbers (the vertex classes, dw_detail_classes.h) is a
// branching when the four lie in four classes, which the pre-reductions
// (dw_pre_reductions.h) make so. A tetrahedron with corners v0 < v1 < v2 < v3
// then weighs w(x(v0v1), x(v1v2), x(v2v3)), -1 exactly when the three cells
// are coloured 1, and the raw sum adds, over all cocycles, the product of the
// weights. The product is (-1)^<x^3, [M]>, and it does not change when x
// changes by a coboundary, so the raw sum is 2^(b-1) times the invariant
// DW(M) = sum over H^1(M; Z/2) of (-1)^<x^3, [M]> (b the number of vertices,
// each with a sphere for its link): S^3 1, RP^3 0, L(4,1) 2.
//
// The colourings are run through by the colouring odometer (digit i the
// colour of cell i + 1), skipping, after a colouring that fails at an edge,
// every colouring that agrees with it up to the last cell at that edge. How
// much the skip spares depends on how soon the cells of each edge are all
// coloured: the cells are therefore numbered for the odometer in an order
// that closes edges early (each next cell the one that completes the most
// edges), and the edges are tested in the order in which their last cell
// comes, so that the failing edge reported is the one with the earliest last
// cell and the skip the longest. The cost is about the number of cocycles
// (2^(b-1) |H^1(M; Z/2)|) times the size of the spine, plus the partial
// colourings the skips pass through.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "invariants/spine_cell_table.h"

class TSpine;

class TDWCalculator {
 public:
  enum TStatus : int { kDone = 1, kStopped = 2, kTimedOut = 3 };

  // Loads a connected special spine. Throws std::invalid_argument, with the
  // reason, when the spine is not connected and special, or when two corners
  // of some dual tetrahedron have one corner number (the spine needs the
  // pre-reductions first).
  void Setup(TSpine& spine);

  // Runs the state sum. A time limit in milliseconds (0 or less: none).
  // kDone with the sum available; kStopped when the stop flag was set;
  // kTimedOut when the limit ran out (then TimeLimitWord holds the limit).
  // Either way out early leaves a partial sum that means nothing.
  TStatus Compute(int timeLimitMs = 0);

  // The raw state sum (exact: at most one term per colouring).
  std::int64_t Sum() const { return sum_; }
  int TimeLimitWord() const { return timeLimitWord_; }
  int VertexCount() const { return static_cast<int>(corners_.size()); }
  int EdgeCount() const { return static_cast<int>(edgeRows_.size() / 3); }
  int CellCount() const { return cells_.Count(); }
  // Number of corner classes (boundary surfaces), and whether each has a
  // sphere for its link (the manifold is closed).
  int CornerClassCount() const { return cornerClasses_; }
  bool IsClosed() const { return sphereClasses_ == cornerClasses_; }
  // The four corner numbers of vertex v, face by face of its detail.
  const std::array<int, 4>& CornerNumbers(int v) const { return corners_[static_cast<std::size_t>(v)]; }
  // Positions in the odometer's cell order of the cells A, B, C of vertex v.
  const std::array<int, 3>& OrderedTriple(int v) const { return triples_[static_cast<std::size_t>(v)]; }
  // Colourings looked at by the last Compute (accepted or not).
  std::uint64_t ColouringsVisited() const { return visited_; }

 private:
  TSpineCellTable cells_;  // in the odometer's order, numbered 1..n
  std::vector<const TSpineCellRecord*> edgeRows_;  // three per edge, in test order
  std::vector<std::array<int, 4>> corners_;
  std::vector<std::array<int, 3>> triples_;
  int cornerClasses_ = 0;
  int sphereClasses_ = 0;
  std::int64_t sum_ = 0;
  int timeLimitWord_ = -1;
  std::uint64_t visited_ = 0;
};
