// The table of published cusped census manifolds (tests/data holds a sample;
// the whole table lives in the shared data folder).
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
// The whole census: $SORVELIN_CENSUS_FILE when set, else the shared data
// folder beside the repository.
std::string FullCensusPath();
