#include "recognition/recognition_driver.h"

#include "foundation/stop_poll.h"
#include "model/homology.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "moves/move_types.h"

namespace {

// Answers that count as a presentation of the manifold.
bool CountsAsPresentation(int code) {
  switch (code) {
    case kLookupRecognised:
    case kLookupEqualPresentation:
    case kLookupTrivialRejected:
    case kLookupReducibleRejected:
    case kLookupNewTyped:
    case kLookupPresentationAdded:
    case kLookupJoined:
      return true;
    default:
      return false;
  }
}

bool SamePreset(const TStagePreset& a, const TStagePreset& b) {
  return a.useOnlyFirst == b.useOnlyFirst && a.complicating == b.complicating && a.maximal == b.maximal &&
         a.level == b.level;
}

// The default moves on every spine of the chain until none moves.
void RunDefaultMoves(TSpine& spine) {
  for (int i = 0; spine.ComponentAt(i) != nullptr; ++i) RunStepsUntilStable(*spine.ComponentAt(i), nullptr);
}

}  // namespace

TStagePreset StagePreset(int stage) {
  if (stage <= 1) return {1, 0, 0, 1};
  if (stage == 2) return {1, 0, 0, 2};
  if (stage <= 4) return {0, 0, 1, 3};
  return {0, 1, 1, 5};
}

TRecognitionDriver::TRecognitionDriver(TManifoldTable& table, int mode) : table_(table), mode_(mode) {}

int TRecognitionDriver::GoalReached() const {
  if (mode_ == kModeTillFirst && outcome_.presentations > 0) return 1;
  if (mode_ == kModeTillMain && outcome_.mainFound != 0) return 1;
  return 0;
}

void TRecognitionDriver::ThrowIfStopped() const {
  ThrowIfStopRequested();
  if (stop_ != nullptr && stop_->load() != 0) throw TComputationStopped();
}

// A move that went wrong can leave a spine whose description names another
// manifold; a lens space whose H_1 is not that of the input is such a case
// and is not taken for a presentation.
bool TRecognitionDriver::ContradictsHomology(const TManifoldDescription& d) const {
  int p = 0;
  int q = 0;
  if (!hasHomology_ || d.CountSummands() != 1 || d.GetLensParameters(p, q) == 0) return false;
  long long order = 1;
  for (std::int32_t e : homology_) {
    if (e == 0) return p != 0;
    order *= e;
    if (order > (1LL << 40)) return true;
  }
  return order != p;
}

TRecognitionOutcome TRecognitionDriver::Recognize(const TSpine& spine) {
  outcome_ = TRecognitionOutcome{};
  table_.SetRecognitionMode(mode_);
  TSpine base;
  spine.CopyTo(base);
  hasHomology_ = false;
  if (spine.HomologyList() != nullptr) {
    homology_ = spine.HomologyList()->Elements();
    hasHomology_ = true;
  }
  if (inSeries_) {
    RunSeriesPasses(base);
    if (outcome_.entryIndex != -1) table_.MergeResult(outcome_.entryIndex, base);
    return outcome_;
  }
  TStagePreset previous;
  for (int stage = 1; stage <= lastStage_; ++stage) {
    ThrowIfStopped();
    if (stage > 1 && GoalReached() != 0) break;
    const TStagePreset preset = StagePreset(stage);
    const int entriesBefore = table_.CountEntries();
    const int presentationsBefore = table_.CountPresentations();
    const int headBefore = outcome_.entryIndex;
    TSpine current;
    base.CopyTo(current);
    outcome_.stages = stage;
    if (SearchVariants(current, 0, preset.level, preset) != 0) break;
    // The stage repeated the one before it on the same spine and found
    // nothing new: every further repetition would do the same, so the
    // schedule goes on with the next different preset, if any.
    if (stage > 1 && SamePreset(preset, previous) && table_.CountEntries() == entriesBefore &&
        table_.CountPresentations() == presentationsBefore && outcome_.entryIndex == headBefore) {
      int next = stage + 1;
      while (next <= lastStage_ && SamePreset(StagePreset(next), preset)) ++next;
      if (next > stage + 1) outcome_.endedEarly = 1;
      stage = next - 1;
    }
    previous = preset;
  }
  if (outcome_.entryIndex != -1) table_.MergeResult(outcome_.entryIndex, base);
  return outcome_;
}

