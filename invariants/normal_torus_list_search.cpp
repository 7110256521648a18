#include "invariants/normal_torus_list_search.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "foundation/string_table.h"
#include "invariants/normal_surface.h"
#include "invariants/surface_search.h"
#include "invariants/surface_spine_snapshot.h"
#include "invariants/tubed_boundary.h"
#include "model/spine.h"
#include "moves/simplify_move_list.h"

namespace {

constexpr int kCuttingCaptionId = 3045;  // "Cutting along normal torus"
constexpr int kSearchedPlateDegree = 254;

}  // namespace

TNormalTorusListSearch SearchNormalToriIntoList(TSimplifyMoveList& list, std::uint64_t visitLimit) {
  return SearchNormalTori(list.Component(), list.DefaultIndex() == -1, visitLimit,
                          [&list](std::vector<std::uint8_t> plates, std::string text, bool makeDefault) {
                            list.AddNormalTorus(std::move(plates), std::move(text), makeDefault);
                          });
}

TNormalTorusListSearch SearchNormalTori(TSpine& spine, bool mayChooseDefault, std::uint64_t visitLimit,
                                        const TNormalTorusSink& sink) {
  TNormalTorusListSearch outcome;
  if (spine.IsEmpty() || spine.IsSpecial(2) == 0) {
    outcome.notSpecial = true;
    return outcome;
  }
  // The tables that say how a torus lies against the boundary, built once.
  TSurfaceSpineSnapshot snapshot;
  TPlateGluing gluing;
  try {
    snapshot.Load(spine);
    gluing.Build(snapshot);
  } catch (const std::invalid_argument&) {
    outcome.notSpecial = true;
    return outcome;
  }
  const int boundaryCount = gluing.BoundaryCount();
  const std::vector<TMultiplicityRow> rows =
      boundaryCount > 1 ? BuildCellMultiplicityRows(snapshot) : std::vector<TMultiplicityRow>{};
  const TTubedSurfaceList tubed = boundaryCount > 1 ? FindSurfacesBySides(snapshot.Copy()) : TTubedSurfaceList{};

  const std::string caption(StringTableText(kCuttingCaptionId).value_or(""));
  std::size_t best = 0;
  TSurfaceSearchState state;
  state.variant = 0;
  state.visitLimit = visitLimit;
  while (FindNextNormalTorus(spine, state, kSearchedPlateDegree, boundaryCount > 1 ? &tubed : nullptr)) {
    TFoundSurface surface;
    surface.plates = state.cells;
    surface.quads.assign(state.quads.begin(), state.quads.end());
    surface.components.push_back(TSurfaceComponent{1, 0});
    // A torus with a quadrilateral is never parallel to the boundary itself.
    surface.boundaryRelation =
        ClassifyBoundaryParallel(false, surface.plates, surface.quads, boundaryCount, rows, &tubed);
    // The torus that meets most vertices in quadrilaterals is the likeliest
    // to be essential: it is preselected when nothing else was.
    const auto vertices =
        static_cast<std::size_t>(std::count_if(state.quads.begin(), state.quads.end(), [](auto q) { return q != 0; }));
    const bool makeDefault = mayChooseDefault && vertices > best;
    if (makeDefault) best = vertices;
    sink(state.cells, caption + " " + DescribeFoundSurface(surface, 3), makeDefault);
    ++outcome.found;
    ++state.variant;
  }
  outcome.limitReached = state.limitReached;
  return outcome;
}
