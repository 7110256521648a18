// The enumeration of normal surfaces by plate degree: the connected ones for
// the report, and the resumable search for normal tori.
//
// At plate degree k the vectors with largest digit k are visited in
// lexicographic order (a vector whose digits are all below k was visited at
// its own degree and is lifted to one ending in k). Each degree has (k+1)^n
// vectors before pruning, so the search is bounded by a number of visited
// vectors and by the stop flag.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "foundation/digit_counter.h"
#include "foundation/stop_poll.h"
#include "invariants/normal_surface.h"
#include "invariants/surface_search_progress.h"
#include "invariants/surface_spine_snapshot.h"
#include "model/spine.h"

namespace {

constexpr int kLargestPlateDegree = 254;  // the digit counter's radix limit is 255

struct TPreparedSpine {
  TSurfaceSpineSnapshot snapshot;
  TPlateGluing gluing;
};

void Prepare(TSpine& spine, TPreparedSpine& prepared) {
  if (spine.IsSpecial(2) == 0) throw std::invalid_argument("the spine is not special");
  prepared.snapshot.Load(spine);
  prepared.gluing.Build(prepared.snapshot);
}

std::vector<std::uint32_t> QuadCounts(const TVertexWingTable& table) {
  std::vector<std::uint32_t> quads;
  for (int v = 0; v < table.Count(); ++v) quads.push_back(table.At(v).quads);
  return quads;
}

// Steps the counter to the next vector of degree k that satisfies the edge
// and vertex equations; false when the degree is exhausted. `visit` counts
// the vectors and may end the search by returning false.
template <typename TVisit>
bool NextSolution(TDigitCounter& counter, TSurfaceSpineSnapshot& snapshot, int k, int& skip,
                  TVisit&& visit) {
  const int n = counter.Length();
  while (counter.Next(skip)) {
    skip = n - 1;
    if (!visit()) return false;
    if (k > 1 && counter.MaxDigit() != k) counter.SetDigit(n - 1, static_cast<std::uint8_t>(k));
    const std::span<const std::uint8_t> plates = counter.Digits();
    if (!CheckEdgeEquations(snapshot.Edges(), plates, skip)) continue;
    if (!CheckVertexEquations(snapshot.Vertices(), plates, skip)) continue;
    return true;
  }
  return false;
}

}  // namespace

TNormalSurfaceSearchResult SearchNormalSurfaces(TSpine& spine, int maxDegree, std::uint64_t limit,
                                                void (*progress)(void*, const TNormalSurfaceSearchResult&),
                                                void* context) {
  TNormalSurfaceSearchResult result;
  TPreparedSpine prepared;
  Prepare(spine, prepared);
  TSurfaceSpineSnapshot& snapshot = prepared.snapshot;
  result.boundaryCount = prepared.gluing.BoundaryCount();
  const int n = snapshot.CellCount();
  if (n <= 1) return result;
  const std::vector<TMultiplicityRow> rows =
      result.boundaryCount > 1 ? BuildCellMultiplicityRows(snapshot) : std::vector<TMultiplicityRow>{};
  const TTubedSurfaceList tubed =
      result.boundaryCount > 1 ? FindSurfacesBySides(snapshot.Copy()) : TTubedSurfaceList{};
  // A vector costs a pass over the edges and vertices: poll often.
  TStopPoll poll(256);
  ThrowIfStopRequested();
  int degree = 1;
  std::uint64_t atDegree = 0;  // vectors visited at this degree
  auto visit = [&] {
    poll.Step();
    if (limit != 0 && result.visited >= limit) {
      result.limitReached = true;
      return false;
    }
    ++result.visited;
    ShowSurfaceSearchProgress(result.surfaces.size(), degree, ++atDegree);
    return true;
  };
  const int bound = std::clamp(maxDegree, 1, kLargestPlateDegree);
  for (int k = 1; k <= bound && !result.limitReached; ++k) {
    result.lastDegree = k;
    degree = k;
    atDegree = 0;
    std::optional<TDigitCounter> counter = TDigitCounter::Create(k + 1, n);
    if (!counter) break;
    const std::size_t before = result.surfaces.size();
    int skip = n - 1;
    while (NextSolution(*counter, snapshot, k, skip, visit)) {
      const std::span<const std::uint8_t> plates = counter->Digits();
      const TNormalSurfaceShape shape = DescribeNormalSurface(snapshot, prepared.gluing, plates);
      if (shape.components.size() != 1) continue;
      TFoundSurface surface;
      surface.plates.assign(plates.begin(), plates.end());
      surface.quads = QuadCounts(snapshot.Vertices());
      surface.components = shape.components;
      surface.boundaryRelation = ClassifyBoundaryParallel(shape.onlyTriangles, plates, surface.quads,
                                                          result.boundaryCount, rows, &tubed);
      result.surfaces.push_back(std::move(surface));
    }
    if (progress != nullptr && result.surfaces.size() > before) progress(context, result);
  }
  return result;
}

