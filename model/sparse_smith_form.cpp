#include "model/sparse_smith_form.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"

namespace {

// Thrown by the 64-bit arithmetic when an entry leaves its range; the
// elimination then starts again on big integers.
struct TWorkingRangeExceeded {};

std::uint64_t Magnitude64(std::int64_t v) {
  return v < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Checked signed 64-bit arithmetic.
class TInt64Arithmetic {
 public:
  using Value = std::int64_t;

  static Value From(std::int64_t v) { return v; }
  static bool IsZero(const Value& v) { return v == 0; }
  static bool IsUnit(const Value& v) { return v == 1 || v == -1; }
  static int CompareMagnitude(const Value& a, const Value& b) {
    std::uint64_t x = Magnitude64(a), y = Magnitude64(b);
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  // q = a / p rounded to the nearest integer, so that |a - q p| <= |p| / 2.
  void RoundedQuotient(Value& q, const Value& a, const Value& p) {
    if (p == -1 && a == std::numeric_limits<Value>::min()) throw TWorkingRangeExceeded();
    q = a / p;
    Value r = a - q * p;  // |r| < |p|: no overflow
    std::uint64_t mr = Magnitude64(r), mp = Magnitude64(p);
    // |q| <= |a| / 2 when r != 0, so stepping q by one stays in range.
    if (mr > mp - mr) q += ((r < 0) == (p < 0)) ? 1 : -1;
  }
  // a -= q b
  void SubtractProduct(Value& a, const Value& q, const Value& b) {
    Value product;
    if (__builtin_mul_overflow(q, b, &product) || __builtin_sub_overflow(a, product, &a)) {
      throw TWorkingRangeExceeded();
    }
  }
  // out = -(q b)
  void SetNegatedProduct(Value& out, const Value& q, const Value& b) {
    Value product;
    if (__builtin_mul_overflow(q, b, &product) ||
        product == std::numeric_limits<Value>::min()) {
      throw TWorkingRangeExceeded();
    }
    out = -product;
  }
  static Value Absolute(const Value& v) {
    if (v == std::numeric_limits<Value>::min()) throw TWorkingRangeExceeded();
    return v < 0 ? -v : v;
  }
  static bool Divides(const Value& a, const Value& b) { return b % a == 0; }  // a > 0
  // (a, b) := (gcd, lcm) for positive a, b.
  static void GcdLcm(Value& a, Value& b) {
    Value x = a, y = b;
    while (y != 0) {
      Value t = x % y;
      x = y;
      y = t;
    }
    Value lcm;
    if (__builtin_mul_overflow(a / x, b, &lcm)) throw TWorkingRangeExceeded();
    a = x;
    b = lcm;
  }
  static mpz_class ToBig(const Value& v) { return mpz_class(static_cast<long>(v)); }
};

// GMP's big integers: nothing overflows. Scratch values are kept so that the
// inner loop allocates only for entries that grow.
class TBigArithmetic {
 public:
  using Value = mpz_class;

  static Value From(std::int64_t v) { return mpz_class(static_cast<long>(v)); }
  static bool IsZero(const Value& v) { return sgn(v) == 0; }
  static bool IsUnit(const Value& v) { return mpz_cmpabs_ui(v.get_mpz_t(), 1) == 0; }
  static int CompareMagnitude(const Value& a, const Value& b) {
    int c = mpz_cmpabs(a.get_mpz_t(), b.get_mpz_t());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  void RoundedQuotient(Value& q, const Value& a, const Value& p) {
    mpz_tdiv_qr(q.get_mpz_t(), remainder_.get_mpz_t(), a.get_mpz_t(), p.get_mpz_t());
    mpz_mul_2exp(twice_.get_mpz_t(), remainder_.get_mpz_t(), 1);
    if (mpz_cmpabs(twice_.get_mpz_t(), p.get_mpz_t()) > 0) {
      if ((sgn(remainder_) < 0) == (sgn(p) < 0)) {
        mpz_add_ui(q.get_mpz_t(), q.get_mpz_t(), 1);
      } else {
        mpz_sub_ui(q.get_mpz_t(), q.get_mpz_t(), 1);
      }
    }
  }
  void SubtractProduct(Value& a, const Value& q, const Value& b) {
    mpz_submul(a.get_mpz_t(), q.get_mpz_t(), b.get_mpz_t());
  }
  void SetNegatedProduct(Value& out, const Value& q, const Value& b) {
    mpz_mul(out.get_mpz_t(), q.get_mpz_t(), b.get_mpz_t());
    mpz_neg(out.get_mpz_t(), out.get_mpz_t());
  }
  static Value Absolute(const Value& v) { return abs(v); }
  static bool Divides(const Value& a, const Value& b) {
    return mpz_divisible_p(b.get_mpz_t(), a.get_mpz_t()) != 0;
  }
  static void GcdLcm(Value& a, Value& b) {
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    mpz_divexact(a.get_mpz_t(), a.get_mpz_t(), g.get_mpz_t());
    b *= a;
    a = g;
  }
  static mpz_class ToBig(const Value& v) { return v; }

 private:
  mpz_class remainder_;
  mpz_class twice_;
};

// The elimination on one arithmetic. Rows that have served as pivot rows are
// done: they and their pivot columns have left the matrix. columnRows_[j]
// lists (at least) every live row with an entry in column j; it may also
// name rows that lost theirs, and is tidied when the column is used.
template <typename A>
class TSparseElimination {
 public:
  using V = typename A::Value;
  struct TEntry {
    std::uint32_t column;
    V value;
  };
  using TRow = std::vector<TEntry>;

  TSparseElimination(const std::vector<TSparseRow>& rows, std::uint32_t columns)
      : rows_(rows.size()),
        done_(rows.size(), 0),
        estimated_(rows.size(), 0),
        dead_(rows.size(), 0),
        columnRows_(columns), columnCount_(columns, 0) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      TRow& row = rows_[i];
      row.reserve(rows[i].size());
      for (const TSparseEntry& e : rows[i]) {
        row.push_back({e.column, A::From(e.value)});
        columnRows_[e.column].push_back(static_cast<std::uint32_t>(i));
        ++columnCount_[e.column];
      }
      poll_.Steps(static_cast<unsigned>(row.size()) + 1);
    }
  }

  TSmithForm Run();

 private:
  // Rows wait in a queue ordered by (no unit entry, Markowitz cost): the
  // cost of a pivot is (row length - 1) x (column count - 1), the number of
  // entries its elimination can fill in, taken over the row's candidate
  // pivots. A row that changes is queued again; an entry whose key is out of
  // date (the row or its columns changed) is queued again with its new key.
  //
  // Working out a key walks the whole row, so a long row that short pivot
  // rows change again and again would be walked once per change. A long row
  // is queued instead with an estimate, at most once until that entry comes
  // up; its exact key is worked out then. The order only steers the fill-in:
  // any order gives the same group.
  struct TKey {
    std::uint32_t noUnit;
    std::uint64_t cost;
    std::uint32_t row;
    bool estimated = false;
    bool operator>(const TKey& o) const {
      if (noUnit != o.noUnit) return noUnit > o.noUnit;
      if (cost != o.cost) return cost > o.cost;
      if (row != o.row) return row > o.row;
      return estimated < o.estimated;
    }
    bool operator==(const TKey&) const = default;
  };
  // Rows longer than this are queued with an estimated key.
  static constexpr std::size_t kExactKeyLength = 32;

  TKey KeyOf(std::uint32_t i) const {
    const TRow& row = rows_[i];
    std::uint32_t noUnit = 1;
    for (const TEntry& e : row) {
      if (A::IsUnit(e.value)) {
        noUnit = 0;
        break;
      }
    }
    std::uint32_t fewest = std::numeric_limits<std::uint32_t>::max();
    for (const TEntry& e : row) {
      if (A::IsZero(e.value) || (noUnit == 0 && !A::IsUnit(e.value))) continue;
      fewest = std::min(fewest, columnCount_[e.column]);
    }
    std::uint64_t cost = std::uint64_t(Live(i) - 1) * (fewest - 1);
    return {noUnit, cost, i};
  }
  void Queue(std::uint32_t i) {
    const std::size_t live = Live(i);
    if (live == 0) return;
    if (live <= kExactKeyLength) {
      queue_.push(KeyOf(i));
    } else if (estimated_[i] == 0) {
      estimated_[i] = 1;
      queue_.push({0, std::uint64_t(live - 1), i, true});
    }
  }

  // Entries of a row, not counting the zeros it keeps in place.
  std::size_t Live(std::uint32_t i) const { return rows_[i].size() - dead_[i]; }

  // Drops the zeros kept in a row.
  void Compact(std::uint32_t i) {
    TRow& row = rows_[i];
    row.erase(std::remove_if(row.begin(), row.end(),
                             [](const TEntry& e) { return A::IsZero(e.value); }),
              row.end());
    dead_[i] = 0;
  }

  static const TEntry* Find(const TRow& row, std::uint32_t column) {
    auto it = std::lower_bound(row.begin(), row.end(), column,
                               [](const TEntry& e, std::uint32_t c) { return e.column < c; });
    return (it != row.end() && it->column == column && !A::IsZero(it->value)) ? &*it : nullptr;
  }

  // Among the entries of the row (except column `except`), one of least
  // absolute value; among those, one whose column meets the fewest rows.
  std::uint32_t ChooseColumn(const TRow& row, std::uint32_t except) const {
    const TEntry* best = nullptr;
    for (const TEntry& e : row) {
      if (e.column == except || A::IsZero(e.value)) continue;
      if (best == nullptr) {
        best = &e;
        continue;
      }
      int c = A::CompareMagnitude(e.value, best->value);
      if (c < 0 || (c == 0 && columnCount_[e.column] < columnCount_[best->column])) best = &e;
    }
    return best->column;
  }

  // A source row shorter than this fraction of the target is applied in place.
  static constexpr std::size_t kShortSourceRatio = 4;

  void SubtractRowMultiple(std::uint32_t target, std::uint32_t source, const V& q);
  void SubtractShortRow(std::uint32_t target, const TRow& b, const V& q);
  void Eliminate(std::uint32_t r, std::uint32_t c);

  A arithmetic_;
  std::vector<TRow> rows_;
  std::vector<char> done_;
  std::vector<char> estimated_;  // the row has an estimated entry in the queue
  // Zeros a row keeps in place. An entry of a long row that cancels stays as a
  // zero instead of being erased: erasing shifted the whole tail of the row,
  // and a long row losing its entries one by one cost quadratic time. Every
  // reader skips zeros; a row is compacted when they outnumber its entries.
  std::vector<std::uint32_t> dead_;
  std::vector<std::vector<std::uint32_t>> columnRows_;
  std::vector<std::uint32_t> columnCount_;
  std::priority_queue<TKey, std::vector<TKey>, std::greater<TKey>> queue_;
  std::vector<V> pivots_;  // absolute values, in the order found
  TRow merged_;
  TRow fillIn_;
  std::vector<std::uint32_t> others_;
  V quotient_{};
  TStopPoll poll_;
};

// row target -= q x row source, merging the two sorted rows.
template <typename A>
void TSparseElimination<A>::SubtractRowMultiple(std::uint32_t target, std::uint32_t source,
                                                const V& q) {
  TRow& a = rows_[target];
  const TRow& b = rows_[source];
  if (Live(source) * kShortSourceRatio < Live(target)) {
    SubtractShortRow(target, b, q);
    return;
  }
  merged_.clear();
  merged_.reserve(a.size() + b.size());
  std::size_t ia = 0, ib = 0;
  while (ia < a.size() || ib < b.size()) {
    if (ia < a.size() && A::IsZero(a[ia].value)) {
      ++ia;
      continue;
    }
    if (ib < b.size() && A::IsZero(b[ib].value)) {
      ++ib;
      continue;
    }
    if (ib == b.size() || (ia < a.size() && a[ia].column < b[ib].column)) {
      merged_.push_back(std::move(a[ia++]));
    } else if (ia == a.size() || b[ib].column < a[ia].column) {
      // Fill-in: a new entry in the target row.
      TEntry entry{b[ib].column, V{}};
      arithmetic_.SetNegatedProduct(entry.value, q, b[ib].value);
      ++columnCount_[entry.column];
      columnRows_[entry.column].push_back(target);
      merged_.push_back(std::move(entry));
      ++ib;
    } else {
      arithmetic_.SubtractProduct(a[ia].value, q, b[ib].value);
      if (A::IsZero(a[ia].value)) {
        --columnCount_[a[ia].column];
      } else {
        merged_.push_back(std::move(a[ia]));
      }
      ++ia;
      ++ib;
    }
  }
  poll_.Steps(static_cast<unsigned>(a.size() + b.size()) + 1);
  a.swap(merged_);
  dead_[target] = 0;
}

// The same when the source row is much shorter than the target: a long row
// (a relation that runs over many generators) is hit again and again by short
// pivot rows, and merging it whole every time made those runs quadratic. Here
// the entries the source meets are found by binary search and changed in
// place; only the stretch between the first and the last entry that appears or
// vanishes is rebuilt, and the rest of the row moves only when its length
// changes.
template <typename A>
void TSparseElimination<A>::SubtractShortRow(std::uint32_t target, const TRow& b, const V& q) {
  TRow& a = rows_[target];
  std::size_t lo = a.size(), hi = 0;  // the stretch [lo, hi) of a to rebuild
  bool reshaped = false;
  fillIn_.clear();
  std::size_t from = 0;
  for (const TEntry& e : b) {
    if (A::IsZero(e.value)) continue;
    auto it = std::lower_bound(a.begin() + static_cast<std::ptrdiff_t>(from), a.end(), e.column,
                               [](const TEntry& x, std::uint32_t c) { return x.column < c; });
    std::size_t pos = static_cast<std::size_t>(it - a.begin());
    if (it != a.end() && it->column == e.column && A::IsZero(it->value)) {
      // A kept zero comes back to life in place.
      arithmetic_.SetNegatedProduct(it->value, q, e.value);
      ++columnCount_[e.column];
      columnRows_[e.column].push_back(target);
      --dead_[target];
      from = pos + 1;
    } else if (it != a.end() && it->column == e.column) {
      arithmetic_.SubtractProduct(it->value, q, e.value);
      if (A::IsZero(it->value)) {
        // Kept in place as a zero.
        --columnCount_[e.column];
        ++dead_[target];
      }
      from = pos + 1;
    } else {
      // Fill-in: a new entry, to stand before a[pos].
      TEntry entry{e.column, V{}};
      arithmetic_.SetNegatedProduct(entry.value, q, e.value);
      ++columnCount_[e.column];
      columnRows_[e.column].push_back(target);
      fillIn_.push_back(std::move(entry));
      reshaped = true;
      lo = std::min(lo, pos);
      hi = std::max(hi, pos);
      from = pos;
    }
  }
  if (!reshaped) {
    poll_.Steps(static_cast<unsigned>(b.size()) + 1);
    if (dead_[target] > Live(target) + kExactKeyLength) Compact(target);
    return;
  }

  merged_.clear();
  std::size_t ia = lo, k = 0;
  while (ia < hi || k < fillIn_.size()) {
    if (k == fillIn_.size() || (ia < hi && a[ia].column < fillIn_[k].column)) {
      if (!A::IsZero(a[ia].value))
        merged_.push_back(std::move(a[ia]));
      else
        --dead_[target];
      ++ia;
    } else {
      merged_.push_back(std::move(fillIn_[k++]));
    }
  }
  const std::size_t oldLength = hi - lo;
  const std::size_t newLength = merged_.size();
  const auto at = [&a](std::size_t i) { return a.begin() + static_cast<std::ptrdiff_t>(i); };
  if (newLength > oldLength) {
    a.insert(at(hi), newLength - oldLength, TEntry{0, V{}});
  } else if (newLength < oldLength) {
    a.erase(at(lo + newLength), at(hi));
  }
  std::move(merged_.begin(), merged_.end(), at(lo));
  poll_.Steps(static_cast<unsigned>(b.size() + oldLength + newLength) + 1);
  if (dead_[target] > Live(target) + kExactKeyLength) Compact(target);
}

// Brings the pivot at (r, c) down to a divisor of its row and column, clears
// them, and takes the pivot row and column out of the matrix.
template <typename A>
void TSparseElimination<A>::Eliminate(std::uint32_t r, std::uint32_t c) {
  for (;;) {
    // Clear column c by row operations with the pivot row. A remainder left
    // in a row is smaller than the pivot and becomes the pivot.
    for (;;) {
      std::vector<std::uint32_t>& holders = columnRows_[c];
      others_.clear();
      for (std::uint32_t i : holders) {
        if (i != r && done_[i] == 0 && Find(rows_[i], c) != nullptr) others_.push_back(i);
      }
      std::sort(others_.begin(), others_.end());
      others_.erase(std::unique(others_.begin(), others_.end()), others_.end());
      poll_.Steps(static_cast<unsigned>(holders.size()) + 1);
      holders.assign(1, r);
      if (others_.empty()) break;

      const V p = Find(rows_[r], c)->value;
      std::uint32_t next = r;
      const V* least = nullptr;
      for (std::uint32_t i : others_) {
        arithmetic_.RoundedQuotient(quotient_, Find(rows_[i], c)->value, p);
        SubtractRowMultiple(i, r, quotient_);
        if (const TEntry* left = Find(rows_[i], c)) {
          holders.push_back(i);
          if (least == nullptr || A::CompareMagnitude(left->value, *least) < 0) {
            least = &left->value;
            next = i;
          }
        }
        Queue(i);
      }
      if (next == r) break;
      r = next;
    }

    // Column c now meets row r alone, so a column operation with it changes
    // only row r: reduce the rest of the row modulo the pivot.
    TRow& row = rows_[r];
    const V p = Find(row, c)->value;
    // A unit divides everything: the rest of the row simply goes.
    const bool unit = A::IsUnit(p);
    std::size_t kept = 0;
    for (std::size_t k = 0; k < row.size(); ++k) {
      if (A::IsZero(row[k].value)) continue;
      if (unit && row[k].column != c) {
        --columnCount_[row[k].column];
        continue;
      }
      if (row[k].column != c) {
        arithmetic_.RoundedQuotient(quotient_, row[k].value, p);
        arithmetic_.SubtractProduct(row[k].value, quotient_, p);
        if (A::IsZero(row[k].value)) {
          --columnCount_[row[k].column];
          continue;
        }
      }
      if (kept != k) row[kept] = std::move(row[k]);
      ++kept;
    }
    row.resize(kept);
    dead_[r] = 0;
    poll_.Steps(static_cast<unsigned>(row.size()) + 1);
    if (row.size() == 1) {
      pivots_.push_back(A::Absolute(p));
      done_[r] = 1;
      columnCount_[c] = 0;
      columnRows_[c].clear();
      columnRows_[c].shrink_to_fit();
      row.clear();
      row.shrink_to_fit();
      return;
    }
    // A remainder in the row is the new, smaller pivot.
    c = ChooseColumn(row, c);
  }
}

template <typename A>
TSmithForm TSparseElimination<A>::Run() {
  for (std::uint32_t i = 0; i < rows_.size(); ++i) Queue(i);
  while (!queue_.empty()) {
    TKey key = queue_.top();
    queue_.pop();
    poll_.Step();
    std::uint32_t r = key.row;
    if (key.estimated) estimated_[r] = 0;
    if (done_[r] != 0 || Live(r) == 0) continue;
    TKey now = KeyOf(r);
    if (!(now == key)) {
      queue_.push(now);
      continue;
    }
    Eliminate(r, ChooseColumn(rows_[r], std::numeric_limits<std::uint32_t>::max()));
  }

  TSmithForm form;
  form.rank = static_cast<std::uint32_t>(pivots_.size());
  // The diagonal to invariant factors: (a, b) -> (gcd, lcm) over all pairs
  // leaves each entry dividing every later one. Units are already factors.
  std::vector<V> diagonal;
  for (V& p : pivots_) {
    if (!A::IsUnit(p)) diagonal.push_back(std::move(p));
  }
  std::sort(diagonal.begin(), diagonal.end(),
            [](const V& a, const V& b) { return A::CompareMagnitude(a, b) < 0; });
  for (std::size_t i = 0; i < diagonal.size(); ++i) {
    for (std::size_t j = i + 1; j < diagonal.size(); ++j) {
      poll_.Step();
      if (!A::Divides(diagonal[i], diagonal[j])) A::GcdLcm(diagonal[i], diagonal[j]);
    }
  }
  for (const V& d : diagonal) {
    if (!A::IsUnit(d)) form.torsion.push_back(A::ToBig(d));
  }
  return form;
}

}  // namespace

TSmithForm SparseSmithForm(const std::vector<TSparseRow>& rows, std::uint32_t columns) {
  try {
    return TSparseElimination<TInt64Arithmetic>(rows, columns).Run();
  } catch (const TWorkingRangeExceeded&) {
  }
  return TSparseElimination<TBigArithmetic>(rows, columns).Run();
}

void SortSparseRow(TSparseRow& row) {
  std::sort(row.begin(), row.end(),
            [](const TSparseEntry& a, const TSparseEntry& b) { return a.column < b.column; });
  std::size_t kept = 0;
  for (std::size_t k = 0; k < row.size(); ++k) {
    if (kept > 0 && row[kept - 1].column == row[k].column) {
      row[kept - 1].value = TInt64Sum(TInt64::FromLongLong(row[kept - 1].value),
                                       TInt64::FromLongLong(row[k].value))
                                 .ToLongLong();
    } else {
      row[kept++] = row[k];
    }
  }
  row.resize(kept);
  row.erase(std::remove_if(row.begin(), row.end(), [](const TSparseEntry& e) { return e.value == 0; }),
            row.end());
}
