#include "invariants/normal_surface.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

#include "foundation/digit_counter.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_spine_snapshot.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/quiet_scope.h"

namespace {

class TUnion {
 public:
  explicit TUnion(std::size_t n) : parent_(n), flip_(n, 0) { std::iota(parent_.begin(), parent_.end(), 0); }
  std::size_t Find(std::size_t x, int& flip) {
    flip = 0;
    while (parent_[x] != x) {
      flip ^= flip_[x];
      x = parent_[x];
    }
    return x;
  }
  // false when the parity contradicts what is known.
  bool Join(std::size_t x, std::size_t y, int opposite) {
    int fx = 0;
    int fy = 0;
    const std::size_t rx = Find(x, fx);
    const std::size_t ry = Find(y, fy);
    if (rx == ry) return (fx ^ fy) == opposite;
    parent_[ry] = rx;
    flip_[ry] = fx ^ fy ^ opposite;
    return true;
  }

 private:
  std::vector<std::size_t> parent_;
  std::vector<int> flip_;
};

}  // namespace

void TPlateGluing::Build(TSurfaceSpineSnapshot& snapshot) {
  TSpine thick;
  snapshot.Copy().CopyTo(thick);
  int thickened = 0;
  {
    TQuietScope quiet;
    thickened = thick.IsThickened() ? 1 : thick.Thicken(2);
  }
  if (thickened == 0) throw std::invalid_argument("the spine has no thickening");

  const TObjectManager& objects = thick.Objects();
  std::unordered_map<const TObjectHeader*, int> cellIndex;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* object = objects.At(i);
    if (object != nullptr && ObjectKind(object) == kCellKind) {
      cellIndex.emplace(object, static_cast<int>(cellIndex.size()));
    }
  }
  // Every copy: which cell it belongs to and which side it is.
  std::unordered_map<const TObjectHeader*, std::pair<int, int>> copies;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* thickCell = objects.At(i);
    if (thickCell == nullptr || ObjectKind(thickCell) != kThickCellKind) continue;
    auto found = cellIndex.find(TThickCell::Part(thickCell, 1).Object());
    if (found == cellIndex.end()) continue;
    copies[TThickCell::Part(thickCell, 2).Object()] = {found->second, 1};
    copies[TThickCell::Part(thickCell, 3).Object()] = {found->second, 0};
  }
  const int n = static_cast<int>(cellIndex.size());
  std::vector<std::vector<TPassageSide>> across(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c) {
    const int length = snapshot.Cells().Cell(static_cast<unsigned>(c))->BoundaryLength();
    across[static_cast<std::size_t>(c)].resize(static_cast<std::size_t>(2 * length));
  }
  for (const auto& [copy, owner] : copies) {
    const auto [c, side] = owner;
    const int length = TCell::BoundaryLength(copy);
    if (length != static_cast<int>(across[static_cast<std::size_t>(c)].size() / 2)) {
      throw std::invalid_argument("a copy of a cell that does not follow its word");
    }
    for (int i = 0; i < length; ++i) {
      const THandle edge = TCell::EdgeAt(copy, i);
      // The boundary surface is closed: the side is run along by exactly one
      // other passage of a copy.
      TPassageSide other;
      for (int w = 0; w < TEdge::Valency(edge.Object()); ++w) {
        const TObjectHeader* neighbour = TEdge::CellAt(edge.Object(), w).Object();
        auto owned = copies.find(neighbour);
        if (owned == copies.end()) continue;
        int passage = -1;
        if (neighbour == copy) {
          passage = TCell::FindPassage(neighbour, edge.Object(), i, 0);
          if (passage == i) passage = -1;
        } else {
          passage = TCell::FindPassage(neighbour, edge.Object(), -1, 0);
        }
        if (passage < 0) continue;
        other = {owned->second.first, passage, owned->second.second};
        break;
      }
      if (other.cell < 0) throw std::invalid_argument("a side of the thickening without a neighbour");
      across[static_cast<std::size_t>(c)][static_cast<std::size_t>(2 * i + side)] = other;
    }
  }
  across_ = std::move(across);
  boundaryCount_ = thick.BoundaryCount();
  closedManifold_ = boundaryCount_ == 1 && thick.BoundaryAt(0) != nullptr &&
                    thick.BoundaryAt(0)->SurfaceClass() == 1;
}

