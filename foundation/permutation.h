// Permutations of 0..n-1 and their lexicographic enumeration.
//
// Relabellings of tetrahedra, vertices, colours and atoms are enumerated as
// permutations in lexicographic order. The step `Next` takes a position a:
// it yields the smallest permutation greater than the current one whose
// first a + 1 values differ from the current ones, so a search that has
// found the current prefix of length a + 1 useless skips every permutation
// that shares it in one step. With a = n - 2 (or -1) it is the ordinary next
// permutation.
//
// The step: let c be the value at a; find, right of a, the smallest value
// greater than c; when there is none, move a one place left and try again
// (the prefix up to a is the largest with its start). Exchange the two values
// and sort the positions right of a ascending, which gives the smallest
// arrangement of the remaining values. Sorting in place needs no scratch
// memory, so a step allocates nothing and works for every n.
//
// The rank of a permutation (its number of plain steps from the identity)
// is read from its Lehmer code: rank = sum of d_i (n-1-i)!, where d_i counts
// the later values smaller than the value at i.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TOutput;

class TPermutation {
 public:
  // Values are 16-bit, so counts up to 65,536 are allowed; larger counts
  // throw std::length_error.
  static constexpr std::uint32_t kMaxCount = 65536;

  TPermutation() = default;  // the empty permutation
  explicit TPermutation(std::uint32_t n) {
    Resize(n);
    ResetToIdentity();
  }
  static TPermutation Identity(std::uint32_t n) { return TPermutation(n); }

  void Destroy() { values_.clear(); }
  void Clear() { values_.clear(); }
  // New entries are 0 until set.
  void Resize(std::uint32_t n);
  void CopyFrom(const TPermutation& other) { values_ = other.values_; }

  std::uint32_t Count() const { return static_cast<std::uint32_t>(values_.size()); }
  // Precondition: i < Count().
  std::uint16_t At(std::uint32_t i) const { return values_[i]; }
  void SetAt(std::uint32_t i, std::uint16_t value) { values_[i] = value; }
  std::span<const std::uint16_t> Values() const { return values_; }
  // Copies Count() values; false (nothing changed) when the array's length
  // differs from the count.
  bool SetValues(std::span<const std::uint16_t> values);

  // True when the values are exactly 0..n-1 in some order.
  bool IsValid() const;
  bool IsIdentity() const;
  void ResetToIdentity();

  // Equal when both are non-empty with equal counts and values.
  bool Equals(const TPermutation& other) const;
  // Not equal with the same non-zero count.
  bool NotEqual(const TPermutation& other) const;
  // Lexicographic order; all four are false unless the counts are equal and
  // non-zero.
  bool LessThan(const TPermutation& other) const;
  bool GreaterThan(const TPermutation& other) const;
  bool GreaterOrEqual(const TPermutation& other) const;
  bool LessOrEqual(const TPermutation& other) const;

  // The next permutation that changes a value at or left of `position` (see
  // above); a position of -1, or outside 0..n-2, takes the plain next step.
  // Returns false, leaving the permutation unchanged, after the last
  // permutation for that prefix or when n < 2.
  bool Next(int position);

  // Replace this by its inverse; false (unchanged) for an invalid
  // permutation.
  bool Invert();
  // this := inverse of other. Nothing happens (false) when other is empty or
  // invalid.
  bool SetInverseOf(const TPermutation& other);
  // this[i] := p[q[i]] for p and q of the same non-zero count; this may be p
  // or q. Nothing happens (false) when the counts differ or are 0, or when a
  // value of q is not below the count.
  bool Compose(const TPermutation& p, const TPermutation& q);

  // The lexicographic rank from 0 (the number of plain Next steps from the
  // identity); -1 for an empty or invalid permutation. Throws Out_of_Range
  // when the rank does not fit in 64 bits (possible from n = 21 on).
  std::int64_t RankOf() const;

  // Appends "{ ", each value followed by a blank, and "}"; "{ }" when empty.
  void Print(TOutput& output) const;

 private:
  std::vector<std::uint16_t> values_;
};
