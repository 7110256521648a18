// Enumerates arrangements: sequences of `length` pairwise different values
// below `radix`, in lexicographic order (the maximal trees of a graph are
// searched as arrangements of edge indices).
//
// `Next` (p) keeps the digits left of p and finds, from p leftwards, the
// first position whose digit can be raised to a value that is larger, below
// the radix and unused by the digits left of it; it takes the smallest such
// value and fills the positions to its right with the smallest unused values
// in increasing order, the least arrangement with that prefix. From the last
// position this is the plain lexicographic successor.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class TArrangementCounter {
 public:
  // Starts at 0, 1, ..., length-1; nothing unless 2 <= radix <= 255 and
  // 0 < length < radix.
  static std::optional<TArrangementCounter> Create(int radix, int length);

  int Radix() const { return radix_; }
  int Length() const { return static_cast<int>(digits_.size()); }
  std::span<const std::uint8_t> Digits() const { return digits_; }
  // The digit at i; 0xFF outside 0..length-1.
  std::uint8_t Digit(int i) const;

  // The step described above; `changed` receives the position of the raised
  // digit, or -1 when none can be raised (then the result is false and
  // nothing changes). A position beyond the last is taken as the last; a
  // negative position finds nothing.
  bool Next(int position, int* changed = nullptr);

 private:
  TArrangementCounter(int radix, int length);

  int radix_ = 2;
  std::vector<std::uint8_t> digits_;
};
