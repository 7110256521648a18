#include "recognition/recognition_driver.h"

#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/homology.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "recognition/result_table_printer.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"
#include "shell/string_text.h"

namespace {

// The polygon pass of a node: every polygon move of every component, in the
// finder's order, each performed by perform (component, choice); only the
// first of a component with UseOnlyFirst. 1 when a performance ends the search.
template <typename Perform>
int PolygonPass(TSpine& current, int depth, int level, const TStagePreset& preset, Perform&& perform) {
  for (int c = 0; current.ComponentAt(c) != nullptr; ++c) {
    int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
    while (current.ComponentAt(c) != nullptr &&
           FindPolygonOrTMove(depth >= level ? 1 : 0, *current.ComponentAt(c), kMovePolygon, cursor) == kMovePolygon) {
      TMoveChoice choice;
      choice.type = kMovePolygon;
      choice.element = cursor[0];
      for (int k = 0; k < 5; ++k) choice.x[k] = cursor[k + 1];
      if (perform(c, choice) != 0) return 1;
      if (preset.useOnlyFirst != 0) break;
    }
  }
  return 0;
}

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

// Progress texts of a single command, and the line that ends the report
// shown on a hit.
constexpr int kProgressExceptionalId = 179;
constexpr int kProgressSimplifyId = 180;
constexpr int kProgressPresentationsId = 181;
constexpr int kHitStopHintId = 182;

// With the surgeries off the descent ends only when no move applies; moves
// that keep the complexity could in principle go round in a cycle, so a
// descent this deep is taken as a leaf.
constexpr int kMaxDescent = 256;

// Switches the surgeries off for a scope (the moves read the process-wide
// switch) and restores the caller's setting on every way out.
class TSurgeriesOff {
 public:
  TSurgeriesOff() : saved_(DisableSurgeries.exchange(1)) {}
  ~TSurgeriesOff() { DisableSurgeries.store(saved_); }
  TSurgeriesOff(const TSurgeriesOff&) = delete;
  TSurgeriesOff& operator=(const TSurgeriesOff&) = delete;

