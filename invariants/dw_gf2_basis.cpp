#include "invariants/dw_gf2_basis.h"

#include <bit>

#include "foundation/stop_poll.h"

void TDWBitVector::Xor(const TDWBitVector& other) {
  for (std::size_t w = 0; w < words_.size(); ++w) words_[w] ^= other.words_[w];
}

bool TDWBitVector::IsZero() const {
  for (std::uint64_t word : words_) {
    if (word != 0) return false;
  }
  return true;
}

int TDWBitVector::LowestBit() const {
  for (std::size_t w = 0; w < words_.size(); ++w) {
    if (words_[w] != 0) return static_cast<int>(w * 64) + std::countr_zero(words_[w]);
  }
  return -1;
}

TDWBitVector TDWEchelonBasis::Reduce(TDWBitVector vector) const {
  TStopPoll poll(64);
  // Every row's lowest bit is its pivot, so adding the row of the lowest set
  // pivot bit clears it and changes only higher bits: one upward pass.
  for (int i = vector.LowestBit(); i >= 0 && i < vector.Size(); ++i) {
    if (!vector.Test(i) || pivotRow_[i] < 0) continue;
    poll.Step();
    vector.Xor(rows_[pivotRow_[i]]);
  }
  return vector;
}

bool TDWEchelonBasis::Insert(TDWBitVector vector) {
  TDWBitVector reduced = Reduce(std::move(vector));
  // Make the pivot one that no row has yet: the lowest set bit that is not
  // a pivot (after reduction no set bit is a pivot).
  const int pivot = reduced.LowestBit();
  if (pivot < 0) return false;
  pivotRow_[pivot] = static_cast<int>(rows_.size());
  rows_.push_back(std::move(reduced));
  return true;
}

std::vector<TDWBitVector> TDWEchelonBasis::KernelBasis() const {
  const int bits = static_cast<int>(pivotRow_.size());
  // Back substitution: clear every pivot column from the other rows, so that
  // each row reads x_pivot = sum of its free columns.
  std::vector<TDWBitVector> rows = rows_;
  std::vector<int> pivots(rows.size());
  for (int c = 0; c < bits; ++c) {
    if (pivotRow_[c] >= 0) pivots[pivotRow_[c]] = c;
  }
  TStopPoll poll(64);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t s = 0; s < rows.size(); ++s) {
      poll.Step();
      if (s != r && rows[s].Test(pivots[r])) rows[s].Xor(rows[r]);
    }
  }
  std::vector<TDWBitVector> kernel;
  for (int free = 0; free < bits; ++free) {
    if (pivotRow_[free] >= 0) continue;
    TDWBitVector vector(bits);
    vector.Set(free);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (rows[r].Test(free)) vector.Set(pivots[r]);
    }
    kernel.push_back(std::move(vector));
  }
  return kernel;
}
