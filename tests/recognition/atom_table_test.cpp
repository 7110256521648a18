// The internal table of hyperbolic atoms: the shipped table (order, names,
// ranges, known atoms), lookups of relabelled spines, the refusal of a
// misordered text, and the Next descriptions with their boundary data.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/output.h"
#include "model/spine.h"
#include "presentations/triangulations/iso_signature.h"
#include "recognition/atom_boundary_fit.h"
#include "recognition/atom_table.h"
#include "recognition/atom_table_lookup.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"
#include "support/model_heap.h"

namespace {

const TTableRecord* RecordNamed(const TAtomTable& table, const std::string& census) {
  for (int i = 0; i < table.Count(); ++i) {
    if (table.Record(i)->CensusName() == census) return table.Record(i);
  }
  return nullptr;
}

std::string NameOf(const TAtomTable& table, const TTableRecord* record) {
  return record == nullptr ? "" : table.FormatAtomName(record->GetKey());
}

// The spine lines of a record: the lines of its text that are not annotations.
std::vector<std::vector<int>> CellWords(const TTableRecord& record) {
  std::vector<std::vector<int>> cells;
  std::istringstream in{std::string(record.Text())};
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '%') continue;
    std::vector<int> word;
    std::string token;
    std::istringstream tokens(line.substr(line.find(':') + 1));
    while (tokens >> token) {
      if (token == "{" || token == "}") continue;
      token.erase(std::remove_if(token.begin(), token.end(), [](char c) { return c == '{' || c == '}'; }),
                  token.end());
      if (!token.empty()) word.push_back(std::stoi(token));
    }
    cells.push_back(word);
  }
  return cells;
}

// The same spine with its edges renumbered and reoriented, its cells in
// another order, each word rotated and perhaps read backwards.
std::string Relabelled(const std::vector<std::vector<int>>& cells, unsigned seed) {
  std::mt19937 random(seed);
  int edges = 0;
  for (const auto& word : cells) {
    for (int e : word) edges = std::max(edges, std::abs(e));
  }
  std::vector<int> renumber(edges + 1);
  for (int e = 1; e <= edges; ++e) renumber[e] = e;
  std::shuffle(renumber.begin() + 1, renumber.end(), random);
  std::vector<int> flip(edges + 1);
  for (int e = 1; e <= edges; ++e) flip[e] = random() % 2 ? -1 : 1;
  std::vector<std::vector<int>> order = cells;
  std::shuffle(order.begin(), order.end(), random);
  std::string text;
  for (auto word : order) {
    for (int& e : word) e = (e < 0 ? -1 : 1) * flip[std::abs(e)] * renumber[std::abs(e)];
    std::rotate(word.begin(), word.begin() + random() % word.size(), word.end());
    if (random() % 2) {
      std::reverse(word.begin(), word.end());
      for (int& e : word) e = -e;
    }
    for (int e : word) text += std::to_string(e) + " ";
    text += "\n";
  }
  return text;
}

const TTableRecord* LookUp(const std::string& text, int tori) {
  TDocumentSpine document;
  TOptionValues options;
  if (document.ParseDocumentText(text.c_str(), options) != 1) return nullptr;
  TDocumentSpine::TScope scope(document);
  return FindAtomRecordOfSpine(document.Spine(), tori);
}

std::string Homology(const std::string& text) {
  TDocumentSpine document;
  TOptionValues options;
  if (document.ParseDocumentText(text.c_str(), options) != 1) return "";
  TDocumentSpine::TScope scope(document);
  TOutput output;
  PrintHomologyGroupReport(document, output, 0);
  std::string report = output.Text();
  return report.substr(0, report.find('\r'));
}

