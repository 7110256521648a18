// The numeric kernel of the hyperbolic volume engine.
//
// The dihedral angles of a hyperbolic tetrahedron follow from its Gram
// matrix: with G_ij = -cosh l_ij, the angle at edge k is the arc tangent of
// sqrt(D sinh^2 l_k) over the cofactor C_k, D the Gram determinant, expressed
// here as polynomials in the parameters x = cosh l - 1 so that near-ideal
// tetrahedra (x of order 1e12) keep their precision. The angles of an ideal
// tetrahedron are those of the Euclidean triangle whose squared sides are the
// products of opposite decorations (Penner's lambda lengths).
//
// The Lobachevsky function is evaluated by its power series
//   Lambda(t pi) = t pi (1 - log|2 t pi| + sum_q zeta(2q) t^(2q) / (q (2q + 1)))
// for t in [-1/2, 1/2]; 32 terms give full double precision there.
#include "invariants/hyperbolic/tetrahedron_formulas.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// The coefficients (-1)^(q+1) zeta(2q) / (q (2q + 1)) of the series in t,
// from the recursion B(q) = A(q) - sum_p B(q - p) A(p) / (2p + 1) over
// A(k) = pi^(2k) / (2k)!: B(q) / (2q (2q + 1)) is the stored coefficient.
struct TLobachevskyCoefficients {
  double c[33] = {};
  TLobachevskyCoefficients() {
    double a[33];
    double factorial = 1.0;
    for (int k = 0; k <= 32; ++k) {
      if (k > 0) factorial *= (2.0 * k - 1.0) * (2.0 * k);
      a[k] = std::pow(kPi, 2.0 * k) / factorial;
    }
    double b[33];
    b[0] = 1.0;
    for (int q = 1; q <= 32; ++q) {
      double sum = a[q];
      for (int p = 1; p <= q; ++p) sum -= b[q - p] * a[p] / (2.0 * p + 1.0);
      b[q] = sum;
      c[q] = b[q] / (2.0 * q * (2.0 * q + 1.0));
    }
  }
};

const TLobachevskyCoefficients& Coefficients() {
  static const TLobachevskyCoefficients coefficients;  // immutable after construction
  return coefficients;
}

}  // namespace

double TriangleQuantity(double a, double b, double c) {
  return a * (2.0 * (b + c + b * c) - a) - (b - c) * (b - c);
}

double IdealTriangleQuantity(double a, double b, double c) {
  return a * (2.0 * (b + c) - a) - (b - c) * (b - c);
}

bool FaceQuantities(const TTetrahedronParameters& x, std::array<double, 4>& f) {
  f[0] = TriangleQuantity(x[0], x[2], x[4]);
  f[1] = TriangleQuantity(x[0], x[3], x[5]);
  f[2] = TriangleQuantity(x[1], x[2], x[5]);
  f[3] = TriangleQuantity(x[1], x[3], x[4]);
  return f[0] > 0 && f[1] > 0 && f[2] > 0 && f[3] > 0;
}

double TetrahedronDeterminant(const TTetrahedronParameters& x) {
  const double p01 = x[0] * x[1], p23 = x[2] * x[3], p45 = x[4] * x[5];
  const double s01 = x[0] + x[1], s23 = x[2] + x[3], s45 = x[4] + x[5];
  const double d = (p01 + 2 * s01) * (p23 - p01 + p45) + (p23 + 2 * s23) * (p01 + p45 - p23) +
                   (p45 + 2 * s45) * (p23 + p01 - p45) -
                   2 * (x[0] * (x[2] * x[4] + x[3] * x[5]) + x[1] * (x[2] * x[5] + x[3] * x[4]));
  if ((d > 0 && x[0] > 0) || (d < 0 && x[0] < 0)) return d;
  return 0.0;
}

namespace {

void Cofactors(const TTetrahedronParameters& x, std::array<double, 6>& c, bool ideal) {
  const double p01 = x[0] * x[1], p23 = x[2] * x[3], p45 = x[4] * x[5];
  const double s01 = x[0] + x[1], s23 = x[2] + x[3], s45 = x[4] + x[5];
  const double m = s23 - s01 + s45, v = s01 + s45 - s23, d = s23 + s01 - s45;
  const double u = ideal ? 0.0 : p23 - p01 + p45;
  const double w = ideal ? 0.0 : p01 + p45 - p23;
  const double o = ideal ? 0.0 : p23 + p01 - p45;
  c[0] = x[0] * (m - x[1] + u) + (x[2] - x[4]) * (x[3] - x[5]);
  c[1] = x[1] * (u + m - x[0]) + (x[2] - x[5]) * (x[3] - x[4]);
  c[2] = x[2] * (v - x[3] + w) + (x[4] - x[0]) * (x[5] - x[1]);
  c[3] = x[3] * (w + v - x[2]) + (x[4] - x[1]) * (x[5] - x[0]);
  c[4] = x[4] * (d - x[5] + o) + (x[0] - x[2]) * (x[1] - x[3]);
  c[5] = x[5] * (o + d - x[4]) + (x[0] - x[3]) * (x[1] - x[2]);
}

}  // namespace

void AngleCofactors(const TTetrahedronParameters& x, std::array<double, 6>& c) {
  Cofactors(x, c, false);
}

void IdealAngleCofactors(const TTetrahedronParameters& x, std::array<double, 6>& c) {
  Cofactors(x, c, true);
}

