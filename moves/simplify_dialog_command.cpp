// `sorvelin dialog`: the Simplify dialog's list and moves as text (see
// shell/simplify_dialog_command.h).
#include "shell/simplify_dialog_command.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "foundation/string_table.h"
#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "invariants/normal_torus_list_search.h"
#include "model/spine.h"
#include "moves/simplify_move_list.h"
#include "moves/step_loop.h"
#include "shell/check_before_moves.h"
#include "shell/move_commands.h"
#include "shell/spine_reports.h"

namespace {

constexpr int kNoSuchEntryId = 9837;  // "There is no entry %s in the list of %u moves"
constexpr int kEntryWithoutMoveId = 9838;
constexpr int kMoveRefusedId = 9839;
constexpr int kNotSpecialId = 9360;   // "Searching for surfaces is realized only for special spines"
constexpr int kSearchLimitId = 9861;  // "Search stopped after %s vectors (the limit ...)"

// The token of --perform that presses "Search For Normal Surfaces".
constexpr const char* kSearchToken = "tori";

std::string Text(int id) { return std::string(StringTableText(id).value_or("")); }

void PrintList(TCommandRun& run, TSimplifyMoveList& list) {
  TOutput& out = run.output;
  if (list.ComponentCount() > 1) {
    out.AppendText(("Component " + std::to_string(list.ComponentNumber()) + " of " +
                    std::to_string(list.ComponentCount()))
                       .c_str());
    out.NewLines(2);
  }
  const auto& entries = list.Entries();
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::string number = std::to_string(k + 1);
    if (number.size() < 4) number.insert(0, 4 - number.size(), ' ');
    const char mark = static_cast<int>(k) == list.DefaultIndex() ? '*' : ' ';
    out.AppendText((number + mark + ' ' + entries[k].text).c_str());
    out.NewLines(1);
  }
  out.NewLines(1);
  out.AppendText(list.DefaultCaption().c_str());
  out.NewLines(1);
}

TCommandOutcome Refuse(TCommandRun& run, const std::string& message) {
  run.output.Clear();
  run.output.AppendText(message.c_str());
  run.output.NewLines(1);
  run.messageOnly = true;
  return TCommandOutcome::kRefused;
}

// The entry's number from 1, or 0 when the token is no number in the list.
std::size_t EntryNumber(const std::string& token, std::size_t size) {
  std::size_t number = 0;
  const char* end = token.data() + token.size();
  auto [at, error] = std::from_chars(token.data(), end, number);
  if (error != std::errc() || at != end || number == 0 || number > size) return 0;
  return number;
}

}  // namespace

TCommandOutcome RunSimplifyDialog(TCommandRun& run, const std::vector<std::string>& perform) {
  run.Parse();
  if (!run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  run.Document().EnsureThickened();
  std::string refusal;
  if (CheckBeforeMoves(run.Spine(), run.transformed, false, &refusal) == 0) {
    return Refuse(run, refusal);
  }
  PrepareMoves(run.Options());
  SkipSpineValidation.store(1);

  TSimplifyMoveList list(run.Spine());
  list.Fill();
  // The dialog offers the next component when this one is done; the command
  // line takes the offer.
  list.AdvanceToSimplifiableComponent();
  if (perform.empty()) {
    PrintList(run, list);
    return TCommandOutcome::kDone;
  }
  // The list is printed at the end when the last action was a search (to
  // show what it found), else the moved spine.
  bool listLast = false;
  for (const std::string& token : perform) {
    if (token == kSearchToken) {
      // The search runs until no torus is left, the limit of visited vectors
      // or a stop (the command then says "stopped").
      const std::int64_t limit = run.Options().NormalSurfacesSearchLimit;
      const TNormalTorusListSearch search =
          SearchNormalToriIntoList(list, static_cast<std::uint64_t>(std::max<std::int64_t>(limit, 0)));
      if (search.notSpecial) return Refuse(run, Text(kNotSpecialId));
      if (search.limitReached) {
        run.output.AppendText(FormatText(Text(kSearchLimitId), std::to_string(limit)).c_str());
        run.output.NewLines(2);
      }
      listLast = true;
      continue;
    }
    listLast = false;
    const std::size_t size = list.Entries().size();
    const std::size_t number = EntryNumber(token, size);
    if (number == 0) {
      return Refuse(run, FormatText(Text(kNoSuchEntryId), "'" + token + "'", static_cast<unsigned>(size)));
    }
    const unsigned shown = static_cast<unsigned>(number);
    if (list.Entries()[number - 1].code == 0) return Refuse(run, FormatText(Text(kEntryWithoutMoveId), shown));
    std::string moveText;
    if (list.MakeMove(static_cast<int>(number - 1), moveText) == 0) {
      std::string message = FormatText(Text(kMoveRefusedId), shown);
      if (!moveText.empty()) message += ": " + moveText;
      return Refuse(run, message);
    }
    ++run.stepCounter;
    run.transformed = true;
    PrintStepHeader(run, run.Options().ReportType, 1, run.stepCounter, moveText);
    list.AdvanceToSimplifiableComponent();
  }
  if (listLast) {
    PrintList(run, list);
    return TCommandOutcome::kDone;
  }
  WriteMoveReportAndSpine(run);
  return TCommandOutcome::kDone;
}
