// Polygon move performers. See polygon_move_performer.h.
//
// The construction, for a curve through the midpoints m0..m(k-1) of the
// sides e0..e(k-1) (in cycle order):
// 1. The thick edge of every side is subdivided once per side on it, so that
//    every crossing has a spine vertex of its own; a midpoint has valency 2
//    on the surface, with two corners, one in the cell on either bank of the
//    side (both in one cell when that cell lies on both banks).
// 2. Chord i runs in a lateral cell from a corner at m(i) to a corner at
//    m(i+1); consecutive chords use the two different corners of their
//    common midpoint, so the curve crosses the side there. Each chord splits
//    its lateral cell's thick cell (all three parts at once): the new thick
//    edge has the spine edge S(i) and the surface chord N(i) among its edges.
// 3. The new thick cell runs along S(0..k-1) in the spine; its copy on one
//    bank (part 3) passes the chords N(i), and on the other bank (part 2) new
//    edges E(i) take the chords' place in the cells there. The bank is told
//    at each midpoint by the half edge that the banks' cells share there.
// 4. The surface's vertices on the curve are rebuilt from the cells' corners,
//    the surface is split into its pieces, sphere pieces lose their labels,
//    and a cell next to the sphere bank is pierced.
// Where two chords in one thick cell cross in its spine cell (the curve runs
// through both copies of the cell, the autocrossing triangle), the later
// chord cannot reach its end inside its copy: the copy of the earlier chord
// is in the way. That chord's thick edge is halved, the curve crosses the
// copy at its middle, and the earlier chord becomes two stretches: the new
// cell passes the crossing point twice (five sides for the triangle).
// The order of the sides around the curve, which midpoint of a shared thick
// edge each side is crossed at, and the corner choices are found by trying
// them (a handful at most), each try on a fresh copy of the spine.
#include "moves/polygon_move_performer.h"

#include <algorithm>
#include <array>
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
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "moves/bipass.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "moves/polygon_labels.h"
#include "moves/polygon_move_text.h"
#include "moves/surface_rebuild.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kDelicateNote = 304;
constexpr int kCrudeNote = 305;

int SideCount(int subtype) { return subtype == 1 ? 2 : subtype <= 5 ? 3 : 4; }

struct TSide {
  THandle edge;
  THandle halves[2];
  THandle middle;
};

// A corner of a surface cell at a midpoint: passage `after` starts there and
// the passage before it ends there, both halves of the side.
struct TCorner {
  THandle cell;
  int after = -1;
};

bool IsHalf(const TSide& side, const TObjectHeader* edge) {
  return edge == side.halves[0].Object() || edge == side.halves[1].Object();
}

void CornersInCell(TObjectHeader* cell, const TSide& side, std::vector<TCorner>& out) {
  int length = TCell::BoundaryLength(cell);
  for (int q = 0; q < length; ++q) {
    int before = TCell::NeighbourIndex(cell, q, 1);
    THandle next = TCell::EdgeAt(cell, q);
    THandle prev = TCell::EdgeAt(cell, before);
    if (!IsHalf(side, next) || !IsHalf(side, prev)) continue;
    if (TEdge::End(next, 1, TCell::DirectionAt(cell, q)).Object() != side.middle.Object()) continue;
    if (TEdge::End(prev, 2, TCell::DirectionAt(cell, before)).Object() != side.middle.Object()) continue;
    out.push_back({THandle(cell), q});
  }
}

// The unsplit corners at the side's midpoint, over the cells of its halves.
std::vector<TCorner> CornersAt(const TSide& side) {
  std::vector<TCorner> out;
  std::vector<TObjectHeader*> seen;
  for (const THandle& half : side.halves)
    for (int i = 0; i < TEdge::Valency(half); ++i) {
      TObjectHeader* cell = TEdge::CellAt(half, i).Object();
      if (cell == nullptr || std::find(seen.begin(), seen.end(), cell) != seen.end()) continue;
      seen.push_back(cell);
      CornersInCell(cell, side, out);
    }
  return out;
}

// The midpoint: the end the two halves share that no other edge reaches.
THandle Midpoint(const THandle& a, const THandle& b) {
  for (int n = 1; n <= 2; ++n) {
    THandle v = TEdge::End(a, n);
    if (v.IsValid() && TEdge::HasEnd(b, v) && TVertex::Valency(v) == 2) return v;
  }
  return THandle();
}

