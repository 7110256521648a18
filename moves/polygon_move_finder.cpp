// The polygon move finder. See polygon_move_finder.h.
//
// Path values. Every test "the path value of e with x1, x2, x3" asks whether
// the curve made of e and a path on the surface back to e's start, avoiding
// the edges x, exists: whether e is not separated from itself once the x are
// cut. On a sphere a polygon's sides always separate; on a torus the sides of
// a polygon must not leave an essential curve around, so a torus asks for the
// path avoiding all the sides to be missing. The values are computed lazily,
// at most once per candidate.
#include "moves/polygon_move_finder.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "moves/boundary_path.h"
#include "moves/polygon_quadruples.h"

namespace {

int PathValue(TObjectHeader* edge, const TObjectHeader* x1 = nullptr, const TObjectHeader* x2 = nullptr,
              const TObjectHeader* x3 = nullptr) {
  TObjectHeader* start = TEdge::End(edge, 1).Object();
  return FindBoundaryPath(start, start, edge, 1, x1, x2, x3) == 1 ? 1 : 0;
}

// How many of the end slots of b hold an end of a.
int SharedEnds(const TObjectHeader* a, const TObjectHeader* b) {
  int k = 0;
  for (int n = 1; n <= 2; ++n) {
    TObjectHeader* v = TEdge::End(b, n).Object();
    if (v != nullptr && TEdge::HasEnd(a, v)) ++k;
  }
  return k;
}

// The spine objects behind one surface, looked up once per search.
class TSurfaceIndex {
 public:
  explicit TSurfaceIndex(TSpine& spine) {
    TObjectManager& objects = spine.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      TObjectHeader* object = objects.At(i);
      if (TThickCell* thick = TThickCell::Of(object)) {
        thickCell_[thick->plusCopy.Object()] = object;
        thickCell_[thick->minusCopy.Object()] = object;
      } else if (TThickEdge* thick = TThickEdge::Of(object)) {
        for (const THandle& side : thick->side)
          if (side.IsValid()) spineEdge_[side.Object()] = thick->edge.Object();
      }
    }
  }
  TObjectHeader* ThickCell(const TObjectHeader* cell) const {
    auto it = thickCell_.find(cell);
    return it == thickCell_.end() ? nullptr : it->second;
  }
  TObjectHeader* SpineEdge(const TObjectHeader* side) const {
    auto it = spineEdge_.find(side);
    return it == spineEdge_.end() ? nullptr : it->second;
  }

 private:
  std::unordered_map<const TObjectHeader*, TObjectHeader*> thickCell_;
  std::unordered_map<const TObjectHeader*, TObjectHeader*> spineEdge_;
};

int RejectPolygon(const TSurfaceIndex& index, TObjectHeader* e1, TObjectHeader* e2, TObjectHeader* e3) {
  TObjectHeader* a = index.SpineEdge(e1);
  TObjectHeader* b = index.SpineEdge(e2);
  TObjectHeader* c = index.SpineEdge(e3);
  if (a == nullptr || a == b || b == c || a == c) return 1;
  for (int n = 1; n <= 2; ++n) {
    TObjectHeader* v = TEdge::End(a, n).Object();
    if (v != nullptr && TEdge::HasEnd(b, v) && TEdge::HasEnd(c, v)) return 1;
  }
  return 0;
}

int RejectBiangle(const TSurfaceIndex& index, TObjectHeader* e1, TObjectHeader* e2) {
  for (int n = 1; n <= 2; ++n) {
    TObjectHeader* v = TEdge::End(e1, n).Object();
    if (v == nullptr || TVertex::Valency(v) != 3) continue;
    TObjectHeader* others[2] = {nullptr, nullptr};
    int k = 0;
    for (int i = 0; i < 3 && k < 2; ++i) {
      TObjectHeader* edge = TVertex::EdgeAt(v, i).Object();
      if (edge != e1) others[k++] = edge;
    }
    if (k < 2) continue;
    for (int m = 1; m <= 2; ++m) {
      TObjectHeader* w = TEdge::End(e2, m).Object();
      if (w == nullptr || !TEdge::HasEnd(others[0], w) || !TEdge::HasEnd(others[1], w)) continue;
      if (!TEdge::IsLoop(index.SpineEdge(others[0]))) return 1;
    }
  }
  return 0;
}

