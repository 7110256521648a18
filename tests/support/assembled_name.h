// The name that assembling the labeled molecule of a spine gives, for tests
// that check what the moves recorded without a recognition search.
#pragma once

#include <string>

class TSpine;

// Assembles a copy of the molecule of the spine's chain (as "Make Assembling"
// does after the moves) and returns the name of its first summand with its
// geometry, e.g. "L(7,2) Elliptic"; "" when there is no molecule.
std::string AssembledManifoldName(TSpine& spine);

// The name under which a lens space L(p, q), p >= 2, is printed: "RP^3" for
// p = 2, else L(p, q') with q' the least of q, -q, 1/q and -1/q mod p.
std::string LensSpaceName(int p, int q);
