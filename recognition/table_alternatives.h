// Alternative presentations of a table atom inside a labeled molecule.
//
// A record's boundary symmetries are self-maps of the atom: symmetry k
// carries torus p(i) to torus i by the matrix R(i) (in the record's torus
// coordinates). Applying it to a table atom of a molecule rewrites the same
// manifold: each torus's gluing, read from the atom, becomes R(i) M, the
// atom's edges are put in the new torus order, and a filled torus takes the
// new slope into its filling. The orientation-reversing symmetry of a record
// rewrites the atom's mirror image in the record's own coordinates.
#pragma once

class TObjectTable;
struct TObjectHeader;
class TTableRecord;

// Applies symmetry k of the record to the atom; 1 when done. 0, nothing
// changed, when k is not a row of the record, the row is not a permutation
// of the tori, the atom's edges are not one per torus (or one is a loop),
// or an entry would leave the 32-bit range.
int ApplyTableAlternative(TObjectHeader* vertex, const TTableRecord& record, int k);

// Every table atom of the molecule gets its record's orientation-reversing
// symmetry. 1 when every table atom had one and it was applied; 0 otherwise
// (atoms already done stay done: use a copy).
int ApplyReversingSymmetries(TObjectTable& molecule);

// The record a table atom's key names (the process-wide table); null for
// any other vertex.
const TTableRecord* TableRecordOfAtom(const TObjectHeader* vertex);