int Wrap(int i, int length) { return ((i % length) + length) % length; }

int RejectTriangle(const TSurfaceIndex& index, TObjectHeader* c1, TObjectHeader* c2, TObjectHeader* e1,
                   TObjectHeader* e2, TObjectHeader* e3) {
  int n1 = TCell::BoundaryLength(c1);
  int n2 = TCell::BoundaryLength(c2);
  int i1 = TCell::FindPassage(c1, e1, -1, 0);
  int i2 = TCell::FindPassage(c2, e1, -1, 0);
  if (c2 == c1 && i1 != -1) i2 = TCell::FindPassage(c2, e1, i1, 0);
  if (i1 == -1 || i2 == -1) return 0;
  int sense = TCell::DirectionAt(c1, i1) == TCell::DirectionAt(c2, i2) ? 1 : -1;
  for (int step : {1, -1}) {
    TObjectHeader* r1 = TCell::EdgeAt(c1, Wrap(i1 + 2 * step, n1)).Object();
    TObjectHeader* r2 = TCell::EdgeAt(c2, Wrap(i2 + 2 * step * sense, n2)).Object();
    if (r1 == r2 || !((r1 == e2 && r2 == e3) || (r1 == e3 && r2 == e2))) continue;
    TObjectHeader* next = TCell::EdgeAt(c1, Wrap(i1 + step, n1)).Object();
    TObjectHeader* across = TEdge::CellAt(next, 0).Object();
    if (across == c1) across = TEdge::CellAt(next, 1).Object();
    if (across == nullptr || across == c1 || across == c2 || TCell::BoundaryLength(across) != 3) continue;
    THandle spineCell = TThickCell::Part(index.ThickCell(across), 1);
    for (int i = 0; i < 3 && i < TCell::BoundaryLength(spineCell); ++i)
      if (TEdge::IsLoop(TCell::EdgeAt(spineCell, i))) return 1;
  }
  return 0;
}

int RejectQuadrangle(const TSurfaceIndex& index, TObjectHeader* l0, TObjectHeader* const sides[4]) {
  int length = TCell::BoundaryLength(l0);
  int p = TCell::FindPassage(l0, sides[0], -1, 0);
  if (p == -1) return 0;
  for (int step : {-1, 1}) {
    TObjectHeader* edge = TCell::EdgeAt(l0, Wrap(p + step, length)).Object();
    TObjectHeader* across = TEdge::CellAt(edge, 0).Object();
    if (across == l0) across = TEdge::CellAt(edge, 1).Object();
    if (across == nullptr || across == l0 || TCell::BoundaryLength(across) != 4) continue;
    bool fits = true;
    int met[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && fits; ++i) {
      int direction = 1;
      TObjectHeader* here = TCell::PassageAt(across, i, &direction).Object();
      TObjectHeader* after = TCell::EdgeAt(across, (i + 1) % 4).Object();
      if (EdgePassageCount(across, here) != 1) fits = false;
      TObjectHeader* corner = TEdge::End(here, 2, direction).Object();
      if (!fits || corner == nullptr || TVertex::Valency(corner) != 3) {
        fits = false;
        break;
      }
      TObjectHeader* third = nullptr;
      for (int k = 0; k < 3; ++k) {
        TObjectHeader* candidate = TVertex::EdgeAt(corner, k).Object();
        if (candidate != here && candidate != after) third = candidate;
      }
      auto at = std::find(sides, sides + 4, third);
      if (third == nullptr || at == sides + 4) fits = false;
      else ++met[at - sides];
    }
    if (!fits || met[0] != 1 || met[1] != 1 || met[2] != 1 || met[3] != 1) continue;
    THandle spineCell = TThickCell::Part(index.ThickCell(across), 1);
    if (TCell::BoundaryLength(spineCell) != 4) continue;
    std::array<TObjectHeader*, 4> starts{};
    for (int i = 0; i < 4; ++i) {
      int direction = 1;
      THandle edge = TCell::PassageAt(spineCell, i, &direction);
      starts[static_cast<std::size_t>(i)] = TEdge::End(edge, 1, direction).Object();
    }
    std::sort(starts.begin(), starts.end());
    if (std::adjacent_find(starts.begin(), starts.end()) == starts.end()) return 1;
  }
  return 0;
}