TEST(AtomTable, ShippedTableLoadsInOrderWithDerivedRanges) {
  const TAtomTable& table = LoadAtomTable();
  ASSERT_EQ(LoadAtomTableError(), "");
  ASSERT_GT(table.Count(), 4000);
  EXPECT_EQ(LoadedAtomTable(), &table);
  // 2 + 9 + 52 one-torus records of complexity 2 to 4 come first.
  EXPECT_EQ(table.FirstIndex(1, 2), 0);
  EXPECT_EQ(table.FirstIndex(1, 3), 2);
  EXPECT_EQ(table.FirstIndex(1, 5), 63);
  EXPECT_EQ(table.FormatAtomName({64, 0, 0, 0, 0}), "Q5_1");
  EXPECT_EQ(table.FormatAtomName({65, 0, 0, 0, 0}), "Q5_2");
  EXPECT_EQ(table.FormatAtomName({0, 0, 0, 0, 0}), "");
  EXPECT_EQ(table.FormatAtomName({table.Count() + 1, 0, 0, 0, 0}), "");

  struct TRangeCase {
    int c, k;
    bool present;
  };
  for (const TRangeCase& test : std::vector<TRangeCase>{
           {1, 1, false}, {2, 1, true}, {9, 1, false}, {23, 1, false}, {4, 2, true}, {3, 2, false},
           {6, 3, true}, {2, 6, false}, {0, 0, false}}) {
    SCOPED_TRACE(std::to_string(test.c) + "," + std::to_string(test.k));
    int first = 0, last = 0;
    EXPECT_EQ(table.TableRangeForComplexity(test.c, test.k, first, last), test.present ? 1 : 0);
    if (test.present) {
      ASSERT_LE(first, last);
      for (int i = first; i <= last; ++i) {
        ASSERT_EQ(table.Record(i)->Complexity(), test.c);
        ASSERT_EQ(table.Record(i)->GetTorusCount(), test.k);
      }
      if (first > 0) {
        const TTableRecord* before = table.Record(first - 1);
        EXPECT_FALSE(before->Complexity() == test.c && before->GetTorusCount() == test.k);
      }
    } else {
      EXPECT_EQ(first, -1);
      EXPECT_EQ(last, -1);
    }
  }
}

TEST(AtomTable, KnownAtomsHaveTheirPlacesAndHomology) {
  const TAtomTable& table = LoadAtomTable();
  struct TKnown {
    const char* census;
    const char* name;
    int complexity, tori;
    const char* homology;
  };
  for (const TKnown& known : std::vector<TKnown>{{"m003", "Q2_1", 2, 1, "H_1=Z_5+Z"},
                                                 {"m004", "Q2_2", 2, 1, "H_1=Z"},
                                                 {"m129", "Q4^2_2", 4, 2, "H_1=Z+Z"},
                                                 {"s776", "Q6^3_1", 6, 3, "H_1=Z+Z+Z"}}) {
    SCOPED_TRACE(known.census);
    const TTableRecord* record = RecordNamed(table, known.census);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(NameOf(table, record), known.name);
    EXPECT_EQ(record->Complexity(), known.complexity);
    EXPECT_EQ(record->GetTorusCount(), known.tori);
    EXPECT_EQ(Homology(std::string(record->Text())), known.homology);
    EXPECT_EQ(table.FindBySignature(record->Signature()), record);
  }
  EXPECT_EQ(table.FormatFilledAtomName({2, 0, 0, 0, 0}, 1, 2), "Dehn filling Q2_2(1,2)");
}

TEST(AtomTable, SignatureOfTheFigureEightKnotComplementNamesQ2_2) {
  const TAtomTable& table = LoadAtomTable();
  EXPECT_EQ(NameOf(table, LookUp("cPcbbbiht", 1)), "Q2_2");
  EXPECT_EQ(NameOf(table, LookUp("cPcbbbdxm", 1)), "Q2_1");
  // The wrong number of tori, or a closed manifold, is no table atom.
  EXPECT_EQ(LookUp("cPcbbbiht", 2), nullptr);
  EXPECT_EQ(LookUp("bkaajn", 1), nullptr);
}

