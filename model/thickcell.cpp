// Thick cells: construction of the two copies of a cell, and finders.
// See thickcell.h for the geometry.
//
// BuildAll walks once around the cell. At passage 0 the "+" side is chosen
// (the lower of the two other wing positions), and at every further passage
// WalkBoundary finds the neighbour that continues it around the vertex in
// between: the "+" neighbour N of the previous passage turns at that vertex
// from the previous edge e' onto some edge p, and the cell that turns from the
// current edge e onto p is the "+" neighbour at e. Closing the walk at
// passage 0 tells two-sided cells from one-sided ones.
//
// Cost: each passage looks at the wings of two edges and the passages of the
// cells there, so the thickening of a spine is linear in the total length of
// its boundary words, apart from the finders' searches of object lists.
#include "model/thickcell.h"

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/objman.h"
#include "model/thickedge.h"

namespace {

constexpr const char* kSourceName = "thickcell";
constexpr int kHeadingThickeningError = 440;
constexpr int kMessageEmptyBoundary = 441;
constexpr int kMessageCommonEdges = 445;
constexpr int kMessageNoCornerCell = 446;

int Opposite(int direction) { return direction == 2 ? 1 : 2; }

// The passage of the cell at wing k of the edge that runs along the edge:
// the cell's j-th occurrence in the edge's cell list is its j-th passage along
// the edge (the rule by which thick edges record their passage indices).
int WingPassage(const TObjectHeader* edge, int k, const TWingPassages* wings) {
  if (wings != nullptr) return IndexedWingPassage(*wings, edge, k);
  THandle cell = TEdge::CellAt(edge, k);
  if (!cell.IsValid()) return -1;
  int occurrence = 0;
  for (int earlier = 0; earlier < k; ++earlier)
    if (TEdge::CellAt(edge, earlier).Object() == cell.Object()) ++occurrence;
  int length = TCell::BoundaryLength(cell);
  for (int j = 0; j < length; ++j) {
    if (TCell::EdgeAt(cell, j).Object() != edge) continue;
    if (occurrence-- == 0) return j;
  }
  return -1;
}

void ReportCommonEdges(const TObjectHeader* first, const TObjectHeader* second,
                       const TObjectHeader* e1, const TObjectHeader* e2) {
  TString message;
  message.FormatResource(kMessageCommonEdges, ObjectDisplayName(first), ObjectDisplayName(second),
                         ObjectDisplayName(e1), ObjectDisplayName(e2));
  ReportStatus(message, kHeadingThickeningError);
}

void NameAfter(const TObjectHeader* thickCell, TObjectHeader* object, int n) {
  if (SuppressObjectNames != 0 || object == nullptr) return;
  std::string name = ObjectDisplayName(thickCell);
  if (n == 2) name += "+";
  if (n == 3) name += "-";
  ObjectSetNameText(object, nullptr, name.c_str());
}

}  // namespace

TThickCell* TThickCell::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kThickCellKind) return nullptr;
  return static_cast<TThickCell*>(const_cast<TObjectHeader*>(object));
}

THandle TThickCell::Part(const TObjectHeader* thickCell, int n) {
  const TThickCell* t = Of(thickCell);
  if (t == nullptr) return THandle();
  switch (n) {
    case 1:
      return t->cell;
    case 2:
      return t->plusCopy;
    case 3:
      return t->minusCopy;
    default:
      return THandle();
  }
}

void TThickCell::NamePart(TObjectHeader* thickCell, TObjectHeader* object, int n) {
  TThickCell* t = Of(thickCell);
  if (t == nullptr || n < 1 || n > 3) return;
  NameAfter(thickCell, object, n);
  THandle& part = n == 1 ? t->cell : n == 2 ? t->plusCopy : t->minusCopy;
  part.AssignObject(object);
}

