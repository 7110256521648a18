// The text the hyperbolic volume engine reads, written from a spine.
#pragma once

#include <string>

class TSpine;

// The boundary curves of the spine's 2-cells, each ended by "z", written
// from a renumbered copy so that edge numbers run 1, 2, ... whatever moves
// did to the spine. Runs in the caller's heap context. Cost: linear.
std::string SpineCurvesText(const TSpine& spine);
