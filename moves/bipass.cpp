// Bipass moves. See bipass.h.
//
// Chords and their sides. A chord E of the cell C (valency 3, passed twice by
// C) has a thick edge with three sides on the boundary surfaces. When E is
// passed once along and once against, C's "+" copy (or its "-" copy) may run
// along one side twice: that side then has C's copy on both of its banks,
// and the chord leans to that copy's surface (code 2 for "+", 3 for "-").
// A side run by both copies (code 0) leans nowhere. A side whose curve (the
// side alone, closed by a path on its surface) does not exist is useless:
// the chord is dropped.
//
// The rebuild. With the three chords X, Y, Z read so that X encloses Y and Z
// (first passages 0 < b < c, second passages y2 < c < z2 < x2), the chords
// are cut at their midpoints WX, WY, WZ, and three splits of the cell join
// the midpoints in a triangle: each split cuts off the stretch of the cell
// between two consecutive chords (pieces P2, P4, P6), and what is left (P5)
// runs around the triangle. A new cell D is glued to the triangle, pushed to
// the side the chords lean to: on that surface the triangle's curve of sides
// S1, S2, S3 is doubled by new edges E1, E2, E3, the cut-off stretches'
// copies move onto the new edges, and the two copies of D (part 3 on the S,
// part 2 on the E) cap the two banks. The surface's vertices at the corners
// are rebuilt from the corners of the cells around them.
#include "moves/bipass.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "moves/boundary_path.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "moves/polygon_labels.h"
#include "moves/surface_rebuild.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kDoubleBipassText = 290;
constexpr int kTripleBipassText = 291;

struct TChord {
  TObjectHeader* edge = nullptr;
  int first = 0;
  int index = 0;  // in the list of candidates before any was dropped
  TObjectHeader* side = nullptr;
  int code = 0;
};

// The curve of the side edge closed through its surface, avoiding the
// further edges.
int SideCurve(TObjectHeader* side, const TObjectHeader* x1 = nullptr, const TObjectHeader* x2 = nullptr) {
  TObjectHeader* v = TEdge::End(side, 1).Object();
  return FindBoundaryPath(v, v, side, 1, x1, x2) == 1 ? 1 : 0;
}

// The class of a boundary surface; while the view's spine is orientable a
// surface of characteristic 0 is a torus.
int SurfaceClass(TSpine& spine, const TComplex* surface) {
  if (surface == nullptr) return 0;
  int euler = 1;
  int c = spine.BoundarySurfaceClass(surface, &euler);
  if (CurrentSpineIsOrientable.load() == 1 && euler == 0) return 2;
  return c;
}

// The code of the first accepted side of the chord's thick edge, or -1.
int ChordSide(TObjectHeader* edge, bool opposite, TObjectHeader* plus, TObjectHeader* minus, int plusClass,
              int minusClass, TObjectHeader** sideOut) {
  THandle thick = ThickEdgeOfEdge(edge);
  for (int k = 0; k < 3; ++k) {
    TObjectHeader* side = TThickEdge::Side(thick, k).Object();
    if (side == nullptr) continue;
    int inPlus = EdgePassageCount(plus, side);
    int inMinus = EdgePassageCount(minus, side);
    int code = -1;
    if (inPlus == 0 || inMinus == 0) {
      if (!opposite) continue;
      if (plusClass != 0 && inPlus >= 2) code = 2;
      else if (minusClass != 0 && inMinus >= 2) code = 3;
    } else if (plusClass != 0) {
      code = 0;
    }
    if (code == -1) continue;
    *sideOut = side;
    return code;
  }
  return -1;
}

bool EndOfBoth(const TObjectHeader* v, const TObjectHeader* a, const TObjectHeader* b) {
  return v != nullptr && TEdge::HasEnd(a, v) && TEdge::HasEnd(b, v);
}

THandle PartOf(TObjectHeader* thick, int part) { return TThickCell::Part(thick, part); }

}  // namespace

int DoubleBipassEnabled(const TObjectHeader*, const TObjectHeader*) { return 0; }

