#include "foundation/int_matrix.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "foundation/checked_int64.h"

namespace {

TIntMatrix Matrix(std::initializer_list<std::initializer_list<std::int32_t>> rows) {
  TIntMatrix m;
  for (const auto& row : rows) m.AppendRow(row.begin(), static_cast<std::uint32_t>(row.size()));
  return m;
}

TIntMatrix Quad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  TIntMatrix m;
  m.SetQuad(a, b, c, d);
  return m;
}

TEST(TIntMatrix, ShapeAndRows) {
  TIntMatrix m;
  EXPECT_FALSE(m.IsAllocated());
  const std::int32_t first[] = {1, 2, 3};
  m.AppendRow(first, 3);
  EXPECT_EQ(m.Rows(), 1u);
  EXPECT_EQ(m.Columns(), 3u);
  const std::int32_t longer[] = {4, 5, 6, 7};
  m.AppendRow(longer, 4);
  m.AppendRow(nullptr, 1);
  EXPECT_EQ(m.Rows(), 3u);
  EXPECT_EQ(m.Columns(), 3u) << "later rows keep their own length";
  EXPECT_EQ(m.RowLength(1), 4u);
  EXPECT_EQ(m.Row(1)[3], 7);
  EXPECT_EQ(m.Row(2)[0], 0);
  const std::int32_t inserted[] = {9, 9};
  EXPECT_TRUE(m.InsertRow(0, inserted, 2));
  EXPECT_EQ(m.Row(0)[1], 9);
  EXPECT_EQ(m.Row(1)[0], 1);
  EXPECT_FALSE(m.InsertRow(9, inserted, 2));
  EXPECT_EQ(m.Rows(), 4u);

  TIntMatrix sized(2, 3);
  EXPECT_TRUE(sized.IsAllocated());
  const std::int32_t values[] = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(sized.FillFrom(values));
  EXPECT_EQ(sized.Row(1)[0], 4);
  EXPECT_FALSE(sized.FillFrom(std::span<const std::int32_t>(values, 5)));
  sized.Fill(-1);
  EXPECT_EQ(sized.Row(1)[2], -1);
  sized.Free();
  EXPECT_FALSE(sized.IsAllocated());
  EXPECT_EQ(sized.Rows(), 0u);
}

TEST(TIntMatrix, AssignAndEquals) {
  TIntMatrix destination = Quad(1, 2, 3, 4);
  EXPECT_EQ(destination.Assign(TIntMatrix()), 0u);
  EXPECT_TRUE(destination.EqualsQuad({1, 2, 3, 4})) << "an empty source changes nothing";
  const TIntMatrix source = Matrix({{1, 2, 3}, {4, 5, 6, 7}});
  EXPECT_EQ(destination.Assign(source), 2u);
  EXPECT_TRUE(TIntMatrix::Equals(destination, source));
  EXPECT_FALSE(TIntMatrix::Equals(destination, Quad(1, 2, 3, 4)));
  EXPECT_FALSE(Quad(1, 2, 3, 4).EqualsQuad({1, 2, 3, 5}));
}

TEST(TIntMatrix, ScaleIsChecked) {
  TIntMatrix m = Quad(1, -2, 3, 1 << 29);
  m.Scale(-1);
  EXPECT_TRUE(m.EqualsQuad({-1, 2, -3, -(1 << 29)}));
  EXPECT_THROW(m.Scale(8), Out_of_Range);
  EXPECT_TRUE(m.EqualsQuad({-1, 2, -3, -(1 << 29)})) << "unchanged after an overflow";
  m.Scale(0);
  EXPECT_TRUE(m.EqualsQuad({0, 0, 0, 0}));
}

