// A table atom in a labeled molecule: its torus coordinates and fillings.
//
// Once a molecule vertex is known to stand for a table record, its torus
// gluings are rewritten into the record's coordinates, so that every
// presentation of one manifold gives the same code. A molecule edge's gluing
// G takes the coordinates at end 1 to those at end 2; read from the atom, the
// gluing is M = G when the atom is end 2 and M = G^-1 when it is end 1. A
// solid torus (filling) at the far end with fibre pair (x, y) fills the
// atom's torus along the slope M (x, y).
//
// A piece given by its key is in the record's coordinates already; a piece
// given by its own spine brings the torus map of its isomorphism onto the
// record's spine (recognition/atom_torus_map.h).
#pragma once

#include <vector>

class TAtomTable;
struct TObjectHeader;
struct TTorusImage;
class TObjectTable;
class TTableRecord;

// maps (one row per isomorphism of the piece's spine onto the record's, each
// by the vertex's edge order; null: every edge i is torus i in the record's
// coordinates) give each edge its record torus and the matrix B into the
// record's coordinates. One torus: FitBoundary
// (recognition/atom_boundary_fit.h) chooses among the record's symmetries
// and every isomorphism; a filled torus gets the chosen slope in the
// filling's pair and the identity gluing, an unfilled one the chosen gluing.
// More tori: a filled torus gets its slope B M (x, y), sign-normalised, and
// the identity gluing, an unfilled one the gluing B M. Of all isomorphisms
// (the orientation-preserving ones when there are any) the one giving the
// least outcome by record torus (filled, slope, gluing) is taken, so that a
// symmetry of the atom cannot make two presentations differ; the edges are
// reordered so that edge i is the record's torus i. 1 when done, 0 (nothing
// changed) when the vertex has the wrong number of edges or the images are
// no permutation of the tori. Throws Out_of_Range when an entry leaves the
// 32-bit range (the molecule is unchanged then).
int MapAllTori(const TTableRecord& record, TObjectHeader* vertex,
               const std::vector<std::vector<TTorusImage>>* maps = nullptr);

// Makes the vertex stand for the record: the vertex gets the key (of the
// named record for a Type2 description, with sub-index 0) and out the three
// census words. One torus: the vertex's edge gets the record's first torus
// matrix composed with its gluing. Two to five tori: torus i takes edge i and
// gets the record's matrix of that torus composed with its gluing; a torus
// without an edge gets a new filling (a solid torus whose pair is the
// record's slope, or the first column of its matrix) joined by a new edge
// with the identity gluing. 1 when done, 0 for a vertex that is not a
// molecule vertex or has more edges than the record has tori.
int AttachToVertex(const TAtomTable& table, const TTableRecord& record, TObjectTable& molecule,
                   TObjectHeader* vertex, int out[3]);
