// Volume of a closed hyperbolic manifold from its geometric triangulation.
//
// The volume of a finite hyperbolic tetrahedron has no simple closed form,
// but that of an ideal one does: Lambda(a) + Lambda(b) + Lambda(c) for its
// dihedral angles a, b, c. So each vertex of the triangulation is replaced
// by an ideal point. In the universal cover every lift g p of a vertex p is
// sent to g xi, where xi is a point at infinity seen from p in a fixed
// direction of the tangent space at p; the straightened tetrahedra with the
// ideal vertices so chosen form a cycle homotopic to the fundamental class,
// so their signed volumes add up to the volume of the manifold, whatever
// xi is (Thurston's straightening argument).
//
// Computation, with the hyperboloid model (Minkowski form -t^2 + x^2 + y^2 +
// z^2, points p with <p, p> = -1):
// 1. Each tetrahedron is placed with its vertices P_u .. P_x (the vertex of
//    letter a is the one opposite face a) at the Minkowski distances
//    <P_a, P_b> = -cosh l.
// 2. The link of each vertex of the triangulation is developed: for every
//    corner (a tetrahedron's vertex) an isometry R from the vertex's frame to
//    the tangent space of that corner, carried from corner to corner across
//    the shared faces (the two edges in the face go to their images, the
//    third edge goes to the other side, or to the same side when one of the
//    two tetrahedra lies turned inside out). The signed angle sums 2 pi make
//    this consistent around every edge.
// 3. At corner P_a the ideal point is the null vector q_a = P_a + R xi.
// 4. The angles of the ideal tetrahedron q_u .. q_x are those of the triangle
//    with squared sides <q_0, q_1><q_2, q_3>, <q_0, q_2><q_1, q_3>,
//    <q_0, q_3><q_1, q_2> (Ptolemy); its volume counts with the sign of
//    det(q) det(P), the orientation relative to the finite tetrahedron,
//    reversed for a tetrahedron turned inside out.
#include "invariants/hyperbolic/volume_evaluation.h"

#include <cmath>
#include <deque>
#include <vector>

#include "foundation/stop_poll.h"

namespace {

using TVector4 = std::array<double, 4>;

double Minkowski(const TVector4& a, const TVector4& b) {
  return -a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

TVector4 Combine(const TVector4& a, double s, const TVector4& b) {
  return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2], a[3] + s * b[3]};
}

TVector4 Scale(const TVector4& a, double s) { return {s * a[0], s * a[1], s * a[2], s * a[3]}; }

double Determinant(const std::array<TVector4, 4>& m) {
  double a[4][4];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) a[i][j] = m[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
  }
  double det = 1;
  for (int k = 0; k < 4; ++k) {
    int pivot = k;
    for (int i = k + 1; i < 4; ++i) {
      if (std::fabs(a[i][k]) > std::fabs(a[pivot][k])) pivot = i;
    }
    if (a[pivot][k] == 0) return 0;
    if (pivot != k) {
      for (int j = 0; j < 4; ++j) std::swap(a[k][j], a[pivot][j]);
      det = -det;
    }
    det *= a[k][k];
    for (int i = k + 1; i < 4; ++i) {
      const double f = a[i][k] / a[k][k];
      for (int j = k; j < 4; ++j) a[i][j] -= f * a[k][j];
    }
  }
  return det;
}

// Local edge (uv, wx, uw, xv, ux, vw = 0..5) where faces a and b meet.
int LocalEdge(int a, int b) {
  static constexpr int kEdge[4][4] = {{-1, 0, 2, 4}, {0, -1, 5, 3}, {2, 5, -1, 1}, {4, 3, 1, -1}};
  return kEdge[a][b];
}

// The two letters other than a and b, in increasing order.
void OtherLetters(int a, int b, int& c, int& d) {
  c = -1;
  d = -1;
  for (int l = 0; l < 4; ++l) {
    if (l == a || l == b) continue;
    if (c < 0) c = l;
    else d = l;
  }
}

struct TPlacedTetrahedron {
  std::array<TVector4, 4> vertex;  // P_u .. P_x
  double coshOf[4][4] = {};
};

