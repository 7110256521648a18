#include "app/cli/standard_streams.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// 0 on success, else errno.
int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

}  // namespace

std::string WriteStandardOutput(std::string_view text) {
  const int error = WriteAll(STDOUT_FILENO, text);
  return error == 0 ? std::string() : std::string(std::strerror(error));
}

void WriteStandardError(std::string_view text) { WriteAll(STDERR_FILENO, text); }
