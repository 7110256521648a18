#include "invariants/spine_cell_table.h"

#include <unordered_map>

#include "model/cell.h"
#include "model/object_header.h"
#include "model/spine.h"

int TSpineCellTable::Load(const TSpine& spine) {
  records_.clear();
  const TObjectManager& objects = spine.Objects();
  std::unordered_map<const TObjectHeader*, int> edgeNumbers;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* object = objects.At(i);
    if (object != nullptr && ObjectKind(object) == kEdgeKind) {
      edgeNumbers.emplace(object, static_cast<int>(edgeNumbers.size()) + 1);
    }
  }
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || ObjectKind(cell) != kCellKind) continue;
    TSpineCellRecord record;
    record.number = Count() + 1;
    const int length = TCell::BoundaryLength(cell);
    for (int p = 0; p < length; ++p) {
      int direction = 0;
      const THandle edge = TCell::PassageAt(cell, p, &direction);
      auto found = edgeNumbers.find(edge.Object());
      const int number = found == edgeNumbers.end() ? 0 : found->second;
      record.edges.push_back(direction == 1 ? number : -number);
    }
    records_.push_back(std::move(record));
  }
  return static_cast<int>(edgeNumbers.size());
}

int TSpineCellTable::IndexOf(const TSpineCellRecord* record) const {
  if (records_.empty() || record < records_.data() || record >= records_.data() + records_.size()) {
    return -1;
  }
  return static_cast<int>(record - records_.data());
}
