#include "shell/document_commands.h"

#include "shell/molecule_report.h"

void TDocumentCommands::Set(int id, TDocumentCommand command) {
  if (command) {
    commands_[id] = std::move(command);
  } else {
    commands_.erase(id);
  }
}

const TDocumentCommand* TDocumentCommands::Find(int id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : &it->second;
}

TDocumentCommands BuiltInDocumentCommands() {
  // The report commands register here as their printers are built.
  TDocumentCommands commands;
  commands.Set(40, LabeledMoleculeCommand);
  return commands;
}
