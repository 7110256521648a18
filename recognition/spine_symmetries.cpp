#include "recognition/spine_symmetries.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/thickcell.h"
#include "model/thickedge.h"

namespace {

std::vector<THandle> ObjectsOfKind(TSpine& spine, int kind) {
  std::vector<THandle> out;
  const TObjectList& objects = spine.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    if (o != nullptr && o->kind == kind) out.emplace_back(o);
  }
  return out;
}

struct TSearchState {
  const TSymmetrySearch& a;
  const TSymmetrySearch& b;
  TSymmetryMapList& maps;
  int mode;
  TStopPoll poll{256};
};

// Extends the map by one reading; false (map unchanged) at an inconsistency.
bool MatchCellReading(TSymmetryMap& map, const std::vector<int>& s, const std::vector<int>& t) {
  std::vector<int> assigned;
  for (std::size_t k = 0; k < t.size(); ++k) {
    const int e = t[k] < 0 ? -t[k] : t[k];
    const int f = (t[k] < 0) != (s[k] < 0) ? -(s[k] < 0 ? -s[k] : s[k]) : (s[k] < 0 ? -s[k] : s[k]);
    int& image = map.edgeImage[static_cast<std::size_t>(e - 1)];
    if (image == 0) {
      image = f;
      assigned.push_back(e - 1);
    } else if (image != f) {
      for (int i : assigned) map.edgeImage[static_cast<std::size_t>(i)] = 0;
      return false;
    }
  }
  return true;
}

int ExtendSymmetry(TSearchState& st, TSymmetryMap& map, int depth) {
  if (depth == st.b.cells) {
    if (st.mode == 0) return 1;
    if (st.mode == 1 && map.IsIdentity()) return 1;
    for (const TSymmetryMap& m : st.maps)
      if (m.SameEdges(map)) return 1;
    st.maps.push_back(map);
    return 1;
  }
  const TSymmetryMap saved = map;
  const int length = st.b.lengths[static_cast<std::size_t>(depth)];
  const std::vector<int>& base = st.b.readings[static_cast<std::size_t>(depth)][0];
  int result = 0;
  for (int i = 0; i < st.a.cells; ++i) {
    if (map.cellUse[static_cast<std::size_t>(i)] != -1 || st.a.lengths[static_cast<std::size_t>(i)] != length)
      continue;
    const auto& rows = st.a.readings[static_cast<std::size_t>(i)];
    for (std::size_t j = 0; j < rows.size(); ++j) {
      st.poll.Step();
      if (!MatchCellReading(map, rows[j], base)) continue;
      map.cellUse[static_cast<std::size_t>(i)] = depth;
      map.cellImage[static_cast<std::size_t>(st.a.ordinal[static_cast<std::size_t>(i)])] =
          st.b.ordinal[static_cast<std::size_t>(depth)];
      map.cellReading[static_cast<std::size_t>(st.a.ordinal[static_cast<std::size_t>(i)])] = static_cast<int>(j);
      result = ExtendSymmetry(st, map, depth + 1);
      if (result == 0 || st.mode == 1 || st.mode == 2) {
        map = saved;
        continue;
      }
      break;
    }
    if (st.mode == 0 && result == 1) break;
  }
  return result;
}

// The thick edge of a spine edge, found by the edge it thickens (the
// numbers of thick edges need not follow those of the edges after a
// renumbering).
TObjectHeader* ThickEdgeOf(TSpine& spine, const TObjectHeader* edge) {
  const TObjectList& objects = spine.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    const TThickEdge* t = o != nullptr && o->kind == kThickEdgeKind ? TThickEdge::Of(o) : nullptr;
    if (t != nullptr && t->edge.Object() == edge) return o;
  }
  return nullptr;
}

// The cell ordinals of a spine by cell.
int CellOrdinal(const std::vector<THandle>& cells, const TObjectHeader* cell) {
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (cells[i].Object() == cell) return static_cast<int>(i);
  return -1;
}

// The passage of the image cell that passage pa of a cell of length L goes
// to under the reading j that matched it.
int ImagePassage(int pa, int j, int length) {
  if (j < length) return ((pa - j) % length + length) % length;
  const int r = j - length;
  return ((length - 1 + r - pa) % length + length) % length;
}

// The wings a side of a thick edge lies between, read off the boundary
// surface itself: the side is an edge of the boundary, and the two copies
// of cells that run along it there do so at passages of their cells along
// the spine edge; those two (cell, passage) wings name the side. The edge's
// cell list and the passages a thick edge recorded when it was built are not
// used: a piece cut out of a larger spine may carry them in another order.
struct TWing {
  int cell = -1;  // ordinal
  int passage = -1;
  bool operator<(const TWing& o) const { return cell != o.cell ? cell < o.cell : passage < o.passage; }
  bool operator==(const TWing& o) const { return cell == o.cell && passage == o.passage; }
};
using TWingPair = std::pair<TWing, TWing>;  // ordered, the lesser first

