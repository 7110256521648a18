// Closed surfaces carried by a special spine.
//
// A candidate surface is a vector of plate counts, one per 2-cell: the number
// of parallel sheets of the surface that run through the cell. At every edge
// the three wing counts x, y, z must have an even sum and obey the triangle
// inequalities (the sheets pair off into (x+y-z)/2 arcs between the first two
// wings, and so on); at every vertex, with s1, s2, s3 the sums over the three
// pairs of opposite wings, the two largest sums must agree and differ from
// the smallest by an even d: the surface then has d/2 normal quadrilaterals
// there (the vertex equations). The largest count of a vector is its plate
// degree.
//
// With plate degree 1 the vectors are the 2-cycles of the spine mod 2, the
// unions of whole 2-cells in which every edge meets 0 or 2 chosen wings. For
// a closed manifold M these are the non-zero classes of H_2(M; Z_2), which
// has rank m = the number of even (or infinite) cyclic summands of H_1(M), so
// there are exactly 2^m - 1 of them and the enumeration stops there.
//
// The enumeration counts through the vectors in lexicographic order with a
// digit counter. A failing edge or vertex is decided by the digits up to its
// largest cell, so the counter jumps past every vector with that prefix; the
// cost is 2^n in the worst case (n 2-cells) and much less on real spines. It
// polls the stop flag and throws TComputationStopped.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "invariants/surface_wing_tables.h"
#include "invariants/tubed_boundary.h"

class TSpine;
class TSurfaceSpineSnapshot;
class TPackedRecordList;

// One connected component of a found surface.
struct TSurfaceComponent {
  int orientable = 1;  // 1 orientable, 0 not
  int euler = 2;       // Euler characteristic
  // (2 - chi)/2 for an orientable component, 2 - chi for another.
  int Genus() const { return orientable != 0 ? (2 - euler) / 2 : 2 - euler; }
};

// Relation of a found surface to the boundary of the thickened spine.
enum TBoundaryRelation : int {
  kNotBoundaryParallel = 0,
  kBoundaryParallel = 1,
  kBoundaryAfterPiercing = 2,
};

struct TFoundSurface {
  // The plate-count vector, one count per 2-cell in the spine's cell order
  // (cell i is the i-th 2-cell in list order).
  std::vector<std::uint8_t> plates;
  // The normal quadrilaterals at each vertex in list order.
  std::vector<std::uint32_t> quads;
  std::vector<TSurfaceComponent> components;
  int boundaryRelation = kNotBoundaryParallel;
};

struct TSurfaceSearchResult {
  // ExpectedSurfaceCount of the spine: 2^m - 1, or -1 when undetermined.
  long long expected = -1;
  // Boundary surfaces of the thickened spine (1 for a closed manifold).
  int boundaryCount = 0;
  // Whether the vectors were enumerated at all (a spine with at most one
  // 2-cell, or a closed one with expected count 0, is not).
  bool enumerated = false;
  std::vector<TFoundSurface> surfaces;
};

// 2^m - 1 for a spine of a closed manifold (one boundary surface, a sphere),
// m the number of summands Z or Z_n with n even of H_1; -1 otherwise. Computes
// the homology when the spine has none; thickens a copy, never the spine.
long long ExpectedSurfaceCount(TSpine& spine);

// The edge equations of a vector: true when every edge holds them; each
// failing edge lowers skip to its largest cell index.
bool CheckEdgeEquations(const TEdgeWingTable& edges, std::span<const std::uint8_t> plates,
                        int& skip);
// The vertex equations: true when every vertex holds them, each record's
// quads then holding its quadrilateral count; each failing vertex lowers skip
// to its largest cell index.
bool CheckVertexEquations(TVertexWingTable& vertices, std::span<const std::uint8_t> plates,
                          int& skip);

// The surfaces of plate degree 1 of a special spine ("Search For Surfaces In
// Spine"): every one, or until the expected count is reached. Throws
// std::invalid_argument for a spine that is not special and
// TComputationStopped when stopped.
// Without `classify` the relation to the boundary is left unset (the series
// need only the surfaces' types).
TSurfaceSearchResult SearchSpineSurfaces(TSpine& spine, bool classify = true);

// The same search for the series (search type 2): returns the number of
// surfaces and adds their types to the list: a keyed entry (orientability,
// Euler characteristic) per connected surface, counted; for a disconnected
// one a plain entry whose neighbour slots name the keyed entries of its first
// four components. The list is normalised at the end.
unsigned SearchSurfacesIntoPackedList(TSpine& spine, TPackedRecordList& list);

// The components, orientability and Euler characteristics of a plate-degree-1
// vector that satisfies the edge and vertex equations.
std::vector<TSurfaceComponent> DescribeDegreeOneSurface(const TSurfaceSpineSnapshot& snapshot,
                                                         std::span<const std::uint8_t> plates);

// The report of "Search For Surfaces In Spine": the count, the summary by
// class, one line per surface (its name, its cells, its relation to the
// boundary), and the source spine (the renumbered copy whose cell numbers the
// lines use) with its homology.
std::string ReportSpineSurfaces(const TSurfaceSearchResult& result, TSpine& spine);

// A 2-cell whose boundary word meets as many distinct vertices as it has
// passages, with the number of wings it is at each vertex: a disc that can
// pierce the boundary surfaces, adding its wings' quadrilaterals there.
struct TMultiplicityRow {
  int cell = 0;
  std::vector<int> multiplicity;  // per vertex in list order
};
std::vector<TMultiplicityRow> BuildCellMultiplicityRows(TSurfaceSpineSnapshot& snapshot);

// Whether a found surface is parallel to the boundary of the thickened spine
// (kBoundaryParallel), is so after piercing some cells (a tubed boundary
// surface of the list, or free discs whose wings account for all its
// quadrilaterals; kBoundaryAfterPiercing), or neither. onlyTriangles: every
// vertex of the surface has valency 3.
int ClassifyBoundaryParallel(bool onlyTriangles, std::span<const std::uint8_t> plates,
                             const std::vector<std::uint32_t>& quads, int boundaryCount,
                             const std::vector<TMultiplicityRow>& rows,
                             const TTubedSurfaceList* tubed = nullptr);

// The report of the surface searches: type 1 names the cells of each surface,
// type 3 lists all plate counts and the quadrilaterals at every vertex.
// `note` (when not empty) is written after the list of surfaces.
std::string ReportSurfaces(const std::vector<TFoundSurface>& surfaces, int type, TSpine& spine,
                           const std::string& note = {});

// One surface's line of that report (type 1 or 3), without numbering.
std::string DescribeFoundSurface(const TFoundSurface& surface, int type);

// "S(O,chi)" or "S(N,chi)".
std::string FormatSurfaceName(int orientable, int genus);
