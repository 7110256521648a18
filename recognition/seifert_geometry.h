// The geometry of a closed Seifert fibred piece.
//
// With base orbifold Euler characteristic chi_orb = chi - sum (1 - 1/a_i)
// and Euler number e = sum b_i / a_i of the fibration, the geometry is
//   chi_orb > 0: S^2xR (e = 0) or elliptic (e != 0);
//   chi_orb = 0: flat (e = 0) or Nil (e != 0);
//   chi_orb < 0: H^2xR (e = 0) or SL_2R (e != 0).
// Both are computed over the common denominator A = product of the a_i, as
// X = A chi - sum (A - A/a_i) and E = sum b_i A / a_i. A grows without bound
// with the number of fibres, so the sums are exact big integers.
#pragma once

#include "model/object_header.h"
#include "recognition/fibres.h"

// Geometry codes (word 9 of a piece code).
enum : int {
  kGeometryUnknown = 0,
  kGeometryNongeometric = 1,
  kGeometryS2xR = 2,
  kGeometryFlat = 3,
  kGeometryH2xR = 4,
  kGeometryElliptic = 5,
  kGeometryNil = 6,
  kGeometrySL2R = 7,
  kGeometrySol = 8,
  kGeometryHyperbolic = 9,
};

// The geometry code (2 to 7) of the fibres over a base of Euler
// characteristic chi; 0 when some a_i is 0 (the piece is reducible and has
// no geometry of this kind).
int SeifertGeometry(const TFibreRows& rows, int chi);
// The same for a molecule vertex's pairs and base.
int SeifertGeometryOfVertex(const TObjectHeader* vertex);