void TThickCell::SetNumber(TObjectHeader* thickCell, int n) {
  TThickCell* t = Of(thickCell);
  if (t == nullptr) return;
  ObjectSetNumber(thickCell, n);
  ObjectSetNumber(t->cell, n);
  for (int part = 1; part <= 3; ++part) NameAfter(thickCell, Part(thickCell, part), part);
}

int TThickCell::CellBoundaryLength(const TObjectHeader* thickCell) {
  const TThickCell* t = Of(thickCell);
  return t == nullptr ? 0 : TCell::BoundaryLength(t->cell);
}

THandle TThickCell::ThickEdgeAtPassage(const TObjectHeader* thickCell, int i) {
  const TThickCell* t = Of(thickCell);
  if (t == nullptr) return THandle();
  if (i >= 0 && i < t->thickEdges.Count()) return THandle(t->thickEdges.At(i));
  THandle edge = TCell::EdgeAt(t->cell, i);
  return edge.IsValid() ? ThickEdgeOfEdge(edge) : THandle();
}

int TThickCell::RotateParts(TObjectHeader* thickCell, int i, int reverse) {
  const TThickCell* t = Of(thickCell);
  if (t == nullptr) return 0;
  int done = TCell::RotateBoundary(t->cell, i, reverse);
  done &= TCell::RotateBoundary(t->plusCopy, i, reverse);
  done &= TCell::RotateBoundary(t->minusCopy, i, reverse);
  return done;
}

int TThickCell::Build(TObjectHeader* thickCell, TObjectHeader* cell, const TComplex& spine,
                      TComplex& thickening, const TThickEdgeIndex* index) {
  TThickCell* t = Of(thickCell);
  if (t == nullptr) return 0;
  if (TCell::Type(cell) != 1) {
    TString message;
    message.FormatResource(kMessageEmptyBoundary, ObjectDisplayName(cell));
    ReportStatus(message, kHeadingThickeningError);
    return 0;
  }
  if (SuppressObjectNames == 0)
    ObjectSetNameText(thickCell, nullptr, ObjectDisplayName(cell));
  else
    SetNumber(thickCell, ObjectNumber(cell));
  NamePart(thickCell, cell, 1);
  int n = TCell::BoundaryLength(cell);
  TObjectManager& objects = thickening.Objects();
  THandle plus(objects.CreateObject(kCellKind));
  THandle minus(objects.CreateObject(kCellKind));
  TCell::ReserveBoundary(plus, n);
  TCell::ReserveBoundary(minus, n);
  NamePart(thickCell, plus, 2);
  NamePart(thickCell, minus, 3);
  t->thickEdges.Clear();
  t->thickEdges.Reserve(n);
  for (int i = 0; i < n; ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    if (index != nullptr) {
      auto found = index->find(edge.Object());
      t->thickEdges.Append(found == index->end() ? THandle() : THandle(found->second));
    } else {
      t->thickEdges.Append(ThickEdgeOfObject(spine, edge));
    }
  }
  return 1;
}

int TThickCell::PassagePosition(const TObjectHeader* thickCell, int i) {
  const TThickCell* t = Of(thickCell);
  if (t == nullptr) return -1;
  THandle thickEdge = ThickEdgeAtPassage(thickCell, i);
  int k = TThickEdge::FindCellPosition(thickEdge, t->cell);
  if (k < 0) {
    ReportInternalError(kSourceName, __LINE__);
    return -1;
  }
  while (TThickEdge::PassageIndexAt(thickEdge, k) != i) {
    k = TThickEdge::FindCellPosition(thickEdge, t->cell, k);
    if (k < 0) {
      ReportInternalError(kSourceName, __LINE__);
      return -1;
    }
  }
  return k;
}

