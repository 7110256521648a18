// The switchboard of the simplification moves. See step_loop.h.
//
// The priority of one automatic step: collapsing first (it only removes
// cells), then the cuttings that split the spine, then the moves that keep
// the complexity or raise it for a while (counterpass, piercings, curves,
// bipasses). Polygon moves, curves of length 4 without piercing and T-moves
// are never chosen automatically; the Simplify dialog and the search over
// variants reach them through the classifier and FindPolygonOrTMove.
#include "moves/step_loop.h"

#include <cstring>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/normal_torus_cutting.h"

namespace {

thread_local int tStepRunning = 0;
thread_local int tStableRunning = 0;

// Sets a re-entrancy word for a scope.
class TBusyScope {
 public:
  explicit TBusyScope(int& word) : word_(word) { word_ = 1; }
  ~TBusyScope() { word_ = 0; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  int& word_;
};

bool Surgeries() { return DisableSurgeries.load() == 0; }
bool CellReductionsAutomatic() { return MakeCellReductionsAutomatically.load() == 1; }

std::uint32_t Order(int type) {
  return static_cast<std::uint32_t>(MoveOrderTable[static_cast<std::size_t>(type)]);
}

int Dispatch(TSpine& spine, const TMoveChoice& choice, TString* text, int* limit, int* counter) {
  int e = choice.element;
  switch (choice.type) {
    case kMoveCollapsing: return PerformCellReduction(spine, e, text, nullptr) != 0 ? 1 : 0;
    case kMoveDelicatePiercing:
    case kMoveCrudePiercing: return PierceCell(spine, e, text) != 0 ? 1 : 0;
    case kMoveCutting: return CutAlongCell(spine, e, text) != 0 ? 1 : 0;
    case kMoveRing: return CutOutRing(spine, e, text) != 0 ? 1 : 0;
    case kMoveNormalTorus:
      if (choice.plates != nullptr) return CutAlongNormalTorusMove(spine, *choice.plates, text) != 0 ? 1 : 0;
      return CutAlongNormalTorus(spine, e, text) != 0 ? 1 : 0;
    case kMoveCounterpass: return PerformCounterpass(spine, e, text) != 0 ? 2 : 0;
    case kMoveShortCurve:
    case kMoveCurve4:
    case kMoveCurve4FirstPiercing:
    case kMoveCurve4SecondPiercing:
      if (PerformCellCurveMove(spine, e, choice.type, text) == 0) return 0;
      return choice.type == kMoveCurve4 ? 1 : 2;
    case kMoveDoubleBipass:
    case kMoveTripleBipass: return PerformBipass(spine, e, text) != 0 ? 2 : 0;
    case kMovePolygon: return PerformPolygonMove(spine, e, choice.x, limit, counter, text) != 0 ? 2 : 0;
    case kMoveT: return PerformTMove(spine, e, text) != 0 ? 1 : 0;
    case kMoveInverseT: return PerformInverseTMove(spine, e, text) != 0 ? 1 : 0;
    default: return 0;
  }
}

}  // namespace

namespace {

// The stages of the automatic choice in priority order.
enum TChoiceStage : int {
  kStageCollapsing,
  kStageCutting,
  kStageCounterpass,
  kStageRing,
  kStageDelicatePiercing,
  kStageCrudePiercing,
  kStageShortCurve,
  kStageCurve4WithPiercing,
  kStageDoubleBipass,
  kStageTripleBipass,
  kStageCount
};

// The first move of the stages from `first` on; the stage it came from, or
// kStageCount (choice type 0, element -1) when none applies.
int ChooseFromStage(int mode, TSpine& spine, TMoveChoice& choice, int first) {
  const bool gated = DisableSurgeries.load() != 0 && mode == 1;
  choice = TMoveChoice{};
  auto take = [&](int type, int element) {
    if (element == -1) return false;
    choice.type = type;
    choice.element = element;
    return true;
  };
  for (int stage = first; stage < kStageCount; ++stage) {
    switch (stage) {
      case kStageCollapsing:
        if (take(kMoveCollapsing, FindReductionCell(spine))) return stage;
        break;
      case kStageCutting:
        if (take(kMoveCutting, FindCuttingCell(spine))) return stage;
        break;
      case kStageCounterpass:
        if (!gated && take(kMoveCounterpass, FindCounterpassCell(spine))) return stage;
        break;
      case kStageRing:
        if (Surgeries() && take(kMoveRing, FindRingCell(spine))) return stage;
        break;
      case kStageDelicatePiercing:
        if (take(kMoveDelicatePiercing, FindPiercingCell(spine, 1))) return stage;
        break;
      case kStageCrudePiercing:
        if (Surgeries() && take(kMoveCrudePiercing, FindPiercingCell(spine, 2))) return stage;
        break;
      case kStageShortCurve:
        if (take(kMoveShortCurve, FindShortCurveCell(spine, 1))) return stage;
        break;
      case kStageCurve4WithPiercing:
        if (mode == 1) {
          int type = 0;
          const int cell = FindCurveLength4WithPiercing(spine, &type);
          // A curve of length 4 without a piercing ends the choice: it is
          // never made automatically, and nothing after it is offered.
          if (cell != -1) {
            if (type == 0) return kStageCount;
            choice.type = type;
            choice.element = cell;
            return stage;
          }
        }
        break;
      case kStageDoubleBipass:
        if (!gated && take(kMoveDoubleBipass, FindBipassCell(spine, kMoveDoubleBipass))) return stage;
        break;
      case kStageTripleBipass:
        if (!gated && take(kMoveTripleBipass, FindBipassCell(spine, kMoveTripleBipass))) return stage;
        break;
      default: break;
    }
  }
  return kStageCount;
}

}  // namespace

int ChooseNextMove(int mode, TSpine& spine, TMoveChoice& choice, int* /*limit*/, int* /*counter*/) {
  return ChooseFromStage(mode, spine, choice, kStageCollapsing) != kStageCount ? 1 : 0;
}

int ClassifyCellMove(int mode, TSpine& spine, int cell, int after) {
  auto eligible = [&](int type) { return after == 0 || Order(after) < Order(type); };
  if (mode != 2) {
    if (eligible(kMoveCollapsing) && IsCellReducible(spine, cell, nullptr, nullptr) != 0) return kMoveCollapsing;
    if (eligible(kMoveCutting) && Surgeries() && IsCuttable(spine, cell) != 0) return kMoveCutting;
    if (eligible(kMoveCounterpass) && TestCounterpass(spine, cell) != 0) return kMoveCounterpass;
    if (eligible(kMoveRing) && Surgeries() && TestRingCutting(spine, cell) != 0) return kMoveRing;
  }
  int piercing = ClassifyPiercingAt(spine, cell);
  if (piercing == 1 && eligible(kMoveDelicatePiercing)) return kMoveDelicatePiercing;
  if (piercing == 2 && Surgeries() && eligible(kMoveCrudePiercing)) return kMoveCrudePiercing;
  if (mode == 2) return 0;
  int curve = ClassifyCellCurveAt(spine, cell);
  int bipass = ClassifyBipassAt(spine, cell);
  if (curve == 1 && eligible(kMoveShortCurve)) return kMoveShortCurve;
  if ((bipass == 1 || bipass == 2) && eligible(kMoveDoubleBipass)) return kMoveDoubleBipass;
  if (bipass == 3 && eligible(kMoveTripleBipass)) return kMoveTripleBipass;
  // The curves of length 4 come last; 16 stands for "not yet offered".
  if (after != 0 && Order(after) >= Order(kMoveCurve4SecondPiercing)) return 0;
  if (curve == 2 && mode == 0) {
    if (after == 0) return kMoveCurve4;
    return after == kMoveCurve4FirstPiercing ? kMoveCurve4SecondPiercing : kMoveCurve4FirstPiercing;
  }
  return 0;
}

int FindPolygonOrTMove(int mode, TSpine& spine, int type, int cursor[8]) {
  if (type == kMovePolygon) {
    int copy[8];
    std::memcpy(copy, cursor, sizeof copy);
    if (FindPolygonMove(mode, spine, copy) != 1) return 0;
    std::memcpy(cursor, copy, sizeof copy);
    return kMovePolygon;
  }
  if (type == kMoveT || type == kMoveInverseT) {
    int found = type == kMoveT ? FindTMoveEdge(spine, cursor[0]) : FindInverseTMoveCell(spine, cursor[0]);
    if (found == -1) return 0;
    cursor[0] = found;
    return type;
  }
  return 0;
}

int PerformMove(TSpine& spine, const TMoveChoice& choice, TString* moveText, int* limit, int* counter) {
  // The state to restore when the performer refuses, fails or is stopped.
  int savedLimit = limit != nullptr ? *limit : 0;
  int savedCounter = counter != nullptr ? *counter : 0;
  auto restore = [&] {
    if (limit != nullptr) *limit = savedLimit;
    if (counter != nullptr) *counter = savedCounter;
    if (moveText != nullptr) moveText->Clear();
  };
  int result = 0;
  try {
    result = PerformWithRollback(spine, [&] { return Dispatch(spine, choice, moveText, limit, counter); });
  } catch (...) {
    restore();
    throw;
  }
  if (result == 0) restore();
  return result;
}

int MakeSimplificationStep(int mode, TSpine& spine, TString* report, TMoveChoice choice, int* limit,
                           int* counter) {
  if (tStepRunning != 0) return 0;
  TBusyScope busy(tStepRunning);
  TString moveText;
  TString afterText;
  int localLimit = limit != nullptr ? *limit : -1;
  int localCounter = counter != nullptr ? *counter : -1;
  int count = 0;
  if (choice.type == 0 || choice.element == -1) {
    // A chosen move may still refuse (its finder looks less far than its
    // performer); the spine is then as it was, so the next stage of the
    // priority is tried instead of ending the step with nothing done.
    for (int stage = ChooseFromStage(mode, spine, choice, kStageCollapsing); stage != kStageCount;
         stage = ChooseFromStage(mode, spine, choice, stage + 1)) {
      count = PerformMove(spine, choice, &moveText, &localLimit, &localCounter);
      if (count != 0) break;
    }
  } else {
    count = PerformMove(spine, choice, &moveText, &localLimit, &localCounter);
  }
  if (limit != nullptr) *limit = localLimit;
  if (counter != nullptr) *counter = localCounter;
  if (MakeCollapsingsAutomatically.load() != 0) {
    count += RunCollapsings(spine, &afterText, 1);
  } else if (CellReductionsAutomatic()) {
    int reductions = RunCellReductions(spine);
    for (TSpine* next = spine.Next(); next != nullptr; next = next->Next())
      if (next->Reduced() == 0) reductions += RunCellReductions(*next);
    count += reductions;
    ReportCellReductions(afterText, reductions);
  }
  if (report != nullptr) ReportStepResult(*report, count, moveText, afterText);
  return count;
}

int RunCollapsings(TSpine& spine, TString* report, int mode, int* collapsingsOut, int* cuttingsOut) {
  int totalCollapsings = 0;
  int totalCuttings = 0;
  int totalReductions = 0;
  // The chain is read afresh after each component: cuttings append components.
  for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
    int collapsings = 0;
    int cuttings = 0;
    bool again = true;
    while (again) {
      again = false;
      for (int cell = FindReductionCell(*component); cell != -1; cell = FindReductionCell(*component)) {
        ThrowIfStopRequested();
        int n = 0;
        if (PerformCellReduction(*component, cell, nullptr, &n) == 0) break;
        ++collapsings;
        cuttings += n;
        again = true;
        if (mode == 2 && n > 0) break;
        if (CellReductionsAutomatic()) totalReductions += RunCellReductions(*component);
      }
      if (mode == 2 && cuttings > 0) break;
      for (int cell = FindCuttingCell(*component); cell != -1; cell = FindCuttingCell(*component)) {
        ThrowIfStopRequested();
        ++cuttings;
        if (mode == 2) break;
        if (CutAlongCell(*component, cell, nullptr) == 0) {
          --cuttings;
          break;
        }
        again = true;
      }
      if (mode == 2 && cuttings > 0) break;
      if (!again && CellReductionsAutomatic() && collapsings == 0 && cuttings == 0) {
        int reductions = RunCellReductions(*component);
        if (reductions > 0) {
          totalReductions += reductions;
          again = true;
        }
      }
    }
    totalCollapsings += collapsings;
    totalCuttings += cuttings;
  }
  if (report != nullptr) ReportCollapsings(*report, totalCollapsings, totalCuttings, totalReductions);
  if (collapsingsOut != nullptr) *collapsingsOut = totalCollapsings;
  if (cuttingsOut != nullptr) *cuttingsOut = totalCuttings;
  return totalCollapsings + totalCuttings + totalReductions;
}

int RunStepsUntilStable(TSpine& spine, TString* report) {
  if (tStableRunning != 0) return 0;
  TBusyScope busy(tStableRunning);
  int total = 0;
  for (;;) {
    ThrowIfStopRequested();
    TString text;
    int n = MakeSimplificationStep(1, spine, &text, TMoveChoice{}, nullptr, nullptr);
    if (n == 0) break;
    total += n;
    ShowStatusText(text.CStr());
  }
  if (report != nullptr) ReportTransformations(*report, total);
  return total != 0 ? 1 : 0;
}
