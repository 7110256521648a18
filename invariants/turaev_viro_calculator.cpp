#include "invariants/turaev_viro_calculator.h"

#include <chrono>
#include <map>
#include <new>
#include <numeric>
#include <stdexcept>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"

namespace {

// Edge ends are numbered 2(e-1) (where edge e starts) and 2(e-1)+1 (where it
// ends). A passage along its edge runs from the start to the end.
int EndOfPassage(int signedEdge) {
  const int e = signedEdge > 0 ? signedEdge : -signedEdge;
  return 2 * (e - 1) + (signedEdge > 0 ? 1 : 0);
}
int StartOfPassage(int signedEdge) {
  const int e = signedEdge > 0 ? signedEdge : -signedEdge;
  return 2 * (e - 1) + (signedEdge > 0 ? 0 : 1);
}

int Find(std::vector<int>& parent, int x) {
  while (parent[static_cast<std::size_t>(x)] != x) {
    parent[static_cast<std::size_t>(x)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(x)])];
    x = parent[static_cast<std::size_t>(x)];
  }
  return x;
}

// Place of the wing between edge ends x < y of the sorted four A < B < C < D.
int WingPlace(int x, int y) {
  static const int places[4][4] = {{-1, 0, 1, 2}, {0, -1, 5, 4}, {1, 5, -1, 3}, {2, 4, 3, -1}};
  return places[x][y];
}

[[noreturn]] void NotSpecial(const char* why) {
  throw std::invalid_argument(std::string("the cells do not form a special spine: ") + why);
}

}  // namespace

void TTuraevViroCalculator::Setup(const TSpine& spine) {
  cells_.Clear();
  edgeCells_.clear();
  vertexCells_.clear();
  vertexCount_ = 0;
  edgeCount_ = 0;
  try {
    edgeCount_ = cells_.Load(spine);
    edgeCells_.assign(static_cast<std::size_t>(3 * edgeCount_), nullptr);
    std::vector<int> filled(static_cast<std::size_t>(edgeCount_), 0);
    for (int i = 0; i < cells_.Count(); ++i) {
      const TSpineCellRecord* record = cells_.Cell(static_cast<unsigned>(i));
      for (int x : record->edges) {
        const int e = x > 0 ? x : -x;
        if (e == 0) NotSpecial("a passage without edge");
        int& n = filled[static_cast<std::size_t>(e - 1)];
        if (n == 3) NotSpecial("an edge on more than three wings");
        edgeCells_[static_cast<std::size_t>(3 * (e - 1) + n++)] = record;
      }
    }
    for (int n : filled) {
      if (n != 3) NotSpecial("an edge on fewer than three wings");
    }
    BuildVertexCells();
  } catch (...) {
    cells_.Clear();
    edgeCells_.clear();
    vertexCells_.clear();
    vertexCount_ = 0;
    edgeCount_ = 0;
    throw;
  }
}

void TTuraevViroCalculator::BuildVertexCells() {
  struct TCorner {
    int from;  // edge end where a passage arrives
    int to;    // edge end where the next one leaves
    const TSpineCellRecord* cell;
  };
  std::vector<TCorner> corners;
  std::vector<int> parent(static_cast<std::size_t>(2 * edgeCount_));
  std::iota(parent.begin(), parent.end(), 0);
  for (int i = 0; i < cells_.Count(); ++i) {
    const TSpineCellRecord* record = cells_.Cell(static_cast<unsigned>(i));
    const int length = record->BoundaryLength();
    for (int p = 0; p < length; ++p) {
      const TCorner corner{EndOfPassage(record->EdgeAt(p)),
                           StartOfPassage(record->EdgeAt((p + 1) % length)), record};
      corners.push_back(corner);
      parent[static_cast<std::size_t>(Find(parent, corner.from))] = Find(parent, corner.to);
    }
  }
  // Vertices in the order of their first edge end.
  std::map<int, int> vertexOfRoot;
  std::vector<std::vector<int>> ends;
  for (int end = 0; end < 2 * edgeCount_; ++end) {
    const int root = Find(parent, end);
    auto [it, added] = vertexOfRoot.emplace(root, static_cast<int>(ends.size()));
    if (added) ends.emplace_back();
    ends[static_cast<std::size_t>(it->second)].push_back(end);
  }
  vertexCount_ = static_cast<int>(ends.size());
  for (const std::vector<int>& v : ends) {
    if (v.size() != 4) NotSpecial("a vertex without four edge ends");
  }
  vertexCells_.assign(static_cast<std::size_t>(6 * vertexCount_), nullptr);
  for (const TCorner& corner : corners) {
    const int v = vertexOfRoot.at(Find(parent, corner.from));
    const std::vector<int>& four = ends[static_cast<std::size_t>(v)];
    int x = -1;
    int y = -1;
    for (int k = 0; k < 4; ++k) {
      if (four[static_cast<std::size_t>(k)] == corner.from) x = k;
      if (four[static_cast<std::size_t>(k)] == corner.to) y = k;
    }
    if (x == y) NotSpecial("a wing that returns to its edge end");
    const int place = WingPlace(x < y ? x : y, x < y ? y : x);
    const TSpineCellRecord*& slot = vertexCells_[static_cast<std::size_t>(6 * v + place)];
    if (slot != nullptr) NotSpecial("two wings between the same edge ends");
    slot = corner.cell;
  }
}

