#include "invariants/dw_calculator.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <unordered_map>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/colouring_odometer.h"
#include "invariants/dw_detail_classes.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/object_header.h"
#include "model/spine.h"

namespace {

// The cells in an order that completes edges early: each next cell is the
// one that is the last uncoloured cell of the most edges, then the one that
// meets the most edges already begun, then the first in the spine's order.
// Cost: quadratic in the number of cells.
std::vector<int> EdgeClosingOrder(const TSpineCellTable& table, int edgeCount) {
  const int n = table.Count();
  std::vector<std::vector<int>> cellsOfEdge(static_cast<std::size_t>(edgeCount) + 1);
  std::vector<std::vector<int>> edgesOfCell(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c) {
    for (std::int32_t signedEdge : table.Cell(static_cast<unsigned>(c))->edges) {
      const auto e = static_cast<std::size_t>(std::abs(signedEdge));
      if (e == 0 || e > static_cast<std::size_t>(edgeCount)) continue;
      auto& cells = cellsOfEdge[e];
      if (std::find(cells.begin(), cells.end(), c) == cells.end()) cells.push_back(c);
      auto& edges = edgesOfCell[static_cast<std::size_t>(c)];
      if (std::find(edges.begin(), edges.end(), static_cast<int>(e)) == edges.end()) {
        edges.push_back(static_cast<int>(e));
      }
    }
  }
  std::vector<int> open(cellsOfEdge.size());
  for (std::size_t e = 0; e < cellsOfEdge.size(); ++e) open[e] = static_cast<int>(cellsOfEdge[e].size());
  std::vector<bool> placed(static_cast<std::size_t>(n), false);
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(n));
  TStopPoll poll(64);
  for (int k = 0; k < n; ++k) {
    poll.Step();
    int best = -1;
    int bestCloses = -1;
    int bestTouches = -1;
    for (int c = 0; c < n; ++c) {
      if (placed[static_cast<std::size_t>(c)]) continue;
      int closes = 0;
      int touches = 0;
      for (int e : edgesOfCell[static_cast<std::size_t>(c)]) {
        const int left = open[static_cast<std::size_t>(e)];
        if (left == 1) ++closes;
        if (left < static_cast<int>(cellsOfEdge[static_cast<std::size_t>(e)].size())) ++touches;
      }
      if (closes > bestCloses || (closes == bestCloses && touches > bestTouches)) {
        best = c;
        bestCloses = closes;
        bestTouches = touches;
      }
    }
    placed[static_cast<std::size_t>(best)] = true;
    for (int e : edgesOfCell[static_cast<std::size_t>(best)]) --open[static_cast<std::size_t>(e)];
    order.push_back(best);
  }
  return order;
}

// The four faces of a detail sorted by their corner numbers, equal numbers
// keeping their face order (a stable insertion sort).
std::array<int, 4> FacesByCornerNumber(const std::array<int, 4>& corner) {
  std::array<int, 4> faces = {0, 1, 2, 3};
  for (std::size_t i = 1; i < 4; ++i) {
    for (std::size_t j = i; j > 0 && corner[static_cast<std::size_t>(faces[j])] <
                                         corner[static_cast<std::size_t>(faces[j - 1])];
         --j) {
      std::swap(faces[j], faces[j - 1]);
    }
  }
  return faces;
}

// The position in face a of the edge that face a shares with face b.
int SharedEdgePosition(int a, int b) {
  for (int p = 0; p < 3; ++p) {
    if (TDetail::FaceCornerMap(a, p) == b) return p;
  }
  return -1;
}

}  // namespace

