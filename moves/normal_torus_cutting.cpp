// Cutting along a normal torus. See normal_torus_cutting.h.
#include "moves/normal_torus_cutting.h"

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/torus_coordinates.h"

namespace {

constexpr int kNonSeparatingText = 306;
constexpr int kSeparatingText = 307;

// The thick edge of a spine edge with its arc count per side.
struct TEdgeArcs {
  THandle thick;
  THandle sides[3];
  int arcs[3] = {0, 0, 0};
};

// One passage of a cell: the edge, its direction, and the sides its "+" and
// "-" copies run along.
struct TPassage {
  const TObjectHeader* edge = nullptr;
  int direction = 1;
  int plusSide = -1;
  int minusSide = -1;
};

struct TCellPlan {
  THandle cell;
  THandle thick;
  int plates = 0;
  std::vector<TPassage> passages;
};

// The new edges, made on first use: region (edge, corner side, index) of the
// spine (index = arcs of the corner: the central region), and the two sides
// of arc (edge, corner side, index) of the cut surface.
class TCutEdges {
 public:
  TCutEdges(TSpine& spine, TComplex& surface) : spine_(spine), surface_(surface) {}

  THandle Region(const TObjectHeader* edge, int side, int index, const TEdgeArcs& arcs) {
    if (index >= arcs.arcs[side]) side = 3, index = 0;
    THandle& slot = regions_[{edge, side, index}];
    if (!slot.IsValid()) slot = THandle(spine_.Objects().CreateObject(kEdgeKind));
    return slot;
  }
  THandle Arc(const TObjectHeader* edge, int side, int index, bool outer) {
    auto key = std::make_tuple(edge, side, index);
    auto found = arcs_.find(key);
    if (found == arcs_.end()) {
      THandle a(surface_.Objects().CreateObject(kEdgeKind));
      THandle b(surface_.Objects().CreateObject(kEdgeKind));
      twins_[a.Object()] = b;
      twins_[b.Object()] = a;
      found = arcs_.emplace(key, std::make_pair(a, b)).first;
    }
    return outer ? found->second.first : found->second.second;
  }
  const std::map<std::tuple<const TObjectHeader*, int, int>, THandle>& Regions() const { return regions_; }
  THandle Twin(const TObjectHeader* edge) const {
    auto found = twins_.find(edge);
    return found == twins_.end() ? THandle() : found->second;
  }

