// The tetrahedron form of a singular triangulation.
//
// Tetrahedra are numbered by their place in the list (from 0) and carry a
// display number (from 1). Face i of a tetrahedron is the face opposite its
// vertex i. A glued face records the neighbouring tetrahedron and the gluing:
// the vertex map that sends each vertex of this tetrahedron to the vertex of
// the neighbour it is identified with, on the face's three vertices, and the
// opposite vertex i to the neighbour's opposite vertex, so gluing[i][i] is
// the neighbour's face. The neighbour's face is glued back by the inverse map.
//
// This is the form in which the signatures, the dehydrated descriptions and
// the triangulation text are read and written; details (the spine's dual
// tetrahedra) convert to and from it.
#pragma once

#include <cstdint>
#include <vector>

#include "presentations/triangulations/vertex_map.h"

struct TObjectHeader;

struct TTetrahedron {
  std::int32_t number = -1;              // display number, from 1; -1 until set
  TObjectHeader* detail = nullptr;       // the detail it stands for; not owned
  std::int32_t neighbour[4] = {-1, -1, -1, -1};  // place of the neighbour; -1 unglued
  TVertexMap gluing[4] = {kIdentityVertexMap, kIdentityVertexMap, kIdentityVertexMap,
                          kIdentityVertexMap};
};

class TTetrahedronList {
 public:
  int Count() const { return static_cast<int>(tetrahedra_.size()); }
  // Preconditions: 0 <= i < Count().
  TTetrahedron& At(int i) { return tetrahedra_[static_cast<std::size_t>(i)]; }
  const TTetrahedron& At(int i) const { return tetrahedra_[static_cast<std::size_t>(i)]; }
  // Appends an unglued tetrahedron numbered Count() + 1; returns its place.
  int Add();
  // n unglued tetrahedra numbered 1..n.
  void Reset(int n);
  void Clear() { tetrahedra_.clear(); }

  // True for a valid place and face whose face is glued.
  bool IsGlued(int tetrahedron, int face) const;
  // Glues face `face` of a to face map[face] of b by map, and that face back
  // by the inverse. Refused (false, nothing changed) when a place or the face
  // is out of range, the map is not a permutation, either face is glued
  // already, or the two faces are one face.
  bool Glue(int a, int face, int b, const TVertexMap& map);

  // Every face of every tetrahedron is glued (and the list is not empty).
  bool IsClosed() const;
  // Every tetrahedron is reached from the first through glued faces (an
  // empty list is not connected).
  bool IsConnected() const;
  // Every glued face is glued back by the inverse map from the neighbour's
  // face; used to check tables built by hand.
  bool IsConsistent() const;

 private:
  std::vector<TTetrahedron> tetrahedra_;
};