// The number of ways the midpoints of shared thick edges can be dealt to
// the sides on them: the product of n! over the groups of n sides that share
// one thick edge.
int MidpointAssignments(TSpine& spine, const std::vector<TSide>& sides) {
  int total = 1;
  std::vector<bool> done(sides.size(), false);
  for (std::size_t i = 0; i < sides.size(); ++i) {
    if (done[i]) continue;
    THandle thick = ThickEdgeOfObject(spine, sides[i].edge);
    int n = 0;
    for (std::size_t j = i; j < sides.size(); ++j)
      if (!done[j] && ThickEdgeOfObject(spine, sides[j].edge).Object() == thick.Object()) {
        done[j] = true;
        total *= ++n;
      }
  }
  return total;
}

// Subdivides the thick edge of every side once per side on it, so that each
// crossing of the curve gets a spine vertex of its own (two crossings at one
// spine vertex would give the new cell a corner there twice, and the split
// for one crossing would cut the corner the other needs). A thick edge with
// n sides of the polygon gets n midpoints in a row along it; `assignment`
// (below MidpointAssignments, read in mixed radix over the groups) says which
// midpoint each of its sides is crossed at. Finds the halves and the midpoint
// of each side. False when a primitive refused.
bool SubdivideSides(TSpine& spine, std::vector<TSide>& sides, int assignment) {
  std::vector<THandle> thick(sides.size());
  std::vector<int> slot(sides.size());
  for (std::size_t i = 0; i < sides.size(); ++i) {
    thick[i] = ThickEdgeOfObject(spine, sides[i].edge);
    if (!thick[i].IsValid()) return false;
    slot[i] = TThickEdge::SideIndex(thick[i], sides[i].edge);
    if (slot[i] < 0) return false;
  }
  for (std::size_t i = 0; i < sides.size(); ++i) {
    if (sides[i].middle.IsValid()) continue;
    std::vector<std::size_t> group;
    for (std::size_t j = i; j < sides.size(); ++j)
      if (thick[j].Object() == thick[i].Object()) group.push_back(j);
    const int n = static_cast<int>(group.size());
    // Which midpoint, counted along the subdivided edge, each side takes.
    std::vector<int> which(group.size());
    for (int g = 0; g < n; ++g) which[static_cast<std::size_t>(g)] = g;
    int rank = 1;
    for (int g = 2; g <= n; ++g) rank *= g;
    int pick = assignment % rank;
    assignment /= rank;
    for (int step = 0; step < pick; ++step) std::next_permutation(which.begin(), which.end());

    THandle cell = TEdge::CellAt(sides[i].edge, 0);
    THandle thickCell = ThickCellOfCell(spine, cell);
    if (!thickCell.IsValid()) return false;
    int p = TCell::FindPassage(cell, sides[i].edge, -1, 0);
    if (p < 0) return false;
    // Each subdivision splits the last piece, so the pieces stand at
    // p..p+n of the word in order along the passage (p tracked, as another
    // passage of the edge before it grows the word too).
    for (int r = 0; r < n; ++r) {
      ThrowIfStopRequested();
      if (SubdivideThickEdgeAtPosition(spine, thickCell, p + r, &p) == 0) return false;
    }
    THandle part = TThickCell::Part(thickCell, 1);
    std::vector<THandle> pieces(static_cast<std::size_t>(n + 1));
    for (int r = 0; r <= n; ++r) {
      pieces[static_cast<std::size_t>(r)] = ThickEdgeOfObject(spine, TCell::EdgeAt(part, p + r));
      if (!pieces[static_cast<std::size_t>(r)].IsValid()) return false;
    }
    for (int g = 0; g < n; ++g) {
      TSide& side = sides[group[static_cast<std::size_t>(g)]];
      const int s = slot[group[static_cast<std::size_t>(g)]];
      const std::size_t r = static_cast<std::size_t>(which[static_cast<std::size_t>(g)]);
      side.halves[0] = TThickEdge::Side(pieces[r], s);
      side.halves[1] = TThickEdge::Side(pieces[r + 1], s);
      side.middle = Midpoint(side.halves[0], side.halves[1]);
      if (!side.middle.IsValid()) return false;
    }
  }
  return true;
}