int CheckEdgeNeighbours(const TObjectHeader* e1, int d1, const TObjectHeader* e2, int d2,
                        const TWingPassages* wings) {
  std::vector<int> found;
  std::vector<const TObjectHeader*> cells;
  int v1 = TEdge::Valency(e1);
  int v2 = TEdge::Valency(e2);
  for (int a = 0; a < v1; ++a) {
    THandle y = TEdge::CellAt(e1, a);
    int ja = WingPassage(e1, a, wings);
    if (ja < 0) continue;
    int dirA = TCell::DirectionAt(y, ja);
    int next = TCell::NeighbourIndex(y, ja, 0);
    int previous = TCell::NeighbourIndex(y, ja, 1);
    for (int b = 0; b < v2; ++b) {
      if (TEdge::CellAt(e2, b).Object() != y.Object()) continue;
      int jb = WingPassage(e2, b, wings);
      if (jb < 0) continue;
      int dirB = TCell::DirectionAt(y, jb);
      bool forward = next == jb && dirA == Opposite(d1) && dirB == d2;
      bool backward = previous == jb && dirA == d1 && dirB == Opposite(d2);
      if (forward || backward) {
        found.push_back(a);
        cells.push_back(y.Object());
        break;
      }
    }
  }
  if (found.size() == 1) return found.front();
  if (found.size() > 1) {
    ReportCommonEdges(cells[0], cells[1], e1, e2);
    return -1;
  }
  std::string from = std::string(d1 == 2 ? "-" : "") + ObjectDisplayName(e1);
  std::string to = std::string(d2 == 2 ? "-" : "") + ObjectDisplayName(e2);
  TString message;
  message.FormatResource(kMessageNoCornerCell, from, to);
  ReportStatus(message, kHeadingThickeningError);
  return -1;
}

int TThickCell::WalkBoundary(const TObjectHeader* thickCell, int i, int /*h*/, int l,
                             const TWingPassages* wings) {
  const TThickCell* t = Of(thickCell);
  if (t == nullptr) return -1;
  int n = TCell::BoundaryLength(t->cell);
  if (n == 0 || i < 0 || i >= n) return -1;
  int previous = i == 0 ? n - 1 : i - 1;
  THandle incoming = TCell::EdgeAt(t->cell, previous);
  int incomingDirection = TCell::DirectionAt(t->cell, previous);
  THandle edge = TCell::EdgeAt(t->cell, i);
  int direction = TCell::DirectionAt(t->cell, i);
  THandle incomingThick = ThickEdgeAtPassage(thickCell, previous);

  // How the "+" neighbour N leaves the vertex, read along this cell.
  THandle neighbour = TThickEdge::CellAtPassage(incomingThick, l);
  int k = TThickEdge::PassageIndexAt(incomingThick, l);
  if (!neighbour.IsValid() || k < 0) {
    ReportInternalError(kSourceName, __LINE__);
    return -1;
  }
  bool sameWay = TCell::DirectionAt(neighbour, k) == incomingDirection;
  int turn = TCell::NeighbourIndex(neighbour, k, sameWay ? 0 : 1);
  THandle onward = TCell::EdgeAt(neighbour, turn);
  int onwardDirection = TCell::DirectionAt(neighbour, turn);
  if (!sameWay) onwardDirection = Opposite(onwardDirection);

  if (onward.Object() == edge.Object() &&
      (!TEdge::IsLoop(edge) || onwardDirection == direction)) {
    ReportCommonEdges(t->cell, neighbour, incoming, edge);
    return -1;
  }
  return CheckEdgeNeighbours(edge, direction, onward, onwardDirection, wings);
}

