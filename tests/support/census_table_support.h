// The table of published cusped census manifolds (tests/data holds a sample,
// tests/data/census the whole table of up to 8 tetrahedra).
#pragma once

#include <string>
#include <vector>

struct TCensusEntry {
  int tetrahedra = 0;
  int cusps = 0;
  std::string name;
  std::string signature;
  std::string homology;  // free summands first, then invariant factors: "Z+Z_2"
};

// The entries of a census table file (header line skipped); empty when the
// file cannot be read.
std::vector<TCensusEntry> ReadCensusTable(const std::string& path);

// The sample in the test data folder.
std::string CensusSamplePath();
// The whole census: $SORVELIN_CENSUS_FILE when set, else
// tests/data/census/cusped-census-8.tsv.
std::string FullCensusPath();

// One manifold of the closed census sample (tests/data/census): its number of
// tetrahedra, name, isomorphism signature and homology ("Z_4", "0").
struct TClosedCensusEntry {
  int tetrahedra = 0;
  std::string name;
  std::string signature;
  std::string homology;
};

// The closed census sample; empty when the file cannot be read.
std::vector<TClosedCensusEntry> ReadClosedCensusSample();