int ArrangeBipassChords(const TObjectHeader* cell, const TObjectHeader* a, const TObjectHeader* b,
                        const TObjectHeader* c) {
  std::array<std::array<int, 2>, 3> pairs{};
  const TObjectHeader* chords[3] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    int x = TCell::FindPassage(cell, chords[i], -1, 0);
    int y = x == -1 ? -1 : TCell::FindPassage(cell, chords[i], x, 0);
    if (x == -1 || y == -1 || y == x) return 0;
    pairs[static_cast<std::size_t>(i)] = {std::min(x, y), std::max(x, y)};
  }
  std::sort(pairs.begin(), pairs.end());
  int pa = pairs[0][0], pb = pairs[0][1], pc = pairs[1][0], pd = pairs[1][1], pe = pairs[2][0], pf = pairs[2][1];
  bool sideBySide = pb < pc && pd < pe;
  bool enclosing = pd < pe && pf < pb;
  if (!sideBySide && !enclosing) return 0;
  // Read around the enclosing chord the other way, the three lie side by side.
  if (!sideBySide) std::swap(pa, pb);
  bool inside = TCell::CountSpecialVertices(cell, pa, pb) >= 1 || TCell::CountSpecialVertices(cell, pc, pd) >= 1 ||
                TCell::CountSpecialVertices(cell, pe, pf) >= 1;
  bool between = TCell::CountSpecialVertices(cell, pb, pc) >= 2 || TCell::CountSpecialVertices(cell, pd, pe) >= 2 ||
                 TCell::CountSpecialVertices(cell, pf, pa) >= 2;
  return inside && between ? 1 : 0;
}

int ClassifyBipass(TSpine& spine, TObjectHeader* cell, int* first, int* second, int* third) {
  int length = TCell::BoundaryLength(cell);
  if (length < 4) return 0;
  TStopPoll poll;
  std::vector<TChord> chords;
  for (int j = 0; j < length - 3; ++j) {
    poll.Step();
    TObjectHeader* edge = TCell::EdgeAt(cell, j).Object();
    if (TEdge::Valency(edge) != 3 || EdgePassageCount(cell, edge) != 2) continue;
    if (TCell::FindPassage(cell, edge, j, 0) <= j) continue;
    TChord chord;
    chord.edge = edge;
    chord.first = j;
    chord.index = static_cast<int>(chords.size());
    chords.push_back(chord);
  }
  if (chords.size() < 2) return 0;
  int candidates = static_cast<int>(chords.size());
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  TObjectHeader* plus = PartOf(thick, 2).Object();
  TObjectHeader* minus = PartOf(thick, 3).Object();
  int plusClass = SurfaceClass(spine, spine.BoundarySurfaceOf(plus));
  int minusClass = SurfaceClass(spine, spine.BoundarySurfaceOf(minus));
  std::vector<TChord> kept;
  for (TChord& chord : chords) {
    poll.Step();
    bool opposite = CellAlgebraicPassages(cell, chord.edge) == 0;
    chord.code = ChordSide(chord.edge, opposite, plus, minus, plusClass, minusClass, &chord.side);
    if (chord.code == -1 || SideCurve(chord.side) != 1) continue;
    kept.push_back(chord);
  }
  int n = static_cast<int>(kept.size());
  if (n < 2) return 0;
  for (int m = 0; m + 1 < n; ++m) {
    const TChord& a = kept[static_cast<std::size_t>(m)];
    for (int l = m + 1; l < n; ++l) {
      const TChord& b = kept[static_cast<std::size_t>(l)];
      poll.Step();
      // The double bipass would start here; its pair test never passes.
      if (a.code == b.code && !(TEdge::IsLoop(a.edge) && TEdge::IsLoop(b.edge)) && a.side != b.side &&
          DoubleBipassEnabled(a.side, b.side) == 1)
        return a.code == 2 ? 1 : 2;
      if (b.index == candidates - 1 || SideCurve(a.side, b.side) != 1) continue;
      for (int t = l + 1; t < n; ++t) {
        const TChord& c = kept[static_cast<std::size_t>(t)];
        poll.Step();
        if (EndOfBoth(TEdge::End(c.edge, 1).Object(), a.edge, b.edge) ||
            EndOfBoth(TEdge::End(c.edge, 2).Object(), a.edge, b.edge))
          continue;
        int loops = (TEdge::IsLoop(a.edge) ? 1 : 0) + (TEdge::IsLoop(b.edge) ? 1 : 0) + (TEdge::IsLoop(c.edge) ? 1 : 0);
        if (loops > 1) continue;
        if (a.code == 0 || a.code != b.code || b.code != c.code) continue;
        if (ArrangeBipassChords(cell, a.edge, b.edge, c.edge) != 1) continue;

        int sideClass = a.code == 2 ? plusClass : minusClass;
        if (sideClass == 2 && SideCurve(a.side, b.side, c.side) == 1) continue;
        if (SideCurve(a.side, c.side) != 1 || SideCurve(b.side, c.side) != 1) continue;
        if (first != nullptr) *first = a.first;
        if (second != nullptr) *second = b.first;
        if (third != nullptr) *third = c.first;
        return 3;
      }
    }
  }
  return 0;
}