TWingPair MakeWingPair(TWing u, TWing v) { return v < u ? TWingPair{v, u} : TWingPair{u, v}; }

// For every side of every thick edge, its two wings; a side whose copies do
// not come out as two passages of cells along its own spine edge is left out.
std::map<const TObjectHeader*, TWingPair> SideWings(TSpine& spine, const std::vector<THandle>& cells) {
  std::map<const TObjectHeader*, std::vector<TWing>> seen;
  std::map<const TObjectHeader*, const TObjectHeader*> edgeOfSide;
  for (const THandle& te : ObjectsOfKind(spine, kThickEdgeKind)) {
    for (int k = 0; k < 3; ++k) {
      const TObjectHeader* side = TThickEdge::Side(te, k).Object();
      if (side != nullptr) edgeOfSide[side] = TThickEdge::Edge(te).Object();
    }
  }
  std::map<const TObjectHeader*, TWingPair> out;
  std::set<const TObjectHeader*> bad;
  for (const THandle& tc : ObjectsOfKind(spine, kThickCellKind)) {
    const TThickCell* t = TThickCell::Of(tc);
    if (t == nullptr) continue;
    const TObjectHeader* cell = t->cell.Object();
    const int ordinal = CellOrdinal(cells, cell);
    const int length = TCell::BoundaryLength(cell);
    if (ordinal < 0 || length <= 0) continue;
    for (const TObjectHeader* copy : {t->plusCopy.Object(), t->minusCopy.Object()}) {
      if (copy == nullptr) continue;
      const int copyLength = TCell::BoundaryLength(copy);
      // A one-sided cell has one copy of twice its length.
      if (copyLength != length && copyLength != 2 * length) continue;
      for (int i = 0; i < copyLength; ++i) {
        const TObjectHeader* side = TCell::EdgeAt(copy, i).Object();
        const auto e = edgeOfSide.find(side);
        if (e == edgeOfSide.end() || TCell::EdgeAt(cell, i % length).Object() != e->second) {
          if (side != nullptr) bad.insert(side);
          continue;
        }
        seen[side].push_back(TWing{ordinal, i % length});
      }
    }
  }
  for (const auto& [side, wings] : seen) {
    if (bad.count(side) != 0 || wings.size() != 2 || wings[0] == wings[1]) continue;
    out[side] = MakeWingPair(wings[0], wings[1]);
  }
  return out;
}

template <typename TVisit>
void VisitSidePartners(TSpine& a, TSpine& b, const TSymmetryMap& map, TVisit visit) {
  const std::vector<THandle> cellsA = ObjectsOfKind(a, kCellKind);
  const std::vector<THandle> cellsB = ObjectsOfKind(b, kCellKind);
  const std::map<const TObjectHeader*, TWingPair> wingsA = SideWings(a, cellsA);
  const std::map<const TObjectHeader*, TWingPair> wingsB = SideWings(b, cellsB);
  // The image of a wing of A: its cell's image, and the passage there that
  // the matched reading puts in its place.
  auto imageOf = [&](const TWing& w) {
    const std::size_t c = static_cast<std::size_t>(w.cell);
    if (c >= map.cellImage.size() || map.cellImage[c] < 0 || map.cellReading[c] < 0) return TWing{};
    const int length = TCell::BoundaryLength(cellsA[c]);
    return TWing{map.cellImage[c], ImagePassage(w.passage, map.cellReading[c], length)};
  };
  const std::vector<THandle> edgesB = ObjectsOfKind(b, kEdgeKind);
  for (const THandle& y : edgesB) {
    const int number = ObjectNumber(y);
    if (number < 1 || number > static_cast<int>(map.edgeImage.size())) continue;
    const int image = map.edgeImage[static_cast<std::size_t>(number - 1)];
    TObjectHeader* x = a.Objects().FindByNumber(kEdgeKind, image < 0 ? -image : image);
    TThickEdge* tx = TThickEdge::Of(ThickEdgeOf(a, x));
    TThickEdge* ty = TThickEdge::Of(ThickEdgeOf(b, y));
    if (x == nullptr || tx == nullptr || ty == nullptr) continue;
    for (int k = 0; k < 3; ++k) {
      const auto from = wingsA.find(tx->side[k].Object());
      if (from == wingsA.end()) continue;
      const TWingPair wanted = MakeWingPair(imageOf(from->second.first), imageOf(from->second.second));
      for (int j = 0; j < 3; ++j) {
        const auto to = wingsB.find(ty->side[j].Object());
        if (to != wingsB.end() && to->second == wanted) {
          visit(tx->side[k].Object(), ty->side[j].Object(), image < 0);
          break;
        }
      }
    }
  }
}

}  // namespace

