// The text of a genus-2 Heegaard diagram: recogniser, reader and the printer
// of its numbers.
//
// The document writes a diagram as one line
//     heegaard [*] a (b1, b2) (c1, c2) d shift1 shift2
// where a pair may be a single number (its second member is then 0), the
// comma and the closing parenthesis of a pair may be left out, and "*" asks
// for the star form. The keyword's letter case is free. Anything behind the
// last number is ignored.
//
// The reader refuses what a diagram cannot hold instead of truncating it to
// 16 bits: arc counts must lie in 0..65535 and so must the number of arc ends
// on a disc pair (N1, N2), because a shift is a position below it. Shifts may
// be written negative or too large; they are reduced modulo N.
#include "presentations/heegaard/heegaard_diagram.h"

#include <cstring>
#include <string>

#include "foundation/comment_rules.h"
#include "foundation/output.h"
#include "foundation/string_table.h"
#include "foundation/text_scanners.h"
#include "presentations/heegaard/heegaard_text_support.h"

namespace {

constexpr const char kKeyword[] = "heegaard";
constexpr std::size_t kKeywordLength = sizeof(kKeyword) - 1;

const char* SkipAny(const char* text, const char* characters) {
  while (*text != '\0' && std::strchr(characters, *text) != nullptr) ++text;
  return text;
}

// One integer of the text: 1 read, 0 failed (error filled).
int ReadNumber(long long& value, const char*& at, const char* copy, const char* original,
               THeegaardReadError* error) {
  int v = 0;
  const char* end = at;
  const TIntegerScan scan = ParseIntegerChecked(v, end, at);
  if (scan != TIntegerScan::Ok) {
    const char* token = SkipAny(at, " \t\n\r");
    SetTextReadError(error,
                     scan == TIntegerScan::OutOfRange ? kHeegaardNumberOutOfRange
                                                      : kHeegaardNumberExpected,
                     original, token - copy);
    return 0;
  }
  value = v;
  at = end;
  return 1;
}

// A pair "(x, y)" or a single number x (then y = 0); starts receive where
// each member was read (for the messages of the range checks).
int ReadPair(long long* members, const char** starts, const char*& at, const char* copy,
             const char* original, THeegaardReadError* error) {
  at = SkipAny(at, " \n\r\t");
  if (*at == '(') {
    ++at;
    starts[0] = SkipAny(at, " \t\n\r");
    if (ReadNumber(members[0], at, copy, original, error) == 0) return 0;
    at = SkipAny(at, " ,\n\r\t");
    starts[1] = at;
    if (ReadNumber(members[1], at, copy, original, error) == 0) return 0;
    at = SkipAny(at, " )\n\r\t");
    return 1;
  }
  members[1] = 0;
  starts[0] = starts[1] = at;
  return ReadNumber(members[0], at, copy, original, error);
}

}  // namespace

int IsHeegaardText(const char* text) {
  return TextBeginsWithKeyword(text, kKeyword);
}

