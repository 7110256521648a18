// The driver of the cell reductions on a spine.
//
// RunCellReductions repeats passes of the enabled reductions (superfluous
// vertices, superfluous edges, needles; moves/reduction.h) until a pass
// removes nothing, logs every removal in the spine's move log (types 2, 3 and
// 4, without text) and marks the spine reduced. It works on the one spine it
// is given, never along its chain; a thickened spine stays thickened.
#pragma once

#include <atomic>

class TSpine;
class TOutput;

// The switches of the three kinds of reduction (1 enabled).
inline std::atomic<int> SuperfluousVertexReductionEnabled{1};
inline std::atomic<int> SuperfluousEdgeReductionEnabled{1};
inline std::atomic<int> NeedleReductionEnabled{1};

// The number of reductions made. Returns 0 at once while a run on the same
// spine is in progress on this thread (a run on another spine goes ahead).
// Polls the stop flag between removals (TComputationStopped). With a report, "%u reduction(s) done" is appended unless
// QuietMode is set.
int RunCellReductions(TSpine& spine, TOutput* report = nullptr);

// One kind, repeated until none is left; the number removed.
int ReduceSuperfluousVertices(TSpine& spine);
int ReduceSuperfluousEdges(TSpine& spine);
int ReduceNeedles(TSpine& spine);
