#include "invariants/hyperbolic/engine_messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

void TEngineMessages::ToggleVerboseMode() {
  verbose_ = !verbose_;
  Message("Verbose mode is %s .\n", verbose_ ? "on" : "off");
}

void TEngineMessages::Append(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return;
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  text_.append(buffer.data(), static_cast<std::size_t>(length));
}

void TEngineMessages::Message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Append(format, args);
  va_end(args);
}

void TEngineMessages::Warning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Append(format, args);
  va_end(args);
}
