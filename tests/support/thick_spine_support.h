// Thickened spines for move tests, and the signature that tells whether two
// special spines are the same.
#pragma once

#include <string>

class TSpine;

// Reads the isomorphism signature of a closed triangulation into the spine
// (its dual special spine), splits it into components and thickens it.
// True when all of that succeeded.
bool LoadThickenedSpine(TSpine& spine, const char* signature);

// The canonical isomorphism signature of the triangulation dual to a special
// spine; "" when the spine is not special or not connected.
std::string SpineSignature(TSpine& spine);
