// Quiet mode for the length of a scope.
#pragma once

#include "model/spine.h"

// Sets the quiet mode (no messages from thickenings and moves) and restores
// the previous mode on every way out, a stop or an exception included.
class TQuietScope {
 public:
  TQuietScope() : saved_(QuietMode.exchange(1)) {}
  ~TQuietScope() { QuietMode.store(saved_); }
  TQuietScope(const TQuietScope&) = delete;
  TQuietScope& operator=(const TQuietScope&) = delete;

 private:
  int saved_;
};