std::array<int, 3> TTuraevViroCalculator::EdgeCellNumbers(int e) const {
  std::array<int, 3> numbers{};
  for (int j = 0; j < 3; ++j) {
    numbers[static_cast<std::size_t>(j)] = edgeCells_[static_cast<std::size_t>(3 * (e - 1) + j)]->number;
  }
  return numbers;
}

std::array<int, 6> TTuraevViroCalculator::VertexCellNumbers(int v) const {
  std::array<int, 6> numbers{};
  for (int j = 0; j < 6; ++j) {
    numbers[static_cast<std::size_t>(j)] = vertexCells_[static_cast<std::size_t>(6 * (v - 1) + j)]->number;
  }
  return numbers;
}

int TTuraevViroCalculator::ComputeOrder(int r, int variant, long timeLimitMs,
                                        std::atomic<int>* breakFlag,
                                        const std::atomic<int>* stopFlag) {
  if (!InRange(r)) throw std::invalid_argument("Turaev-Viro order out of range");
  if (variant < kTuraevViroBoth || variant > kTuraevViroFull) {
    throw std::invalid_argument("Turaev-Viro variant out of range");
  }
  TCyclotomicNumber full(r);
  TCyclotomicNumber trivial(r);
  int outcome = kTuraevViroDone;
  try {
    outcome = RunStateSum(r, variant, timeLimitMs, breakFlag, stopFlag, full, trivial);
  } catch (const TComputationStopped&) {
    if (breakFlag != nullptr) breakFlag->store(1);
    outcome = kTuraevViroBreak;
  } catch (const std::bad_alloc&) {
    tables_.reset();
    outcome = kTuraevViroOverflow;
  } catch (const Out_of_Range&) {
    outcome = kTuraevViroOverflow;
  }
  if (variant != kTuraevViroTrivialPart) Store(full_, r, outcome, full, false);
  if (variant != kTuraevViroFull) Store(trivial_, r, outcome, trivial, true);
  return outcome;
}

