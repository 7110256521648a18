// The `sorvelin` command-line program: runs the workbench's commands on a
// document text and prints the report the desktop view would show.
//
//   sorvelin [OPTIONS] COMMAND [FILE]
//
// The document is read from FILE, or from standard input when FILE is '-' or
// absent. The report goes to standard output with this platform's line ends;
// status texts and error messages go to standard error.
//
// The command runs in a text view of its own (the same view, commands and
// parse as the desktop program's), and what the view then shows is printed.
// The settings start from the preset of the ordinary computation, then the
// profile (or the file of --ini) is read over them, then the --set overrides.
//
// Exit status: 0 the command ran and gave its result; 1 the document gives no
// spine or the command refused (the report is still printed); 2 usage error or
// unreadable file; 130 stopped by Ctrl+C ("stopped" on standard error, no
// result; a second Ctrl+C ends the program at once).
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/interrupt_handler.h"
#include "foundation/message_box.h"
#include "foundation/stop_flags.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "shell/command_line_info.h"
#include "shell/command_names.h"
#include "shell/command_table.h"
#include "shell/document_commands.h"
#include "shell/examples.h"
#include "shell/options.h"
#include "shell/options_ini.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// "Click Sorvelin|Initial State to restore original text"
constexpr int kRestoreHintId = 9810;

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
         "  --example N       print the built-in example N (1 to 12)\n"
         "  --set KEY=VALUE   override an option of the section \"Options\"\n"
         "  --ini FILE        read the options from FILE instead of the profile\n"
         "                    (~/.config/Sorvelin/Sorvelin.ini)\n"
         "  --reduce N        the command set: 0 full, 1 standard, 2 reduced\n"
         "                    (default: the full set)\n"
         "  --help            show this text\n"
         "  --version         show the program version\n"
         "\n"
         "Exit status: 0 done; 1 no spine or the command refused; 2 usage error or\n"
         "unreadable file; 130 stopped by Ctrl+C.\n";
}

void PrintCommandList(std::ostream& out, int commandSet) {
  for (const TNamedCommand& command :
       CommandLineCommands(BuiltInDocumentCommands(), commandSet)) {
    std::string line = command.name;
    if (line.size() < 32) line.append(32 - line.size(), ' ');
    out << line << ' ' << command.id << '\n';
  }
}

// The value of an option that takes one: "--name VALUE" or "--name=VALUE".
// Returns false when it is missing.
bool OptionArgument(int argc, char** argv, int& i, std::string_view name,
                    std::string_view& value) {
  std::string_view arg = argv[i];
  if (arg.size() > name.size() && arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= argc) return false;
  value = argv[++i];
  return true;
}

bool OptionIs(std::string_view arg, std::string_view name) {
  return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
                         arg[name.size()] == '=');
}

