// Framed components: Dehn filling of a link exterior along the framings.
//
// A component with framing p/q is filled with a solid torus whose meridian
// runs p times along the component's meridian and q times along its
// longitude. In the spine this is done by cutting the walls around the
// component and adding meridian discs:
//
// - Every under passage U of the component gets a middle vertex m(U) on the
//   crossing edge where its under wall goes down. The under walls between
//   consecutive under passages are split from m(U_j) to m(U_j+1); the new
//   edges run once along the component and make the collecting cell Z, the
//   meridian disc of the filling.
// - The diagram's blackboard framing differs from the true one by the
//   writhe w of the component, so the slope to realise is d = p - q w.
// - q = 1: the last under wall (the one that passes over the component's
//   first over passage u) is split so that Z also runs |d| times around the
//   edge J under u, which twists it d times around the meridian.
// - q > 1: the last split edge is cut into three, and a chain of edges
//   built by the subtractive Euclidean algorithm on (d, q) realises the
//   slope: each step adds a vertex and two edges, and the cells T, R1, R2,
//   ... close the chain up, as in the continued-fraction construction of a
//   lens space's spine.
// - 1/0 (the trivial filling) only cuts the under wall at J with a loop and
//   caps the loop with a disc.
//
// The construction follows the cell surgery of moves/cell_surgery.h exactly;
// positions refer to the boundary words at the time of each step.
#include <cstdlib>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "moves/cell_surgery.h"
#include "presentations/links/link.h"
#include "presentations/links/link_crossing.h"

namespace {

// One subtraction step of the Euclidean algorithm on (x, y); 1 when x > y held.
int SubtractionStep(int& x, int& y) {
  if (x > y) {
    x -= y;
    return 1;
  }
  y -= x;
  return 0;
}

int Wrap(int position, int length) { return length <= 0 ? 0 : ((position % length) + length) % length; }

// Edge k of a framing chain; null past its end.
TObjectHeader* ChainEdge(const std::vector<TObjectHeader*>& chain, int k) {
  return k < 0 || k >= static_cast<int>(chain.size()) ? nullptr : chain[static_cast<std::size_t>(k)];
}

// A twist subdivides, turn after turn, an edge that another cell W holds in
// the middle of its word: W gains a passage there at every turn, and each
// insertion shifts the rest of W's word, so the filling took time quadratic
// in the framing. While the twist runs, W's word is turned (rotated, and
// read backwards if its new passages pile up towards its start) so that the
// passage being subdivided stands at its end; when the twist is done it is
// turned back, so the word is the one the plain insertions would have made.
// Only a cell that holds the edge once, and before it another edge once (the
// mark to turn back by), is turned; never the cell being twisted or the disc
// Z, which runs along the edge too and grows at its own end.
class TTurnedWord {
 public:
  TTurnedWord() = default;
  TTurnedWord(const TTurnedWord&) = delete;
  TTurnedWord& operator=(const TTurnedWord&) = delete;
  ~TTurnedWord() { Restore(); }

  // Called before `edge` of `cell` is subdivided.
  void Before(TObjectHeader* edge, const TObjectHeader* cell, const TObjectHeader* z) {
    TObjectHeader* w = nullptr;
    for (int k = 0; k < TEdge::Valency(edge); ++k) {
      TObjectHeader* c = TEdge::CellAt(edge, k).Object();
      if (c == cell || c == z) continue;
      if (w != nullptr && c != w) return;
      w = c;
    }
    if (w == nullptr || EdgePassageCount(w, edge) != 1) return;
    bool reverse = false;
    if (w == turned_.Object()) {
      if (reversed_) return;
      const int at = TCell::FindPassageNearAnEnd(w, edge);
      if (at < 0 || at >= TCell::BoundaryLength(w) / 2) return;
      // The new passages pile up towards the start: read the word backwards.
      Restore();
      reverse = true;
    }
    const int length = TCell::BoundaryLength(w);
    const int at = TCell::FindPassageNearAnEnd(w, edge);
    if (at < 1 || (!reverse && at >= length / 2)) return;
    int mark = 0;
    while (mark < at && EdgePassageCount(w, TCell::EdgeAt(w, mark)) != 1) ++mark;
    if (mark == at) return;
    Restore();
    mark_ = TCell::EdgeAt(w, mark);
    markAt_ = mark;
    reversed_ = reverse;
    // Either way the edge's passage ends up last.
    if (reverse)
      TCell::RotateBoundary(w, at - 1, 1);
    else
      TCell::RotateBoundary(w, at + 1, 0);
    turned_ = THandle(w);
  }

