// Piece codes of table atoms: hyperbolic pieces named by the internal table
// of atoms (recognition/atom_table.h), alone or with their tori filled.
//
// The key of a record (record index, sub-index, three census words) stands
// in the code as (-a, b, c, index, sub-index), so that atoms that name a knot
// or link census entry (a > 0) sort before the plain records. Torus matrices
// (a b; c d) are stored column-swapped, as (b, a, d, c).
//
//   type 7  (23 words): a one-torus atom filled along the slope (p, q):
//           words 16-18 (-a, b, c), 19 index, 20 sub-index, 21-22 (p, q).
//   type 14 (25 words): a one-torus atom whose torus is free: the key as in
//           type 7, words 21-24 its boundary matrix.
//   types 8 and 16 (57 words): an atom with t tori (at most 5), each filled
//           or free: word 13 the number of free tori (type 16 when positive),
//           16-18 (-a, b, c), 19 t, 20 index, 56 sub-index; per torus i < 5:
//           21+i = 1 when free (or i >= t), 26+i and 31+i the second and the
//           absolute first slope component of a filled torus (2147483647
//           otherwise), 36+4i .. 39+4i its matrix: the gluing of a free torus,
//           (x, 0, y, 0) for the slope (x, y) of a filled one.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/output.h"
#include "model/object_header.h"
#include "recognition/piece_code.h"
#include "recognition/word_quintuple.h"

class TAtomTable;
class TTableRecord;

TPieceCode BuildFilledAtomCode(const TTableRecord& record, int p, int q);
// matrix = (a, b, c, d) for (a b; c d).
TPieceCode BuildTableAtomCode(const TTableRecord& record, const std::int32_t matrix[4]);
// From an exceptional atom that holds a table key: each edge i at the atom is
// torus i, free when its far end is a virtual atom, filled when it is a solid
// torus (slope: the solid torus's fibre pair). The record's census words come
// from the table. A fresh (type 0) code when the atom has no key the table
// knows, or more than five edges.
TPieceCode BuildMultiFilledAtomCode(const TObjectHeader* vertex);

// The key of a code of type 7, 8, 14 or 16; 0 for any other code.
int GetAtomCodeKey(const TPieceCode& code, TWordQuintuple& key);
// Type 7: the key and the slope; 0 for any other code.
int GetFilledAtom(const TPieceCode& code, TWordQuintuple& key, int& p, int& q);
// Types 8 and 16: the key, the number of tori and their matrices (n x 4
// entries, (a, b, c, d) each); 0 for any other code.
int GetFilledAtoms(const TPieceCode& code, int& n, TWordQuintuple& key, std::int32_t matrices[5][4]);
// Type 14: the key and the boundary matrix (a, b, c, d); 0 otherwise.
int GetAtomKey(const TPieceCode& code, TWordQuintuple& key, std::int32_t matrix[4]);

// The printed name of a table-atom code (types 7, 8, 14, 16), in the
// table's words; 0 (nothing printed) for other codes or a key the table
// does not know.
int PrintTableAtomName(TOutput& output, const TPieceCode& code, const TAtomTable& table);
// The same with the process-wide table (loaded when needed).
int PrintTableAtomName(TOutput& output, const TPieceCode& code);
