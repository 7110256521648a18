#include "presentations/triangulations/tetrahedra.h"

int TTetrahedronList::Add() {
  TTetrahedron tetrahedron;
  tetrahedron.number = Count() + 1;
  tetrahedra_.push_back(tetrahedron);
  return Count() - 1;
}

void TTetrahedronList::Reset(int n) {
  tetrahedra_.clear();
  tetrahedra_.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
  for (int i = 0; i < n; ++i) Add();
}

bool TTetrahedronList::IsGlued(int tetrahedron, int face) const {
  if (tetrahedron < 0 || tetrahedron >= Count() || face < 0 || face > 3) return false;
  return At(tetrahedron).neighbour[face] >= 0;
}

bool TTetrahedronList::Glue(int a, int face, int b, const TVertexMap& map) {
  if (a < 0 || a >= Count() || b < 0 || b >= Count() || face < 0 || face > 3) return false;
  if (!IsVertexMap(map)) return false;
  int otherFace = map[face];
  if (a == b && otherFace == face) return false;
  if (IsGlued(a, face) || IsGlued(b, otherFace)) return false;
  At(a).neighbour[face] = b;
  At(a).gluing[face] = map;
  At(b).neighbour[otherFace] = a;
  At(b).gluing[otherFace] = InverseVertexMap(map);
  return true;
}

bool TTetrahedronList::IsClosed() const {
  if (tetrahedra_.empty()) return false;
  for (const TTetrahedron& t : tetrahedra_) {
    for (int f = 0; f < 4; ++f) {
      if (t.neighbour[f] < 0) return false;
    }
  }
  return true;
}

bool TTetrahedronList::IsConnected() const {
  if (tetrahedra_.empty()) return false;
  std::vector<char> reached(tetrahedra_.size(), 0);
  std::vector<int> stack = {0};
  reached[0] = 1;
  std::size_t count = 1;
  while (!stack.empty()) {
    int t = stack.back();
    stack.pop_back();
    for (int f = 0; f < 4; ++f) {
      int u = At(t).neighbour[f];
      if (u >= 0 && !reached[static_cast<std::size_t>(u)]) {
        reached[static_cast<std::size_t>(u)] = 1;
        ++count;
        stack.push_back(u);
      }
    }
  }
  return count == tetrahedra_.size();
}

bool TTetrahedronList::IsConsistent() const {
  for (int t = 0; t < Count(); ++t) {
    for (int f = 0; f < 4; ++f) {
      int u = At(t).neighbour[f];
      if (u < 0) continue;
      if (u >= Count()) return false;
      const TVertexMap& map = At(t).gluing[f];
      if (!IsVertexMap(map)) return false;
      int g = map[f];
      if (u == t && g == f) return false;
      if (At(u).neighbour[g] != t || At(u).gluing[g] != InverseVertexMap(map)) return false;
    }
  }
  return true;
}