TEST(TIntMatrix, Products) {
  TIntMatrix a = Quad(1, 2, 3, 4);
  const TIntMatrix b = Quad(0, 1, -1, 5);
  ASSERT_TRUE(IntArrayProduct(a, a, b));  // the result may be an operand
  EXPECT_TRUE(a.EqualsQuad({-2, 11, -4, 23}));

  const TIntMatrix row = Matrix({{1, 2, 3}});
  const TIntMatrix column = Matrix({{4}, {5}, {6}});
  TIntMatrix result;
  ASSERT_TRUE(IntArrayProduct(result, row, column));
  EXPECT_EQ(result.Rows(), 1u);
  EXPECT_EQ(result.Columns(), 1u);
  EXPECT_EQ(result.Row(0)[0], 32);
  ASSERT_TRUE(IntArrayProduct(result, column, row));
  EXPECT_EQ(result.Rows(), 3u);
  EXPECT_EQ(result.Row(2)[1], 12);
  EXPECT_FALSE(IntArrayProduct(result, row, row));

  // Two products that overflow 32 bits but whose sum fits are accepted;
  // a sum that does not fit is reported and the result is untouched.
  const TIntMatrix wide = Matrix({{1 << 30, 1 << 30}});
  const TIntMatrix signs = Matrix({{4}, {-4}});
  ASSERT_TRUE(IntArrayProduct(result, wide, signs));
  EXPECT_EQ(result.Row(0)[0], 0);
  const TIntMatrix twos = Matrix({{1}, {1}});
  EXPECT_THROW(IntArrayProduct(result, wide, twos), Out_of_Range);
  EXPECT_EQ(result.Row(0)[0], 0);
}