bool ParametersHaveOneSign(const TTetrahedronParameters& x) {
  int positive = 0, negative = 0;
  for (double value : x) {
    if (!(value > -2.0) || value == 0.0) return false;
    (value > 0 ? positive : negative) += 1;
  }
  return positive == 0 || negative == 0;
}

bool TetrahedronAngles(const TTetrahedronParameters& x, TTetrahedronAngles& theta) {
  if (!ParametersHaveOneSign(x)) return false;
  const double d = TetrahedronDeterminant(x);
  if (d == 0.0) return false;
  std::array<double, 4> faces;
  if (!FaceQuantities(x, faces)) return false;
  std::array<double, 6> c;
  AngleCofactors(x, c);
  for (int k = 0; k < 6; ++k) theta[k] = std::atan2(std::sqrt(d * x[k] * (x[k] + 2.0)), c[k]);
  return true;
}

void TetrahedronAngleDerivatives(const TTetrahedronParameters& x, TAngleDerivativeMatrix& m) {
  const double d = TetrahedronDeterminant(x);
  const double s = (d < 0 ? -1.0 : 1.0) * std::sqrt(std::fabs(d));
  std::array<double, 4> f;
  FaceQuantities(x, f);
  std::array<double, 6> c;
  AngleCofactors(x, c);
  double g[3];
  for (int p = 0; p < 3; ++p) g[p] = x[2 * p] + x[2 * p + 1] + x[2 * p] * x[2 * p + 1];
  const double total = g[0] + g[1] + g[2];
  double h[6];
  for (int k = 0; k < 6; ++k) h[k] = std::sqrt(std::fabs(x[k] * (x[k] + 2.0) / s));
  for (auto& row : m) row.fill(0.0);
  // For each edge k and each of its two faces: the face and the two other
  // edges j, i of that face (edges uv, wx, uw, xv, ux, vw = 0..5; faces
  // u, v, w, x = 0..3).
  struct TFaceSide {
    int face, j, i;
  };
  static constexpr TFaceSide kSides[6][2] = {
      {{0, 2, 4}, {1, 3, 5}},  // uv: face u (uw, ux), face v (xv, vw)
      {{2, 2, 5}, {3, 3, 4}},  // wx: face w (uw, vw), face x (xv, ux)
      {{0, 4, 0}, {2, 5, 1}},  // uw: face u (ux, uv), face w (vw, wx)
      {{3, 4, 1}, {1, 5, 0}},  // xv: face x (ux, wx), face v (vw, uv)
      {{0, 0, 2}, {3, 1, 3}},  // ux: face u (uv, uw), face x (wx, xv)
      {{1, 0, 3}, {2, 1, 2}},  // vw: face v (uv, xv), face w (wx, uw)
  };
  double a[6] = {};
  for (int k = 0; k < 6; ++k) {
    for (const TFaceSide& side : kSides[k]) {
      const int j = side.j, i = side.i;
      const double value = -h[k] * h[j] * c[i] / f[side.face];
      m[j][k] = value;
      m[k][j] = value;
      a[k] += (x[i] + x[j] + x[j] * x[i] - x[k]) / f[side.face];
    }
  }
  for (int k = 0; k < 6; ++k) m[k][k] = (a[k] * c[k] + 3.0 * g[k / 2] - total) / s;
  for (int k = 0; k < 6; k += 2) {
    m[k][k + 1] = h[k] * h[k + 1];
    m[k + 1][k] = h[k] * h[k + 1];
  }
}

double FaceAngle(double a, double b, double c) {
  const double t = b + c + b * c - a;
  return std::atan2(std::sqrt(TriangleQuantity(a, b, c)), a > 0 ? t : -t);
}

bool IdealAngles(double p01, double p23, double p45, std::array<double, 3>& alpha,
                 std::array<std::array<double, 3>, 3>* m) {
  const double q = IdealTriangleQuantity(p01, p23, p45);
  if (!(q > 0)) return false;
  const double f = std::sqrt(q);
  alpha[0] = std::atan2(f, p23 + p45 - p01);
  alpha[1] = std::atan2(f, p01 + p45 - p23);
  alpha[2] = std::atan2(f, p01 + p23 - p45);
  if (m != nullptr) {
    auto& r = *m;
    r[0][0] = p01 / f;
    r[1][1] = p23 / f;
    r[2][2] = p45 / f;
    r[0][1] = r[1][0] = (p45 - p01 - p23) / (2 * f);
    r[0][2] = r[2][0] = (p23 - p45 - p01) / (2 * f);
    r[1][2] = r[2][1] = (p01 - p23 - p45) / (2 * f);
  }
  return true;
}

double Lobachevsky(double theta) {
  const double t = theta / kPi - std::floor(theta / kPi + 0.5);
  if (t == 0.0) return 0.0;
  const double* c = Coefficients().c;
  const double t2 = t * t;
  double r = 0.0;
  for (int q = 32; q >= 1; --q) r = (c[q] - r) * t2;
  return t * kPi * (1.0 - std::log(std::fabs(2.0 * t * kPi)) + r);
}

double EdgeLength(double x) {
  if (x > 0) return 2.0 * std::log(std::sqrt(x / 2.0) + std::sqrt(x / 2.0 + 1.0));
  return 2.0 * std::asin(std::sqrt(-x / 2.0));
}
