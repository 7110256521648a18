#include "shell/value_printers.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void AppendFormatted(TOutput& output, const char* format, auto... values) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, values...);
  output.AppendText(buffer);
}

}  // namespace

void AppendInt(TOutput& output, std::int32_t value) { AppendFormatted(output, "%d", value); }
void AppendUnsigned(TOutput& output, std::uint32_t value) { AppendFormatted(output, "%u", value); }
void AppendLong(TOutput& output, std::int32_t value) { AppendFormatted(output, "%d", value); }
void AppendInt64(TOutput& output, std::int64_t value) {
  AppendFormatted(output, "%lld", static_cast<long long>(value));
}
void AppendChar(TOutput& output, char value) { AppendFormatted(output, "%c", value); }
void AppendUnsignedLong(TOutput& output, std::uint32_t value) {
  AppendFormatted(output, "%u", value);
}
void AppendUInt64(TOutput& output, std::uint64_t value) {
  AppendFormatted(output, "%llu", static_cast<unsigned long long>(value));
}
void AppendReal(TOutput& output, double value) { AppendFormatted(output, "%.16g", value); }

void AppendMatrix2x2(TOutput& output, std::int32_t a, std::int32_t b, std::int32_t c,
                     std::int32_t d) {
  AppendFormatted(output, "(%d %d) (%d %d)", a, b, c, d);
}

void PrintRational(TOutput& output, const TRational& value) {
  AppendInt64(output, value.Numerator().ToLongLong());
  if (value.Denominator().ToLongLong() != 1) {
    output.AppendText("/");
    AppendInt64(output, value.Denominator().ToLongLong());
  }
}

void PrintLaurentPolynomial(TOutput& output, int lowest, int highest,
                            std::span<const std::int64_t> coefficients, char letter) {
  if (highest < lowest) {
    output.AppendText("EmptyObject");
    return;
  }
  std::string text;
  bool written = false;
  for (long long degree = lowest; degree <= highest; ++degree) {
    const std::size_t index = static_cast<std::size_t>(degree - lowest);
    const std::int64_t c = index < coefficients.size() ? coefficients[index] : 0;
    if (c == 0) continue;
    if (c > 0 && written) text += '+';
    if (degree != 0 && c == 1) {
    } else if (degree != 0 && c == -1) {
      text += '-';
    } else {
      text += std::to_string(c);
    }
    if (degree == 1) {
      text += letter;
    } else if (degree < 0) {
      text += std::string(1, letter) + "^{" + std::to_string(degree) + "}";
    } else if (degree >= 2) {
      text += std::string(1, letter) + "^" + std::to_string(degree);
    }
    written = true;
  }
  output.AppendText(written ? text.c_str() : "0");
}

void PrintSigmaCombination(TOutput& output, std::span<const TRational> coefficients,
                           bool latex) {
  if (coefficients.empty()) {
    output.AppendText("Empty object");
    return;
  }
  bool written = false;
  for (std::size_t d = coefficients.size(); d-- > 0;) {
    TRational c = coefficients[d];
    const long long numerator = c.Numerator().ToLongLong();
    if (numerator == 0) continue;
    if (numerator < 0) {
      output.AppendText("-");
      c.MakeAbsolute();
    } else if (written) {
      output.AppendText("+");
    }
    const bool one = c.Numerator().ToLongLong() == 1 && c.Denominator().ToLongLong() == 1;
    if (!one || d == 0) PrintRational(output, c);
    if (d > 0) {
      const std::string index = std::to_string(d);
      output.AppendText((latex ? "\\sigma_{" + index + "} " : "s_" + index + " ").c_str());
    }
    written = true;
  }
  if (!written) output.AppendText("0");
}

void PrintTInt64List(TOutput& output, std::span<const std::int64_t> values) {
  std::string text = "{";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(values[i]);
  }
  text += '}';
  output.AppendText(text.c_str());
}

void PrintDigitCounter(TOutput& output, const TDigitCounter* counter) {
  if (counter == nullptr) {
    output.AppendText("NotInitialized");
    return;
  }
  std::string text = "[" + std::to_string(counter->Radix()) + "," +
                     std::to_string(counter->Length()) + "](";
  for (int i = 0; i < counter->Length(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(counter->Digit(i));
  }
  text += ')';
  output.AppendText(text.c_str());
}

void PrintPermutation(TOutput& output, const TPermutation& permutation) {
  permutation.Print(output);
}
