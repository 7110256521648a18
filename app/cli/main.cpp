// The `sorvelin` command-line program: runs the workbench's commands on a
// document text and prints the report the desktop view would show.
//
//   sorvelin [OPTIONS] COMMAND [FILE]
//
// The document is read from FILE, or from standard input when FILE is '-' or
// absent. The report goes to standard output with this platform's line ends;
// errors, warnings and the reason of a refusal go to standard error, and so
// do status texts with --verbose. A report that cannot be written is a
// failure (status 1).
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
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Builds with AddressSanitizer check for leaks at exit.
#if defined(__SANITIZE_ADDRESS__)
#define SORVELIN_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORVELIN_LEAK_CHECKED 1
#endif
#endif
#ifndef SORVELIN_LEAK_CHECKED
#define SORVELIN_LEAK_CHECKED 0
#endif

#include "app/cli/progress_line.h"
#include "app/cli/standard_streams.h"
#include "app/cli/interrupt_handler.h"
#include "foundation/message_box.h"
#include "foundation/stop_flags.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "shell/command_line_arguments.h"
#include "shell/command_names.h"
#include "shell/command_table.h"
#include "shell/document_commands.h"
#include "shell/examples.h"
#include "shell/options.h"
#include "shell/options_ini.h"
#include "shell/quoted_text.h"
#include "shell/simplify_dialog_command.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// File names are quoted whole unless absurdly long (other words are cut
// shorter, see shell/quoted_text.h).
constexpr std::size_t kQuotedPathLimit = 1024;

// "Click Sorvelin|Initial State to restore original text"
constexpr int kRestoreHintId = 9810;

std::string UsageText() {
  return "Usage: sorvelin [OPTIONS] COMMAND [FILE]\n"
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
         "  --perform K1,K2   dialog: make the moves of these list entries in turn\n"
         "                    (each number refers to the list after the move before;\n"
         "                    'tori' searches for normal tori and lists them)\n"
         "  --verbose         also show the status texts on standard error\n"
         "  --help            show this text\n"
         "  --version         show the program version\n"
         "\n"
         "Exit status: 0 done; 1 no spine or the command refused; 2 usage error or\n"
         "unreadable file; 130 stopped by Ctrl+C.\n"
         "Options that take the command's place (--list, --example, --version)\n"
         "cannot follow COMMAND.\n";
}

std::string CommandListText(int commandSet) {
  std::string text;
  for (const TNamedCommand& command :
       CommandLineCommands(BuiltInDocumentCommands(), commandSet)) {
    std::string line = command.name;
    if (line.size() < 32) line.append(32 - line.size(), ' ');
    text += line + ' ' + std::to_string(command.id) + '\n';
  }
  return text;
}

int UsageError(const std::string& message) {
  WriteStandardError("sorvelin: " + message + " (see 'sorvelin --help')\n");
  return kExitUsage;
}

// Writes text meant for standard output; a failed write is a failure of the
// run (status 1), said on standard error.
int WriteResult(std::string_view text, int status) {
  const std::string error = WriteStandardOutput(text);
  if (error.empty()) return status;
  WriteStandardError("sorvelin: cannot write the report to standard output: " + error + "\n");
  return kExitRefused;
}

// The settings file's messages: at most this many, then how many more.
constexpr std::size_t kShownDiagnostics = 10;

void ShowDiagnostics(const std::string& file, const std::vector<TIniDiagnostic>& diagnostics) {
  for (std::size_t i = 0; i < diagnostics.size() && i < kShownDiagnostics; ++i) {
    WriteStandardError("sorvelin: " + file + ": " + diagnostics[i].message + "\n");
  }
  if (diagnostics.size() > kShownDiagnostics) {
    WriteStandardError("sorvelin: " + file + ": " +
                       std::to_string(diagnostics.size() - kShownDiagnostics) +
                       " more lines were not used\n");
  }
}

