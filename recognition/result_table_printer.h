// The report that ends a series: the result table with its counts by
// geometry and by type, its entries listed by complexity (each named
// "c_k", the k-th entry of complexity c), the same entries ordered only by
// their parameters, and the source spines of the entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/output.h"
#include "recognition/result_table.h"

struct TResultTableStyle {
  // 1 every typed presentation of an entry is listed, 2 only the first.
  int outputMode = 1;
  // The report ends a series run (entries are named even when there is one).
  bool seriesRun = true;
  // The source spines (entry texts) are listed at the end.
  bool sourceSpines = true;
  // Where each presentation came from (source names, item numbers and
  // graph numbers) is listed after the table.
  bool sourceList = false;
  // The summary lines leave out the balls cut off (the setting
  // EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls).
  bool ignoreAddedBalls = false;
  // The summary lines end with the surfaces found in the entries (the
  // setting EnumerationOfManifoldsSearchForSurfaces).
  bool surfaces = false;
};

// The surfaces of entry i as the summary line shows them ("No surfaces",
// "2 surfaces:S^2,T^2", ...); empty when the entry was not searched.
std::string EntrySurfacesText(const TManifoldTable& table, int i);

// The text of a stored homology (torsion, then zeros for Z): "H_1=Z_5+Z",
// "H_1=0" for the trivial group; empty for none.
std::string HomologyText(const std::vector<std::int32_t>* homology);

// Writes the table. The listing is linear in the number of entries (with a
// pass per complexity); it does not poll the stop flag, so that a stopped
// series can still show the table it has.
void PrintResultTable(TOutput& output, TManifoldTable& table, const TResultTableStyle& style);
