// Printers of numbers and of the values that reports are made of: integers of
// every width, rationals, Laurent polynomials, combinations of the sigma
// classes of the Turaev-Viro report, lists of 64-bit integers and digit
// counters.
//
// Each printer appends to an output buffer and writes no line end. Numbers
// never depend on the locale.
#pragma once

#include <cstdint>
#include <span>

#include "foundation/digit_counter.h"
#include "foundation/output.h"
#include "foundation/permutation.h"
#include "foundation/rational.h"

void AppendInt(TOutput& output, std::int32_t value);       // "%d"
void AppendUnsigned(TOutput& output, std::uint32_t value);  // "%u"
void AppendLong(TOutput& output, std::int32_t value);       // "%ld" of a 32-bit long
void AppendInt64(TOutput& output, std::int64_t value);      // the decimal digits, with "-"
void AppendChar(TOutput& output, char value);               // "%c"
void AppendUnsignedLong(TOutput& output, std::uint32_t value);
void AppendUInt64(TOutput& output, std::uint64_t value);
void AppendReal(TOutput& output, double value);  // "%.16g"
// "(a b) (c d)".
void AppendMatrix2x2(TOutput& output, std::int32_t a, std::int32_t b, std::int32_t c,
                     std::int32_t d);

// The numerator, and "/" with the denominator when it is not 1.
void PrintRational(TOutput& output, const TRational& value);

// The Laurent polynomial sum of coefficients[i] * letter^(lowest + i), for i
// up to highest - lowest (coefficients must hold that many). Terms are written
// from the lowest degree up: "+" before a positive coefficient after the
// first term, a coefficient 1 omitted and -1 written "-" except at degree 0,
// then the letter, "letter^{d}" for a negative degree d and "letter^d" from
// degree 2. Example: -t^{-2}+2+t^3. All coefficients zero give "0"; highest
// below lowest gives "EmptyObject".
void PrintLaurentPolynomial(TOutput& output, int lowest, int highest,
                            std::span<const std::int64_t> coefficients, char letter);

// A combination of the classes s_d with rational coefficients c_0 ... c_(n-1),
// written from the highest index down: zero coefficients skipped, "-" before a
// negative one and "+" before a positive one after the first term, the
// coefficient left out when it is 1 and d is not 0, then "s_d" and a blank for
// d above 0 (latex: "\sigma_{d}"). No term gives "0"; n = 0 "Empty object".
void PrintSigmaCombination(TOutput& output, std::span<const TRational> coefficients,
                           bool latex = false);

// The permutation's own form: "{ 0 2 1 }".
void PrintPermutation(TOutput& output, const TPermutation& permutation);

// "{" the values separated by "," "}".
void PrintTInt64List(TOutput& output, std::span<const std::int64_t> values);

// "[" radix "," length "](" the digits separated by "," ")"; "NotInitialized"
// for no counter.
void PrintDigitCounter(TOutput& output, const TDigitCounter* counter);
