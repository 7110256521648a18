// TColouringOdometer: the counter that runs through the colourings of the
// 2-cells of a spine in a state sum.
//
// Digit i is the colour of cell i + 1; digit 0 is the most significant, so
// colourings are visited in lexicographic order from all 0 to all M. Each
// digit takes the values 0, step, 2 step, .. M: colours 0..r-2 with step 1
// (variants 1 and 3), or only the even ones with step 2 (variant 2, the
// homologically trivial part; M is then the largest even value <= r - 2).
//
// The skip: when a colouring fails at edge k, every colouring that agrees
// with it on the cells up to B, the largest number of a cell at that edge,
// fails there too, so the odometer clears the digits from B on and carries
// into digit B - 1. Running past digit 0 leaves every digit at M (the last
// colouring), which the caller's loop tests and then stops at. Allocates
// nothing while it runs.
#pragma once

#include <cstdint>
#include <vector>

struct TSpineCellRecord;

class TColouringOdometer {
 public:
  // All digits 0.
  void Init(int order, unsigned digitCount, int variant);

  bool IsLast() const;
  bool AllEven() const;
  // k = 0: a plain step. k >= 1: the skip after a failure at edge k, where
  // edgeCells holds three cell records per edge (edge k at 3(k-1)..3(k-1)+2).
  void Advance(const TSpineCellRecord* const* edgeCells, int k);
  // Zeroes digits first..last when first <= last < n.
  void ClearRange(unsigned first, unsigned last);

  unsigned DigitCount() const { return static_cast<unsigned>(digits_.size()); }
  // Digit i; -1 out of range.
  int Digit(unsigned i) const { return i < digits_.size() ? digits_[i] : -1; }
  int MaxDigit() const { return max_; }
  int Step() const { return step_; }
  const std::vector<std::int32_t>& Digits() const { return digits_; }

 private:
  int variant_ = 0;
  int order_ = 0;
  int max_ = 0;
  int step_ = 0;
  std::vector<std::int32_t> digits_;
};
