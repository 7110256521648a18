// Collapsing. See collapsing.h.
#include "moves/collapsing.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "model/thickcell.h"
#include "model/vertex.h"
#include "moves/cutting.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/thick_surgery.h"
#include "moves/vertex_link_split.h"

namespace {

constexpr int kSimpleCollapsingText = 273;
constexpr int kCollapsingWithCuttingsText = 274;

bool IsFree(const TObjectHeader* cell, int i) { return TEdge::Valency(TCell::EdgeAt(cell, i)) == 1; }

// The vertex at which passage i starts.
THandle StartOf(const TObjectHeader* cell, int i) {
  int direction = 1;
  THandle edge = TCell::PassageAt(cell, i, &direction);
  return TEdge::End(edge, 1, direction);
}

std::vector<TObjectHeader*> DistinctEdgesAt(const TObjectHeader* vertex) {
  std::vector<TObjectHeader*> edges;
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    TObjectHeader* e = TVertex::EdgeAt(vertex, i).Object();
    if (e != nullptr && std::find(edges.begin(), edges.end(), e) == edges.end()) edges.push_back(e);
  }
  return edges;
}

// Union-find over the corners.
int Root(std::vector<int>& parent, int i) {
  while (parent[static_cast<std::size_t>(i)] != i) {
    parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
    i = parent[static_cast<std::size_t>(i)];
  }
  return i;
}

}  // namespace

int CountFreeArcs(const TObjectHeader* cell, int* arcStart, int* arcEnd) {
  int start = -1;
  int end = -1;
  int count = 0;
  if (TCell::Type(cell) == 1) {
    int length = TCell::BoundaryLength(cell);
    std::vector<bool> free(static_cast<std::size_t>(length));
    int freeCount = 0;
    for (int i = 0; i < length; ++i) {
      free[static_cast<std::size_t>(i)] = IsFree(cell, i);
      freeCount += free[static_cast<std::size_t>(i)] ? 1 : 0;
    }
    if (freeCount == length && length > 0) {
      count = 1;
      start = 0;
      end = length - 1;
    } else {
      // Every arc starts at a free position after a non-free one, cyclically.
      for (int i = 0; i < length; ++i) {
        int before = (i + length - 1) % length;
        if (!free[static_cast<std::size_t>(i)] || free[static_cast<std::size_t>(before)]) continue;
        ++count;
        start = i;
        end = i;
        while (free[static_cast<std::size_t>((end + 1) % length)]) end = (end + 1) % length;
      }
    }
  }
  if (arcStart != nullptr) *arcStart = start;
  if (arcEnd != nullptr) *arcEnd = end;
  return count;
}

int AnalyseVertexLink(const TObjectHeader* cell, const TObjectHeader* vertex, std::vector<TObjectHeader*>* edgeList,
                      TVertexLinkRecord* record) {
  std::vector<TObjectHeader*> edges = DistinctEdgesAt(vertex);
  if (edgeList != nullptr) *edgeList = edges;
  std::vector<TObjectHeader*> cells;
  for (TObjectHeader* e : edges) {
    for (int k = 0; k < TEdge::Valency(e); ++k) {
      TObjectHeader* c = TEdge::CellAt(e, k).Object();
      if (c != cell && std::find(cells.begin(), cells.end(), c) == cells.end()) cells.push_back(c);
    }
  }
  if (edges.empty() || cells.empty()) return 0;
  auto indexOf = [&](const TObjectHeader* e) {
    auto it = std::find(edges.begin(), edges.end(), e);
    return it == edges.end() ? -1 : static_cast<int>(it - edges.begin());
  };
  std::vector<TVertexLinkCorner> corners;
  for (TObjectHeader* c : cells) {
    int length = TCell::BoundaryLength(c);
    for (int step = 0; step < length; ++step) {
      int k = (length - 1 + step) % length;
      int next = (k + 1) % length;
      int d1 = 1;
      int d2 = 1;
      THandle e1 = TCell::PassageAt(c, k, &d1);
      THandle e2 = TCell::PassageAt(c, next, &d2);
      int i1 = indexOf(e1);
      int i2 = indexOf(e2);
      if (i1 < 0 || i2 < 0 || TEdge::End(e1, 2, d1).Object() != vertex) continue;
      corners.push_back({i1, d1 == 1 ? 2 : 1, i2, d2 == 1 ? 1 : 2, 0});
    }
  }
  // Two corners meet when they share an edge end: label the ends' classes.
  std::vector<int> parent(corners.size());
  std::iota(parent.begin(), parent.end(), 0);
  for (std::size_t a = 0; a < corners.size(); ++a) {
    for (std::size_t b = a + 1; b < corners.size(); ++b) {
      const TVertexLinkCorner& x = corners[a];
      const TVertexLinkCorner& y = corners[b];
      bool meet = (x.firstEdge == y.firstEdge && x.firstEnd == y.firstEnd) ||
                  (x.firstEdge == y.secondEdge && x.firstEnd == y.secondEnd) ||
                  (x.secondEdge == y.firstEdge && x.secondEnd == y.firstEnd) ||
                  (x.secondEdge == y.secondEdge && x.secondEnd == y.secondEnd);
      if (meet) parent[static_cast<std::size_t>(Root(parent, static_cast<int>(a)))] = Root(parent, static_cast<int>(b));
    }
  }
  int components = 0;
  std::vector<int> label(corners.size(), 0);
  for (std::size_t a = 0; a < corners.size(); ++a) {
    int root = Root(parent, static_cast<int>(a));
    if (label[static_cast<std::size_t>(root)] == 0) label[static_cast<std::size_t>(root)] = ++components;
    corners[a].component = label[static_cast<std::size_t>(root)];
  }
  if (record != nullptr) {
    record->components = components;
    record->corners = corners;
  }
  return components == 1 ? 0 : 1;
}

