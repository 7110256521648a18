// What the view asks before it starts moves on its spine: a spine that is
// empty, not thickened, not orientable, bounded by surfaces other than
// spheres and tori, or not connected is announced, and the user decides
// whether the moves go on.
#pragma once

#include <string>

#include "model/spine.h"

// 1 go on, 0 stop. Nothing is checked in the transformed state (the spine
// was checked before its first move). Otherwise the first case that applies
// is shown as the status text and in a message box; the result is 1 exactly
// when the box asked Yes/No and the answer was Yes. simplifyOnly skips the
// orientability and boundary cases (the moves do not recognise). The status
// text of the case goes to *status when given.
int CheckBeforeMoves(TSpine& spine, bool transformed, bool simplifyOnly = false,
                     std::string* status = nullptr);
