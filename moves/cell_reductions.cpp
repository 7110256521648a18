// The driver of the cell reductions. See cell_reductions.h.
#include "moves/cell_reductions.h"

#include <algorithm>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/stop_poll.h"
#include "model/spine.h"
#include "moves/reduction.h"

namespace {

constexpr int kReductionsDoneText = 269;

// The spines whose reductions are in progress on this thread: a nested call
// on the same spine returns at once, one on another spine runs.
thread_local std::vector<const TSpine*> tRunning;

class TRunningScope {
 public:
  explicit TRunningScope(const TSpine& spine) : spine_(&spine) { tRunning.push_back(spine_); }
  ~TRunningScope() { std::erase(tRunning, spine_); }
  TRunningScope(const TRunningScope&) = delete;
  TRunningScope& operator=(const TRunningScope&) = delete;

 private:
  const TSpine* spine_;
};

// Each removal is a whole move that leaves a valid spine, so a stop between
// two of them leaves the spine reduced part of the way.
template <typename Remove>
int Repeat(TSpine& spine, Remove remove, int moveType) {
  int count = 0;
  for (;;) {
    ThrowIfStopRequested();
    if (remove(spine) == 0) break;
    spine.LogEvent(moveType, nullptr);
    ++count;
  }
  return count;
}

}  // namespace

int ReduceSuperfluousVertices(TSpine& spine) {
  return Repeat(spine, [](TSpine& s) { return RemoveSuperfluousVertex(s); }, 2);
}

int ReduceSuperfluousEdges(TSpine& spine) {
  return Repeat(spine, [](TSpine& s) { return RemoveSuperfluousEdge(s); }, 3);
}

int ReduceNeedles(TSpine& spine) {
  return Repeat(spine, [](TSpine& s) { return RemoveNeedle(s); }, 4);
}

int RunCellReductions(TSpine& spine, TOutput* report) {
  if (std::find(tRunning.begin(), tRunning.end(), &spine) != tRunning.end()) return 0;
  TRunningScope running(spine);
  int total = 0;
  for (;;) {
    int pass = 0;
    if (SuperfluousVertexReductionEnabled.load() != 0) pass += ReduceSuperfluousVertices(spine);
    if (SuperfluousEdgeReductionEnabled.load() != 0) pass += ReduceSuperfluousEdges(spine);
    if (NeedleReductionEnabled.load() != 0) pass += ReduceNeedles(spine);
    total += pass;
    if (pass == 0) break;
  }
  spine.SetReduced(1);
  if (report != nullptr && QuietMode.load() == 0) {
    TString text;
    text.FormatResource(kReductionsDoneText, static_cast<unsigned>(total));
    report->AppendString(text);
  }
  return total;
}
