#include "recognition/entry_volume.h"

#include <string>

#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "invariants/hyperbolic/spine_curves_text.h"
#include "model/object_header.h"
#include "model/spine.h"

namespace {
// The engine's limit, as for the Hyperbolic Volume command.
constexpr int kMaxCells = 100;
}  // namespace

int ComputeSpineVolume(TSpine& spine, double& volume) {
  if (spine.IsEmpty() || spine.Next() != nullptr || !spine.IsThickened()) return 0;
  if (spine.CountBoundaries(0) != spine.CountBoundaries(1)) return 0;
  if (spine.Objects().CountOfKind(kCellKind) > kMaxCells) return 0;
  const std::string text = SpineCurvesText(spine);
  THyperbolicVolumeEngine engine;
  double value = -1.0;
  if (!engine.HyperbolicVolume(text.c_str(), value)) return 0;
  volume = value;
  return 1;
}
