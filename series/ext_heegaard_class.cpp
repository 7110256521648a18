#include "series/ext_heegaard_class.h"

#include <algorithm>

#include "foundation/stop_poll.h"

namespace {

// At most this many diagrams are explored from one candidate.
constexpr int kExplorationLimit = 388;
// Diagrams beyond this complexity are neither built nor moved further.
constexpr long long kComplexityLimit = 160;

void TakeLeast(int& least, long long c) {
  if (least == 0 || c < least) least = static_cast<int>(c);
}

}  // namespace

TExtHeegaardList::TKey TExtHeegaardList::KeyOf(const TExtHeegaardDiagram& d) {
  return {d.A(0), d.A(1), d.A(2), d.B(0), d.B(1), d.B(2)};
}

int TExtHeegaardList::Find(const TExtHeegaardDiagram& d, int& position) const {
  const auto it = index_.find(KeyOf(d));
  if (it == index_.end()) return 0;
  position = it->second;
  return 1;
}

int TExtHeegaardList::Append(const TExtHeegaardDiagram& d) {
  items_.push_back(d);
  index_.emplace(KeyOf(d), Count() - 1);
  return Count() - 1;
}

void TExtHeegaardList::Clear() {
  items_.clear();
  index_.clear();
}

int ExtHeegaardEqualUpToMirror(const TExtHeegaardDiagram& a, const TExtHeegaardDiagram& b) {
  if (a.Equals(b) != 0) return 1;
  for (int k = 0; k < 3; ++k)
    if (a.A(k) != b.A(k)) return 0;
  TExtHeegaardDiagram mirror = b;
  for (int k = 0; k < 3; ++k)
    if (b.B(k) != 0) mirror.SetB(k, b.S(k) - b.B(k));
  mirror.Normalize();
  return a.Equals(mirror);
}

int ExploreExtHeegaardClass(const TExtHeegaardDiagram& start, TExtHeegaardList& list,
                            TExtHeegaardExploration& record) {
  record = TExtHeegaardExploration{};
  record.candidate = start;
  record.start = static_cast<int>(start.Complexity());
  const int startPosition = list.Count();
  list.Append(start);
  auto failed = [&record] {
    return record.reducibleFound != 0 || (record.leastComplexity != 0 && record.leastComplexity < record.start) ||
           (record.leastThirdSmall != 0 && record.leastThirdSmall <= record.start);
  };
  for (int k = startPosition; k < list.Count() && k - startPosition < kExplorationLimit; ++k) {
    ThrowIfStopRequested();
    const TExtHeegaardDiagram r = list.At(k);
    const long long c = r.Complexity();
    if (r.IsReducible() != 0) record.reducibleFound = 1;
    TakeLeast(record.leastComplexity, c);
    if (r.IsThirdSmall() != 0) TakeLeast(record.leastThirdSmall, c);
    if (failed()) return 0;

    if (c < kComplexityLimit) {
      TExtHeegaardDiagram dual;
      const int code = r.BuildSpine(nullptr, &dual);
      if (code == 4) {
        TakeLeast(record.leastThirdSmall, c);
        if (record.start >= c) return 0;
      }
      dual.Normalize();
      int position = 0;
      bool foundBefore = false;
      if (ExtHeegaardEqualUpToMirror(dual, r) == 0 && (code != 4 || dual.IsRegular() != 0)) {
        if (dual.IsReducible() != 0) record.reducibleFound = 1;
        if (dual.IsThirdSmall() != 0) TakeLeast(record.leastThirdSmall, c);
        if (list.Find(dual, position) != 0) {
          foundBefore = position < startPosition;
        } else {
          list.Append(dual);
        }
      }
      if ((code != 1 && code != 4) || foundBefore || record.reducibleFound != 0) return 0;
    }

    for (int i = 0; i < 3; ++i) {
      const std::optional<TExtHeegaardDiagram> moved = ExtMeridianMove(r, i);
      if (!moved || moved->Complexity() > kComplexityLimit) continue;
      int position = 0;
      if (list.Find(*moved, position) != 0) {
        if (position < startPosition) return 0;
        continue;
      }
      list.Append(*moved);
      const long long mc = moved->Complexity();
      if (moved->IsReducible() != 0 || mc < record.start || (moved->IsThirdSmall() != 0 && mc <= record.start))
        return 0;
    }
  }
  return 1;
}