int THeegaardDiagram::ParseText(const char* text, const char*& end, THeegaardReadError* error) {
  if (text == nullptr) return 0;
  if (std::strlen(text) <= kKeywordLength + 11) {
    SetTextReadError(error, kHeegaardTextTooShort, text, 0);
    return 0;
  }
  std::string buffer(text);
  BlankOutComments(buffer.data());
  const char* copy = buffer.c_str();
  if (IsHeegaardText(copy) == 0) {
    SetTextReadError(error, kHeegaardNumberExpected, text, 0);
    return 0;
  }
  const char* at = SkipAny(copy, " \n\r\t") + kKeywordLength;
  at = SkipAny(at, " \t");
  const bool star = *at == '*';
  if (star) at = SkipAny(at + 1, " \t");

  // a, (b1, b2), (c1, c2), d, shift1, shift2.
  long long numbers[8] = {};
  const char* starts[8] = {};
  starts[0] = SkipAny(at, " \t\n\r");
  if (ReadNumber(numbers[0], at, copy, text, error) == 0) return 0;
  if (*at == '\0') {
    SetTextReadError(error, kHeegaardNumberExpected, text, at - copy);
    return 0;
  }
  if (ReadPair(numbers + 1, starts + 1, at, copy, text, error) == 0) return 0;
  if (ReadPair(numbers + 3, starts + 3, at, copy, text, error) == 0) return 0;
  for (int i = 5; i < 8; ++i) {
    starts[i] = SkipAny(at, " \t\n\r");
    if (ReadNumber(numbers[i], at, copy, text, error) == 0) return 0;
  }

  // Range: counts, then the ends per disc pair, then shifts that stay unreduced.
  for (int i = 0; i < 6; ++i) {
    if (numbers[i] < 0 || numbers[i] > kMaxNumber) {
      SetTextReadError(error, kHeegaardNumberOutOfRange, text, starts[i] - copy);
      return 0;
    }
  }
  const long long n1 = numbers[0] + numbers[1] + numbers[2] + numbers[5];
  const long long n2 = numbers[0] + numbers[3] + numbers[4] + numbers[5];
  if (n1 > kMaxNumber || n2 > kMaxNumber) {
    SetTextReadError(error, kHeegaardTooManyEnds, text, starts[0] - copy);
    return 0;
  }
  for (int curve = 0; curve < 2; ++curve) {
    const long long shift = numbers[6 + curve];
    if ((curve == 0 ? n1 : n2) == 0 && (shift < 0 || shift > kMaxNumber)) {
      SetTextReadError(error, kHeegaardNumberOutOfRange, text, starts[6 + curve] - copy);
      return 0;
    }
  }

  const bool changed = a_ != numbers[0] || b1_ != numbers[1] || b2_ != numbers[2] ||
                       c1_ != numbers[3] || c2_ != numbers[4] || d_ != numbers[5];
  a_ = static_cast<std::uint16_t>(numbers[0]);
  b1_ = static_cast<std::uint16_t>(numbers[1]);
  b2_ = static_cast<std::uint16_t>(numbers[2]);
  c1_ = static_cast<std::uint16_t>(numbers[3]);
  c2_ = static_cast<std::uint16_t>(numbers[4]);
  d_ = static_cast<std::uint16_t>(numbers[5]);
  const std::uint16_t oldShift1 = shift1_;
  const std::uint16_t oldShift2 = shift2_;
  SetShift(0, numbers[6]);
  SetShift(1, numbers[7]);
  if (changed || oldShift1 != shift1_ || oldShift2 != shift2_) arcs_.reset();

  if (IsValid() == 0) {
    SetTextReadError(error, kHeegaardInvalid, text, starts[0] - copy);
    return 0;
  }
  kind_ = star ? 4 : 1;
  end = text + (at - copy);
  return 1;
}

int THeegaardDiagram::ParseParameters(const char*& text, THeegaardReadError* error) {
  const char* end = text;
  if (ParseText(text, end, error) == 0) return 0;
  text = end;
  return 1;
}

void PrintHeegaardParameters(TOutput& output, const THeegaardDiagram& diagram) {
  std::string text = std::to_string(diagram.A()) + " ";
  if (diagram.B2() != 0) {
    text += "(" + std::to_string(diagram.B1()) + "," + std::to_string(diagram.B2()) + ")";
  } else {
    text += std::to_string(diagram.Parameter(4));
  }
  text += " ";
  if (diagram.C2() != 0) {
    text += "(" + std::to_string(diagram.C1()) + "," + std::to_string(diagram.C2()) + ")";
  } else {
    text += std::to_string(diagram.Parameter(7));
  }
  text += " " + std::to_string(diagram.D()) + " " + std::to_string(diagram.Shift1()) + " " +
          std::to_string(diagram.Shift2());
  output.AppendText(text.c_str());
}
