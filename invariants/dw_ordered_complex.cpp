#include "invariants/dw_ordered_complex.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include "foundation/stop_poll.h"
#include "model/detail.h"
#include "model/details_description.h"

namespace {

// A simplex of the barycentric subdivision inside a tetrahedron: the chain
// A within B of corner sets (A = B for a vertex of the subdivision, i.e. the
// barycentre of the face A of the tetrahedron).
int Key(int tetrahedron, int a, int b) { return tetrahedron * 256 + a * 16 + b; }

class TUnionFind {
 public:
  explicit TUnionFind(int n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  int Find(int x) {
    while (parent_[x] != x) {
      parent_[x] = parent_[parent_[x]];
      x = parent_[x];
    }
    return x;
  }
  void Join(int a, int b) {
    a = Find(a);
    b = Find(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<int> parent_;
};

// Dense numbers for the classes of some keys, in the order first met.
class TClassNumbers {
 public:
  int Of(int root) {
    auto [it, added] = numbers_.try_emplace(root, static_cast<int>(numbers_.size()));
    (void)added;
    return it->second;
  }
  int Count() const { return static_cast<int>(numbers_.size()); }

 private:
  std::unordered_map<int, int> numbers_;
};

struct TGluing {
  int partner = -1;
  int map[4] = {-1, -1, -1, -1};  // corner of this tetrahedron -> corner of the partner
};

std::vector<std::array<TGluing, 4>> ReadGluings(const TComplex& spine) {
  TDetailsDescription details;
  if (details.FromSpine(spine) == 0) {
    throw std::invalid_argument("the spine is not special or its details are incomplete");
  }
  const int n = details.DetailCount();
  if (n == 0) throw std::invalid_argument("the spine has no true vertex");
  std::unordered_map<const TObjectHeader*, int> index;
  for (int t = 0; t < n; ++t) index.emplace(details.DetailAt(t).Object(), t);
  std::vector<std::array<TGluing, 4>> gluings(n);
  TStopPoll poll;
  for (int t = 0; t < n; ++t) {
    poll.Step();
    TObjectHeader* detail = details.DetailAt(t).Object();
    for (int f = 0; f < 4; ++f) {
      auto partner = index.find(TDetail::Partner(detail, f).Object());
      const int h = TDetail::PartnerFace(detail, f);
      if (partner == index.end() || h < 0 || h > 3) {
        throw std::invalid_argument("a face of the details is not glued");
      }
      TGluing& gluing = gluings[t][f];
      gluing.partner = partner->second;
      for (int p = 0; p < 3; ++p) {
        const int q = TDetail::Correspondence(detail, f, p);
        if (q < 0 || q > 2) throw std::invalid_argument("a gluing of the details is incomplete");
        gluing.map[TDetail::FaceCornerMap(f, p)] = TDetail::FaceCornerMap(h, q);
      }
    }
  }
  return gluings;
}

int MapMask(const TGluing& gluing, int mask) {
  int image = 0;
  for (int c = 0; c < 4; ++c) {
    if ((mask >> c) & 1) image |= 1 << gluing.map[c];
  }
  return image;
}

}  // namespace

void TDWOrderedComplex::Setup(const TComplex& spine, bool forceSubdivision) {
  const std::vector<std::array<TGluing, 4>> gluings = ReadGluings(spine);
  const int n = static_cast<int>(gluings.size());
  TUnionFind classes(n * 256);
  TStopPoll poll;
  for (int t = 0; t < n; ++t) {
    for (int f = 0; f < 4; ++f) {
      const TGluing& gluing = gluings[t][f];
      const int face = 15 & ~(1 << f);
      for (int b = 1; b < 16; ++b) {
        if ((b & ~face) != 0) continue;
        for (int a = b; a > 0; a = (a - 1) & b) {
          poll.Step();
          classes.Join(Key(t, a, b), Key(gluing.partner, MapMask(gluing, a), MapMask(gluing, b)));
        }
      }
    }
  }

  // The vertices of the triangulation itself, and their links: a link is made
  // of one triangle per corner, each side shared by two triangles, and one
  // vertex per edge end at the vertex.
  TClassNumbers corners;
  std::vector<int> triangles;
  reduced_ = true;
  for (int t = 0; t < n; ++t) {
    int vertex[4];
    for (int c = 0; c < 4; ++c) {
      vertex[c] = corners.Of(classes.Find(Key(t, 1 << c, 1 << c)));
      if (vertex[c] >= static_cast<int>(triangles.size())) triangles.resize(vertex[c] + 1, 0);
      ++triangles[vertex[c]];
      for (int d = 0; d < c; ++d) {
        if (vertex[d] == vertex[c]) reduced_ = false;
      }
    }
  }
  std::vector<int> linkVertices(corners.Count(), 0);
  std::unordered_map<int, bool> edgeSeen;
  int oldEdges = 0;
  int oldFaces = 0;
  std::unordered_map<int, bool> faceSeen;
  for (int t = 0; t < n; ++t) {
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        const int mask = (1 << a) | (1 << b);
        if (!edgeSeen.try_emplace(classes.Find(Key(t, mask, mask)), true).second) continue;
        ++oldEdges;
        ++linkVertices[corners.Of(classes.Find(Key(t, 1 << a, 1 << a)))];
        ++linkVertices[corners.Of(classes.Find(Key(t, 1 << b, 1 << b)))];
      }
      const int face = 15 & ~(1 << a);
      if (faceSeen.try_emplace(classes.Find(Key(t, face, face)), true).second) ++oldFaces;
    }
  }
  sphereVertices_ = 0;
  for (int v = 0; v < corners.Count(); ++v) {
    // V - E + F with E = 3F/2.
    if (2 * linkVertices[v] - triangles[v] == 4) ++sphereVertices_;
  }

