#include "shell/command_names.h"

#include <charconv>

#include "shell/command_table.h"
#include "shell/document_commands.h"

std::string CommandLineName(std::string_view caption) {
  caption = caption.substr(0, caption.find('\t'));
  std::string name;
  bool blankPending = false;
  for (char c : caption) {
    if (c == '&' || c == '.') continue;
    if (c == ' ' || c == '\t') {
      blankPending = !name.empty();
      continue;
    }
    if (blankPending) name += '-';
    blankPending = false;
    name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name;
}

std::string CommandMenuPath(int id) {
  const TCommand* command = FindCommand(id);
  if (command == nullptr) return {};
  std::string path;
  for (std::string_view part : command->path) {
    if (part.empty()) break;
    if (!path.empty()) path += " > ";
    for (char c : part) {
      if (c != '&') path += c;
    }
  }
  return path;
}

std::string_view CaptionlessCommandName(int id) {
  switch (id) {
    case 22:
      return "boundary-groups";
    case 26:
      return "dw-invariants";
    default:
      return {};
  }
}

std::vector<TNamedCommand> NamedCommands(int commandSet) {
  std::vector<TNamedCommand> named;
  for (const TCommand& command : Commands()) {
    if (!CommandInSet(command, commandSet)) continue;
    if (command.caption.empty()) {
      const std::string_view name = CaptionlessCommandName(command.id);
      if (!name.empty()) named.push_back({std::string(name), command.id});
      continue;
    }
    named.push_back({CommandLineName(CommandCaption(command, commandSet)), command.id});
  }
  return named;
}

TCommandLookup LookupCommand(std::string_view nameOrId, int commandSet) {
  TCommandLookup lookup;
  int id = 0;
  auto [end, error] = std::from_chars(nameOrId.data(), nameOrId.data() + nameOrId.size(), id);
  if (!nameOrId.empty() && error == std::errc() && end == nameOrId.data() + nameOrId.size()) {
    const TCommand* command = FindCommand(id);
    if (command != nullptr &&
        (!command->caption.empty() || !CaptionlessCommandName(id).empty()) &&
        CommandInSet(*command, commandSet)) {
      lookup.status = TCommandLookupStatus::Found;
      lookup.id = id;
    }
    return lookup;
  }
  for (const TNamedCommand& command : NamedCommands(commandSet)) {
    if (command.name == nameOrId) lookup.candidates.push_back(command.id);
  }
  if (lookup.candidates.size() == 1) {
    lookup.status = TCommandLookupStatus::Found;
    lookup.id = lookup.candidates.front();
    lookup.candidates.clear();
  } else if (lookup.candidates.size() > 1) {
    lookup.status = TCommandLookupStatus::Ambiguous;
  }
  return lookup;
}

std::vector<TNamedCommand> CommandLineCommands(const TDocumentCommands& commands, int commandSet) {
  const std::vector<TNamedCommand> everyCommand = NamedCommands(commandSet);
  std::vector<TNamedCommand> named;
  for (const TNamedCommand& command : everyCommand) {
    if (!commands.Has(command.id)) continue;
    TNamedCommand entry = command;
    const TCommand* row = FindCommand(command.id);
    if (row != nullptr && row->path[0] == "&View") {
      for (const TNamedCommand& other : everyCommand) {
        if (other.id != command.id && other.name == command.name) {
          entry.name = "view-" + command.name;
          break;
        }
      }
    }
    named.push_back(std::move(entry));
  }
  return named;
}

int FindCommandLineCommand(const TDocumentCommands& commands, int commandSet,
                           std::string_view nameOrId) {
  int id = 0;
  auto [end, error] = std::from_chars(nameOrId.data(), nameOrId.data() + nameOrId.size(), id);
  const bool isId =
      !nameOrId.empty() && error == std::errc() && end == nameOrId.data() + nameOrId.size();
  for (const TNamedCommand& command : CommandLineCommands(commands, commandSet)) {
    if (isId ? command.id == id : command.name == nameOrId) return command.id;
  }
  return 0;
}