// The reason why the command line has no command of this name: unknown, or
// (when the full set has it) not in the chosen set.
std::string UnknownCommandMessage(std::string_view name, int menuMode) {
  const std::string quoted = "'" + QuotedText(name) + "'";
  if (menuMode != 0 &&
      FindCommandLineCommand(BuiltInDocumentCommands(), CommandSetOfMenuMode(0), name) != 0) {
    return quoted + std::string(" is not in the ") +
           (menuMode == 1 ? "standard" : "reduced") + " command set of --reduce " +
           std::to_string(menuMode) + "; the full set (--reduce 0) has it";
  }
  return "unknown command " + quoted + " ('sorvelin --list' shows the commands)";
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
  WriteStandardError(line + '\n');
}

// The hint how to leave a report in the window means nothing here: a text
// that holds it loses it with the blank lines before it.
std::string WithoutRestoreHint(std::string text) {
  const std::optional<std::string_view> hint = StringTableText(kRestoreHintId);
  if (!hint || hint->empty() || text.find(*hint) == std::string::npos) return text;
  for (std::size_t at = text.find(*hint); at != std::string::npos; at = text.find(*hint)) {
    text.erase(at, hint->size());
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  InstallInterruptHandler();

  const std::vector<std::string_view> words(argv + (argc > 0 ? 1 : argc), argv + argc);
  const TCommandLineArguments arguments = ParseCommandLineArguments(words);
  if (!arguments.error.empty()) return UsageError(arguments.error);
  if (arguments.help) return WriteResult(UsageText(), kExitDone);
  if (arguments.version) {
    return WriteResult(std::string("sorvelin ") + SORVELIN_VERSION + "\n", kExitDone);
  }
  const int menuMode = arguments.menuMode;
  const int commandSet = CommandSetOfMenuMode(menuMode);
  const std::vector<std::string>& positional = arguments.positional;

  if (arguments.example) {
    const int number = *arguments.example;
    std::optional<std::string_view> text = ExampleText(number);
    if (!text) return UsageError("there is no example " + std::to_string(number) + " (1 to 12)");
    return WriteResult(WithPlatformLineEnds(*text), kExitDone);
  }
  if (arguments.list) return WriteResult(CommandListText(commandSet), kExitDone);

  // The settings: the preset of the ordinary computation, the profile over
  // it, then the overrides. The file of --ini is the user's own input, as the
  // overrides are: a line it cannot use is an error. The profile the desktop
  // program keeps only gives warnings.
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  {
    const std::optional<std::string>& iniFile = arguments.iniFile;
    std::filesystem::path profile = iniFile ? std::filesystem::path(*iniFile) : DefaultProfilePath();
    if (iniFile && !std::filesystem::exists(profile)) {
      WriteStandardError("sorvelin: cannot open '" + QuotedText(*iniFile, kQuotedPathLimit) + "': no such file\n");
      return kExitUsage;
    }
    if (!profile.empty()) {
      TProfileReport report = LoadOptionsProfile(profile, menuMode, options);
      if (!report.ok) {
        WriteStandardError("sorvelin: " + report.error + "\n");
        if (iniFile) return kExitUsage;
      }
      ShowDiagnostics(profile.string(), report.diagnostics);
      if (iniFile && !report.diagnostics.empty()) {
        return UsageError("the settings file '" + QuotedText(*iniFile, kQuotedPathLimit) + "' has lines that cannot be used");
      }
    }
  }
  for (const std::string& assignment : arguments.assignments) {
    if (std::optional<std::string> refused = ApplyOptionAssignment(options, assignment)) {
      return UsageError(*refused);
    }
  }

  if (positional.empty()) return UsageError("no command given");
  if (positional.size() > 2) {
    return UsageError("unexpected argument '" + QuotedText(positional[2]) + "'");
  }
  const int commandId = FindCommandLineCommand(BuiltInDocumentCommands(), commandSet, positional[0]);
  if (commandId == 0) return UsageError(UnknownCommandMessage(positional[0], menuMode));

  TDocumentCommands commands = BuiltInDocumentCommands();
  if (arguments.performGiven) {
    if (commandId != kSimplifyDialogCommand) return UsageError("--perform is an option of the command 'dialog' only");
    commands.Set(kSimplifyDialogCommand, [perform = arguments.perform](TCommandRun& run) {
      return RunSimplifyDialog(run, perform);
    });
  }

  std::string document;
  std::string_view fileName = positional.size() > 1 ? positional[1] : std::string_view("-");
  if (fileName == "-") {
    if (!ReadAll(STDIN_FILENO, document)) {
      WriteStandardError(std::string("sorvelin: cannot read standard input: ") +
                         std::strerror(errno) + "\n");
      return kExitUsage;
    }
  } else {
    std::string path(fileName);
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
      WriteStandardError("sorvelin: cannot open '" + QuotedText(path, kQuotedPathLimit) + "': " +
                         std::strerror(errno) + "\n");
      return kExitUsage;
    }
    bool ok = ReadAll(fd, document);
    int readError = errno;
    close(fd);
    if (!ok) {
      WriteStandardError("sorvelin: cannot read '" + QuotedText(path, kQuotedPathLimit) + "': " +
                         std::strerror(readError) + "\n");
      return kExitUsage;
    }
  }
  if (InterruptRequested()) return PrintStoppedAndExitStatus();
  // A document is text; a NUL byte means the file is something else, and the
  // readers would silently stop at it.
  if (document.find('\0') != std::string::npos) {
    WriteStandardError("sorvelin: '" + QuotedText(fileName, kQuotedPathLimit) +
                       "' is not a text document (it holds NUL bytes)\n");
    return kExitUsage;
  }

  if (arguments.verbose) {
    SetStatusBarSink(ShowStatusOnStandardError);
  } else {
    StartProgressLine();
  }
  // Questions are answered with their default button. Their texts go to
  // standard error after the command, unless its refusal says the same.
  std::vector<std::string> boxTexts;
  SetMessageBoxHandler([&boxTexts](std::string_view text, TMessageButtons, TMessageIcon) {
    boxTexts.emplace_back(WithPlatformLineEnds(text));
    return TMessageResult::Ok;
  });

  // The document the command ran on is kept to the end of the process: the
  // operating system takes its memory back at once, where tearing a large
  // spine down object by object costs about as long as building it.
  TKeptDocument kept;
  TCommandResult result =
      RunCommandOnText(commandId, document, options, &StopFlags().stop, commands, &kept);
  const int exitStatus = [&]() -> int {
    EndProgressLine();
    const TCommandOutcome outcome = result.outcome;
    // A stopped series still prints the table of the items it finished.
    if (commandId == kSeriesRunCommand && outcome == TCommandOutcome::kDone && InterruptRequested()) {
      std::string table = WithPlatformLineEnds(result.shown);
      if (!table.empty() && table.back() != '\n') table += '\n';
      WriteResult(table, kExitDone);
      return PrintStoppedAndExitStatus();
    }
    // A stopped command prints nothing of its result.
    if (outcome == TCommandOutcome::kStopped || InterruptRequested()) {
      return PrintStoppedAndExitStatus();
    }
    std::string report = WithPlatformLineEnds(result.shown);
    report = WithoutRestoreHint(std::move(report));
    // The view's reports may end inside their last line; a terminal wants it ended.
    if (!report.empty() && report.back() != '\n') report += '\n';
    const std::string& said = result.message ? report : std::string();
    for (const std::string& text : boxTexts) {
      if (text.empty() || said.find(text) != std::string::npos) continue;
      WriteStandardError(text + '\n');
    }

    const int status = outcome == TCommandOutcome::kDone ? kExitDone : kExitRefused;
    // A refusal that holds only its reason is an error message.
    if (result.message) {
      WriteStandardError(report);
      return status;
    }
    return WriteResult(report, status);
  }();
#if SORVELIN_LEAK_CHECKED
  // Under the leak checker the document is torn down, so that a leak of the
  // command still shows.
  kept.reset();
  return exitStatus;
#else
  std::fflush(nullptr);
  std::_Exit(exitStatus);
#endif
}