  void Restore() {
    if (!turned_.IsValid()) return;
    const int length = TCell::BoundaryLength(turned_);
    const int at = TCell::FindPassageNearAnEnd(turned_, mark_);
    if (at >= 0 && length > 0) {
      if (reversed_) {
        TCell::RotateBoundary(turned_, (at + markAt_) % length, 1);
      } else {
        const int by = ((at - markAt_) % length + length) % length;
        if (by > 0) TCell::RotateBoundary(turned_, by, 0);
      }
    }
    turned_ = THandle();
    mark_ = THandle();
    reversed_ = false;
  }

 private:
  THandle turned_;
  THandle mark_;
  int markAt_ = 0;
  bool reversed_ = false;
};

class TFramingFiller {
 public:
  TFramingFiller(const TLink& link, TComplex& complex, std::vector<TCrossing>& records)
      : link_(link), complex_(complex), records_(records) {}

  void Fill(int component, int p, int q);

 private:
  TObjectHeader* CrossingCell(int number) const {
    int x = std::abs(number);
    if (x < 1 || x > static_cast<int>(records_.size())) return nullptr;
    return records_[static_cast<std::size_t>(x - 1)].Cell().Object();
  }
  // Splits the cell and returns the new edge; the new cells in first and second.
  THandle Split(TObjectHeader* cell, int a, int b, THandle* first = nullptr, THandle* second = nullptr) {
    int length = TCell::BoundaryLength(cell);
    TObjectHeader* one = nullptr;
    TObjectHeader* two = nullptr;
    if (SplitCellByEdge(complex_, cell, Wrap(a, length), Wrap(b, length), &one, &two) == 0) return THandle();
    if (first != nullptr) *first = THandle(one);
    if (second != nullptr) *second = THandle(two);
    return TCell::EdgeAt(one, 0);
  }
  THandle NewCell() { return THandle(complex_.Objects().CreateObject(kCellKind)); }

  void FillTrivially(TObjectHeader* under, TObjectHeader* j);
  void TwistIntegrally(THandle& cell, const THandle& j, int d, TObjectHeader* z);
  void TwistRationally(THandle& cell, const THandle& j, int d, int q, TObjectHeader* z);

