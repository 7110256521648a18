// Generation of the internal table of hyperbolic atoms from the cusped census.
//
// The census lists every orientable cusped hyperbolic manifold with an ideal
// triangulation of at most eight tetrahedra, one minimal triangulation each,
// by its isomorphism signature. The spine dual to such a triangulation is a
// special spine with one true vertex per tetrahedron and one boundary torus
// per cusp, and its complexity (number of vertices) is the number of
// tetrahedra. The table keeps that spine as the record of the manifold:
//
//   %*** Q<c>_<n> <signature>            (k = 1)   or   %*** Q<c>^<k>_<n> ...
//   %Name="<census name>"
//   1: { 1 2 -3 ... }                    one 2-cell of the spine per line
//   ...
//   %*** End of Q<c>_<n>
//
// with CR LF line ends. Records are ordered by the number k of tori, then by
// complexity c, then by census name (the letters m < s < v < t, then the
// number), which fixes the names: n numbers the records of one (k, c) from 1.
// The signature on the head line is the canonical isomorphism signature of the
// spine, so that the table can be indexed without parsing its spines.
//
// Every entry is checked before it is written: the signature must give a
// spine with as many vertices as tetrahedra and as many boundary tori as
// cusps, and (when asked) the automatic simplification moves must not make
// it smaller. Cost: one parse and thickening per entry, plus the moves when
// checked (the dominant cost).
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TAtomCensusEntry {
  int tetrahedra = 0;
  int cusps = 0;
  std::string name;       // census name, "m004"
  std::string signature;  // isomorphism signature of a minimal triangulation
};

// The entries of a census text (tab-separated: tetrahedra, cusps, name,
// signature, homology; a first line beginning "tetrahedra" is the header).
// A malformed line stops the read: the answer is empty and error names the
// line and the token.
std::vector<TAtomCensusEntry> ReadAtomCensus(std::string_view text, std::string& error);

// The order of census names: the letters m, s, v, t in this order (any other
// letter after them, alphabetically), then the number. True when a < b.
bool CensusNameLess(std::string_view a, std::string_view b);

struct TAtomTableGenerationOptions {
  int maxTetrahedra = 8;   // entries with more tetrahedra are left out
  bool checkMoves = true;  // run the simplification moves on every spine
};

struct TAtomTableGenerationResult {
  std::string text;                   // the table text
  int records = 0;
  std::vector<std::string> problems;  // entries that failed a check (not written)
};

// The table text of the entries. Polls the stop flag between entries.
TAtomTableGenerationResult GenerateAtomTable(std::vector<TAtomCensusEntry> entries,
                                             const TAtomTableGenerationOptions& options);
