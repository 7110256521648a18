#include "shell/check_before_moves.h"

#include "foundation/message_box.h"
#include "foundation/status_reporter.h"

namespace {

int Ask(std::string* shown, const char* status, const char* message, TMessageButtons buttons) {
  ShowStatusText(status);
  if (shown != nullptr) *shown = status;
  const TMessageResult answer = ShowMessageBox(message, buttons, TMessageIcon::Question);
  return buttons == TMessageButtons::YesNo && answer == TMessageResult::Yes ? 1 : 0;
}

}  // namespace

int CheckBeforeMoves(TSpine& spine, bool transformed, bool simplifyOnly, std::string* status) {
  if (transformed) return 1;
  if (spine.IsEmpty()) {
    return Ask(status, "Unable to build special polyhedron!", "Unable to build special polyhedron!",
               TMessageButtons::Ok);
  }
  if (!spine.IsThickened()) {
    // Without a thickening the later cases cannot be read.
    return Ask(status, "Spine is not thickenable. Continue?", "Spine is not thickenable. Continue?",
               TMessageButtons::YesNo);
  }
  if (!simplifyOnly && spine.Orientability(1) == 0) {
    return Ask(status, "Manifold is not orientable", "Manifold is not orientable, begin simplification?",
               TMessageButtons::YesNo);
  }
  if (!simplifyOnly && spine.Orientability(1) != 0 && spine.CountBoundaries(3) != 0) {
    return Ask(status, "Recognition is imposible",
               "Recognition is imposible because Realized algorithm can be applied to manifolds "
               "whose boundary consists of spheres and tori only",
               TMessageButtons::Ok);
  }
  if (spine.Next() != nullptr) {
    return Ask(status, "Spine is not connected", "Spine is not connected, begin simplification?",
               TMessageButtons::YesNo);
  }
  return 1;
}
