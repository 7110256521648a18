// An odometer of byte digits: enumerates all radix^length colourings.
//
// Position length-1 is the least significant digit. `Next` (p) raises the
// first digit below radix-1 found from position p leftwards and sets every
// digit right of it to 0. From the last position this counts through all
// radix^length states in lexicographic order; from a position further left
// it skips every state that shares the digits up to p, which lets a search
// prune all completions of a prefix it has already rejected.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class TDigitCounter {
 public:
  // A counter of `length` zero digits; nothing for a radix outside 1..255 or
  // a length below 1. `total` receives radix^length, saturated at the
  // largest 64-bit value.
  static std::optional<TDigitCounter> Create(int radix, int length,
                                             std::uint64_t* total = nullptr);

  int Radix() const { return radix_; }
  int Length() const { return static_cast<int>(digits_.size()); }
  std::span<const std::uint8_t> Digits() const { return digits_; }

  TDigitCounter Clone() const { return *this; }
  // Copies the digits into a counter of the same length; false otherwise.
  bool CopyInto(TDigitCounter& target) const;

  // The step described above; `changed` receives the position of the raised
  // digit, or -1 when every digit from `position` leftwards is radix-1 (then
  // the result is false and nothing changes). A position beyond the last is
  // taken as the last; a negative position finds nothing.
  bool Next(int position, int* changed = nullptr);

  // The digit at i; 0xFF outside 0..length-1.
  std::uint8_t Digit(int i) const;
  // Writes digit i; positions outside the counter are ignored.
  void SetDigit(int i, std::uint8_t d);
  void Fill(std::uint8_t d);
  int CountNonZero() const;
  std::uint8_t MaxDigit() const;
  // 0 when the lengths differ; otherwise 1 when this is smaller at the first
  // differing digit, 3 when it is greater, 2 when they are equal.
  int Compare(const TDigitCounter& other) const;

 private:
  TDigitCounter(int radix, int length)
      : radix_(radix), digits_(static_cast<std::size_t>(length), 0) {}

  int radix_ = 1;
  std::vector<std::uint8_t> digits_;
};
