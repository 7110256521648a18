// TDWDetailClasses: the corners and edges of a set of glued details (the
// singular triangulation dual to a special spine), grouped into the vertices
// and edges of the triangulation they make.
//
// Gluing face f of detail D to face h of detail P identifies the corner at
// position p of face f with the corner at position Correspondence(D, f, p) of
// face h, and the edge at position p of f with the edge at that position of
// h. The classes of these identifications are the vertices and edges of the
// triangulation.
//
// Read on the spine, an edge class is a 2-cell (the cell that winds around
// the tetrahedron edges of the class: equal classes are what equal edge
// values of a built spine say), and a corner class is a boundary surface of
// the thickened spine: the region of the spine's complement that the corner
// of every tetrahedron in the class lies in. The corner number of an edge end
// of a spine vertex is the class of the corner opposite the face that edge end
// stands for (face j is opposite corner j). Classes are numbered 0, 1, .. in
// the order first met over the details in the description's order; any order
// serves, since the state sum only needs corners of one tetrahedron to be
// told apart and compared consistently.
//
// Cost: linear in the number of details; polls the stop flag.
#pragma once

#include <array>
#include <unordered_map>
#include <vector>

class TDetailsDescription;
struct TObjectHeader;

class TDWDetailClasses {
 public:
  // Reads every detail of the description; throws std::invalid_argument when
  // a face of some detail is not glued to a detail of the description.
  explicit TDWDetailClasses(const TDetailsDescription& description);

  int DetailCount() const { return static_cast<int>(details_.size()); }
  TObjectHeader* Detail(int i) const { return details_[static_cast<std::size_t>(i)]; }
  // Position of a detail in the description's order; -1 when not there.
  int IndexOf(const TObjectHeader* detail) const;

  // Class of corner c (0..3) of detail i.
  int Corner(int i, int c) const { return corners_[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)]; }
  // Class of the edge at position p of face f of detail i (the edge value).
  int EdgeValue(int i, int face, int position) const;
  // The six edges of detail i in the fixed order (0,0), (0,1), (0,2), (1,0),
  // (1,1), (3,2) of (face, position): positions k and k + 3 are opposite edges.
  std::array<int, 6> SixEdgeValues(int i) const;
  int CornerClassCount() const { return cornerClasses_; }
  int EdgeClassCount() const { return edgeClasses_; }
  // Corner classes whose link (the triangles of the corners in the class,
  // glued along the ends of the edges at it) is a 2-sphere: every class is
  // one exactly when the triangulation is of a closed manifold.
  int SphereCornerClassCount() const { return sphereClasses_; }

 private:
  std::vector<TObjectHeader*> details_;
  std::unordered_map<const TObjectHeader*, int> index_;
  std::vector<std::array<int, 4>> corners_;
  std::vector<std::array<int, 6>> edges_;  // by the detail's edge numbering 0..5
  int cornerClasses_ = 0;
  int edgeClasses_ = 0;
  int sphereClasses_ = 0;
};
