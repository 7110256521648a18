// TTuraevViroCalculator: the Turaev-Viro invariants of a closed 3-manifold
// from a special spine, exactly, for the orders r = 3..16.
//
// A colouring gives each 2-cell a colour 0..r-2; it is admissible when the
// three colours at every edge form an admissible triple. The invariant of
// order r is
//   sum over admissible colourings of
//     prod_cells (-1)^c [c+1]  *  prod_vertices |c0 .. c5|  *  (-1)^(sum_edges (a+b+c)/2),
// where |c0 .. c5| is the symmetric tetrahedral symbol of the six cells at a
// vertex (TTuraevViroOrderTables). Its homologically trivial part is the same
// sum over the colourings with every colour even. No normalising factor is
// needed: a special spine of a closed manifold is dual to a one-vertex
// triangulation.
//
// The tetrahedral symbol is the Racah sum S times the square roots Delta of
// the triangle weights F of its four edge ends. Each edge of the spine has two
// ends, with the same three cells, so over the whole spine the square roots
// pair up: the product of the symbols is prod_vertices S * prod_edges F, and
// every term of the sum is computed in the cyclotomic field without forms.
//
// At a vertex the six wings are put in tetrahedral order: with the four edge
// ends A, B, C, D, places 0..5 hold the wings AB, AC, AD, CD, BD, BC, so that
// (0,1,2), (0,4,5), (1,3,5), (2,3,4) are the wing triples of A, B, C, D. The
// wings are found from the boundary words alone: the corner between two
// consecutive passages joins the end where one passage ends to the end where
// the next begins, and the classes of edge ends so joined are the vertices.
//
// Cost: the odometer skips blocks of colourings that fail at the same edge,
// but the number of admissible colourings still grows like (r - 1)^F at worst;
// each one costs about 4V field multiplications. The sum polls the stop flags
// every 32 colourings visited.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "invariants/colouring_odometer.h"
#include "invariants/cyclotomic_number.h"
#include "invariants/spine_cell_table.h"
#include "invariants/turaev_viro_order_tables.h"

class TSpine;

// The outcome of one state sum.
enum : int {
  kTuraevViroNeverComputed = 0,
  kTuraevViroDone = 1,
  kTuraevViroOverflow = 2,  // memory ran out (exact arithmetic never overflows)
  kTuraevViroBreak = 3,     // the user stopped it
  kTuraevViroTimeLimit = 4,
};

// Variants of a state sum.
enum : int {
  kTuraevViroBoth = 1,
  kTuraevViroTrivialPart = 2,
  kTuraevViroFull = 3,
};

class TTuraevViroCalculator {
 public:
  static constexpr int kFirstOrder = TTuraevViroOrderTables::kFirstOrder;
  static constexpr int kLastOrder = TTuraevViroOrderTables::kLastOrder;

  // Loads the cells of the spine (this component) and finds the cells at
  // every edge and vertex. Throws std::invalid_argument, leaving the
  // calculator empty, when the cells do not form a special spine (an edge
  // not on exactly three wings, a vertex whose link is not a tetrahedron's
  // edges).
  void Setup(const TSpine& spine);

  // The state sum of order r (3..16) in the variant; stores and returns the
  // outcome. The order's tables are built inside, so nothing escapes: exhausted
  // memory gives kTuraevViroOverflow; the stop flag (IsStopRequested, or
  // *stopFlag when given) gives kTuraevViroBreak and sets *breakFlag; a time
  // limit above 0 ms that runs out gives kTuraevViroTimeLimit. Throws
  // std::invalid_argument for an order or variant out of range.
  int ComputeOrder(int r, int variant, long timeLimitMs, std::atomic<int>* breakFlag,
                   const std::atomic<int>* stopFlag = nullptr);

  // The stored outcome of order r; 0 outside 3..16 or never computed.
  int FullStatus(int r) const;
  int TrivialPartStatus(int r) const;
  // The stored value when the outcome is done, else null.
  const TCyclotomicNumber* FullResult(int r) const;
  const TCyclotomicNumber* TrivialPartResult(int r) const;
  // The highest order with a stored value; 0 when none.
  int HighestFullOrder() const;
  int HighestTrivialPartOrder() const;
  long TimeLimitUsed() const { return timeLimitUsed_; }

  int VertexCount() const { return vertexCount_; }
  int EdgeCount() const { return edgeCount_; }
  int CellCount() const { return cells_.Count(); }
  const TSpineCellTable& Cells() const { return cells_; }
  // The cell numbers (1-based) at edge e (1-based), and at vertex v in
  // tetrahedral order.
  std::array<int, 3> EdgeCellNumbers(int e) const;
  std::array<int, 6> VertexCellNumbers(int v) const;

 private:
  struct TStored {
    int outcome = kTuraevViroNeverComputed;
    std::unique_ptr<TCyclotomicNumber> value;
  };
  static bool InRange(int r) { return r >= kFirstOrder && r <= kLastOrder; }
  void BuildVertexCells();
  int RunStateSum(int r, int variant, long timeLimitMs, std::atomic<int>* breakFlag,
                  const std::atomic<int>* stopFlag, TCyclotomicNumber& full,
                  TCyclotomicNumber& trivial);
  void Store(std::array<TStored, kLastOrder - kFirstOrder + 1>& slots, int r, int outcome,
             const TCyclotomicNumber& value, bool keepDone);

  TSpineCellTable cells_;
  int vertexCount_ = 0;
  int edgeCount_ = 0;
  std::vector<const TSpineCellRecord*> edgeCells_;    // 3 per edge
  std::vector<const TSpineCellRecord*> vertexCells_;  // 6 per vertex
  std::unique_ptr<TTuraevViroOrderTables> tables_;    // the last order's
  std::array<TStored, kLastOrder - kFirstOrder + 1> full_;
  std::array<TStored, kLastOrder - kFirstOrder + 1> trivial_;
  long timeLimitUsed_ = 0;
};
