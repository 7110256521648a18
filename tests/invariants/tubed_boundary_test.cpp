// Tubed boundary surfaces: which spines give a list, and what its vectors are.
#include "invariants/tubed_boundary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/spine.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/parsed_document.h"

namespace {

TEST(TubedBoundary, VectorsCountSidesOnTheUsedSurfaces) {
  // One and two boundary spheres.
  for (const char* signature : {"bkaajj", "cPcbbbqxh", "bkaagb", "cPcbbbahh", "cPcbbbaai"}) {
    TParsed parsed(signature);
    const int cells = parsed.Spine().Objects().CountOfKind(kCellKind);
    const TTubedSurfaceList list = FindSurfacesBySides(parsed.Spine());
    for (const auto& vector : list) {
      ASSERT_EQ(static_cast<int>(vector.size()), cells) << signature;
      EXPECT_LE(*std::max_element(vector.begin(), vector.end()), 2) << signature;
      // A boundary sphere pierced at most once is the sphere itself.
      const bool zeroOrTwo =
          std::all_of(vector.begin(), vector.end(), [](auto d) { return d == 0 || d == 2; });
      EXPECT_FALSE(zeroOrTwo && std::count(vector.begin(), vector.end(), 0) <= 1) << signature;
      EXPECT_TRUE(IsTubedSurface(list, vector));
    }
  }
  // Two boundary spheres joined by a tube through a cell are listed.
  for (const char* signature : {"bkaagb", "cPcbbbahh"}) {
    TParsed parsed(signature);
    EXPECT_FALSE(FindSurfacesBySides(parsed.Spine()).empty()) << signature;
  }
}

TEST(TubedBoundary, NoListWithoutABoundarySphereOrThickening) {
  // An unreadable document gives an empty spine: nothing to pierce.
  TSpine empty;
  EXPECT_TRUE(FindSurfacesBySides(empty).empty());
  EXPECT_FALSE(IsTubedSurface({}, {}));
  EXPECT_FALSE(IsTubedSurface({{3, 0}}, {3, 0}));  // above degree 2: never a tube
}

}  // namespace
