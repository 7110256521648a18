// The boundary surfaces of a spine's manifold, as move tests compare them.
#pragma once

#include <vector>

class TSpine;

// The Euler characteristics of the boundary surfaces of the whole chain,
// sorted: a move that keeps the manifold keeps them.
std::vector<int> BoundaryCharacteristics(TSpine& spine);