// Places a tetrahedron from its parameters; the vertices P_a, P_b are joined
// by the edge where the two other faces meet.
TPlacedTetrahedron Place(const TTetrahedronParameters& x) {
  TPlacedTetrahedron t;
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) {
      if (a == b) continue;
      int c, d;
      OtherLetters(a, b, c, d);
      t.coshOf[a][b] = 1 + x[static_cast<std::size_t>(LocalEdge(c, d))];
    }
  }
  auto ch = [&](int a, int b) { return t.coshOf[a][b]; };
  const double c01 = ch(0, 1), s01 = std::sqrt(c01 * c01 - 1);
  t.vertex[0] = {1, 0, 0, 0};
  t.vertex[1] = {c01, s01, 0, 0};
  const double a2 = ch(0, 2), b2 = (c01 * a2 - ch(1, 2)) / s01;
  const double c2 = std::sqrt(std::max(0.0, a2 * a2 - b2 * b2 - 1));
  t.vertex[2] = {a2, b2, c2, 0};
  const double a3 = ch(0, 3), b3 = (c01 * a3 - ch(1, 3)) / s01;
  const double cc3 = (a2 * a3 - b2 * b3 - ch(2, 3)) / c2;
  const double d3 = std::sqrt(std::max(0.0, a3 * a3 - b3 * b3 - cc3 * cc3 - 1));
  t.vertex[3] = {a3, b3, cc3, d3};
  return t;
}

// The unit tangent at P_a towards P_b.
TVector4 Tangent(const TPlacedTetrahedron& t, int a, int b) {
  const double c = t.coshOf[a][b];
  TVector4 v = Combine(t.vertex[static_cast<std::size_t>(b)], -c, t.vertex[static_cast<std::size_t>(a)]);
  return Scale(v, 1.0 / std::sqrt(Minkowski(v, v)));
}

// An orthonormal frame at P_a: towards P_h1, then P_h2 made orthogonal, then
// the direction towards P_f made orthogonal to both.
std::array<TVector4, 3> Frame(const TPlacedTetrahedron& t, int a, int h1, int h2, int f) {
  TVector4 e1 = Tangent(t, a, h1);
  TVector4 e2 = Tangent(t, a, h2);
  e2 = Combine(e2, -Minkowski(e2, e1), e1);
  e2 = Scale(e2, 1.0 / std::sqrt(Minkowski(e2, e2)));
  TVector4 n = Tangent(t, a, f);
  n = Combine(n, -Minkowski(n, e1), e1);
  n = Combine(n, -Minkowski(n, e2), e2);
  n = Scale(n, 1.0 / std::sqrt(Minkowski(n, n)));
  return {e1, e2, n};
}

// The tetrahedra placed in the hyperboloid and the developed vertex links:
// frame[4 p + a] maps the frame of the vertex at corner a of the tetrahedron
// at position p into the tangent space of P_a.
struct TDevelopment {
  std::vector<TPlacedTetrahedron> placed;
  std::vector<std::array<TVector4, 3>> frame;
  std::vector<int> vertexOfCorner;
  std::vector<int> positionOfId;
  int vertices = 0;
};

TDevelopment Develop(const TTriangulationStore& store) {
  TDevelopment result;
  auto& placed = result.placed;
  auto& frame = result.frame;
  auto& positionOfId = result.positionOfId;
  const int count = store.TetrahedronCount();
  placed.resize(static_cast<std::size_t>(count));
  for (int p = 0; p < count; ++p) {
    const int id = store.TetrahedronDart(p) / 12;
    if (static_cast<int>(positionOfId.size()) <= id) positionOfId.resize(static_cast<std::size_t>(id) + 1, -1);
    positionOfId[static_cast<std::size_t>(id)] = p;
    placed[static_cast<std::size_t>(p)] = Place(store.TetrahedronParameters(store.TetrahedronDart(p)));
  }
  // Develop the vertex links: R maps the vertex frame (3 columns) into the
  // tangent space of each corner (position * 4 + letter).
  frame.resize(static_cast<std::size_t>(4 * count));
  result.vertexOfCorner.assign(static_cast<std::size_t>(4 * count), -1);
  std::vector<char> done(static_cast<std::size_t>(4 * count), 0);
  TStopPoll poll(1024);
  for (int root = 0; root < 4 * count; ++root) {
    if (done[static_cast<std::size_t>(root)]) continue;
    {
      const int a = root % 4;
      int h1, h2;
      OtherLetters(a, (a + 1) % 4, h1, h2);
      frame[static_cast<std::size_t>(root)] = Frame(placed[static_cast<std::size_t>(root / 4)], a, h1, h2, (a + 1) % 4);
      done[static_cast<std::size_t>(root)] = 1;
      result.vertexOfCorner[static_cast<std::size_t>(root)] = result.vertices++;
    }
    std::deque<int> queue{root};
    while (!queue.empty()) {
      poll.Step();
      const int corner = queue.front();
      queue.pop_front();
      const int p = corner / 4, a = corner % 4;
      const int base = store.TetrahedronDart(p);
      for (int f = 0; f < 4; ++f) {
        if (f == a) continue;
        int h1, h2;
        OtherLetters(a, f, h1, h2);
        // Across face f: letter h of this tetrahedron goes to the tail of
        // next(f, h); the face itself to the head.
        const int nA = store.Next(base + DartFromLetters(f, a));
        const int nH1 = store.Next(base + DartFromLetters(f, h1));
        const int nH2 = store.Next(base + DartFromLetters(f, h2));
        const int q = positionOfId[static_cast<std::size_t>(nA / 12)];
        const int other = 4 * q + DartTail(nA);
        if (done[static_cast<std::size_t>(other)]) continue;
        const auto here = Frame(placed[static_cast<std::size_t>(p)], a, h1, h2, f);
        const auto there = Frame(placed[static_cast<std::size_t>(q)], DartTail(nA), DartTail(nH1), DartTail(nH2), DartHead(nA));
        const auto& r = frame[static_cast<std::size_t>(corner)];
        // The far corner goes to the other side of the face, unless one of
        // the two tetrahedra lies turned inside out.
        const double across = -static_cast<double>(store.Orientation(base) * store.Orientation(nA));
        std::array<TVector4, 3> image;
        for (int column = 0; column < 3; ++column) {
          const TVector4& v = r[static_cast<std::size_t>(column)];
          const double c1 = Minkowski(v, here[0]), c2 = Minkowski(v, here[1]), c3 = Minkowski(v, here[2]);
          TVector4 w = Scale(there[0], c1);
          w = Combine(w, c2, there[1]);
          w = Combine(w, across * c3, there[2]);
          image[static_cast<std::size_t>(column)] = w;
        }
        frame[static_cast<std::size_t>(other)] = image;
        done[static_cast<std::size_t>(other)] = 1;
        result.vertexOfCorner[static_cast<std::size_t>(other)] = result.vertexOfCorner[static_cast<std::size_t>(corner)];
        queue.push_back(other);
      }
    }
  }
  return result;
}

}  // namespace

