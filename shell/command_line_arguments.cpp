#include "shell/command_line_arguments.h"

#include <algorithm>

#include "shell/quoted_text.h"

namespace {

bool OptionIs(std::string_view argument, std::string_view name) {
  return argument == name || (argument.size() > name.size() &&
                              argument.substr(0, name.size()) == name &&
                              argument[name.size()] == '=');
}

// A number that --reduce or --example takes: a whole number of a few digits.
std::optional<int> SmallNumber(std::string_view text) {
  const std::optional<std::int64_t> value = ParseOptionInteger(text);
  if (!value || *value < -1000000 || *value > 1000000) return std::nullopt;
  return static_cast<int>(*value);
}

class TArgumentReader {
 public:
  explicit TArgumentReader(std::span<const std::string_view> arguments) : arguments_(arguments) {}

  TCommandLineArguments Read() {
    bool optionsEnded = false;
    for (index_ = 0; index_ < arguments_.size() && result_.error.empty(); ++index_) {
      const std::string_view argument = arguments_[index_];
      if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
        result_.positional.emplace_back(argument);
      } else if (argument == "--") {
        optionsEnded = true;
      } else {
        ReadOption(argument);
      }
    }
    return std::move(result_);
  }

 private:
  void ReadOption(std::string_view argument) {
    std::string_view value;
    if (argument == "--help" || argument == "-h") {
      result_.help = true;
    } else if (argument == "--verbose") {
      result_.verbose = true;
    } else if (argument == "--version") {
      InPlaceOfCommand(argument);
      result_.version = true;
    } else if (argument == "--list") {
      InPlaceOfCommand(argument);
      result_.list = true;
    } else if (OptionIs(argument, "--set")) {
      if (!Value(argument, "--set", value)) return Fail("--set needs KEY=VALUE");
      result_.assignments.emplace_back(value);
    } else if (OptionIs(argument, "--ini")) {
      if (!Value(argument, "--ini", value) || value.empty()) return Fail("--ini needs a file name");
      result_.iniFile = std::string(value);
    } else if (OptionIs(argument, "--reduce")) {
      std::optional<int> number;
      if (Value(argument, "--reduce", value)) number = SmallNumber(value);
      if (!number || *number < 0 || *number > 2) {
        std::string message = "--reduce needs 0 (full), 1 (standard) or 2 (reduced command set)";
        if (!value.empty()) message += ", not '" + QuotedText(value) + "'";
        return Fail(std::move(message));
      }
      result_.menuMode = *number;
    } else if (OptionIs(argument, "--perform")) {
      if (!Value(argument, "--perform", value)) return Fail("--perform needs entry numbers K1,K2,...");
      ReadEntryNumbers(value);
    } else if (OptionIs(argument, "--example")) {
      InPlaceOfCommand(argument);
      std::optional<int> number;
      if (Value(argument, "--example", value)) number = SmallNumber(value);
      if (!number) return Fail("--example needs a number from 1 to 12");
      result_.example = *number;
    } else {
      Fail("unknown option '" + QuotedText(argument) + "'");
    }
  }

  // The list of --perform: numbers from 1, or "tori" (the search for
  // normal tori), separated by commas.
  void ReadEntryNumbers(std::string_view value) {
    result_.performGiven = true;
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = std::min(value.find(',', start), value.size());
      const std::string_view token = value.substr(start, comma - start);
      const bool digits = !token.empty() && token.size() <= 9 &&
                          token.find_first_not_of("0123456789") == std::string_view::npos;
      if (token != "tori" && (!digits || token.find_first_not_of('0') == std::string_view::npos)) {
        return Fail("--perform needs entry numbers from 1 separated by commas, not '" +
                    QuotedText(token) + "' in '" + QuotedText(value) + "'");
      }
      result_.perform.emplace_back(token);
      if (comma == value.size()) return;
      start = comma + 1;
    }
  }

  // An option that takes the command's place cannot follow a command.
  void InPlaceOfCommand(std::string_view argument) {
    if (result_.positional.empty()) return;
    Fail("'" + QuotedText(argument.substr(0, argument.find('='))) +
         "' takes the place of a command and cannot follow the command '" +
         QuotedText(result_.positional.front()) + "'");
  }

  // The value of an option that takes one: "--name VALUE" or "--name=VALUE".
  bool Value(std::string_view argument, std::string_view name, std::string_view& value) {
    if (argument.size() > name.size() && argument[name.size()] == '=') {
      value = argument.substr(name.size() + 1);
      return true;
    }
    if (index_ + 1 >= arguments_.size()) return false;
    value = arguments_[++index_];
    return true;
  }

  void Fail(std::string message) {
    if (result_.error.empty()) result_.error = std::move(message);
  }

  std::span<const std::string_view> arguments_;
  std::size_t index_ = 0;
  TCommandLineArguments result_;
};

}  // namespace

TCommandLineArguments ParseCommandLineArguments(std::span<const std::string_view> arguments) {
  return TArgumentReader(arguments).Read();
}

std::optional<std::string> ApplyOptionAssignment(TOptionValues& values,
                                                 std::string_view assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) {
    return "--set needs KEY=VALUE, got '" + QuotedText(assignment) + "'";
  }
  std::optional<std::string> refused =
      SetOptionFromText(values, assignment.substr(0, equals), assignment.substr(equals + 1));
  if (refused) return "--set " + QuotedText(assignment) + ": " + *refused;
  return std::nullopt;
}
