// The texts of one run of the hyperbolic volume engine.
//
// The engine forms its warnings, parse errors and progress lines printf-style
// and appends them here, in a growable text that belongs to the engine object
// of one computation (no process-wide printer). Progress lines are formed
// only in verbose mode.
#pragma once

#include <string>

class TEngineMessages {
 public:
  bool Verbose() const { return verbose_; }
  void SetVerbose(bool verbose) { verbose_ = verbose; }
  // Flips the verbose mode and says so ("Verbose mode is on .").
  void ToggleVerboseMode();

  // Appends a formatted text (printf conventions).
  void Message(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void Warning(const char* format, ...) __attribute__((format(printf, 2, 3)));

  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  void Append(const char* format, __builtin_va_list args);
  std::string text_;
  bool verbose_ = false;
};
