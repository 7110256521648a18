// Region cells of a link exterior spine: the regions of the diagram traced
// from its records. See link_cell_words.h.
//
// Each arc has two sides: side 1 is the region met walking along the arc
// and turning as the crossings' signs say, side 2 the one met walking
// against it. A walk appends the arc's edge (the second edge of an arc on
// side 1, the first on side 2, a boundary segment's own edge on a surface
// diagram), arrives at the record at the arc's end (side 1) or start (side 2)
// and turns there into the next arc: at a crossing through the corner edge
// 0 or 2 that the region touches, at a side point along the square's boundary
// or down the strand, at a corner along the boundary. A kink (an arc that
// returns to its crossing through an adjacent place) bounds a monogon on one
// side, and the walk on the other side passes through the crossing to the
// next arc. The walk ends when it is back on its starting arc and side.
//
// On a plane diagram with n crossings there are n + 2 regions; in the square
// of a torus or Klein bottle the regions, records and arcs satisfy
// F - E + V = 1 (the square is a disc). A walk that finds no place for its
// arc at a record, or comes to an arc side already used, means the signs do
// not fit the code.
#include "presentations/links/link_cell_words.h"

namespace {

struct TStep {
  int arc = -1;
  int side = 1;
  int record = -1;
};

class TRegionTracer {
 public:
  TRegionTracer(const TLink& link, const std::vector<TCrossing>& records)
      : link_(link), records_(records) {
    LinkArcTable(link, arcs_);
    insideArcs_ = link.InsideArcCount();
    int arcCount = insideArcs_;
    if (link.IsClassical() == 0) arcCount += link.SidePointCount() + 4;
    used_.assign(static_cast<std::size_t>(arcCount) * 2, false);
    limit_ = 4 * (arcCount + link.CrossingCount()) + 16;
  }

  int Trace(std::vector<TLinkWord>& regions) {
    for (int c = 0; c < link_.ComponentCount(); ++c) {
      int begin = link_.ComponentStart(c);
      int length = link_.ComponentStart(c + 1) - begin;
      int sides = 0;
      for (int k = 0; k < length; ++k) {
        int g = begin + k;
        if (link_.Entry(g).kind == 2) ++sides;
        // Between an exit and its re-entry there is no arc inside the square.
        if (sides % 2 != 0) continue;
        int arc = arcs_[static_cast<std::size_t>(g)];
        for (int side = 1; side <= 2; ++side) {
          if (Used(arc, side)) continue;
          int next = begin + (k + 1) % length;
          int record = link_.RecordIndex(link_.Entry(side == 1 ? next : g));
          TLinkWord word;
          if (!Walk(TStep{arc, side, record}, word)) return 0;
          regions.push_back(std::move(word));
        }
      }
    }
    return 1;
  }

 private:
  bool Used(int arc, int side) const {
    return used_[static_cast<std::size_t>(arc) * 2 + static_cast<std::size_t>(side - 1)];
  }
  bool Valid(int arc) const { return arc >= 0 && static_cast<std::size_t>(arc) * 2 < used_.size(); }

  bool AppendArc(int arc, int side, TLinkWord& word) {
    if (!Valid(arc) || Used(arc, side)) return false;
    used_[static_cast<std::size_t>(arc) * 2 + static_cast<std::size_t>(side - 1)] = true;
    if (arc < insideArcs_) {
      word.push_back(side == 1 ? TLinkPassage{link_.EdgeNumber(1, arc, 0), 1}
                               : TLinkPassage{link_.EdgeNumber(2, arc, 0), 2});
    } else {
      word.push_back(TLinkPassage{link_.EdgeNumber(9, arc, 0), side});
    }
    return true;
  }

  bool Walk(TStep start, TLinkWord& word) {
    if (!AppendArc(start.arc, start.side, word)) return false;
    TStep current = start;
    for (int guard = 0; guard < limit_; ++guard) {
      if (current.record < 0 || current.record >= static_cast<int>(records_.size())) return false;
      TStep next;
      if (!Turn(current, records_[static_cast<std::size_t>(current.record)], next, word)) return false;
      if (next.arc == start.arc && next.side == start.side) return true;
      if (!AppendArc(next.arc, next.side, word)) return false;
      current = next;
    }
    return false;
  }

