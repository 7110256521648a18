// Comparison and simplification by T-moves (see t_move_search.h).
//
// Both searches end: every step either adds a spine to a cloud, which the
// count and radius limits bound, or finds that no cloud can grow, which ends
// the search at once (a complete cloud gives no more spines).
#include "moves/t_move_search.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "model/spine.h"
#include "moves/polyhedron_cloud.h"

namespace {

unsigned U(std::int64_t value) { return static_cast<unsigned>(std::max<std::int64_t>(value, 0)); }

// The cloud given, or one made here and owned by the holder.
TPolyhedronCloud& CloudOrOwn(TPolyhedronCloud* given, std::unique_ptr<TPolyhedronCloud>& holder) {
  if (given != nullptr) return *given;
  holder = std::make_unique<TPolyhedronCloud>();
  return *holder;
}

bool Ready(TPolyhedronCloud& cloud, const TSpine& spine, std::int64_t capacity) {
  cloud.SetMode(1);
  // A cloud kept on disk between searches comes back first; one that does
  // not read back cannot take part.
  if (cloud.IsSwappedOut() && !cloud.SwapIn()) return false;
  if (cloud.IsBuilt()) return true;
  return cloud.Build(spine, static_cast<std::size_t>(std::clamp<std::int64_t>(capacity, 16, 1 << 20)));
}

bool Meet(const TPolyhedronCloud& a, const TPolyhedronCloud& b) {
  for (int i = 0; i < a.Count(); ++i)
    if (b.Contains(a.At(i)->signature)) return true;
  return false;
}

}  // namespace

int ComparePolyhedraByTMoves(const TSpine& first, const TSpine& second, int kind,
                             bool stopOnSimpler, const TTMoveLimits& limits,
                             std::string* output, TPolyhedronCloud* firstCloud,
                             TPolyhedronCloud* secondCloud) {
  std::int64_t countLimit = limits.count;
  if (kind == 2) countLimit *= 2;
  if (kind == 3) countLimit = 0;
  const int radiusLimit = limits.radius;
  std::unique_ptr<TPolyhedronCloud> ownA;
  std::unique_ptr<TPolyhedronCloud> ownB;
  TPolyhedronCloud& a = CloudOrOwn(firstCloud, ownA);
  TPolyhedronCloud& b = CloudOrOwn(secondCloud, ownB);
  int result = kTMoveNotFound;
  const bool built = Ready(a, first, countLimit) && Ready(b, second, countLimit);
  if (built && Meet(a, b)) result = kTMoveEquivalent;
  auto mayGrow = [&](const TPolyhedronCloud& cloud) {
    if (cloud.IsComplete()) return false;
    if (kind == 3) return true;
    return cloud.Radius() <= radiusLimit && (countLimit == 0 || cloud.Count() <= countLimit);
  };
  // One side grows by one spine; true when it did.
  auto grow = [&](TPolyhedronCloud& side, const TPolyhedronCloud& other, int simpler) {
    if (!mayGrow(side)) return false;
    int complexity = -1;
    const int index = side.ExpandNext(&complexity);
    if (index < 0) return false;
    if (other.Contains(side.At(index)->signature)) {
      result = kTMoveEquivalent;
    } else if (stopOnSimpler && complexity < side.StartComplexity()) {
      result = simpler;
    }
    return true;
  };
  for (unsigned pass = 1; built && result == kTMoveNotFound; ++pass) {
    if (countLimit > 0 && a.Count() > countLimit && b.Count() > countLimit) break;
    if (a.Radius() > radiusLimit && b.Radius() > radiusLimit) break;
    bool grew = grow(a, b, kTMoveSimplerFromFirst);
    if (result == kTMoveNotFound) grew = grow(b, a, kTMoveSimplerFromSecond) || grew;
    // Neither side can grow: the search is over, not merely waiting for a stop.
    if (!grew) break;
    ThrowIfStopRequested();
    if (output != nullptr && pass % 10 == 0) {
      const int s = a.Radius() + b.Radius();
      ShowStatusText(FormatText("Polyhedra %u   Chain length %u", U(a.Count() + b.Count()),
                                U(s <= 1 ? s : s - 1))
                         .c_str());
    }
  }
  if (output != nullptr) {
    const int s = a.Radius() + b.Radius();
    if (result == kTMoveEquivalent) {
      *output += s == 0 ? std::string("Given polyhedra are homeomorphic\r\n")
                        : FormatText("Given polyhedra are equivalent\r\nvia not more than %u moves.\r\n",
                                     U(s - 1));
    } else {
      const int n = s <= 1 ? 0 : s - 2;
      *output += FormatText(
          "Sequence of moves is not found,all sequences length <=%u and some length <=%u were tested.\r\n",
          U(n), U(n + 2));
    }
    *output += FormatText(
        "Builded %u polyhedra equivalent to first given polyhedron and %u equivalent to second\r\n",
        U(a.Count()), U(b.Count()));
  }
  return result;
}