double VolumeFromParameters(const TTriangulationStore& store, const std::array<double, 3>& ideal) {
  const TDevelopment development = Develop(store);
  const auto& placed = development.placed;
  const auto& frame = development.frame;
  const int count = store.TetrahedronCount();
  TStopPoll poll(1024);
  const double norm = std::sqrt(ideal[0] * ideal[0] + ideal[1] * ideal[1] + ideal[2] * ideal[2]);
  double volume = 0;
  for (int p = 0; p < count; ++p) {
    poll.Step();
    const TPlacedTetrahedron& t = placed[static_cast<std::size_t>(p)];
    std::array<TVector4, 4> q;
    for (int a = 0; a < 4; ++a) {
      const auto& r = frame[static_cast<std::size_t>(4 * p + a)];
      TVector4 v = t.vertex[static_cast<std::size_t>(a)];
      for (int column = 0; column < 3; ++column) v = Combine(v, ideal[static_cast<std::size_t>(column)] / norm, r[static_cast<std::size_t>(column)]);
      q[static_cast<std::size_t>(a)] = v;
    }
    auto g = [&](int i, int j) { return -Minkowski(q[static_cast<std::size_t>(i)], q[static_cast<std::size_t>(j)]); };
    std::array<double, 3> alpha;
    if (!IdealAngles(g(0, 1) * g(2, 3), g(0, 2) * g(1, 3), g(0, 3) * g(1, 2), alpha)) continue;
    // Placed tetrahedra are all positive; a turned one lies mirrored in the
    // developed manifold, and so does its ideal tetrahedron.
    const double sign = ((Determinant(q) > 0) == (Determinant(t.vertex) > 0) ? 1.0 : -1.0) *
                        store.Orientation(store.TetrahedronDart(p));
    volume += sign * (Lobachevsky(alpha[0]) + Lobachevsky(alpha[1]) + Lobachevsky(alpha[2]));
  }
  return volume;
}

int VertexMotionMatrix(const TTriangulationStore& store, std::vector<double>& motion) {
  const TDevelopment development = Develop(store);
  const int edges = store.EdgeCount();
  const int columns = 3 * development.vertices;
  motion.assign(static_cast<std::size_t>(edges) * static_cast<std::size_t>(columns), 0.0);
  for (int e = 0; e < edges; ++e) {
    const int d = store.Edge(e).dart;
    const int p = development.positionOfId[static_cast<std::size_t>(d / 12)];
    int a, b;
    OtherLetters(DartTail(d), DartHead(d), a, b);
    // Moving the vertex at P_a by w shortens the edge by <tangent towards P_b, w>.
    for (int side = 0; side < 2; ++side) {
      const int from = side == 0 ? a : b, to = side == 0 ? b : a;
      const int corner = 4 * p + from;
      const TVector4 t = Tangent(development.placed[static_cast<std::size_t>(p)], from, to);
      const int v = development.vertexOfCorner[static_cast<std::size_t>(corner)];
      for (int i = 0; i < 3; ++i) {
        motion[static_cast<std::size_t>(e) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(3 * v + i)] -=
            Minkowski(development.frame[static_cast<std::size_t>(corner)][static_cast<std::size_t>(i)], t);
      }
    }
  }
  return development.vertices;
}
