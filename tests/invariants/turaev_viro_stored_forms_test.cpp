// The records of Turaev-Viro values in binary table files.
#include "invariants/turaev_viro_stored_forms.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "invariants/cyclotomic_number.h"
#include "invariants/quantum_monomial.h"
#include "invariants/spine_cell_table.h"
#include "invariants/turaev_viro_calculator.h"
#include "invariants/turaev_viro_order_tables.h"
#include "shell/document_spine.h"
#include "shell/options.h"

namespace {

template <typename T>
T RoundTrip(const T& value, std::size_t expectedBytes) {
  std::string bytes;
  AppendStoredForm(bytes, value);
  EXPECT_EQ(bytes.size(), expectedBytes);
  TStoredBytes in{bytes};
  T read;
  ReadStoredForm(in, read);
  EXPECT_EQ(in.at, bytes.size());
  return read;
}

TEST(TuraevViroStoredForms, NumbersAndMonomialsReadBackEqual) {
  TTuraevViroOrderTables tables(13);
  const TCyclotomicNumber inverse = tables.InverseQuantumFactorial(5);
  const TCyclotomicNumber read = RoundTrip(inverse, 40 + 7 * 16);
  EXPECT_TRUE(read.Equals(inverse)) << read.ToText() << " vs " << inverse.ToText();

  const TCyclotomicNumber symbol = tables.TetrahedralSymbol(1, 2, 3, 2, 3, 2);
  ASSERT_NE(symbol.MonomialForm(), nullptr);
  EXPECT_TRUE(RoundTrip(symbol, 40 + 32 + 6 * 8 + 7 * 16).Equals(symbol));

  EXPECT_EQ(RoundTrip(TCyclotomicNumber(), 40).ToText(), "Empty object");
  EXPECT_TRUE(RoundTrip(TCyclotomicNumber(5), 40 + 3 * 16).EqualsInt64(0));

  TQuantumMonomial m(9);
  m.SetConstant(-3);
  m.SetExponent(2, 5);
  const TQuantumMonomial back = RoundTrip(m, 32 + 4 * 8);
  EXPECT_TRUE(back.Equals(m));
  EXPECT_EQ(back.ToText(), "-3*{0,5,0}");
  EXPECT_EQ(RoundTrip(TQuantumMonomial(), 32).Order(), -1);
}

TEST(TuraevViroStoredForms, CellTablesReadBackEqual) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_NE(document.ParseDocumentText("cPcbbbqxh", TOptionValues{}), 0);
  TSpineCellTable table;
  table.Load(document.Spine());
  std::size_t bytes = 4;
  for (int i = 0; i < table.Count(); ++i) bytes += 16 + 4 * table.Cell(i)->edges.size();
  const TSpineCellTable read = RoundTrip(table, bytes);
  ASSERT_EQ(read.Count(), table.Count());
  for (int i = 0; i < table.Count(); ++i) {
    EXPECT_EQ(read.Cell(i)->edges, table.Cell(i)->edges);
    EXPECT_EQ(read.Cell(i)->number, i + 1);
  }
}

TEST(TuraevViroStoredForms, ValuesBeyondSixtyFourBitsAreNotWritten) {
  TCyclotomicNumber x(13, 1);
  TCyclotomicNumber s1(13);
  s1.SetCoefficientInt64(1, 1);
  x.Add(s1);
  TCyclotomicNumber power = x;
  for (int i = 0; i < 80; ++i) power.Multiply(x);
  std::string bytes = "kept";
  EXPECT_THROW(AppendStoredForm(bytes, power), std::overflow_error);
  EXPECT_EQ(bytes, "kept");
}

TEST(TuraevViroStoredForms, MalformedRecordsAreRefusedAndChangeNothing) {
  std::string good;
  AppendStoredForm(good, TCyclotomicNumber(7, 3));
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"truncated", good.substr(0, good.size() - 1)},
      {"zero denominator", [&] {
         std::string b = good;
         b.replace(40 + 8, 8, std::string(8, '\0'));
         return b;
       }()},
      {"count of another order", [&] {
         std::string b = good;
         b[28] = 5;
         return b;
       }()},
      {"order out of range", [&] {
         std::string b = good;
         b[32] = 99;
         return b;
       }()},
  };
  for (const Case& c : cases) {
    TCyclotomicNumber target(5, 2);
    TStoredBytes in{c.bytes};
    EXPECT_THROW(ReadStoredForm(in, target), std::runtime_error) << c.what;
    EXPECT_TRUE(target.EqualsInt64(2)) << c.what;
    EXPECT_EQ(in.at, 0u) << c.what;
  }
  std::string table;
  table.append("\x02\0\0\0", 4);
  TSpineCellTable cells;
  TStoredBytes in{table};
  EXPECT_THROW(ReadStoredForm(in, cells), std::runtime_error);
  EXPECT_EQ(cells.Count(), 0);
}

}  // namespace
