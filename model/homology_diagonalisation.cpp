#include "model/homology_diagonalisation.h"

#include <algorithm>
#include <climits>

#include "foundation/checked_int64.h"

namespace {

// The invariant factors of the form, 1s included, as 32-bit values.
std::vector<std::int32_t> NarrowFactors(const TSmithForm& form) {
  std::vector<std::int32_t> factors(form.rank - form.torsion.size(), 1);
  for (const mpz_class& d : form.torsion) {
    if (!d.fits_sint_p() || d > INT32_MAX) {
      throw Out_of_Range(TInt64::FromInt(0), TInt64::FromInt(0), kOverflowMultiply);
    }
    factors.push_back(static_cast<std::int32_t>(d.get_si()));
  }
  return factors;
}

std::vector<std::int32_t> SummandsOf(const std::vector<std::int32_t>& factors,
                                     std::uint32_t columns) {
  std::vector<std::int32_t> summands;
  for (std::int32_t d : factors) {
    if (d > 1) summands.push_back(d);
  }
  summands.insert(summands.end(), columns - factors.size(), 0);
  return summands;
}

}  // namespace

std::vector<std::int32_t> RelationSummands(const std::vector<TSparseRow>& rows,
                                           std::uint32_t columns) {
  return SummandsOf(NarrowFactors(SparseSmithForm(rows, columns)), columns);
}

std::vector<std::int32_t> DiagonaliseRelationBlock(TIntMatrix& matrix, std::uint32_t rows,
                                                   std::uint32_t columns) {
  rows = std::min(rows, matrix.Rows());
  columns = std::min(columns, matrix.Columns());
  for (std::uint32_t i = 0; i < rows; ++i) columns = std::min(columns, matrix.RowLength(i));

  std::vector<TSparseRow> sparse(rows);
  for (std::uint32_t i = 0; i < rows; ++i) {
    const std::int32_t* row = matrix.Row(i);
    for (std::uint32_t j = 0; j < columns; ++j) {
      if (row[j] != 0) sparse[i].push_back({j, row[j]});
    }
  }
  const std::vector<std::int32_t> factors = NarrowFactors(SparseSmithForm(sparse, columns));

  for (std::uint32_t i = 0; i < rows; ++i) {
    std::int32_t* row = matrix.Row(i);
    for (std::uint32_t j = 0; j < columns; ++j) row[j] = 0;
  }
  for (std::size_t k = 0; k < factors.size(); ++k) {
    matrix.Row(static_cast<std::uint32_t>(k))[k] = factors[k];
  }
  return SummandsOf(factors, columns);
}
