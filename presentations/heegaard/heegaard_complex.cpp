// The ordinary road of the genus-2 spine builder, on a complex.
//
// The extended build has the meridian discs of both handlebodies for three
// cut curves on one side, which leaves the first handlebody cut into two
// balls. A genus-2 handlebody needs only two meridian discs: dropping the
// third disc cell joins the two balls, and the complex becomes a spine of the
// manifold with one ball fewer removed. Which disc goes is chosen so that the
// disc separating the handles goes when all three families have arcs.
#include "presentations/heegaard/heegaard_complex.h"

#include "model/complex.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_extended_form.h"

int BuildHeegaardComplex(const THeegaardDiagram& diagram, TComplex& complex) {
  const THeegaardExtendedForm form = HeegaardExtendedForm(diagram);
  if (form.result == 5) return 5;
  const int code = BuildExtHeegaardComplex(form.diagram, complex, nullptr);
  if (code < 1 || code > 4) return 0;
  THandle disc = complex.NthCell(form.dropPosition);
  if (disc.IsValid()) complex.RemoveCell(disc);
  return form.result;
}
