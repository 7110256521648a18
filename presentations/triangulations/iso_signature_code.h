// Isomorphism signatures: the one-word code of a closed triangulation.
//
// The signature of a connected triangulation of n tetrahedra, for one start
// and labelling, writes the canonical walk (canonical_walk.h):
//   1. the size (iso_sig_alphabet.h), which fixes the digit count b;
//   2. the 2n step kinds, 1 for a step to a new tetrahedron and 2 for a step
//      to a reached one (0 would be an unglued face), packed three to a
//      character as t0 + 4 t1 + 16 t2, ceil(2n/3) characters;
//   3. for each reached step, its destination in b characters;
//   4. for each reached step, one character: the lexicographic index of its
//      gluing (vertex_map.h).
// The signature of the triangulation is the least of the 24n texts in byte
// order, so it does not depend on how the tetrahedra and their vertices are
// numbered, and equal signatures mean isomorphic triangulations.
//
// Decoding replays the walk: each step glues the next free face (tetrahedra
// in order, faces 0..3) to the next new tetrahedron by the identity, or to
// its destination by its gluing, face k going to face map(k).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/vertex_map.h"

enum class TIsoSigError {
  kNone = 0,
  kNotASignature,          // the size cannot be read, or the length does not fit it
  kInvalidCharacter,       // a character outside the alphabet
  kInvalidAction,          // a step kind 3
  kBoundaryFace,           // a step kind 0: a closed triangulation has none
  kTooManyNewTetrahedra,   // more than n - 1 steps to new tetrahedra
  kDestinationOutOfRange,  // a destination >= n
  kPermutationOutOfRange,  // a permutation character above 23
  kFaceAlreadyGlued,       // a step glues onto a face that is glued already
  kNoFreeFace,             // a step finds no free face left
  kWrongLength,            // the word is longer or shorter than its steps need
};

// The first word of a normalised text (comments blanked, white space
// collapsed): the characters up to the first blank, CR, LF, tab or vertical
// tab, after leading blanks.
std::string_view FirstWord(std::string_view text);

// The recognition test on one word: longer than 5 characters, the size can be
// read, and the length equals IsoSignatureLength(n).
bool IsIsoSignatureWord(std::string_view word);

// Decodes a signature word into a closed triangulation (tetrahedra numbered
// 1..n). On failure returns the error, sets position to the offending
// character's offset in the word, and leaves tetrahedra unspecified.
TIsoSigError DecodeIsoSignature(std::string_view word, TTetrahedronList& tetrahedra,
                                std::size_t& position);

// The signature of one start and labelling (old vertex -> new label) of a
// connected triangulation; "" when the start is out of range or the walk does
// not reach every tetrahedron. When relabelled is given it receives the
// triangulation as the walk numbered and labelled it.
std::string IsoSignatureOfLabelling(const TTetrahedronList& tetrahedra, int start,
                                    const TVertexMap& labelling,
                                    TTetrahedronList* relabelled = nullptr);

// The least signature over all starts and labellings; "" for an empty or
// disconnected triangulation. canonical, when given, receives the triangulation
// numbered and labelled as in the least signature. Cost: 24n walks of O(n).
std::string CanonicalIsoSignature(const TTetrahedronList& tetrahedra,
                                  TTetrahedronList* canonical = nullptr);
