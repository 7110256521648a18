#include "foundation/digit_counter.h"

#include <algorithm>

std::optional<TDigitCounter> TDigitCounter::Create(int radix, int length, std::uint64_t* total) {
  if (radix < 1 || radix > 255 || length < 1) return std::nullopt;
  if (total != nullptr) {
    std::uint64_t states = 1;
    for (int i = 0; i < length; ++i) {
      if (__builtin_mul_overflow(states, static_cast<std::uint64_t>(radix), &states)) {
        states = UINT64_MAX;
        break;
      }
    }
    *total = states;
  }
  return TDigitCounter(radix, length);
}

bool TDigitCounter::CopyInto(TDigitCounter& target) const {
  if (target.digits_.size() != digits_.size()) return false;
  target.digits_ = digits_;
  return true;
}

bool TDigitCounter::Next(int position, int* changed) {
  if (changed != nullptr) *changed = -1;
  if (position < 0) return false;
  int p = std::min(position, Length() - 1);
  for (; p >= 0; --p) {
    if (digits_[p] < radix_ - 1) {
      ++digits_[p];
      std::fill(digits_.begin() + p + 1, digits_.end(), 0);
      if (changed != nullptr) *changed = p;
      return true;
    }
  }
  return false;
}

std::uint8_t TDigitCounter::Digit(int i) const {
  return static_cast<unsigned>(i) < digits_.size() ? digits_[i] : 0xFF;
}

void TDigitCounter::SetDigit(int i, std::uint8_t d) {
  if (static_cast<unsigned>(i) < digits_.size()) digits_[i] = d;
}

void TDigitCounter::Fill(std::uint8_t d) {
  std::fill(digits_.begin(), digits_.end(), d);
}

int TDigitCounter::CountNonZero() const {
  return static_cast<int>(std::count_if(digits_.begin(), digits_.end(),
                                        [](std::uint8_t d) { return d != 0; }));
}

std::uint8_t TDigitCounter::MaxDigit() const {
  return *std::max_element(digits_.begin(), digits_.end());
}

int TDigitCounter::Compare(const TDigitCounter& other) const {
  if (digits_.size() != other.digits_.size()) return 0;
  if (digits_ < other.digits_) return 1;
  if (digits_ > other.digits_) return 3;
  return 2;
}