// The neighbour of the passage at position p in the cell, at the end of the
// edge that is the vertex v.
THandle NeighbourAt(TObjectHeader* cell, int p, const TObjectHeader* v) {
  int d = TCell::DirectionAt(cell, p);
  THandle edge = TCell::EdgeAt(cell, p);
  bool atEnd = TEdge::End(edge, 2, d).Object() == v;
  return TCell::EdgeAt(cell, TCell::NeighbourIndex(cell, p, atEnd ? 0 : 1));
}

// The cell among those of the chord (the new copy skipped) whose neighbour of
// the chord at v is the given edge; null when none.
TObjectHeader* CellWithNeighbour(const THandle& chord, const TObjectHeader* skip, const TObjectHeader* v,
                                 const TObjectHeader* neighbour) {
  for (int i = 0; i < TEdge::Valency(chord); ++i) {
    TObjectHeader* cell = TEdge::CellAt(chord, i).Object();
    if (cell == skip) continue;
    int p = TCell::FindPassage(cell, chord, -1, 0);
    if (p >= 0 && NeighbourAt(cell, p, v).Object() == neighbour) return cell;
  }
  return nullptr;
}

// One stretch of the curve: the new spine edge, the chord on the bank of
// the split (the part of the lateral cell it was drawn in), the direction in
// which the curve runs along them, and the vertex where the stretch starts:
// a crossing of a side (or of a chord copy), or the middle of a halved chord
// that the curve runs on through.
struct TSegment {
  THandle spineEdge;
  THandle chord;
  int direction = 1;
  THandle start;
};

// Splits the lateral cell of the corner from along the chord to the corner
// to (in the same cell), and appends the stretch; the two pieces go to made.
// False when refused.
bool SplitChord(TSpine& spine, const TCorner& from, const TCorner& to, const TSide& fromSide, const TSide& toSide,
                std::vector<TSegment>& segments, std::vector<THandle>& made) {
  THandle thickCell = ThickCellOfCell(spine, from.cell);
  if (!thickCell.IsValid()) return false;
  int side = TThickCell::Part(thickCell, 2).Object() == from.cell.Object() ? 2 : 3;
  int a = TCell::NeighbourIndex(from.cell, from.after, 1);
  TObjectHeader* pieces[2] = {};
  if (SplitThickCell(spine, thickCell, a, to.after, &pieces[0], &pieces[1]) == 0) return false;
  THandle piece(pieces[0]);
  made.emplace_back(pieces[0]);
  made.emplace_back(pieces[1]);
  TSegment segment;
  segment.spineEdge = TCell::EdgeAt(TThickCell::Part(piece, 1), 0);
  segment.chord = TCell::EdgeAt(TThickCell::Part(piece, side), 0);
  segment.start = fromSide.middle;
  const TObjectHeader* m0 = fromSide.middle.Object();
  if (!TEdge::HasEnd(segment.chord, m0) || !TEdge::HasEnd(segment.chord, toSide.middle)) return false;
  segment.direction = TEdge::End(segment.chord, 1).Object() == m0 ? 1 : 2;
  segments.push_back(segment);
  return true;
}

// The curve, leaving the corner from, cannot reach the next side inside this
// cell: an earlier chord of the same thick cell, drawn in its other copy,
// has cut this copy too (the chords cross in the spine cell). Finds the
// passage q of that chord's copy here behind which a corner of the next side
// lies, and the stretch j of that chord.
bool FindCrossedChord(TSpine& spine, const TCorner& from, const TSide& next, const std::vector<TSegment>& segments,
                      int* q, std::size_t* j) {
  TObjectHeader* cell = from.cell.Object();
  const int length = TCell::BoundaryLength(cell);
  for (int p = 0; p < length; ++p) {
    THandle copy = TCell::EdgeAt(cell, p);
    THandle thick = ThickEdgeOfObject(spine, copy);
    if (!thick.IsValid()) continue;
    for (std::size_t s = 0; s < segments.size(); ++s) {
      if (segments[s].chord.Object() == copy.Object()) continue;
      if (ThickEdgeOfObject(spine, segments[s].spineEdge).Object() != thick.Object()) continue;
      for (int c = 0; c < TEdge::Valency(copy); ++c) {
        TObjectHeader* other = TEdge::CellAt(copy, c).Object();
        if (other == nullptr || other == cell) continue;
        std::vector<TCorner> corners;
        CornersInCell(other, next, corners);
        if (corners.empty()) continue;
        *q = p;
        *j = s;
        return true;
      }
    }
  }
  return false;
}

