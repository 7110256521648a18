// A special spine as the surface searches and the epsilon invariant see it:
// a renumbered copy (its 2-cells numbered 1..n in list order, so that cell i
// of a counter is the cell numbered i+1), the boundary words of its cells and
// the wing tables of its edges and vertices.
//
// The caller's spine is never changed; the copy is owned here and may be
// thickened by the caller (the surface report asks for its boundary).
#pragma once

#include <memory>

#include "invariants/spine_cell_table.h"
#include "invariants/surface_wing_tables.h"

class TSpine;

class TSurfaceSpineSnapshot {
 public:
  TSurfaceSpineSnapshot();
  ~TSurfaceSpineSnapshot();
  TSurfaceSpineSnapshot(const TSurfaceSpineSnapshot&) = delete;
  TSurfaceSpineSnapshot& operator=(const TSurfaceSpineSnapshot&) = delete;

  // Copies and renumbers the spine (its component only is looked at) and
  // builds the tables. Throws std::invalid_argument when the spine is not
  // special (see TVertexWingTable::Build); the snapshot is then empty.
  void Load(const TSpine& spine);

  TSpine& Copy() { return *copy_; }
  const TSpineCellTable& Cells() const { return cells_; }
  const TEdgeWingTable& Edges() const { return edges_; }
  const TVertexWingTable& Vertices() const { return vertices_; }
  TVertexWingTable& Vertices() { return vertices_; }
  int CellCount() const { return cells_.Count(); }
  int EdgeCount() const { return edges_.Count(); }
  int VertexCount() const { return vertices_.Count(); }

 private:
  std::unique_ptr<TSpine> copy_;
  TSpineCellTable cells_;
  TEdgeWingTable edges_;
  TVertexWingTable vertices_;
};
