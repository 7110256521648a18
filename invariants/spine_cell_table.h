// The numbered 2-cells of a special spine, as the state sums colour them.
//
// A TSpineCellTable lists the spine's 2-cells in the order of its object list
// as TSpineCellRecords numbered 1..F; each record holds the cell's current
// colour and its boundary word as signed edge numbers, the edges numbered
// 1..E in list order whatever the spine's own names and numbers. A passage
// against the edge's direction is negative; a cell that passes an edge twice
// lists it twice. The table is a snapshot: it never refers to the spine again.
#pragma once

#include <cstdint>
#include <vector>

class TSpine;

struct TSpineCellRecord {
  std::int32_t colour = -1;  // set by the state sums
  std::int32_t number = 0;   // 1-based position in the table
  std::vector<std::int32_t> edges;  // signed edge numbers, in boundary order

  int BoundaryLength() const { return static_cast<int>(edges.size()); }
  std::int32_t EdgeAt(int i) const { return edges[static_cast<std::size_t>(i)]; }
};

class TSpineCellTable {
 public:
  // Replaces the table by the 2-cells of the spine (this component only).
  // Returns the number of edges (E); the vertices are not looked at.
  int Load(const TSpine& spine);
  void Clear() { records_.clear(); }
  // Appends a record as it stands (the binary table reader fills a table so).
  void Append(TSpineCellRecord record) { records_.push_back(std::move(record)); }

  int Count() const { return static_cast<int>(records_.size()); }
  // The i-th record (0-based); null out of range.
  TSpineCellRecord* Cell(unsigned i) {
    return i < records_.size() ? &records_[i] : nullptr;
  }
  const TSpineCellRecord* Cell(unsigned i) const {
    return i < records_.size() ? &records_[i] : nullptr;
  }
  // Position of the record in the table; -1 when it is not one of ours.
  int IndexOf(const TSpineCellRecord* record) const;

 private:
  std::vector<TSpineCellRecord> records_;
};
