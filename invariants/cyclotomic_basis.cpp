#include "invariants/cyclotomic_basis.h"

#include <array>
#include <memory>
#include <stdexcept>

namespace {

struct TRewriteRow {
  int order;
  int slot;
  std::vector<std::pair<int, int>> terms;  // (slot, coefficient)
};

// The dependent slots of the orders 3 .. 15 that have any; every right-hand
// side uses independent slots only. They come from the minimal polynomial of
// 2cos(pi/r): for example at order 7, s_1 - s_2 + s_3 = 1.
const std::vector<TRewriteRow>& RewriteRows() {
  static const std::vector<TRewriteRow> rows = {
      {3, 1, {{0, 1}}},
      {5, 2, {{0, -1}, {1, 1}}},
      {6, 2, {{0, 1}}},
      {7, 3, {{0, 1}, {1, -1}, {2, 1}}},
      {9, 3, {{0, 1}}},
      {9, 4, {{1, 1}, {2, -1}}},
      {10, 4, {{0, -1}, {2, 1}}},
      {11, 5, {{0, 1}, {1, -1}, {2, 1}, {3, -1}, {4, 1}}},
      {12, 4, {{0, 1}}},
      {12, 5, {{1, 1}, {3, -1}}},
      {13, 6, {{0, -1}, {1, 1}, {2, -1}, {3, 1}, {4, -1}, {5, 1}}},
      {14, 6, {{0, 1}, {2, -1}, {4, 1}}},
      {15, 4, {{0, 1}, {1, 1}, {3, -1}}},
      {15, 5, {{0, 1}}},
      {15, 6, {{0, -1}, {3, 1}}},
      {15, 7, {{2, 1}, {3, -1}}},
  };
  return rows;
}

}  // namespace

TCyclotomicBasis::TCyclotomicBasis(int r) : order_(r), count_((r + 1) / 2) {
  rewrite_.assign(static_cast<std::size_t>(count_), {});
  for (const TRewriteRow& row : RewriteRows()) {
    if (row.order == r) rewrite_[static_cast<std::size_t>(row.slot)] = row.terms;
  }
  for (int k = 0; k < count_; ++k) {
    if (rewrite_[static_cast<std::size_t>(k)].empty()) independent_.push_back(k);
  }
  product_.assign(static_cast<std::size_t>(count_ * count_), {});
  for (int i = 0; i < count_; ++i) {
    for (int j = 0; j < count_; ++j) {
      // One spare slot: at even r the index count stands for s_(r/2) = 0.
      std::vector<std::int64_t> v(static_cast<std::size_t>(count_) + 1, 0);
      if (i == 0 || j == 0) {
        v[static_cast<std::size_t>(i + j)] += 1;  // slot 0 is the number 1
      } else {
        if (i + j < count_) {
          v[static_cast<std::size_t>(i + j)] += 1;
        } else {
          v[static_cast<std::size_t>(r - i - j)] -= 1;
        }
        if (i == j) {
          v[0] += 2;
        } else {
          v[static_cast<std::size_t>(i > j ? i - j : j - i)] += 1;
        }
      }
      v.resize(static_cast<std::size_t>(count_));
      Reduce(v);
      product_[static_cast<std::size_t>(i * count_ + j)] = std::move(v);
    }
  }
}

const TCyclotomicBasis& TCyclotomicBasis::OfOrder(int r) {
  if (r < 1 || r > kMaxOrder) throw std::out_of_range("cyclotomic order out of range");
  // Built once, before any caller can see them, and read-only afterwards.
  static const std::array<std::unique_ptr<TCyclotomicBasis>, kMaxOrder + 1> bases = [] {
    std::array<std::unique_ptr<TCyclotomicBasis>, kMaxOrder + 1> all;
    for (int order = 1; order <= kMaxOrder; ++order) {
      all[static_cast<std::size_t>(order)].reset(new TCyclotomicBasis(order));
    }
    return all;
  }();
  return *bases[static_cast<std::size_t>(r)];
}