std::optional<int> SmallNumber(std::string_view text) {
  std::optional<std::int64_t> value = ParseOptionInteger(text);
  if (!value || *value < -1000000 || *value > 1000000) return std::nullopt;
  return static_cast<int>(*value);
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
    if (InterruptRequested()) return true;
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
// standard error, one per line. The hint how to leave a report in the window
// means nothing here and is left out.
void ShowStatusOnStandardError(const char* text) {
  if (text == nullptr || *text == '\0') return;
  if (StringTableText(kRestoreHintId) == std::string_view(text)) return;
  std::string line = WithPlatformLineEnds(text);
  std::cerr << line << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  InstallInterruptHandler();

  std::vector<std::string_view> positional;
  std::vector<std::string_view> assignments;
  std::optional<std::string> iniFile;
  int menuMode = 0;
  bool list = false;
  std::optional<int> example;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    std::string_view value;
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      PrintUsage(std::cout);
      return kExitDone;
    } else if (arg == "--version") {
      std::cout << "sorvelin " << SORVELIN_VERSION << "\n";
      return kExitDone;
    } else if (arg == "--list") {
      list = true;
    } else if (OptionIs(arg, "--set")) {
      if (!OptionArgument(argc, argv, i, "--set", value)) return UsageError("--set needs KEY=VALUE");
      assignments.push_back(value);
    } else if (OptionIs(arg, "--ini")) {
      if (!OptionArgument(argc, argv, i, "--ini", value) || value.empty()) {
        return UsageError("--ini needs a file name");
      }
      iniFile = std::string(value);
    } else if (OptionIs(arg, "--reduce")) {
      std::optional<int> number;
      if (OptionArgument(argc, argv, i, "--reduce", value)) number = SmallNumber(value);
      if (!number) return UsageError("--reduce needs a number (0 full, 1 standard, 2 reduced set)");
      menuMode = MenuModeOfNumber(*number);
    } else if (OptionIs(arg, "--example")) {
      std::optional<int> number;
      if (OptionArgument(argc, argv, i, "--example", value)) number = SmallNumber(value);
      if (!number) return UsageError("--example needs a number from 1 to 12");
      example = *number;
    } else {
      return UsageError("unknown option '" + std::string(arg) + "'");
    }
  }
  const int commandSet = CommandSetOfMenuMode(menuMode);

  if (example) {
    std::optional<std::string_view> text = ExampleText(*example);
    if (!text) return UsageError("there is no example " + std::to_string(*example) + " (1 to 12)");
    std::string printed = WithPlatformLineEnds(*text);
    std::fwrite(printed.data(), 1, printed.size(), stdout);
    return kExitDone;
  }
  if (list) {
    PrintCommandList(std::cout, commandSet);
    return kExitDone;
  }

  // The settings: the preset of the ordinary computation, the profile over
  // it, then the overrides.
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  {
    std::filesystem::path profile = iniFile ? std::filesystem::path(*iniFile) : DefaultProfilePath();
    if (iniFile && !std::filesystem::exists(profile)) {
      std::cerr << "sorvelin: cannot open '" << *iniFile << "': no such file\n";
      return kExitUsage;
    }
    if (!profile.empty()) {
      TProfileReport report = LoadOptionsProfile(profile, menuMode, options);
      if (!report.ok) {
        std::cerr << "sorvelin: " << report.error << "\n";
        if (iniFile) return kExitUsage;
      }
      for (const TIniDiagnostic& diagnostic : report.diagnostics) {
        std::cerr << "sorvelin: " << profile.string() << ": " << diagnostic.message << "\n";
      }
    }
  }
  for (std::string_view assignment : assignments) {
    std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
      return UsageError("--set needs KEY=VALUE, got '" + std::string(assignment) + "'");
    }
    std::optional<std::string> refused =
        SetOptionFromText(options, assignment.substr(0, equals), assignment.substr(equals + 1));
    if (refused) return UsageError("--set " + std::string(assignment) + ": " + *refused);
  }

  if (positional.empty()) return UsageError("no command given");
  if (positional.size() > 2) {
    return UsageError("unexpected argument '" + std::string(positional[2]) + "'");
  }
  const int commandId = FindCommandLineCommand(BuiltInDocumentCommands(), commandSet, positional[0]);
  if (commandId == 0) {
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
  if (InterruptRequested()) return PrintStoppedAndExitStatus();
  // A document is text; a NUL byte means the file is something else, and the
  // readers would silently stop at it.
  if (document.find('\0') != std::string::npos) {
    std::cerr << "sorvelin: '" << fileName << "' is not a text document (it holds NUL bytes)\n";
    return kExitUsage;
  }

  SetStatusBarSink(ShowStatusOnStandardError);
  // Questions are answered with their default button; the text goes to
  // standard error like every message.
  SetMessageBoxHandler([](std::string_view text, TMessageButtons, TMessageIcon) {
    ShowStatusOnStandardError(std::string(text).c_str());
    return TMessageResult::Ok;
  });

  TCommandResult result = RunCommandOnText(commandId, document, options, &StopFlags().stop);
  const TCommandOutcome outcome = result.outcome;
  // A stopped command prints nothing of its result.
  if (outcome == TCommandOutcome::kStopped || InterruptRequested()) {
    return PrintStoppedAndExitStatus();
  }
  std::string report = WithPlatformLineEnds(result.shown);
  // The view's reports may end inside their last line; a terminal wants it ended.
  if (!report.empty() && report.back() != '\n') report += '\n';
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);

  return outcome == TCommandOutcome::kDone ? kExitDone : kExitRefused;
}
