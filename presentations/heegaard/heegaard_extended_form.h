// The extended form of a genus-2 Heegaard diagram, from which its spine is
// built. See heegaard_extended_form.cpp.
#pragma once

#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/heegaard/heegaard_diagram.h"

struct THeegaardExtendedForm {
  // 5 when the diagram has no arcs (nothing to build); otherwise the result
  // the spine builder reports: 2 when a = d = 0, else 1.
  int result = 5;
  TExtHeegaardDiagram diagram;
  // The position among the built cells of the cut disc that the genus-2
  // spine does not need (0, 1, 2: the discs of cut curves 1, 2, 0).
  int dropPosition = 1;
};

// The diagram in normal form rewritten as an extended diagram: cut curve 1 is
// the first handle's disc pair (S(1) = N1 ends), cut curve 0 the second's, cut
// curve 2 a disc separating the handles. The diagram itself is not changed.
THeegaardExtendedForm HeegaardExtendedForm(const THeegaardDiagram& diagram);