 private:
  int saved_;
};

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

TRecognitionDriver::TRecognitionDriver(TManifoldTable& table, int mode)
    : table_(table), mode_(mode), kept_(std::make_unique<TSpine>()) {}

TRecognitionDriver::~TRecognitionDriver() = default;

int TRecognitionDriver::GoalReached() const {
  if (mode_ == kModeTillFirst && outcome_.presentations > 0) return 1;
  if (mode_ == kModeTillMain && outcome_.mainFound != 0) return 1;
  return 0;
}

// Whether a leaf ends the whole search (or the nested pass it belongs to):
// the goal of the requested mode or of the pass, a simplify-only run of a
// single command that reached a spine of complexity 1, or a series item
// found trivial or reducible.
int TRecognitionDriver::EndsSearch(const TPass& pass, int code) const {
  if ((mode_ == kModeTillFirst || pass.mode == kModeTillFirst) && outcome_.presentations > 0 && simplifyOnlyRun_ == 0)
    return 1;
  if ((mode_ == kModeTillMain || pass.mode == kModeTillMain) && outcome_.mainFound != 0) return 1;
  if (!inSeries_ && simplifyOnlyRun_ != 0 && leafComplexity_ == 1) return 1;
  if (inSeries_ && (code == kLookupTrivialRejected || code == kLookupReducibleRejected)) return 1;
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
  // The moves and lookups below poll only the stop flag of the thread.
  TStopFlagScope stopScope(stop_);
  outcome_ = TRecognitionOutcome{};
  table_.SetRecognitionMode(mode_);
  kept_->Clear();
  simplifyOnlyRun_ = 0;
  compareOnly_ = 0;
  nestedRunning_ = 0;
  presentationsAside_ = 0;
  leafComplexity_ = 0;
  progressShown_ = false;
  TSpine base;
  spine.CopyTo(base);
  hasHomology_ = false;
  if (spine.HomologyList() != nullptr) {
    homology_ = spine.HomologyList()->Elements();
    hasHomology_ = true;
  }
  try {
    if (inSeries_ && (mode_ == kModeSimplifyOnly || mode_ == kModeCompareOnly)) {
      start_ = clock_();
      if (simplifyFirst_ != 0 || mode_ == kModeSimplifyOnly) {
        SimplifySpineForTable(base, outcome_.entryIndex);
      } else {
        // Compare only: the spine is looked up as it stands.
        TSpine current;
        base.CopyTo(current);
        TPass pass;
        pass.mode = mode_;
        compareOnly_ = 1;
        Leaf(current, -1, pass);
        compareOnly_ = 0;
      }
    } else {
      const TSpine* start = &base;
      if (simplifyFirst_ != 0) {
        // Any index but -1: the entry the simplification makes is only a
        // means to keep the simplest spine and is removed again.
        int index = table_.CountEntries();
        SimplifySpineForTable(base, index);
        if (!kept_->IsEmpty()) start = kept_.get();
      }
      if (inSeries_)
        RunSeriesPasses(*start);
      else
        RunStages(*start);
    }
  } catch (const TComputationStopped&) {
    // A stopped run still completes the entry it has made.
    compareOnly_ = 0;
    if (outcome_.entryIndex != -1) table_.MergeResult(outcome_.entryIndex, base);
    throw;
  }
  if (outcome_.entryIndex != -1) {
    // The surface search reads the homology of the spine; a series that
    // searches computes it even for a spine too big for the table's own.
    if (table_.SearchesForSurfaces() && base.HomologyList() == nullptr) base.ComputeHomology();
    table_.MergeResult(outcome_.entryIndex, base);
  }
  return outcome_;
}

void TRecognitionDriver::RunStages(const TSpine& start) {
  TStagePreset previous;
  start_ = clock_();
  for (int stage = 1; stage <= lastStage_; ++stage) {
    ThrowIfStopped();
    if (stage > 1 && (GoalReached() != 0 || OutOfTime() != 0)) break;
    TPass pass;
    pass.preset = StagePreset(stage);
    // The first two stages are quick looks: each ends at its first
    // presentation whatever the goal, and the stages after them search on
    // for the goal (the requested mode still ends them).
    pass.mode = stage <= 2 ? kModeTillFirst : kModeAllPresentations;
    shownLevel_ = stage - 1;
    // The first stage, and the second while nothing is found, look deeper
    // from the leaves they cannot name; later stages only in maximal mode.
    if (stage == 1)
      pass.nested = 1;
    else if (stage == 2)
      pass.nested = outcome_.presentations == 0 ? 1 : 0;
    else
      pass.nested = pass.preset.maximal;
    const int entriesBefore = table_.CountEntries();
    const int presentationsBefore = table_.CountPresentations();
    const int headBefore = outcome_.entryIndex;
    TSpine current;
    start.CopyTo(current);
    outcome_.stages = stage;
    // An ended stage does not end the schedule: the loop's own test above
    // decides whether the next stage runs (the first two stages end at a
    // presentation that may not be the goal).
    SearchVariants(current, 0, pass.preset.level, pass);
    // The stage repeated the one before it on the same spine and found
    // nothing new: every further repetition would do the same, so the
    // schedule goes on with the next different preset, if any.
    if (stage > 1 && SamePreset(pass.preset, previous) && table_.CountEntries() == entriesBefore &&
        table_.CountPresentations() == presentationsBefore && outcome_.entryIndex == headBefore) {
      int next = stage + 1;
      while (next <= lastStage_ && SamePreset(StagePreset(next), pass.preset)) ++next;
      if (next > stage + 1) outcome_.endedEarly = 1;
      stage = next - 1;
    }
    previous = pass.preset;
  }
}

void TRecognitionDriver::RunSeriesPasses(const TSpine& base) {
  start_ = clock_();
  auto run = [&](const TStagePreset& preset, int nested) {
    ThrowIfStopped();
    TSpine current;
    base.CopyTo(current);
    ++outcome_.stages;
    TPass pass;
    pass.preset = preset;
    pass.nested = nested;
    pass.mode = mode_;
    return SearchVariants(current, 0, preset.level, pass);
  };
  if (run({1, 0, 0, 1}, 1) != 0 || GoalReached() != 0) return;
  const int step = series_.step < 1 ? 1 : series_.step;
  if (run({1, 0, 0, step < 2 ? step : 2}, outcome_.presentations == 0 ? 1 : 0) != 0 || GoalReached() != 0) return;
  const int last = mode_ == kModeAllPresentations ? 32 : step;
  for (int j = 2; j <= last && step > 1; ++j) {
    // The polygon moves and the nested pass join in when the user asks for
    // them, or while nothing has been found.
    const int maximal = series_.maximal != 0 || outcome_.presentations == 0 ? 1 : 0;
    if (run({series_.useOnlyFirst, series_.complicating, maximal, j}, maximal) != 0 || GoalReached() != 0) return;
  }
}

// The search with the surgeries off. Its lookups only steer it; the entry it
// makes is handed to the caller when the caller has none (entryIndex -1),
// else removed again, so that a recognition that simplifies first starts
// its own entry from the kept spine.
void TRecognitionDriver::SimplifySpineForTable(const TSpine& base, int& entryIndex) {
  TSurgeriesOff surgeriesOff;
  const int savedCompareOnly = compareOnly_;
  const int savedPresentations = outcome_.presentations;
  const int savedMainFound = outcome_.mainFound;
  const int outerIndex = outcome_.entryIndex;
  simplifyOnlyRun_ = 1;
  compareOnly_ = 0;
  outcome_.presentations = 0;
  outcome_.mainFound = 0;
  outcome_.entryIndex = -1;
  const int entriesBefore = table_.CountEntries();
  shownLevel_ = simplifyStep_;
  if (!inSeries_) start_ = clock_();

  // Steps 5 and 7 of the search also on a stop: the entry is handed over or
  // removed, and the caller's state comes back.
  bool removed = false;
  auto finish = [&] {
    const int local = outcome_.entryIndex;
    outcome_.entryIndex = outerIndex;
    outcome_.presentations = savedPresentations;
    outcome_.mainFound = savedMainFound;
    compareOnly_ = savedCompareOnly;
    simplifyOnlyRun_ = 0;
    if (entryIndex == -1) {
      entryIndex = local;
    } else if (local != -1 && table_.CountEntries() > entriesBefore) {
      table_.RemoveEntry(local);
      removed = true;
    }
    return local;
  };

  int local = -1;
  try {
    TPass pass;
    pass.preset = {0, 0, 0, simplifyStep_};
    pass.mode = kModeCompareOnly;
    TSpine current;
    base.CopyTo(current);
    int r = SearchVariants(current, 0, simplifyStep_, pass);
    // Deeper repetitions at the same level, now with the polygon moves.
    pass.preset.maximal = 1;
    for (int i = simplifyStep_ + 1; i < levelBound_ && r != 1; ++i) {
      ThrowIfStopped();
      current.Clear();
      base.CopyTo(current);
      shownLevel_ = i - 1;
      r = SearchVariants(current, 0, simplifyStep_, pass);
    }
  } catch (const TComputationStopped&) {
    finish();
    throw;
  }
  local = finish();
  // The entry's text is the kept spine. An entry removed above has no
  // index any more: writing through it would stamp the entry that took
  // its place.
  if (local != -1 && !removed && !kept_->IsEmpty() && CountChainVertices(*kept_) > 0) {
    TSpine numbered;
    kept_->CopyTo(numbered);
    numbered.Objects().Renumber();
    TOutput text;
    PrintCellList(text, &numbered, 3);
    table_.SetEntryText(local, text.Text());
  }
}

void TRecognitionDriver::KeepSpine(const TSpine& spine) {
  kept_->Clear();
  spine.CopyTo(*kept_);
  outcome_.keptVertices = CountChainVertices(*kept_);
}

// One status text per leaf of a single command, no more often than the
// interval: the presentations found so far, or the complexity of the
// entry while none is found (of the simplified spine in a simplify-only run).
void TRecognitionDriver::ReportProgress() {
  if (!reportProgress_ || inSeries_) return;
  const auto now = std::chrono::steady_clock::now();
  if (progressShown_ && now - lastProgress_ < progressInterval_) return;
  progressShown_ = true;
  lastProgress_ = now;
  const unsigned variants = static_cast<unsigned>(outcome_.variants);
  const unsigned level = static_cast<unsigned>(shownLevel_);
  std::string text;
  if (simplifyOnlyRun_ == 0 && outcome_.presentations + presentationsAside_ != 0) {
    text = FormatStringText(kProgressPresentationsId, static_cast<unsigned>(table_.CountPresentations()), variants,
                            level);
  } else {
    const unsigned complexity = static_cast<unsigned>(leafComplexity_ < 0 ? 0 : leafComplexity_);
    text = FormatStringText(simplifyOnlyRun_ != 0 ? kProgressSimplifyId : kProgressExceptionalId, complexity,
                            variants, level);
  }
  ShowStatusText(text.c_str());
}

// The report a front end shows on a hit: the input, then the simplified
// spine (simplify-only run) or the table so far, then how to stop.
void TRecognitionDriver::ReportHit(TSpine& leaf) {
  if (!showHit_ || inSeries_) return;
  TOutput report;
  report.AppendText(initialText_.c_str());
  report.NewLines(1);
  if (simplifyOnlyRun_ != 0) {
    if (outputMoveList_ == 1) PrintTransformationList(leaf, report);
    PrintCellList(report, &leaf, 0);
  } else {
    TResultTableStyle style;
    style.seriesRun = false;
    style.sourceSpines = false;
    style.ignoreAddedBalls = reportIgnoresBalls_;
    PrintResultTable(report, table_, style);
  }
  report.AppendText(StringText(kHitStopHintId).c_str());
  showHit_(report.Text());
  if (beep_) beep_();
}

// The series time limit: 1 when the item has run long enough. An item that
// has found nothing may go on up to five times the limit, unless the
// surgeries are off (a simplification gains nothing from more time).
int TRecognitionDriver::OutOfTime() {
  if (!inSeries_) {
    if (singleLimit_.count() <= 0) return 0;
    const auto elapsed = clock_() - start_;
    if (elapsed > singleLimit_) return 1;
    return outcome_.presentations + presentationsAside_ > 0 && 4 * elapsed > singleLimit_ ? 1 : 0;
  }
  if (series_.timeLimit.count() <= 0) return 0;
  const auto elapsed = clock_() - start_;
  if (elapsed <= series_.timeLimit) return 0;
  if (outcome_.presentations + presentationsAside_ == 0 && simplifyOnlyRun_ == 0 &&
      elapsed <= 5 * series_.timeLimit)
    return 0;
  return 1;
}

int TRecognitionDriver::Leaf(TSpine& current, int depth, const TPass& pass) {
  ThrowIfStopped();
  int& index = outcome_.entryIndex;
  const bool surgeriesOff = DisableSurgeries.load() != 0;
  const bool mayKeep = (simplifyFirst_ != 0 || simplifyOnlyRun_ != 0) && surgeriesOff;
  const bool mayNest = nestedRunning_ == 0 && pass.nested != 0 && depth != -1;
  // The description uses up the spine's molecule; the kept spine and the
  // nested pass need the spine as it was.
  std::unique_ptr<TSpine> copy;
  if (mayKeep || mayNest) {
    copy = std::make_unique<TSpine>();
    current.CopyTo(*copy);
  }
  auto description = DescribeSpine(current, table_.IgnoresAddedBalls());
  ++outcome_.variants;
  if (ContradictsHomology(*description)) return 0;
  const int code =
      index == -1 ? table_.LookUp(index, std::move(description)) : table_.CompareWithEntry(index, std::move(description));
  if (mayKeep && (code == kLookupNewUntyped || code == kLookupPresentationAdded || code == kLookupRecognised) &&
      table_.LastInsertPosition() == 0)
    KeepSpine(*copy);
  if (code == kLookupRecognised) outcome_.mainFound = 1;
  if (mayNest && (code == kLookupNotBetter || code == kLookupNewUntyped || code == kLookupNewWithSeifertAtom)) {
    // A few levels deeper from this leaf, every move of every cell, until
    // one presentation is found; its count is kept apart meanwhile so that
    // the pass looks for a presentation of its own.
    ThrowIfStopped();
    TPass inner = pass;
    const int extra = pass.preset.maximal != 0 ? (outcome_.presentations == 0 ? 5 : 4) : 3;
    inner.preset.useOnlyFirst = 0;
    inner.preset.maximal = 1;
    inner.nested = 0;
    inner.mode = kModeTillFirst;
    const int aside = outcome_.presentations;
    nestedRunning_ = 1;
    presentationsAside_ = aside;
    outcome_.presentations = 0;
    auto restore = [&] {
      outcome_.presentations += aside;
      presentationsAside_ = 0;
      nestedRunning_ = 0;
    };
    try {
      SearchVariants(*copy, depth + 1, depth + extra, inner);
    } catch (...) {
      restore();
      throw;
    }
    restore();
  }
  if (CountsAsPresentation(code)) ++outcome_.presentations;
  const TManifoldDescription* entry = index == -1 ? nullptr : table_.GetEntry(index);
  leafComplexity_ = entry != nullptr ? entry->GetComplexity() : 0;
  ReportProgress();
  const bool hit = code == kLookupNewUntyped || code == kLookupNewWithSeifertAtom ||
                   (mode_ == kModeTillMain && (code == kLookupNewTyped || code == kLookupPresentationAdded)) ||
                   (mode_ == kModeAllPresentations &&
                    (code == kLookupRecognised || code == kLookupTrivialRejected ||
                     code == kLookupReducibleRejected || code == kLookupNewTyped || code == kLookupPresentationAdded));
  if (hit) ReportHit(current);
  if (OutOfTime() != 0) return 1;
  return EndsSearch(pass, code);
}

int TRecognitionDriver::TryMove(TSpine& current, TSpine& restorePoint, int component, const TMoveChoice& choice,
                                int depth, int level, const TPass& pass, int& applied) {
  ThrowIfStopped();
  TSpine* part = current.ComponentAt(component);
  if (part == nullptr) return 0;
  int result = 0;
  if (MakeSimplificationStep(1, *part, nullptr, choice, nullptr, nullptr) != 0) {
    applied = 1;
    result = SearchVariants(current, depth + 1, level, pass);
  }
  restorePoint.CopyTo(current);
  return result;
}

int TRecognitionDriver::SearchVariants(TSpine& current, int depth, int level, const TPass& pass) {
  if (depth == -1 || compareOnly_ != 0) return Leaf(current, depth, pass);
  if (DisableSurgeries.load() != 0) return SearchWithoutSurgeries(current, depth, level, pass);
  const TStagePreset& preset = pass.preset;
  if (depth < 0 || depth >= level) return Leaf(current, depth, pass);
  if (depth == level - 1) {
    RunDefaultMoves(current);
    return Leaf(current, level, pass);
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
        if (TryMove(current, restorePoint, c, choice, depth, level, pass, applied) != 0) return 1;
        if (preset.useOnlyFirst != 0) break;
      }
    }
  }
  if (preset.maximal != 0 && (applied == 0 || preset.useOnlyFirst == 0) &&
      PolygonPass(current, depth, level, preset, [&](int c, const TMoveChoice& choice) {
        return TryMove(current, restorePoint, c, choice, depth, level, pass, applied);
      }) != 0)
    return 1;
  if (applied == 0) return SearchVariants(current, level, level, pass);
  return 0;
}

