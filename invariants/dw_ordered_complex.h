// TDWOrderedComplex: the triangulation dual to a special spine, with a
// branching, as the DW state sum needs it.
//
// The details of a special spine (one tetrahedron per true vertex, glued face
// to face) form a singular triangulation of the manifold. The Z/2 state sum
// with the cocycle (-1)^(abc) needs a branching: an order of the four corners
// of every tetrahedron that agrees on glued faces. Ordering the corners by
// the index of their vertex class is one, as long as no tetrahedron has two
// corners in one class. When some tetrahedron has (every one-vertex census
// triangulation does), the complex is taken through its barycentric
// subdivision instead: the small tetrahedra are the flags corner < edge <
// face < tetrahedron of the old ones, and ordering their corners by the
// dimension of the simplex they stand for is a branching that always exists.
//
// A simplex of the subdivision inside tetrahedron t is a chain of faces of t,
// written as corner sets (bit masks); two are identified across a glued face
// by the face's corner map. Union-find over these keys gives the vertex,
// edge and triangle classes of either complex. Sizes: 24 small tetrahedra per
// tetrahedron after a subdivision.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TComplex;

class TDWOrderedComplex {
 public:
  struct TTetrahedron {
    std::array<int, 3> path{};       // edge classes v0v1, v1v2, v2v3 (the cocycle's arguments)
    std::array<int, 4> triangleEdges[4]{};  // per face: three edge classes (4th unused)
  };

  // Reads the details of the spine: throws std::invalid_argument when the
  // spine is not special or its details are incomplete.
  void Setup(const TComplex& spine, bool forceSubdivision = false);

  // Whether the corners of every tetrahedron lie in four distinct vertex
  // classes, so that no subdivision was needed.
  bool WasReduced() const { return reduced_; }
  bool IsSubdivided() const { return subdivided_; }
  int TetrahedronCount() const { return static_cast<int>(tetrahedra_.size()); }
  int VertexCount() const { return vertexCount_; }
  int EdgeCount() const { return edgeCount_; }
  // Number of vertices whose link is a 2-sphere (Euler characteristic 2).
  int SphereVertexCount() const { return sphereVertices_; }
  // The same for the triangulation dual to the spine itself, before any
  // subdivision: the number of sphere boundaries of the thickened spine.
  int SpineSphereCount() const { return spineSpheres_; }
  const std::vector<TTetrahedron>& Tetrahedra() const { return tetrahedra_; }
  // The two vertex classes of each edge class.
  const std::vector<std::array<int, 2>>& EdgeEnds() const { return edgeEnds_; }

 private:
  bool reduced_ = false;
  bool subdivided_ = false;
  int vertexCount_ = 0;
  int edgeCount_ = 0;
  int sphereVertices_ = 0;
  int spineSpheres_ = 0;
  std::vector<TTetrahedron> tetrahedra_;
  std::vector<std::array<int, 2>> edgeEnds_;
};
