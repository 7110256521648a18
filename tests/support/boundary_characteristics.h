// The boundary surfaces of a spine's manifold, as move tests see them.
#pragma once

#include <vector>

class TSpine;

// The Euler characteristics of the boundary surfaces of the whole chain,
// sorted: a move that keeps the manifold keeps them.
std::vector<int> BoundaryCharacteristics(TSpine& spine);

// True when the boundary surface on side `part` (2 or 3) of the thick cell
// of the spine's cell i is a torus carrying coordinate curves.
bool FacesLabelledTorus(TSpine& spine, int cell, int part);