// Halves the thick edge of stretch j, whose copy stands at passage q of the
// corner's cell: the copy's middle becomes a crossing of the curve (cross),
// and stretch j becomes two, the second starting at the middle of the chord.
bool SubdivideChord(TSpine& spine, TCorner& from, int q, std::vector<TSegment>& segments, std::size_t j,
                    TSide& cross) {
  THandle thickCell = ThickCellOfCell(spine, from.cell);
  THandle copy = TCell::EdgeAt(from.cell, q);
  THandle thick = ThickEdgeOfObject(spine, copy);
  if (!thickCell.IsValid() || !thick.IsValid()) return false;
  const int copySlot = TThickEdge::SideIndex(thick, copy);
  const int chordSlot = TThickEdge::SideIndex(thick, segments[j].chord);
  if (copySlot < 0 || chordSlot < 0) return false;
  int after = from.after;
  if (SubdivideThickEdgeAtPosition(spine, thickCell, q, &after) == 0) return false;
  from.after = after;
  THandle part = TThickCell::Part(thickCell, 1);
  THandle halves[2] = {ThickEdgeOfObject(spine, TCell::EdgeAt(part, q)),
                       ThickEdgeOfObject(spine, TCell::EdgeAt(part, q + 1))};
  if (!halves[0].IsValid() || !halves[1].IsValid()) return false;
  cross.edge = THandle();
  cross.halves[0] = TThickEdge::Side(halves[0], copySlot);
  cross.halves[1] = TThickEdge::Side(halves[1], copySlot);
  cross.middle = Midpoint(cross.halves[0], cross.halves[1]);
  THandle chordHalves[2] = {TThickEdge::Side(halves[0], chordSlot), TThickEdge::Side(halves[1], chordSlot)};
  THandle middle = Midpoint(chordHalves[0], chordHalves[1]);
  if (!cross.middle.IsValid() || !middle.IsValid()) return false;
  // The half that leaves the stretch's start comes first.
  const std::size_t lead = TEdge::HasEnd(chordHalves[0], segments[j].start) ? 0 : 1;
  TSegment tail;
  tail.spineEdge = TThickEdge::Edge(halves[1 - lead]);
  tail.chord = chordHalves[1 - lead];
  tail.start = middle;
  tail.direction = TEdge::End(tail.chord, 1).Object() == middle.Object() ? 1 : 2;
  segments[j].spineEdge = TThickEdge::Edge(halves[lead]);
  segments[j].chord = chordHalves[lead];
  segments[j].direction = TEdge::End(segments[j].chord, 1).Object() == segments[j].start.Object() ? 1 : 2;
  segments.insert(segments.begin() + static_cast<std::ptrdiff_t>(j) + 1, tail);
  return true;
}

// The autocrossing triangle's piercing: among the pieces that its splits
// made and that are still cells of the spine, the longest spine cell (the
// first of equal length) whose piercing is delicate; none when no piece
// qualifies.
void PierceLongestPiece(TSpine& spine, const std::vector<THandle>& made) {
  THandle best;
  int bestLength = 0;
  for (const THandle& piece : made) {
    THandle cell = TThickCell::Part(piece, 1);
    if (!cell.IsValid() || spine.CellOrdinal(cell) < 0) continue;
    const int length = TCell::BoundaryLength(cell);
    if (length > bestLength && ClassifyPiercing(spine, cell) == 1) {
      best = cell;
      bestLength = length;
    }
  }
  if (best.IsValid()) PierceCellQuietly(spine, spine.CellOrdinal(best));
}

