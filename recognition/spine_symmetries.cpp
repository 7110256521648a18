#include "recognition/spine_symmetries.h"

#include <algorithm>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/edge.h"
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

// The passage of wing k's cell along the edge. The thick edge records it
// when the spine is thickened; a piece cut out of a larger spine may carry
// records that no longer name a passage of that cell along that edge (or name
// one passage for two wings). Those are read again from the cell's word by the
// rule the thickening uses: the j-th wing of a cell takes its j-th passage.
// -1 when the word does not pass the edge often enough.
int WingPassage(const TObjectHeader* thickEdge, const TObjectHeader* edge, int k) {
  const THandle cell = TEdge::CellAt(edge, k);
  const int length = TCell::BoundaryLength(cell);
  auto stored = [&](int wing) {
    const int pa = TThickEdge::PassageIndexAt(thickEdge, wing);
    return pa >= 0 && pa < length && TCell::EdgeAt(cell, pa).Object() == edge ? pa : -1;
  };
  bool valid = true;
  for (int w = 0; w < 3 && valid; ++w) {
    if (TEdge::CellAt(edge, w).Object() != cell.Object()) continue;
    const int pa = stored(w);
    if (pa < 0) valid = false;
    for (int v = 0; v < w && valid; ++v)
      if (TEdge::CellAt(edge, v).Object() == cell.Object() && stored(v) == pa) valid = false;
  }
  if (valid) return stored(k);
  int occurrence = 0;
  for (int w = 0; w < k; ++w)
    if (TEdge::CellAt(edge, w).Object() == cell.Object()) ++occurrence;
  for (int j = 0; j < length; ++j) {
    if (TCell::EdgeAt(cell, j).Object() != edge) continue;
    if (occurrence-- == 0) return j;
  }
  return -1;
}

// For each side k of A's thick edge of x, the side of B's thick edge of y
// that the map sends it to: the side between the images of the wings (a
// wing is a passage of a cell, so a cell that passes the edge twice is told
// apart by its passages). -1 when the images do not determine it.
void MatchSides(const std::vector<THandle>& cellsA, const std::vector<THandle>& cellsB, const TSymmetryMap& map,
                const TObjectHeader* tx, const TObjectHeader* ty, const TObjectHeader* x, const TObjectHeader* y,
                int out[3]) {
  int position[3] = {-1, -1, -1};
  for (int k = 0; k < 3; ++k) {
    const THandle cell = TEdge::CellAt(x, k);
    const int ordinal = CellOrdinal(cellsA, cell);
    if (ordinal < 0) continue;
    const int image = map.cellImage[static_cast<std::size_t>(ordinal)];
    const int reading = map.cellReading[static_cast<std::size_t>(ordinal)];
    if (image < 0 || reading < 0) continue;
    const int own = WingPassage(tx, x, k);
    if (own < 0) continue;
    const int passage = ImagePassage(own, reading, TCell::BoundaryLength(cell));
    for (int j = 0; j < 3; ++j)
      if (CellOrdinal(cellsB, TEdge::CellAt(y, j)) == image && WingPassage(ty, y, j) == passage)
        position[k] = j;
  }
  for (int k = 0; k < 3; ++k) {
    out[k] = -1;
    const int p = position[k];
    const int q = position[(k + 1) % 3];
    if (p < 0 || q < 0) continue;
    // Side s lies between wings s and s + 1.
    for (int s = 0; s < 3; ++s)
      if ((p == s && q == (s + 1) % 3) || (q == s && p == (s + 1) % 3)) out[k] = s;
  }
}

template <typename TVisit>
void VisitSidePartners(TSpine& a, TSpine& b, const TSymmetryMap& map, TVisit visit) {
  const std::vector<THandle> cellsA = ObjectsOfKind(a, kCellKind);
  const std::vector<THandle> cellsB = ObjectsOfKind(b, kCellKind);
  const std::vector<THandle> edgesB = ObjectsOfKind(b, kEdgeKind);
  for (const THandle& y : edgesB) {
    const int number = ObjectNumber(y);
    if (number < 1 || number > static_cast<int>(map.edgeImage.size())) continue;
    const int image = map.edgeImage[static_cast<std::size_t>(number - 1)];
    TObjectHeader* x = a.Objects().FindByNumber(kEdgeKind, image < 0 ? -image : image);
    TObjectHeader* thickX = ThickEdgeOf(a, x);
    TObjectHeader* thickY = ThickEdgeOf(b, y);
    TThickEdge* tx = TThickEdge::Of(thickX);
    TThickEdge* ty = TThickEdge::Of(thickY);
    if (x == nullptr || tx == nullptr || ty == nullptr) continue;
    int sides[3];
    MatchSides(cellsA, cellsB, map, thickX, thickY, x, y, sides);
    for (int k = 0; k < 3; ++k)
      if (sides[k] >= 0 && tx->side[k].Object() != nullptr && ty->side[sides[k]].Object() != nullptr)
        visit(tx->side[k].Object(), ty->side[sides[k]].Object(), image < 0);
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
