// The records of a link diagram: crossings, side points and corners with
// their neighbours and the arcs that end at them. See link_crossing.h.
#include "presentations/links/link_crossing.h"

#include <cstdlib>
#include <utility>

// What every record needs from the code, computed once per diagram: the arc
// of each entry, each entry's neighbours in its component, the two passages
// of each crossing and the entry of each side point.
struct TLinkRecordContext {
  const TLink& link;
  std::vector<int> arcs;
  std::vector<int> previous;  // global index of the entry before, cyclically
  std::vector<int> next;
  std::vector<int> over;      // per crossing 1..n: global index, -1 = none
  std::vector<int> under;
  std::vector<int> pointEntry;  // per record index: the side point's entry, -1 = none

  explicit TLinkRecordContext(const TLink& l) : link(l) {
    LinkArcTable(link, arcs);
    int total = link.CodeEntryCount();
    previous.assign(static_cast<std::size_t>(total), 0);
    next.assign(static_cast<std::size_t>(total), 0);
    for (int c = 0; c < link.ComponentCount(); ++c) {
      int begin = link.ComponentStart(c);
      int length = link.ComponentStart(c + 1) - begin;
      for (int k = 0; k < length; ++k) {
        previous[static_cast<std::size_t>(begin + k)] = begin + (k + length - 1) % length;
        next[static_cast<std::size_t>(begin + k)] = begin + (k + 1) % length;
      }
    }
    int n = link.CrossingCount();
    over.assign(static_cast<std::size_t>(n) + 1, -1);
    under.assign(static_cast<std::size_t>(n) + 1, -1);
    pointEntry.assign(static_cast<std::size_t>(link.RecordCount()), -1);
    for (int g = 0; g < total; ++g) {
      const TLinkCodeEntry& entry = link.Entry(g);
      if (entry.kind == 1) {
        int x = std::abs(entry.number);
        if (x >= 1 && x <= n) (entry.number > 0 ? over : under)[static_cast<std::size_t>(x)] = g;
      } else if (entry.kind == 2) {
        int r = link.RecordIndex(entry);
        if (r >= 0 && r < static_cast<int>(pointEntry.size())) pointEntry[static_cast<std::size_t>(r)] = g;
      }
    }
  }
  int Arc(int g) const { return arcs[static_cast<std::size_t>(g)]; }
  int Previous(int g) const { return previous[static_cast<std::size_t>(g)]; }
  int Next(int g) const { return next[static_cast<std::size_t>(g)]; }
  int Record(int g) const { return link.RecordIndex(link.Entry(g)); }
};

