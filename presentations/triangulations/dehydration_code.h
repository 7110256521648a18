// Dehydrated descriptions: the census letter code of a closed triangulation
// of at most 25 tetrahedra.
//
// The code of a triangulation of n tetrahedra has 2n + 2 ceil(n/4) + 3
// lower-case letters in four groups, read off the canonical walk
// (canonical_walk.h) of one start and labelling:
//   size:         one letter, "a" + n;
//   new bits:     2 ceil(n/4) letters "a".."p"; each pair is one byte
//                 16 (first - "a") + (second - "a"), whose bits, from the
//                 lowest, tell for gluings 8k .. 8k + 7 whether the gluing
//                 goes to a new tetrahedron (1) or to a reached one (0);
//   targets:      n + 1 letters, "a" + the number of the reached tetrahedron;
//   permutations: n + 1 letters, "a" + the lexicographic index of sigma.
// The census writes a gluing g (vertex v goes to g(v)) by the permutation
// sigma with sigma[3 - v] = g(v): its entries list the images of the
// vertices 3, 2, 1, 0. A gluing to a new tetrahedron is the identity on the
// vertices: face a goes to face a, each corner to the corner of its number.
// The code of the triangulation is the least of the 24n texts in byte order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/vertex_map.h"

inline constexpr int kMaxDehydratedTetrahedra = 25;

enum class TDehydrationError {
  kNone = 0,
  kNotADescription,        // fails the recognition test
  kTargetOutOfRange,       // a target letter names no tetrahedron
  kPermutationOutOfRange,  // a permutation letter beyond the 24th
  kNoNewTetrahedron,       // a new-bit gluing finds no tetrahedron left untouched
  kFaceAlreadyGlued,       // a gluing onto a face that is glued already
  kNoFreeFace,             // a gluing finds no free face left
  kWrongCount,             // the bits call for a number of old gluings other than n + 1
};

// Length of the code of n tetrahedra: 2n + 2 ceil(n/4) + 3.
int DehydrationLength(int n);

// The recognition test on a prepared text (comments blanked, blanks
// collapsed): after leading blanks, a run of r letters "a".."z" with
// r > 6, a first letter other than "a" (n = first - "a"), r equal to the
// length for n, and the 2 ceil(n/4) bit letters in "a".."p". What follows
// the run is not examined.
bool IsDehydratedWord(std::string_view prepared);
// The same on a document text (it is prepared first).
bool IsDehydratedText(std::string_view text);

// The letter run at the start of a prepared text (empty when none).
std::string_view DehydrationRun(std::string_view prepared);

// Decodes a prepared text into a closed triangulation of n tetrahedra
// (numbered 1..n). On failure returns the error and sets position to the
// offending letter's offset within the run.
TDehydrationError DecodeDehydration(std::string_view prepared, TTetrahedronList& tetrahedra,
                                    std::size_t& position);

// The code of one start and labelling (old vertex -> new label); "" when the
// walk does not reach every tetrahedron, when a face is unglued, or when
// there are more than 25 tetrahedra.
std::string DehydrationOfLabelling(const TTetrahedronList& tetrahedra, int start,
                                   const TVertexMap& labelling);

// The least code over all starts and labellings; "" for an empty,
// disconnected or not closed triangulation or one of more than 25
// tetrahedra. Cost: 24n walks of O(n).
std::string CanonicalDehydration(const TTetrahedronList& tetrahedra);