TSymmetrySearch::TSymmetrySearch(TSpine& spine) {
  spine.Objects().Renumber();
  vertices = spine.Objects().CountOfKind(kVertexKind);
  edges = spine.Objects().CountOfKind(kEdgeKind);
  const std::vector<THandle> cellList = ObjectsOfKind(spine, kCellKind);
  cells = static_cast<int>(cellList.size());
  std::vector<int> remaining(cellList.size());
  for (std::size_t i = 0; i < remaining.size(); ++i) remaining[i] = static_cast<int>(i);
  // The longest cell first, the first in cell order among equals.
  std::stable_sort(remaining.begin(), remaining.end(), [&](int x, int y) {
    return TCell::BoundaryLength(cellList[static_cast<std::size_t>(x)]) >
           TCell::BoundaryLength(cellList[static_cast<std::size_t>(y)]);
  });
  for (int c : remaining) {
    const TObjectHeader* cell = cellList[static_cast<std::size_t>(c)];
    const int length = TCell::BoundaryLength(cell);
    std::vector<int> word(static_cast<std::size_t>(length));
    for (int k = 0; k < length; ++k) {
      const int n = ObjectNumber(TCell::EdgeAt(cell, k));
      word[static_cast<std::size_t>(k)] = TCell::DirectionAt(cell, k) == 1 ? n : -n;
    }
    std::vector<std::vector<int>> rows(static_cast<std::size_t>(2 * length));
    for (int r = 0; r < length; ++r) {
      auto& row = rows[static_cast<std::size_t>(r)];
      auto& back = rows[static_cast<std::size_t>(length + r)];
      row.resize(static_cast<std::size_t>(length));
      back.resize(static_cast<std::size_t>(length));
      for (int k = 0; k < length; ++k) row[static_cast<std::size_t>(k)] = word[static_cast<std::size_t>((k + r) % length)];
      for (int k = 0; k < length; ++k)
        back[static_cast<std::size_t>(k)] = -row[static_cast<std::size_t>(length - 1 - k)];
    }
    lengths.push_back(length);
    ordinal.push_back(c);
    readings.push_back(std::move(rows));
  }
}

bool TSymmetryMap::IsIdentity() const {
  for (std::size_t i = 0; i < edgeImage.size(); ++i)
    if (edgeImage[i] != static_cast<int>(i) + 1) return false;
  return true;
}

int FindSpineSymmetriesOnRecords(TSymmetryMapList& maps, const TSymmetrySearch& a, const TSymmetrySearch& b,
                                 int mode) {
  TSymmetryMap map;
  map.edgeImage.assign(static_cast<std::size_t>(b.edges), 0);
  map.cellUse.assign(static_cast<std::size_t>(std::max(a.cells, b.cells)), -1);
  map.cellImage.assign(static_cast<std::size_t>(std::max(a.cells, b.cells)), -1);
  map.cellReading.assign(static_cast<std::size_t>(std::max(a.cells, b.cells)), -1);
  TSearchState state{a, b, maps, mode};
  const int found = a.cells == b.cells ? ExtendSymmetry(state, map, 0) : 0;
  if (mode == 0) {
    if (found == 1) maps.push_back(map);
    return found;
  }
  return static_cast<int>(maps.size());
}

int FindSpineSymmetries(TSymmetryMapList& maps, const TSymmetrySearch& a, TSpine& b, int mode) {
  const TSymmetrySearch recordB(b);
  return FindSpineSymmetriesOnRecords(maps, a, recordB, mode);
}

int AreSpinesIsomorphic(TSpine& a, TSpine& b) {
  if (a.Objects().CountOfKind(kVertexKind) != b.Objects().CountOfKind(kVertexKind) ||
      a.Objects().CountOfKind(kEdgeKind) != b.Objects().CountOfKind(kEdgeKind) ||
      a.Objects().CountOfKind(kCellKind) != b.Objects().CountOfKind(kCellKind))
    return 0;
  const TSymmetrySearch recordA(a);
  TSymmetryMapList maps;
  return FindSpineSymmetries(maps, recordA, b, 0);
}

std::vector<int> CompareSpinesUnderSymmetry(TSpine& a, TSpine& b, const TSymmetryMap& map) {
  std::vector<int> out(static_cast<std::size_t>(std::max(0, a.CountBoundaries(0))), -1);
  VisitSidePartners(a, b, map, [&](TObjectHeader* sideA, TObjectHeader* sideB, bool) {
    const int i = a.BoundarySurfaceIndex(a.BoundarySurfaceOf(sideA));
    const int j = b.BoundarySurfaceIndex(b.BoundarySurfaceOf(sideB));
    if (i >= 0 && i < static_cast<int>(out.size()) && out[static_cast<std::size_t>(i)] == -1)
      out[static_cast<std::size_t>(i)] = j;
  });
  return out;
}

void MapBoundaryComponents(TSpine& a, TSpine& b, const TSymmetryMap& map) {
  VisitSidePartners(a, b, map, [&](TObjectHeader* sideA, TObjectHeader* sideB, bool reversed) {
    if (a.BoundarySurfaceClass(a.BoundarySurfaceOf(sideA)) != 2) return;
    const int sign = reversed ? -1 : 1;
    TEdge::SetLabel(sideA, 2, sign * TEdge::Label(sideB, 0));
    TEdge::SetLabel(sideA, 3, sign * TEdge::Label(sideB, 1));
  });
}