void TRecognitionDriver::RunSeriesPasses(const TSpine& base) {
  start_ = clock_();
  auto pass = [&](const TStagePreset& preset) {
    ThrowIfStopped();
    TSpine current;
    base.CopyTo(current);
    ++outcome_.stages;
    return SearchVariants(current, 0, preset.level, preset);
  };
  if (pass({1, 0, 0, 1}) != 0 || GoalReached() != 0) return;
  const int step = series_.step < 1 ? 1 : series_.step;
  if (pass({1, 0, 0, step < 2 ? step : 2}) != 0 || GoalReached() != 0) return;
  const int last = mode_ == kModeAllPresentations ? 32 : step;
  for (int j = 2; j <= last && step > 1; ++j) {
    // The polygon moves join in when the user asks for them, or while
    // nothing has been found.
    const int maximal = series_.maximal != 0 || outcome_.presentations == 0 ? 1 : 0;
    if (pass({series_.useOnlyFirst, series_.complicating, maximal, j}) != 0 || GoalReached() != 0) return;
  }
}

// The series time limit: 1 when the item has run long enough.
int TRecognitionDriver::OutOfTime() {
  if (!inSeries_ || series_.timeLimit.count() <= 0) return 0;
  const auto elapsed = clock_() - start_;
  if (elapsed <= series_.timeLimit) return 0;
  if (outcome_.presentations == 0 && elapsed <= 5 * series_.timeLimit) return 0;
  return 1;
}

int TRecognitionDriver::Leaf(TSpine& current) {
  ThrowIfStopped();
  int& index = outcome_.entryIndex;
  auto description = DescribeSpine(current);
  ++outcome_.variants;
  if (ContradictsHomology(*description)) return 0;
  const int code =
      index == -1 ? table_.LookUp(index, std::move(description)) : table_.CompareWithEntry(index, std::move(description));
  if (code == kLookupRecognised) outcome_.mainFound = 1;
  if (CountsAsPresentation(code)) ++outcome_.presentations;
  if (OutOfTime() != 0) return 1;
  return GoalReached();
}

int TRecognitionDriver::TryMove(TSpine& current, TSpine& restorePoint, int component, const TMoveChoice& choice,
                                int depth, int level, const TStagePreset& preset, int& applied) {
  ThrowIfStopped();
  TSpine* part = current.ComponentAt(component);
  if (part == nullptr) return 0;
  int result = 0;
  if (MakeSimplificationStep(1, *part, nullptr, choice, nullptr, nullptr) != 0) {
    applied = 1;
    result = SearchVariants(current, depth + 1, level, preset);
  }
  restorePoint.CopyTo(current);
  return result;
}

int TRecognitionDriver::SearchVariants(TSpine& current, int depth, int level, const TStagePreset& preset) {
  if (depth < 0 || depth >= level) return Leaf(current);
  if (depth == level - 1) {
    RunDefaultMoves(current);
    return Leaf(current);
  }
  TSpine restorePoint;
  current.CopyTo(restorePoint);
  // Without the complicating moves the curves of length 4 are left out.
  const int finderMode = preset.complicating != 0 ? 0 : 1;
  int applied = 0;
  for (int c = 0; current.ComponentAt(c) != nullptr; ++c) {
    const int cells = current.ComponentAt(c)->Objects().CountOfKind(kCellKind);
    for (int cell = 0; cell < cells; ++cell) {
      int type = 0;
      while (true) {
        TSpine* part = current.ComponentAt(c);
        if (part == nullptr) break;
        type = ClassifyCellMove(finderMode, *part, cell, type);
        if (type == 0) break;
        TMoveChoice choice;
        // The first curve of length 4 is performed with its first piercing.
        choice.type = type == kMoveCurve4 ? kMoveCurve4FirstPiercing : type;
        choice.element = cell;
        if (TryMove(current, restorePoint, c, choice, depth, level, preset, applied) != 0) return 1;
        if (preset.useOnlyFirst != 0) break;
      }
    }
  }
  if (preset.maximal != 0 && (applied == 0 || preset.useOnlyFirst == 0)) {
    for (int c = 0; current.ComponentAt(c) != nullptr; ++c) {
      int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
      while (current.ComponentAt(c) != nullptr &&
             FindPolygonOrTMove(depth >= level ? 1 : 0, *current.ComponentAt(c), kMovePolygon, cursor) == kMovePolygon) {
        TMoveChoice choice;
        choice.type = kMovePolygon;
        choice.element = cursor[0];
        for (int k = 0; k < 5; ++k) choice.x[k] = cursor[k + 1];
        if (TryMove(current, restorePoint, c, choice, depth, level, preset, applied) != 0) return 1;
        if (preset.useOnlyFirst != 0) break;
      }
    }
  }
  if (applied == 0) return SearchVariants(current, level, level, preset);
  return 0;
}
