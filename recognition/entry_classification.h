// Canonical form and classification of result-table entries.
//
// One manifold has many presentations. Before an entry is stored its
// summands are rewritten into their canonical types (a Seifert piece over the
// sphere with no exceptional fibre is S^2xS^1, L(1, q) is S^3, L(0, 1) is
// S^2xS^1), and after it is stored the classification adds the other
// presentations under which the same manifold is known, so that a later
// lookup finds it whichever form the recognition reaches. The one derived
// presentation built here is that of the lens spaces L(4a, 2a - 1): they are
// also Seifert fibred over the projective plane with one exceptional fibre
// (a, 1) (the prism manifolds with a trivial part; L(8, 3) is the one over
// RP^2 with fibre (2, 1), L(8, 1) has no such presentation).
//
// These are the steps the result table runs; each works on the description
// it is given and leaves it unchanged when it answers 0.
#pragma once

#include "model/object_table.h"
#include "recognition/manifold_description.h"

// 1 for an irreducible description of type 1, or a lens space L(p, q) with
// p = 1, 2 or 3 (S^3, RP^3, L(3, 1)); else 0.
int IsTrivialManifold(TManifoldDescription& description);

// Rewrites one summand of a reducible description into its canonical type,
// keeping its counts of added balls, S^2xS^1 summands and solid-torus parts:
//   - the lens space L(0, 1) becomes S^2xS^1 (type 1 with one more S^2xS^1
//     summand), L(1, q) becomes S^3 (type 1);
//   - a Seifert piece over the sphere with no exceptional fibre (no pair, or
//     only the pair (1, 0)) becomes S^2xS^1; its molecule is dropped;
//   - a Seifert piece over RP^2 with no exceptional fibre becomes
//     RP^3 # RP^3 (a new L(2, 1) summand after it), one with the fibre
//     (a, b) and obstruction 1 the lens space L(4a, 2a - 1), any other one
//     (a prism manifold) its fibration over the sphere (2,1), (2,-1), (b, a);
//   - a Seifert piece over the Klein bottle with no exceptional fibre
//     becomes its fibration over the sphere (2,1), (2,1), (2,1), (2,-3);
//   - a torus bundle of trace t, |t| <= 2, becomes its Seifert fibration.
// Answers 1 when it rewrote, else 0 (nothing changed).
int RefineEntry(TManifoldDescription& summand);

// Builds a description from the derived molecule (ownership passes here) and
// appends it to the node's presentation chain, with the node's sources,
// complexity and invariant block. A presentation equal to one the chain
// holds is dropped. Answers the new presentation, or null when dropped.
TManifoldDescription* AddDerivedPresentation(TManifoldDescription& node, TObjectTable* molecule);

// A lens space L(p, q) with 4 | p and q = p/2 - 1 gains the presentation
// over the projective plane with the fibre (p/4, 1). Always recognised: 1.
int ClassifyLensEntry(TManifoldDescription& node);

// A torus bundle whose monodromy M has trace t with |t| <= 2 is also
// Seifert fibred: over the sphere with the fibres (2,1), (4,1), (4,-3) for
// t = 0, (2,1), (3,1), (6,-5) for t = 1 and (3,1), (3,1), (3,-2) for t = -1
// (M of order 4, 6 and 3), over the torus for t = 2 and over the Klein bottle
// for t = -2 (M = +-(1, m; 0, 1), with the obstruction (1, -m11 m12)). That
// presentation is added. Always recognised: 1.
int ClassifyBundleEntry(TManifoldDescription& node);
// A Seifert manifold known under another fibration gains that presentation
// (the inverses of the ones above): over the sphere, the fibres (2,1),
// (2,1), (a2,b2) and the obstruction (1,b3) give the fibration over RP^2
// with the fibre ((b3 + 1) a2 + b2, a2); (2,1), (4,1), (4,1), (3,1), (3,1),
// (3,1) and (2,1), (3,1), (6,1) with the obstruction (1,-1) give torus
// bundles of trace 0, -1 and 1. Over the torus or the Klein bottle with at
// most the obstruction (1,b): the torus bundle of the monodromy +-(1,-b;0,1).
// Over RP^2 with the fibre (a,b) (b taking in the obstruction): the
// fibration over the sphere ((2,1), (2,2a-1) when b = +-1, a lens space;
// else (2,1), (2,1), (b,a-b)). Always recognised: 1.
int ClassifySeifertEntry(TManifoldDescription& node);
// Classification by type code: 1 recognised, 0 not (see the source for the
// rules per type). Derived presentations are added for lens spaces, torus
// bundles and Seifert manifolds.
int ClassifyEntry(TManifoldDescription& node);

// The first molecule vertex that a cut at a zero fibre would take: not
// virtual, with at least one pair, whose first pair has first component 0;
// null when there is none (a zero pair that is not first, or none at all).
TObjectHeader* FindZeroPairPiece(const TObjectTable& molecule);
