#include "invariants/surface_search.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>

#include "foundation/digit_counter.h"
#include "foundation/packed_record_list.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_search_progress.h"
#include "invariants/surface_spine_snapshot.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/homology.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/quiet_scope.h"

namespace {

// The number of boundary surfaces of the thickened spine and whether the only
// one is a sphere, from a thickened copy; {0, false} when it does not thicken.
struct TBoundaryShape {
  int count = 0;
  bool singleSphere = false;
};

TBoundaryShape BoundaryShapeOf(const TSpine& spine) {
  TSpine copy;
  spine.CopyTo(copy);
  int thickened = 0;
  {
    TQuietScope quiet;
    thickened = copy.IsThickened() ? 1 : copy.Thicken(2);
  }
  if (thickened == 0) return {};
  TBoundaryShape shape;
  shape.count = copy.BoundaryCount();
  shape.singleSphere = shape.count == 1 && copy.BoundaryAt(0) != nullptr &&
                       copy.BoundaryAt(0)->SurfaceClass() == 1;
  return shape;
}

// Union-find over cells that also tracks, per cell, whether its orientation
// is opposite to its root's.
class TOrientedUnion {
 public:
  explicit TOrientedUnion(int n) : parent_(static_cast<std::size_t>(n)), flip_(parent_.size(), 0) {
    std::iota(parent_.begin(), parent_.end(), 0);
  }
  int Find(int x, int& flip) {
    flip = 0;
    while (parent_[static_cast<std::size_t>(x)] != x) {
      flip ^= flip_[static_cast<std::size_t>(x)];
      x = parent_[static_cast<std::size_t>(x)];
    }
    return x;
  }
  // Records that x and y are oriented alike (opposite 0) or oppositely (1);
  // false when that contradicts what is known.
  bool Join(int x, int y, int opposite) {
    int fx = 0;
    int fy = 0;
    const int rx = Find(x, fx);
    const int ry = Find(y, fy);
    if (rx == ry) return (fx ^ fy) == opposite;
    parent_[static_cast<std::size_t>(ry)] = rx;
    flip_[static_cast<std::size_t>(ry)] = fx ^ fy ^ opposite;
    return true;
  }

 private:
  std::vector<int> parent_;
  std::vector<int> flip_;
};

std::vector<std::uint32_t> QuadCounts(const TVertexWingTable& table) {
  std::vector<std::uint32_t> quads;
  for (int v = 0; v < table.Count(); ++v) quads.push_back(table.At(v).quads);
  return quads;
}

}  // namespace

