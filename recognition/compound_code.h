// The canonical code of a compound graph manifold.
//
// A molecule of several Seifert pieces (with free boundary tori, maybe) is
// written in many ways: each piece may be reversed, each fibre and section
// direction flipped, each gluing read from either side, atoms of equal codes
// listed in any order, and a gluing may be sheared by moving twist between
// it and the obstruction e of its end atoms. The code is the least, over the
// presentations, of a word that lists the atoms' codes and the normalised
// gluings, so that two presentations of one manifold compare equal.
//
// The search is pruned before it starts:
//   - orientations are fixed by parity, not by trial: reversing a Seifert
//     atom flips the sign of the determinant of every gluing at it, so making
//     every true gluing orientation-reversing (det -1) is a 2-colouring of the
//     molecule's graph, solved in one breadth-first pass;
//   - atoms are numbered by their piece codes, so that only atoms with equal
//     codes are permuted;
//   - an edge's direction is not a choice: every edge is read from its
//     lower-numbered end (a loop in the direction of the smaller matrix);
//   - the remaining choices are the fibre directions of the Seifert atoms
//     (M -> -M on every gluing at the atom) and the orders of equal atoms.
// The search visits 2^s * prod(k_i!) candidates (s Seifert atoms with edges,
// k_i atoms sharing a code); past kCompoundSearchLimit candidates it gives
// up (answer 0: the molecule stays unnamed) rather than run for ever.
#pragma once

#include "model/object_table.h"
#include "recognition/manifold_description.h"
#include "recognition/piece_code.h"

// The most candidates the search visits.
inline constexpr long long kCompoundSearchLimit = 1LL << 18;

// Builds the description's code of the given type from its molecule; 1 when
// it acted (the molecule then is the one that gives the least code). A
// molecule of one virtual atom and a solid torus becomes the solid torus.
// 0, description unchanged, for a molecule without edges, a lone annulus, or
// a search past the limit.
int BuildCompoundCode(TManifoldDescription& description, int type);

// The gluing of a true edge, or of a virtual one whose coordinates are kept,
// reduced by shears with the twist moved into the end atoms' last pairs; a
// virtual edge whose coordinates are not kept forgets its gluing.
void NormalizeEdgeGluing(TObjectHeader* edge, bool keepVirtualCoordinates);

// The code with gluings ("mode 1"): the molecule's vertices in table order
// with their codes, then each edge as (end numbers, type, gluing), sorted.
TPieceCode BuildMoleculeCodeWithGluings(const TObjectTable& molecule, int type);
