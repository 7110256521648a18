// The `sorvelin` command-line program: runs the workbench's commands on a
// document text and prints the report the desktop view would show.
//
//   sorvelin [OPTIONS] COMMAND [FILE]
//
// The document is read from FILE, or from standard input when FILE is '-' or
// absent. The report goes to standard output with this platform's line ends;
// status texts and error messages go to standard error.
//
// Exit status: 0 the command ran and gave its result; 1 the document gives no
// spine or the command refused (the report is still printed); 2 usage error or
// unreadable file; 130 stopped by Ctrl+C (what was done so far is printed).
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_commands.h"
#include "foundation/status_reporter.h"
#include "shell/options.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 130;

// Set by the SIGINT handler and read by the commands; a lock-free atomic is
// safe to write from a signal handler.
std::atomic<int> gStopRequested{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int) { gStopRequested.store(1); }

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking read returns, so the stop is seen
  sigaction(SIGINT, &action, nullptr);
}

void PrintUsage(std::ostream& out) {
  out << "Usage: sorvelin [OPTIONS] COMMAND [FILE]\n"
         "\n"
         "Reads a document (FILE, or standard input when FILE is '-' or absent),\n"
         "runs COMMAND on it and writes the report to standard output.\n"
         "COMMAND is a menu caption in lower case with blanks as '-' (for example\n"
         "homology-group), or the command's menu id.\n"
         "\n"
         "Options:\n"
         "  --list            list every command with its menu id\n"
         "  --set KEY=VALUE   override an option of the section \"Options\"\n"
         "  --help            show this text\n"
         "  --version         show the program version\n"
         "\n"
         "Exit status: 0 done; 1 no spine or the command refused; 2 usage error or\n"
         "unreadable file; 130 stopped by Ctrl+C.\n";
}

void PrintCommandList(std::ostream& out) {
  for (const TCliCommand& command : CliCommands()) {
    std::string line = command.name;
    if (line.size() < 32) line.append(32 - line.size(), ' ');
    out << line << ' ' << command.menuId << '\n';
  }
}

int UsageError(const std::string& message) {
  std::cerr << "sorvelin: " << message << " (see 'sorvelin --help')\n";
  return kExitUsage;
}

// Reads a whole stream; false on a read error. Stops early (returning true)
// when Ctrl+C is pressed, so the caller can leave with the stop status.
bool ReadAll(int fd, std::string& text) {
  char buffer[65536];
  for (;;) {
    if (gStopRequested.load()) return true;
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      return true;
    } else if (errno != EINTR) {
      return false;
    }
  }
}

// The report with this platform's line ends: the reports are composed with
// CR LF, which a terminal on this system does not want.
std::string WithPlatformLineEnds(std::string_view report) {
  std::string text;
  text.reserve(report.size());
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
    text += report[i];
  }
  return text;
}

// Status texts (what the desktop program shows in its status bar) go to
// standard error, one per line.
void ShowStatusOnStandardError(const char* text) {
  if (text == nullptr || *text == '\0') return;
  std::string line = WithPlatformLineEnds(text);
  std::cerr << line << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  InstallInterruptHandler();

  TOptionValues options;
  std::vector<std::string_view> positional;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      PrintUsage(std::cout);
      return kExitDone;
    } else if (arg == "--version") {
      std::cout << "sorvelin " << SORVELIN_VERSION << "\n";
      return kExitDone;
    } else if (arg == "--list") {
      PrintCommandList(std::cout);
      return kExitDone;
    } else if (arg == "--set" || arg.rfind("--set=", 0) == 0) {
      std::string_view assignment;
      if (arg == "--set") {
        if (i + 1 >= argc) return UsageError("--set needs KEY=VALUE");
        assignment = argv[++i];
      } else {
        assignment = arg.substr(6);
      }
      std::size_t equals = assignment.find('=');
      if (equals == std::string_view::npos) {
        return UsageError("--set needs KEY=VALUE, got '" + std::string(assignment) + "'");
      }
      std::optional<std::string> refused =
          SetOptionFromText(options, assignment.substr(0, equals), assignment.substr(equals + 1));
      if (refused) return UsageError("--set " + std::string(assignment) + ": " + *refused);
    } else {
      return UsageError("unknown option '" + std::string(arg) + "'");
    }
  }

  if (positional.empty()) return UsageError("no command given");
  if (positional.size() > 2) {
    return UsageError("unexpected argument '" + std::string(positional[2]) + "'");
  }
  const TCliCommand* command = FindCliCommand(positional[0]);
  if (command == nullptr) {
    return UsageError("unknown command '" + std::string(positional[0]) +
                      "' ('sorvelin --list' shows the commands)");
  }

  std::string document;
  std::string_view fileName = positional.size() > 1 ? positional[1] : std::string_view("-");
  if (fileName == "-") {
    if (!ReadAll(STDIN_FILENO, document)) {
      std::cerr << "sorvelin: cannot read standard input: " << std::strerror(errno) << "\n";
      return kExitUsage;
    }
  } else {
    std::string path(fileName);
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
      std::cerr << "sorvelin: cannot open '" << path << "': " << std::strerror(errno) << "\n";
      return kExitUsage;
    }
    bool ok = ReadAll(fd, document);
    int readError = errno;
    close(fd);
    if (!ok) {
      std::cerr << "sorvelin: cannot read '" << path << "': " << std::strerror(readError) << "\n";
      return kExitUsage;
    }
  }
  if (gStopRequested.load()) return kExitStopped;
  // A document is text; a NUL byte means the file is something else, and the
  // readers would silently stop at it.
  if (document.find('\0') != std::string::npos) {
    std::cerr << "sorvelin: '" << fileName << "' is not a text document (it holds NUL bytes)\n";
    return kExitUsage;
  }

  SetStatusBarSink(ShowStatusOnStandardError);
  TCliRun run{document, &options, &gStopRequested, {}};
  TCliOutcome outcome = command->run(run);
  std::string report = WithPlatformLineEnds(run.report);
  // The view's reports may end inside their last line; a terminal wants it ended.
  if (!report.empty() && report.back() != '\n') report += '\n';
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);

  if (outcome == TCliOutcome::kStopped || gStopRequested.load()) return kExitStopped;
  return outcome == TCliOutcome::kDone ? kExitDone : kExitRefused;
}
