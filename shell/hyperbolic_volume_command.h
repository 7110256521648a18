// The Information menu's Hyperbolic Volume (31): the volume of the closed
// hyperbolic 3-manifold of the document's spine. The spine must thicken, its
// boundary be made of spheres only, and it must have at most 100 cells. The
// body lives with the invariants (invariants/hyperbolic_volume_command.cpp);
// the shell's command table only names it.
#pragma once

#include "shell/document_commands.h"

TCommandOutcome RunHyperbolicVolume(TCommandRun& run);