int ClassifyBipassAt(TSpine& spine, int cellPosition) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid()) return 0;
  return ClassifyBipass(spine, cell);
}

int FindBipassCell(TSpine& spine, int type) {
  if (CurrentSpineIsOrientable.load() != 1) return -1;
  // No cell is ever of class 1 or 2: the double bipass is never found.
  if (type != kMoveTripleBipass) return -1;
  TStopPoll poll;
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) return -1;
    if (ClassifyBipass(spine, cell) == 3) return i;
  }
}

void ReportBipass(TString& text, const char* cellName, int bipassClass) {
  if (QuietMode.load() != 0) return;
  text.FormatResource(bipassClass == 3 ? kTripleBipassText : kDoubleBipassText, cellName);
}

int PierceLongestAdjacentCell(TSpine& spine, TComplex* surface, TObjectHeader* newThickCell) {
  if (surface == nullptr || !spine.HasBoundarySurface(surface)) return 0;
  int best = TCell::CornerVertexCount(PartOf(newThickCell, 1));
  TObjectHeader* bestCell = nullptr;
  std::vector<THandle> cells;
  for (int i = 0; i < surface->Objects().Count(); ++i) {
    TObjectHeader* object = surface->Objects().At(i);
    if (object != nullptr && object->kind == kCellKind) cells.emplace_back(object);
  }
  TStopPoll poll;
  for (const THandle& copy : cells) {
    poll.Step();
    THandle thick = ThickCellOfCell(spine, copy);
    if (!thick.IsValid() || thick.Object() == newThickCell) continue;
    THandle cell = PartOf(thick, 1);
    int count = TCell::CornerVertexCount(cell);
    if (count > best && ClassifyPiercing(spine, cell) == 1) {
      best = count;
      bestCell = cell.Object();
    }
  }
  if (bestCell == nullptr) return 0;
  return PierceCellQuietly(spine, spine.CellOrdinal(bestCell));
}

