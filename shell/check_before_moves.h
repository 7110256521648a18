// What the view asks before it starts moves on its spine: a spine that is
// empty, not thickened, not orientable, bounded by surfaces other than
// spheres and tori, or not connected is announced, and the user decides
// whether the moves go on.
#pragma once

#include <string>

#include "model/spine.h"

class TOutput;
struct TOptionValues;

// 1 go on, 0 stop. Nothing is checked in the transformed state (the spine
// was checked before its first move). Otherwise the first case that applies
// is shown as the status text and in a message box; the result is 1 exactly
// when the box asked Yes/No and the answer was Yes. simplifyOnly skips the
// orientability and boundary cases (the moves do not recognise). The status
// text of the case goes to *status when given.
int CheckBeforeMoves(TSpine& spine, bool transformed, bool simplifyOnly = false,
                     std::string* status = nullptr);

// The same check for an item of a series, where nobody is asked: 1 go on,
// 0 when a case applies. The series' own settings take part: recognition
// modes 4 and 5 (simplify only, compare only) accept spines that are not
// thickened or not orientable, and the boundary restriction of
// `EnumerationOfManifoldsRestrictionOnBoundary` refuses spines whose tori do
// not match it. The case's status text is reported, and with its line end
// appended to *output when given and status texts are not suppressed.
int CheckBeforeSeriesMoves(TSpine& spine, const TOptionValues& options, bool simplifyOnly = false,
                           TOutput* output = nullptr, std::string* status = nullptr);