// The subtype of a quadrangle after its canonical turn; 0 for none.
int QuadrangleSubtype(const TQuadrangleArrangement& q) {
  auto pos = [&](int cell, int edge) {
    return TCell::FindPassage(q.lateral[cell], q.edges[edge], -1, 0);
  };
  // Chords: (g, f) in L0, (f, e) in L1, (e, d) in L2, (d, g) in L3.
  auto apart = [&](int first, int second) {
    return ChordsDoNotCross(pos(first, first), pos(first, (first + 1) % 4), pos(second, second),
                            pos(second, (second + 1) % 4)) == 1;
  };
  const THandle* t = q.thick;
  int n = q.thickCount;
  int m = q.lateralCount;
  bool t01 = t[0].Object() == t[1].Object();
  if (n == 4 && m == 4) return 6;
  if (n == 3 && m == 4) {
    if (t01) return apart(0, 1) ? 7 : 0;
    return apart(0, 2) ? 8 : 0;
  }
  if (n == 3 && m == 3) return t01 ? 9 : 10;
  if (n == 2 && m == 4) {
    if (t01) return apart(0, 1) && apart(2, 3) ? 11 : 0;
    return apart(0, 2) && apart(1, 3) ? 12 : 0;
  }
  if (n == 2 && m == 3) {
    bool t23 = t[2].Object() == t[3].Object();
    if (t01 && t23 && apart(2, 3)) return 13;
    if (t[0].Object() == t[2].Object() && t[1].Object() == t[3].Object() && apart(0, 2) && apart(1, 3)) return 14;
    return 0;
  }
  // n 2, m 2 (subtype 15) has no move: never offered.
  return 0;
}

// The search on one surface, resumable at a level: 0 a new pair (biangle
// test first), 1 the pair's next third edge, 2 the triple's next fourth edge.
class TSurfaceSearch {
 public:
  TSurfaceSearch(TSpine& spine, TComplex& surface, int mode)
      : index_(spine), mode_(mode), torus_(spine.BoundarySurfaceClass(&surface) == 2) {
    for (int i = 0; i < surface.Objects().Count(); ++i) {
      TObjectHeader* object = surface.Objects().At(i);
      if (object != nullptr && object->kind == kEdgeKind) edges_.push_back(object);
    }
    kept_.assign(edges_.size(), 1);
    // The side cells of every edge and their thick cells, looked up once.
    sideAt_.resize(edges_.size());
    thickAt_.resize(edges_.size());
    for (std::size_t i = 0; i < edges_.size(); ++i) position_[edges_[i]] = static_cast<int>(i);
    for (std::size_t i = 0; i < edges_.size(); ++i) {
      TObjectHeader* e = edges_[i];
      for (int k = 0; k < 2; ++k) {
        TObjectHeader* cell = TEdge::CellAt(e, k).Object();
        side_[e][static_cast<std::size_t>(k)] = cell;
        sideAt_[i][static_cast<std::size_t>(k)] = cell;
        if (thick_.count(cell) == 0) thick_[cell] = index_.ThickCell(cell);
        thickAt_[i][static_cast<std::size_t>(k)] = thick_[cell];
      }
    }
  }

