// Point index of a Heegaard arc table. See heegaard_arc_index.h.
#include "presentations/heegaard/heegaard_arc_index.h"

THeegaardArcIndex::THeegaardArcIndex(const TIntMatrix& table) {
  const int rows = static_cast<int>(table.Rows());
  int points = 0;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      const int p = table.Row(r)[c];
      if (p >= points) points = p + 1;
    }
  }
  offsets_.assign(static_cast<std::size_t>(points) + 1, 0);
  auto touches = [&](int r, int c) {
    const int p = table.Row(r)[c];
    return p >= 0 && (c == 0 || table.Row(r)[0] != p);
  };
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      if (touches(r, c)) ++offsets_[table.Row(r)[c] + 1];
    }
  }
  for (int p = 0; p < points; ++p) offsets_[p + 1] += offsets_[p];
  rows_.resize(offsets_.back());
  std::vector<std::int32_t> fill(offsets_.begin(), offsets_.end() - 1);
  // Rows are visited in order, so each point's list comes out ascending.
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      if (touches(r, c)) rows_[fill[table.Row(r)[c]]++] = r;
    }
  }
}

const std::int32_t* THeegaardArcIndex::Begin(int point) const {
  if (point < 0 || point + 1 >= static_cast<int>(offsets_.size())) return nullptr;
  return rows_.data() + offsets_[point];
}

const std::int32_t* THeegaardArcIndex::End(int point) const {
  if (point < 0 || point + 1 >= static_cast<int>(offsets_.size())) return nullptr;
  return rows_.data() + offsets_[point + 1];
}

int THeegaardArcIndex::FirstRow(int point) const {
  const std::int32_t* begin = Begin(point);
  return begin != nullptr && begin != End(point) ? *begin : -1;
}

int THeegaardArcIndex::EndAt(const TIntMatrix& table, int row, int point) {
  if (table.Row(row)[0] == point) return 0;
  if (table.Row(row)[1] == point) return 1;
  return -1;
}