  spineSpheres_ = sphereVertices_;
  subdivided_ = forceSubdivision || !reduced_;
  tetrahedra_.clear();
  edgeEnds_.clear();
  TClassNumbers vertices;
  TClassNumbers edges;
  // The edge of the complex from simplex a to simplex b of tetrahedron t,
  // numbered when first met, with the vertex classes at its two ends: for the
  // subdivision the chain a within b, for the plain complex the corner pair.
  auto edgeOf = [&](int t, int a, int b) {
    const int key = subdivided_ ? Key(t, a, b) : Key(t, a | b, a | b);
    const int number = edges.Of(classes.Find(key));
    if (number == static_cast<int>(edgeEnds_.size())) {
      edgeEnds_.push_back({vertices.Of(classes.Find(Key(t, a, a))),
                           vertices.Of(classes.Find(Key(t, b, b)))});
    }
    return number;
  };
  // A tetrahedron whose corners, in branching order, are the simplices
  // chain[0..3] of tetrahedron t.
  auto addTetrahedron = [&](int t, const int chain[4]) {
    auto edge = [&](int i, int j) { return edgeOf(t, chain[i], chain[j]); };
    TTetrahedron tetrahedron;
    tetrahedron.path = {edge(0, 1), edge(1, 2), edge(2, 3)};
    for (int omit = 0; omit < 4; ++omit) {
      int corner[3];
      int k = 0;
      for (int i = 0; i < 4; ++i) {
        if (i != omit) corner[k++] = i;
      }
      tetrahedron.triangleEdges[omit] = {edge(corner[0], corner[1]), edge(corner[1], corner[2]),
                                         edge(corner[0], corner[2]), 0};
    }
    tetrahedra_.push_back(tetrahedron);
  };
  if (!subdivided_) {
    // Corners in the order of their vertex classes (all four differ).
    for (int t = 0; t < n; ++t) {
      poll.Step();
      int vertex[4];
      for (int c = 0; c < 4; ++c) vertex[c] = corners.Of(classes.Find(Key(t, 1 << c, 1 << c)));
      std::array<int, 4> order = {0, 1, 2, 3};
      std::sort(order.begin(), order.end(), [&](int x, int y) { return vertex[x] < vertex[y]; });
      const int chain[4] = {1 << order[0], 1 << order[1], 1 << order[2], 1 << order[3]};
      addTetrahedron(t, chain);
    }
  } else {
    // Corners ordered by dimension: corner, edge, face, tetrahedron.
    std::array<int, 4> sigma = {0, 1, 2, 3};
    for (int t = 0; t < n; ++t) {
      do {
        poll.Step();
        const int chain[4] = {1 << sigma[0], (1 << sigma[0]) | (1 << sigma[1]),
                              15 & ~(1 << sigma[3]), 15};
        addTetrahedron(t, chain);
      } while (std::next_permutation(sigma.begin(), sigma.end()));
    }
    // Every new vertex (the centre of an edge, a triangle or a tetrahedron)
    // has a sphere for its link.
    sphereVertices_ += oldEdges + oldFaces + n;
  }
  vertexCount_ = vertices.Count();
  edgeCount_ = edges.Count();
}
