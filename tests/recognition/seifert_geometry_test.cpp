#include <gtest/gtest.h>

#include "recognition/seifert_geometry.h"

TEST(SeifertGeometry, KnownPieces) {
  struct TCase {
    TFibreRows rows;
    int chi;
    int geometry;
  };
  const TCase cases[] = {
      // The Poincare homology sphere.
      {{{2, 1}, {3, 1}, {5, 1}, {1, -1}}, 2, kGeometryElliptic},
      {{{2, 1}, {3, 1}, {6, 1}, {1, -1}}, 2, kGeometryFlat},
      {{{2, 1}, {3, 1}, {7, 1}, {1, -1}}, 2, kGeometrySL2R},
      {{{2, 1}, {2, -1}, {3, 1}, {3, -1}}, 2, kGeometryH2xR},
      // S^2xS^1 and T^3, a Nil manifold over the torus.
      {{{1, 0}}, 2, kGeometryS2xR},
      {{{1, 0}}, 0, kGeometryFlat},
      {{{1, 1}}, 0, kGeometryNil},
      // A negative first component names the same fibre.
      {{{-2, -1}, {3, 1}, {5, 1}, {1, -1}}, 2, kGeometryElliptic},
      // A zero pair has no geometry here.
      {{{0, 1}, {2, 1}}, 2, kGeometryUnknown},
  };
  for (const TCase& c : cases) EXPECT_EQ(SeifertGeometry(c.rows, c.chi), c.geometry) << c.rows.size();
}

// The product of the multiplicities passes 2^64 here; e = 0 exactly and the
// orbifold characteristic is negative.
TEST(SeifertGeometry, LargeMultiplicitiesStayExact) {
  const int p = 1048573;  // primes just below 2^20
  const int q = 1048571;
  const TFibreRows rows{{p, 1}, {p, p - 1}, {q, 1}, {q, q - 1}, {1, -2}};
  EXPECT_EQ(SeifertGeometry(rows, 2), kGeometryH2xR);
  const TFibreRows twisted{{p, 1}, {p, p - 1}, {q, 1}, {q, q - 1}, {1, -1}};
  EXPECT_EQ(SeifertGeometry(twisted, 2), kGeometrySL2R);
}
