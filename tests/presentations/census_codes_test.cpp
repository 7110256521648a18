// Round trips of published census signatures through the codes.
#include <gtest/gtest.h>

#include "support/census_table_support.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "triangulation_homology_support.h"

namespace {

TEST(CensusCodes, SampleSignaturesAreCanonicalAndNameTheirHomology) {
  std::vector<TCensusEntry> entries = ReadCensusTable(CensusSamplePath());
  ASSERT_GE(entries.size(), 100u);
  for (const TCensusEntry& entry : entries) {
    SCOPED_TRACE(entry.name);
    ASSERT_TRUE(IsIsoSignatureWord(entry.signature));
    TTetrahedronList tetrahedra;
    std::size_t position = 0;
    ASSERT_EQ(DecodeIsoSignature(entry.signature, tetrahedra, position), TIsoSigError::kNone);
    EXPECT_EQ(tetrahedra.Count(), entry.tetrahedra);
    EXPECT_EQ(TriangulationHomology(tetrahedra), entry.homology);
    EXPECT_EQ(CanonicalIsoSignature(tetrahedra), entry.signature);
    // The dehydration of the same triangulation reads back to it.
    std::string dehydration = CanonicalDehydration(tetrahedra);
    ASSERT_TRUE(IsDehydratedText(dehydration)) << dehydration;
    TTetrahedronList back;
    ASSERT_EQ(DecodeDehydration(dehydration, back, position), TDehydrationError::kNone);
    EXPECT_EQ(CanonicalIsoSignature(back), entry.signature);
  }
}

}  // namespace