TEST(AtomTable, RelabelledSpinesOfRecordsAreRecognisedAsTheirRecords) {
  const TAtomTable& table = LoadAtomTable();
  // A spread over every section and complexity of the table.
  std::vector<int> picks;
  for (int i = 0; i < table.Count(); i += std::max(1, table.Count() / 40)) picks.push_back(i);
  for (int i = 0; i < table.Count(); ++i) {
    if (table.Record(i)->GetTorusCount() >= 3) picks.push_back(i);
  }
  for (int i : picks) {
    const TTableRecord& record = *table.Record(i);
    SCOPED_TRACE(record.CensusName());
    std::string text = Relabelled(CellWords(record), static_cast<unsigned>(i));
    EXPECT_EQ(LookUp(text, record.GetTorusCount()), &record) << text;
  }
}

TEST(AtomTable, LoadsOnceWhenManyThreadsAskAtOnce) {
  std::vector<const TAtomTable*> seen(4, nullptr);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back([&seen, t] { seen[t] = &LoadAtomTable(); });
  for (std::thread& thread : threads) thread.join();
  for (const TAtomTable* table : seen) EXPECT_EQ(table, seen[0]);
}

// A small table: one one-torus record, three two-torus records of
// complexity 9 (the spines are never parsed by the load).
std::string FixtureTable(const std::string& firstRecordExtra) {
  return "%*** Q2_1 sigA\r\n%Name=\"m003\"\r\n" + firstRecordExtra +
         "1 2\r\n%*** End of Q2_1\r\n"
         "%*** Q9^2_1 sigB\r\n1\r\n%*** End of Q9^2_1\r\n"
         "%*** Q9^2_2 sigC\r\n1\r\n%*** End of Q9^2_2\r\n"
         "%*** Q9^2_3 sigD\r\n1\r\n%*** End of Q9^2_3\r\n";
}

TEST(AtomTableText, MisorderedOrMalformedTablesAreRefusedWithTheirLine) {
  struct TCase {
    const char* what;
    std::string text;
    const char* needle;
  };
  for (const TCase& test : std::vector<TCase>{
           {"complexity falls", "%*** Q3_1 a\r\n1\r\n%*** End of Q3_1\r\n%*** Q2_1 b\r\n1\r\n%*** End of Q2_1\r\n",
            "line 4 ('Q2_1')"},
           {"fewer tori later", FixtureTable("") + "%*** Q2_1 x\r\n1\r\n%*** End of Q2_1\r\n", "line 14"},
           {"no end line", "%*** Q2_1 a\r\n1\r\n%*** Q2_2 b\r\n1\r\n%*** End of Q2_2\r\n", "line 3"},
           {"bad head", "%*** X2_1 a\r\n1\r\n%*** End of X2_1\r\n", "'X2_1'"},
           {"six tori", "%*** Q2^6_1 a\r\n1\r\n%*** End of Q2^6_1\r\n", "1 to 5 tori"},
           {"stray end", "%*** End of Q2_1\r\n", "line 1"}}) {
    SCOPED_TRACE(test.what);
    std::string error;
    TAtomTable table = TAtomTable::FromText(test.text, error);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_NE(error.find(test.needle), std::string::npos) << error;
    EXPECT_NE(error.find("refused"), std::string::npos) << error;
  }
}

