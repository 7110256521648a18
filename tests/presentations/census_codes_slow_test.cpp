// The whole published cusped census through the codes (label "slow").
#include <gtest/gtest.h>

#include "support/census_table_support.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "triangulation_homology_support.h"

namespace {

TEST(CensusCodesSlow, EverySignatureIsCanonicalAndNamesItsHomology) {
  std::vector<TCensusEntry> entries = ReadCensusTable(FullCensusPath());
  if (entries.empty()) GTEST_SKIP() << "skipped: the census file " << FullCensusPath()
                                       << " is missing or empty (set SORVELIN_CENSUS_FILE)";
  EXPECT_EQ(entries.size(), 17661u);
  int failures = 0;
  for (const TCensusEntry& entry : entries) {
    TTetrahedronList tetrahedra;
    std::size_t position = 0;
    bool good = DecodeIsoSignature(entry.signature, tetrahedra, position) == TIsoSigError::kNone &&
                TriangulationHomology(tetrahedra) == entry.homology &&
                CanonicalIsoSignature(tetrahedra) == entry.signature;
    if (good) {
      TTetrahedronList back;
      good = DecodeDehydration(CanonicalDehydration(tetrahedra), back, position) ==
                 TDehydrationError::kNone &&
             CanonicalIsoSignature(back) == entry.signature;
    }
    if (!good && ++failures <= 10) ADD_FAILURE() << entry.name << " " << entry.signature;
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
