// The report of the Turaev-Viro commands: one line per order 3..16, " T_r"
// (or " E_r" for the homologically trivial part), a tab and the exact value;
// an order that could not finish prints " r", a tab and "OVERFLOW" (memory
// ran out) or "Cancelled by user", and a stop ends the list there.
#include <atomic>
#include <stdexcept>
#include <string>

#include "invariants/turaev_viro_calculator.h"
#include "model/spine.h"
#include "shell/command_table.h"
#include "shell/turaev_viro_commands.h"

namespace {

TCommandOutcome RunTuraevViroReport(TCommandRun& run, int variant) {
  run.Parse();
  if (!run.HasSpine()) return TCommandOutcome::kRefused;
  TSpine& spine = run.Spine();
  TOutput& output = run.output;
  if (spine.Next() != nullptr) {
    output.AppendText(
        "Given polyhedron is not connected\r\n(the program computes TV-Invariants for connected "
        "polyhedra only)");
    output.NewLines(1);
    return TCommandOutcome::kRefused;
  }
  TTuraevViroCalculator calculator;
  bool special = spine.IsSpecial(1) != 0;
  if (special) {
    try {
      calculator.Setup(spine);
    } catch (const std::invalid_argument&) {
      special = false;
    }
  }
  if (!special) {
    output.AppendText(
        "Given polyhedron is not special\r\n(the program computes TV-Invariants for special "
        "polyhedra only)");
    output.NewLines(1);
    return TCommandOutcome::kRefused;
  }
  const bool trivialPart = variant == kTuraevViroTrivialPart;
  output.AppendText(trivialPart ? "Homologically trivial part of Turaev-Viro Invariants :"
                                : "Turaev-Viro Invariants :");
  output.NewLines(2);
  output.AppendText("order\tvalue");
  output.NewLines(1);
  std::atomic<int> cancelled{0};
  bool stopped = false;
  for (int r = kTuraevViroFirstOrder; r <= kTuraevViroLastOrder && !stopped; ++r) {
    const int outcome = calculator.ComputeOrder(r, variant, -1, &cancelled, run.StopFlag());
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
    stopped = outcome == kTuraevViroBreak;
  }
  output.NewLines(2);
  output.AppendText("About using notation see topic 'Turaev-Viro Invariants' in Sorvelin help");
  output.NewLines(1);
  return stopped ? TCommandOutcome::kStopped : TCommandOutcome::kDone;
}

}  // namespace

TCommandOutcome RunTuraevViroInvariants(TCommandRun& run) {
  return RunTuraevViroReport(run, kTuraevViroFull);
}

TCommandOutcome RunHomologicallyTrivialTuraevViro(TCommandRun& run) {
  return RunTuraevViroReport(run, kTuraevViroTrivialPart);
}
