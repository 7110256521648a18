// The import of census presentations into the table text: which records get
// lines, what the lines say, and that importing twice adds nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognition/atom_import.h"
#include "recognition/atom_table.h"

namespace {

const std::string kTable =
    "% leading comment\r\n"
    "%*** Q2_1 cPcbbbdxm\r\n%Name=\"m003\"\r\n1 2\r\n%*** End of Q2_1\r\n"
    "%*** Q2_2 cPcbbbiht\r\n%Name=\"m004\"\r\n1 2\r\n%*** End of Q2_2\r\n"
    "%*** Q4^2_2 eLMkbcddddedae\r\n%Name=\"m129\"\r\n1 2\r\n%*** End of Q4^2_2\r\n";

int CountOf(const std::string& text, const std::string& needle) {
  int n = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

// The lines the import added under a record (from its head to its end line).
std::string RecordPart(const std::string& text, const std::string& name) {
  std::size_t head = text.find("%*** " + name + " ");
  std::size_t end = text.find("%*** End of " + name, head);
  return head == std::string::npos || end == std::string::npos ? "" : text.substr(head, end - head);
}

TEST(AtomImport, ShortDocumentsAndUnknownKindsGiveNothing) {
  EXPECT_EQ(ImportPresentations(kTable, "", 16), "");
  EXPECT_EQ(ImportPresentations(kTable, "Q2_2 H_1 x", 16), "");  // 10 characters
  EXPECT_EQ(ImportPresentations(kTable, "Q2_2 H_1 = Z\nk4_1: Q2_2 (1 0 0 1)\n", 14), "");
}

TEST(AtomImport, KnotPresentationsGoUnderTheirRecordWithTheInverseMatrix) {
  const std::string document =
      "Census entry Q2_2 \n"
      "k4_1: H_1 = Z  Q2_2 (0 1 -1 0)\n"
      "  k4_1_extra\n"
      "Q2_1 Edge 1 2 3 (not an entry)\n";
  std::string result = ImportPresentations(kTable, document, 16);
  // Everything else is kept as it was, line ends included.
  EXPECT_EQ(CountOf(result, "\r\n"), CountOf(kTable, "\r\n") + 1);
  EXPECT_EQ(RecordPart(result, "Q2_2"),
            "%*** Q2_2 cPcbbbiht\r\n%Name=\"m004\"\r\n%%Next={Type3| K4_1: Free (0 -1) (1 0)}\r\n1 2\r\n");
  EXPECT_EQ(RecordPart(result, "Q2_1"), RecordPart(kTable, "Q2_1"));  // "Edge" lines are no entries
  EXPECT_EQ(result.rfind("% leading comment\r\n", 0), 0u);
  // A second import into the result adds nothing.
  EXPECT_EQ(ImportPresentations(result, document, 16), result);
  // The imported line reads back as a knot presentation of the record.
  std::string error;
  TAtomTable table = TAtomTable::FromText(result, error);
  ASSERT_EQ(error, "");
  const TTableRecord* knot = table.FindTableRecord({2, 1, 0, 0, 0});
  ASSERT_NE(knot, nullptr);
  EXPECT_EQ(table.FormatAtomName(knot->GetKey()), "K4_1");
}

TEST(AtomImport, FillingsOfTwoCuspedAtomsAreRewrittenIntoTheAtomsCoordinates) {
  const std::string document =
      "Q2_2 entry\n"
      "H_1 = Z\n"
      "found as Q2_2 (1 1 0 1)\n"
      " 1. Q4^2_2 1: Free (1 0) (0 1)  2: Dehn (5,1)\n"
      " 2. Q2_1 1: Free (1 0) (0 1)\n"
      "end\n";
  std::string result = ImportPresentations(kTable, document, 15);
  EXPECT_NE(RecordPart(result, "Q2_2").find("%%Next={Type2| Q4^2_2 1: Free (1 -1) (0 1) 2: Dehn (5,1) }\r\n"),
            std::string::npos)
      << result;
  EXPECT_EQ(CountOf(result, "Next"), 1);  // one-cusp names are not fillings of two-cusp atoms
  EXPECT_EQ(ImportPresentations(result, document, 15), result);
}

TEST(AtomImport, LinkPresentationsNameTheirFilledComponents) {
  const std::string document =
      "LinkName = \"L5a1^2_1\"\n"
      "Q2_1 entry\n"
      "(None) (5,1) H_1=Z Q2_1 (1 0 0 1)\n";
  std::string result = ImportPresentations(kTable, document, 17);
  EXPECT_NE(RecordPart(result, "Q2_1")
                .find("%%Next={Type4| L5a1^2_1 1: Free (1 0) (0 1) 2: Dehn Filling (5,1)}\r\n"),
            std::string::npos)
      << result;
  EXPECT_EQ(RecordPart(result, "Q4^2_2"), RecordPart(kTable, "Q4^2_2"));
}

TEST(AtomImport, TwoCuspPresentationsOnlyUnderTwoCuspRecords) {
  const std::string document =
      "LinkName = \"L7a5^3_1\"\n"
      "Q4^2_2 (found)\n"
      "(None) (None) (2,1)\n"
      "  Virtual vertex 1: Q4^2_2 (0 1 -1 0)\n"
      "  Virtual vertex 2: Q4^2_2 (1 0 0 1)\n"
      "next\n";
  std::string result = ImportPresentations(kTable, document, 18);
  EXPECT_EQ(RecordPart(result, "Q4^2_2"),
            "%*** Q4^2_2 eLMkbcddddedae\r\n%Name=\"m129\"\r\n"
            "%%Next={Type4| L7a5^3_1 1: Free (0 -1) (1 0) 2: Free (1 0) (0 1) 3: Dehn filling (2,1)}\r\n1 2\r\n");
  EXPECT_EQ(ImportPresentations(result, document, 18), result);
  // The one-cusp imports never touch a two-cusp record, and a Seifert line
  // rejects the entry.
  EXPECT_EQ(ImportPresentations(kTable, document, 17), kTable);
  std::string seifert = document;
  seifert.insert(seifert.find("next"), "  Seifert Q4^2_2 piece\n");
  EXPECT_EQ(ImportPresentations(kTable, seifert, 18).find("Next"), std::string::npos);
}

TEST(AtomImport, LongLinesAreNotCut) {
  // A knot name far longer than any fixed line buffer.
  const std::string knot = "k" + std::string(3000, '7') + "_1";
  const std::string document = "Q2_2 entry\n" + knot + ": H_1 Q2_2 (1 0 0 1)\n";
  std::string result = ImportPresentations(kTable, document, 16);
  EXPECT_NE(result.find("%%Next={Type3| K" + std::string(3000, '7') + "_1: Free (1 0) (0 1)}"), std::string::npos);
}

}  // namespace
