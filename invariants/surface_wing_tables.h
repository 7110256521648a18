// The wing tables of a special spine: which 2-cells meet at each edge and at
// each vertex.
//
// In a special spine every edge is the meeting line of three wings (sheets of
// 2-cells) and every vertex the meeting point of six, one for each pair of the
// four edge ends there. The surface search and the epsilon invariant look at
// a candidate subset (or multiset) of 2-cells only through these tables: an
// edge constrains the counts of its three wings, a vertex those of its six.
//
// Cells are numbered 0..n-1 by their position among the spine's 2-cells in
// list order. A cell may be two or three of the wings of one edge (its word
// passes that edge more than once); it is then listed as often.
//
// Vertex records put opposite wings (the two wings at a vertex that share no
// edge end) at positions i and i+3, i = 0, 1, 2. Seen from the dual
// triangulation the vertex is a tetrahedron, its wings are the tetrahedron's
// six edges, and opposite wings are opposite edges: the three pairs are the
// three ways a normal quadrilateral can separate the tetrahedron.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TSpine;

struct TEdgeWingRecord {
  // The three wing cells, in descending order; -1 for a missing wing.
  std::array<std::int32_t, 3> cells{-1, -1, -1};
  // The largest cell index: every count the edge looks at stands at or before it.
  std::int32_t Largest() const { return cells[0]; }
};

class TEdgeWingTable {
 public:
  // One record per edge in list order. Throws std::invalid_argument for an
  // edge of valency above 3. Cost: linear in the size of the spine.
  void Build(const TSpine& spine);
  int Count() const { return static_cast<int>(records_.size()); }
  const TEdgeWingRecord& At(int i) const { return records_[static_cast<std::size_t>(i)]; }
  // "Edges: %u\n" then one line per edge with its three indices.
  std::string Dump() const;

 private:
  std::vector<TEdgeWingRecord> records_;
};

struct TVertexWingRecord {
  // Positions i and i+3 hold opposite wings; position 0 holds the largest
  // index and positions 0..2 are descending.
  std::array<std::int32_t, 6> cells{-1, -1, -1, -1, -1, -1};
  // Set by the vertex equations of the surface search: the number of normal
  // quadrilaterals of the current candidate at this vertex.
  std::uint32_t quads = 0;
  std::int32_t Largest() const { return cells[0]; }
};

class TVertexWingTable {
 public:
  // One record per vertex in list order, from the vertex's special
  // neighbourhood. Requires the 2-cells to carry the distinct numbers 1..n in
  // list order (a renumbered spine, see TSurfaceSpineSnapshot); throws
  // std::invalid_argument otherwise or for a vertex that is not special.
  void Build(const TSpine& spine);
  int Count() const { return static_cast<int>(records_.size()); }
  const TVertexWingRecord& At(int i) const { return records_[static_cast<std::size_t>(i)]; }
  TVertexWingRecord& At(int i) { return records_[static_cast<std::size_t>(i)]; }
  // "Vertices: %u\n" then one line per vertex with its six indices.
  std::string Dump() const;

  // Puts six wings given in the neighbourhood order (0,1), (0,2), (0,3),
  // (2,3), (1,3), (1,2) into the record order described above.
  static TVertexWingRecord Arrange(const std::array<std::int32_t, 6>& wings);

 private:
  std::vector<TVertexWingRecord> records_;
};