// Rows (cell, multiplicity at each vertex) of the 2-cells whose boundary word
// meets as many distinct vertices as it has passages: a disc that can pierce
// the boundary surfaces, adding its wings' quadrilaterals at its vertices.
std::vector<TMultiplicityRow> BuildCellMultiplicityRows(TSurfaceSpineSnapshot& snapshot) {
  std::vector<TMultiplicityRow> rows;
  const TObjectManager& objects = snapshot.Copy().Objects();
  int index = -1;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || ObjectKind(cell) != kCellKind) continue;
    ++index;
    const int length = TCell::BoundaryLength(cell);
    std::vector<const TObjectHeader*> seen;
    for (int p = 0; p < length; ++p) {
      int direction = 0;
      const THandle edge = TCell::PassageAt(cell, p, &direction);
      const TObjectHeader* start = TEdge::End(edge.Object(), 1, direction).Object();
      if (std::find(seen.begin(), seen.end(), start) == seen.end()) seen.push_back(start);
    }
    if (static_cast<int>(seen.size()) != length) continue;
    TMultiplicityRow row;
    row.cell = index;
    const TVertexWingTable& vertices = snapshot.Vertices();
    for (int v = 0; v < vertices.Count(); ++v) {
      const auto& wings = vertices.At(v).cells;
      row.multiplicity.push_back(static_cast<int>(std::count(wings.begin(), wings.end(), index)));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// Whether some set of free discs (cells without plates) has, at every vertex,
// exactly the surface's quadrilaterals: then the surface is the boundary
// pierced along those discs.
namespace {

bool PiercingExplainsQuads(const std::vector<TMultiplicityRow>& rows,
                           std::span<const std::uint8_t> plates,
                           const std::vector<std::uint32_t>& quads, TStopPoll& poll) {
  const int r = static_cast<int>(rows.size());
  if (r == 0) return false;
  std::optional<TDigitCounter> counter = TDigitCounter::Create(2, r);
  if (!counter) return false;
  std::vector<long long> sums(quads.size());
  int skip = r - 1;
  while (counter->Next(skip)) {
    poll.Step();
    skip = r - 1;
    std::fill(sums.begin(), sums.end(), 0);
    bool fails = false;
    for (int i = 0; i < r && !fails; ++i) {
      if (counter->Digit(i) == 0) continue;
      const TMultiplicityRow& row = rows[static_cast<std::size_t>(i)];
      if (plates[static_cast<std::size_t>(row.cell)] != 0) {
        fails = true;
        skip = i;
        break;
      }
      for (std::size_t v = 0; v < sums.size(); ++v) {
        sums[v] += row.multiplicity[v];
        // Adding rows only raises the sums: every completion fails too.
        if (sums[v] > static_cast<long long>(quads[v])) {
          fails = true;
          skip = i;
        }
      }
    }
    if (fails) continue;
    bool equal = true;
    for (std::size_t v = 0; v < sums.size() && equal; ++v) {
      equal = sums[v] == static_cast<long long>(quads[v]);
    }
    if (equal) return true;
  }
  return false;
}

}  // namespace

int ClassifyBoundaryParallel(bool onlyTriangles, std::span<const std::uint8_t> plates,
                             const std::vector<std::uint32_t>& quads, int boundaryCount,
                             const std::vector<TMultiplicityRow>& rows,
                             const TTubedSurfaceList* tubed) {
  // A surface that meets every vertex in a triangle (valency 3) is the
  // boundary of a regular neighbourhood pushed off the spine.
  if (onlyTriangles) return kBoundaryParallel;
  if (boundaryCount == 0) return kNotBoundaryParallel;
  if (boundaryCount == 1) {
    const bool allTwo = std::all_of(plates.begin(), plates.end(), [](auto d) { return d == 2; });
    if (allTwo) return kBoundaryParallel;
    const bool zeroOrTwo =
        std::all_of(plates.begin(), plates.end(), [](auto d) { return d == 0 || d == 2; });
    return zeroOrTwo ? kBoundaryAfterPiercing : kNotBoundaryParallel;
  }
  if (std::all_of(quads.begin(), quads.end(), [](auto q) { return q == 0; })) {
    return kBoundaryParallel;
  }
  if (tubed != nullptr && IsTubedSurface(*tubed, std::vector<std::uint8_t>(plates.begin(), plates.end()))) {
    return kBoundaryAfterPiercing;
  }
  TStopPoll poll;
  return PiercingExplainsQuads(rows, plates, quads, poll) ? kBoundaryAfterPiercing
                                                          : kNotBoundaryParallel;
}

long long ExpectedSurfaceCount(TSpine& spine) {
  if (!BoundaryShapeOf(spine).singleSphere) return -1;
  if (spine.HomologyList() == nullptr) spine.ComputeHomology();
  const THomologyList* list = spine.HomologyList();
  if (list == nullptr || list->Count() == 0) return -1;
  int m = 0;
  for (int i = 0; i < list->Count(); ++i) {
    const std::int32_t summand = list->ElementAt(i);
    if (summand == 0 || summand % 2 == 0) ++m;
  }
  if (m >= 62) return -1;
  return (1LL << m) - 1;
}

bool CheckEdgeEquations(const TEdgeWingTable& edges, std::span<const std::uint8_t> plates,
                        int& skip) {
  bool holds = true;
  for (int e = 0; e < edges.Count(); ++e) {
    const TEdgeWingRecord& r = edges.At(e);
    int x[3];
    for (std::size_t w = 0; w < 3; ++w) {
      x[w] = r.cells[w] >= 0 ? plates[static_cast<std::size_t>(r.cells[w])] : 0;
    }
    const int sum = x[0] + x[1] + x[2];
    const bool ok = sum % 2 == 0 && 2 * std::max({x[0], x[1], x[2]}) <= sum;
    if (!ok) {
      holds = false;
      skip = std::min(skip, static_cast<int>(r.Largest()));
    }
  }
  return holds;
}

bool CheckVertexEquations(TVertexWingTable& vertices, std::span<const std::uint8_t> plates,
                          int& skip) {
  bool holds = true;
  for (int v = 0; v < vertices.Count(); ++v) {
    TVertexWingRecord& r = vertices.At(v);
    int s[3];
    for (std::size_t i = 0; i < 3; ++i) {
      s[i] = 0;
      for (std::size_t k : {i, i + 3}) {
        s[i] += r.cells[k] >= 0 ? plates[static_cast<std::size_t>(r.cells[k])] : 0;
      }
    }
    int d = -1;
    if (s[0] == s[1] && s[0] >= s[2]) {
      d = s[0] - s[2];
    } else if (s[0] == s[2] && s[0] >= s[1]) {
      d = s[0] - s[1];
    } else if (s[1] == s[2] && s[1] >= s[0]) {
      d = s[1] - s[0];
    }
    if (d < 0 || d % 2 != 0) {
      holds = false;
      skip = std::min(skip, static_cast<int>(r.Largest()));
    } else {
      r.quads = static_cast<std::uint32_t>(d / 2);
    }
  }
  return holds;
}

std::vector<TSurfaceComponent> DescribeDegreeOneSurface(const TSurfaceSpineSnapshot& snapshot,
                                                         std::span<const std::uint8_t> plates) {
  const int n = snapshot.CellCount();
  const int edgeCount = snapshot.EdgeCount();
  // The chosen passages of every edge, as (cell, +1 along / -1 against).
  std::vector<std::vector<std::pair<int, int>>> passages(static_cast<std::size_t>(edgeCount));
  for (int c = 0; c < n; ++c) {
    if (plates[static_cast<std::size_t>(c)] == 0) continue;
    for (std::int32_t signedEdge : snapshot.Cells().Cell(static_cast<unsigned>(c))->edges) {
      const int e = std::abs(signedEdge) - 1;
      if (e < 0 || e >= edgeCount) continue;
      passages[static_cast<std::size_t>(e)].emplace_back(c, signedEdge > 0 ? 1 : -1);
    }
  }
  // Cells glued along an edge are oriented coherently when the edge is passed
  // once along and once against: o1 d1 = -o2 d2. A contradiction anywhere in a
  // component makes it nonorientable.
  TOrientedUnion orientation(n);
  std::vector<int> contradicted(static_cast<std::size_t>(n), 0);
  for (const auto& at : passages) {
    if (at.size() != 2) continue;
    const int opposite = at[0].second * at[1].second > 0 ? 1 : 0;
    if (!orientation.Join(at[0].first, at[1].first, opposite)) {
      contradicted[static_cast<std::size_t>(at[0].first)] = 1;
    }
  }
  std::vector<int> componentOfRoot(static_cast<std::size_t>(n), -1);
  std::vector<TSurfaceComponent> components;
  auto component = [&](int cell) -> TSurfaceComponent& {
    int flip = 0;
    const int root = orientation.Find(cell, flip);
    int& slot = componentOfRoot[static_cast<std::size_t>(root)];
    if (slot < 0) {
      slot = static_cast<int>(components.size());
      components.push_back({1, 0});
    }
    return components[static_cast<std::size_t>(slot)];
  };
  for (int c = 0; c < n; ++c) {
    if (plates[static_cast<std::size_t>(c)] == 0) continue;
    TSurfaceComponent& part = component(c);
    part.euler += 1;
    if (contradicted[static_cast<std::size_t>(c)] != 0) part.orientable = 0;
  }
  for (const auto& at : passages) {
    if (!at.empty()) component(at[0].first).euler -= 1;
  }
  const TVertexWingTable& vertices = snapshot.Vertices();
  for (int v = 0; v < vertices.Count(); ++v) {
    for (std::int32_t cell : vertices.At(v).cells) {
      if (cell >= 0 && plates[static_cast<std::size_t>(cell)] != 0) {
        component(cell).euler += 1;
        break;
      }
    }
  }
  return components;
}

TSurfaceSearchResult SearchSpineSurfaces(TSpine& spine, bool classify) {
  TSurfaceSearchResult result;
  if (spine.IsSpecial(2) == 0) throw std::invalid_argument("the spine is not special");
  result.expected = ExpectedSurfaceCount(spine);
  if (result.expected == 0) return result;
  TSurfaceSpineSnapshot snapshot;
  snapshot.Load(spine);
  const int n = snapshot.CellCount();
  if (n <= 1) return result;
  result.boundaryCount = BoundaryShapeOf(snapshot.Copy()).count;
  const bool severalBoundaries = classify && result.boundaryCount > 1;
  const std::vector<TMultiplicityRow> rows =
      severalBoundaries ? BuildCellMultiplicityRows(snapshot) : std::vector<TMultiplicityRow>{};
  const TTubedSurfaceList tubed =
      severalBoundaries ? FindSurfacesBySides(snapshot.Copy()) : TTubedSurfaceList{};
  result.enumerated = true;
  std::optional<TDigitCounter> counter = TDigitCounter::Create(2, n);
  if (!counter) return result;
  // A vector costs a pass over the edges (and vertices): poll often.
  TStopPoll poll(256);
  ThrowIfStopRequested();
  int skip = n - 1;
  std::uint64_t visited = 0;
  while (counter->Next(skip)) {
    poll.Step();
    // Only the reporting search speaks; the series' search (no classes) is quiet.
    if (classify) ShowSurfaceSearchProgress(result.surfaces.size(), 1, ++visited);
    skip = n - 1;
    const std::span<const std::uint8_t> plates = counter->Digits();
    if (!CheckEdgeEquations(snapshot.Edges(), plates, skip)) continue;
    // At plate degree 1 the vertex equations follow from the edge equations;
    // they are run for the quadrilateral counts.
    if (!CheckVertexEquations(snapshot.Vertices(), plates, skip)) continue;
    TFoundSurface surface;
    surface.plates.assign(plates.begin(), plates.end());
    surface.quads = QuadCounts(snapshot.Vertices());
    surface.components = DescribeDegreeOneSurface(snapshot, plates);
    if (!classify) {
      result.surfaces.push_back(std::move(surface));
      if (result.expected > 0 && static_cast<long long>(result.surfaces.size()) == result.expected) {
        break;
      }
      continue;
    }
    // At plate degree 1 a vertex of the surface has valency s, the number of
    // chosen wings there (3 for a triangle, 4 for a quadrilateral).
    bool onlyTriangles = true;
    const TVertexWingTable& vertices = snapshot.Vertices();
    for (int v = 0; v < vertices.Count() && onlyTriangles; ++v) {
      int s = 0;
      for (std::int32_t cell : vertices.At(v).cells) {
        s += cell >= 0 ? plates[static_cast<std::size_t>(cell)] : 0;
      }
      onlyTriangles = s == 0 || s == 3;
    }
    surface.boundaryRelation =
        ClassifyBoundaryParallel(onlyTriangles, plates, surface.quads, result.boundaryCount, rows, &tubed);
    result.surfaces.push_back(std::move(surface));
    if (result.expected > 0 && static_cast<long long>(result.surfaces.size()) == result.expected) {
      break;
    }
  }
  return result;
}

unsigned SearchSurfacesIntoPackedList(TSpine& spine, TPackedRecordList& list) {
  const TSurfaceSearchResult result = SearchSpineSurfaces(spine, false);
  for (const TFoundSurface& surface : result.surfaces) {
    const bool connected = surface.components.size() == 1;
    int whole = -1;
    if (!connected) list.AddKeyed(false, -1, 3, false, &whole);
    for (std::size_t k = 0; k < surface.components.size(); ++k) {
      const TSurfaceComponent& part = surface.components[k];
      int index = -1;
      list.AddKeyed(true, static_cast<std::int16_t>(part.orientable),
                    static_cast<std::int16_t>(part.euler), !connected, &index);
      // Plain entries stand in front, so a keyed insertion never moves one.
      if (!connected && k < 4) {
        list.Entry(whole).neighbours[k] = static_cast<std::int16_t>(index);
      }
    }
  }
  list.Normalise();
  return static_cast<unsigned>(result.surfaces.size());
}
