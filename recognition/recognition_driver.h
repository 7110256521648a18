// The recognition driver: searches the tree of spines that simplification
// moves reach from a spine (its variants) and looks every leaf up in a
// result table.
//
// The search runs in stages of growing depth. Each stage has a preset: the
// level (the number of chosen moves before the default moves finish a
// leaf), whether only the first applicable move of each cell is tried,
// whether the moves that complicate the spine first are offered, and whether
// the polygon moves are searched too. The stages stop when the goal of the
// mode is reached: Till First at the first presentation, Till Main when the
// entry is recognised; All Presentations runs the whole schedule. The first
// two stages are quick looks that end at their first presentation whatever
// the mode. The later stages repeat the deepest level on the same spine; a
// repetition that adds nothing would add nothing again, so the schedule ends
// there.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "moves/step_loop.h"
#include "recognition/result_table.h"

class TSpine;

struct TStagePreset {
  int useOnlyFirst = 1;
  int complicating = 0;
  int maximal = 0;  // the polygon moves and the deeper nested search
  int level = 1;
};

// The preset of stage i (1 to kRecognitionStages) of a single command.
TStagePreset StagePreset(int stage);
inline constexpr int kRecognitionStages = 31;

struct TRecognitionOutcome {
  int variants = 0;       // leaves looked up
  int presentations = 0;  // leaves whose answer counts as a presentation
  int mainFound = 0;      // an answer said the entry is recognised
  int entryIndex = -1;    // the entry made or found
  int stages = 0;         // stages run
  int endedEarly = 0;     // a repeated stage changed nothing
  int keptVertices = -1;  // vertices of the kept simplest spine (-1: none kept)
};

// The search of one series item: a first pass of level 1, a second of
// level min(step, 2), then the user's own settings at the levels 2 to step
// (32 when all presentations are wanted), each only while the goal is open.
// With a time limit an item ends once it has run that long, except that an
// item which has found nothing yet may go on up to five times the limit.
struct TSeriesSchedule {
  int step = 2;
  int useOnlyFirst = 0;
  int complicating = 0;
  int maximal = 0;
  std::chrono::milliseconds timeLimit{0};  // 0: no limit
};

class TRecognitionDriver {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;

  // The mode is the recognition mode (Till First, Till Main, All
  // Presentations; in a series also Simplify Only and Compare Only); the
  // table's mode is set to it.
  TRecognitionDriver(TManifoldTable& table, int mode);
  ~TRecognitionDriver();
  TRecognitionDriver(const TRecognitionDriver&) = delete;
  TRecognitionDriver& operator=(const TRecognitionDriver&) = delete;

  // Searches from a copy of the spine (the spine itself is not changed) and
  // merges the entry found into the table. Throws TComputationStopped when
  // a stop is requested; the table then holds what was found so far.
  TRecognitionOutcome Recognize(const TSpine& spine);

  // The last stage run (tests shorten the schedule).
  void SetLastStage(int stage) { lastStage_ = stage; }
  // A stop word of the caller, read besides the process-wide stop request.
  void SetStopFlag(const std::atomic<int>* stop) { stop_ = stop; }
  // Runs the series passes instead of the stages of a single command.
  void SetSeriesSchedule(const TSeriesSchedule& schedule) {
    series_ = schedule;
    inSeries_ = true;
  }
  // The time limit of a single command (0: none): the search ends, with
  // what it has found, once it has run that long, or a quarter of that once
  // a presentation is found (the recognition time limit of the settings).
  void SetTimeLimit(std::chrono::milliseconds limit) { singleLimit_ = limit; }
  // The clock of the time limits (tests jump it).
  void SetClock(TClock clock) { clock_ = std::move(clock); }
  // Simplifies the spine (surgeries off) before recognising it; step is the
  // level of that search, levelBound the deepest level it repeats with the
  // polygon moves (no repetition unless it exceeds step + 1).
  void SetSimplifyFirst(int simplifyFirst, int step, int levelBound) {
    simplifyFirst_ = simplifyFirst;
    simplifyStep_ = step < 1 ? 1 : step;
    levelBound_ = levelBound;
  }
  // The transformation list of the kept spine goes into the hit report.
  void SetOutputMoveList(int outputMoveList) { outputMoveList_ = outputMoveList; }
  // A single command's progress: one status text per leaf, shown at most
  // every interval (the first at once).
  void SetProgressInterval(std::chrono::milliseconds interval) {
    reportProgress_ = true;
    progressInterval_ = interval;
  }
  // A single command's report on a hit (the input text, the table found so
  // far, and how to stop), for a front end that shows it while the search
  // goes on; beep (may be empty) sounds with each report.
  void SetHitReport(std::string initialText, std::function<void(const std::string&)> show,
                    std::function<void()> beep = {}) {
    initialText_ = std::move(initialText);
    showHit_ = std::move(show);
    beep_ = std::move(beep);
  }
  // The hit reports leave out the balls cut off (the setting
  // EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls).
  void SetIgnoreAddedBallsInReports(bool ignore) { reportIgnoresBalls_ = ignore; }
  // The simplest spine the simplify-only search kept (empty when none).
  const TSpine& KeptSpine() const { return *kept_; }

 private:
  // One search pass: the preset, whether leaves may start the nested pass,
  // and the mode whose goal ends the pass.
  struct TPass {
    TStagePreset preset;
    int nested = 0;
    int mode = kModeTillMain;
  };

  int SearchVariants(TSpine& current, int depth, int level, const TPass& pass);
  int SearchWithoutSurgeries(TSpine& current, int depth, int level, const TPass& pass);
  int TryMove(TSpine& current, TSpine& restorePoint, int component, const TMoveChoice& choice, int depth, int level,
              const TPass& pass, int& applied);
  int Leaf(TSpine& current, int depth, const TPass& pass);
  int GoalReached() const;
  int EndsSearch(const TPass& pass, int code) const;
  void RunStages(const TSpine& start);
  void RunSeriesPasses(const TSpine& base);
  void SimplifySpineForTable(const TSpine& base, int& entryIndex);
  void KeepSpine(const TSpine& spine);
  void ReportProgress();
  void ReportHit(TSpine& leaf);
  int OutOfTime();
  void ThrowIfStopped() const;
  bool ContradictsHomology(const TManifoldDescription& d) const;

  TManifoldTable& table_;
  int mode_;
  int lastStage_ = kRecognitionStages;
  TRecognitionOutcome outcome_;
  const std::atomic<int>* stop_ = nullptr;
  // The first homology of the input (torsion, then zeros), when known.
  bool hasHomology_ = false;
  std::vector<std::int32_t> homology_;
  bool inSeries_ = false;
  std::chrono::milliseconds singleLimit_{0};
  TSeriesSchedule series_;
  TClock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::chrono::steady_clock::time_point start_{};

  int simplifyFirst_ = 0;
  int simplifyStep_ = 2;
  int levelBound_ = 2;
  int simplifyOnlyRun_ = 0;
  int compareOnly_ = 0;
  int shownLevel_ = 0;
  int nestedRunning_ = 0;
  int presentationsAside_ = 0;
  int leafComplexity_ = 0;  // the complexity of the entry at the last leaf
  std::unique_ptr<TSpine> kept_;
  int outputMoveList_ = 0;
  bool reportProgress_ = false;
  std::chrono::milliseconds progressInterval_{250};
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
  std::string initialText_;
  std::function<void(const std::string&)> showHit_;
  std::function<void()> beep_;
  bool reportIgnoresBalls_ = false;
};
