// Passages of a surface diagram through the sides of its square.
//
// The square's sides are glued in pairs (left to right, top to bottom),
// keeping or reversing the point numbers as the surface demands. A user
// writes each passage through a side once, by the point where the strand
// leaves the square; the reader inserts the partner point where it comes
// back, checks that every point of every side is used exactly once, and then
// checks the signs: the regions traced in the square from the records must
// make it a disc (F - E + V = 1).
#include <algorithm>
#include <vector>

#include "presentations/links/link.h"
#include "presentations/links/link_cell_words.h"
#include "presentations/links/link_crossing.h"

int TLink::CompleteSidePassages() {
  for (int pair = 0; pair < 2; ++pair) {
    int first = 0;
    int second = 0;
    SidesOfPair(pair, first, second);
    std::uint32_t m = std::max(sideMax[first], sideMax[second]);
    sideMax[first] = m;
    sideMax[second] = m;
  }
  // Which points of each side are written in the code.
  std::vector<std::vector<bool>> written(4);
  for (int s = 0; s < 4; ++s) written[static_cast<std::size_t>(s)].assign(sideMax[s] + 1, false);
  for (const TLinkCodeEntry& e : entries) {
    if (e.kind == 2 && e.number >= 1 && static_cast<std::uint32_t>(e.number) <= sideMax[e.side]) {
      written[static_cast<std::size_t>(e.side)][static_cast<std::size_t>(e.number)] = true;
    }
  }
  for (int pair = 0; pair < 2; ++pair) {
    int first = 0;
    int second = 0;
    SidesOfPair(pair, first, second);
    for (int k = 1; k <= static_cast<int>(sideMax[first]); ++k) {
      int partner = PartnerPointNumber(first, k);
      if (written[static_cast<std::size_t>(first)][static_cast<std::size_t>(k)] ||
          written[static_cast<std::size_t>(second)][static_cast<std::size_t>(partner)]) {
        continue;
      }
      ReportError(35, SideLetter(first), k, SideLetter(second), partner);
      return 0;
    }
  }

  // A point of the surface is identified by its pair and its number on the
  // pair's first side.
  auto pointOf = [this](const TLinkCodeEntry& e) {
    int pair = PairOfSide(e.side);
    int k = e.side == pair ? e.number : PartnerPointNumber(e.side, e.number);
    return std::make_pair(pair, k);
  };
  std::vector<std::vector<bool>> met(2);
  for (int pair = 0; pair < 2; ++pair) met[static_cast<std::size_t>(pair)].assign(sideMax[pair] + 1, false);

  std::vector<TLinkCodeEntry> completed;
  std::vector<std::int16_t> starts(static_cast<std::size_t>(componentCount) + 1, 0);
  for (int c = 0; c < componentCount; ++c) {
    starts[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(completed.size());
    int begin = componentStart[static_cast<std::size_t>(c)];
    int end = componentStart[static_cast<std::size_t>(c) + 1];
    // How often each point of the surface is written in this component.
    std::vector<std::vector<int>> inComponent(2);
    for (int pair = 0; pair < 2; ++pair) inComponent[static_cast<std::size_t>(pair)].assign(sideMax[pair] + 1, 0);
    for (int g = begin; g < end; ++g) {
      const TLinkCodeEntry& e = entries[static_cast<std::size_t>(g)];
      if (e.kind != 2 || e.number <= 0) continue;
      auto point = pointOf(e);
      ++inComponent[static_cast<std::size_t>(point.first)][static_cast<std::size_t>(point.second)];
    }
    for (int g = begin; g < end; ++g) {
      const TLinkCodeEntry& e = entries[static_cast<std::size_t>(g)];
      completed.push_back(e);
      if (e.kind != 2) continue;
      int partnerSide = PartnerSide(e.side);
      int partnerNumber = PartnerPointNumber(e.side, e.number);
      if (e.number <= 0) {
        ReportError(34, SideLetter(e.side), e.number);
        return 0;
      }
      auto point = pointOf(e);
      std::vector<bool>& seen = met[static_cast<std::size_t>(point.first)];
      if (seen[static_cast<std::size_t>(point.second)]) {
        ReportError(36, SideLetter(e.side), e.number, SideLetter(partnerSide), partnerNumber);
        return 0;
      }
      seen[static_cast<std::size_t>(point.second)] = true;
      // The entry after an exit is where the strand comes back in.
      if (g + 1 < end && SameSidePoint(e, entries[static_cast<std::size_t>(g) + 1]) != 0) {
        completed.push_back(entries[static_cast<std::size_t>(g) + 1]);
        ++g;
        continue;
      }
      if (inComponent[static_cast<std::size_t>(point.first)][static_cast<std::size_t>(point.second)] > 1) {
        ReportError(36, SideLetter(e.side), e.number, SideLetter(partnerSide), partnerNumber);
        return 0;
      }
      completed.push_back(TLinkCodeEntry{2, partnerNumber, partnerSide});
    }
  }
  starts[static_cast<std::size_t>(componentCount)] = static_cast<std::int16_t>(completed.size());
  if (completed.size() > static_cast<std::size_t>(kLinkMaxPlaces)) {
    ReportError(kLinkErrorTooLarge, static_cast<int>(crossingCount), SidePointCount());
    return 0;
  }
  entries.swap(completed);
  componentStart.swap(starts);
  entryCount = static_cast<std::int16_t>(entries.size());
  return 1;
}

int TLink::CheckSurfaceSigns() {
  std::vector<TCrossing> records;
  BuildLinkRecords(*this, records);
  std::vector<TLinkWord> regions;
  int traced = TraceLinkRegions(*this, records, regions);
  long long faces = static_cast<long long>(regions.size());
  long long vertices = RecordCount();
  long long edges = static_cast<long long>(InsideArcCount()) + SidePointCount() + 4;
  if (traced == 0 || faces + vertices - edges != 1) {
    ReportError(27);
    return 0;
  }
  return 1;
}
