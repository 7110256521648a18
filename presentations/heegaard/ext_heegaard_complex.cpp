// The cell complex of an extended Heegaard diagram, its curves and its dual
// diagram.
//
// The complex is the Heegaard surface cut into cells, with the meridian discs
// of both handlebodies attached:
//   - the three cut discs of the first handlebody (the curves 0, 1, 2 that cut
//     the surface into two pairs of pants); cut disc k has S(k) boundary edges,
//     one between any two consecutive arc ends on it;
//   - the regions into which the arcs cut each pair of pants: two hexagons
//     (merged into one region when family 2 is empty) and a rectangle between
//     any two neighbouring arcs of one family;
//   - one disc for each closed curve of the diagram (the second handlebody's
//     meridians), bounded by the arc edges of both pairs of pants.
// The first pair of pants meets each cut disc along its natural edge order,
// the second along the order rotated by the twist B(k); this is the gluing.
// A regular diagram of three curves gives a special spine whose complement
// is four balls (two per handlebody), with 2 (A0 + A1 + A2) + 4 cells.
//
// The dual diagram is read off this complex with the roles exchanged: the
// curve discs become the cut discs. An edge of a cut disc joins two arc ends
// that lie on two different curves i, j, so it is one arc of the dual family
// 3 - i - j (each dual arc is seen from both sides of the surface, hence the
// halving). The dual twists are the positions, along each curve, at which a
// fixed reference region of the other pair of pants meets it.
//
// Cost: linear in the complexity for the cells; the curve tracing scans the
// edges at each vertex (four), so it is linear too.
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/vertex.h"
#include "presentations/heegaard/ext_heegaard_complex.h"

namespace {

int Index3(int k) { return ((k % 3) + 3) % 3; }

int NonNegative(int value) { return value < 0 ? 0 : value; }

using TEdgeRow = std::vector<THandle>;

// The edge at a position of a list, or null when it does not exist.
TObjectHeader* EdgeOrNull(const TEdgeRow& row, long long i) {
  if (i < 0 || i >= static_cast<long long>(row.size())) return nullptr;
  return row[static_cast<std::size_t>(i)].Object();
}

void AppendIf(TObjectHeader* cell, TObjectHeader* edge, int direction) {
  if (edge != nullptr) TCell::AppendPassage(cell, edge, direction);
}

}  // namespace

int TraceExtHeegaardCurves(TComplex& complex, const std::vector<THandle>& arcs,
                           std::vector<THandle>& curves) {
  std::unordered_map<const TObjectHeader*, std::size_t> position;
  for (std::size_t i = 0; i < arcs.size(); ++i) position.emplace(arcs[i].Object(), i);
  std::vector<char> remaining(arcs.size(), 1);
  std::size_t left = arcs.size();
  std::size_t first = 0;
  int count = 0;
  TStopPoll poll;
  while (left > 0) {
    while (remaining[first] == 0) ++first;
    THandle cell(complex.Objects().CreateObject(kCellKind));
    curves.push_back(cell);
    TObjectHeader* edge = arcs[first].Object();
    remaining[first] = 0;
    --left;
    TCell::AppendPassage(cell, edge, 1);
    THandle vertex = TEdge::End(edge, 2);
    while (true) {
      poll.Step();
      TObjectHeader* next = nullptr;
      const int valency = TVertex::Valency(vertex);
      for (int i = 0; i < valency && next == nullptr; ++i) {
        THandle candidate = TVertex::EdgeAt(vertex, i);
        auto found = position.find(candidate.Object());
        if (found != position.end() && remaining[found->second] != 0) {
          next = candidate.Object();
          remaining[found->second] = 0;
          --left;
        }
      }
      if (next == nullptr) break;
      const bool along = TEdge::End(next, 1).Object() == vertex.Object();
      TCell::AppendPassage(cell, next, along ? 1 : 2);
      vertex = TEdge::End(next, along ? 2 : 1);
    }
    TCell::JoinCorners(cell);
    ++count;
  }
  return count;
}

