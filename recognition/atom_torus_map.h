// The torus map between a piece given by its own spine and its table record.
//
// A piece's boundary coordinates are labels 0 and 1 of its torus surfaces
// (moves/torus_coordinates.h), chosen by whatever made the piece. The
// record's coordinates are the basis the same rule chooses on the record's
// spine as the table text gives it. An isomorphism from the piece's spine to
// the record's carries the record's basis curves onto the piece's tori;
// written there in the piece's basis they give, for each torus, the record
// torus it is and the unimodular matrix B with
//     (record coordinates) = B (piece coordinates).
// Every isomorphism is listed: two differ by a self-map of the record's
// spine, so choosing among all of them normalises over the atom's boundary
// symmetries, whichever the search finds first.
#pragma once

#include <vector>

#include "foundation/int_matrix.h"

class TSpine;
class TTableRecord;

struct TTorusImage {
  int recordTorus = -1;            // index among the record spine's tori; -1 for a sphere
  TIntQuad toRecord{1, 0, 0, 1};  // B
  // False for a torus whose labels carry no basis (a free torus nothing has
  // drawn on): it has no coordinates to map, and B is the identity.
  bool hasMatrix = false;
};

// A row whose carried basis is no basis of a torus is dropped, and a piece
// whose thickening no longer matches its cells' words (a stale passage
// index) gives no rows: a wrong map is worse than none.
// One row per isomorphism, the orientation-preserving ones (determinant 1
// on every torus that carries a basis) first; each row has one entry per boundary surface of
// the piece (in the spine's order). 1 when found; 0 (and no rows) when the piece is not thickened, the record
// carries no spine, or the spines are not isomorphic. The piece is not changed: the work is done on a copy in
// a scratch heap. Polls the stop flag (TComputationStopped).
int FindTorusImages(const TSpine& piece, const TTableRecord& record, std::vector<std::vector<TTorusImage>>& maps);
