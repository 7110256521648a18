#include "app/cli/cli_commands.h"

#include <charconv>

#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "shell/command_names.h"
#include "shell/command_table.h"
#include "shell/document_spine.h"
#include "shell/molecule_report.h"
#include "shell/spine_reports.h"

namespace {

// The document's spine, parsed as the view parses it.
struct TParsedRun {
  explicit TParsedRun(const TCliRun& run) {
    std::string text(run.documentText);
    nonEmpty = document.ParseDocumentText(text.c_str(), *run.options);
  }
  TDocumentSpine document;
  int nonEmpty = 0;
};

TCliOutcome Finish(TCliRun& run, TOutput& output, bool refused) {
  run.report.assign(output.Text(), output.TextLength());
  return refused ? TCliOutcome::kRefused : TCliOutcome::kDone;
}

// View: "Boundary &Curves": shows the document as boundary curves of cells.
// A text in that style already stays as it is.
TCliOutcome RunViewBoundaryCurves(TCliRun& run) {
  TDocumentSpine document;
  TOutput output;
  std::string text(run.documentText);
  int converted = ConvertPresentation(document, text.c_str(), kBoundaryCurvesStyle, *run.options,
                                      output);
  if (converted < 0) {
    run.report.assign(run.documentText);
    return TCliOutcome::kRefused;
  }
  if (converted == 0) {
    run.report.assign(run.documentText);
    return TCliOutcome::kDone;
  }
  return Finish(run, output, false);
}

// Information: "Boundary C&urves".
TCliOutcome RunBoundaryCurves(TCliRun& run) {
  TParsedRun parsed(run);
  TOutput output;
  PrintBoundaryCurves(parsed.document, output);
  return Finish(run, output, parsed.nonEmpty == 0);
}

// Information: "&Homology Group".
TCliOutcome RunHomologyGroup(TCliRun& run) {
  TParsedRun parsed(run);
  TOutput output;
  int printed = PrintHomologyGroupReport(parsed.document, output, 1);
  return Finish(run, output, parsed.nonEmpty == 0 || printed == 0);
}

// Information: "Labeled &Molecule".
TCliOutcome RunLabeledMolecule(TCliRun& run) {
  TParsedRun parsed(run);
  TOutput output;
  int printed = PrintLabeledMoleculeReport(parsed.document, output);
  return Finish(run, output, parsed.nonEmpty == 0 || printed == 0);
}

// The commands that can run here, by menu id.
std::vector<TCliCommand> BuildCommands() {
  std::vector<TCliCommand> commands = {
      {11, RunViewBoundaryCurves, {}},
      {17, RunBoundaryCurves, {}},
      {23, RunHomologyGroup, {}},
      {40, RunLabeledMolecule, {}},
  };
  std::vector<TNamedCommand> everyCommand = NamedCommands(kFullCommandSet);
  for (TCliCommand& command : commands) {
    const TCommand* entry = FindCommand(command.menuId);
    command.name = CommandLineName(entry->caption);
    if (entry->path[0] != "&View") continue;
    for (const TNamedCommand& other : everyCommand) {
      if (other.id != command.menuId && other.name == command.name) {
        command.name = "view-" + command.name;
        break;
      }
    }
  }
  return commands;
}

}  // namespace

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands = BuildCommands();
  return commands;
}

const TCliCommand* FindCliCommand(std::string_view nameOrId) {
  int id = 0;
  auto [end, error] = std::from_chars(nameOrId.data(), nameOrId.data() + nameOrId.size(), id);
  bool isId = !nameOrId.empty() && error == std::errc() && end == nameOrId.data() + nameOrId.size();
  for (const TCliCommand& command : CliCommands()) {
    if (isId ? command.menuId == id : command.name == nameOrId) return &command;
  }
  return nullptr;
}