// Curve coordinates on a bank that is not a sphere. The curves of the torus
// crossed the polygon's disc only at the midpoints, which now lie on the
// bank's boundary curve c(0..k-1); the flow each midpoint loses to the disc
// is carried on along the curve instead, so every midpoint is balanced and
// each curve keeps its class (it moved across a disc only).
void RerouteCurves(const std::vector<THandle>& curve, const std::vector<int>& directions) {
  const std::size_t k = curve.size();
  std::vector<TObjectHeader*> starts(k);
  for (std::size_t i = 0; i < k; ++i) {
    starts[i] = TEdge::End(curve[i], 1, directions[i]).Object();
    for (int c = 0; c < 4; ++c) TEdge::SetLabel(curve[i], c, 0);
  }
  for (int c = 0; c < 4; ++c) {
    std::vector<long> inflow(k, 0);
    for (std::size_t i = 0; i < k; ++i) {
      TObjectHeader* v = starts[i];
      for (int j = 0; j < TVertex::Valency(v); ++j) {
        THandle edge = TVertex::EdgeAt(v, j);
        if (TEdge::IsLoop(edge)) continue;
        int label = TEdge::Label(edge, c);
        inflow[i] += TEdge::End(edge, 2).Object() == v ? label : -label;
      }
    }
    // f(0) = 0 and f(i) = f(i-1) + inflow(i): the flow along c(i) out of its start.
    long f = 0;
    for (std::size_t i = 0; i < k; ++i) {
      if (i > 0) f += inflow[i];
      long along = directions[i] == 1 ? f : -f;
      TEdge::SetLabel(curve[i], c, static_cast<int>(along));
    }
  }
}

TComplex* SphereOf(TSpine& spine, const TObjectHeader* object) {
  TComplex* s = spine.BoundarySurfaceOf(object);
  return s != nullptr && spine.BoundarySurfaceClass(s) == 1 ? s : nullptr;
}

