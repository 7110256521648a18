#include "invariants/colouring_odometer.h"

#include <algorithm>

#include "invariants/spine_cell_table.h"

void TColouringOdometer::Init(int order, unsigned digitCount, int variant) {
  variant_ = variant;
  order_ = order;
  max_ = order - 2;
  if (variant == 2 && max_ % 2 != 0) --max_;
  step_ = variant == 1 || variant == 3 ? 1 : variant == 2 ? 2 : 0;
  digits_.assign(digitCount, 0);
}

bool TColouringOdometer::IsLast() const {
  return std::all_of(digits_.begin(), digits_.end(), [this](std::int32_t d) { return d == max_; });
}

bool TColouringOdometer::AllEven() const {
  return std::all_of(digits_.begin(), digits_.end(), [](std::int32_t d) { return d % 2 == 0; });
}

void TColouringOdometer::Advance(const TSpineCellRecord* const* edgeCells, int k) {
  long border = static_cast<long>(digits_.size());
  if (k >= 1 && edgeCells != nullptr) {
    border = 0;
    for (int j = 0; j < 3; ++j) {
      const TSpineCellRecord* record = edgeCells[3 * (k - 1) + j];
      if (record != nullptr) border = std::max<long>(border, record->number);
    }
  }
  for (long i = static_cast<long>(digits_.size()) - 1; i >= 0; --i) {
    std::int32_t& digit = digits_[static_cast<std::size_t>(i)];
    if (i >= border || digit >= max_) {
      digit = 0;
      continue;
    }
    digit += step_;
    return;
  }
  // Every colouring after this one was passed over: stand on the last.
  std::fill(digits_.begin(), digits_.end(), max_);
}

void TColouringOdometer::ClearRange(unsigned first, unsigned last) {
  if (first > last || last >= digits_.size()) return;
  std::fill(digits_.begin() + first, digits_.begin() + last + 1, 0);
}