int ClassifyCellForCollapsing(const TObjectHeader* cell, int* arcStart, int* arcEnd) {
  int s = -1;
  int e = -1;
  if (TCell::Type(cell) != 1 || CountFreeArcs(cell, &s, &e) != 1) return 0;
  int length = TCell::BoundaryLength(cell);
  int arcLength = (e - s + length) % length + 1;
  if (arcLength == length) return 0;
  int after = (e + 1) % length;
  int before = (s + length - 1) % length;
  int nonFree = length - arcLength;
  THandle afterEdge = TCell::EdgeAt(cell, after);
  if (nonFree == 2 && afterEdge.Object() == TCell::EdgeAt(cell, before).Object() &&
      TEdge::Valency(afterEdge) == 2 && CellAlgebraicPassages(cell, afterEdge) == 0) {
    return 0;
  }
  bool simple = true;
  for (int i = 0; i < length && simple; ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    if (TEdge::Valency(edge) > 1 && EdgePassageCount(cell, edge) == TEdge::Valency(edge)) simple = false;
  }
  std::vector<const TObjectHeader*> examined;
  for (int i = 0; i < length && simple; ++i) {
    int previous = (i + length - 1) % length;
    if (TEdge::Valency(TCell::EdgeAt(cell, previous)) <= 1 || TEdge::Valency(TCell::EdgeAt(cell, i)) <= 1) continue;
    THandle vertex = StartOf(cell, i);
    if (std::find(examined.begin(), examined.end(), vertex.Object()) != examined.end()) continue;
    examined.push_back(vertex.Object());
    if (AnalyseVertexLink(cell, vertex) != 0) simple = false;
  }
  int result = 1;
  if (!simple) {
    result = nonFree == 2 && afterEdge.Object() != TCell::EdgeAt(cell, before).Object() ? 2 : 3;
  }
  if (arcStart != nullptr) *arcStart = s;
  if (arcEnd != nullptr) *arcEnd = e;
  return result;
}

namespace {

// A collapsing with one cutting ends in the cut of the cell along a band
// between its two free arcs, which is made only when the boundary surface
// along the cell is a sphere or a torus (IsCuttable). The vertex split before
// it does not change that surface's topology (one vertex and one edge more),
// so the test can be made on the cell as it stands.
bool CopySurfaceIsCuttable(TSpine& spine, const TObjectHeader* cell) {
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return false;
  TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(thick, 2));
  if (surface == nullptr) return false;
  int euler = 0;
  spine.BoundarySurfaceClass(surface, &euler);
  return euler >= 0;
}

// The classes that can be performed on the cell now.
bool CanPerform(TSpine& spine, const TObjectHeader* cell, int collapsingClass) {
  if (collapsingClass == 2) return CopySurfaceIsCuttable(spine, cell);
  return collapsingClass == 1 || collapsingClass == 3;
}

}  // namespace

int FindReductionCell(TSpine& spine) {
  TObjectManager& objects = spine.Objects();
  // A read-only scan over every edge: a stop here leaves the spine as it was.
  TStopPoll poll;
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    poll.Step();
    if (TEdge::Valency(e) != 1) continue;
    THandle cell = TEdge::CellAt(e, 0);
    if (CanPerform(spine, cell, ClassifyCellForCollapsing(cell, nullptr, nullptr))) return spine.CellOrdinal(cell);
  }
  return -1;
}

