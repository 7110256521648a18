// The one-line summary of the boundary surfaces of a thickened spine.
#include <algorithm>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "model/spine.h"
#include "model/surface_name.h"

namespace {
constexpr int kBoundaryCountText = 3023;
}  // namespace

void TSpine::PrintBoundarySummary(TOutput& output, TSpine& spine) {
  int count = spine.BoundaryCount();
  TString header;
  header.SetHeap(output.CurrentHeap());
  header.FormatResource(kBoundaryCountText, static_cast<unsigned>(count));
  output.AppendString(header);

  bool spineOrientable = spine.Orientability(2) != 0;
  struct TSurface {
    int euler;
    bool orientable;
  };
  std::vector<TSurface> surfaces;
  int lowest = 2;
  for (int i = 0; i < count; ++i) {
    TComplex* surface = spine.BoundaryAt(i);
    int euler = 0;
    surface->SurfaceClass(&euler);
    surfaces.push_back({euler, spineOrientable || surface->IsOrientableSurface()});
    lowest = std::min(lowest, euler);
  }

  // Every characteristic from 2 down to the lowest one present: a surface that
  // fits no line (odd and counted as orientable) cannot stop the walk.
  for (int n = 2; n >= lowest; --n) {
    for (int orientable = 1; orientable >= 0; --orientable) {
      if (orientable == 1 && n % 2 != 0) continue;
      if (orientable == 0 && spineOrientable) continue;
      auto matching = std::count_if(surfaces.begin(), surfaces.end(), [&](const TSurface& s) {
        return s.euler == n && s.orientable == (orientable == 1);
      });
      if (matching == 0) continue;
      output.AppendText((", " + std::to_string(matching) + " ").c_str());
      PrintSurfaceName(output, orientable, n, 0);
    }
  }
}
