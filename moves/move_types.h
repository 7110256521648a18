// The move types: the one numbering of moves that the whole system shares.
//
// The type of a move is the creation tag of the objects it builds, the value
// of the spine's current-move word while it runs, the code of its entry in
// the spine's move log, and the key of the Simplify dialog's list and of the
// recognition's search over variants. The numbers are stored in move logs and
// must not change.
//
// The order table ranks the types that the per-cell classifier offers; it is
// filled once at start-up (InitMoveOrderTable) and read-only afterwards.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

enum : int {
  kMoveFromText = 1,               // spine built from a text presentation
  kMoveSuperfluousVertex = 2,
  kMoveSuperfluousEdge = 3,
  kMoveNeedle = 4,
  kMoveCollapsing = 5,
  kMoveDelicatePiercing = 6,
  kMoveCrudePiercing = 7,
  kMoveCutting = 8,
  kMoveRing = 9,
  kMoveNormalTorus = 10,
  kMoveCounterpass = 11,
  kMoveShortCurve = 12,
  kMoveDoubleBipass = 13,
  kMoveTripleBipass = 14,
  kMovePolygon = 15,
  kMoveCurve4 = 16,
  kMoveCurve4FirstPiercing = 17,
  kMoveCurve4SecondPiercing = 18,
  kMoveT = 19,
  kMoveInverseT = 20,
  kLastMoveType = 20,
};

// Order of each type 0..20 among the moves a cell can be offered; 0 for the
// types that are never offered by rank.
inline std::array<std::int32_t, kLastMoveType + 1> MoveOrderTable{};
void InitMoveOrderTable();

// The string-table id of the name under which the Simplify dialog lists the
// type; 0 for a type listed otherwise or not at all. 3028 "None" names a cell
// to which no move applies.
int MoveDialogNameId(int type);
inline constexpr int kNoMoveNameId = 3028;

// The option words the step loop reads (set from the options by the shell).
// Collapsings count when non-zero; cell reductions only when equal to 1;
// surgeries are disabled when non-zero.
inline std::atomic<int> MakeCollapsingsAutomatically{1};
inline std::atomic<int> MakeCellReductionsAutomatically{1};
inline std::atomic<int> DisableSurgeries{0};
