// Does a 4-coloured graph represent a closed 3-manifold?
#pragma once

#include <array>
#include <cstdint>

#include "foundation/int_matrix.h"

// The first residue that is not a 2-sphere.
struct TResidueDefect {
  std::uint32_t missingColour = 0;            // colour 0..3 left out of the residue
  std::array<std::uint32_t, 3> colours{};     // its three colours, ascending
  std::uint32_t vertexCount = 0;              // vertices of the residue
  int eulerCharacteristic = 2;                // of the surface it represents
};

// 1 when every 3-coloured residue of the graph of a crystallization code (3
// rows, n columns, each row a permutation of 0..n-1) represents a 2-sphere,
// which is exactly when the graph represents a closed 3-manifold. Otherwise 0,
// and the first defective residue (by missing colour, then by lowest vertex)
// is described in `defect` when given. Cost O(n).
int IsManifoldCrystallization(const TIntMatrix& graph, TResidueDefect* defect = nullptr);
