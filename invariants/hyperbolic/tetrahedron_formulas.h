// Closed-form quantities of one hyperbolic tetrahedron, and the Lobachevsky
// function, for the hyperbolic volume engine.
//
// A tetrahedron is described by its six edge parameters x = cosh l - 1 (l the
// edge length), so that x + 1 = cosh l and x (x + 2) = sinh^2 l; values in
// (-2, 0) describe spherical tetrahedra (x = cos l - 1). The parameters are
// listed in the local edge order uv, wx, uw, xv, ux, vw of the engine's darts
// (triangulation_store.h): opposite edges are (x0, x1), (x2, x3), (x4, x5).
// Face u holds x0, x2, x4; face v x0, x3, x5; face w x1, x2, x5; face x
// x1, x3, x4. All functions are pure and approximate (doubles).
#pragma once

#include <array>

using TTetrahedronParameters = std::array<double, 6>;
using TTetrahedronAngles = std::array<double, 6>;
using TAngleDerivativeMatrix = std::array<std::array<double, 6>, 6>;

// K = a (2 (b + c + bc) - a) - (b - c)^2: positive exactly when edges with
// parameters a, b, c bound a non-degenerate triangle.
double TriangleQuantity(double a, double b, double c);
// Q = a (2 (b + c) - a) - (b - c)^2: sixteen times the squared area of the
// Euclidean triangle with squared sides a, b, c.
double IdealTriangleQuantity(double a, double b, double c);
// The four face quantities (u, v, w, x); true when all are positive.
bool FaceQuantities(const TTetrahedronParameters& x, std::array<double, 4>& faces);
// The Gram determinant of the tetrahedron, or 0 when its sign differs from
// the sign of x0 (no tetrahedron of that kind).
double TetrahedronDeterminant(const TTetrahedronParameters& x);
// The cofactors whose arc tangents with the determinant give the angles.
void AngleCofactors(const TTetrahedronParameters& x, std::array<double, 6>& c);
void IdealAngleCofactors(const TTetrahedronParameters& x, std::array<double, 6>& c);
// All six parameters above -2 and non-zero, and all of one sign.
bool ParametersHaveOneSign(const TTetrahedronParameters& x);
// The dihedral angles at the six edges. False (theta untouched) when the
// parameters do not describe a non-degenerate tetrahedron.
bool TetrahedronAngles(const TTetrahedronParameters& x, TTetrahedronAngles& theta);
// The symmetric matrix of derivatives of the dihedral angles with respect to
// the edge lengths. Precondition: TetrahedronAngles(x) succeeds.
void TetrahedronAngleDerivatives(const TTetrahedronParameters& x, TAngleDerivativeMatrix& m);
// The angle between the edges with parameters b and c of a triangle whose
// third edge (opposite that angle) has parameter a.
double FaceAngle(double a, double b, double c);
// The angles of the triangle with squared sides p01, p23, p45 (each opposite
// its own side): the dihedral angles of an ideal tetrahedron whose products of
// opposite decorations are these. False (outputs untouched) when the triangle
// is degenerate. When m is given it receives the derivatives of the angles
// with respect to the logarithms of the three products.
bool IdealAngles(double p01, double p23, double p45, std::array<double, 3>& alpha,
                 std::array<std::array<double, 3>, 3>* m = nullptr);
// Lambda(theta) = -integral_0^theta log|2 sin t| dt, odd and pi-periodic.
double Lobachevsky(double theta);
// The length l with cosh l = 1 + x (x > 0), or the spherical length for x < 0.
double EdgeLength(double x);
