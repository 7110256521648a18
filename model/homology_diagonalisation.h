// Diagonalisation of an integer relation matrix, the core of the homology
// computation.
//
// A finitely generated abelian group given by C generators and the relations
// that are the rows of an integer matrix is Z^C divided by the row span. Row
// and column operations over the integers (adding a multiple of one row or
// column to another, swapping, changing signs) change the presentation but
// not the group, and they can bring the matrix to a diagonal d_1, ..., d_r
// with each d_i dividing the next (the Smith normal form). The group is then
// Z_{d_1} + ... + Z_{d_r} + Z^{C - r}; the summands with d_i = 1 vanish.
//
// The elimination picks as pivot an entry of least absolute value and reduces
// every other entry of its row and column modulo it; a remainder that is not
// 0 becomes the new, strictly smaller pivot, so the reduction ends. Once the
// pivot's row and column are clear, it must also divide the rest of the
// block; an entry that it does not divide is brought into its row by a column
// operation and reduced the same way. So every pivot divides the whole block
// left after it, and the pivots come out in divisibility order.
//
// Intermediate entries can grow far beyond the final invariant factors (on a
// dense matrix they grow like minors), while the factors of a spine's group
// are small. So the block is copied and reduced in 64-bit arithmetic; if an
// entry leaves that range the reduction starts again from the copy in 128-bit
// arithmetic. Among the entries of least absolute value the pivot is the one
// whose row and column hold the fewest other non-zero entries, which keeps a
// sparse matrix sparse (and its entries small). The result does not depend on
// these choices: the Smith normal form is unique.
//
// All arithmetic is checked: an entry that leaves even the 128-bit range, or
// an invariant factor that does not fit a 32-bit summand, throws Out_of_Range
// instead of wrapping, so an overflow can never pass for a (wrong) group.
//
// Cost: each pivot step scans the block, O(R C) per reduction step; in
// practice a few steps per pivot, O(min(R, C) R C) for the whole matrix.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/int_matrix.h"

// Diagonalises the block of rows 0..rows-1 and columns 0..columns-1 of the
// matrix and returns the summands as a homology list writes them:
// the absolute values of the pivots that are above 1, in the order found
// (each divides the next), then one 0 for every column left without a pivot
// (the free rank). The block is clamped to the matrix's sizes.
// On success the block holds the diagonal form (the pivots on its diagonal,
// zeros elsewhere). Throws Out_of_Range when the reduction leaves the 128-bit
// range or an invariant factor exceeds the 32-bit range; the matrix is then
// unchanged.
std::vector<std::int32_t> DiagonaliseRelationBlock(TIntMatrix& matrix, std::uint32_t rows,
                                                   std::uint32_t columns);
