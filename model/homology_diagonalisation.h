// Diagonalisation of an integer relation matrix, the core of the homology
// computation.
//
// A finitely generated abelian group given by C generators and the relations
// that are the rows of an integer matrix is Z^C divided by the row span; row
// and column operations over the integers bring the matrix to its Smith
// normal form d_1 | d_2 | ... | d_r, and the group is
// Z_{d_1} + ... + Z_{d_r} + Z^{C - r}, the summands with d_i = 1 vanishing.
// The form is computed exactly by the sparse elimination of
// sparse_smith_form.h, on 64-bit integers and on big integers where entries
// grow beyond them, so intermediate growth never overflows.
//
// A homology list holds 32-bit entries; an invariant factor beyond that range
// cannot be listed and throws Out_of_Range, so it can never pass for a
// (wrong) group.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/int_matrix.h"
#include "model/sparse_smith_form.h"

// Diagonalises the block of rows 0..rows-1 and columns 0..columns-1 of the
// matrix and returns the summands as a homology list writes them: the
// invariant factors above 1, each dividing the next, then one 0 for every
// column beyond the rank (the free rank). The block is clamped to the
// matrix's sizes. On success the block holds the Smith normal form (the
// invariant factors on its diagonal, 1s first, zeros elsewhere). Throws
// Out_of_Range when an invariant factor exceeds the 32-bit range, and
// TComputationStopped when the stop flag is set; the matrix is then unchanged.
std::vector<std::int32_t> DiagonaliseRelationBlock(TIntMatrix& matrix, std::uint32_t rows,
                                                   std::uint32_t columns);

// The summands of the group with `columns` generators and the given sparse
// relation rows (sorted, without zeros), as DiagonaliseRelationBlock returns
// them. Throws as it does.
std::vector<std::int32_t> RelationSummands(const std::vector<TSparseRow>& rows,
                                           std::uint32_t columns);
