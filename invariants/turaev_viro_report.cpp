// The report of the Turaev-Viro commands: one line per order 3..16, " T_r"
// (or " E_r" for the homologically trivial part), a tab and the exact value;
// an order that could not finish prints " r", a tab and "OVERFLOW" (memory
// ran out) or "Cancelled by user", and a stop ends the list there. The
// command-line program runs it as a command; the desktop program runs it as
// task kind 7 on the worker thread and shows the list as it grows.
#include <atomic>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "foundation/message_box.h"
#include "foundation/stop_flags.h"
#include "invariants/turaev_viro_calculator.h"
#include "model/spine.h"
#include "shell/command_table.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/task_view.h"
#include "shell/turaev_viro_commands.h"

namespace {

constexpr char kHelpLine[] =
    "About using notation see topic 'Turaev-Viro Invariants' in Sorvelin help";

// Why the spine has no Turaev-Viro invariants; empty when it has.
std::string SetUpOrRefuse(TSpine& spine, TTuraevViroCalculator& calculator) {
  if (spine.Next() != nullptr) {
    return "Given polyhedron is not connected\n(the program computes TV-Invariants for connected "
           "polyhedra only)";
  }
  bool special = spine.IsSpecial(1) != 0;
  if (special) {
    try {
      calculator.Setup(spine);
    } catch (const std::invalid_argument&) {
      special = false;
    }
  }
  if (!special) {
    return "Given polyhedron is not special\n(the program computes TV-Invariants for special "
           "polyhedra only)";
  }
  return {};
}

// Writes the header and one line per order into the output; after each order
// `progress` (when given) sees the report so far. Returns false when stopped.
bool WriteOrders(TTuraevViroCalculator& calculator, int first, int last, int variant,
                 TOutput& output, const std::atomic<int>* stopFlag, std::atomic<int>& cancelled,
                 const std::function<void()>& progress) {
  const bool trivialPart = variant == kTuraevViroTrivialPart;
  output.AppendText(trivialPart ? "Homologically trivial part of Turaev-Viro Invariants :"
                                : "Turaev-Viro Invariants :");
  output.NewLines(2);
  output.AppendText("order\tvalue");
  output.NewLines(1);
  cancelled.store(0);
  for (int r = first; r <= last; ++r) {
    const int outcome = calculator.ComputeOrder(r, variant, -1, &cancelled, stopFlag);
    std::string line;
    if (outcome == kTuraevViroDone) {
      const TCyclotomicNumber* value =
          trivialPart ? calculator.TrivialPartResult(r) : calculator.FullResult(r);
      line = (trivialPart ? " E_" : " T_") + std::to_string(r) + "\t" + value->ToText();
    } else {
      line = " " + std::to_string(r) + "\t" +
             (cancelled.load() != 0 ? "Cancelled by user" : "OVERFLOW");
    }
    output.AppendText(line.c_str());
    output.NewLines(1);
    if (outcome == kTuraevViroBreak) return false;
    if (progress) progress();
  }
  return true;
}

void WriteHelpLine(TOutput& output) {
  output.NewLines(2);
  output.AppendText(kHelpLine);
  output.NewLines(1);
}

TCommandOutcome RunTuraevViroReport(TCommandRun& run, int variant) {
  run.Parse();
  if (!run.HasSpine()) return TCommandOutcome::kRefused;
  TTuraevViroCalculator calculator;
  if (const std::string refusal = SetUpOrRefuse(run.Spine(), calculator); !refusal.empty()) {
    std::string text = refusal;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
      text.replace(at, 1, "\r\n");
    }
    run.output.AppendText(text.c_str());
    run.output.NewLines(1);
    return TCommandOutcome::kRefused;
  }
  std::atomic<int> cancelled{0};
  const bool finished = WriteOrders(calculator, kTuraevViroFirstOrder, kTuraevViroLastOrder,
                                    variant, run.output, run.StopFlag(), cancelled, {});
  WriteHelpLine(run.output);
  return finished ? TCommandOutcome::kDone : TCommandOutcome::kStopped;
}

}  // namespace

TCommandOutcome RunTuraevViroInvariants(TCommandRun& run) {
  return RunTuraevViroReport(run, kTuraevViroFull);
}

TCommandOutcome RunHomologicallyTrivialTuraevViro(TCommandRun& run) {
  return RunTuraevViroReport(run, kTuraevViroTrivialPart);
}

void RunTuraevViroTask(TComputationTask& task) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  if (document.ParseDocumentText(task.DocumentText().c_str(), task.Options()) == 0) return;
  TTuraevViroCalculator calculator;
  if (const std::string refusal = SetUpOrRefuse(document.Spine(), calculator); !refusal.empty()) {
    ShowMessageBox(refusal, TMessageButtons::Ok, TMessageIcon::Warning);
    return;
  }
  // The sum grows like a power of the number of cells: ask before a long one.
  constexpr int kManyCells = 20;
  if (calculator.CellCount() >= kManyCells) {
    const std::string question = "The spine contains " + std::to_string(calculator.CellCount()) +
                                 " 2-components\r\nso computation may take very long time.\r\n"
                                 "Continue?";
    if (ShowMessageBox(question, TMessageButtons::OkCancel, TMessageIcon::Question) !=
        TMessageResult::Ok) {
      return;
    }
  }
  task.BeginComputation();
  if (TComputationTask::Aborted()) return;
  TTaskView* view = task.GetView();
  if (view != nullptr) {
    view->SetInformationMode(true, std::nullopt);
    view->SetTransformedState(true);
  }
  TOutput& output = task.Output();
  auto show = [&](bool withHelp) {
    if (view == nullptr) return;
    std::string text(output.Text(), output.TextLength());
    if (withHelp) text += std::string("\r\n\r\n") + kHelpLine + "\r\n";
    view->SetInformationMode(true, std::move(text));
  };
  WriteOrders(calculator, task.FirstOrder(), task.LastOrder(), task.Variant(), output, nullptr,
              SeriesStopFlag(), [&] { show(true); });
  if (TComputationTask::Aborted()) return;
  WriteHelpLine(output);
  show(false);
  task.EndComputation();
}