int TripleBipass(TSpine& spine, TObjectHeader* cellObject, int p, int q, int r) {
  THandle cell(cellObject);
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  int pos[3] = {p, q, r};
  std::sort(pos, pos + 3);
  THandle chordEdges[3] = {TCell::EdgeAt(cell, pos[0]), TCell::EdgeAt(cell, pos[1]), TCell::EdgeAt(cell, pos[2])};
  int length = TCell::BoundaryLength(cell);
  int x2 = TCell::FindPassage(cell, chordEdges[0], pos[0], 0);
  if (x2 < pos[1]) {
    // Side by side: start the word at the second passage of X so that X
    // encloses the others. Read forwards when X runs along there; otherwise
    // read backwards from X's first passage (where it runs along, the
    // chords being opposite), which is the mirror image of the same layout.
    int ok = TCell::DirectionAt(cell, x2) == 1 ? TThickCell::RotateParts(thick, x2, 0)
                                               : TThickCell::RotateParts(thick, pos[0], 1);
    if (ok == 0) return 0;
  } else if (pos[0] != 0) {
    // Nested already: start the word at X's first passage.
    if (TThickCell::RotateParts(thick, pos[0], 0) == 0) return 0;
  }
  // The chords by their first passages: X at 0 (enclosing), then Y and Z.
  std::pair<int, TObjectHeader*> order[3];
  for (int i = 0; i < 3; ++i) order[i] = {TCell::FindPassage(cell, chordEdges[i], -1, 0), chordEdges[i].Object()};
  std::sort(order, order + 3);
  int a = order[0].first;
  int b = order[1].first;
  int c = order[2].first;
  THandle x(order[0].second);
  THandle y(order[1].second);
  THandle z(order[2].second);
  x2 = TCell::FindPassage(cell, x, a, 0);
  int y2 = TCell::FindPassage(cell, y, b, 0);
  int z2 = TCell::FindPassage(cell, z, c, 0);
  if (!(a == 0 && b < y2 && y2 < c && c < z2 && z2 < x2 && x2 < length)) return 0;

  THandle plus = PartOf(thick, 2);
  int side = TCell::EdgeAt(plus, x2).Object() == TCell::EdgeAt(plus, a).Object() ? 2 : 3;
  TComplex* surface = spine.BoundarySurfaceOf(PartOf(thick, side));
  if (surface == nullptr) return 0;

  if (SubdivideThickEdgeAtPosition(spine, thick, c) == 0) return 0;
  THandle v = TCell::EdgeAt(cell, c + 1);
  if (SubdivideThickEdgeAtPosition(spine, thick, b) == 0) return 0;
  if (SubdivideThickEdgeAtPosition(spine, thick, a) == 0) return 0;

  TObjectHeader* raw[6] = {};
  if (SplitThickCell(spine, thick, a, b + 2, &raw[0], &raw[1]) == 0) return 0;
  THandle p1(raw[0]);
  THandle p2(raw[1]);
  THandle c1 = PartOf(p1, 1);
  THandle qEdge = TCell::EdgeAt(c1, TCell::BoundaryLength(c1) - 1);
  int sp = TCell::FindPassage(c1, TCell::EdgeAt(c1, 1), 1, 0);
  int sq = sp == -1 ? -1 : TCell::FindPassage(c1, v, sp, 0);
  if (sp == -1 || sq == -1 || SplitThickCell(spine, p1, sp, sq, &raw[2], &raw[3]) == 0) return 0;
  THandle p3(raw[2]);
  THandle p4(raw[3]);
  THandle c3 = PartOf(p3, 1);
  int sr = TCell::FindPassage(c3, v, 1, 0);
  int ss = TCell::FindPassage(c3, qEdge, -1, 0);
  if (sr == -1 || ss == -1 || SplitThickCell(spine, p3, sr, ss, &raw[4], &raw[5]) == 0) return 0;
  THandle p6(raw[5]);

  // The triangle: the cuts, each passed against at position 0 of its piece.
  THandle pieces[3] = {p2, p4, p6};
  THandle cuts[3];
  THandle cutThick[3];
  THandle sides[3];
  THandle copies[3];
  for (int i = 0; i < 3; ++i) {
    cuts[i] = TCell::EdgeAt(PartOf(pieces[i], 1), 0);
    cutThick[i] = ThickEdgeOfObject(spine, cuts[i]);
    copies[i] = PartOf(pieces[i], side);
    sides[i] = TCell::EdgeAt(copies[i], 0);
    if (!cutThick[i].IsValid() || !sides[i].IsValid()) return 0;
  }
  for (int i = 0; i < 3; ++i)
    if (TEdge::End(cuts[i], 2).Object() != TEdge::End(cuts[(i + 1) % 3], 1).Object()) return 0;

  TObjectManager& objects = surface->Objects();
  THandle newThick(spine.Objects().CreateObject(kThickCellKind));
  THandle d(spine.Objects().CreateObject(kCellKind));
  THandle outer(objects.CreateObject(kCellKind));  // part 2, on the new edges
  THandle inner(objects.CreateObject(kCellKind));  // part 3, on the sides
  THandle newEdges[3];
  for (int i = 0; i < 3; ++i) {
    TCell::AppendPassage(d, cuts[i], 1);
    TCell::AppendPassage(inner, sides[i], 1);
    newEdges[i] = THandle(objects.CreateObject(kEdgeKind));
    TCell::AppendPassage(outer, newEdges[i], 1);
  }
  spine.AddCellWithBoundary(d);
  TCell::JoinCorners(outer, objects);
  TThickCell* t = TThickCell::Of(newThick);
  t->cell = d;
  t->plusCopy = outer;
  t->minusCopy = inner;

  // The labels of the new edges, read from the neighbours of the sides in
  // the cut-off copies, before the copies move onto the new edges.
  THandle afterFirst = TCell::EdgeAt(copies[0], 1);
  THandle beforeFirst = TCell::EdgeAt(copies[0], TCell::BoundaryLength(copies[0]) - 1);
  THandle nextSecond = TCell::EdgeAt(copies[1], TCell::BoundaryLength(copies[1]) - 1);

  std::vector<TObjectHeader*> corners;
  for (const THandle& s : sides)
    for (int n = 1; n <= 2; ++n) {
      TObjectHeader* w = TEdge::End(s, n).Object();
      if (w != nullptr && std::find(corners.begin(), corners.end(), w) == corners.end()) corners.push_back(w);
    }
  for (int i = 0; i < 3; ++i) {
    int direction = TCell::DirectionAt(copies[i], 0);
    if (TCell::ReplacePassage(copies[i], 0, newEdges[i], direction) == 0) return 0;
    TThickEdge::AddSide(cutThick[i], newEdges[i], 2);
  }
  RebuildSurfaceVertices(*surface, corners);
  inner.Release();
  outer.Release();

  PolygonRebuildHelper(afterFirst, newEdges[0], beforeFirst);
  PolygonRebuildHelper(beforeFirst, newEdges[1], nextSecond);
  PolygonRebuildHelper(nextSecond, newEdges[2], afterFirst);
  for (int i = 0; i < 3; ++i) {
    int labels[4];
    TEdge::LabelsAreZero(newEdges[i], labels);
    TEdge::SetLabels(sides[i], labels, 2);
  }

  spine.SplitBoundarySurface(surface);
  TComplex* sphere = nullptr;
  for (int part : {2, 3}) {
    TComplex* s = spine.BoundarySurfaceOf(PartOf(newThick, part));
    if (s != nullptr && spine.BoundarySurfaceClass(s) == 1) {
      s->ResetEdgeLabels(-1);
      sphere = s;
    }
  }
  if (sphere != nullptr) PierceLongestAdjacentCell(spine, sphere, newThick);
  return 1;
}

