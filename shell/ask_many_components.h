// The question before a computation whose time grows fast with the number of
// 2-components of the spine (Turaev-Viro invariants, the surface search).
#pragma once

#include "foundation/message_box.h"

// Asks whether to go on with count 2-components (OK or Cancel) and clears the
// status line. Returns the answer.
TMessageResult AskManyComponents(unsigned count);
