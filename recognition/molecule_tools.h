// Small shared steps of the molecule algorithms: checked 2x2 arithmetic on
// gluings, and the vertices and edges of a molecule as lists of handles that
// stay valid while the algorithms change the table.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/int_matrix.h"
#include "model/handle.h"
#include "model/object_table.h"

// The value as a 32-bit int; throws Out_of_Range when it does not fit.
std::int32_t Checked32(std::int64_t value);

// det(M) adj(M), checked.
TIntQuad Inverted(const TIntQuad& m);
TIntQuad Product(const TIntQuad& x, const TIntQuad& y);
TIntQuad Negated(const TIntQuad& m);

// The gluing of the edge read from the given side (FarEndOfEdge): as stored
// from side 1, inverted from side 2.
TIntQuad GluingFrom(const TObjectHeader* edge, int side);

// Empties the fibre lists of a vertex.
void ClearPairs(TObjectHeader* vertex);

// The molecule vertices of the table, in table order.
std::vector<THandle> MoleculeVertices(const TObjectTable& table);
// The molecule edges of the table, in table order.
std::vector<THandle> MoleculeEdges(const TObjectTable& table);
// The edges at the vertex in its order, a loop once.
std::vector<THandle> DistinctEdges(const TObjectHeader* vertex);

// Puts the molecule vertices in the order of their numbers at the front of
// the table, then the molecule edges in the order of theirs; anything else
// keeps its order behind them.
void ReorderMoleculeObjects(TObjectTable& table);
