// Vertex maps: permutations of the four vertices 0..3 of a tetrahedron.
//
// A face gluing of a singular triangulation is a bijection between the
// vertices of two tetrahedra; face i (opposite vertex i) goes to the face
// opposite the image of i. The map is stored as its four images; composition
// reads right to left, (a o b)(v) = a(b(v)).
//
// The published one-word codes (isomorphism signatures, dehydrated
// descriptions) name a map by its index in the list of the 24 permutations of
// 0, 1, 2, 3 in lexicographic order: 0123 is 0, 0132 is 1, 0213 is 2, ...,
// 3210 is 23. The index is the Lehmer code d0*3! + d1*2! + d2*1!, where d_i
// counts the later images smaller than the image at i.
#pragma once

#include <array>
#include <cstdint>

class TPermutation;

using TVertexMap = std::array<std::uint8_t, 4>;

inline constexpr TVertexMap kIdentityVertexMap = {0, 1, 2, 3};
inline constexpr int kVertexMapCount = 24;

// The map of lexicographic index 0..23; the identity for any other index.
TVertexMap VertexMapFromIndex(int index);
// The lexicographic index 0..23 of a valid map; -1 when the four images are
// not a permutation of 0..3.
int VertexMapIndex(const TVertexMap& map);
// True when the four images are a permutation of 0..3.
bool IsVertexMap(const TVertexMap& map);

// (a o b)(v) = a(b(v)).
constexpr TVertexMap ComposeVertexMaps(const TVertexMap& a, const TVertexMap& b) {
  return {a[b[0]], a[b[1]], a[b[2]], a[b[3]]};
}
// Precondition: map is valid.
constexpr TVertexMap InverseVertexMap(const TVertexMap& map) {
  TVertexMap inverse{};
  for (std::uint8_t v = 0; v < 4; ++v) inverse[map[v]] = v;
  return inverse;
}
constexpr bool IsIdentityVertexMap(const TVertexMap& map) { return map == kIdentityVertexMap; }

// The permutation of four with the given lexicographic index; 0 (and the
// permutation untouched) when the index is not 0..23, else 1.
int SetPermutationFromIndex(TPermutation& permutation, int index);
