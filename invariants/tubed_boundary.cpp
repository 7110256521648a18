#include "invariants/tubed_boundary.h"

#include <algorithm>

#include "foundation/stop_poll.h"
#include "model/complex.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "moves/step_loop.h"
#include "model/quiet_scope.h"

namespace {

constexpr int kSphere = 1;
constexpr int kTorus = 2;

struct TSides {
  int cells = 0;
  std::vector<int> surfaceClass;  // per boundary surface
  std::vector<int> plus;          // per cell: the surface of its "+" copy
  std::vector<int> minus;         // per cell: the surface of its "-" copy
};

struct TChoiceState {
  std::vector<int> marks;            // per boundary surface
  std::vector<std::uint8_t> digits;  // per cell
  int surfaceClass = 0;              // 0 before the first choice
};

// Switches the automatic cell reductions off for a scope.
class TNoCellReductionsScope {
 public:
  TNoCellReductionsScope() : saved_(MakeCellReductionsAutomatically.exchange(0)) {}
  ~TNoCellReductionsScope() { MakeCellReductionsAutomatically.store(saved_); }
  TNoCellReductionsScope(const TNoCellReductionsScope&) = delete;
  TNoCellReductionsScope& operator=(const TNoCellReductionsScope&) = delete;

 private:
  int saved_;
};

void AddSideIncidences(const TSides& sides, TChoiceState& state, int surface) {
  if (state.marks[static_cast<std::size_t>(surface)] != 0) return;
  state.marks[static_cast<std::size_t>(surface)] = 1;
  for (int j = 0; j < sides.cells; ++j) {
    const auto at = static_cast<std::size_t>(j);
    state.digits[at] = static_cast<std::uint8_t>(state.digits[at] + (sides.plus[at] == surface) +
                                                 (sides.minus[at] == surface));
  }
}

// The first cell after `last` that may be pierced next; -1 when none. The
// state receives the marks, digits and class after the choice.
int NextPiercingChoice(const TSides& sides, TChoiceState& state, int last) {
  const bool first = state.surfaceClass == 0;
  for (int i = last + 1; i < sides.cells; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const int plus = sides.plus[at];
    const int minus = sides.minus[at];
    const bool eligible =
        first || (state.digits[at] != 0 && state.marks[static_cast<std::size_t>(plus)] != 0);
    if (!eligible) continue;
    const int current = first ? sides.surfaceClass[static_cast<std::size_t>(plus)] : state.surfaceClass;
    const int minusClass = sides.surfaceClass[static_cast<std::size_t>(minus)];
    int next = -1;
    if (state.marks[static_cast<std::size_t>(minus)] == 0 && (!first || minus != plus)) {
      if (current == kSphere) next = minusClass;
      if (current == kTorus && minusClass == kSphere) next = kTorus;
    } else if (current == kSphere) {
      next = kTorus;  // a handle: the tube returns to the surface it left
    }
    if (next < 0) continue;
    state.surfaceClass = next;
    AddSideIncidences(sides, state, plus);
    AddSideIncidences(sides, state, minus);
    return i;
  }
  return -1;
}

// Pierces the cell numbered `number` in the spine and collapses; true when
// no cutting was needed.
bool PierceAndCollapse(TSpine& spine, int number) {
  TObjectHeader* cell = spine.Objects().FindByNumber(kCellKind, number);
  if (cell == nullptr) return false;
  const int position = spine.CellOrdinal(cell);
  if (position < 0 || PierceCellQuietly(spine, position) == 0) return false;
  TNoCellReductionsScope noReductions;
  int collapsings = 0;
  int cuttings = 0;
  RunCollapsings(spine, nullptr, 2, &collapsings, &cuttings);
  return cuttings == 0;
}

void Insert(TTubedSurfaceList& list, const std::vector<std::uint8_t>& digits) {
  const bool zeroOrTwo = std::all_of(digits.begin(), digits.end(), [](auto d) { return d == 0 || d == 2; });
  if (zeroOrTwo && std::count(digits.begin(), digits.end(), 0) <= 1) return;
  list.insert(digits);
}

void Enumerate(const TSides& sides, int depth, int depths, TSpine& spine, const TChoiceState& parent,
               TTubedSurfaceList& list) {
  int last = -1;
  for (;;) {
    ThrowIfStopRequested();
    TChoiceState state = parent;
    const int chosen = NextPiercingChoice(sides, state, last);
    if (chosen < 0) return;
    last = chosen;
    TSpine pierced;
    spine.CopyTo(pierced);
    if (!PierceAndCollapse(pierced, chosen + 1)) continue;
    for (int j = 0; j < sides.cells; ++j) {
      auto& digit = state.digits[static_cast<std::size_t>(j)];
      if (digit != 0 && pierced.Objects().FindByNumber(kCellKind, j + 1) == nullptr) digit = 0;
    }
    Insert(list, state.digits);
    if (depth + 1 < depths) Enumerate(sides, depth + 1, depths, pierced, state, list);
  }
}

}  // namespace

TTubedSurfaceList FindSurfacesBySides(const TSpine& spine) {
  TTubedSurfaceList list;
  TSpine copy;
  spine.CopyTo(copy);
  copy.Objects().Renumber();
  TQuietScope quiet;
  const int thickened = copy.IsThickened() ? 1 : copy.Thicken(1);
  if (thickened == 0 || copy.Orientability(1) != 1) return list;
  TSides sides;
  const int b = copy.BoundaryCount();
  bool sphere = false;
  for (int s = 0; s < b; ++s) {
    const int surfaceClass = copy.BoundarySurfaceClass(copy.BoundaryAt(s));
    if (surfaceClass != kSphere && surfaceClass != kTorus) return list;
    sphere = sphere || surfaceClass == kSphere;
    sides.surfaceClass.push_back(surfaceClass);
  }
  if (!sphere) return list;
  const TObjectManager& objects = copy.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || ObjectKind(cell) != kCellKind) continue;
    const THandle thick = ThickCellOfCell(copy, cell);
    int plus = 0;
    int minus = 0;
    if (b >= 2 && thick.IsValid()) {
      plus = std::max(0, copy.BoundarySurfaceIndex(copy.BoundarySurfaceOf(TThickCell::Part(thick, 2))));
      minus = std::max(0, copy.BoundarySurfaceIndex(copy.BoundarySurfaceOf(TThickCell::Part(thick, 3))));
    }
    sides.plus.push_back(plus);
    sides.minus.push_back(minus);
  }
  sides.cells = static_cast<int>(sides.plus.size());
  TChoiceState start;
  start.marks.assign(static_cast<std::size_t>(b), 0);
  start.digits.assign(static_cast<std::size_t>(sides.cells), 0);
  Enumerate(sides, 0, b, copy, start, list);
  return list;
}

bool IsTubedSurface(const TTubedSurfaceList& list, const std::vector<std::uint8_t>& plates) {
  if (plates.empty() || *std::max_element(plates.begin(), plates.end()) > 2) return false;
  return list.count(plates) != 0;
}
