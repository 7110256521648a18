#include "invariants/hyperbolic/face_retriangulation.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "foundation/stop_poll.h"

namespace {

constexpr double kPi = std::numbers::pi;
// The four faces of a tetrahedron, each as the first dart with that tail.
constexpr int kFaceDarts[4] = {0, 1, 2, 3};

// The face values of every live tetrahedron, by id and face letter.
std::vector<double> AllFaceValues(const TTriangulationStore& store) {
  std::vector<double> values(static_cast<std::size_t>(4 * store.IdCapacity()), 0.0);
  for (int p = 0; p < store.TetrahedronCount(); ++p) {
    const int base = store.TetrahedronDart(p);
    const std::array<double, 4> f = FaceValues(store.TetrahedronParameters(base));
    for (int k = 0; k < 4; ++k) values[static_cast<std::size_t>(base / 3 + k)] = f[static_cast<std::size_t>(k)];
  }
  return values;
}

double FaceValueOf(const std::vector<double>& values, int dart) {
  return values[static_cast<std::size_t>(4 * (dart / 12) + DartTail(dart))];
}

// The 3-2 move on the edge of dart e when the two tetrahedra it makes are
// valid ones: r has the parameters (P1[1], P0[3], P2[1], P1[3], P0[1], P2[3])
// and s (P1[1], P0[5], P2[1], P1[5], P0[1], P2[5]), P_k read from the k-th
// dart around the edge.
bool ThreeTwoMoveKeepsTetrahedra(const TTriangulationStore& store, int e) {
  const int a0 = e, a1 = store.Next(a0), a2 = store.Next(a1);
  if (a0 / 12 == a1 / 12 || a1 / 12 == a2 / 12 || a0 / 12 == a2 / 12) return false;
  const TTetrahedronParameters p0 = store.TetrahedronParameters(a0), p1 = store.TetrahedronParameters(a1),
                               p2 = store.TetrahedronParameters(a2);
  const TTetrahedronParameters r = {p1[1], p0[3], p2[1], p1[3], p0[1], p2[3]};
  const TTetrahedronParameters s = {p1[1], p0[5], p2[1], p1[5], p0[1], p2[5]};
  TTetrahedronAngles theta;
  return TetrahedronAngles(r, theta) && TetrahedronAngles(s, theta);
}

// The move that improves the negative face of dart a: the edge (a dart of
// it) of a 3-2 move on an edge of the face when one applies with two valid
// tetrahedra, else -1 with the face's own dart when a 2-3 move across it is
// valid (its new edge's parameter in parameter), else -1 and -1.
std::array<int, 2> FaceMove(const TTriangulationStore& store, int a, double& parameter) {
  for (int i = 0, e = a; i < 3; ++i, e = RotateDart(e, 1)) {
    if (store.Edge(store.EdgeOf(e)).order == 3 && ThreeTwoMoveKeepsTetrahedra(store, e)) return {e, -1};
  }
  const int b = store.Next(a) ^ 1;
  if (a / 12 != b / 12 &&
      NewEdgeParameter(store.TetrahedronParameters(a), store.TetrahedronParameters(b), parameter)) {
    return {-1, a};
  }
  return {-1, -1};
}

bool ImproveFace(TTriangulationStore& store, int a) {
  double parameter = 0;
  const std::array<int, 2> move = FaceMove(store, a, parameter);
  if (move[0] >= 0) return store.ThreeTwoMove(move[0]) >= 0;
  if (move[1] < 0) return false;
  const int t = store.TwoThreeMove(move[1]);
  if (t < 0) return false;
  store.Edge(store.EdgeOf(t)).parameter = parameter;
  return true;
}

}  // namespace

