// The kinds of computation task: the long commands that run on the worker
// thread instead of the user interface thread.
//
// The numbers are fixed: menus, the series runner and the engines refer to a
// kind by its number. Every kind but the load of the internal table (14) is
// handed to the worker; that one is run directly by the loader of the atom
// table on a task of its own.
#pragma once

#include <cstdint>
#include <optional>

enum class TTaskKind : std::uint32_t {
  SeriesRun = 1,                // Series "&Run", and the series named on the command line
  RecognizeTillFirst = 2,       // recognition, till the first presentation
  RecognizeTillMain = 3,        // recognition, till the main presentation ("&Recognize\tF5")
  RecognizeAll = 4,             // recognition, all presentations
  DefaultMoves = 5,             // default moves (also Debug "&Go")
  BoundaryAndGroups = 6,        // boundary and fundamental-group presentations
  TuraevViro = 7,               // Turaev-Viro invariants (or their homologically trivial part)
  DWInvariants = 8,             // DW invariants
  SurfaceSearch = 9,            // search for surfaces in the spine
  NormalSurfaceSearch = 10,     // search for normal surfaces
  SimplifyDialogSearch = 11,    // the normal-surface search of the Simplify dialog
  TMoveComparison = 12,         // comparison of two polyhedra by T-moves
  TMoveSimplification = 13,     // simplification of a polyhedron by T-moves
  InternalTableLoad = 14,       // load of the internal table text (never on the worker)
  ImportOneCuspByAtoms = 15,    // imports of cusped presentations into the internal table
  ImportOneCuspByKnots = 16,
  ImportOneCuspByLinks = 17,
  ImportTwoCuspByLinks = 18,
};

inline constexpr std::uint32_t kFirstTaskKind = 1;
inline constexpr std::uint32_t kLastTaskKind = 18;

// The kind of a number, or nothing outside 1..18.
std::optional<TTaskKind> TaskKindOfNumber(std::uint32_t number);

inline constexpr std::uint32_t TaskKindNumber(TTaskKind kind) {
  return static_cast<std::uint32_t>(kind);
}

// Whether the kind is handed to the worker thread (all but the table load).
bool RunsOnWorker(TTaskKind kind);

// The recognition kinds 2 to 4 and the recognition mode they ask for (1 till
// the first presentation, 2 till the main one, 3 all presentations); 0 for the
// other kinds.
int RecognitionModeOfTask(TTaskKind kind);

// How eagerly the worker competes with the user interface for the processor.
// The two surface searches of the Information menu run at normal priority, the
// Simplify dialog's search a little below, everything else at the lowest, so
// that the window stays responsive while a census runs.
enum class TWorkerPriority { Lowest, BelowNormal, Normal };
TWorkerPriority WorkerPriorityOf(TTaskKind kind);
