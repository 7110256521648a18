// The T-move commands of the view (see shell/t_move_commands.h).
#include "shell/t_move_commands.h"

#include <sstream>
#include <string>

#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "model/spine.h"
#include "moves/t_move_search.h"
#include "shell/document_spine.h"

namespace {

// The report's CR LF lines as lines of the output (the front end picks the
// line end).
void AppendLines(TOutput& output, const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) output.AppendText(line.c_str());
    output.NewLines(1);
  }
}

TCommandOutcome Refuse(TCommandRun& run, const std::string& message) {
  run.messageOnly = true;
  run.output.Clear();
  AppendLines(run.output, message);
  return TCommandOutcome::kRefused;
}

TTMoveLimits LimitsOf(const TOptionValues& options) {
  TTMoveLimits limits;
  limits.count = options.MaxAllVariantsTime / 1000;
  limits.radius = options.AllVariantsStepToMakeAll;
  return limits;
}

// The checks of one polyhedron of a comparison; "" when it passes.
std::string CheckPolyhedron(TDocumentSpine& document, const std::string& text,
                            const TOptionValues& options, bool second) {
  const char* place = second ? "after" : "before";
  const char* which = second ? "second" : "first";
  TDocumentSpine::TScope scope(document);
  if (document.ParseDocumentText(text.c_str(), options) == 0)
    return FormatText("Incorrect spine presentation %s '%s'", place, kPolyhedraSeparator);
  TSpine& spine = document.Spine();
  if (spine.Next() != nullptr) return FormatText("The %s spine is not connected", which);
  if (spine.IsSpecial(1) == 0) return FormatText("The %s spine is not special", which);
  if (spine.Objects().CountOfKind(kVertexKind) < 2)
    return FormatText("The %s spine should be complexity >=2", which);
  return std::string();
}

}  // namespace

TCommandOutcome RunTMoveSimplification(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) return Refuse(run, "Unable to build special polyhedron!");
  TSpine& spine = run.Spine();
  if (spine.Next() != nullptr)
    return Refuse(run,
                  "This function is realized for connected polyhedra only!\nUse Information menu for details");
  if (spine.IsSpecial(1) == 0)
    return Refuse(run,
                  "This function is realized for special polyhedra only!\nUse Information menu for details");
  SkipSpineValidation.store(1);
  std::string report;
  try {
    SimplifyPolyhedronByTMoves(spine, 2, LimitsOf(run.Options()), &report);
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  run.output.Clear();
  AppendLines(run.output, report);
  return TCommandOutcome::kDone;
}

TCommandOutcome RunTMoveComparison(TCommandRun& run) {
  const std::string text = run.Text();
  const std::size_t separator = text.find(kPolyhedraSeparator);
  if (separator == std::string::npos)
    return Refuse(run, FormatText("The sequence '%s' separating polyhedra is missing",
                                  kPolyhedraSeparator));
  // The text after the separator first, as the view does.
  TDocumentSpine second;
  std::string refusal = CheckPolyhedron(
      second, text.substr(separator + std::string(kPolyhedraSeparator).size()), run.Options(), true);
  if (!refusal.empty()) return Refuse(run, refusal);
  TDocumentSpine first;
  refusal = CheckPolyhedron(first, text.substr(0, separator), run.Options(), false);
  if (!refusal.empty()) return Refuse(run, refusal);
  SkipSpineValidation.store(1);
  // The comparison runs without a count limit; the radius limit ends it.
  TTMoveLimits limits = LimitsOf(run.Options());
  limits.count = 0;
  std::string report;
  try {
    ComparePolyhedraByTMoves(first.Spine(), second.Spine(), 3, false, limits, &report);
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  run.output.Clear();
  AppendLines(run.output, report);
  return TCommandOutcome::kDone;
}