  void CrossingEdge(const TCrossing& r, int place, int direction, TLinkWord& word) const {
    word.push_back(TLinkPassage{link_.EdgeNumber(10, r.Number(), place), direction});
  }

  // The arc, side and record after `current` arrives at record r.
  bool Turn(const TStep& current, const TCrossing& r, TStep& next, TLinkWord& word) const {
    int a = current.arc;
    int side = current.side;
    TStep stay{a, 0, current.record};
    if (r.Kind() == 3) {
      next = TStep{r.RightPosition(), side, r.RightIndex()};
      return true;
    }
    if (r.Kind() == 2) {
      if (r.BottomPosition() == a) {
        next = TStep{r.RightPosition(), side, r.RightIndex()};
      } else if (r.TopPosition() == a) {
        next = TStep{r.LeftPosition(), 1, r.LeftIndex()};
      } else if (r.LeftPosition() == a) {
        next = TStep{r.BottomPosition(), 2, r.BottomIndex()};
      } else if (r.RightPosition() == a) {
        next = TStep{r.TopPosition(), side, r.TopIndex()};
      } else {
        return false;
      }
      return true;
    }
    int s = r.Sign();
    if (r.TurnsAt(a) != 0) {
      bool b = r.BottomPosition() == a;
      bool rt = r.RightPosition() == a;
      bool t = r.TopPosition() == a;
      bool l = r.LeftPosition() == a;
      if (b && rt) {
        CrossingEdge(r, 2, side, word);
        next = side == 2 ? TStep{r.TopPosition(), 1, r.TopIndex()} : TStep{a, 1, stay.record};
      } else if (rt && t) {
        if (side == 1) {
          CrossingEdge(r, 0, 1, word);
          next = TStep{a, 1, stay.record};
        } else {
          CrossingEdge(r, 2, 1, word);
          next = TStep{r.LeftPosition(), 1, r.LeftIndex()};
        }
      } else if (t && l) {
        CrossingEdge(r, 0, side, word);
        next = side == 1 ? TStep{r.BottomPosition(), 2, r.BottomIndex()} : TStep{a, 2, stay.record};
      } else {
        if (side == 1) {
          CrossingEdge(r, 0, 2, word);
          next = TStep{r.RightPosition(), 2, r.RightIndex()};
        } else {
          CrossingEdge(r, 2, 2, word);
          next = TStep{a, 2, stay.record};
        }
      }
      return true;
    }
    if (r.BottomPosition() == a) {
      int nextSide = s > 0 ? 1 : 2;
      CrossingEdge(r, s > 0 ? 2 : 0, nextSide, word);
      next = TStep{r.RightPosition(), nextSide, r.RightIndex()};
    } else if (r.TopPosition() == a) {
      int nextSide = s > 0 ? 2 : 1;
      CrossingEdge(r, s > 0 ? 0 : 2, nextSide, word);
      next = TStep{r.LeftPosition(), nextSide, r.LeftIndex()};
    } else if (r.LeftPosition() == a) {
      CrossingEdge(r, s > 0 ? 0 : 2, s > 0 ? 1 : 2, word);
      next = TStep{r.BottomPosition(), 2, r.BottomIndex()};
    } else if (r.RightPosition() == a) {
      CrossingEdge(r, s > 0 ? 2 : 0, s > 0 ? 2 : 1, word);
      next = TStep{r.TopPosition(), 1, r.TopIndex()};
    } else {
      return false;
    }
    return true;
  }

  const TLink& link_;
  const std::vector<TCrossing>& records_;
  std::vector<int> arcs_;
  std::vector<bool> used_;
  int insideArcs_ = 0;
  int limit_ = 0;
};

}  // namespace

int TraceLinkRegions(const TLink& link, const std::vector<TCrossing>& records,
                     std::vector<TLinkWord>& regions) {
  if (link.CrossingCount() <= 0) return 0;
  return TRegionTracer(link, records).Trace(regions);
}
