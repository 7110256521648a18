// Combinatorial isomorphisms and symmetries of special spines.
//
// A special spine is determined up to homeomorphism of its thickening by its
// 2-cells and the words their boundaries read along the edges. An
// isomorphism from spine A to spine B therefore is a bijection of 2-cells
// that preserves boundary lengths together with a signed bijection of edges
// (a sign reverses the edge) such that each cell's word is carried onto its
// image's word read from some starting passage in some direction. The
// search places B's cells one by one, longest first (the most constraining),
// tries every unused cell of A of that length in each of its 2L readings and
// extends the edge map; a reading fails at its first inconsistent edge.
//
// Readings are precomputed per spine: 2L rows of L entries for a cell of
// length L, 2 sum(L^2) ints in all. The search is exponential in the worst
// case (many cells of one length), but each level is pruned by the edges the
// earlier levels fixed; it polls the stop flag.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/spine.h"

// The work record of one spine. Valid while the spine does not change: it
// holds the spine's edge numbers after renumbering.
struct TSymmetrySearch {
  explicit TSymmetrySearch(TSpine& spine);

  int vertices = 0;
  int edges = 0;
  int cells = 0;
  std::vector<int> lengths;  // by place of the search order
  std::vector<int> ordinal;  // the cell ordinal at each place
  // readings[place][r] is reading r of that cell (2L of them).
  std::vector<std::vector<std::vector<int>>> readings;
};

// A map from spine A to spine B: edge e of B (entry e - 1) matches the signed
// edge of A; cellImage[A's ordinal] is B's ordinal. Equal maps agree on the
// edges.
struct TSymmetryMap {
  std::vector<int> edgeImage;
  std::vector<int> cellUse;    // by place of A's search order: the depth, -1 free
  std::vector<int> cellImage;  // by A's cell ordinal; -1 unassigned
  // By A's cell ordinal: the reading of the cell matched onto its image's
  // word (r < L: rotated by r; L + r: that rotation read backwards).
  std::vector<int> cellReading;
  bool SameEdges(const TSymmetryMap& other) const { return edgeImage == other.edgeImage; }
  bool IsIdentity() const;
};

using TSymmetryMapList = std::vector<TSymmetryMap>;

// Modes: 0 the first complete map (answer 1 or 0); 1 every map but the
// identity; 2 every map; 3 every map, the search going on from each success.
// Modes 1 to 3 answer the number of maps in the list.
int FindSpineSymmetriesOnRecords(TSymmetryMapList& maps, const TSymmetrySearch& a, const TSymmetrySearch& b,
                                 int mode);
int FindSpineSymmetries(TSymmetryMapList& maps, const TSymmetrySearch& a, TSpine& b, int mode);
// 0 at once when the numbers of vertices, edges or 2-cells differ.
int AreSpinesIsomorphic(TSpine& a, TSpine& b);

// For each boundary surface k of A, the index of the surface of B it goes to
// under the map (-1 when undetermined). Both spines thickened.
std::vector<int> CompareSpinesUnderSymmetry(TSpine& a, TSpine& b, const TSymmetryMap& map);

// Gives every edge of A's torus boundary surfaces, as labels 2 and 3, the
// images of B's coordinate curves (labels 0 and 1), negated where the map
// reverses the spine edge. Both spines thickened.
void MapBoundaryComponents(TSpine& a, TSpine& b, const TSymmetryMap& map);
