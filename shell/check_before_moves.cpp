#include "shell/check_before_moves.h"

#include "foundation/message_box.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "shell/options.h"

namespace {

// Recognition modes of the series that only simplify or only compare: they
// never name the manifold, so they take any thickened or unthickened spine.
constexpr int kSimplifyOnlyMode = 4;
constexpr int kCompareOnlyMode = 5;

struct TCheckCase {
  const char* status;
  const char* message;
  TMessageButtons buttons;
};

const TCheckCase kEmpty{"Unable to build special polyhedron!", "Unable to build special polyhedron!",
                        TMessageButtons::Ok};
const TCheckCase kNotThickened{"Spine is not thickenable. Continue?", "Spine is not thickenable. Continue?",
                               TMessageButtons::YesNo};
const TCheckCase kNotOrientable{"Manifold is not orientable", "Manifold is not orientable, begin simplification?",
                                TMessageButtons::YesNo};
const TCheckCase kBadBoundary{"Recognition is imposible",
                              "Recognition is imposible because Realized algorithm can be applied to manifolds "
                              "whose boundary consists of spheres and tori only",
                              TMessageButtons::Ok};
const TCheckCase kNotConnected{"Spine is not connected", "Spine is not connected, begin simplification?",
                               TMessageButtons::YesNo};

// Where the series differs from the view.
struct TSeriesRules {
  int recognitionMode = 0;
  int boundarySetting = 1;
};

// The first case that applies, or null. series is null for the view.
const TCheckCase* FindCase(TSpine& spine, bool simplifyOnly, const TSeriesRules* series) {
  if (spine.IsEmpty()) return &kEmpty;
  const bool lenientMode = series != nullptr && (series->recognitionMode == kSimplifyOnlyMode ||
                                                 series->recognitionMode == kCompareOnlyMode);
  // Without a thickening the later cases cannot be read.
  if (!spine.IsThickened()) return lenientMode ? nullptr : &kNotThickened;
  const bool orientable = spine.Orientability(1) != 0;
  if (!orientable && !simplifyOnly && !lenientMode) return &kNotOrientable;
  if (orientable) {
    const bool otherSurfaces = spine.CountBoundaries(3) != 0;
    const bool restricted = series != nullptr && series->boundarySetting != 1;
    if (otherSurfaces && !simplifyOnly && (series == nullptr || restricted)) return &kBadBoundary;
    if (restricted) {
      const std::int32_t r = BoundaryRestrictionOfSetting(series->boundarySetting);
      const int tori = spine.CountBoundaries(2);
      if ((r >= 0 && tori != r) || (r == -1 && tori == 0) || otherSurfaces) return &kBadBoundary;
    }
  }
  if (spine.Next() != nullptr) return &kNotConnected;
  return nullptr;
}

}  // namespace

int CheckBeforeMoves(TSpine& spine, bool transformed, bool simplifyOnly, std::string* status) {
  if (transformed) return 1;
  const TCheckCase* found = FindCase(spine, simplifyOnly, nullptr);
  if (found == nullptr) return 1;
  ShowStatusText(found->status);
  if (status != nullptr) *status = found->status;
  const TMessageResult answer = ShowMessageBox(found->message, found->buttons, TMessageIcon::Question);
  return found->buttons == TMessageButtons::YesNo && answer == TMessageResult::Yes ? 1 : 0;
}

int CheckBeforeSeriesMoves(TSpine& spine, const TOptionValues& options, bool simplifyOnly, TOutput* output,
                           std::string* status) {
  TSeriesRules rules;
  rules.recognitionMode = options.EnumerationOfManifoldsRecognitionMode;
  rules.boundarySetting = options.EnumerationOfManifoldsRestrictionOnBoundary;
  const TCheckCase* found = FindCase(spine, simplifyOnly, &rules);
  if (found == nullptr) return 1;
  ShowStatusText(found->status);
  if (status != nullptr) *status = found->status;
  if (output != nullptr && StatusSuppressionCount() == 0) {
    output->AppendText(found->status);
    output->NewLines(1);
  }
  return 0;
}
