// The shipped table of atoms is reproducible (label "slow"): generated again
// from the census it is the embedded text byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "recognition/atom_table.h"
#include "recognition/atom_table_generation.h"
#include "support/census_table_support.h"

namespace {

TEST(AtomTableSlow, RegeneratingFromTheCensusGivesTheShippedTextByteForByte) {
  std::ifstream in(FullCensusPath(), std::ios::binary);
  if (!in) GTEST_SKIP() << "skipped: the census file " << FullCensusPath() << " is missing";
  std::string census((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  std::vector<TAtomCensusEntry> entries = ReadAtomCensus(census, error);
  ASSERT_EQ(error, "");
  TAtomTableGenerationResult result = GenerateAtomTable(entries, {});
  EXPECT_TRUE(result.problems.empty()) << result.problems.front();
  EXPECT_EQ(result.records, static_cast<int>(entries.size()));
  EXPECT_EQ(result.text.size(), AtomTableText().size());
  EXPECT_TRUE(result.text == AtomTableText());
}

}  // namespace