namespace {

// The curve (0, 1, 2) through each vertex that an arc edge of a curve ends at.
using TVertexCurves = std::unordered_map<const TObjectHeader*, int>;

// The dual diagram, from the first hexagon of the first pair of pants, the
// other pants cells and the three curve cells. 1 with the dual filled, 0 when
// it cannot be formed.
int DualFromComplex(TExtHeegaardDiagram& dual, const std::vector<THandle>& discCells,
                    const std::vector<THandle>& pantsCells, const std::vector<THandle>& curveCells,
                    bool secondHexagonKept) {
  if (pantsCells.empty() || curveCells.size() < 3) return 0;
  TObjectHeader* hexagon = pantsCells[0].Object();
  if (TCell::BoundaryLength(hexagon) < 6) return 0;

  // Dual curve w passes the arc edge of passage 2w + 1 of the first hexagon;
  // its boundary is turned to start there, running along that edge.
  TObjectHeader* dualCurve[3] = {nullptr, nullptr, nullptr};
  for (int w = 0; w < 3; ++w) {
    TObjectHeader* edge = TCell::EdgeAt(hexagon, 2 * w + 1).Object();
    for (const THandle& curve : curveCells) {
      const int passage = TCell::FindPassage(curve, edge, -1, 0);
      if (passage < 0) continue;
      dualCurve[w] = curve.Object();
      TCell::RotateBoundary(curve, passage, TCell::DirectionAt(curve, passage) == 2 ? 1 : 0);
      break;
    }
  }
  if (dualCurve[0] == nullptr || dualCurve[1] == nullptr || dualCurve[2] == nullptr ||
      dualCurve[0] == dualCurve[1] || dualCurve[0] == dualCurve[2] ||
      dualCurve[1] == dualCurve[2]) {
    return 0;
  }

  TVertexCurves curveOfVertex;
  std::unordered_map<const TObjectHeader*, std::pair<int, int>> placeOfEdge;  // curve, position
  for (int w = 0; w < 3; ++w) {
    const int length = TCell::BoundaryLength(dualCurve[w]);
    for (int i = 0; i < length; ++i) {
      THandle edge = TCell::EdgeAt(dualCurve[w], i);
      placeOfEdge.emplace(edge.Object(), std::make_pair(w, i));
      for (int end = 1; end <= 2; ++end) {
        THandle vertex = TEdge::End(edge, end);
        if (vertex.IsValid()) curveOfVertex[vertex.Object()] = w;
      }
    }
  }

  // Arcs of the dual: edges of the cut discs between two different curves.
  int counter[3] = {0, 0, 0};
  for (const THandle& disc : discCells) {
    const int length = TCell::BoundaryLength(disc);
    for (int i = 0; i < length; ++i) {
      THandle edge = TCell::EdgeAt(disc, i);
      auto first = curveOfVertex.find(TEdge::End(edge, 1).Object());
      auto second = curveOfVertex.find(TEdge::End(edge, 2).Object());
      if (first == curveOfVertex.end() || second == curveOfVertex.end()) return 0;
      if (first->second == second->second) return 0;
      ++counter[3 - first->second - second->second];
    }
  }

  // The reference region: the first of the other pants cells that runs
  // against dual curve 0 at its first edge on it and meets dual curve 2 at
  // its third passage.
  auto onCurve = [&](TObjectHeader* edge, int w) {
    auto found = placeOfEdge.find(edge);
    return found != placeOfEdge.end() && found->second.first == w;
  };
  TObjectHeader* reference = nullptr;
  for (std::size_t k = 1; k < pantsCells.size() && reference == nullptr; ++k) {
    TObjectHeader* cell = pantsCells[k].Object();
    // The second hexagon of the second pair of pants keeps its orientation.
    const std::size_t unreversed = secondHexagonKept ? 3 : 2;
    if (k != unreversed) TCell::RotateBoundary(cell, 0, 1);
    const int length = TCell::BoundaryLength(cell);
    int start = -1;
    for (int i = 0; i < length && start < 0; ++i) {
      if (onCurve(TCell::EdgeAt(cell, i).Object(), 0)) start = i;
    }
    if (start < 0) continue;
    TCell::RotateBoundary(cell, start, 0);
    TObjectHeader* edge = TCell::EdgeAt(cell, 0).Object();
    const int curvePassage = TCell::FindPassage(dualCurve[0], edge, -1, 0);
    const bool against = TCell::DirectionAt(cell, 0) != TCell::DirectionAt(dualCurve[0], curvePassage);
    if (against && onCurve(TCell::EdgeAt(cell, 2).Object(), 2)) reference = cell;
  }
  if (reference == nullptr || TCell::BoundaryLength(reference) < 5) return 0;

  TExtHeegaardDiagram result;
  for (int i = 0; i < 3; ++i) result.SetA(i, counter[i] / 2);
  const int referencePassage[3] = {0, 4, 2};
  for (int w = 0; w < 3; ++w) {
    auto found = placeOfEdge.find(TCell::EdgeAt(reference, referencePassage[w]).Object());
    if (found == placeOfEdge.end() || found->second.first != w) return 0;
    // The curve starts at the first hexagon's edge: its position is 0.
    result.SetB(w, std::abs(found->second.second));
  }
  dual = result;
  return 1;
}

}  // namespace