int TTuraevViroCalculator::RunStateSum(int r, int variant, long timeLimitMs,
                                       std::atomic<int>* breakFlag,
                                       const std::atomic<int>* stopFlag, TCyclotomicNumber& full,
                                       TCyclotomicNumber& trivial) {
  const auto start = std::chrono::steady_clock::now();
  unsigned steps = 0;
  // Every 32 colourings visited (a few milliseconds at most): the stop flags
  // and the time limit.
  auto poll = [&]() -> int {
    if (++steps < 32) return 0;
    steps = 0;
    ThrowIfStopRequested();
    if (stopFlag != nullptr && stopFlag->load() != 0) throw TComputationStopped();
    if (timeLimitMs > 0) {
      const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now() - start);
      if (elapsed.count() > timeLimitMs) {
        timeLimitUsed_ = timeLimitMs;
        return kTuraevViroTimeLimit;
      }
    }
    return 0;
  };
  (void)breakFlag;

  if (!tables_ || tables_->Order() != r) {
    tables_.reset();
    tables_ = std::make_unique<TTuraevViroOrderTables>(r);
  }
  TTuraevViroOrderTables& tables = *tables_;
  const int cellCount = cells_.Count();
  TColouringOdometer odometer;
  odometer.Init(r, static_cast<unsigned>(cellCount), variant);
  const std::vector<std::int32_t>& colours = odometer.Digits();
  auto colourOf = [&colours](const TSpineCellRecord* cell) {
    return colours[static_cast<std::size_t>(cell->number - 1)];
  };
  TCyclotomicNumber term(r);
  for (;;) {
    if (const int stopped = poll(); stopped != 0) return stopped;
    int failed = 0;
    for (int e = 1; e <= edgeCount_ && failed == 0; ++e) {
      const TSpineCellRecord* const* at = &edgeCells_[static_cast<std::size_t>(3 * (e - 1))];
      if (!tables.IsAdmissibleTriple(colourOf(at[0]), colourOf(at[1]), colourOf(at[2]))) failed = e;
    }
    if (failed != 0) {
      if (odometer.IsLast()) break;
      odometer.Advance(edgeCells_.data(), failed);
      continue;
    }
    term.SetInt64(1);
    bool zero = false;
    for (int v = 0; v < vertexCount_ && !zero; ++v) {
      const TSpineCellRecord* const* at = &vertexCells_[static_cast<std::size_t>(6 * v)];
      const TCyclotomicNumber& racah = tables.RacahSum(colourOf(at[0]), colourOf(at[1]),
                                                       colourOf(at[2]), colourOf(at[3]),
                                                       colourOf(at[4]), colourOf(at[5]));
      if (racah.IsZero()) {
        zero = true;
      } else {
        term.Multiply(racah);
      }
    }
    if (!zero) {
      for (int e = 0; e < edgeCount_; ++e) {
        const TSpineCellRecord* const* at = &edgeCells_[static_cast<std::size_t>(3 * e)];
        term.Multiply(tables.TriangleWeight(colourOf(at[0]), colourOf(at[1]), colourOf(at[2])));
      }
      // The face weights (-1)^c [c+1]; the edge sign (-1)^((a+b+c)/2) summed
      // over the edges is (-1)^(N/2) with N = sum of colour x boundary length.
      long negations = 0;
      long n = 0;
      for (int i = 0; i < cellCount; ++i) {
        const TSpineCellRecord* cell = cells_.Cell(static_cast<unsigned>(i));
        const int c = colours[static_cast<std::size_t>(i)];
        if (c != 0 && c != r - 2) term.Multiply(tables.QuantumIntegerAt(c + 1));
        negations += c % 2;
        n += static_cast<long>(c) * cell->BoundaryLength();
      }
      if (n % 4 != 0) ++negations;
      if (negations % 2 != 0) term = term.Negated();
      if (variant != kTuraevViroTrivialPart) full.Add(term);
      if (variant != kTuraevViroFull && odometer.AllEven()) trivial.Add(term);
    }
    if (odometer.IsLast()) break;
    odometer.Advance(nullptr, 0);
  }
  return kTuraevViroDone;
}

void TTuraevViroCalculator::Store(std::array<TStored, kLastOrder - kFirstOrder + 1>& slots, int r,
                                  int outcome, const TCyclotomicNumber& value, bool keepDone) {
  TStored& slot = slots[static_cast<std::size_t>(r - kFirstOrder)];
  if (keepDone && slot.outcome == kTuraevViroDone) return;
  slot.outcome = outcome;
  slot.value.reset();
  if (outcome == kTuraevViroDone) slot.value = std::make_unique<TCyclotomicNumber>(value);
}

int TTuraevViroCalculator::FullStatus(int r) const {
  return InRange(r) ? full_[static_cast<std::size_t>(r - kFirstOrder)].outcome : 0;
}

int TTuraevViroCalculator::TrivialPartStatus(int r) const {
  return InRange(r) ? trivial_[static_cast<std::size_t>(r - kFirstOrder)].outcome : 0;
}

const TCyclotomicNumber* TTuraevViroCalculator::FullResult(int r) const {
  return InRange(r) ? full_[static_cast<std::size_t>(r - kFirstOrder)].value.get() : nullptr;
}

const TCyclotomicNumber* TTuraevViroCalculator::TrivialPartResult(int r) const {
  return InRange(r) ? trivial_[static_cast<std::size_t>(r - kFirstOrder)].value.get() : nullptr;
}

int TTuraevViroCalculator::HighestFullOrder() const {
  for (int r = kLastOrder; r >= kFirstOrder; --r) {
    if (FullResult(r) != nullptr) return r;
  }
  return 0;
}

int TTuraevViroCalculator::HighestTrivialPartOrder() const {
  for (int r = kLastOrder; r >= kFirstOrder; --r) {
    if (TrivialPartResult(r) != nullptr) return r;
  }
  return 0;
}
