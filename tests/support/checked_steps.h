// Runs of automatic steps in move tests, with the spine checker after each.
#pragma once

#include <utility>
#include <vector>

#include "moves/step_loop.h"

class TSpine;
class TSpineChecker;

// Makes up to maxSteps automatic steps, the first one the given choice (an
// empty choice lets the step choose), each on the first component of the
// chain that moves (as the step commands do), and checks the spine after every step
// that did something (homology may change: cuttings and piercings are among
// them). Returns the number of steps that did something, when one does nothing.
int MakeCheckedSteps(TSpine& spine, TSpineChecker& checker, TMoveChoice first, int maxSteps);

// The meridians (pairs of coordinates) of the solid-torus atoms of the
// labeled molecule of the spine's chain, in table order.
std::vector<std::pair<int, int>> SolidTorusMeridians(TSpine& spine);
