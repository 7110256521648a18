// TTetGluing: a singular triangulation as plain face gluings, and the two
// local moves on it that are dual to the T-move and its inverse.
//
// A special spine is dual to a singular triangulation: its vertices are the
// tetrahedra, its edges the glued pairs of faces and its 2-cells the cycles of
// tetrahedron edges. A T-move of the spine (an edge becomes a triangle) is
// the 2-3 move of the triangulation: the two tetrahedra on either side of the
// face dual to the edge are replaced by three around a new edge, dual to the
// new triangle. The inverse T-move is the 3-2 move on an edge of degree 3
// whose three tetrahedra are distinct. Both moves change only the tetrahedra
// they name; every other tetrahedron keeps its index order and its faces.
//
// Corners of a tetrahedron are 0..3 and face f is the face opposite corner f,
// as in model/detail.h. A gluing of face f of tetrahedron t is the partner
// tetrahedron and the corner map (a permutation of 0..3 taking f to the
// partner face).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TDetailsDescription;
struct TObjectHeader;

using TCornerMap = std::array<std::int8_t, 4>;

struct TTetFace {
  int tet = -1;
  int face = -1;
};

class TTetGluing {
 public:
  struct TTet {
    std::array<int, 4> partner{-1, -1, -1, -1};
    std::array<TCornerMap, 4> map{};
    int origin = -1;  // index before the last move, -1 for a tetrahedron it made
  };

  // Reads a complete description; false when some face is not glued.
  // details receives the descriptions's details in tetrahedron order.
  bool FromDetails(const TDetailsDescription& description,
                   std::vector<TObjectHeader*>* details = nullptr);
  // Fills an empty description: one detail per tetrahedron, in order.
  void ToDetails(TDetailsDescription& description,
                 std::vector<TObjectHeader*>* details = nullptr) const;

  int Count() const { return static_cast<int>(tets_.size()); }
  const TTet& At(int t) const { return tets_[t]; }

  // The 2-3 move across face f of tetrahedron t. Refused (false, nothing
  // changed) when the face is glued to the same tetrahedron. On success the
  // three new tetrahedra are the last three, and corners 0 and 1 of each span
  // the new edge.
  bool TwoThree(int t, int f);
  // The 3-2 move on the edge of tetrahedron t spanned by corners a and b.
  // Refused (false, nothing changed) unless the edge has degree 3 with three
  // distinct tetrahedra. On success the two new tetrahedra are the last two,
  // glued to each other along their faces 3.
  bool ThreeTwo(int t, int a, int b);

 private:
  // The faces of the removed tetrahedra that the move keeps, each as a face of
  // a new tetrahedron with the map from the new corners to the old ones.
  struct TFaceImage {
    int newTet = -1;
    int newFace = -1;
    TCornerMap toOld{};
  };
  void Replace(const std::vector<int>& removed, std::vector<TTet> made,
               const std::vector<std::array<TFaceImage, 4>>& images);

  std::vector<TTet> tets_;
};

TCornerMap ComposeMaps(const TCornerMap& outer, const TCornerMap& inner);
TCornerMap InvertMap(const TCornerMap& map);
