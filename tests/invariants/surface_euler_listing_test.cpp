// The listing of one-polygon surfaces by Euler characteristic.
#include "invariants/surface_euler_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/complex.h"
#include "support/complex_builder.h"

namespace {

TEST(SurfaceEulerListing, NamesEachPolygonByItsCharacteristic) {
  struct Row {
    std::vector<std::vector<int>> words;
    const char* shortForm;
    const char* longForm;
  };
  const Row rows[] = {
      // A sphere (a a^-1), a torus (a b a^-1 b^-1), a Klein bottle (a b a^-1 b),
      // a projective plane (a a).
      {{{1, -1}}, " O2", " OrientableChi2"},
      {{{1, 2, -1, -2}}, " O0", " OrientableChi0"},
      {{{1, 2, -1, 2}}, " N0", " Non-orientableChi0"},
      {{{1, 1}}, " N1", " Non-orientableChi1"},
      // Two tori and a projective plane: counts, and chi = 1 before chi = 0.
      {{{1, 2, -1, -2}, {3, 4, -3, -4}, {5, 5}}, " N1 2O0", " Non-orientableChi1 2OrientableChi0"},
      // Genus 2: a b a^-1 b^-1 c d c^-1 d^-1.
      {{{1, 2, -1, -2, 3, 4, -3, -4}}, " O-2", " OrientableChi-2"},
  };
  for (const Row& row : rows) {
    TComplex complex;
    BuildComplexFromWords(complex, row.words);
    EXPECT_EQ(SurfaceEulerCharacteristics(complex, 1), row.shortForm);
    EXPECT_EQ(SurfaceEulerCharacteristics(complex, 2), row.longForm);
  }
  TComplex empty;
  EXPECT_EQ(SurfaceEulerCharacteristics(empty, 1), "");
}

}  // namespace
