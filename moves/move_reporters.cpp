// The reporters of the step loop. See step_loop.h.
#include "foundation/heap_string.h"
#include "model/spine.h"
#include "moves/step_loop.h"

namespace {

constexpr int kTransformationsDone = 265;
constexpr int kStepResult = 266;
constexpr int kNoTransformation = 268;
constexpr int kReductionsDone = 269;
constexpr int kCollapsingsDone = 275;

bool Quiet() { return QuietMode.load() != 0; }

}  // namespace

void ReportTransformations(TString& text, int n) {
  if (Quiet()) return;
  if (n == 0) {
    text.LoadResource(kNoTransformation);
  } else {
    text.FormatResource(kTransformationsDone, static_cast<unsigned>(n));
  }
}

void ReportStepResult(TString& text, int n, const TString& moveText, const TString& afterText) {
  if (Quiet()) return;
  if (n == 0) {
    text.LoadResource(kNoTransformation);
  } else {
    text.FormatResource(kStepResult, moveText.CStr(), afterText.CStr());
  }
}

void ReportCellReductions(TString& text, int n) {
  if (Quiet()) return;
  text.FormatResource(kReductionsDone, static_cast<unsigned>(n));
}

void ReportCollapsings(TString& text, int collapsings, int cuttings, int reductions) {
  if (Quiet()) return;
  text.FormatResource(kCollapsingsDone, static_cast<unsigned>(collapsings), static_cast<unsigned>(cuttings),
                      static_cast<unsigned>(reductions));
}
