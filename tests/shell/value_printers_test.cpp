// Printers of numbers, rationals, polynomials and sigma combinations.
#include "shell/value_printers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "model/homology.h"
#include "shell/object_printers.h"
#include "support/model_heap.h"

namespace {

template <typename Print>
std::string Printed(Print print) {
  TOutput output;
  print(output);
  return output.Text();
}

TEST(ValuePrinters, Numbers) {
  EXPECT_EQ(Printed([](TOutput& o) { AppendInt(o, -7); }), "-7");
  EXPECT_EQ(Printed([](TOutput& o) { AppendUnsigned(o, 4000000000u); }), "4000000000");
  EXPECT_EQ(Printed([](TOutput& o) { AppendInt64(o, std::numeric_limits<std::int64_t>::min()); }),
            "-9223372036854775808");
  EXPECT_EQ(Printed([](TOutput& o) { AppendUInt64(o, 18446744073709551615ull); }),
            "18446744073709551615");
  EXPECT_EQ(Printed([](TOutput& o) { AppendReal(o, 1.0 / 3); }), "0.3333333333333333");
  EXPECT_EQ(Printed([](TOutput& o) { AppendMatrix2x2(o, 1, -2, 3, 4); }), "(1 -2) (3 4)");
  EXPECT_EQ(Printed([](TOutput& o) { PrintRational(o, TRational(TInt64::FromInt(6), TInt64::FromInt(3))); }),
            "2");
  EXPECT_EQ(Printed([](TOutput& o) { PrintRational(o, TRational(TInt64::FromInt(-3), TInt64::FromInt(6))); }),
            "-1/2");
  const std::vector<std::int64_t> list = {5, -1, 0};
  EXPECT_EQ(Printed([&](TOutput& o) { PrintTInt64List(o, list); }), "{5,-1,0}");
  TPermutation swap(3);
  swap.Invert();
  swap.Next(-1);
  EXPECT_EQ(Printed([&](TOutput& o) { PrintPermutation(o, swap); }), "{ 0 2 1 }");
  std::optional<TDigitCounter> counter = TDigitCounter::Create(3, 2);
  counter->Next(1);
  EXPECT_EQ(Printed([&](TOutput& o) { PrintDigitCounter(o, &*counter); }), "[3,2](0,1)");
  EXPECT_EQ(Printed([](TOutput& o) { PrintDigitCounter(o, nullptr); }), "NotInitialized");
}

TEST(ValuePrinters, LaurentPolynomials) {
  struct TCase {
    int lowest;
    int highest;
    std::vector<std::int64_t> coefficients;
    const char* text;
  };
  const TCase cases[] = {
      {-2, 3, {-1, 0, 2, 0, 0, 1}, "-t^{-2}+2+t^3"},
      {0, 2, {0, 0, 0}, "0"},
      {0, 0, {-1}, "-1"},
      {0, 0, {1}, "1"},
      {1, 1, {1}, "t"},
      {1, 2, {-1, -3}, "-t-3t^2"},
      {-1, -1, {4}, "4t^{-1}"},
      {1, 0, {}, "EmptyObject"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Printed([&](TOutput& o) {
                PrintLaurentPolynomial(o, c.lowest, c.highest, c.coefficients, 't');
              }),
              c.text);
  }
}

TEST(ValuePrinters, SigmaCombinations) {
  auto r = [](int p, int q) { return TRational(TInt64::FromInt(p), TInt64::FromInt(q)); };
  const std::vector<TRational> combination = {r(1, 1), r(0, 1), r(-1, 2), r(1, 1)};
  EXPECT_EQ(Printed([&](TOutput& o) { PrintSigmaCombination(o, combination); }),
            "s_3 -1/2s_2 +1");
  EXPECT_EQ(Printed([&](TOutput& o) { PrintSigmaCombination(o, combination, true); }),
            "\\sigma_{3} -1/2\\sigma_{2} +1");
  const std::vector<TRational> zero = {r(0, 1), r(0, 1)};
  EXPECT_EQ(Printed([&](TOutput& o) { PrintSigmaCombination(o, zero); }), "0");
  EXPECT_EQ(Printed([](TOutput& o) { PrintSigmaCombination(o, {}); }), "Empty object");
  const std::vector<TRational> negativeFirst = {r(2, 1), r(-1, 1)};
  EXPECT_EQ(Printed([&](TOutput& o) { PrintSigmaCombination(o, negativeFirst); }), "-s_1 +2");
}

TEST(ValuePrinters, HomologyInLatex) {
  TScopedModelHeap heap;
  THomologyList list;
  for (std::int32_t entry : {0, 2, 3}) list.AppendElement(entry);
  EXPECT_EQ(Printed([&](TOutput& o) { PrintHomologyGroup(o, &list, true); }),
            "\\mathbb{Z} \\oplus \\mathbb{Z}_{2} \\oplus \\mathbb{Z}_{3}");
}

}  // namespace