TEST(AtomTableText, NextDescriptionsResolveAndCarryTheirBoundary) {
  std::string error;
  const std::string text = FixtureTable(
      "%Next={Type2| Q9^2_3 1: Free (1 0) (0 1) 2: Dehn (3,1)}\r\n"
      "%%Next={Type3| K4_1: Free (0 1) (-1 0)}\r\n"
      "%%Next={Type4| L6a2^2_1 1: Free (1 0) (0 1) 2: Dehn Filling (1,2)}\r\n");
  TAtomTable table = TAtomTable::FromText(text, error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(table.Count(), 4);
  const TTableRecord* type2 = table.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(type2, nullptr);
  EXPECT_EQ(type2->GetNextType(), kNextTableName);
  EXPECT_EQ(type2->Index(), 4);  // the third two-torus record of complexity 9
  ASSERT_EQ(type2->GetBoundary().size(), 13u);
  // torus 2 filled along (3,1): c, d, a, b = 1, 0, 3, 0, and 3 subtractive steps
  EXPECT_EQ(std::vector<int>(type2->GetBoundary().begin() + 7, type2->GetBoundary().end()),
            (std::vector<int>{1, 3, 1, 0, 3, 0}));
  const TTableRecord* knot = table.FindTableRecord({1, 2, 0, 0, 0});
  ASSERT_NE(knot, nullptr);
  EXPECT_EQ(knot->GetKey(), (TWordQuintuple{1, 2, 1, 0, 0}));
  EXPECT_EQ(table.FormatAtomName(knot->GetKey()), "K4_1");
  const TTableRecord* link = table.FindTableRecord({1, 3, 0, 0, 0});
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetKey(), (TWordQuintuple{1, 3, 2, 6, 1}));
  EXPECT_EQ(table.FormatAtomName({1, 0, 0, 0, 0}), "Q2_1");
}

TEST(AtomTableText, MalformedNextDescriptionsAreDroppedWithTheRest) {
  std::string error;
  // The second description has no torus data: it and the third are dropped.
  const std::string tableText = FixtureTable("%Next={Type3| K3_1: Free (1 0) (0 1)}\r\n"
                                             "%Next={Type3| K5_1}\r\n"
                                             "%Next={Type3| K5_2: Free (1 0) (0 1)}\r\n");
  TAtomTable table = TAtomTable::FromText(tableText, error);
  ASSERT_EQ(error, "");
  EXPECT_NE(table.FindTableRecord({1, 1, 0, 0, 0}), nullptr);
  EXPECT_EQ(table.FindTableRecord({1, 2, 0, 0, 0}), nullptr);
  EXPECT_EQ(table.FindTableRecord({1, 3, 0, 0, 0}), nullptr);
  for (const char* line : {"%Next={Type7| K3_1: Free (1 0) (0 1)}\r\n",
                           "%Next={Type3| K3_1: Free (99999999999 0) (0 1)}\r\n",
                           "%Next={Type2| Q99999999^2_3 1: Free (1 0) (0 1) 2: Free (1 0) (0 1)}\r\n",
                           "%Next={Type4| L6a^_1 1: Free (1 0) (0 1)}\r\n",
                           "%Next={Type2| Q9^2_1 1: Free (1 0) (0 1) 7: Free (1 0) (0 1)}\r\n",
                           "%Next Type3| K3_1: Free (1 0) (0 1)\r\n"}) {
    SCOPED_TRACE(line);
    const std::string lineTableText = FixtureTable(line);
    table = TAtomTable::FromText(lineTableText, error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(table.Record(0)->Child(), nullptr);
  }
}

TEST(AtomTableText, FurtherTorusSetsBecomeSymmetryRows) {
  std::string error;
  const std::string tableText = FixtureTable("%Next={Type3| K4_1: Free (1 0) (0 1)\r\n"
                                             "%; 1: Free (1 0) (0 1)\r\n"
                                             "%; 1: Free (-1 0) (0 1)\r\n"
                                             "%; 1: Free (-1 0) (0 -1)}\r\n");
  TAtomTable table = TAtomTable::FromText(tableText, error);
  const TTableRecord* knot = table.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(knot, nullptr);
  // the identity set adds nothing; the reflection reverses orientation
  ASSERT_EQ(knot->SymmetryCount(), 2);
  EXPECT_EQ(knot->ReversingRow(), 0);
  EXPECT_FALSE(knot->IsOrientationPreservingSymmetry(0));
  EXPECT_TRUE(knot->IsOrientationPreservingSymmetry(1));
}

TEST(AtomTableText, ASpineDescriptionMatchesThroughItsOwnSpine) {
  std::string error;
  // The figure-eight knot complement's spine as another presentation of Q2_1.
  const std::string tableText = FixtureTable("%Next={Type1| {1 -3 2 -1 3 -4} {1 -4 2 -3 4 -2} 1: Free (1 0) (0 1)}\r\n");
  TAtomTable table = TAtomTable::FromText(tableText, error);
  const TTableRecord* spine = table.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(spine, nullptr);
  EXPECT_EQ(spine->GetNextType(), kNextSpine);
  EXPECT_TRUE(spine->IsUsable());
  TScopedModelHeap heap;
  EXPECT_TRUE(MatchesRecord(*spine, "cPcbbbiht"));
  EXPECT_FALSE(MatchesRecord(*spine, "cPcbbbdxm"));
  EXPECT_FALSE(MatchesRecord(*table.FindTableRecord({1, 0, 0, 0, 0}), "cPcbbbiht"));  // its own signature is sigA
  // With two tori every torus entry after the spine is read, the first included.
  const std::string twoTori = "%*** Q9^2_1 s\r\n%Next={Type1| {1 2} {-1 -2} 1: Free (0 1) (-1 0) 2: Dehn (2,1)}\r\n"
                              "1\r\n%*** End of Q9^2_1\r\n";
  table = TAtomTable::FromText(twoTori, error);
  const TTableRecord* second = table.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetBoundary(), (std::vector<int>{1, 0, 0, -1, 0, 0, 1, 1, 2, 1, 0, 2, 0}));
}

