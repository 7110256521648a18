#include "invariants/surface_wing_tables.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/vertex.h"

namespace {

std::unordered_map<const TObjectHeader*, std::int32_t> CellPositions(const TSpine& spine) {
  std::unordered_map<const TObjectHeader*, std::int32_t> positions;
  const TObjectManager& objects = spine.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* object = objects.At(i);
    if (object != nullptr && ObjectKind(object) == kCellKind) {
      positions.emplace(object, static_cast<std::int32_t>(positions.size()));
    }
  }
  return positions;
}

}  // namespace

void TEdgeWingTable::Build(const TSpine& spine) {
  const auto positions = CellPositions(spine);
  std::vector<TEdgeWingRecord> records;
  const TObjectManager& objects = spine.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* edge = objects.At(i);
    if (edge == nullptr || ObjectKind(edge) != kEdgeKind) continue;
    const int valency = TEdge::Valency(edge);
    if (valency > 3) throw std::invalid_argument("an edge of valency above 3");
    TEdgeWingRecord record;
    for (int w = 0; w < valency; ++w) {
      auto found = positions.find(TEdge::CellAt(edge, w).Object());
      if (found == positions.end()) throw std::invalid_argument("a wing outside the spine");
      record.cells[static_cast<std::size_t>(w)] = found->second;
    }
    std::sort(record.cells.begin(), record.cells.end(), std::greater<>());
    records.push_back(record);
  }
  records_ = std::move(records);
}

std::string TEdgeWingTable::Dump() const {
  std::string text = "Edges: " + std::to_string(records_.size()) + "\n";
  for (const TEdgeWingRecord& r : records_) {
    text += std::to_string(r.cells[0]) + " " + std::to_string(r.cells[1]) + " " +
            std::to_string(r.cells[2]) + "\n";
  }
  return text;
}

TVertexWingRecord TVertexWingTable::Arrange(const std::array<std::int32_t, 6>& wings) {
  TVertexWingRecord record;
  auto& w = record.cells;
  w = wings;
  const auto largest = static_cast<int>(std::max_element(w.begin(), w.end()) - w.begin());
  if (largest >= 3) {
    // Exchanging the members of two opposite pairs is a symmetry of the
    // tetrahedron (a rotation), so opposite wings stay opposite.
    const int j = ((largest + 1) % 3) + 3;
    std::swap(w[static_cast<std::size_t>(largest)], w[static_cast<std::size_t>(largest - 3)]);
    std::swap(w[static_cast<std::size_t>(j)], w[static_cast<std::size_t>(j - 3)]);
  }
  auto exchange = [&w](std::size_t a, std::size_t b) {
    if (w[a] < w[b]) {
      std::swap(w[a], w[b]);
      std::swap(w[a + 3], w[b + 3]);
    }
  };
  exchange(0, 1);
  exchange(0, 2);
  exchange(1, 2);
  return record;
}

void TVertexWingTable::Build(const TSpine& spine) {
  const TObjectManager& objects = spine.Objects();
  // The neighbourhood test names wing cells by number; the numbers must be
  // the positions plus one for the records to hold positions.
  std::int32_t position = 0;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* object = objects.At(i);
    if (object == nullptr || ObjectKind(object) != kCellKind) continue;
    if (ObjectNumber(object) != position + 1) {
      throw std::invalid_argument("the 2-cells are not numbered 1..n in list order");
    }
    ++position;
  }
  std::vector<TVertexWingRecord> records;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* vertex = objects.At(i);
    if (vertex == nullptr || ObjectKind(vertex) != kVertexKind) continue;
    int numbers[6];
    if (!TVertex::HasSpecialNeighbourhood(vertex, numbers)) {
      throw std::invalid_argument("a vertex that is not special");
    }
    std::array<std::int32_t, 6> wings{};
    for (std::size_t k = 0; k < 6; ++k) wings[k] = numbers[k] - 1;
    records.push_back(Arrange(wings));
  }
  records_ = std::move(records);
}

std::string TVertexWingTable::Dump() const {
  std::string text = "Vertices: " + std::to_string(records_.size()) + "\n";
  for (const TVertexWingRecord& r : records_) {
    for (std::size_t k = 0; k < 6; ++k) {
      text += std::to_string(r.cells[k]);
      text += k == 5 ? "\n" : " ";
    }
  }
  return text;
}