// One try of the move with the given order of the sides (a permutation of
// 1..k-1 after side 0), start corner and corner choices. *consulted gets the
// choice bits that were read. 1 when done.
int TryPolygon(TSpine& spine, int subtype, int surfaceIndex, const int positions[4], const int order[4],
               int assignment, int start, int choices, int* consulted, int* limit, int* counter, TString* text) {
  const int k = SideCount(subtype);
  TComplex* surface = spine.BoundaryAt(surfaceIndex);
  if (surface == nullptr) return 0;
  std::vector<TSide> sides(static_cast<std::size_t>(k));
  for (int i = 0; i < k; ++i) {
    sides[static_cast<std::size_t>(i)].edge = THandle(surface->Objects().NthOfKind(kEdgeKind, positions[order[i]]));
    if (!sides[static_cast<std::size_t>(i)].edge.IsValid()) return 0;
  }
  if (text != nullptr) {
    // The text names the sides and the thick cells of their first cells, before
    // anything changes.
    THandle cells[4];
    for (int i = 0; i < k; ++i)
      cells[i] = ThickCellOfCell(spine, TEdge::CellAt(sides[static_cast<std::size_t>(i)].edge, 0));
    TObjectHeader* names[4] = {};
    for (int i = 0; i < k; ++i) names[i] = cells[i].Object();
    ReportPolygonMove(*text, subtype, sides[0].edge, sides[1].edge, k > 2 ? sides[2].edge.Object() : nullptr,
                      k > 3 ? sides[3].edge.Object() : nullptr, names[0], names[1], names[2], names[3]);
  }
  if (!SubdivideSides(spine, sides, assignment)) return 0;

  // The chords, one split each (two where the curve crosses an earlier chord).
  std::vector<TSegment> segments;
  std::vector<TCorner> first = CornersAt(sides[0]);
  if (first.size() != 2) return 0;
  TCorner from = first[static_cast<std::size_t>(start)];
  const TSide* fromSide = &sides[0];
  std::vector<THandle> made;   // the thick cells the splits made
  std::vector<TSide> crossed;  // the chord copies crossed, one per crossing
  crossed.reserve(static_cast<std::size_t>(2 * k));
  for (int i = 0; i < k; ++i) {
    const TSide& next = sides[static_cast<std::size_t>((i + 1) % k)];
    if (i > 0) {
      std::vector<TCorner> open = CornersAt(sides[static_cast<std::size_t>(i)]);
      if (open.size() != 1) return 0;
      from = open[0];
      fromSide = &sides[static_cast<std::size_t>(i)];
    }
    std::vector<TCorner> ends;
    CornersInCell(from.cell, next, ends);
    while (ends.empty() && crossed.size() < crossed.capacity()) {
      // The curve crosses the other copy of an earlier chord of this thick
      // cell: the two chords cross in the spine cell, so the curve's image
      // in the spine passes their crossing point twice.
      int q = -1;
      std::size_t j = 0;
      if (!FindCrossedChord(spine, from, next, segments, &q, &j)) return 0;
      TSide cross;
      if (!SubdivideChord(spine, from, q, segments, j, cross)) return 0;
      crossed.push_back(cross);
      std::vector<TCorner> there;
      CornersInCell(from.cell, cross, there);
      if (there.size() != 1 || !SplitChord(spine, from, there[0], *fromSide, cross, segments, made)) return 0;
      std::vector<TCorner> open = CornersAt(crossed.back());
      if (open.size() != 1) return 0;
      from = open[0];
      fromSide = &crossed.back();
      ends.clear();
      CornersInCell(from.cell, next, ends);
    }
    TCorner to;
    if (i == k - 1) {
      // The curve closes at the corner of m0 that the first chord left.
      if (ends.size() == 1) to = ends[0];
    } else if (ends.size() == 1) {
      to = ends[0];
    } else if (ends.size() == 2) {
      *consulted |= 1 << i;
      to = ends[static_cast<std::size_t>((choices >> i) & 1)];
    }
    if (!to.cell.IsValid()) return 0;
    if (!SplitChord(spine, from, to, *fromSide, next, segments, made)) return 0;
  }
  const std::size_t n = segments.size();
  // Surfaces may have been renumbered by the splits: take the chords' one.
  surface = spine.BoundarySurfaceOf(segments[0].chord);
  if (surface == nullptr) return 0;

  // The bank that gets the new edges: a cell of chord 0, then at each vertex
  // of the curve the cell of the next chord that shares the edge leaving the
  // vertex on this bank (a half of the side crossed there); where no edge
  // leaves on this bank (the middle of a halved chord), the same cell.
  std::vector<TObjectHeader*> bank(n);
  bank[0] = TEdge::CellAt(segments[0].chord, 0).Object();
  for (std::size_t i = 0; i < n; ++i) {
    const TSegment& following = segments[(i + 1) % n];
    const TObjectHeader* m = following.start.Object();
    TObjectHeader* cell = bank[i];
    int p = TCell::FindPassage(cell, segments[i].chord, -1, 0);
    if (p < 0) return 0;
    THandle shared = NeighbourAt(cell, p, m);
    TObjectHeader* next = shared.Object() == following.chord.Object()
                              ? cell
                              : CellWithNeighbour(following.chord, nullptr, m, shared);
    if (next == nullptr) return 0;
    if (i + 1 < n) bank[i + 1] = next;
    else if (next != bank[0]) return 0;  // the banks must close up
  }

  TObjectManager& objects = surface->Objects();
  THandle newThick(spine.Objects().CreateObject(kThickCellKind));
  THandle cell(spine.Objects().CreateObject(kCellKind));
  THandle outer(objects.CreateObject(kCellKind));  // part 2, on the new edges
  THandle inner(objects.CreateObject(kCellKind));  // part 3, on the chords
  std::vector<THandle> newEdges(n);
  std::vector<THandle> chords(n);
  std::vector<int> directions(n);
  for (std::size_t u = 0; u < n; ++u) {
    chords[u] = segments[u].chord;
    directions[u] = segments[u].direction;
    TCell::AppendPassage(cell, segments[u].spineEdge, directions[u]);
    TCell::AppendPassage(inner, chords[u], directions[u]);
    newEdges[u] = THandle(objects.CreateObject(kEdgeKind));
    TCell::AppendPassage(outer, newEdges[u], directions[u]);
  }
  spine.AddCellWithBoundary(cell);
  TCell::JoinCorners(outer, objects);
  TThickCell* t = TThickCell::Of(newThick);
  t->cell = cell;
  t->plusCopy = outer;
  t->minusCopy = inner;

  std::vector<TObjectHeader*> corners;
  for (const TSegment& segment : segments) corners.push_back(segment.start.Object());
  for (std::size_t u = 0; u < n; ++u) {
    int p = TCell::FindPassage(bank[u], chords[u], -1, 0);
    if (p < 0 || TCell::ReplacePassage(bank[u], p, newEdges[u], TCell::DirectionAt(bank[u], p)) == 0) return 0;
    THandle thickEdge = ThickEdgeOfObject(spine, segments[u].spineEdge);
    if (!thickEdge.IsValid()) return 0;
    TThickEdge::AddSide(thickEdge, newEdges[u], 2);
  }
  RebuildSurfaceVertices(*surface, corners);
  inner.Release();
  outer.Release();

  spine.SplitBoundarySurface(surface);
  // A torus keeps its coordinates; only sphere pieces lose their labels.
  TComplex* outerSphere = SphereOf(spine, TThickCell::Part(newThick, 2));
  TComplex* innerSphere = SphereOf(spine, TThickCell::Part(newThick, 3));
  if (innerSphere != nullptr) innerSphere->ResetEdgeLabels(-1);
  if (outerSphere != nullptr) outerSphere->ResetEdgeLabels(-1);
  TComplex* sphere = outerSphere != nullptr ? outerSphere : innerSphere;
  if (outerSphere == nullptr) RerouteCurves(newEdges, directions);
  if (innerSphere == nullptr) RerouteCurves(chords, directions);
  // The curve bounds a disc in the manifold, so a bank is a sphere; a curve
  // drawn otherwise is not this move.
  if (sphere == nullptr) return 0;
  if (!RebuildIsSound(spine)) return 0;
  if (subtype == 5) {
    PierceLongestPiece(spine, made);
  } else if (k < 4) {
    PierceLongestAdjacentCell(spine, sphere, newThick);
  } else if (PolygonMoveChosenInDialog.load() == 0) {
    PierceAfterQuadrangle(spine, sphere, newThick, limit, counter, text);
  }
  // Every torus that carries curves must still carry a basis of them; a move
  // that lost it is refused (and rolled back by the caller).
  for (int i = 0; i < spine.BoundaryCount(); ++i) {
    TComplex* s = spine.BoundaryAt(i);
    if (s == nullptr || s->AllEdgeLabelsZero() || spine.BoundarySurfaceClass(s) != 2) continue;
    int matrix[4];
    if (SpineBoundaryGluingMatrix(*s, matrix) == 0) return 0;
  }
  return 1;
}

}  // namespace