int IsCellReducible(TSpine& spine, int cellPosition, int* arcStart, int* arcEnd) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid()) return 0;
  return ClassifyCellForCollapsing(cell, arcStart, arcEnd);
}

void ReportSimpleCollapsing(TString& text, const char* cellName, int /*collapsingClass*/, int cuttings) {
  if (QuietMode.load() != 0) return;
  if (cuttings == 0) {
    text.FormatResource(kSimpleCollapsingText, cellName);
  } else {
    text.FormatResource(kCollapsingWithCuttingsText, cellName, static_cast<unsigned>(cuttings));
  }
}

namespace {

thread_local int tDepth = 0;
thread_local int tCuttings = 0;

class TDepthScope {
 public:
  TDepthScope() { ++tDepth; }
  ~TDepthScope() { --tDepth; }
  TDepthScope(const TDepthScope&) = delete;
  TDepthScope& operator=(const TDepthScope&) = delete;
};

int CollapseBySplitting(TSpine& spine, TObjectHeader* thickCell, TString* report);
int CollapseWithCutting(TSpine& spine, TObjectHeader* thickCell, int arcEnd, TString* report);
int CutCellWithinCollapsing(TSpine& spine, const THandle& cell, TString* report);

// One collapsing, outermost or nested, without the outermost's report.
int Collapse(TSpine& spine, TObjectHeader* thickCell, TString* report, std::string& name, int& collapsingClass) {
  THandle keep(thickCell);
  THandle cell = TThickCell::Part(thickCell, 1);
  int s = -1;
  int e = -1;
  collapsingClass = ClassifyCellForCollapsing(cell, &s, &e);
  TSpine* component = spine.ComponentOfObject(thickCell);
  if (component == nullptr) return 0;
  // A piece with two free arcs is left to the cutting move, which the step
  // and RunCollapsings try right after the collapsings.
  if (collapsingClass == 0) return 0;
  if (!CanPerform(*component, cell, collapsingClass)) return 0;
  if (tDepth == 1) {
    component->Objects().SetCreationTag(kMoveCollapsing);
    // The curves on the boundary cross the "-" copy at the free arc; pushed
    // off it first, they keep their classes when the copy goes.
    THandle minus = TThickCell::Part(thickCell, 3);
    EdgeAddLabelsAroundCell(minus, TCell::EdgeAt(minus, s), s);
    if (report != nullptr) name = cell.DisplayName();
  }
  switch (collapsingClass) {
    case 1: return component->RemoveThickCell(thickCell);
    case 2: return CollapseWithCutting(*component, thickCell, e, report);
    default: return CollapseBySplitting(*component, thickCell, report);
  }
}

}  // namespace

int CollapseOrReduceCell(TSpine& spine, TObjectHeader* thickCell, TString* report, int* cuttings) {
  TDepthScope depth;
  std::string name;
  int collapsingClass = 0;
  if (tDepth > 1) return Collapse(spine, thickCell, report, name, collapsingClass);
  tCuttings = 0;
  if (cuttings != nullptr) *cuttings = 0;
  TString appended;
  // A collapsing with cuttings changes the spine in several moves; when one
  // of them refuses half-way the whole collapsing is undone.
  int result = PerformWithRollback(
      spine, [&] { return Collapse(spine, thickCell, report != nullptr ? &appended : nullptr, name, collapsingClass); });
  if (result == 0) return 0;
  if (report != nullptr) {
    TString text;
    ReportSimpleCollapsing(text, name.c_str(), collapsingClass, tCuttings);
    report->AssignString(text);
    report->AppendString(appended);
  }
  if (cuttings != nullptr) *cuttings = tCuttings;
  spine.LogEvent(kMoveCollapsing, report != nullptr && !report->Empty() ? report->CStr() : nullptr);
  return result;
}

int PerformCellReduction(TSpine& spine, int cellPosition, TString* report, int* cuttings) {
  if (cuttings != nullptr) *cuttings = 0;
  THandle cell = spine.NthCell(cellPosition);
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  return CollapseOrReduceCell(spine, thick, report, cuttings);
}