TEST(AtomBoundaryFit, MatricesOrderBySmallEntriesThenPositiveOnes) {
  EXPECT_EQ(CompareBoundaryMatrices({0, 1, -1, 0}, {0, -1, 1, 0}), 1);
  EXPECT_EQ(CompareBoundaryMatrices({0, -1, 1, 0}, {0, 1, -1, 0}), 0);
  EXPECT_EQ(CompareBoundaryMatrices({1, 0, 0, 1}, {1, 0, 0, 1}), 0);
  EXPECT_EQ(CompareBoundaryMatrices({1, 0, 5, 1}, {1, 1, 0, 1}), 1);  // M12 weighs most
}

TEST(AtomBoundaryFit, SymmetricSlopesOfASymmetricAtomGiveOneName) {
  std::string error;
  const std::string tableText = FixtureTable("%Next={Type3| K4_1: Free (1 0) (0 1)\r\n"
                                             "%; 1: Free (-1 0) (0 1)\r\n"
                                             "%; 1: Free (-1 0) (0 -1)}\r\n");
  TAtomTable table = TAtomTable::FromText(tableText, error);
  const TTableRecord* knot = table.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(knot, nullptr);
  const TIntQuad identity{1, 0, 0, 1};
  std::map<std::pair<int, int>, std::pair<int, int>> chosen;
  for (auto [p, q] : std::vector<std::pair<int, int>>{{3, 1}, {-3, 1}, {3, -1}, {-3, -1}}) {
    TIntQuad m = identity;
    int pOut = 0, qOut = 0;
    ASSERT_EQ(FitBoundary(*knot, identity, m, true, p, q, pOut, qOut), 1);
    EXPECT_EQ(std::make_pair(pOut, qOut), std::make_pair(3, 1)) << p << "," << q;
    EXPECT_EQ(m, identity);
  }
  // Without a slope only the orientation-preserving candidates count: the
  // identity and the rotation by pi; the least product is kept.
  TIntQuad m{0, -1, 1, 0};
  int unused = 0;
  FitBoundary(*knot, identity, m, false, 0, 0, unused, unused);
  EXPECT_EQ(m, (TIntQuad{0, 1, -1, 0}));
}

}  // namespace
