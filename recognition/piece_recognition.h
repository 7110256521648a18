// Naming the manifold of an assembled molecule.
//
// After assembling (graph_manifold_assembling.h) a closed graph manifold that
// is a single Seifert piece is one vertex without edges; a torus bundle is an
// annulus glued to itself; anything else is compound. The recognisers try
// these shapes in turn, each answering 1 when it wrote the description's
// piece code and 0 (description unchanged) when the shape does not apply:
//   - a lens space: a Seifert piece over S^2 with at most two exceptional
//     fibres; with fibres (a1, b1), (a2, b2) it is L(p, q) with
//     p = a1 b2 + a2 b1 and q from a Bezout pair of one fibre;
//   - a Seifert manifold: the normal form of its fibres;
//   - a torus bundle: the normal form of its monodromy (anosov_form.h);
//   - a molecule with free boundary tori: the compound code.
// The geometry follows from the base orbifold's Euler characteristic X and
// the Euler number E of the fibration (Scott's table), or for a bundle from
// the trace of the monodromy.
#pragma once

#include <cstdint>

#include "recognition/manifold_description.h"

// Bezout coefficients for a fibre pair: x p... see the source; answers 1 and
// (x, y) with |p| y - |q| x = 1 (then signs of p and q applied), 0 when none.
int SolveUnimodular(std::int64_t& x, std::int64_t& y, std::int64_t p, std::int64_t q);

int RecognizeLensSpace(TManifoldDescription& description);
int RecognizeSeifertManifold(TManifoldDescription& description);
// A monodromy whose normal form overflows leaves the piece unrecognised (0).
int RecognizeTorusBundle(TManifoldDescription& description);
int RecognizeWithVirtualVertices(TManifoldDescription& description);

// The chain of recognisers on the description's molecule; 1 when one of them
// named it. An empty molecule is S^3.
int RecognizeAssembledMolecule(TManifoldDescription& description);

// Writes the geometry code (1 "Nongeometric" ... 9 "Hyperbolic", 0 none)
// into the piece code and refreshes its checksum.
void ClassifyGeometry(TManifoldDescription& description);
