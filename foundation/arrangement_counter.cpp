#include "foundation/arrangement_counter.h"

#include <algorithm>
#include <array>

std::optional<TArrangementCounter> TArrangementCounter::Create(int radix, int length) {
  if (radix < 2 || radix > 255 || length < 1 || length >= radix) return std::nullopt;
  return TArrangementCounter(radix, length);
}

TArrangementCounter::TArrangementCounter(int radix, int length)
    : radix_(radix), digits_(static_cast<std::size_t>(length)) {
  for (int i = 0; i < length; ++i) digits_[i] = static_cast<std::uint8_t>(i);
}

std::uint8_t TArrangementCounter::Digit(int i) const {
  return static_cast<unsigned>(i) < digits_.size() ? digits_[i] : 0xFF;
}

bool TArrangementCounter::Next(int position, int* changed) {
  if (changed != nullptr) *changed = -1;
  if (position < 0) return false;
  const int last = std::min(position, Length() - 1);
  for (int p = last; p >= 0; --p) {
    // Values used by the digits left of p; a local table, one flag per value.
    std::array<bool, 256> used{};
    for (int i = 0; i < p; ++i) used[digits_[i]] = true;
    int raised = digits_[p] + 1;
    while (raised < radix_ && used[raised]) ++raised;
    if (raised >= radix_) continue;
    digits_[p] = static_cast<std::uint8_t>(raised);
    used[raised] = true;
    int value = 0;
    for (int i = p + 1; i < Length(); ++i) {
      while (used[value]) ++value;
      digits_[i] = static_cast<std::uint8_t>(value);
      used[value] = true;
    }
    if (changed != nullptr) *changed = p;
    return true;
  }
  return false;
}
