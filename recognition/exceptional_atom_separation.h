// Annulus pieces between exceptional atoms.
//
// Two table atoms glued directly (or one glued to itself) meet along a torus
// whose gluing is read in both atoms' coordinates at once. Putting a thin
// product T^2 x I, a Seifert piece over the annulus without exceptional
// fibre, in between splits that gluing into two, each from an atom to a
// Seifert piece, which is the form the canonical code compares. The two
// operations are inverse to each other: every edge end of an exceptional
// atom (each atom's ends in their order) whose edge is a loop or leads to
// another exceptional atom gets such a piece; joining removes exactly the
// annulus pieces that lie between two exceptional atoms.
#pragma once

#include "model/object_table.h"

// With two or more exceptional atoms, or one with more than one edge end:
// the new piece (pair (1, 0)) is joined to the atom by a true edge with the
// gluing (-1 0; 0 1) that keeps the atom's place and slot; the old edge now
// runs from the piece (inverted when the atom was its end 2), its end-1 slot
// unset. Returns 1 when it inserted anything.
int SeparateExceptionalAtoms(TObjectTable& table);

// Removes every annulus piece with no fibre or one fibre (1, e) between two
// exceptional atoms: (1, e) is folded into its first edge, which then takes
// the composite gluing G2 N G1 (N reverses the annulus' section) and runs
// from the first atom (its slot kept) to the other (the slot the removed
// edge had there, in that edge's place). Returns 1 when it removed anything.
int JoinExceptionalAtoms(TObjectTable& table);