int TThickCell::BuildAll(TObjectHeader* thickCell, TComplex& thickening,
                          const TWingPassages* wings) {
  TThickCell* t = Of(thickCell);
  if (t == nullptr) return 0;
  int n = TCell::BoundaryLength(t->cell);
  int result = n > 0 ? 1 : 0;
  int firstL = -1;
  int h = -1;
  int l = -1;
  for (int i = 0; i < n && result == 1; ++i) {
    if (i == 0) {
      h = PassagePosition(thickCell, 0);
      l = h == 0 ? 1 : 0;
      firstL = l;
    } else {
      l = WalkBoundary(thickCell, i, h, l, wings);
      h = PassagePosition(thickCell, i);
    }
    int m = 3 - h - l;
    if (h < 0 || l < 0 || h == l || m < 0 || m > 2) {
      result = 0;
      break;
    }
    THandle thickEdge = ThickEdgeAtPassage(thickCell, i);
    THandle plusSide = TThickEdge::SideBetween(thickEdge, h, l);
    THandle minusSide = TThickEdge::SideBetween(thickEdge, h, m);
    if (!plusSide.IsValid() || !minusSide.IsValid()) {
      ReportInternalError(kSourceName, __LINE__);
      result = 0;
      break;
    }
    int direction = TCell::DirectionAt(t->cell, i);
    TCell::AppendPassage(t->plusCopy, plusSide, direction);
    TCell::AppendPassage(t->minusCopy, minusSide, direction);
  }
  if (result == 1) {
    int closing = WalkBoundary(thickCell, 0, h, l, wings);
    if (closing != firstL) {
      result = 0;
      if (closing >= 0) {
        // The sides cross over once around the cell: its two copies are one
        // cell running twice around it.
        THandle minus = t->minusCopy;
        for (int j = 0; j < TCell::BoundaryLength(minus); ++j) {
          int direction = 0;
          THandle side = TCell::PassageAt(minus, j, &direction);
          TCell::AppendPassage(t->plusCopy, side, direction);
        }
        thickening.RemoveCell(minus);
        t->minusCopy.Release();
      }
    }
  }
  t->thickEdges.Clear();
  // The copies, their sides and the corners joined here are all made in the
  // thickening complex, so joining the corners is all that adding the copies
  // to it (TComplex::AddCellWithBoundary) would do; its membership searches
  // made the thickening quadratic.
  TCell::JoinCorners(t->plusCopy, thickening.Objects());
  if (result == 1) TCell::JoinCorners(t->minusCopy, thickening.Objects());
  return result;
}

void TThickCell::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                          const TObjectCorrespondence& map) {
  TThickCell* to = Of(target);
  const TThickCell* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  TThickCellRelease(target);
  to->cell.AssignObject(map(from->cell));
  to->plusCopy.AssignObject(map(from->plusCopy));
  to->minusCopy.AssignObject(map(from->minusCopy));
}

void TThickCellRelease(TObjectHeader* thickCell) {
  TThickCell* t = TThickCell::Of(thickCell);
  if (t == nullptr || !BeginObjectRelease(thickCell)) return;
  t->minusCopy.Release();
  t->cell.Release();
  t->plusCopy.Release();
  t->thickEdges.Clear();
  EndObjectRelease(thickCell);
}

void TThickCellDestroy(TObjectHeader* thickCell) {
  TThickCell* t = TThickCell::Of(thickCell);
  if (t == nullptr) return;
  TThickCellRelease(thickCell);
  t->~TThickCell();
}

THandle FindThickCellIn(const TObjectHeader* object, const TObjectManager& manager) {
  if (object == nullptr) return THandle();
  for (int k = 0; k < manager.Count(); ++k) {
    const TThickCell* t = TThickCell::Of(manager.At(k));
    if (t == nullptr) continue;
    if (t->cell.Object() == object || t->plusCopy.Object() == object ||
        t->minusCopy.Object() == object)
      return THandle(manager.At(k));
  }
  return THandle();
}

THandle ThickCellOfCell(const TComplex& complex, const TObjectHeader* object) {
  return FindThickCellIn(object, complex.Objects());
}

THandle FindThickCellAnywhere(const TObjectHeader* object) {
  if (object == nullptr) return THandle();
  if (TObjectManager* holder = ManagerOfObject(object)) {
    THandle found = FindThickCellIn(object, *holder);
    if (found.IsValid()) return found;
  }
  for (int i = 0;; ++i) {
    TObjectManager* manager = ManagerAt(i);
    if (manager == nullptr) return THandle();
    THandle found = FindThickCellIn(object, *manager);
    if (found.IsValid()) return found;
  }
}