TEST(TIntMatrix, TwoByTwoOperations) {
  struct TCase {
    TIntQuad m;
    std::int32_t det;
    TIntQuad inverse;  // det times the adjugate
  };
  const TCase cases[] = {
      {{2, 1, 1, 1}, 1, {1, -1, -1, 2}},
      {{2, 0, 0, 2}, 4, {8, 0, 0, 8}},
      {{0, 1, 1, 0}, -1, {0, 1, 1, 0}},
      {{3, 5, 1, 2}, 1, {2, -5, -1, 3}},
      {{1, 2, 2, 4}, 0, {0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.m.a << " " << c.m.b << " " << c.m.c << " " << c.m.d);
    EXPECT_EQ(QuadDet(c.m), c.det);
    TIntMatrix m = Quad(c.m.a, c.m.b, c.m.c, c.m.d);
    EXPECT_EQ(m.Det2(), c.det);
    EXPECT_EQ(m.Det(), c.det);
    ASSERT_TRUE(TIntMatrix::InvertUnimodular2(m, m));
    EXPECT_TRUE(m.EqualsQuad(c.inverse));
    TIntQuad q = c.m;
    EXPECT_TRUE(QuadInvertUnimodular(q, q));
    EXPECT_EQ(q, c.inverse);
    if (c.det * c.det == 1) {
      TIntQuad product;
      QuadProduct(product, c.m, q);
      EXPECT_EQ(product, (TIntQuad{1, 0, 0, 1}));
    }
  }
  TIntMatrix unchanged = Quad(1, 2, 3, 4);
  EXPECT_FALSE(TIntMatrix::InvertUnimodular2(unchanged, Matrix({{1, 2, 3}, {4, 5, 6}})));
  EXPECT_TRUE(unchanged.EqualsQuad({1, 2, 3, 4}));

  TIntQuad q{1, 1, 0, 1};
  const TIntQuad r{1, 0, 1, 1};
  TIntQuad separate;
  QuadProduct(separate, q, r);
  EXPECT_EQ(separate, (TIntQuad{2, 1, 1, 1}));
  QuadProduct(q, q, r);
  EXPECT_EQ(q, separate);
  TIntQuad set;
  EXPECT_EQ(QuadSet(set, 1, 2, 3, 4), (TIntQuad{1, 2, 3, 4}));

  // Products and determinants outside 32 bits are reported.
  const TIntQuad big{1 << 16, 0, 0, 1 << 16};
  EXPECT_THROW(QuadDet(big), Out_of_Range);
  TIntQuad untouched{1, 2, 3, 4};
  EXPECT_THROW(QuadProduct(untouched, big, big), Out_of_Range);
  EXPECT_EQ(untouched, (TIntQuad{1, 2, 3, 4}));
  EXPECT_THROW(QuadInvertUnimodular(untouched, TIntQuad{1 << 15, 0, 0, 1 << 15}), Out_of_Range);
  EXPECT_EQ(QuadDet(TIntQuad{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}), 0);
}

TEST(TIntMatrix, Determinants) {
  const std::int32_t nine[] = {2, 0, 1, 1, 3, 2, 1, 1, 2};
  EXPECT_EQ(Det3OfArray(nine), 6);
  const TIntMatrix three = Matrix({{2, 0, 1}, {1, 3, 2}, {1, 1, 2}});
  EXPECT_EQ(three.Det3(), 6);
  EXPECT_EQ(three.Det(), 6);
  const TIntMatrix four = Matrix({{1, 2, 0, 0}, {3, 4, 0, 0}, {0, 0, 5, 6}, {0, 0, 7, 9}});
  EXPECT_EQ(four.Det4(), -6);  // (4 - 6)(45 - 42)
  EXPECT_EQ(four.Det(), -6);

  TIntMatrix identity(5, 5);
  for (std::uint32_t i = 0; i < 5; ++i) identity.Row(i)[i] = 1;
  EXPECT_EQ(identity.Det(), 1);
  EXPECT_EQ(Matrix({{7}}).Det(), 7);
  EXPECT_EQ(TIntMatrix().Det(), 0);

  // A 6x6 matrix with a zero leading entry (the elimination must pivot):
  // a permutation matrix of one transposition times diag(1..6).
  TIntMatrix swapped(6, 6);
  for (std::uint32_t i = 0; i < 6; ++i) swapped.Row(i)[i] = static_cast<std::int32_t>(i + 1);
  std::swap(swapped.Row(0)[0], swapped.Row(0)[1]);
  std::swap(swapped.Row(1)[0], swapped.Row(1)[1]);
  EXPECT_EQ(swapped.Det(), -720);

  // The 7x7 matrix with 2 on the diagonal and -1 beside it (the Cartan
  // matrix of A7) has determinant n + 1 = 8.
  TIntMatrix cartan(7, 7);
  for (std::uint32_t i = 0; i < 7; ++i) {
    cartan.Row(i)[i] = 2;
    if (i > 0) cartan.Row(i)[i - 1] = -1;
    if (i < 6) cartan.Row(i)[i + 1] = -1;
  }
  EXPECT_EQ(cartan.Det(), 8);
  // Vandermonde: det (x_i^j) = product over i < j of (x_j - x_i) = 288 for
  // x = 1..5.
  TIntMatrix vandermonde(5, 5);
  for (std::uint32_t i = 0; i < 5; ++i) {
    std::int32_t power = 1;
    for (std::uint32_t j = 0; j < 5; ++j, power *= static_cast<std::int32_t>(i + 1)) {
      vandermonde.Row(i)[j] = power;
    }
  }
  EXPECT_EQ(vandermonde.Det(), 288);
  TIntMatrix singular(5, 5);
  singular.Fill(3);
  EXPECT_EQ(singular.Det(), 0);

  TIntMatrix huge(5, 5);
  for (std::uint32_t i = 0; i < 5; ++i) huge.Row(i)[i] = 1 << 10;
  EXPECT_THROW(huge.Det(), Out_of_Range);  // 2^50
  EXPECT_EQ(Matrix({{1, 2}, {3}}).Det2(), 0) << "a short row is no 2x2 block";
}

TEST(TIntMatrix, ParseMatrix2x2) {
  TIntMatrix m = Matrix({{1, 2, 3}});
  const char* end = nullptr;
  const char* text = " (1, -2), (3 4) rest";
  ASSERT_EQ(ParseMatrix2x2(m, end, text), 1);
  EXPECT_TRUE(m.EqualsQuad({1, -2, 3, 4}));
  EXPECT_STREQ(end, " rest");
  EXPECT_EQ(ParseMatrix2x2(m, end, "(5, 6, 7)"), 0);
  EXPECT_TRUE(m.EqualsQuad({1, -2, 3, 4})) << "a failed parse leaves the matrix";
}

}  // namespace

TEST(IntMatrix, VectorIsOneRowReadByAtAndCheckedAtTheEnd) {
  TIntMatrix v = TIntMatrix::ConstructVector(3);
  EXPECT_EQ(v.Rows(), 1u);
  EXPECT_EQ(v.Columns(), 3u);
  v.At(2) = 7;
  EXPECT_EQ(v.Row(0)[2], 7);
  EXPECT_EQ(std::as_const(v).At(0), 0);
  EXPECT_THROW(v.At(3), std::out_of_range);
  // Resizing gives zeros again, at the new length.
  ASSERT_TRUE(v.ResizeVector(5));
  EXPECT_EQ(v.Columns(), 5u);
  EXPECT_EQ(v.At(2), 0);
  EXPECT_EQ(v.At(4), 0);
  // An empty matrix has no element 0, and reading it does not crash.
  TIntMatrix empty;
  EXPECT_THROW(empty.At(0), std::out_of_range);
  EXPECT_FALSE(TIntMatrix::ConstructVector(0).IsAllocated());
}
