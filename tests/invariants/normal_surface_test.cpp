// Normal surfaces built by gluing plates: agreement with the plate-degree-1
// surfaces, the vertex count of the dual picture, known surfaces, the
// resumable torus search and the command's limit.
#include "invariants/normal_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_spine_snapshot.h"
#include "model/spine.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/parsed_document.h"

namespace {

constexpr int kNormalSearchCommand = 35;
constexpr const char* kSignatures[] = {"bkaajj",    "cPcbbbqxh",   "cMcabbjaj",
                                       "cPcbbbahh", "dLQbccchhrw", "eLAkbccddemken"};
// A graph manifold: two Seifert pieces over the disc glued along a torus.
constexpr const char* kGraphManifold = "iLLAMMcacddfgghhjkaitpwas";

std::multiset<std::pair<int, int>> Shapes(const std::vector<TSurfaceComponent>& parts) {
  std::multiset<std::pair<int, int>> shapes;
  for (const TSurfaceComponent& part : parts) shapes.emplace(part.orientable, part.euler);
  return shapes;
}

// The plates glued along the thickening give, at degree 1, the surfaces the
// union of whole cells gives.
TEST(NormalSurface, GluedPlatesAgreeWithDegreeOneSurfaces) {
  for (const char* signature : kSignatures) {
    TParsed parsed(signature);
    TSurfaceSpineSnapshot snapshot;
    snapshot.Load(parsed.Spine());
    TPlateGluing gluing;
    gluing.Build(snapshot);
    const TSurfaceSearchResult found = SearchSpineSurfaces(parsed.Spine());
    for (const TFoundSurface& surface : found.surfaces) {
      const TNormalSurfaceShape shape = DescribeNormalSurface(snapshot, gluing, surface.plates);
      EXPECT_EQ(Shapes(shape.components), Shapes(surface.components)) << signature;
    }
  }
}

// Every normal disc of the dual picture is one vertex of the glued surface:
// at a vertex with opposite-pair sums s1 = s2 >= s3 there are s3 triangles and
// (s1 - s3)/2 quadrilaterals.
TEST(NormalSurface, VerticesAreTheNormalDiscs) {
  for (const char* signature : kSignatures) {
    TParsed parsed(signature);
    const TNormalSurfaceSearchResult result = SearchNormalSurfaces(parsed.Spine(), 3, 200000);
    TSurfaceSpineSnapshot snapshot;
    snapshot.Load(parsed.Spine());
    TPlateGluing gluing;
    gluing.Build(snapshot);
    ASSERT_FALSE(result.surfaces.empty()) << signature;
    for (const TFoundSurface& surface : result.surfaces) {
      long long discs = 0;
      for (int v = 0; v < snapshot.VertexCount(); ++v) {
        const auto& wings = snapshot.Vertices().At(v).cells;
        int smallest = 1 << 30;
        for (std::size_t i = 0; i < 3; ++i) {
          smallest = std::min(smallest, surface.plates[static_cast<std::size_t>(wings[i])] +
                                            surface.plates[static_cast<std::size_t>(wings[i + 3])]);
        }
        discs += smallest + surface.quads[static_cast<std::size_t>(v)];
      }
      const TNormalSurfaceShape shape = DescribeNormalSurface(snapshot, gluing, surface.plates);
      EXPECT_EQ(shape.vertices, discs) << signature;
      // The two corners beside a wing take all its plates.
      for (int c = 0; c < snapshot.CellCount(); ++c) {
        for (int i = 0; i < snapshot.Cells().Cell(static_cast<unsigned>(c))->BoundaryLength(); ++i) {
          EXPECT_EQ(CornerArcCount(snapshot, gluing, surface.plates, c, i, 0) +
                        CornerArcCount(snapshot, gluing, surface.plates, c, i, 1),
                    surface.plates[static_cast<std::size_t>(c)])
              << signature;
        }
      }
      ASSERT_EQ(shape.components.size(), 1u);
      EXPECT_EQ(shape.components[0].euler, shape.vertices - shape.edges + shape.plates);
    }
  }
}

TEST(NormalSurface, KnownSurfacesOfSmallManifolds) {
  // L(4,1): the Klein bottle at degree 1, the torus bounding its twisted
  // I-bundle at degree 2 and the vertex-link sphere (all counts 2).
  TParsed lens("bkaajj");
  const TNormalSurfaceSearchResult found = SearchNormalSurfaces(lens.Spine(), 2, 0);
  ASSERT_EQ(found.surfaces.size(), 3u);
  EXPECT_EQ(found.surfaces[0].plates, (std::vector<std::uint8_t>{1, 0}));
  EXPECT_EQ(Shapes(found.surfaces[0].components), (std::multiset<std::pair<int, int>>{{0, 0}}));
  const TFoundSurface& sphere = found.surfaces.back();
  EXPECT_EQ(sphere.plates, (std::vector<std::uint8_t>{2, 2}));
  EXPECT_EQ(Shapes(sphere.components), (std::multiset<std::pair<int, int>>{{1, 2}}));
  EXPECT_EQ(sphere.boundaryRelation, kBoundaryParallel);
  // S^2 x S^1 has an essential sphere.
  TParsed product("cMcabbjaj");
  const TNormalSurfaceSearchResult more = SearchNormalSurfaces(product.Spine(), 3, 0);
  const bool essentialSphere = std::any_of(more.surfaces.begin(), more.surfaces.end(), [](const TFoundSurface& s) {
    return s.components[0].orientable == 1 && s.components[0].euler == 2 &&
           s.boundaryRelation == kNotBoundaryParallel;
  });
  EXPECT_TRUE(essentialSphere);
}

TEST(NormalSurface, ResumableTorusSearchNeverRepeatsAVector) {
  TParsed parsed(kGraphManifold);
  TSurfaceSearchState state;
  std::set<std::vector<std::uint8_t>> seen;
  for (int find = 0; find < 4; ++find) {
    if (!FindNextNormalTorus(parsed.Spine(), state, 2)) break;
    EXPECT_TRUE(seen.insert(state.cells).second) << "repeated at find " << find;
    EXPECT_TRUE(std::any_of(state.quads.begin(), state.quads.end(), [](auto q) { return q > 0; }));
    // The vector is a connected orientable surface of characteristic 0.
    TSurfaceSpineSnapshot snapshot;
    snapshot.Load(parsed.Spine());
    TPlateGluing gluing;
    gluing.Build(snapshot);
    const TNormalSurfaceShape shape = DescribeNormalSurface(snapshot, gluing, state.cells);
    EXPECT_EQ(Shapes(shape.components), (std::multiset<std::pair<int, int>>{{1, 0}}));
  }
  EXPECT_FALSE(seen.empty());
}

TEST(NormalSurface, CommandEndsAtItsLimitAndSaysSo) {
  TOptionValues options;
  options.NormalSurfacesSearchLimit = 500;
  const TCommandResult result = RunCommandOnText(kNormalSearchCommand, "cPcbbbqxh", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone);
  EXPECT_NE(result.shown.find("Search stopped after 500 vectors"), std::string::npos)
      << result.shown;
  EXPECT_NE(result.shown.find("S(N,0) (0,1,1 ) : (1,1) !!!"), std::string::npos) << result.shown;
  EXPECT_NE(result.shown.find("Source spine: H_1=Z_2+Z_2"), std::string::npos);
  // A stop shows nothing half-done; the torus search stops too.
  RequestStop();
  EXPECT_EQ(RunCommandOnText(kNormalSearchCommand, "cPcbbbqxh", options).outcome,
            TCommandOutcome::kStopped);
  TParsed parsed(kGraphManifold);
  TSurfaceSearchState state;
  EXPECT_THROW(FindNextNormalTorus(parsed.Spine(), state, 2), TComputationStopped);
  EXPECT_TRUE(state.cells.empty());
  StopFlags().stop.store(0);
}

}  // namespace