std::array<double, 4> FaceValues(const TTetrahedronParameters& x) {
  const double p01 = x[0] * x[1], p23 = x[2] * x[3], p45 = x[4] * x[5];
  const double m = p01 + p23 - p45, o = p01 + p45 - p23, r = p23 + p45 - p01;
  const double t = p01 * (2 * (p23 + p45) - p01) - (p23 - p45) * (p23 - p45);
  const double u = std::copysign(std::sqrt(std::fabs(t)), x[0]);
  return {
      (x[0] * (r - 2 * x[2] * x[4]) + x[2] * o + x[4] * m) / u,
      (x[0] * (r - 2 * x[3] * x[5]) + x[3] * o + x[5] * m) / u,
      (x[5] * m + x[2] * o + x[1] * (r - 2 * x[5] * x[2])) / u,
      (x[4] * m + x[3] * o + x[1] * (r - 2 * x[4] * x[3])) / u,
  };
}

bool NewEdgeParameter(const TTetrahedronParameters& x, const TTetrahedronParameters& y, double& parameter) {
  parameter = 0;
  TTetrahedronAngles tx, ty;
  if (!TetrahedronAngles(x, tx) || !TetrahedronAngles(y, ty)) return false;
  if (!(tx[0] + ty[0] < kPi && tx[2] + ty[4] < kPi && tx[4] + ty[2] < kPi)) return false;
  // The far corners lie on the two triangles hinged at edge 0 (sides x0, x3,
  // x5 and y0, y3, y5) at the dihedral angle tx0 + ty0: the hyperbolic law
  // of cosines across the hinge.
  const double n = x[0] * (x[3] + x[5] + y[3] + y[5] + x[3] * y[3] + x[5] * y[5] - x[0]) + (x[3] - x[5]) * (y[3] - y[5]);
  const double k = TriangleQuantity(x[0], x[3], x[5]) * TriangleQuantity(y[0], y[3], y[5]);
  parameter = (n - std::cos(tx[0] + ty[0]) * std::sqrt(std::fabs(k))) / (x[0] * (x[0] + 2));
  return std::isfinite(parameter);
}

int RetriangulateAlongFaces(TTriangulationStore& store) {
  const int capacity = store.IdCapacity();
  int budget = 2 * store.TetrahedronCount();
  for (;;) {
    ThrowIfStopRequested();
    const std::vector<double> values = AllFaceValues(store);
    int negative = 0;
    bool moved = false;
    TStopPoll poll(256);
    for (int p = 0; p < store.TetrahedronCount() && !moved; ++p) {
      poll.Step();
      for (int face : kFaceDarts) {
        const int a = store.TetrahedronDart(p) + face;
        const int b = store.Next(a) ^ 1;
        if (!(FaceValueOf(values, a) + FaceValueOf(values, b) < 0)) continue;
        ++negative;
        if (budget <= 0 || store.IdCapacity() >= 2 * capacity) {
          store.SortEdgesByOrder();
          return -1;
        }
        if (ImproveFace(store, a)) {
          --budget;
          moved = true;
          break;
        }
      }
    }
    if (!moved) {
      store.SortEdgesByOrder();
      return negative;
    }
  }
}

int CountImprovableFaces(const TTriangulationStore& store) {
  const std::vector<double> values = AllFaceValues(store);
  int count = 0;
  for (int p = 0; p < store.TetrahedronCount(); ++p) {
    ThrowIfStopRequested();
    for (int face : kFaceDarts) {
      const int a = store.TetrahedronDart(p) + face;
      const int b = store.Next(a) ^ 1;
      // Each face once: from the tetrahedron first in the list, or from the
      // smaller letter when both sides are one tetrahedron.
      const int q = store.PositionOf(b);
      if (q < p || (q == p && DartTail(b) < DartTail(a))) continue;
      double parameter = 0;
      if (!(FaceValueOf(values, a) + FaceValueOf(values, b) < 0)) continue;
      const std::array<int, 2> move = FaceMove(store, a, parameter);
      if (move[0] >= 0 || move[1] >= 0) ++count;
    }
  }
  return count;
}