void TDWCalculator::Setup(TSpine& spine) {
  if (spine.Next() != nullptr) throw std::invalid_argument("the spine is not connected");
  if (spine.IsSpecial(0) == 0) throw std::invalid_argument("the spine is not special");
  TDetailsDescription description;
  if (description.FromSpine(spine) == 0) {
    throw std::invalid_argument("the spine is not special or its details are incomplete");
  }
  // A spine built afresh from the details, so that every detail edge knows
  // its cell (the edge value is the cell's place in the object list).
  TSpine dual;
  {
    TSuppressObjectNamesScope numbersOnly(1);
    if (description.BuildSpine(dual, 1) == 0) {
      throw std::invalid_argument("the details of the spine are incomplete");
    }
  }
  const TDWDetailClasses classes(description);
  cornerClasses_ = classes.CornerClassCount();
  sphereClasses_ = classes.SphereCornerClassCount();

  TSpineCellTable spineOrder;
  const int edgeCount = spineOrder.Load(dual);
  const std::vector<int> order = EdgeClosingOrder(spineOrder, edgeCount);
  std::vector<int> positionOf(order.size());
  cells_.Clear();
  for (std::size_t k = 0; k < order.size(); ++k) {
    positionOf[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
    TSpineCellRecord record = *spineOrder.Cell(static_cast<unsigned>(order[k]));
    record.number = static_cast<std::int32_t>(k) + 1;
    cells_.Append(std::move(record));
  }

  // Three records per edge, from the boundary words in table order; the
  // edges then sorted by their last cell, so that the first failing edge is
  // the one whose skip reaches furthest.
  std::vector<std::vector<const TSpineCellRecord*>> rows(static_cast<std::size_t>(edgeCount) + 1);
  for (int c = 0; c < cells_.Count(); ++c) {
    const TSpineCellRecord* record = cells_.Cell(static_cast<unsigned>(c));
    for (std::int32_t signedEdge : record->edges) {
      const auto e = static_cast<std::size_t>(std::abs(signedEdge));
      if (e >= 1 && e < rows.size()) rows[e].push_back(record);
    }
  }
  std::vector<std::size_t> edgeOrder;
  for (std::size_t e = 1; e < rows.size(); ++e) {
    if (rows[e].size() != 3) throw std::invalid_argument("the spine is not special");
    edgeOrder.push_back(e);
  }
  auto lastCell = [&](std::size_t e) {
    int last = 0;
    for (const TSpineCellRecord* record : rows[e]) last = std::max(last, record->number);
    return last;
  };
  std::stable_sort(edgeOrder.begin(), edgeOrder.end(),
                   [&](std::size_t a, std::size_t b) { return lastCell(a) < lastCell(b); });
  edgeRows_.clear();
  for (std::size_t e : edgeOrder) edgeRows_.insert(edgeRows_.end(), rows[e].begin(), rows[e].end());

  // Corner numbers and the ordered triples, detail by detail.
  std::unordered_map<int, int> cellOrdinal;  // object-list place -> cell position in spine order
  for (int i = 0, ordinal = 0; i < dual.Objects().Count(); ++i) {
    if (ObjectKind(dual.Objects().At(i)) == kCellKind) cellOrdinal.emplace(i, ordinal++);
  }
  corners_.assign(static_cast<std::size_t>(classes.DetailCount()), {});
  triples_.assign(static_cast<std::size_t>(classes.DetailCount()), {});
  for (int v = 0; v < classes.DetailCount(); ++v) {
    std::array<int, 4>& corner = corners_[static_cast<std::size_t>(v)];
    for (int f = 0; f < 4; ++f) corner[static_cast<std::size_t>(f)] = classes.Corner(v, f);
    const std::array<int, 4> s = FacesByCornerNumber(corner);
    for (std::size_t k = 1; k < 4; ++k) {
      if (corner[static_cast<std::size_t>(s[k])] == corner[static_cast<std::size_t>(s[k - 1])]) {
        throw std::invalid_argument(
            "two corners of a dual tetrahedron lie in one vertex class (the spine is not reduced)");
      }
    }
    // The cell on the tetrahedron edge that faces a and b share.
    auto cellOn = [&](int a, int b) {
      const int value = TDetail::EdgeValue(classes.Detail(v), a, SharedEdgePosition(a, b));
      auto found = cellOrdinal.find(value);
      if (found == cellOrdinal.end()) throw std::invalid_argument("a detail edge has no cell");
      return positionOf[static_cast<std::size_t>(found->second)];
    };
    // Faces s2, s3 share the edge from the first corner to the second,
    // s0, s3 the one from the second to the third, s0, s1 the last.
    triples_[static_cast<std::size_t>(v)] = {cellOn(s[2], s[3]), cellOn(s[0], s[3]),
                                             cellOn(s[0], s[1])};
  }
}

TDWCalculator::TStatus TDWCalculator::Compute(int timeLimitMs) {
  const auto start = std::chrono::steady_clock::now();
  const auto n = static_cast<unsigned>(cells_.Count());
  TColouringOdometer odometer;
  odometer.Init(3, n, 3);
  const std::vector<std::int32_t>& digit = odometer.Digits();
  const std::size_t edges = edgeRows_.size() / 3;
  // The edges are sorted by their last cell: after a step that changed only
  // the digits from position k on, the edges that end before cell k + 1
  // still hold as they did, and the test starts at the first that does not.
  std::vector<std::size_t> firstEdgeReaching(n + 1, edges);
  for (std::size_t e = edges; e-- > 0;) {
    int last = 0;
    for (std::size_t j = 0; j < 3; ++j) last = std::max(last, edgeRows_[3 * e + j]->number);
    for (int k = last - 1; k >= 0 && firstEdgeReaching[static_cast<std::size_t>(k)] > e; --k) {
      firstEdgeReaching[static_cast<std::size_t>(k)] = e;
    }
  }
  // The digit the next advance increments: the last one below `border`
  // that is not at its maximum; none (n) when the odometer runs out.
  auto incremented = [&](std::size_t border) {
    for (std::size_t i = border; i-- > 0;) {
      if (digit[i] != odometer.MaxDigit()) return i;
    }
    return static_cast<std::size_t>(n);
  };
  sum_ = 0;
  visited_ = 0;
  std::size_t from = 0;  // the first edge to test
  for (;;) {
    // Polled every few thousand colourings, accepted or not: a run of
    // rejections can be long too.
    if ((++visited_ & 4095U) == 0) {
      if (IsStopRequested()) return kStopped;
      if (timeLimitMs > 0 && std::chrono::steady_clock::now() - start >
                                 std::chrono::milliseconds(timeLimitMs)) {
        timeLimitWord_ = timeLimitMs;
        return kTimedOut;
      }
    }
    int failed = 0;
    for (std::size_t e = from; e < edges; ++e) {
      const int total = digit[static_cast<std::size_t>(edgeRows_[3 * e]->number - 1)] +
                        digit[static_cast<std::size_t>(edgeRows_[3 * e + 1]->number - 1)] +
                        digit[static_cast<std::size_t>(edgeRows_[3 * e + 2]->number - 1)];
      if (total % 2 != 0) {
        failed = static_cast<int>(e) + 1;
        break;
      }
    }
    if (failed != 0) {
      if (odometer.IsLast()) return kDone;
      int border = 0;
      for (std::size_t j = 0; j < 3; ++j) {
        border = std::max(border, edgeRows_[3 * static_cast<std::size_t>(failed - 1) + j]->number);
      }
      from = firstEdgeReaching[incremented(static_cast<std::size_t>(border))];
      if (from == edges) from = 0;  // ran out: the last colouring is tested in full
      odometer.Advance(edgeRows_.data(), failed);
      continue;
    }
    int weight = 1;
    for (const std::array<int, 3>& triple : triples_) {
      if (digit[static_cast<std::size_t>(triple[0])] != 0 &&
          digit[static_cast<std::size_t>(triple[1])] != 0 &&
          digit[static_cast<std::size_t>(triple[2])] != 0) {
        weight = -weight;
      }
    }
    sum_ += weight;
    if (odometer.IsLast()) return kDone;
    from = firstEdgeReaching[incremented(n)];
    if (from == edges) from = 0;
    odometer.Advance(nullptr, 0);
  }
}
