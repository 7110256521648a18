// The canonical walk over a triangulation, shared by the one-word codes.
//
// Both the isomorphism signature and the dehydrated description of a
// connected triangulation are read off one walk, fixed by a start tetrahedron
// and a labelling of its four vertices. The start becomes tetrahedron 0 with
// that labelling. Then the reached tetrahedra are visited in the order they
// were reached, and each one's faces in the order of their new labels 0..3.
// A face whose gluing was already met from the other side (the neighbour was
// reached earlier, or it is this tetrahedron and the other face has a lower
// label) is passed over. Otherwise the face is glued either to a tetrahedron
// not reached yet, which becomes the next one and is labelled so that the
// gluing reads as the identity (a "new" step), or to one already reached (a
// "reached" step, recorded with the gluing in the new labels).
//
// In a closed connected triangulation of n tetrahedra the walk makes 2n
// steps: n - 1 new and n + 1 reached. Every labelled tetrahedron of a
// relabelled copy is the image of its original under an isomorphism, so two
// triangulations are isomorphic exactly when the walks from some pair of
// starts and labellings agree; the codes take the least text over all 24n
// choices.
#pragma once

#include <vector>

#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/vertex_map.h"

enum class TWalkStepKind { kBoundary = 0, kNew = 1, kReached = 2 };

struct TWalkStep {
  TWalkStepKind kind = TWalkStepKind::kBoundary;
  int tetrahedron = 0;  // new number of the tetrahedron whose face is glued
  int face = 0;         // the face's new label
  int destination = 0;  // new number of the tetrahedron across the face
  TVertexMap map = kIdentityVertexMap;  // the gluing in the new labels
};

struct TCanonicalWalk {
  std::vector<TWalkStep> steps;
  std::vector<int> order;         // new number -> place in the list
  std::vector<int> newNumber;     // place -> new number; -1 unreached
  std::vector<TVertexMap> label;  // place -> map from old vertices to new labels
};

// Walks the triangulation from the tetrahedron at place start, labelled by
// `labelling` (old vertex -> new label). Returns false (walk unspecified) when
// the start is out of range or some tetrahedron is not reached. Reuses the
// walk's storage. Cost O(n).
bool WalkTriangulation(const TTetrahedronList& tetrahedra, int start, const TVertexMap& labelling,
                       TCanonicalWalk& walk);

// The triangulation renumbered and relabelled as the walk saw it:
// tetrahedron k of the result is the k-th reached, numbered k + 1.
void RelabelledTetrahedra(const TTetrahedronList& tetrahedra, const TCanonicalWalk& walk,
                          TTetrahedronList& result);
