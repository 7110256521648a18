#include "app/cli/progress_line.h"

#include <unistd.h>

#include <chrono>
#include <string>

#include "app/cli/standard_streams.h"
#include "foundation/status_reporter.h"

namespace {

// A command that takes longer than this gets a progress line.
constexpr std::chrono::seconds kQuietTime{2};
// The line is cut to fit an ordinary terminal.
constexpr std::size_t kLineWidth = 78;

std::chrono::steady_clock::time_point gStart;
bool gShown = false;

void ShowProgress(const char* text) {
  if (text == nullptr || *text == '\0') return;
  if (std::chrono::steady_clock::now() - gStart < kQuietTime) return;
  std::string line;
  for (const char* c = text; *c != '\0' && line.size() < kLineWidth; ++c) {
    const unsigned char byte = static_cast<unsigned char>(*c);
    line += byte < 0x20 || byte == 0x7f ? ' ' : *c;
  }
  // Carriage return, the text, and "erase to the end of the line".
  WriteStandardError("\r" + line + "\x1b[K");
  gShown = true;
}

}  // namespace

void StartProgressLine() {
  if (isatty(STDERR_FILENO) == 0) return;
  gStart = std::chrono::steady_clock::now();
  SetStatusBarSink(ShowProgress);
}

void EndProgressLine() {
  if (gShown) WriteStandardError("\r\x1b[K");
  gShown = false;
}
