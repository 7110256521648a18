// Over, under and crossing cells of a link exterior spine. See link_cell_words.h.
//
// Over cells: a component is cut at its over passages; the stretch from one
// over passage u to the next v bounds the wall under it, whose word runs
// along the first edges of the stretch's arcs and back along their second
// edges. Under cells are cut at the under passages; their wall goes down at
// the under passages (crossing edge 1) and passes below each crossing the
// stretch passes over (crossing edge 3, once each way). On a surface diagram
// a stretch also ends where the strand leaves the square, and the next one
// starts where it comes back; the wall there closes with the side point's
// own edge (role 3 for over walls, 4 for under walls).
#include <cstdlib>

#include "presentations/links/link_cell_words.h"

namespace {

class TStrandWalker {
 public:
  TStrandWalker(const TLink& link, bool over) : link_(link), over_(over) {
    LinkArcTable(link, arcs_);
  }

  void Walk(std::vector<TLinkWord>& cells) {
    for (int c = 0; c < link_.ComponentCount(); ++c) WalkComponent(c, cells);
  }

 private:
  const TLinkCodeEntry& At(int k) const { return link_.Entry(begin_ + k); }
  int Wrap(int k) const { return ((k % length_) + length_) % length_; }
  bool Cuts(const TLinkCodeEntry& e) const {
    return e.kind == 1 && (over_ ? e.number > 0 : e.number < 0);
  }
  bool IsReentry(int k) const {
    const TLinkCodeEntry& e = At(k);
    const TLinkCodeEntry& before = At(Wrap(k - 1));
    return e.kind == 2 && before.kind == 2 && link_.SameSidePoint(before, e) != 0;
  }
  bool IsCut(int k) const { return Cuts(At(k)) || IsReentry(k); }
  bool IsStop(int k) const { return Cuts(At(k)) || At(k).kind == 2; }
  TLinkPassage SideEdge(int k) const {
    const TLinkCodeEntry& e = At(k);
    int serial = link_.SidePointSerial(e.side, e.number);
    return TLinkPassage{link_.EdgeNumber(over_ ? 3 : 4, serial, 0), 1};
  }
  TLinkPassage CrossingEdge(int x, int place, int direction) const {
    return TLinkPassage{link_.EdgeNumber(10, x, place), direction};
  }

  void WalkComponent(int c, std::vector<TLinkWord>& cells) {
    begin_ = link_.ComponentStart(c);
    length_ = link_.ComponentStart(c + 1) - begin_;
    if (length_ <= 0) return;
    int p0 = -1;
    for (int k = 0; k < length_ && p0 < 0; ++k) {
      if (Cuts(At(k))) p0 = k;
    }
    for (int k = 0; k < length_ && p0 < 0; ++k) {
      if (IsCut(k)) p0 = k;
    }
    if (p0 < 0) return;
    int start = p0;
    for (int guard = 0; guard < length_; ++guard) {
      int v = Stretch(start, cells);
      start = At(v).kind == 2 ? Wrap(v + 1) : v;
      if (start == p0) break;
    }
  }

  // Makes the cell of the stretch starting at u; returns the stop v.
  int Stretch(int u, std::vector<TLinkWord>& cells) {
    TLinkWord word;
    if (IsReentry(u)) word.push_back(SideEdge(u));
    std::vector<int> stretch;  // positions whose leaving arcs make the stretch
    int k = u;
    for (int step = 0; step < length_; ++step) {
      stretch.push_back(k);
      k = Wrap(k + 1);
      if (IsStop(k)) break;
    }
    int v = k;
    for (int position : stretch) {
      int arc = arcs_[static_cast<std::size_t>(begin_ + position)];
      word.push_back(TLinkPassage{link_.EdgeNumber(2, arc, 0), 1});
      const TLinkCodeEntry& reached = At(Wrap(position + 1));
      if (!over_ && reached.kind == 1 && reached.number > 0) {
        word.push_back(CrossingEdge(reached.number, 3, 1));
      }
    }
    const TLinkCodeEntry& stop = At(v);
    if (stop.kind == 2) {
      word.push_back(SideEdge(v));
    } else if (!over_) {
      word.push_back(CrossingEdge(-stop.number, 1, link_.CrossingSign(-stop.number) > 0 ? 1 : 2));
    }
    for (auto it = stretch.rbegin(); it != stretch.rend(); ++it) {
      int arc = arcs_[static_cast<std::size_t>(begin_ + *it)];
      word.push_back(TLinkPassage{link_.EdgeNumber(1, arc, 0), 2});
      const TLinkCodeEntry& from = At(*it);
      if (!over_ && from.kind == 1 && from.number > 0) word.push_back(CrossingEdge(from.number, 3, 2));
    }
    const TLinkCodeEntry& first = At(u);
    if (!over_ && first.kind == 1) {
      word.push_back(CrossingEdge(-first.number, 1, link_.CrossingSign(-first.number) > 0 ? 2 : 1));
    }
    cells.push_back(std::move(word));
    return v;
  }

  const TLink& link_;
  bool over_;
  std::vector<int> arcs_;
  int begin_ = 0;
  int length_ = 0;
};

}  // namespace

void LinkOverCellWords(const TLink& link, std::vector<TLinkWord>& cells) {
  TStrandWalker(link, true).Walk(cells);
}

void LinkUnderCellWords(const TLink& link, std::vector<TLinkWord>& cells) {
  TStrandWalker(link, false).Walk(cells);
}

void LinkCrossingCellWords(const TLink& link, std::vector<TLinkWord>& cells) {
  for (int x = 1; x <= link.CrossingCount(); ++x) {
    TLinkWord word;
    for (int b = 0; b < 3; ++b) word.push_back(TLinkPassage{link.EdgeNumber(10, x, b), 1});
    word.push_back(TLinkPassage{link.EdgeNumber(10, x, 3), 2});
    cells.push_back(std::move(word));
  }
}