bool FindNextNormalTorus(TSpine& spine, TSurfaceSearchState& state, int maxDegree,
                         const TTubedSurfaceList* tubed, int searchType) {
  TPreparedSpine prepared;
  Prepare(spine, prepared);
  TSurfaceSpineSnapshot& snapshot = prepared.snapshot;
  const int n = snapshot.CellCount();
  if (n <= 1) return false;
  const bool closed = prepared.gluing.ClosedManifold();
  TStopPoll poll(256);
  ThrowIfStopRequested();
  int degree = 0;
  std::uint64_t atDegree = 0;  // vectors visited at this degree in this call
  auto visit = [&] {
    poll.Step();
    if (state.visitLimit != 0 && state.visited >= state.visitLimit) {
      state.limitReached = true;
      return false;
    }
    ++state.visited;
    ++atDegree;
    if (searchType != kSilentNormalTorusSearch) ShowNormalTorusProgress(state.variant, degree, atDegree);
    return true;
  };
  const int bound = std::clamp(maxDegree, 1, kLargestPlateDegree);
  const int start = std::max(state.degree, 1);
  for (int k = start; k <= bound; ++k) {
    degree = k;
    atDegree = 0;
    std::optional<TDigitCounter> counter = TDigitCounter::Create(k + 1, n);
    if (!counter) return false;
    // Continue after the vector found last.
    if (k == start && static_cast<int>(state.cells.size()) == n) {
      for (int i = 0; i < n; ++i) counter->SetDigit(i, state.cells[static_cast<std::size_t>(i)]);
    }
    int skip = n - 1;
    while (NextSolution(*counter, snapshot, k, skip, visit)) {
      const std::span<const std::uint8_t> plates = counter->Digits();
      const std::vector<std::uint32_t> quads = QuadCounts(snapshot.Vertices());
      if (std::all_of(quads.begin(), quads.end(), [](auto q) { return q == 0; })) continue;
      if (closed) {
        // The boundary sphere pierced along one cell: a tube, not a new torus.
        const bool zeroOrTwo =
            std::all_of(plates.begin(), plates.end(), [](auto d) { return d == 0 || d == 2; });
        if (zeroOrTwo && std::count(plates.begin(), plates.end(), 0) == 1) continue;
      }
      if (tubed != nullptr &&
          IsTubedSurface(*tubed, std::vector<std::uint8_t>(plates.begin(), plates.end()))) {
        continue;
      }
      const TNormalSurfaceShape shape = DescribeNormalSurface(snapshot, prepared.gluing, plates);
      if (shape.components.size() != 1 || shape.components[0].orientable == 0 ||
          shape.components[0].euler != 0) {
        continue;
      }
      state.degree = k;
      state.cells.assign(plates.begin(), plates.end());
      state.quads.clear();
      for (std::uint32_t q : quads) state.quads.push_back(static_cast<std::uint8_t>(std::min<std::uint32_t>(q, 255)));
      return true;
    }
    if (state.limitReached) return false;
  }
  return false;
}

std::string ReportNormalSurfaces(const TNormalSurfaceSearchResult& result, TSpine& spine) {
  return ReportSurfaces(result.surfaces, 3, spine);
}
