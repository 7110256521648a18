// The extended form of a genus-2 Heegaard diagram.
//
// Cutting the genus-2 surface along the two disc pairs' circles and one more
// curve that separates the handles gives two pairs of pants. The arcs of the
// plane picture fall into the three families of the extended form: the b and
// d arcs join the separating curve to the first handle's circle (family 0,
// b1 + b2 + d arcs), the c and d arcs do the same for the second handle
// (family 1), and the a arcs join the two handles' circles (family 2). The
// handles' twists are their shifts counted from behind the inner arcs (b2,
// c2) and the d arcs; the separating curve's twist is b2 + c2 + d.
//
// When some family is empty the separating curve is not needed as a third
// cut: the extended diagram is brought to normal form (which sorts the empty
// family last) and the disc to drop is chosen among the other two. With two
// empty families a diagram with one family is made symmetric first (both
// handles crossed by the same arcs).
#include "presentations/heegaard/heegaard_extended_form.h"

THeegaardExtendedForm HeegaardExtendedForm(const THeegaardDiagram& source) {
  THeegaardExtendedForm form;
  THeegaardDiagram x(source);
  x.FreeCurveArray();
  x.Normalize();
  const long long a = x.A(), b1 = x.B1(), b2 = x.B2(), c1 = x.C1(), c2 = x.C2(), d = x.D();
  TExtHeegaardDiagram& e = form.diagram;
  e.Set(b1 + b2 + d, c1 + c2 + d, a, x.Shift2() - c2 - d, x.Shift1() - b2 - d, b2 + c2 + d);
  int zeros = 0;
  for (int i = 0; i < 3; ++i) zeros += e.A(i) == 0 ? 1 : 0;
  if (zeros == 3) {
    form.result = 5;
    return form;
  }
  if (zeros == 2) {
    e.Normalize();
    const long long arcs = e.A(0);
    const long long twist1 = e.B(1);
    const long long twist2 = e.B(2);
    e.Set(arcs, arcs, 0, -twist2, -twist1, arcs);
    form.dropPosition = e.A(1) < e.A(0) ? 0 : 2;
  } else if (zeros == 1) {
    e.Normalize();
    form.dropPosition = e.A(1) < e.A(0) ? 0 : 2;
  } else {
    form.dropPosition = 1;
  }
  form.result = (a == 0 && d == 0) ? 2 : 1;
  return form;
}
