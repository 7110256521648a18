// The Smith normal form of a sparse integer matrix, exactly.
//
// A finitely generated abelian group given by C generators and the relations
// that are the rows of an integer matrix is Z^C divided by the row span. Row
// and column operations over the integers (adding a multiple of one row or
// column to another, swapping, changing signs) change the presentation but
// not the group. They bring the matrix to a diagonal d_1, ..., d_r, and the
// group is Z_{d_1} + ... + Z_{d_r} + Z^{C - r}. The invariant factors (the
// Smith normal form, each dividing the next) follow from any diagonal: the
// pair Z_a + Z_b is Z_gcd(a,b) + Z_lcm(a,b), and repeating this over all pairs
// leaves a divisibility chain.
//
// Relation matrices of spines are very sparse (a row per 2-cell with about as
// many entries as the cell has sides) and nearly all their entries are +-1. A
// pivot of absolute value 1 at (r, c) clears its column with one row
// operation per row that meets the column; its row then only needs column
// operations that touch nothing else, so row r and column c simply leave the
// matrix (the relation expresses generator c through the others). The
// elimination keeps rows as sorted sparse vectors and picks pivots the way
// sparse solvers do to keep the fill-in low (Markowitz): unit entries first,
// and among them the least (row length - 1) x (column count - 1), the number
// of entries the elimination can fill in. A pivot p that is not a unit reduces its column with rounded
// quotients; a remainder, smaller than |p|/2, becomes the new pivot, and once
// the column is clear the row is reduced the same way by column operations,
// so |p| decreases strictly until p divides its row and column.
//
// Intermediate entries can grow far beyond the final factors on unlucky
// inputs, while the factors of a spine's group are small. The elimination runs
// first on checked 64-bit integers and, only if an entry leaves that range,
// again from the start on GMP's big integers, where nothing overflows.
//
// Cost: each row operation costs the lengths of the two rows; on the sparse
// matrices of spines the fill-in stays low and the whole run is close to
// linear in the number of entries. Dense matrices cost O(R C min(R, C))
// operations, like any elimination, and their entries can grow long on the
// way (a dense 150 x 150 matrix takes under a second, 300 x 300 minutes). The stop flag is polled in proportion to the work done;
// TComputationStopped may be thrown at any point (the input is never changed).
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <vector>

// One non-zero entry of a sparse row.
struct TSparseEntry {
  std::uint32_t column = 0;
  std::int64_t value = 0;
};

// A row of a sparse integer matrix: entries sorted by column, none zero.
using TSparseRow = std::vector<TSparseEntry>;

struct TSmithForm {
  // The invariant factors above 1, each dividing the next.
  std::vector<mpz_class> torsion;
  // The number of non-zero invariant factors (those equal to 1 included):
  // the rank of the matrix. The group's free rank is C minus this.
  std::uint32_t rank = 0;
};

// The Smith normal form of the matrix with the given rows and `columns`
// columns. Every entry's column must be below `columns`; rows must be sorted
// and free of zeros (SortSparseRow makes them so). Throws TComputationStopped
// when the stop flag is seen set.
TSmithForm SparseSmithForm(const std::vector<TSparseRow>& rows, std::uint32_t columns);

// Sorts the entries of a row by column, adds up entries of one column and
// drops the zeros. Throws Out_of_Range if a sum leaves the 64-bit range.
void SortSparseRow(TSparseRow& row);