TPassageSide TPlateGluing::Across(int cell, int passage, int side) const {
  return across_[static_cast<std::size_t>(cell)][static_cast<std::size_t>(2 * passage + side)];
}

int CornerArcCount(const TSurfaceSpineSnapshot& snapshot, const TPlateGluing& gluing,
                   std::span<const std::uint8_t> plates, int cell, int passage, int side) {
  const TSpineCellRecord& word = *snapshot.Cells().Cell(static_cast<unsigned>(cell));
  const int e = std::abs(word.EdgeAt(passage)) - 1;
  int total = 0;
  for (std::int32_t wing : snapshot.Edges().At(e).cells) {
    total += wing >= 0 ? plates[static_cast<std::size_t>(wing)] : 0;
  }
  const int xa = plates[static_cast<std::size_t>(cell)];
  const int xb = plates[static_cast<std::size_t>(gluing.Across(cell, passage, side).cell)];
  const int twice = xa + xb - (total - xa - xb);
  return twice > 0 && twice % 2 == 0 ? twice / 2 : 0;
}

TNormalSurfaceShape DescribeNormalSurface(const TSurfaceSpineSnapshot& snapshot,
                                          const TPlateGluing& gluing,
                                          std::span<const std::uint8_t> plates) {
  const int n = snapshot.CellCount();
  const TSpineCellTable& cells = snapshot.Cells();
  // Plates numbered cell by cell; plate corners likewise, plate by plate.
  std::vector<std::size_t> firstPlate(static_cast<std::size_t>(n) + 1, 0);
  std::vector<std::size_t> firstCorner(static_cast<std::size_t>(n) + 1, 0);
  for (int c = 0; c < n; ++c) {
    const std::size_t d = plates[static_cast<std::size_t>(c)];
    const std::size_t length = static_cast<std::size_t>(cells.Cell(static_cast<unsigned>(c))->BoundaryLength());
    firstPlate[static_cast<std::size_t>(c) + 1] = firstPlate[static_cast<std::size_t>(c)] + d;
    firstCorner[static_cast<std::size_t>(c) + 1] = firstCorner[static_cast<std::size_t>(c)] + d * length;
  }
  TUnion platesUnion(firstPlate.back());
  TUnion cornersUnion(firstCorner.back());
  std::vector<int> contradicted(firstPlate.back(), 0);
  TNormalSurfaceShape shape;
  shape.plates = static_cast<int>(firstPlate.back());

  auto edgeTotal = [&](int c, int i) {
    const int e = std::abs(cells.Cell(static_cast<unsigned>(c))->EdgeAt(i)) - 1;
    int total = 0;
    for (std::int32_t wing : snapshot.Edges().At(e).cells) {
      total += wing >= 0 ? plates[static_cast<std::size_t>(wing)] : 0;
    }
    return total;
  };
  // Plate k from the side: top plates count down, bottom plates up.
  auto plateAt = [&](int c, int side, int k) {
    const int d = plates[static_cast<std::size_t>(c)];
    return firstPlate[static_cast<std::size_t>(c)] + static_cast<std::size_t>(side == 1 ? d - 1 - k : k);
  };
  auto corner = [&](int c, std::size_t plate, int i) {
    const int length = cells.Cell(static_cast<unsigned>(c))->BoundaryLength();
    const std::size_t p = plate - firstPlate[static_cast<std::size_t>(c)];
    return firstCorner[static_cast<std::size_t>(c)] + p * static_cast<std::size_t>(length) +
           static_cast<std::size_t>(i % length);
  };

  for (int c = 0; c < n; ++c) {
    const int xa = plates[static_cast<std::size_t>(c)];
    if (xa == 0) continue;
    const TSpineCellRecord& word = *cells.Cell(static_cast<unsigned>(c));
    for (int i = 0; i < word.BoundaryLength(); ++i) {
      for (int side = 0; side < 2; ++side) {
        const TPassageSide other = gluing.Across(c, i, side);
        // Each corner once, from its smaller end.
        const auto key = std::make_tuple(c, i, side);
        if (std::make_tuple(other.cell, other.passage, other.side) < key) continue;
        const int xb = plates[static_cast<std::size_t>(other.cell)];
        const int total = edgeTotal(c, i);
        const int arcs = (xa + xb - (total - xa - xb)) / 2;
        const int da = word.EdgeAt(i) > 0 ? 1 : -1;
        const TSpineCellRecord& otherWord = *cells.Cell(static_cast<unsigned>(other.cell));
        const int db = otherWord.EdgeAt(other.passage) > 0 ? 1 : -1;
        const bool selfCorner = std::make_tuple(other.cell, other.passage, other.side) == key;
        for (int k = 0; k < arcs && !selfCorner; ++k) {
          const std::size_t a = plateAt(c, side, k);
          const std::size_t b = plateAt(other.cell, other.side, k);
          ++shape.edges;
          if (!platesUnion.Join(a, b, da * db > 0 ? 1 : 0)) contradicted[a] = 1;
          // The ends of the arc: the corners of both plates at the edge's
          // first end, and at its second.
          const std::size_t a1 = corner(c, a, da > 0 ? i : i + 1);
          const std::size_t a2 = corner(c, a, da > 0 ? i + 1 : i);
          const std::size_t b1 = corner(other.cell, b, db > 0 ? other.passage : other.passage + 1);
          const std::size_t b2 = corner(other.cell, b, db > 0 ? other.passage + 1 : other.passage);
          cornersUnion.Join(a1, b1, 0);
          cornersUnion.Join(a2, b2, 0);
        }
      }
    }
  }
  // Components in the order of their first plate.
  std::unordered_map<std::size_t, std::size_t> componentOfRoot;
  auto component = [&](std::size_t plate) -> TSurfaceComponent& {
    int flip = 0;
    const std::size_t root = platesUnion.Find(plate, flip);
    auto [at, added] = componentOfRoot.emplace(root, shape.components.size());
    if (added) shape.components.push_back({1, 0});
    return shape.components[at->second];
  };
  for (std::size_t p = 0; p < firstPlate.back(); ++p) {
    TSurfaceComponent& part = component(p);
    if (contradicted[p] != 0) part.orientable = 0;
  }
  // Faces, edges (every passage of a plate is one half of an arc) and
  // vertices (classes of plate corners), per component.
  std::vector<long long> faces(shape.components.size(), 0);
  std::vector<long long> halfEdges(shape.components.size(), 0);
  std::vector<long long> vertices(shape.components.size(), 0);
  std::unordered_map<std::size_t, int> classSize;
  for (int c = 0; c < n; ++c) {
    const int length = cells.Cell(static_cast<unsigned>(c))->BoundaryLength();
    for (std::size_t p = firstPlate[static_cast<std::size_t>(c)]; p < firstPlate[static_cast<std::size_t>(c) + 1]; ++p) {
      int flip = 0;
      const std::size_t slot = componentOfRoot[platesUnion.Find(p, flip)];
      faces[slot] += 1;
      halfEdges[slot] += length;
      for (int i = 0; i < length; ++i) {
        const std::size_t root = cornersUnion.Find(corner(c, p, i), flip);
        if (++classSize[root] == 1) vertices[slot] += 1;
      }
    }
  }
  for (const auto& [root, size] : classSize) {
    if (size != 3) shape.onlyTriangles = false;
  }
  shape.vertices = static_cast<int>(classSize.size());
  for (std::size_t k = 0; k < shape.components.size(); ++k) {
    shape.components[k].euler = static_cast<int>(vertices[k] - halfEdges[k] / 2 + faces[k]);
  }
  return shape;
}
