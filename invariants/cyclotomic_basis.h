// The basis of the real cyclotomic field of order r and its multiplication.
//
// The field Q(cos(pi/r)) is spanned by 1, s_1, s_2, ... with s_k = 2cos(k pi/r).
// We keep count = (r + 1) / 2 basis slots: 1, s_1, .., s_(count-1). The slots
// are independent for r a power of two (and for r < 3); for the other orders
// some of them are rational combinations of the lower ones (for example
// s_2 = s_1 - 1 at order 5, because 2cos(72 deg) + 1 = 2cos(36 deg)), and a
// number in normal form has coefficient 0 on every such dependent slot. The
// remaining slots form a basis, so equal numbers have equal coefficients.
//
// Products of basis slots follow from s_i s_j = s_(i+j) + s_|i-j|, with
// s_0 = 2, s_(r-m) = -s_m and s_(r/2) = 0 for even r; the rewrite of the
// dependent slots then gives integer coefficients, since every s_k is an
// algebraic integer. The tables are built once per order and never change.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class TCyclotomicBasis {
 public:
  // Orders handled: 1 .. kMaxOrder.
  static constexpr int kMaxOrder = 32;

  // The basis of order r; throws std::out_of_range outside 1 .. kMaxOrder.
  static const TCyclotomicBasis& OfOrder(int r);

  int Order() const { return order_; }
  int Count() const { return count_; }
  // Slot k is a combination of lower slots (its coefficient is always 0).
  bool IsDependent(int k) const { return !rewrite_[k].empty(); }
  // The independent slots, ascending (slot 0 first).
  const std::vector<int>& IndependentSlots() const { return independent_; }
  // The reduced coefficients of slot i times slot j (Count() integers).
  const std::vector<std::int64_t>& Product(int i, int j) const {
    return product_[static_cast<std::size_t>(i * count_ + j)];
  }
  // The expression of a dependent slot in the lower ones (slot, coefficient).
  const std::vector<std::pair<int, int>>& Rewrite(int k) const { return rewrite_[k]; }

  // Rewrites every dependent slot of a coefficient vector of Count() entries.
  template <typename T>
  void Reduce(std::vector<T>& coefficients) const {
    for (int k = count_ - 1; k >= 1; --k) {
      if (rewrite_[k].empty() || coefficients[k] == 0) continue;
      for (const auto& [slot, c] : rewrite_[k]) coefficients[slot] += coefficients[k] * c;
      coefficients[k] = 0;
    }
  }

 private:
  explicit TCyclotomicBasis(int r);

  int order_;
  int count_;
  std::vector<std::vector<std::pair<int, int>>> rewrite_;
  std::vector<int> independent_;
  std::vector<std::vector<std::int64_t>> product_;
};
