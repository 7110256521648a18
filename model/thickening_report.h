// What a thickening run records about the 2-cells that could not be thickened.
#pragma once

#include <vector>

struct TThickeningCellEntry {
  int failed = 0;          // 1 when the cell's copies could not be built
  int cellNumber = -1;     // the cell's primary number
  int boundaryLength = 0;  // the length of its boundary word
};

struct TThickeningReport {
  // -1 while the vertex and edge checks have not been passed (no cell was
  // examined); then the number of cells that failed.
  int failedCount = -1;
  // One entry per 2-cell, in the spine's order.
  std::vector<TThickeningCellEntry> cells;
};