int BuildExtHeegaardComplex(const TExtHeegaardDiagram& diagram, TComplex& complex,
                            TExtHeegaardDiagram* dual) {
  int code = diagram.IsRegular() == 1 ? 1 : 2;
  TObjectManager& objects = complex.Objects();
  const int arcCount[3] = {NonNegative(diagram.A(0)), NonNegative(diagram.A(1)),
                           NonNegative(diagram.A(2))};

  TEdgeRow family[2][3];
  std::vector<THandle> allArcs;
  TEdgeRow natural[3];
  TEdgeRow twisted[3];
  std::vector<THandle> discCells;
  // The loops run as often as the diagram's arc counts say.
  TStopPoll poll;
  for (int c = 0; c < 3; ++c) {
    for (int j = 0; j < arcCount[c]; ++j) {
      poll.Step();
      for (int pants = 0; pants < 2; ++pants) {
        THandle edge(objects.CreateObject(kEdgeKind));
        family[pants][c].push_back(edge);
        allArcs.push_back(edge);
      }
    }
    const int k = Index3(c + 1);
    const long long ends = static_cast<long long>(arcCount[Index3(k + 1)]) + arcCount[Index3(k + 2)];
    THandle disc(objects.CreateObject(kCellKind));
    discCells.push_back(disc);
    natural[c].resize(static_cast<std::size_t>(ends));
    twisted[c].resize(static_cast<std::size_t>(ends));
    for (long long i = 0; i < ends; ++i) {
      poll.Step();
      THandle edge(objects.CreateObject(kEdgeKind));
      TCell::AppendPassage(disc, edge, 1);
      natural[c][static_cast<std::size_t>(i)] = edge;
      long long at = (i + diagram.B(k)) % ends;
      if (at < 0) at += ends;
      twisted[c][static_cast<std::size_t>(at)] = edge;
    }
    TCell::JoinCorners(disc);
  }

  std::vector<THandle> pantsCells;
  const bool thirdFamily = arcCount[2] > 0;
  for (int pants = 0; pants < 2; ++pants) {
    const TEdgeRow* lists = pants == 0 ? natural : twisted;
    THandle hexagon(objects.CreateObject(kCellKind));
    THandle second(objects.CreateObject(kCellKind));
    pantsCells.push_back(hexagon);
    for (int p = 0; p < 3; ++p) {
      const TEdgeRow& arcs = family[pants][p];
      const bool withArc = p < 2 || thirdFamily;
      AppendIf(hexagon, EdgeOrNull(lists[p], 0), 1);
      if (withArc) AppendIf(hexagon, EdgeOrNull(arcs, 0), 1);
      AppendIf(second, EdgeOrNull(lists[p], arcCount[p]), 2);
      if (withArc) AppendIf(second, EdgeOrNull(arcs, arcCount[p] - 1), 1);
      for (int j = 1; j < arcCount[p]; ++j) {
        poll.Step();
        THandle rectangle(objects.CreateObject(kCellKind));
        AppendIf(rectangle, EdgeOrNull(lists[p], j), 1);
        AppendIf(rectangle, EdgeOrNull(arcs, j), 1);
        AppendIf(rectangle,
                 EdgeOrNull(lists[Index3(p + 1)],
                            static_cast<long long>(arcCount[p]) + arcCount[Index3(p + 1)] - j),
                 1);
        AppendIf(rectangle, EdgeOrNull(arcs, j - 1), 2);
        TCell::JoinCorners(rectangle);
      }
    }
    if (!thirdFamily) {
      // One region: the second hexagon's passages 2, 1, 0 continue the first,
      // run backwards.
      for (int i = 2; i >= 0; --i) {
        int direction = 0;
        THandle edge = TCell::PassageAt(second, i, &direction);
        if (edge.IsValid()) TCell::AppendPassage(hexagon, edge, direction == 1 ? 2 : 1);
      }
      complex.RemoveCell(second);
      TCell::JoinCorners(hexagon);
    } else {
      pantsCells.push_back(second);
      TCell::JoinCorners(hexagon);
      TCell::JoinCorners(second);
    }
  }

  std::vector<THandle> curveCells;
  const int curves = TraceExtHeegaardCurves(complex, allArcs, curveCells);
  if (code == 1 && curves != 3) code = 3;
  if (code == 1) {
    TExtHeegaardDiagram formed;
    if (DualFromComplex(formed, discCells, pantsCells, curveCells, thirdFamily) == 0) {
      code = 4;
    } else if (dual != nullptr) {
      *dual = formed;
    }
  }
  return code;
}

int ExtHeegaardBuildCode(const TExtHeegaardDiagram& diagram, TExtHeegaardDiagram* dual) {
  THeapContext context;
  THeapContextGuard guard(context);
  PrivateHeapCreate(1);
  TComplex complex;
  return BuildExtHeegaardComplex(diagram, complex, dual);
}