  // Finds the first candidate at or after the positions; 0 when none.
  int Find(int level, int start[4], int& subtype, int out[4]) {
    int n = static_cast<int>(edges_.size());
    for (int a = start[0]; a < n; ++a) {
      if (!Kept(a)) continue;
      for (int b = a == start[0] ? start[1] : a + 1; b < n; ++b) {
        if (!Kept(b)) continue;
        bool resumed = a == start[0] && b == start[1];
        int entry = resumed ? level : 0;
        int found = Pair(a, b, entry, resumed ? start[2] : b + 1, resumed ? start[3] : b + 2, subtype, out);
        if (found != 0) return 1;
      }
    }
    return 0;
  }

 private:
  bool Kept(int i) {
    poll_.Step();
    if (kept_[static_cast<std::size_t>(i)] == 1) {
      TObjectHeader* e = edges_[static_cast<std::size_t>(i)];
      kept_[static_cast<std::size_t>(i)] = !TEdge::IsLoop(e) || PathValue(e) == 1 ? 2 : 0;
    }
    return kept_[static_cast<std::size_t>(i)] == 2;
  }
  TObjectHeader* Side(TObjectHeader* e, int k) const { return side_.find(e)->second[static_cast<std::size_t>(k)]; }
  TObjectHeader* Thick(TObjectHeader* cell) const {
    auto it = thick_.find(cell);
    return it == thick_.end() ? index_.ThickCell(cell) : it->second;
  }
  // The positions from `from` on of the edges on the boundaries of the
  // cells, ascending: the only edges that can lie next to the polygon.
  std::vector<int> NearPositions(std::initializer_list<TObjectHeader*> cells, int from) const {
    std::vector<int> out;
    for (TObjectHeader* cell : cells) {
      const std::vector<int>& positions = CellPositions(cell);
      out.insert(out.end(), std::lower_bound(positions.begin(), positions.end(), from), positions.end());
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  }
  // The positions of the edges on the cell's boundary, ascending; cached.
  const std::vector<int>& CellPositions(TObjectHeader* cell) const {
    auto found = cellPositions_.find(cell);
    if (found != cellPositions_.end()) return found->second;
    std::vector<int>& positions = cellPositions_[cell];
    if (const TCell* c = TCell::Of(cell)) {
      for (int i = 0; i < c->boundaryEdges.Count(); ++i) {
        auto it = position_.find(c->boundaryEdges.At(i));
        if (it != position_.end()) positions.push_back(it->second);
      }
    }
    std::sort(positions.begin(), positions.end());
    return positions;
  }
  // Whether the edge at the position lies on one of the cells.
  bool Near(int position, std::initializer_list<TObjectHeader*> cells) const {
    const std::array<TObjectHeader*, 2>& sides = sideAt_[static_cast<std::size_t>(position)];
    for (TObjectHeader* cell : cells)
      if (sides[0] == cell || sides[1] == cell) return true;
    return false;
  }

  int Pair(int a, int b, int entry, int cStart, int dStart, int& subtype, int out[4]) {
    TObjectHeader* e1 = edges_[static_cast<std::size_t>(a)];
    TObjectHeader* e2 = edges_[static_cast<std::size_t>(b)];
    int k = SharedEnds(e1, e2);
    if (k >= 2) return 0;
    TObjectHeader* c1 = Side(e1, 0);
    TObjectHeader* c2 = Side(e1, 1);
    TObjectHeader* d1 = Side(e2, 0);
    TObjectHeader* d2 = Side(e2, 1);
    std::array<TObjectHeader*, 4> four{c1, c2, d1, d2};
    std::sort(four.begin(), four.end());
    if (std::adjacent_find(four.begin(), four.end()) == four.end()) {
      bool shares = (TCell::SharesEdgeWith(c1, d1) && TCell::SharesEdgeWith(c2, d2)) ||
                    (TCell::SharesEdgeWith(c1, d2) && TCell::SharesEdgeWith(c2, d1));
      if (!shares) return 0;
    }
    int pathE1E2 = -1;
    auto pv12 = [&] {
      if (pathE1E2 == -1) pathE1E2 = PathValue(e1, e2);
      return pathE1E2;
    };
    if (entry == 0 && k == 0 && c1 != c2 && Thick(c1) != Thick(c2) &&
        ((d1 == c1 && d2 == c2) || (d1 == c2 && d2 == c1)) && RejectBiangle(index_, e1, e2) == 0 &&
        (!torus_ || pv12() == 0)) {
      subtype = 1;
      out[0] = a;
      out[1] = out[2] = out[3] = b;
      return 1;
    }
    // The path value of e1 with e2 gates the triangles and quadrangles of
    // the pair; it is computed when a third edge first needs it.
    int n = static_cast<int>(edges_.size());
    for (int c : NearPositions({c1, c2, d1, d2}, std::max(cStart, 0))) {
      if (!Kept(c)) continue;
      TObjectHeader* e3 = edges_[static_cast<std::size_t>(c)];
      if (!Near(c, {c1, c2, d1, d2})) continue;
      bool resumedQuadrangles = entry == 2 && c == cStart;
      if (!resumedQuadrangles) {
        int t = Triangle(e1, e2, e3, k, pv12);
        if (t != 0) {
          subtype = t;
          out[0] = a;
          out[1] = b;
          out[2] = out[3] = c;
          return 1;
        }
      }
      if (mode_ != 0 || c + 1 >= n) continue;
      int found = Quadrangles(a, b, c, resumedQuadrangles ? dStart : c + 1, k, pv12, subtype, out);
      if (found != 0) return 1;
    }
    return 0;
  }

  // The triangle subtype of three edges, or 0.
  template <class PathOfPair>
  int Triangle(TObjectHeader* e1, TObjectHeader* e2, TObjectHeader* e3, int k, PathOfPair& pv12) {
    if (k != 0 || SharedEnds(e1, e3) != 0 || SharedEnds(e2, e3) != 0) return 0;
    TObjectHeader* e[3] = {e1, e2, e3};
    bool cycle = false;
    for (int bits = 0; bits < 8 && !cycle; ++bits) {
      auto forward = [&](int i) { return Side(e[i], (bits >> i) & 1); };
      auto backward = [&](int i) { return Side(e[i], 1 - ((bits >> i) & 1)); };
      cycle = forward(0) == backward(1) && forward(1) == backward(2) && forward(2) == backward(0);
    }
    if (!cycle || pv12() != 1) return 0;
    TObjectHeader* c1 = Side(e1, 0);
    TObjectHeader* c2 = Side(e1, 1);
    if (RejectPolygon(index_, e1, e2, e3) != 0 || RejectTriangle(index_, c1, c2, e1, e2, e3) != 0) return 0;
    if (PathValue(e2, e3) != 1 || PathValue(e1, e3) != 1) return 0;
    if (torus_ && PathValue(e1, e2, e3) != 0) return 0;
    auto twoThick = [&](TObjectHeader* edge) { return Thick(Side(edge, 0)) != Thick(Side(edge, 1)); };
    if (!twoThick(e1) && !twoThick(e2)) return 0;
    int s = 0;
    int t = 0;
    for (TObjectHeader* edge : e) {
      if (Side(edge, 0) != Side(edge, 1)) ++s;
      if (twoThick(edge)) ++t;
    }
    if (t == 3 && s == 3) return 2;
    if (t == 2 && s == 2) return 3;
    if (t != 2 || s != 3) return 0;
    TObjectHeader* x = nullptr;
    for (TObjectHeader* edge : e)
      if (!twoThick(edge)) x = edge;
    TObjectHeader* a = Side(x, 0);
    TObjectHeader* b = Side(x, 1);
    TObjectHeader* y = nullptr;
    TObjectHeader* z = nullptr;
    for (TObjectHeader* edge : e) {
      if (edge == x) continue;
      if (y == nullptr && EdgeBoundsCell(a, edge)) y = edge;
      else z = edge;
    }
    if (y == nullptr || z == nullptr) return 0;
    int pay = TCell::FindPassage(a, y, -1, 0);
    int pax = TCell::FindPassage(a, x, -1, 0);
    int pbx = TCell::FindPassage(b, x, -1, 0);
    int pbz = TCell::FindPassage(b, z, -1, 0);
    int x1 = std::min(pay, pax), x2 = std::max(pay, pax);
    int y1 = std::min(pbx, pbz), y2 = std::max(pbx, pbz);
    bool apart = x2 < y1 || y2 < x1 || (x1 < y1 && y2 < x2) || (y1 < x1 && x2 < y2) || pay == pbx || pay == pbz ||
                 pax == pbz;
    if (apart) return 4;
    return mode_ == 0 ? 5 : 0;
  }

  template <class PathOfPair>
  int Quadrangles(int a, int b, int c, int dStart, int k, PathOfPair& pv12, int& subtype, int out[4]) {
    TObjectHeader* e1 = edges_[static_cast<std::size_t>(a)];
    TObjectHeader* e2 = edges_[static_cast<std::size_t>(b)];
    TObjectHeader* e3 = edges_[static_cast<std::size_t>(c)];
    // The path values of the first three edges hold for every fourth edge;
    // they are computed when a fourth edge first passes the cheaper tests.
    int triple = -1;
    auto tripleHolds = [&] {
      if (triple == -1)
        triple = pv12() == 1 && PathValue(e2, e3) == 1 && PathValue(e1, e3) == 1 && PathValue(e1, e2, e3) == 1 ? 1 : 0;
      return triple == 1;
    };
    int shared3 = 0;
    for (int m = 1; m <= 2; ++m) {
      TObjectHeader* v = TEdge::End(e3, m).Object();
      if (v != nullptr && (TEdge::HasEnd(e1, v) || TEdge::HasEnd(e2, v))) ++shared3;
    }
    TObjectHeader* cells[6] = {Side(e1, 0), Side(e1, 1), Side(e2, 0), Side(e2, 1), Side(e3, 0), Side(e3, 1)};
    for (int d : NearPositions({cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]}, std::max(dStart, 0))) {
      if (!Kept(d)) continue;
      TObjectHeader* e4 = edges_[static_cast<std::size_t>(d)];
      // Each side cell of e4 faces a neighbour in the cycle, so it is a side
      // cell of one of the other three.
      const std::array<TObjectHeader*, 2>& fourth = sideAt_[static_cast<std::size_t>(d)];
      if (std::find(cells, cells + 6, fourth[0]) == cells + 6 || std::find(cells, cells + 6, fourth[1]) == cells + 6)
        continue;
      int shared4 = 0;
      for (int m = 1; m <= 2; ++m) {
        TObjectHeader* v = TEdge::End(e4, m).Object();
        if (v != nullptr && (TEdge::HasEnd(e1, v) || TEdge::HasEnd(e2, v) || TEdge::HasEnd(e3, v))) ++shared4;
      }
      if (k + shared3 + shared4 >= 3) continue;
      TObjectHeader* const sides4[4] = {e1, e2, e3, e4};
      const int at[4] = {a, b, c, d};
      TObjectHeader* sideCells[8];
      TObjectHeader* thick[8];
      for (int i = 0; i < 8; ++i) {
        sideCells[i] = sideAt_[static_cast<std::size_t>(at[i / 2])][static_cast<std::size_t>(i % 2)];
        thick[i] = thickAt_[static_cast<std::size_t>(at[i / 2])][static_cast<std::size_t>(i % 2)];
      }
      TQuadrangleArrangement q;
      if (ClassifyQuadrangle(sides4, sideCells, thick, q) != 1) continue;
      TObjectHeader* const cyclic[4] = {q.edges[0], q.edges[1], q.edges[2], q.edges[3]};
      if (RejectQuadrangle(index_, q.lateral[0], cyclic) != 0) continue;
      if (!tripleHolds()) return 0;
      if (PathValue(e4, e1) != 1 || PathValue(e4, e2) != 1 || PathValue(e4, e3) != 1) continue;
      if (PathValue(e4, e1, e2) != 1 || PathValue(e4, e2, e3) != 1 || PathValue(e4, e3, e1) != 1) continue;
      if (torus_ && PathValue(e4, e1, e2, e3) != 0) continue;
      int t = QuadrangleSubtype(q);
      if (t == 0) continue;
      subtype = t;
      out[0] = a;
      out[1] = b;
      out[2] = c;
      out[3] = d;
      return 1;
    }
    return 0;
  }

