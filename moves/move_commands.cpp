#include "shell/move_commands.h"

#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "shell/check_before_moves.h"
#include "shell/molecule_printer.h"
#include "shell/spine_reports.h"
#include "shell/structure_reports.h"

#include <mutex>
#include <sstream>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "moves/move_types.h"
#include "moves/polygon_move_performer.h"
#include "moves/step_loop.h"

namespace {

// "%u reduction(s) done"
constexpr int kReductionsDoneId = 269;
// "%u transformation(s) done", "No transformation"
constexpr int kTransformationsDoneId = 265;
constexpr int kNoTransformationId = 268;

// The spine changed: what was derived from it is dropped.
void SpineChanged(TSpine& spine) { spine.SetHomologyList(nullptr); }

// Every line of the text as a comment line of the output.
void AppendCommented(TOutput& output, const char* text) {
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    output.CommentMarker(0);
    if (!line.empty()) {
      output.AppendText(" ");
      output.AppendText(line.c_str());
    }
    output.NewLines(1);
  }
}

// True when a move has cut a piece off: an atom other than the spine's own
// piece and its open boundary tori, or a counted ball or S^2 x S^1.
bool MoleculeRecordsPieces(TSpine& spine) {
  TObjectTable* table = spine.MoleculeTable();
  if (table == nullptr) return false;
  if (table->CounterB(2) != 0 || table->CounterC(2) != 0) return true;
  for (TObjectTable* t = table->Head(); t != nullptr; t = t->Next())
    for (int type : {kSolidTorusAtom, kMobiusAtom, kTripleAtom, kSeifertAtom})
      if (t->CountAtomsOfType(type) != 0) return true;
  return false;
}

// The report composed in the run's output becomes comment lines, followed by
// the spine as a cell presentation. Once the moves have cut pieces off, the
// printed spine is only what is left: the labeled molecule that records the
// pieces comes with it, so that the report still describes the manifold.
void FinishMoveReport(TCommandRun& run) {
  TOutput report;
  report.AppendText(run.output.Text());
  if (MoleculeRecordsPieces(run.Spine())) {
    report.NewLines(1);
    PrintLabeledMolecule(report, run.Spine(), 1);
  }
  // With the move list asked for, the moves logged on the spine follow.
  if (run.Options().OptionsOutputMoveList != 0) PrintTransformationList(run.Spine(), report);
  run.output.Clear();
  AppendCommented(run.output, report.Text());
  SpineChanged(run.Spine());
  PrintBoundaryCurves(run.Document(), run.output);
}

bool CanMove(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return false;
  }
  run.Document().EnsureThickened();
  if (!run.Spine().IsThickened()) {
    run.output.AppendText("Spine is not thickenable!");
    run.output.NewLines(1);
    return false;
  }
  // The user may decline moves on a spine the recognition cannot finish with.
  std::string refusal;
  if (CheckBeforeMoves(run.Spine(), run.transformed, false, &refusal) == 0) {
    run.messageOnly = true;
    run.output.AppendText(refusal.c_str());
    run.output.NewLines(1);
    return false;
  }
  PrepareMoves(run.Options());
  return true;
}

TCommandOutcome RunOneStepCommand(TCommandRun& run, int validation) {
  if (!CanMove(run)) return TCommandOutcome::kRefused;
  SkipSpineValidation.store(validation == 0 ? 1 : 0);
  std::string text;
  MakeOneStep(run, 1, nullptr, text);
  SkipSpineValidation.store(1);
  FinishMoveReport(run);
  return TCommandOutcome::kDone;
}

TCommandOutcome RunDefaultMovesCommand(TCommandRun& run, int validation) {
  if (!CanMove(run)) return TCommandOutcome::kRefused;
  SkipSpineValidation.store(validation == 0 ? 1 : 0);
  std::string text;
  bool stopped = false;
  try {
    MakeDefaultMoves(run, text);
  } catch (const TComputationStopped&) {
    stopped = true;
  }
  SkipSpineValidation.store(1);
  stopped = stopped || run.StopRequested();
  FinishMoveReport(run);
  return stopped ? TCommandOutcome::kStopped : TCommandOutcome::kDone;
}

}  // namespace

void WriteMoveReportAndSpine(TCommandRun& run) { FinishMoveReport(run); }

void PrepareMoves(const TOptionValues& options) {
  static std::once_flag orderTable;
  std::call_once(orderTable, InitMoveOrderTable);
  MakeCollapsingsAutomatically.store(options.MakeCollapsingsAutomatically);
  MakeCellReductionsAutomatically.store(options.MakeCellReductionsAutomatically);
  DisableSurgeries.store(options.DisableSurgeries);
  PolygonComplicatingMoves.store(options.AllVariantsEnableComplicatingMoves == 1 ? 1 : 0);
  PolygonMaximalMode.store(options.AllVariantsMaximalMode == 1 ? 1 : 0);
}