// With the surgeries off the spine stays special and in one piece. Below
// the level every applicable move of every cell is tried (the curves of
// length 4 too, which complicate the spine first); from the level on the
// search only simplifies and follows the first move that keeps the spine
// special, until no move applies: that spine is the leaf.
int TRecognitionDriver::SearchWithoutSurgeries(TSpine& current, int depth, int level, const TPass& pass) {
  if (depth > kMaxDescent) return Leaf(current, -1, pass);
  const TStagePreset& preset = pass.preset;
  const bool greedy = depth >= level - 1;
  TSpine restorePoint;
  current.CopyTo(restorePoint);
  int applied = 0;
  bool recursed = false;
  // Performs a move on a component; recurses when the spine is still
  // special; restores the spine. 1 ends the whole search.
  auto perform = [&](int component, const TMoveChoice& choice) {
    ThrowIfStopped();
    TSpine* part = current.ComponentAt(component);
    if (part == nullptr) return 0;
    int result = 0;
    if (MakeSimplificationStep(1, *part, nullptr, choice, nullptr, nullptr) != 0) {
      applied = 1;
      if (current.IsSpecial(1) != 0) {
        recursed = true;
        result = SearchVariants(current, depth + 1, level, pass);
      }
    }
    current.Clear();
    restorePoint.CopyTo(current);
    return result;
  };
  bool done = false;
  for (int c = 0; !done && current.ComponentAt(c) != nullptr; ++c) {
    const int cells = current.ComponentAt(c)->Objects().CountOfKind(kCellKind);
    for (int cell = 0; !done && cell < cells; ++cell) {
      int type = 0;
      while (true) {
        TSpine* part = current.ComponentAt(c);
        if (part == nullptr) break;
        type = ClassifyCellMove(greedy ? 1 : 0, *part, cell, type);
        if (type == 0) break;
        TMoveChoice choice;
        choice.type = type == kMoveCurve4 ? kMoveCurve4FirstPiercing : type;
        choice.element = cell;
        if (perform(c, choice) != 0) return 1;
        if (recursed && greedy) {
          done = true;
          break;
        }
        if (preset.useOnlyFirst != 0) break;
      }
    }
  }
  if (preset.maximal != 0 && (applied == 0 || preset.useOnlyFirst == 0) &&
      PolygonPass(current, depth, level, preset, perform) != 0)
    return 1;
  if (applied == 0 && preset.maximal != 0) {
    int type = 0;
    const int cell = FindCurveLength4WithPiercing(current, &type);
    if (cell != -1 && type != 0) {
      TMoveChoice choice;
      choice.type = type;
      choice.element = cell;
      if (perform(0, choice) != 0) return 1;
    }
  }
  // Moves that all leave the special spines lead nowhere: this spine is
  // then as simple as the search gets, and is looked up like one that no
  // move applies to (else the search would end without any answer).
  if (!recursed) return SearchVariants(current, -1, level, pass);
  return 0;
}
