// Exceptional fibres of Seifert atoms: adding a fibre and the normal form.
//
// A Seifert fibred piece over a base surface is determined by its exceptional
// fibres (a_i, b_i) (a_i the multiplicity, b_i the twist, coprime) up to the
// moves that change the invariants without changing the manifold:
//   - (a, b) -> (a, b + k a) on one fibre together with (1, e) -> (1, e - k)
//     on the regular fibre that collects the obstruction class e;
//   - a fibre (1, 0) may be added or dropped;
//   - reversing the orientation negates every b_i.
// The normal form makes 0 < b_i < a_i for every exceptional fibre (rows with
// a_i = 0, the "zero pairs" of a reducible piece, keep |b_i|), sorts the rows
// and collects the whole obstruction in a last row (1, e). Mode 1 then picks
// the orientation for which the form is smallest, so that two presentations
// of one piece, whatever their orientation, give equal rows.
//
// All arithmetic is checked 32-bit: a value that would leave the range throws
// Out_of_Range and leaves the vertex as it was.
#pragma once

#include <cstdint>
#include <vector>

#include "model/handle.h"
#include "model/object_header.h"

// One fibre (a, b); a on the section, b on the fibre.
struct TFibreRow {
  std::int32_t a = 0;
  std::int32_t b = 0;

  friend bool operator==(const TFibreRow&, const TFibreRow&) = default;
};
using TFibreRows = std::vector<TFibreRow>;

// Adds the fibre (a, b) to a molecule vertex, (a, b) negated when a < 0.
// a != 1: the pair is appended. (1, 0): nothing. (1, b), b != 0: the twist is
// absorbed where it changes nothing else: into the first pair (a0, b0) ->
// (a0, b0 + b a0) when the vertex has pairs; else into the gluing M of its
// first edge (T M with T = (1, 0; b, 1) when the vertex is end 2 of the edge,
// M T with T = (1, 0; -b, 1) otherwise); else appended as (1, b).
// Throws Out_of_Range (vertex and edge unchanged) on overflow.
void AddFibre(TObjectHeader* vertex, int a, int b);

// The far end of a molecule edge seen from a vertex. For a loop: no far end,
// side 0, answer 0. When the vertex is end 1: end 2 and side 1; otherwise end
// 1 and side 2 (from side 2 the gluing is read inverted). Answer 1.
int FarEndOfEdge(const TObjectHeader* edge, const TObjectHeader* vertex, THandle& farEnd, int& side);

// The normal form of the fibres of a Seifert atom (atom type 7; other atoms
// are left alone). A vertex without pairs gets (1, 0). Mode 3 negates every
// b_i first; mode 1 also chooses the orientation (see above); mode 2 takes
// the orientation as it is. The result is written back as the vertex's pairs,
// with a last pair (1, e). Throws Out_of_Range (vertex unchanged) on overflow.
void NormalizeFibres(TObjectHeader* vertex, int mode);

// The same normal form on rows held apart from a vertex.
void NormalizeFibreRows(TFibreRows& rows, int mode);

// Rows by first component ascending, those with first component 1 last; a run
// of equal first components by second component ascending; in the last run,
// when it has more than one row and its first second component is negative,
// that row goes to the end of the run.
void SortFibres(TFibreRows& rows);

// 1 when Q is the smaller choice of normal form than R (same size only): at
// the first row, among all but the last, whose second components differ, Q's
// is smaller; with none differing, |e_Q| < |e_R|, or e_Q = -e_R < 0.
// Otherwise 0.
int CompareFibreRows(const TFibreRows& r, const TFibreRows& q);