namespace {

// The passage of the cell at position i runs along an edge that other
// passages of the cell share and no other cell passes.
bool EdgeOnlyHere(const TObjectHeader* cell, int i) {
  THandle edge = TCell::EdgeAt(cell, i);
  int valency = TEdge::Valency(edge);
  return valency > 1 && EdgePassageCount(cell, edge) == valency;
}

// Cuts the stretch from the middle of the edge of passage p to the middle of
// the edge of passage q off the thick cell (thick_surgery.h); thickCell
// becomes the rest, the piece goes to pieces.
bool CutOffStretch(TSpine& spine, THandle& thickCell, int p, int q, std::vector<THandle>& pieces) {
  TObjectHeader* rest = nullptr;
  TObjectHeader* piece = nullptr;
  if (CutOffThickStretch(spine, thickCell, p, q, &rest, &piece) == 0) return false;
  thickCell = THandle(rest);
  pieces.push_back(THandle(piece));
  return true;
}

// Cuts the cell along a band between its two free arcs without a log entry
// of its own; the cut counts for the outermost collapsing and its text joins
// that collapsing's report after a line break and a tab.
int CutCellWithinCollapsing(TSpine& spine, const THandle& cell, TString* report) {
  int position = spine.CellOrdinal(cell);
  if (IsCuttable(spine, position) == 0) return 0;
  TString text;
  if (CutAlongCellWithinMove(spine, position, report != nullptr ? &text : nullptr) == 0) return 0;
  ++tCuttings;
  if (report != nullptr && !text.Empty()) {
    report->Append("\r\n\t");
    report->AppendString(text);
  }
  return 1;
}

// Class 2: the rest of the boundary is two passages n, m of different edges
// meeting at a vertex v whose link falls apart without the cell. The piece of
// the link that holds m moves onto a new vertex joined to v by a new edge
// that only this cell passes (vertex_link_split.h); the cell then has two
// free arcs, and the cut along it is the one cutting of this collapsing.
int CollapseWithCutting(TSpine& spine, TObjectHeader* thickCell, int arcEnd, TString* report) {
  THandle thick(thickCell);
  THandle cell = TThickCell::Part(thick, 1);
  int length = TCell::BoundaryLength(cell);
  int n = (arcEnd + 1) % length;
  int m = (n + 1) % length;
  int direction = 1;
  THandle edge = TCell::PassageAt(cell, n, &direction);
  std::vector<TObjectHeader*> edges;
  TVertexLinkRecord record;
  AnalyseVertexLink(cell, TEdge::End(edge, 2, direction), &edges, &record);
  if (SplitVertexByLinkPiece(spine, thick, n, m, edges, record) == 0) return 0;
  return CutCellWithinCollapsing(spine, cell, report);
}

constexpr int kMaxSplittingDepth = 64;

int CollapseBySplitting(TSpine& spine, TObjectHeader* thickCell, TString* report) {
  if (tDepth > kMaxSplittingDepth) return 0;
  THandle thick(thickCell);
  std::vector<THandle> pieces;
  // Every cut takes a passage or a corner away from the cell for good; the
  // bound only guards against a structure that is not what it should be.
  int cutsLeft = 4 * TCell::BoundaryLength(TThickCell::Part(thick, 1)) + 16;
  // Corners beside the passages of edges that only this cell passes: the
  // piece around such a passage takes the edge away from the rest.
  for (bool changed = true; changed;) {
    changed = false;
    THandle cell = TThickCell::Part(thick, 1);
    int s = -1;
    int e = -1;
    if (CountFreeArcs(cell, &s, &e) != 1) return 0;
    int length = TCell::BoundaryLength(cell);
    for (int k = (e + 1) % length; k != s; k = (k + 1) % length) {
      if (!EdgeOnlyHere(cell, k)) continue;
      if (--cutsLeft < 0) return 0;
      // The passage k goes with the halves of its neighbours.
      if (!CutOffStretch(spine, thick, (k + length - 1) % length, (k + 1) % length, pieces)) return 0;
      changed = true;
      break;
    }
  }
  // Corners at vertices whose link falls apart without this cell.
  for (bool changed = true; changed;) {
    changed = false;
    THandle cell = TThickCell::Part(thick, 1);
    int length = TCell::BoundaryLength(cell);
    for (int i = 0; i < length; ++i) {
      int direction = 1;
      THandle edge = TCell::PassageAt(cell, i, &direction);
      if (AnalyseVertexLink(cell, TEdge::End(edge, 2, direction)) != 1) continue;
      if (--cutsLeft < 0) return 0;
      if (!CutOffStretch(spine, thick, i, (i + 1) % length, pieces)) return 0;
      changed = true;
      break;
    }
  }
  if (spine.RemoveThickCell(thick) == 0) return 0;
  for (THandle& piece : pieces) CollapseOrReduceCell(spine, piece, report, nullptr);
  return 1;
}

int BrokenVertexLink(const TObjectHeader* vertex) { return AnalyseVertexLink(nullptr, vertex) != 0 ? 1 : 0; }

}  // namespace

void InstallVertexLinkCheck() { SetVertexLinkAnalysis(BrokenVertexLink); }