void SetPolygonMoveChosenFlag(int value) { PolygonMoveChosenInDialog.store(value); }

int PierceAfterQuadrangle(TSpine& spine, TComplex* sphere, TObjectHeader* newThickCell, int* limit, int* counter,
                          TString* text) {
  if (sphere == nullptr || !spine.HasBoundarySurface(sphere)) return 0;
  // A caller without repeat fields makes the move once, as a first
  // performance: the first candidate is pierced.
  int ownLimit = -1;
  int ownCounter = -1;
  if (limit == nullptr || counter == nullptr) {
    limit = &ownLimit;
    counter = &ownCounter;
  }
  bool maximal = PolygonMaximalMode.load() == 1;
  int minimal = maximal || PolygonComplicatingMoves.load() == 1 ? 1 : 4;
  if (*limit == -1) *counter = 0;
  THandle newCell = TThickCell::Part(newThickCell, 1);
  std::vector<THandle> cells;
  for (int i = 0; i < sphere->Objects().Count(); ++i) {
    TObjectHeader* object = sphere->Objects().At(i);
    if (object != nullptr && object->kind == kCellKind) cells.emplace_back(object);
  }
  TStopPoll poll;
  int count = 0;
  THandle chosen;
  for (const THandle& copy : cells) {
    poll.Step();
    THandle thick = ThickCellOfCell(spine, copy);
    if (!thick.IsValid() || thick.Object() == newThickCell) continue;
    THandle candidate = TThickCell::Part(thick, 1);
    if (TCell::BoundaryLength(candidate) < minimal) continue;
    int kind = ClassifyPiercing(spine, candidate);
    if (kind != 1 && !(kind == 2 && maximal)) continue;
    if (count == *counter) {
      chosen = candidate;
      if (*limit != -1) break;
    }
    ++count;
    if (*limit != -1 && count >= *limit) break;
  }
  if (*limit == -1) *limit = count;
  if (!chosen.IsValid()) return 0;
  if (text != nullptr && QuietMode.load() == 0) {
    TString note;
    note.FormatResource(ClassifyPiercing(spine, chosen) == 1 ? kDelicateNote : kCrudeNote, chosen.DisplayName());
    text->AppendString(note);
  }
  return PierceCellQuietly(spine, spine.CellOrdinal(chosen)) != 0 ? 1 : 0;
}

