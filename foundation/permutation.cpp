#include "foundation/permutation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "foundation/checked_int64.h"
#include "foundation/output.h"

void TPermutation::Resize(std::uint32_t n) {
  if (n > kMaxCount) throw std::length_error("permutation of more than 65536 elements");
  values_.resize(n, 0);
}

bool TPermutation::SetValues(std::span<const std::uint16_t> values) {
  if (values.size() != values_.size()) return false;
  std::copy(values.begin(), values.end(), values_.begin());
  return true;
}

bool TPermutation::IsValid() const {
  std::vector<bool> seen(values_.size(), false);
  for (std::uint16_t v : values_) {
    if (v >= values_.size() || seen[v]) return false;
    seen[v] = true;
  }
  return true;
}

bool TPermutation::IsIdentity() const {
  if (values_.empty()) return false;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (values_[i] != i) return false;
  }
  return true;
}

void TPermutation::ResetToIdentity() {
  for (std::size_t i = 0; i < values_.size(); ++i) values_[i] = static_cast<std::uint16_t>(i);
}

bool TPermutation::Equals(const TPermutation& other) const {
  return !values_.empty() && values_ == other.values_;
}

bool TPermutation::NotEqual(const TPermutation& other) const {
  return !values_.empty() && values_.size() == other.values_.size() && values_ != other.values_;
}

bool TPermutation::LessThan(const TPermutation& other) const {
  return !values_.empty() && values_.size() == other.values_.size() && values_ < other.values_;
}

bool TPermutation::GreaterThan(const TPermutation& other) const {
  return !values_.empty() && values_.size() == other.values_.size() && values_ > other.values_;
}

bool TPermutation::GreaterOrEqual(const TPermutation& other) const {
  return !values_.empty() && values_.size() == other.values_.size() && values_ >= other.values_;
}

bool TPermutation::LessOrEqual(const TPermutation& other) const {
  return !values_.empty() && values_.size() == other.values_.size() && values_ <= other.values_;
}

bool TPermutation::Next(int position) {
  const std::size_t n = values_.size();
  if (n < 2) return false;
  std::size_t a = (position < 0 || static_cast<std::size_t>(position) >= n - 1)
                      ? n - 2
                      : static_cast<std::size_t>(position);
  // The largest value right of a, kept while a moves left, so a position
  // whose value exceeds everything to its right is passed without a scan.
  std::uint16_t largest_right =
      *std::max_element(values_.begin() + static_cast<std::ptrdiff_t>(a) + 1, values_.end());
  while (values_[a] >= largest_right) {
    if (a == 0) return false;
    largest_right = values_[a];
    --a;
  }
  const std::uint16_t c = values_[a];
  std::size_t found = n;
  for (std::size_t j = a + 1; j < n; ++j) {
    if (values_[j] > c && (found == n || values_[j] < values_[found])) found = j;
  }
  std::swap(values_[a], values_[found]);
  std::sort(values_.begin() + static_cast<std::ptrdiff_t>(a) + 1, values_.end());
  return true;
}

bool TPermutation::Invert() {
  return SetInverseOf(*this);
}

bool TPermutation::SetInverseOf(const TPermutation& other) {
  if (other.values_.empty() || !other.IsValid()) return false;
  std::vector<std::uint16_t> inverse(other.values_.size());
  for (std::size_t i = 0; i < inverse.size(); ++i) {
    inverse[other.values_[i]] = static_cast<std::uint16_t>(i);
  }
  values_ = std::move(inverse);
  return true;
}

bool TPermutation::Compose(const TPermutation& p, const TPermutation& q) {
  const std::size_t n = p.values_.size();
  if (n == 0 || q.values_.size() != n) return false;
  std::vector<std::uint16_t> composed(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (q.values_[i] >= n) return false;
    composed[i] = p.values_[q.values_[i]];
  }
  values_ = std::move(composed);
  return true;
}

std::int64_t TPermutation::RankOf() const {
  const std::size_t n = values_.size();
  if (n == 0 || !IsValid()) return -1;
  // Horner's scheme on the Lehmer code: rank = (..(d_0 (n-1) + d_1)(n-2) ..).
  TInt64 rank;
  for (std::size_t i = 0; i < n; ++i) {
    std::int32_t smaller_later = 0;
    for (std::size_t j = i + 1; j < n; ++j) {
      if (values_[j] < values_[i]) ++smaller_later;
    }
    rank.Multiply(TInt64::FromLongLong(static_cast<std::int64_t>(n - i)));
    rank.Add(TInt64::FromInt(smaller_later));
  }
  return rank.ToLongLong();
}

void TPermutation::Print(TOutput& output) const {
  std::string text = "{ ";
  for (std::uint16_t value : values_) {
    text += std::to_string(value);
    text += ' ';
  }
  text += '}';
  output.AppendText(text.c_str());
}
