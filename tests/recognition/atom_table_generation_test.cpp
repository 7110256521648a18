// The generator of the table of atoms on small census extracts: order and
// names, the checks that refuse an entry, and the reader's errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognition/atom_table.h"
#include "recognition/atom_table_generation.h"

namespace {

TEST(AtomTableGeneration, CensusNamesOrderByLetterThenNumber) {
  const std::vector<std::string> ordered{"m003", "m004", "m010", "s001", "s100", "v0001", "v1000", "t00001", "t10000"};
  for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
    EXPECT_TRUE(CensusNameLess(ordered[i], ordered[i + 1])) << ordered[i];
    EXPECT_FALSE(CensusNameLess(ordered[i + 1], ordered[i])) << ordered[i];
  }
}

TEST(AtomTableGeneration, RecordsAreOrderedByToriComplexityAndNameWhateverTheInputOrder) {
  const std::string census =
      "tetrahedra\tcusps\tname\tisosig\thomology\n"
      "4\t2\tm129\teLMkbcddddedae\tZ+Z\n"
      "2\t1\tm004\tcPcbbbiht\tZ\n"
      "3\t1\tm006\tdLQacccjnjs\tZ+Z_5\r\n"
      "2\t1\tm003\tcPcbbbdxm\tZ+Z_5\n";
  std::string error;
  std::vector<TAtomCensusEntry> entries = ReadAtomCensus(census, error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(entries.size(), 4u);
  TAtomTableGenerationResult result = GenerateAtomTable(entries, {});
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(result.records, 4);
  std::vector<std::string> heads;
  for (std::size_t at = result.text.find("%*** Q"); at != std::string::npos; at = result.text.find("%*** Q", at + 1)) {
    heads.push_back(result.text.substr(at, result.text.find("\r\n", at) - at));
  }
  EXPECT_EQ(heads, (std::vector<std::string>{"%*** Q2_1 cPcbbbdxm", "%*** Q2_2 cPcbbbiht", "%*** Q3_1 dLQacccjnjs",
                                            "%*** Q4^2_1 eLMkbcddddedae"}));
  EXPECT_EQ(result.text.find('\n'), result.text.find("\r\n") + 1);
  EXPECT_EQ(result.text.find("\n\n"), std::string::npos);
  // The generated text loads as a table.
  std::string loadError;
  TAtomTable table = TAtomTable::FromText(result.text, loadError);
  EXPECT_EQ(loadError, "");
  EXPECT_EQ(table.Count(), 4);
  // Limited to two tetrahedra.
  TAtomTableGenerationOptions small;
  small.maxTetrahedra = 2;
  EXPECT_EQ(GenerateAtomTable(entries, small).records, 2);
}

TEST(AtomTableGeneration, EntriesThatFailACheckAreReportedNotWritten) {
  struct TCase {
    TAtomCensusEntry entry;
    const char* reason;
  };
  for (const TCase& test : std::vector<TCase>{
           {{3, 1, "m004", "cPcbbbiht"}, "vertices"},          // wrong number of tetrahedra
           {{2, 2, "m004", "cPcbbbiht"}, "boundary surfaces"},  // wrong number of cusps
           {{2, 1, "x", "c!!!!!"}, "does not decode"}}) {
    SCOPED_TRACE(test.reason);
    TAtomTableGenerationResult result = GenerateAtomTable({test.entry}, {});
    EXPECT_EQ(result.records, 0);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find(test.reason), std::string::npos) << result.problems[0];
    EXPECT_EQ(result.text, "");
  }
}

TEST(AtomTableGeneration, MalformedCensusLinesNameTheLineAndToken) {
  struct TCase {
    const char* text;
    const char* needle;
  };
  for (const TCase& test : std::vector<TCase>{{"2\t1\tm003\n", "line 1"},
                                              {"2\t1\tm003\tcPcbbbdxm\n2x\t1\tm004\tcPcbbbiht\n", "'2x'"},
                                              {"2\t9\tm003\tcPcbbbdxm\n", "'9'"}}) {
    std::string error;
    EXPECT_TRUE(ReadAtomCensus(test.text, error).empty());
    EXPECT_NE(error.find(test.needle), std::string::npos) << error;
  }
}

}  // namespace