  const TLink& link_;
  TComplex& complex_;
  std::vector<TCrossing>& records_;
  // The loops below run as often as the framing's numbers say.
  TStopPoll poll_;
};

void TFramingFiller::Fill(int component, int p, int q) {
  int begin = link_.ComponentStart(component);
  int length = link_.ComponentStart(component + 1) - begin;
  int p0 = -1;
  for (int k = 0; k < length && p0 < 0; ++k) {
    if (link_.Entry(begin + k).kind == 1 && link_.Entry(begin + k).number > 0) p0 = k;
  }
  if (p0 < 0) return;
  // X: the crossing cell at u; J: its edge under the over strand; I: the
  // under wall that passes over u (it runs along J twice).
  TObjectHeader* x = CrossingCell(link_.Entry(begin + p0).number);
  if (x == nullptr) return;
  THandle j = TCell::EdgeAt(x, TCell::BoundaryLength(x) - 1);
  THandle i = TEdge::CellAt(j, 1);
  if (i.Object() == x) i = TEdge::CellAt(j, 2);
  if (!i.IsValid()) return;
  int w = link_.ComponentWrithe(component);

  if (p == 1 && q == 0) {
    FillTrivially(i, j);
    return;
  }
  // Middle vertices on the crossing edges where the component goes under.
  std::vector<int> unders;
  for (int k = 0; k < length; ++k) {
    poll_.Step();
    int number = link_.Entry(begin + k).number;
    if (link_.Entry(begin + k).kind != 1 || number >= 0) continue;
    unders.push_back(k);
    RemoveCellEdge(complex_, CrossingCell(number), 1);
  }
  if (unders.empty()) return;
  THandle z = NewCell();
  // U1 is the first under passage after u.
  std::size_t first = 0;
  while (first < unders.size() && unders[first] < p0) ++first;
  if (first == unders.size()) first = 0;
  std::vector<int> order;
  for (std::size_t s = 0; s < unders.size(); ++s) {
    order.push_back(link_.Entry(begin + unders[(first + s) % unders.size()]).number);
  }
  for (std::size_t s = 0; s + 1 < order.size(); ++s) {
    poll_.Step();
    THandle ea = TCell::EdgeAt(CrossingCell(order[s]), 1);
    THandle eb = TCell::EdgeAt(CrossingCell(order[s + 1]), 1);
    THandle wall;
    for (int place = 0; place < 2 && !wall.IsValid(); ++place) {
      THandle c = TEdge::CellAt(ea, place);
      if (c.IsValid() && c.Object() != i.Object() && EdgeBoundsCell(c, eb)) wall = c;
    }
    if (!wall.IsValid()) wall = TEdge::CellAt(ea, 2);
    if (!wall.IsValid()) continue;
    int l = TCell::BoundaryLength(wall);
    THandle f = Split(wall, l - 2, l / 2 - 1);
    if (f.IsValid()) TCell::AppendPassage(z, f, 1);
  }
  if (q == 1) {
    TwistIntegrally(i, j, p - w, z);
  } else {
    TwistRationally(i, j, p - q * w, q, z);
  }
  complex_.AddCellWithBoundary(z);
}

void TFramingFiller::FillTrivially(TObjectHeader* under, TObjectHeader* j) {
  int a = TCell::FindPassage(under, j, -1, 0);
  int b = TCell::FindPassage(under, j, a, 0);
  if (a < 0 || b < 0) return;
  RemoveCellEdge(complex_, under, a, &a, &b);
  THandle loop = Split(under, a, b);
  if (!loop.IsValid()) return;
  THandle disc = NewCell();
  TCell::AppendPassage(disc, loop, 1);
  complex_.AddCellWithBoundary(disc);
}

// The last under wall runs from Uk to U1; Z leaves m(Uk) and twists |d|
// times around J before it closes at m(U1).
void TFramingFiller::TwistIntegrally(THandle& cell, const THandle& j, int d, TObjectHeader* z) {
  int l = TCell::BoundaryLength(cell);
  if (d == 0) {
    THandle f = Split(cell, l - 2, l / 2 - 1);
    if (f.IsValid()) TCell::AppendPassage(z, f, 1);
    return;
  }
  THandle h = TCell::EdgeAt(cell, l / 2 - 1);
  int a = TCell::FindPassage(cell, j, -1, 0);
  int b = TCell::FindPassage(cell, j, a, 0);
  if (a < 0 || b < 0) return;
  RemoveCellEdge(complex_, cell, a, &a, &b);
  l = TCell::BoundaryLength(cell);
  THandle one;
  THandle two;
  if (d < 0) {
    THandle f = Split(cell, l - 2, a + 1, &one, &two);
    if (!f.IsValid()) return;
    TCell::AppendPassage(z, f, 1);
    cell = one;
    TTurnedWord turned;
    for (int t = 1; t < -d; ++t) {
      poll_.Step();
      turned.Before(TCell::EdgeAt(cell, 1), cell, z);
      RemoveCellEdge(complex_, cell, 1);
      int c = TCell::FindPassage(cell, TCell::EdgeAt(cell, 1), 1, 0);
      f = Split(cell, c, 2, &one, &two);
      if (!f.IsValid()) return;
      TCell::AppendPassage(z, f, 1);
      cell = one;
    }
    turned.Restore();
    int c = TCell::FindPassage(cell, TCell::EdgeAt(cell, 1), 1, 0);
    f = Split(cell, c, TCell::FindPassage(cell, h, -1, 0));
    if (f.IsValid()) TCell::AppendPassage(z, f, 1);
    return;
  }
  THandle f = Split(cell, l - 2, b, &one, &two);
  if (!f.IsValid()) return;
  TCell::AppendPassage(z, f, 1);
  cell = two;
  TTurnedWord turned;
  for (int t = 1; t < d; ++t) {
    poll_.Step();
    turned.Before(TCell::EdgeAt(cell, TCell::BoundaryLength(cell) - 1), cell, z);
    RemoveCellEdge(complex_, cell, TCell::BoundaryLength(cell) - 1);
    l = TCell::BoundaryLength(cell);
    int c = TCell::FindPassage(cell, TCell::EdgeAt(cell, l - 1), l - 1, 1);
    f = Split(cell, c - 1, l - 1, &one, &two);
    if (!f.IsValid()) return;
    TCell::AppendPassage(z, f, 1);
    cell = two;
  }
  turned.Restore();
  l = TCell::BoundaryLength(cell);
  int c = TCell::FindPassage(cell, TCell::EdgeAt(cell, l - 1), l - 1, 1);
  f = Split(cell, c - 1, TCell::FindPassage(cell, h, -1, 0));
  if (f.IsValid()) TCell::AppendPassage(z, f, 1);
}

// The last split edge becomes f1 f2 f3 (z1 and z2 between them); the cell T
// and the chain of the Euclidean algorithm on (d, q) close the filling.
void TFramingFiller::TwistRationally(THandle& cell, const THandle& j, int d, int q, TObjectHeader* z) {
  int l = TCell::BoundaryLength(cell);
  THandle c1;
  THandle c2;
  if (!Split(cell, l - 2, l / 2 - 1, &c1, &c2).IsValid()) return;
  RemoveCellEdge(complex_, c1, 0);
  RemoveCellEdge(complex_, c1, 0);
  THandle f1 = TCell::EdgeAt(c1, 0);
  THandle f2 = TCell::EdgeAt(c1, 1);
  THandle f3 = TCell::EdgeAt(c1, 2);
  THandle z1 = TEdge::End(f1, 2);
  THandle z2 = TEdge::End(f2, 2);
  TCell::AppendPassage(z, f1, 1);
  int a = TCell::FindPassage(c1, j, -1, 0);
  if (a < 0) return;
  RemoveCellEdge(complex_, c1, a, &a);
  int b = TCell::FindPassage(c2, TCell::EdgeAt(c1, a), -1, 0);
  if (b < 0) return;
  THandle t = NewCell();
  if (d < 0) {
    THandle g = Split(c1, 1, a + 1);
    TCell::AppendPassage(t, g, 1);
    THandle g2 = Split(c2, 1, b);
    TCell::AppendPassage(t, g2, 2);
    d = -d;
  } else {
    THandle g = Split(c2, 0, b);
    TCell::AppendPassage(t, g, 1);
    THandle g2 = Split(c1, 0, a + 1);
    TCell::AppendPassage(t, g2, 2);
  }

  // The chain: each subtraction step that does not end at (1, 1) makes a
  // vertex N and the edges A -> N and B -> N; the last makes A -> B.
  TObjectManager& objects = complex_.Objects();
  // The chain's edges in the order they are made (held by the manager).
  std::vector<TObjectHeader*> chain;
  THandle from = z1;
  THandle to = z2;
  int steps = 0;
  for (int x = d, y = q;;) {
    poll_.Step();
    ++steps;
    SubtractionStep(x, y);
    if (x == 1 && y == 1) {
      THandle e(objects.CreateObject(kEdgeKind));
      TEdge::SetEndVertex(e, from, 1);
      TEdge::SetEndVertex(e, to, 2);
      chain.push_back(e.Object());
      break;
    }
    if (x < 1 || y < 1) return;  // not coprime; the reader never lets this through
    THandle n(objects.CreateObject(kVertexKind));
    THandle ea(objects.CreateObject(kEdgeKind));
    TEdge::SetEndVertex(ea, from, 1);
    TEdge::SetEndVertex(ea, n, 2);
    THandle eb(objects.CreateObject(kEdgeKind));
    TEdge::SetEndVertex(eb, to, 1);
    TEdge::SetEndVertex(eb, n, 2);
    chain.push_back(ea.Object());
    chain.push_back(eb.Object());
    from = n;
    to = n;
  }
  auto chainEdge = [&chain](int k) { return ChainEdge(chain, k); };
  if (steps == 1) {
    if (d > q) {
      TCell::AppendPassage(t, chainEdge(0), 1);
      TCell::AppendPassage(z, chainEdge(0), 1);
      TCell::AppendPassage(z, f2, 2);
      TCell::AppendPassage(z, chainEdge(0), 1);
    } else {
      TCell::AppendPassage(t, chainEdge(0), 1);
      TCell::AppendPassage(t, f2, 2);
      TCell::AppendPassage(t, chainEdge(0), 1);
      TCell::AppendPassage(z, chainEdge(0), 1);
    }
  } else {
    link_.BuildFramingChain(chain, t, 1, d, q, 1);
    link_.BuildFramingChain(chain, z, 1, d, q, 0);
    int x = d;
    int y = q;
    std::vector<THandle> rings;
    THandle r1 = NewCell();
    TCell::AppendPassage(r1, chainEdge(1), 2);
    TCell::AppendPassage(r1, f2, 2);
    TCell::AppendPassage(r1, chainEdge(0), 1);
    int g = SubtractionStep(x, y);
    link_.BuildFramingChain(chain, r1, 2, x, y, g);
    rings.push_back(r1);
    for (int s = 2; s <= steps - 1; ++s) {
      poll_.Step();
      THandle r = NewCell();
      g = SubtractionStep(x, y);
      if (g == 1 || s % 2 == 1) {
        TCell::AppendPassage(r, chainEdge(2 * s - 1), 2);
        TCell::AppendPassage(r, chainEdge(2 * s - 2), 1);
      } else {
        TCell::AppendPassage(r, chainEdge(2 * s - 2), 2);
        TCell::AppendPassage(r, chainEdge(2 * s - 1), 1);
      }
      link_.BuildFramingChain(chain, r, s + 1, x, y, g);
      rings.push_back(r);
    }
    for (const THandle& r : rings) complex_.AddCellWithBoundary(r);
  }
  TCell::AppendPassage(z, f3, 1);
  complex_.AddCellWithBoundary(t);
}

}  // namespace

