#include "shell/link_invariant_commands.h"

#include <string>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "invariants/alexander_polynomial.h"
#include "invariants/bracket_polynomial.h"
#include "invariants/casson_walker.h"
#include "invariants/kauffman_bracket.h"
#include "presentations/links/link.h"
#include "shell/string_text.h"

namespace {

constexpr int kNoSurgeryText = 5139;
constexpr int kNoGaussCodeText = 5144;
constexpr int kPlaneDiagramsOnlyText = 5150;
constexpr int kRestoreHintText = 9810;

void AppendLine(TOutput& output, const std::string& text, int lineEnds) {
  output.AppendText(text.c_str());
  output.NewLines(lineEnds);
}

// Reads the document as a link in the given mode and writes the diagram; on
// failure writes the refusal and returns false.
bool ReadLink(TCommandRun& run, TLink& link, int mode, int noLinkText) {
  if (IsLinkText(run.Text()) == 0) {
    AppendLine(run.output, StringText(noLinkText), 1);
    return false;
  }
  if (link.Parse(run.Text(), mode) == 0) {
    AppendLine(run.output, link.ErrorText().CStr(), 3);
    AppendLine(run.output, StringText(kRestoreHintText), 1);
    return false;
  }
  PrintLink(run.output, link);
  run.output.NewLines(2);
  return true;
}

// Runs a computation; a stop or an overflow ends the command with what was
// written before it.
template <class TBody>
TCommandOutcome Guarded(TCommandRun& run, TBody body) {
  try {
    return body();
  } catch (const TComputationStopped&) {
    return TCommandOutcome::kStopped;
  } catch (const Out_of_Range&) {
    AppendLine(run.output, "OVERFLOW", 2);
    return TCommandOutcome::kRefused;
  }
}

}  // namespace

TCommandOutcome RunCassonWalker(TCommandRun& run) {
  TLink link;
  if (!ReadLink(run, link, kLinkParseOrdinary, kNoSurgeryText)) return TCommandOutcome::kRefused;
  return Guarded(run, [&] {
    TRational lambda;
    return ComputeCassonWalker(link, lambda, &run.output, run.StopFlag()) == 1 ? TCommandOutcome::kDone
                                                                : TCommandOutcome::kRefused;
  });
}

TCommandOutcome RunKauffmanBracket(TCommandRun& run) {
  TLink link;
  if (!ReadLink(run, link, kLinkParseAnyPairs, kNoGaussCodeText)) return TCommandOutcome::kRefused;
  return Guarded(run, [&] {
    TLaurentPolynomial bracket;
    ComputeKauffmanBracket(bracket, link, run.StopFlag());
    TOutput& out = run.output;
    if (link.ComponentCount() > 1) {
      out.AppendText("Unoriented:\r\nK(t)=");
      bracket.Print(out);
      out.AppendText("\r\n\r\nStandard:\r\n");
    }
    bracket.MultiplyByTerm(WritheFactor(link.SignSum(3)));
    out.AppendText("K(t)=");
    bracket.Print(out);
    out.NewLines(2);
    if (link.IsOnTorus() != 0 || link.IsOnKleinBottle() != 0) {
      for (int mode = 1; mode >= 0; --mode) {
        TBracketPolynomial surface(2);
        surface.SetHomologyMode(mode);
        ComputeBracketPolynomial(surface, link, run.StopFlag());
        out.AppendText(mode == 1 ? "K(t,z)=" : "K(t,z,H)=");
        surface.Print(out);
        out.NewLines(2);
      }
    }
    out.NewLines(2);
    AppendLine(out, StringText(kRestoreHintText), 1);
    return TCommandOutcome::kDone;
  });
}

TCommandOutcome RunAlexanderPolynomial(TCommandRun& run) {
  TLink link;
  if (!ReadLink(run, link, kLinkParseAnyPairs, kNoGaussCodeText)) return TCommandOutcome::kRefused;
  if (link.IsClassical() == 0) {
    AppendLine(run.output, StringText(kPlaneDiagramsOnlyText), 2);
    return TCommandOutcome::kRefused;
  }
  return Guarded(run, [&] {
    TTwoVariablePolynomial alexander;
    ComputeAlexanderPolynomial(alexander, link, run.StopFlag());
    alexander.Print(run.output);
    run.output.NewLines(2);
    return TCommandOutcome::kDone;
  });
}