  TSurfaceIndex index_;
  int mode_;
  bool torus_;
  std::vector<TObjectHeader*> edges_;
  std::vector<char> kept_;  // 1 untested, 2 kept, 0 dropped
  std::unordered_map<const TObjectHeader*, std::array<TObjectHeader*, 2>> side_;
  std::vector<std::array<TObjectHeader*, 2>> sideAt_;
  std::vector<std::array<TObjectHeader*, 2>> thickAt_;
  std::unordered_map<const TObjectHeader*, int> position_;
  mutable std::unordered_map<const TObjectHeader*, std::vector<int>> cellPositions_;
  std::unordered_map<const TObjectHeader*, TObjectHeader*> thick_;
  TStopPoll poll_;
};

}  // namespace

int RejectPolygonConfiguration(TSpine& spine, TObjectHeader* e1, TObjectHeader* e2, TObjectHeader* e3) {
  return RejectPolygon(TSurfaceIndex(spine), e1, e2, e3);
}

int RejectBiangleConfiguration(TSpine& spine, TObjectHeader* e1, TObjectHeader* e2) {
  return RejectBiangle(TSurfaceIndex(spine), e1, e2);
}

int RejectTriangleConfiguration(TSpine& spine, TObjectHeader* c1, TObjectHeader* c2, TObjectHeader* e1,
                                TObjectHeader* e2, TObjectHeader* e3) {
  return RejectTriangle(TSurfaceIndex(spine), c1, c2, e1, e2, e3);
}

