// The state of the lock keys, for the CAPS, NUM and SCRL panes of the status
// bar. Only the X window system tells it; elsewhere (Wayland, the offscreen
// platform of the tests) nothing is known and the panes stay blank.
#pragma once

#include <optional>

struct TLockKeyState {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

std::optional<TLockKeyState> QueryLockKeys();
