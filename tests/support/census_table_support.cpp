#include "support/census_table_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<TCensusEntry> ReadCensusTable(const std::string& path) {
  std::vector<TCensusEntry> entries;
  std::ifstream in(path);
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (header) {
      header = false;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::istringstream fields(line);
    TCensusEntry entry;
    std::string tetrahedra;
    std::string cusps;
    std::getline(fields, tetrahedra, '\t');
    std::getline(fields, cusps, '\t');
    std::getline(fields, entry.name, '\t');
    std::getline(fields, entry.signature, '\t');
    std::getline(fields, entry.homology, '\t');
    entry.tetrahedra = std::atoi(tetrahedra.c_str());
    entry.cusps = std::atoi(cusps.c_str());
    entries.push_back(entry);
  }
  return entries;
}

std::string CensusSamplePath() { return std::string(SORVELIN_TEST_DATA_DIR) + "/cusped-census-sample.tsv"; }

std::string FullCensusPath() {
  if (const char* path = std::getenv("SORVELIN_CENSUS_FILE"); path != nullptr && *path != '\0') return path;
  return std::string(SORVELIN_TEST_DATA_DIR) + "/census/cusped-census-8.tsv";
}

std::vector<TClosedCensusEntry> ReadClosedCensusSample() {
  std::ifstream in(std::string(SORVELIN_TEST_DATA_DIR) + "/census/closed-census-sample.tsv");
  std::vector<TClosedCensusEntry> entries;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    TClosedCensusEntry entry;
    std::string tetrahedra;
    std::getline(fields, tetrahedra, '\t');
    std::getline(fields, entry.name, '\t');
    std::getline(fields, entry.signature, '\t');
    std::getline(fields, entry.homology, '\t');
    entry.tetrahedra = std::atoi(tetrahedra.c_str());
    if (!entry.signature.empty()) entries.push_back(entry);
  }
  return entries;
}
