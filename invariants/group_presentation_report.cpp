// The report of the boundary and group presentations command: the boundary
// report of the spine, the document text, and the simplest presentation of
// the fundamental group that the elimination search found. The search is
// bounded by the option GroupPresentationSearchLimit (presentations visited;
// 0 for none); a search that stopped at the bound says so.
#include <string>

#include "foundation/stop_poll.h"
#include "invariants/group_presentation_search.h"
#include "model/spine.h"
#include "shell/dw_commands.h"
#include "shell/information_commands.h"

TCommandOutcome RunBoundaryGroups(TCommandRun& run) {
  const TCommandOutcome boundary = RunBoundary(run);
  if (!run.HasSpine()) return boundary;
  TGroupPresentation presentation;
  TGroupPresentation best;
  TGroupSearchOutcome outcome;
  try {
    presentation.Build(run.Spine());
    best = presentation;
    outcome = SearchGroupPresentation(
        presentation, best, static_cast<std::uint64_t>(run.Options().GroupPresentationSearchLimit));
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  }
  run.output.NewLines(2);
  run.output.AppendText(run.Text());
  run.output.NewLines(1);
  run.output.AppendText(best.Text().c_str());
  if (outcome.limitReached) {
    run.output.AppendText(("% the search stopped at its limit of " +
                           std::to_string(outcome.visited) +
                           " presentations (GroupPresentationSearchLimit)")
                              .c_str());
    run.output.NewLines(1);
  }
  return boundary;
}
