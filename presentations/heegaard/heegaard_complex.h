// The cells of the spine of a genus-2 Heegaard diagram, on a bare complex:
// the two roads of the spine builder up to the point where the spine class
// takes over (cell reductions, thickening, numbering). See
// heegaard_complex.cpp and heegaard_star_complex.cpp.
#pragma once

#include <vector>

#include "model/handle.h"
#include "presentations/heegaard/heegaard_diagram.h"

class TComplex;
class TDetailsDescription;

// Ordinary road: the diagram in normal form, rewritten as an extended diagram,
// built into the (empty) complex, and the cut disc it does not need removed.
// Returns 5 (nothing built) for a diagram without arcs, 0 when the extended
// build gives no code in 1..4, else 2 when a = d = 0 and 1 otherwise. The
// diagram is not changed.
int BuildHeegaardComplex(const THeegaardDiagram& diagram, TComplex& complex);

// The star form's conditions: one traced curve, no inner arcs, a and d odd,
// b1, c1 and both shifts even. The diagram is not changed.
bool StarFormAllowed(const THeegaardDiagram& diagram);

// What the star road keeps of its details for the later steps.
struct THeegaardStarBuild {
  std::vector<THandle> ring;  // R0 .. R(n-1), n = 2 (a + d)
  THandle firstU;             // U0 of the first handle
  THandle secondU;            // U'0 of the second handle
  THandle reference[2];       // the two reference cells, once the complex is built
};

// Glues the details of the star form into the (empty) description. The
// diagram must satisfy StarFormAllowed.
void GlueHeegaardStarDetails(const THeegaardDiagram& diagram, TDetailsDescription& description,
                             THeegaardStarBuild& build);
// After the complex was built from the description (keeping each detail's
// vertex): finds the two reference cells around the ring's first detail.
void FindStarReferenceCells(THeegaardStarBuild& build);
// Removes the two cells around the edge of face 1 of each handle's first
// detail, which closes the handles.
void RemoveStarHandleCells(TComplex& complex, const THeegaardStarBuild& build);
