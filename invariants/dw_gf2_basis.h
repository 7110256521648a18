// TDWBitVector and TDWEchelonBasis: linear algebra over the field of two
// elements for the DW invariant.
//
// A vector is a packed row of bits; an echelon basis keeps independent rows,
// each with a distinct pivot (its lowest set bit), so that reducing a vector
// against it costs one pass per basis row whose pivot the vector holds. The
// kernel of a set of linear forms is read from their reduced echelon form.
//
// Cost: inserting r rows of m bits into a basis of rank k is O(r k m / 64);
// every reduction polls the stop flag (TComputationStopped).
#pragma once

#include <cstdint>
#include <vector>

class TDWBitVector {
 public:
  TDWBitVector() = default;
  explicit TDWBitVector(int bits) : bits_(bits), words_((bits + 63) / 64, 0) {}

  int Size() const { return bits_; }
  bool Test(int i) const { return ((words_[i >> 6] >> (i & 63)) & 1U) != 0; }
  void Flip(int i) { words_[i >> 6] ^= std::uint64_t{1} << (i & 63); }
  void Set(int i) { words_[i >> 6] |= std::uint64_t{1} << (i & 63); }
  void Xor(const TDWBitVector& other);
  bool IsZero() const;
  // The lowest set bit; -1 for the zero vector.
  int LowestBit() const;

 private:
  int bits_ = 0;
  std::vector<std::uint64_t> words_;
};

class TDWEchelonBasis {
 public:
  explicit TDWEchelonBasis(int bits) : pivotRow_(bits, -1) {}

  // Reduces the vector against the basis and keeps what is left when it is
  // not zero; true when the rank grew.
  bool Insert(TDWBitVector vector);
  // The vector reduced against the basis (zero exactly when it is spanned).
  TDWBitVector Reduce(TDWBitVector vector) const;
  int Rank() const { return static_cast<int>(rows_.size()); }
  // A basis of the common kernel of the inserted rows read as linear forms
  // x -> <row, x>: one vector per column that is nobody's pivot.
  std::vector<TDWBitVector> KernelBasis() const;

 private:
  std::vector<TDWBitVector> rows_;
  std::vector<int> pivotRow_;  // per column: the row pivoting there, or -1
};
