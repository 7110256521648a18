// Coordinates on the torus boundaries of a thickened spine.
//
// Recognising a manifold with torus boundary needs a basis of curves on every
// boundary torus, which the moves then carry along. The basis is kept in the
// edge labels of the boundary surface: labels 0 and 1 of an edge are the
// signed numbers of times the first and the second curve run along it.
//
// A torus reduced by removing superfluous edges and needles is one cell whose
// edges form a figure eight (one vertex, two loops: each loop is a curve) or
// a theta graph (two vertices, three edges e1, e2, e3: the curves run along
// e1 and back along e3, and along e2 and back along e3, so e1, e2, e3 carry
// (1, 0), (0, 1), (-1, -1)). The edges of the reduced copy are edges of the
// torus, and the curves drawn on them are closed there too.
//
// With several tori the second curves are made coherent with one orientation
// of the manifold: cell signs (orientations of the boundary cells) are spread
// over each torus across its edges and carried through the thick cells to the
// surfaces on their other sides; a torus whose basis disagrees with the sign
// that reached it has its second curve reversed.
#pragma once

class TComplex;
class TSpine;

// Gives every torus boundary surface whose labels are all 0 a basis and
// relates the bases of the tori; nothing unless the whole chain is thickened
// and orientable and the spine is not a link exterior (kind 4, whose tori get
// their curves from the link). The relation is skipped for link exteriors of
// either kind (4, 5).
void SetBoundaryCoordinates(TSpine& spine);
// Chooses the basis on one surface; nothing when some label is not 0 or the
// reduced surface is neither a figure eight nor a theta graph.
void SetTorusCoordinates(TSpine& spine, TComplex& surface);
// Reverses the second curve of the tori whose basis disagrees with the first.
void RelateTorusCoordinates(TSpine& spine);