int RejectQuadrangleConfiguration(TSpine& spine, TObjectHeader* l0, TObjectHeader* g, TObjectHeader* f,
                                  TObjectHeader* e, TObjectHeader* d) {
  TObjectHeader* const sides[4] = {g, f, e, d};
  return RejectQuadrangle(TSurfaceIndex(spine), l0, sides);
}

int ClassifyQuadrangle(TObjectHeader* const edges[4], TObjectHeader* const sides[8],
                       TObjectHeader* const thick[8], TQuadrangleArrangement& out) {
  if (CountDistinctOfFour(sides) + CountDistinctOfFour(sides + 4) > 4) {
    // A quick bound failed; count exactly.
    std::array<TObjectHeader*, 8> all{};
    std::copy(sides, sides + 8, all.begin());
    std::sort(all.begin(), all.end());
    if (std::unique(all.begin(), all.end()) - all.begin() > 4) return 0;
  }
  int order[4] = {0, 1, 2, 3};
  do {
    for (int bits = 0; bits < 16; ++bits) {
      // The highest bit belongs to the first edge of the ordering.
      auto flip = [&](int i) { return (bits >> (3 - i)) & 1; };
      auto facingNext = [&](int i) { return sides[2 * order[i] + flip(i)]; };
      auto facingBack = [&](int i) { return sides[2 * order[i] + 1 - flip(i)]; };
      bool fits = true;
      for (int i = 0; i < 4 && fits; ++i) fits = facingNext(i) == facingBack((i + 1) % 4);
      if (!fits) continue;
      TObjectHeader* lateral[4];
      TObjectHeader* lateralThick[4];
      for (int i = 0; i < 4; ++i) {
        out.edges[i] = THandle(edges[order[i]]);
        lateral[i] = facingNext(i);
        lateralThick[i] = thick[2 * order[i] + flip(i)];
        out.lateral[i] = THandle(lateral[i]);
        out.thick[i] = THandle(lateralThick[i]);
      }
      out.lateralCount = CountDistinctOfFour(lateral);
      out.thickCount = CountDistinctOfFour(lateralThick);
      const THandle* t = out.thick;
      const THandle* l = out.lateral;
      auto eq = [](const THandle& x, const THandle& y) { return x.Object() == y.Object(); };
      int k = 0;
      int n = out.thickCount;
      int m = out.lateralCount;
      if (n == 3) {
        if (eq(t[0], t[1]) || eq(t[0], t[2])) k = 0;
        else if (eq(t[1], t[2]) || eq(t[1], t[3])) k = 3;
        else if (eq(t[2], t[3])) k = 2;
        else if (eq(t[3], t[0])) k = 1;
      } else if (n == 2 && m == 4) {
        k = eq(t[1], t[2]) ? 1 : 0;
      } else if (n == 2 && m == 3) {
        bool pairs = (eq(t[0], t[1]) && eq(t[2], t[3])) || (eq(t[0], t[2]) && eq(t[1], t[3])) ||
                     (eq(t[0], t[3]) && eq(t[1], t[2]));
        if (pairs) {
          if (eq(t[3], t[0]) && !eq(l[3], l[0])) k = 3;
          else if (eq(t[0], t[1]) && !eq(l[0], l[1])) k = 2;
          else if (eq(t[1], t[2]) && !eq(l[1], l[2])) k = 1;
          else if (eq(t[0], t[2]) && !eq(l[0], l[2])) k = 1;
        }
      } else if (n == 2 && m == 2) {
        k = eq(t[0], t[3]) && eq(t[1], t[2]) && !eq(t[0], t[1]) ? 1 : 0;
      }
      RotateFour(out.edges, k);
      RotateFour(out.lateral, k);
      RotateFour(out.thick, k);
      return 1;
    }
  } while (std::next_permutation(order, order + 4));
  return 0;
}

