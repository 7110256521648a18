// The driver of the cell reductions. See cell_reductions.h.
#include "moves/cell_reductions.h"

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/stop_poll.h"
#include "model/spine.h"
#include "moves/reduction.h"

namespace {

constexpr int kReductionsDoneText = 269;

// Set while a run is in progress; a nested or concurrent call returns at once.
std::atomic<int> reductionRunning{0};

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

// Clears the running flag on every way out of a run, a stop included.
struct TRunningScope {
  ~TRunningScope() { reductionRunning.store(0); }
};

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
  int expected = 0;
  if (!reductionRunning.compare_exchange_strong(expected, 1)) return 0;
  TRunningScope running;
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
