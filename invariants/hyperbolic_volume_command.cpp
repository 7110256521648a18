#include "shell/hyperbolic_volume_command.h"

#include <cstdio>
#include <string>

#include "foundation/stop_poll.h"
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "invariants/hyperbolic/spine_curves_text.h"
#include "model/spine.h"
#include "shell/spine_reports.h"
#include "shell/string_text.h"

namespace {

constexpr int kNotThickenableText = 9840;
constexpr int kOnlySphereBoundaryText = 9841;
constexpr int kTooManyCellsText = 9842;
constexpr int kVolumeText = 9843;
constexpr int kFailedText = 9844;
constexpr int kMaxCells = 100;

void AppendLine(TOutput& output, const std::string& text) {
  output.AppendText(text.c_str());
  output.NewLines(1);
}

}  // namespace

TCommandOutcome RunHyperbolicVolume(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  TDocumentSpine::TScope scope(run.Document());
  try {
    run.Document().EnsureThickened();
    TSpine& spine = run.Spine();
    if (!spine.IsThickened()) {
      AppendLine(run.output, StringText(kNotThickenableText));
      return TCommandOutcome::kRefused;
    }
    if (spine.CountBoundaries(0) != spine.CountBoundaries(1)) {
      AppendLine(run.output, StringText(kOnlySphereBoundaryText));
      return TCommandOutcome::kRefused;
    }
    if (spine.Objects().CountOfKind(kCellKind) > kMaxCells) {
      AppendLine(run.output, StringText(kTooManyCellsText));
      return TCommandOutcome::kRefused;
    }
    const std::string text = SpineCurvesText(spine);
    THyperbolicVolumeEngine engine;
    double volume = -1.0;
    if (!engine.HyperbolicVolume(text.c_str(), volume)) {
      AppendLine(run.output, StringText(kFailedText));
      return TCommandOutcome::kRefused;
    }
    char line[128];
    std::snprintf(line, sizeof line, StringText(kVolumeText).c_str(), volume);
    AppendLine(run.output, line);
    return TCommandOutcome::kDone;
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
}