int FindPolygonMove(int mode, TSpine& spine, int cursor[8]) {
  if (CurrentSpineIsOrientable.load() == 0) return 0;
  int& subtype = cursor[0];
  int& limit = cursor[6];
  int& counter = cursor[7];
  if (subtype >= 6 && subtype <= 14 && limit != -1 && counter != -1 && counter + 1 < limit) {
    ++counter;
    return 1;
  }
  limit = -1;
  counter = -1;
  int surface = cursor[1] == -1 ? 0 : cursor[1];
  if (spine.BoundaryCount() == 0 || surface < 0 || surface >= spine.BoundaryCount()) return 0;
  int p[4];
  for (int i = 0; i < 4; ++i) p[i] = std::max(cursor[2 + i], 0);
  std::sort(p, p + 4);
  int level = 0;
  if (subtype == 0) {
    p[1] = p[0] + 1;
    p[2] = p[0] + 2;
    p[3] = p[0] + 3;
  } else if (subtype == 1) {
    p[1] += 1;
    p[2] = p[1] + 1;
    p[3] = p[1] + 2;
  } else if (subtype >= 2 && subtype <= 5) {
    p[2] += 1;
    p[3] = p[2] + 1;
    level = 1;
  } else {
    p[3] += 1;
    level = 2;
  }
  for (; surface < spine.BoundaryCount(); ++surface) {
    TComplex* boundary = spine.BoundaryAt(surface);
    if (boundary != nullptr && spine.BoundarySurfaceClass(boundary) != 0) {
      TSurfaceSearch search(spine, *boundary, mode);
      int found = 0;
      int out[4] = {0, 0, 0, 0};
      if (search.Find(level, p, found, out) == 1) {
        subtype = found;
        cursor[1] = surface;
        for (int i = 0; i < 4; ++i) cursor[2 + i] = out[i];
        return 1;
      }
    }
    // A new surface restarts at the first edges.
    level = 0;
    p[0] = 0;
    p[1] = 1;
    p[2] = 2;
    p[3] = 3;
  }
  subtype = 0;
  return 0;
}