int PerformBipass(TSpine& spine, int cellPosition, TString* text) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid()) return 0;
  int a = 0;
  int b = 0;
  int c = 0;
  int bipassClass = ClassifyBipass(spine, cell, &a, &b, &c);
  if (bipassClass != 3) return 0;
  int type = kMoveTripleBipass;
  std::string name = cell.DisplayName();
  // The rebuild cannot be undone step by step: a head spine keeps a copy.
  bool head = spine.Head() == &spine;
  TSpine backup;
  if (head) spine.CopyTo(backup);
  int savedTag = spine.Objects().CreationTag();
  spine.Objects().SetCreationTag(type);
  int result = 0;
  try {
    result = TripleBipass(spine, cell, a, b, c);
  } catch (...) {
    if (head) backup.CopyTo(spine);
    throw;
  }
  // A rebuild that left an unsound structure is refused like one that failed.
  if (result != 0 && !RebuildIsSound(spine)) result = 0;
  if (result == 0) {
    if (head) backup.CopyTo(spine);
    spine.Objects().SetCreationTag(savedTag);
    return 0;
  }
  TString report;
  if (text != nullptr) {
    ReportBipass(report, name.c_str(), bipassClass);
    text->AssignString(report);
  }
  spine.LogEvent(type, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  if (TObjectTable* table = spine.MoleculeTable()) table->DecrementCounterA();
  return result;
}