int SimplifyPolyhedronByTMoves(const TSpine& spine, int kind, const TTMoveLimits& limits,
                               std::string* output, TPolyhedronCloud* given, int* bestOut) {
  std::unique_ptr<TPolyhedronCloud> own;
  TPolyhedronCloud& cloud = CloudOrOwn(given, own);
  if (bestOut != nullptr) *bestOut = 0;
  if (!Ready(cloud, spine, limits.count)) return 1;
  int result = 1;
  if (kind == 0) return result;
  const int start = cloud.StartComplexity();
  int best = start;
  int highest = start;
  int bestIndex = 0;
  for (std::int64_t n = cloud.Count();;) {
    ++n;
    if ((limits.count > 0 && n > limits.count) || cloud.Radius() > limits.radius) break;
    int complexity = -1;
    const int index = cloud.ExpandNext(&complexity);
    if (index < 0) break;  // complete
    highest = std::max(highest, complexity);
    if (complexity < best) {
      best = complexity;
      bestIndex = index;
      result = 0;
      if (kind == 1) break;
    }
    if (n == 1 || n % 100 == 0)
      ShowStatusText(FormatText("Polyhedra: %u, Radius: %u, %u <=complexity <=%u\tTo stop click Ctrl+break",
                                U(n), U(cloud.Radius()), U(best), U(highest))
                         .c_str());
  }
  if (bestOut != nullptr) *bestOut = bestIndex;
  if (output != nullptr) *output += ReportTMoveSimplification(cloud, bestIndex, best, highest);
  return result;
}

std::string ReportTMoveSimplification(const TPolyhedronCloud& cloud, int bestIndex,
                                      int bestComplexity, int highestComplexity) {
  std::string text;
  if (bestComplexity < cloud.StartComplexity() && cloud.At(bestIndex) != nullptr) {
    std::vector<int> chain;
    for (int i = bestIndex; i >= 0 && cloud.At(i) != nullptr; i = cloud.At(i)->parent) {
      chain.push_back(i);
      if (i == 0) break;
    }
    std::reverse(chain.begin(), chain.end());
    text += "Given polyhedron can be simplified!";
    for (std::size_t k = 0; k < chain.size(); ++k) {
      const TPolyhedronCloud::TPolyhedron* p = cloud.At(chain[k]);
      text += k == 0 ? FormatText("\r\n\r\nStep %u: %s\r\n", 0u, "Source")
                     : FormatText("\r\n\r\nStep %u: %s gives\r\n", static_cast<unsigned>(k),
                                  p->moveText.c_str());
      text += FormatMoveChainEntry(p->cells);
    }
  }
  text += FormatText(
      "\r\n\r\n\tBuilded polyhedra: %u, Radius: %u,\r\n\tStart complexity: %u,\r\n\tBuilded: %u "
      "<=complexity <=%u.\r\n",
      U(cloud.Count()), U(cloud.Radius()), U(cloud.StartComplexity()), U(bestComplexity),
      U(highestComplexity));
  return text;
}

std::string FormatMoveChainEntry(const std::string& cells) {
  std::string text;
  unsigned group = 0;
  for (std::size_t open = cells.find('{'); open != std::string::npos;
       open = cells.find('{', open + 1)) {
    const std::size_t close = cells.find('}', open);
    if (close == std::string::npos) break;
    text += FormatText("%u: ", ++group);
    text += cells.substr(open + 1, close - open - 1);
    text += "\r\n";
    open = close;
  }
  return text;
}
