// The switchboard of the simplification moves: the choice of the next move,
// the per-cell classifier, the dispatcher and the step drivers.
//
// One automatic step takes the first applicable move in a fixed priority
// (ChooseNextMove), performs it (PerformMove), trying the next types of the
// priority when the performer refuses, and follows it by collapsings
// or cell reductions as the options ask (MakeSimplificationStep). A move is
// performed on the spine it is given; when its performer refuses, fails half
// way or is stopped, the spine (the head of its chain) is restored from a
// copy taken before, and a refusal is neither counted nor logged.
//
// The drivers are not re-entrant: a nested call of MakeSimplificationStep or
// RunStepsUntilStable on the same thread returns 0 and changes nothing.
#pragma once

#include <cstdint>
#include <vector>

class TSpine;
class TString;

// A move: its type, the element (cell index; edge index for type 19; the
// polygon subtype for type 15) and for polygon moves the boundary-surface
// index and four edge ordinals in x.
struct TMoveChoice {
  int type = 0;
  int element = -1;
  int x[5] = {-1, -1, -1, -1, -1};
  // Type 10: the plate vector of the torus found by the dialog's search
  // (owned by the caller). Without it the cutting refuses.
  const std::vector<std::uint8_t>* plates = nullptr;
};

// Mode 1 (all callers): the first move in priority order. 1 with the move in
// choice (its type non-zero), else 0 with type 0 and element -1.
int ChooseNextMove(int mode, TSpine& spine, TMoveChoice& choice, int* limit, int* counter);

// The next move type applicable to the cell whose order is above the order of
// after (0: from the start), or 0. Mode 0 lists everything, 1 leaves out the
// curves of length 4, 2 tests only the piercings.
int ClassifyCellMove(int mode, TSpine& spine, int cellPosition, int after);

// 15, 19 or 20 when a next candidate of that type exists (the cursor then
// holds it); 0 otherwise, the cursor untouched.
int FindPolygonOrTMove(int mode, TSpine& spine, int type, int cursor[8]);

// Performs the move: 2 for the moves that make the spine more complicated
// first (counterpass, short curve, bipasses, polygon moves, curves of length 4
// with piercing), 1 for the others; 0 when the performer refused, the spine
// then restored as it was. An exception (TComputationStopped, Out_of_Range)
// is passed on after restoring. The restoring copy is made of the head of a
// chain only; on a further spine of the chain the performers' own care (they
// test before they change) is all there is.
int PerformMove(TSpine& spine, const TMoveChoice& choice, TString* moveText, int* limit, int* counter);

// One step: the given move (type non-zero and element not -1) or the one
// ChooseNextMove picks (when it refuses, the first of the later types of the
// priority that goes through), then the follow-ups. The number of transformations
// made; 0 when none or when a step is already running. The report (when
// given) becomes "%s\r\n%s" (move text, follow-up text) or "No transformation".
int MakeSimplificationStep(int mode, TSpine& spine, TString* report, TMoveChoice choice, int* limit,
                           int* counter);

// Collapsings and cuttings over the chain from the spine, with cell
// reductions as the options ask. Mode 1 performs; mode 2 ends a component at
// its first cutting without performing it. Returns collapsings + cuttings +
// reductions; the first two also through the out pointers.
int RunCollapsings(TSpine& spine, TString* report, int mode, int* collapsings = nullptr,
                   int* cuttings = nullptr);

// Steps until a step does nothing; 1 when something was done.
int RunStepsUntilStable(TSpine& spine, TString* report);

// ---- Reporters (silent in quiet mode) ----
// 265 "%u transformation(s) done", or 268 "No transformation" for 0.
void ReportTransformations(TString& text, int n);
// 266 "%s\r\n%s" with the two texts when n is non-zero, else 268.
void ReportStepResult(TString& text, int n, const TString& moveText, const TString& afterText);
// 269 "%u reduction(s) done", also for 0.
void ReportCellReductions(TString& text, int n);
// 275 "%u collapsing(s) with %u cutting(s) and %u reduction(s) done".
void ReportCollapsings(TString& text, int collapsings, int cuttings, int reductions);
