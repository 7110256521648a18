// Normal surfaces of a special spine: the surface a plate-count vector
// stands for, built by gluing plates, and the search for them.
//
// Seen from the dual triangulation, the spine's vertices are tetrahedra, its
// edges triangles and its 2-cells the triangulation's edges; a plate count is
// the weight of a normal surface on that edge. In the regular neighbourhood
// of the spine a 2-cell C with d plates carries d parallel copies of itself,
// stacked from C's "-" side (plate 0) to its "+" side (plate d-1). Around an
// edge with wing counts x_A, x_B, x_C the sheets pair off in the three
// corners: (x_A + x_B - x_C)/2 arcs in the corner between A and B, nested, so
// that the plates of A nearest that corner meet the plates of B nearest it.
// Which side of a wing faces which corner is read off the thickening of the
// spine: the "+" copy of C runs, along each passage, beside the corner
// towards the wing on C's "+" side.
//
// The glued plates form a closed surface; its vertices are the classes of
// plate corners identified along the arcs (one per normal triangle or
// quadrilateral of the dual picture), so the Euler characteristic of each
// component is exact, and orientability follows from the plates' boundary
// directions as for any cell complex.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "invariants/surface_search.h"

class TSpine;
class TSurfaceSpineSnapshot;

// One side of one passage of a 2-cell: side 1 the "+" side (top plates), 0
// the "-" side (bottom plates).
struct TPassageSide {
  int cell = -1;
  int passage = -1;
  int side = 0;
  bool operator==(const TPassageSide&) const = default;
};

// The corners of a thickened spine: for every side of every passage, the
// passage side across the corner it faces.
class TPlateGluing {
 public:
  // Thickens a copy of the snapshot's spine (the snapshot is not changed).
  // Throws std::invalid_argument when the spine has no thickening.
  void Build(TSurfaceSpineSnapshot& snapshot);
  TPassageSide Across(int cell, int passage, int side) const;
  // The number of boundary surfaces of the thickened spine.
  int BoundaryCount() const { return boundaryCount_; }
  // Whether the only boundary surface is a sphere (a closed manifold).
  bool ClosedManifold() const { return closedManifold_; }

 private:
  std::vector<std::vector<TPassageSide>> across_;  // [cell][2 * passage + side]
  int boundaryCount_ = 0;
  bool closedManifold_ = false;
};

// The number of arcs of the surface of a vector in the corner that the given
// side of a passage faces: (x_A + x_B - x_C)/2 with A the passage's wing, B
// the wing across the corner and C the third wing of the edge. The plates of
// A nearest that side (the top ones for side 1, the bottom ones for side 0)
// are the ones that turn into the corner. 0 for a vector that fails the edge
// equations there.
int CornerArcCount(const TSurfaceSpineSnapshot& snapshot, const TPlateGluing& gluing,
                   std::span<const std::uint8_t> plates, int cell, int passage, int side);

// The shape of the surface of a vector that satisfies the edge equations.
struct TNormalSurfaceShape {
  std::vector<TSurfaceComponent> components;
  int vertices = 0;
  int edges = 0;
  int plates = 0;
  // Every vertex of the surface has valency 3 (it meets the spine's vertices
  // in normal triangles only).
  bool onlyTriangles = true;
};
TNormalSurfaceShape DescribeNormalSurface(const TSurfaceSpineSnapshot& snapshot,
                                          const TPlateGluing& gluing,
                                          std::span<const std::uint8_t> plates);

// The normal surfaces the search found.
struct TNormalSurfaceSearchResult {
  std::vector<TFoundSurface> surfaces;
  int boundaryCount = 0;
  int lastDegree = 0;            // the largest plate degree enumerated (fully or in part)
  std::uint64_t visited = 0;     // vectors visited
  bool limitReached = false;     // ended by the limit of visited vectors
};

// "Search For Normal Surfaces": the connected normal surfaces, degree after
// degree from 1 up to maxDegree (at most 254), until `limit` vectors were
// visited (0: no bound). `progress` (when given) is called after every degree
// that found something. Throws std::invalid_argument for a spine that is not
// special or does not thicken, and TComputationStopped when stopped.
TNormalSurfaceSearchResult SearchNormalSurfaces(TSpine& spine, int maxDegree, std::uint64_t limit,
                                                void (*progress)(void*, const TNormalSurfaceSearchResult&) = nullptr,
                                                void* context = nullptr);

// Where a resumable search for normal tori stands: the plate degree, the last
// vector found (empty before the first find) and its quadrilateral counts.
struct TSurfaceSearchState {
  int degree = 1;
  std::vector<std::uint8_t> cells;
  std::vector<std::uint8_t> quads;
  int variant = -1;
  // Vectors visited by all calls so far; with a limit (0: none) a call that
  // reaches it ends without a find and sets limitReached.
  std::uint64_t visited = 0;
  std::uint64_t visitLimit = 0;
  bool limitReached = false;
};

// The next connected orientable normal torus with at least one
// quadrilateral after the state's vector (types 5 and 6 of the search): true
// with the state updated, false (state unchanged) when none is left up to
// maxDegree. On a closed manifold a vector of 0s and 2s with exactly one 0 (a
// boundary sphere pierced once) is skipped. The plate vector of the torus is
// state.cells, one count per 2-cell in the spine's cell order; the quad count
// of each vertex in list order is state.quads. With a list of tubed boundary
// surfaces (FindSurfacesBySides, built once by the caller for a spine with
// several boundary surfaces) a vector of that list is skipped too. The
// search of the Simplify dialog (kNormalTorusSearch) shows its progress with
// the state's variant; kSilentNormalTorusSearch finds the same tori without a
// word. Throws as SearchNormalSurfaces.
enum : int { kNormalTorusSearch = 5, kSilentNormalTorusSearch = 6 };
bool FindNextNormalTorus(TSpine& spine, TSurfaceSearchState& state, int maxDegree = 254,
                         const TTubedSurfaceList* tubed = nullptr,
                         int searchType = kNormalTorusSearch);

// The report of "Search For Normal Surfaces" (lines name, counts and
// quadrilaterals per vertex, relation to the boundary).
std::string ReportNormalSurfaces(const TNormalSurfaceSearchResult& result, TSpine& spine);
