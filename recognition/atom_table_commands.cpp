#include "shell/atom_table_commands.h"

#include <string>

#include <optional>

#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "recognition/atom_import.h"
#include "recognition/atom_table.h"

TCommandOutcome RunDisplayHyperbolicAtoms(TCommandRun& run) {
  std::string_view text = AtomTableText();
  if (text.empty()) {
    std::optional<std::string_view> message = StringTableText(9900);
    run.output.AppendText((std::string(message ? *message : "") + "\r\n").c_str());
    run.messageOnly = true;
    return TCommandOutcome::kRefused;
  }
  run.output.AppendText(std::string(text).c_str());
  run.show = TCommandShow::kReport;
  return TCommandOutcome::kDone;
}

TCommandOutcome RunImportPresentations(TCommandRun& run, int kind) {
  std::string result;
  try {
    result = ImportPresentations(AtomTableText(), run.Text(), kind);
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  run.output.AppendText(result.c_str());
  run.show = TCommandShow::kReport;
  return TCommandOutcome::kDone;
}

TCommandOutcome RunImportOneCuspByAtoms(TCommandRun& run) { return RunImportPresentations(run, 15); }
TCommandOutcome RunImportOneCuspByKnots(TCommandRun& run) { return RunImportPresentations(run, 16); }
TCommandOutcome RunImportOneCuspByLinks(TCommandRun& run) { return RunImportPresentations(run, 17); }
TCommandOutcome RunImportTwoCuspByLinks(TCommandRun& run) { return RunImportPresentations(run, 18); }