int GluePolygonCell(TSpine& spine, int subtype, int surfaceIndex, const int positions[4], int* limit, int* counter,
                    TString* text) {
  if (subtype < 1 || subtype > 14 || positions == nullptr) return 0;
  const int k = SideCount(subtype);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < i; ++j)
      if (positions[i] == positions[j]) return 0;
  // Each try after the first starts again from the spine as it was; a spine
  // further down a chain cannot be copied back, so it gets one try.
  bool head = spine.Head() == &spine;
  TSpine backup;
  if (head) spine.CopyTo(backup);
  const int savedLimit = limit != nullptr ? *limit : -1;
  const int savedCounter = counter != nullptr ? *counter : -1;
  TString savedText;
  if (text != nullptr) savedText.AssignString(*text);
  TComplex* surface = spine.BoundaryAt(surfaceIndex);
  if (surface == nullptr) return 0;
  std::vector<TSide> sides(static_cast<std::size_t>(k));
  for (int i = 0; i < k; ++i) {
    sides[static_cast<std::size_t>(i)].edge = THandle(surface->Objects().NthOfKind(kEdgeKind, positions[i]));
    if (!sides[static_cast<std::size_t>(i)].edge.IsValid()) return 0;
  }
  const int assignments = MidpointAssignments(spine, sides);
  sides.clear();
  std::array<int, 4> order = {0, 1, 2, 3};
  bool dirty = false;
  do {
    for (int tried = 0; tried < 2 * assignments; ++tried) {
      const int start = tried % 2;
      const int assignment = tried / 2;
      // Only the choices that some try has read make a different try.
      int read = 0;
      for (int choices = 0; choices < (1 << k); ++choices) {
        if ((choices & ~read) != 0) continue;
        ThrowIfStopRequested();
        if (dirty) {
          if (!head) return 0;
          backup.CopyTo(spine);
          if (limit != nullptr) *limit = savedLimit;
          if (counter != nullptr) *counter = savedCounter;
          if (text != nullptr) text->AssignString(savedText);
        }
        dirty = true;
        int consulted = 0;
        if (TryPolygon(spine, subtype, surfaceIndex, positions, order.data(), assignment, start, choices,
                       &consulted, limit, counter, text) == 1)
          return 1;
        read |= consulted;
      }
    }
  } while (std::next_permutation(order.begin() + 1, order.begin() + k));
  return 0;
}

int PerformPolygonMove(TSpine& spine, int subtype, const int x[5], int* limit, int* counter, TString* text) {
  if (subtype < 1 || subtype > 14 || x == nullptr) return 0;
  const int savedLimit = limit != nullptr ? *limit : -1;
  const int savedCounter = counter != nullptr ? *counter : -1;
  const int savedTag = spine.Objects().CreationTag();
  spine.Objects().SetCreationTag(kMovePolygon);
  TString report;
  int result = 0;
  auto restore = [&] {
    if (limit != nullptr) *limit = savedLimit;
    if (counter != nullptr) *counter = savedCounter;
    spine.Objects().SetCreationTag(savedTag);
  };
  try {
    result = PerformWithRollback(spine, [&] {
      return GluePolygonCell(spine, subtype, x[0], x + 1, limit, counter, text != nullptr ? &report : nullptr);
    });
  } catch (...) {
    restore();
    throw;
  }
  if (result == 0) {
    restore();
    return 0;
  }
  // Only a move that was done is reported, logged and counted.
  if (text != nullptr && !report.Empty()) text->AssignString(report);
  spine.LogEvent(kMovePolygon, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  if (TObjectTable* table = spine.MoleculeTable()) table->DecrementCounterA();
  return 1;
}
