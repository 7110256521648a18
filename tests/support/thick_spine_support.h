// Thickened spines for move tests, and the signature that tells whether two
// special spines are the same.
#pragma once

#include <string>

class TSpine;

// Reads the isomorphism signature of a closed triangulation into the spine
// (its dual special spine), splits it into components and thickens it.
// True when all of that succeeded.
bool LoadThickenedSpine(TSpine& spine, const char* signature);

// The dual spine of n tetrahedra glued at random (seeded) in pairs of faces by
// odd maps: an orientable triangulation whose vertex links are any orientable
// surfaces, so the thickening has boundary surfaces of any genus. Split into
// components and thickened; true when that succeeded.
bool LoadRandomThickenedSpine(TSpine& spine, int n, unsigned seed);

// Reads a details text into the spine and thickens it.
bool LoadThickenedDetails(TSpine& spine, const char* text);

// The canonical isomorphism signature of the triangulation dual to a special
// spine; "" when the spine is not special or not connected.
std::string SpineSignature(TSpine& spine);