void TLink::FillFramedComponents(TComplex& complex, std::vector<TCrossing>& records) const {
  TFramingFiller filler(*this, complex, records);
  for (int i = 0; i < componentCount; ++i) {
    const TLinkFraming& f = framings[static_cast<std::size_t>(i)];
    if (f.p == 0 && f.q == 0) continue;
    filler.Fill(i, f.p, f.q);
  }
}

void TLink::BuildFramingChain(const std::vector<TObjectHeader*>& chain, TObjectHeader* cell, int startStep,
                              int x, int y, int flag) const {
  auto chainEdge = [&chain](int k) { return ChainEdge(chain, k); };
  TStopPoll poll;
  int t = startStep;
  // A chain of s steps has at most s + 1 < x + y steps to walk.
  for (int guard = x + y + 2; guard > 0; --guard) {
    poll.Step();
    int g = SubtractionStep(x, y);
    if (x == 1 && y == 1) {
      int direction = flag == 1 || t % 2 == 1 ? 1 : 2;
      TCell::AppendPassage(cell, chainEdge(2 * t - 2), direction);
      if (g != flag) TCell::AppendPassage(cell, chainEdge(2 * t - 2), direction);
      break;
    }
    TCell::AppendPassage(cell, chainEdge(flag == 0 && t % 2 == 0 ? 2 * t - 1 : 2 * t - 2), 1);
    ++t;
    if (g == flag) break;
  }
  for (int back = t - 1; back >= startStep; --back) {
    poll.Step();
    TCell::AppendPassage(cell, chainEdge(flag == 1 || back % 2 == 1 ? 2 * back - 1 : 2 * back - 2), 2);
  }
}