 private:
  TSpine& spine_;
  TComplex& surface_;
  std::map<std::tuple<const TObjectHeader*, int, int>, THandle> regions_;
  std::map<std::tuple<const TObjectHeader*, int, int>, std::pair<THandle, THandle>> arcs_;
  std::unordered_map<const TObjectHeader*, THandle> twins_;
};

THandle NewCell(TObjectManager& objects, const std::vector<std::pair<THandle, int>>& word) {
  THandle cell(objects.CreateObject(kCellKind));
  for (const auto& [edge, direction] : word) TCell::AppendPassage(cell, edge, direction);
  return cell;
}

int Cut(TSpine& spine, const std::vector<std::uint8_t>& plates, TString* text) {
  if (!spine.IsThickened() || spine.IsEmpty()) return 0;
  std::vector<TCellPlan> plans;
  std::unordered_map<const TObjectHeader*, int> platesOfCell;
  TStopPoll poll;
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) break;
    if (static_cast<std::size_t>(i) >= plates.size()) return 0;
    THandle thick = ThickCellOfCell(spine, cell);
    if (!thick.IsValid() || TCell::Type(cell) != 1) return 0;
    plans.push_back({cell, thick, plates[static_cast<std::size_t>(i)], {}});
    for (int part = 1; part <= 3; ++part) platesOfCell[TThickCell::Part(thick, part).Object()] = plans.back().plates;
  }
  if (plans.size() != plates.size()) return 0;
  bool any = false;
  for (std::uint8_t k : plates) {
    poll.Step();
    any = any || k != 0;
  }
  if (!any) return 0;

  // The arc counts at every edge, and the sides every passage runs along.
  std::unordered_map<const TObjectHeader*, TEdgeArcs> edges;
  for (TCellPlan& plan : plans) {
    THandle plus = TThickCell::Part(plan.thick, 2);
    THandle minus = TThickCell::Part(plan.thick, 3);
    for (int p = 0; p < TCell::BoundaryLength(plan.cell); ++p) {
      poll.Step();
      int d = 1;
      THandle e = TCell::PassageAt(plan.cell, p, &d);
      auto found = edges.find(e.Object());
      if (found == edges.end()) {
        TEdgeArcs arcs;
        arcs.thick = ThickEdgeOfObject(spine, e);
        if (!arcs.thick.IsValid() || TEdge::Valency(e) != 3) return 0;
        int total = 0;
        for (int w = 0; w < 3; ++w) total += platesOfCell[TEdge::CellAt(e, w).Object()];
        for (int s = 0; s < 3; ++s) {
          arcs.sides[s] = TThickEdge::Side(arcs.thick, s);
          if (!arcs.sides[s].IsValid() || TEdge::Valency(arcs.sides[s]) != 2) return 0;
          const int twice = 2 * (platesOfCell[TEdge::CellAt(arcs.sides[s], 0).Object()] +
                                 platesOfCell[TEdge::CellAt(arcs.sides[s], 1).Object()]) - total;
          if (twice < 0 || twice % 2 != 0) return 0;
          arcs.arcs[s] = twice / 2;
        }
        found = edges.emplace(e.Object(), arcs).first;
      }
      const TEdgeArcs& arcs = found->second;
      TPassage passage{e.Object(), d, TThickEdge::SideIndex(arcs.thick, TCell::EdgeAt(plus, p)),
                       TThickEdge::SideIndex(arcs.thick, TCell::EdgeAt(minus, p))};
      if (passage.plusSide < 0 || passage.minusSide < 0 || passage.plusSide == passage.minusSide ||
          arcs.arcs[passage.plusSide] + arcs.arcs[passage.minusSide] != plan.plates)
        return 0;
      plan.passages.push_back(passage);
    }
  }

  const int before = spine.BoundaryCount();
  TComplex* surface = spine.NewBoundarySurface();
  spine.SetLastBoundaryNumber(spine.LastBoundaryNumber() + 1);
  ObjectSetNumber(surface->Component(), spine.LastBoundaryNumber());
  TCutEdges made(spine, *surface);
  // Layer i of a cell with k plates lies above plate i and below plate
  // i + 1; the top plates turn into the corner on the "+" side (the top one
  // outermost), the bottom ones into the corner on the "-" side.
  auto region = [&](const TPassage& p, int k, int i) {
    const TEdgeArcs& arcs = edges.at(p.edge);
    if (i >= arcs.arcs[p.minusSide]) return made.Region(p.edge, p.plusSide, k - i, arcs);
    return made.Region(p.edge, p.minusSide, i, arcs);
  };
  auto plateAbove = [&](const TPassage& p, int k, int i) {
    const TEdgeArcs& arcs = edges.at(p.edge);
    if (i + 1 > arcs.arcs[p.minusSide]) return made.Arc(p.edge, p.plusSide, k - i, false);
    return made.Arc(p.edge, p.minusSide, i + 1, true);
  };
  auto plateBelow = [&](const TPassage& p, int k, int i) {
    const TEdgeArcs& arcs = edges.at(p.edge);
    if (i > arcs.arcs[p.minusSide]) return made.Arc(p.edge, p.plusSide, k - i + 1, true);
    return made.Arc(p.edge, p.minusSide, i, false);
  };

  // The old thick edges give way to those of the regions.
  for (auto& [edge, arcs] : edges) {
    poll.Step();
    for (int s = 2; s >= 0; --s) TThickEdge::Detach(arcs.thick, arcs.sides[s]);
    ObjectReleaseByKind(arcs.thick);
    spine.Objects().Unregister(arcs.thick);
  }
  std::vector<THandle> surfaceCells;
  for (TCellPlan& plan : plans) {
    const int k = plan.plates;
    // A cell with k plates makes k + 1 layers along each of its passages.
    poll.Steps(static_cast<unsigned>(plan.passages.size() + 1) * static_cast<unsigned>(k + 1));
    std::vector<std::vector<std::pair<THandle, int>>> words(static_cast<std::size_t>(k) + 1);
    std::vector<std::vector<std::pair<THandle, int>>> above(static_cast<std::size_t>(k) + 1);
    std::vector<std::vector<std::pair<THandle, int>>> below(static_cast<std::size_t>(k) + 1);
    for (const TPassage& p : plan.passages) {
      for (int i = 0; i <= k; ++i) {
        words[static_cast<std::size_t>(i)].emplace_back(region(p, k, i), p.direction);
        if (i < k) above[static_cast<std::size_t>(i)].emplace_back(plateAbove(p, k, i), p.direction);
        if (i > 0) below[static_cast<std::size_t>(i)].emplace_back(plateBelow(p, k, i), p.direction);
      }
    }
    // Layer 0 is the old thick cell with its "-" copy; the top layer takes
    // the old "+" copy.
    for (int p = 0; p < static_cast<int>(plan.passages.size()); ++p) {
      const auto& [edge, direction] = words[0][static_cast<std::size_t>(p)];
      TCell::ReplacePassage(plan.cell, p, edge, direction);
    }
    if (k == 0) continue;
    TThickCell* layer0 = TThickCell::Of(plan.thick);
    THandle oldPlus = layer0->plusCopy;
    layer0->plusCopy = NewCell(surface->Objects(), above[0]);
    surfaceCells.push_back(layer0->plusCopy);
    for (int i = 1; i <= k; ++i) {
      THandle thick(spine.Objects().CreateObject(kThickCellKind));
      TThickCell* layer = TThickCell::Of(thick);
      layer->cell = NewCell(spine.Objects(), words[static_cast<std::size_t>(i)]);
      layer->minusCopy = NewCell(surface->Objects(), below[static_cast<std::size_t>(i)]);
      surfaceCells.push_back(layer->minusCopy);
      if (i < k) {
        layer->plusCopy = NewCell(surface->Objects(), above[static_cast<std::size_t>(i)]);
        surfaceCells.push_back(layer->plusCopy);
      } else {
        layer->plusCopy = oldPlus;
      }
    }
  }
  // The thick edges of the regions: a corner region lies between the arcs
  // on its two sides (the old side outermost), the central one between the
  // innermost arcs of the corners (the old side of a corner without arcs).
  for (const auto& [key, edge] : made.Regions()) {
    poll.Step();
    const auto& [old, side, index] = key;
    const TEdgeArcs& arcs = edges.at(old);
    THandle thick(spine.Objects().CreateObject(kThickEdgeKind));
    TThickEdge::CopyNameToObject(thick, edge);
    if (side == 3) {
      for (int s = 0; s < 3; ++s)
        TThickEdge::AddSide(thick, arcs.arcs[s] == 0 ? arcs.sides[s] : made.Arc(old, s, arcs.arcs[s], false), s);
    } else {
      TThickEdge::AddSide(thick, index == 0 ? arcs.sides[side] : made.Arc(old, side, index, false), 0);
      TThickEdge::AddSide(thick, made.Arc(old, side, index + 1, true), 1);
    }
  }
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) break;
    TCell::JoinCorners(cell, spine.Objects());
  }
  for (const THandle& cell : surfaceCells) {
    poll.Step();
    TCell::JoinCorners(cell, surface->Objects());
  }

  spine.SplitBoundarySurface(surface);
  TComplex* first = spine.BoundaryAt(before);
  TComplex* second = spine.BoundaryCount() > before + 1 ? spine.BoundaryAt(before + 1) : nullptr;
  if (first == nullptr || second == nullptr || spine.BoundarySurfaceClass(first) != 2 ||
      spine.BoundarySurfaceClass(second) != 2)
    return 0;
  SetTorusCoordinates(spine, *first);
  const TObjectManager& objects = first->Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    poll.Step();
    TObjectHeader* edge = objects.At(i);
    if (ObjectKind(edge) != kEdgeKind) continue;
    THandle twin = made.Twin(edge);
    if (!twin.IsValid()) continue;
    int labels[4] = {0, 0, 0, 0};
    TEdge::LabelsAreZero(edge, labels);
    labels[0] = -labels[0];
    TEdge::SetLabels(twin, labels, 1);
  }
  int flag = 0;
  if (TObjectTable* table = spine.MoleculeTable()) flag = table->AssembleFromPieces(first, second);
  // Without a piece to record the cut in, the spine's components still say
  // whether the torus separates.
  if (flag == 0) flag = spine.SplitIntoComponents() != 0 ? 1 : 2;
  if (text != nullptr) ReportNormalTorusCutting(*text, plates, flag);
  return flag;
}

}  // namespace

int CutAlongNormalTorusPlates(TSpine& spine, const std::vector<std::uint8_t>& plates, TString* text) {
  return PerformWithRollback(spine, [&] { return Cut(spine, plates, text); });
}

int CutAlongNormalTorusMove(TSpine& spine, const std::vector<std::uint8_t>& plates, TString* text) {
  TString report;
  const int flag = PerformWithRollback(spine, [&] {
    spine.Objects().SetCreationTag(kMoveNormalTorus);
    return Cut(spine, plates, &report);
  });
  if (flag == 0) return 0;
  if (text != nullptr) text->AssignString(report);
  spine.LogEvent(kMoveNormalTorus, report.Empty() ? nullptr : report.CStr());
  return flag;
}

void ReportNormalTorusCutting(TString& text, const std::vector<std::uint8_t>& plates, int separationFlag) {
  std::string vector = "{";
  for (std::size_t i = 0; i < plates.size(); ++i)
    vector += std::to_string(plates[i]) + (i + 1 < plates.size() ? "," : "}");
  text.FormatResource(separationFlag == 2 ? kNonSeparatingText : kSeparatingText, vector.c_str());
}