namespace {

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

void LinkArcTable(const TLink& link, std::vector<int>& arcs) {
  int total = link.CodeEntryCount();
  arcs.assign(static_cast<std::size_t>(total), 0);
  int sides = 0;
  for (int g = 0; g < total; ++g) {
    if (link.Entry(g).kind == 2) ++sides;
    arcs[static_cast<std::size_t>(g)] = g - sides / 2;
  }
}

void TCrossing::ExchangeLeftRight() {
  std::swap(left, right);
  std::swap(leftIndex, rightIndex);
  std::swap(leftArc, rightArc);
}

void TCrossing::BuildCrossing(const TLinkRecordContext& context, int x) {
  kind = 1;
  side = -1;
  number = static_cast<std::uint16_t>(x);
  sign = static_cast<signed char>(context.link.CrossingSign(x));
  if (x < 1 || x > context.link.CrossingCount()) return;
  int over = context.over[static_cast<std::size_t>(x)];
  int under = context.under[static_cast<std::size_t>(x)];
  if (over < 0 || under < 0) return;
  // The under strand runs from bottom to top.
  topArc = Short(context.Arc(under));
  bottomArc = Short(context.Arc(context.Previous(under)));
  bottomIndex = context.Record(context.Previous(under));
  topIndex = context.Record(context.Next(under));
  // The over strand runs from left to right (negative sign: right to left).
  leftIndex = context.Record(context.Previous(over));
  rightIndex = context.Record(context.Next(over));
  if (sign > 0) {
    rightArc = Short(context.Arc(over));
    leftArc = Short(context.Arc(context.Previous(over)));
  } else {
    leftArc = Short(context.Arc(over));
    rightArc = Short(context.Arc(context.Previous(over)));
    std::swap(leftIndex, rightIndex);
  }
  bottom = Short(bottomIndex + 1);
  top = Short(topIndex + 1);
  left = Short(leftIndex + 1);
  right = Short(rightIndex + 1);
}

void TCrossing::BuildBoundary(const TLinkRecordContext& context, const TLinkCodeEntry& entry) {
  const TLink& link = context.link;
  int own = link.RecordIndex(entry);
  index = static_cast<std::uint32_t>(own < 0 ? 0 : own);
  if (entry.kind == 1) {
    BuildCrossing(context, std::abs(entry.number));
    return;
  }
  int n = link.CrossingCount();
  int half = link.CodeEntryCount() / 2;
  int last = link.RecordCount() - 1;
  if (own < n || own > last) return;
  // The boundary cycle: the previous record, and the next one (the last
  // record continues to corner 0).
  int following = own == last ? n : own + 1;
  if (entry.kind == 3) {
    kind = 3;
    number = static_cast<std::uint16_t>(own + 1);
    side = Short(entry.side + 1);
    sign = 1;
    bottomIndex = entry.side == 0 ? last : own - 1;
    rightIndex = following;
    bottomArc = Short(bottomIndex + half);
    rightArc = Short(own + half);
    bottom = Short(bottomIndex + 1);
    right = Short(rightIndex + 1);
    return;
  }
  if (entry.kind != 2) return;
  kind = 2;
  number = static_cast<std::uint16_t>(entry.number);
  side = Short(entry.side);
  leftIndex = own - 1;
  rightIndex = following;
  leftArc = Short(leftIndex + half);
  rightArc = Short(own + half);
  left = Short(leftIndex + 1);
  right = Short(rightIndex + 1);
  int global = context.pointEntry[static_cast<std::size_t>(own)];
  if (global < 0) return;
  int before = context.Previous(global);
  if (!(link.Entry(before).kind == 2 && link.SameSidePoint(link.Entry(before), link.Entry(global)) != 0)) {
    // The strand leaves the square here.
    sign = 1;
    bottomIndex = context.Record(before);
    bottom = Short(bottomIndex + 1);
    bottomArc = Short(context.Arc(before));
  } else {
    // The strand comes back in here.
    sign = -1;
    ExchangeLeftRight();
    topIndex = context.Record(context.Next(global));
    top = Short(topIndex + 1);
    topArc = Short(context.Arc(global));
  }
}

void TCrossing::Build(const TLink& link, int x) {
  TLinkRecordContext context(link);
  BuildCrossing(context, x);
}

void TCrossing::BuildSurface(const TLink& link, const TLinkCodeEntry& entry) {
  TLinkRecordContext context(link);
  BuildBoundary(context, entry);
}

int TCrossing::TurnsAt(int arc) const {
  if (arc < 0) return 0;
  bool b = bottomArc == arc;
  bool r = rightArc == arc;
  bool t = topArc == arc;
  bool l = leftArc == arc;
  return ((b && r) || (r && t) || (t && l) || (l && b)) ? 1 : 0;
}

void BuildLinkRecords(const TLink& link, std::vector<TCrossing>& records) {
  records.assign(static_cast<std::size_t>(link.RecordCount()), TCrossing());
  TLinkRecordContext context(link);
  int n = link.CrossingCount();
  if (link.IsClassical() != 0) {
    for (int x = 1; x <= n; ++x) records[static_cast<std::size_t>(x - 1)].BuildCrossing(context, x);
    return;
  }
  for (int x = 1; x <= n; ++x) {
    records[static_cast<std::size_t>(x - 1)].BuildBoundary(context, TLinkCodeEntry{1, x, 0});
  }
  for (int s = 0; s < 4; ++s) {
    TLinkCodeEntry corner{3, 0, s};
    records[static_cast<std::size_t>(link.RecordIndex(corner))].BuildBoundary(context, corner);
    for (int k = 1; k <= link.SideMax(s); ++k) {
      TLinkCodeEntry point{2, k, s};
      records[static_cast<std::size_t>(link.RecordIndex(point))].BuildBoundary(context, point);
    }
  }
}