bool MakeOneStep(TCommandRun& run, int stepType, TSpine* component, std::string& text) {
  TString stepText;
  int moved = 0;
  if (component != nullptr) {
    moved = MakeSimplificationStep(1, *component, &stepText, TMoveChoice{}, nullptr, nullptr);
  } else {
    for (TSpine* spine = &run.Spine(); spine != nullptr && moved == 0; spine = spine->Next()) {
      stepText.Clear();
      moved = MakeSimplificationStep(1, *spine, &stepText, TMoveChoice{}, nullptr, nullptr);
    }
  }
  if (moved != 0) {
    ++run.stepCounter;
    SpineChanged(run.Spine());
  }
  run.transformed = true;
  text = stepText.CStr();
  PrintStepHeader(run, run.Options().ReportType, stepType,
                  moved != 0 ? run.stepCounter : run.stepCounter + 1LL, text);
  ShowStatusText(text.c_str());
  return moved != 0;
}

int MakeDefaultMoves(TCommandRun& run, std::string& text) {
  const int reportType = run.Options().ReportType;
  if (reportType != 1) {
    PrintStepHeader(run, reportType, 2, run.stepCounter, "");
    if (reportType == 2) {
      PrintStepHeader(run, 3, 3, -1, "");
      run.output.NewLines(1);
    }
  }
  int total = 0;
  bool stopped = false;
  int index = 0;
  // A component whose step did nothing is done; the chain is read afresh by
  // index, since a move may add components.
  for (TSpine* component = run.Spine().ComponentAt(index); component != nullptr;
       component = run.Spine().ComponentAt(index)) {
    if (run.StopRequested()) {
      stopped = true;
      break;
    }
    ThrowIfStopRequested();
    std::string stepText;
    if (MakeOneStep(run, 2, component, stepText)) {
      ++total;
    } else {
      ++index;
    }
  }
  TString result;
  if (QuietMode.load() == 0) {
    if (total == 0) {
      result.LoadResource(kNoTransformationId);
    } else {
      result.FormatResource(kTransformationsDoneId, static_cast<unsigned>(total));
    }
  }
  if (total != 0) {
    run.output.NewLines(1);
  } else {
    run.output.Clear();
  }
  run.output.AppendString(result);
  run.output.NewLines(1);
  if (stopped) {
    run.output.NewLines(1);
    run.output.AppendText("Cancelled by user");
    run.output.NewLines(1);
  }
  ShowStatusText(result.CStr());
  text = result.CStr();
  return total;
}

TCommandOutcome RunMakeOneStep(TCommandRun& run) { return RunOneStepCommand(run, 0); }
TCommandOutcome RunStepByStep(TCommandRun& run) { return RunOneStepCommand(run, 1); }
TCommandOutcome RunMakeDefaultMoves(TCommandRun& run) { return RunDefaultMovesCommand(run, 0); }
TCommandOutcome RunDebugGo(TCommandRun& run) { return RunDefaultMovesCommand(run, 1); }

void PrintStepHeader(TCommandRun& run, int reportType, int stepType, long long step,
                     const std::string& text) {
  if (reportType == 1 && stepType != 1) return;
  if (step != -1) {
    run.output.AppendText(("\t*** Step " + std::to_string(step) + " ***").c_str());
    run.output.NewLines(1);
  }
  if (!text.empty()) {
    run.output.AppendText(text.c_str());
    run.output.NewLines(1);
  }
  run.output.NewLines(1);
  if (reportType == 3) {
    PrintShortInformation(run.Document(), run.Text(), run.output);
    run.output.NewLines(1);
    PrintBoundaryCurves(run.Document(), run.output);
    run.output.NewLines(1);
  }
}

int MakeCellReductions(TCommandRun& run, std::string& text) {
  int count = 0;
  for (TSpine* spine = &run.Spine(); spine != nullptr; spine = spine->Next()) {
    count += RunCellReductions(*spine);
  }
  if (count > 0) {
    ++run.stepCounter;
    run.transformed = true;
  }
  text = QuietMode.load() != 0 ? std::string()
                               : FormatText(StringTableText(kReductionsDoneId).value_or(""),
                                            static_cast<unsigned>(count));
  // The header numbers a step that did nothing as the step still to come.
  PrintStepHeader(run, run.Options().ReportType, 1,
                  count > 0 ? run.stepCounter : run.stepCounter + 1LL, text);
  ShowStatusText(text.c_str());
  return count;
}

TCommandOutcome RunMakeCellReductions(TCommandRun& run) {
  run.Parse();
  if (!run.HasSpine()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  // The reductions keep a thickened spine's boundary up to date.
  run.Document().EnsureThickened();
  SkipSpineValidation.store(1);
  std::string text;
  MakeCellReductions(run, text);
  return TCommandOutcome::kDone;
}
