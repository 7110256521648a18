#include "shell/triangulation_reports.h"

#include <string>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "model/object_header.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/triangulation_description.h"
#include "shell/document_commands.h"
#include "shell/manifold_refusal.h"
#include "shell/spine_reports.h"

namespace {

constexpr int kTextNoGluing = 473;
constexpr int kTextDehydrationConnectedOnly = 9730;
constexpr int kTextDehydrationSpecialOnly = 9731;
constexpr int kTextDehydrationSmallOnly = 9732;
constexpr int kTextSignatureConnectedOnly = 9733;
constexpr int kTextSignatureSpecialOnly = 9734;
constexpr int kTextRestoreHint = 9735;
constexpr int kTextSignatureCaption = 9736;
constexpr int kTextCanonicalLabellingCaption = 9737;

std::string Text(int id) {
  std::optional<std::string_view> text = StringTableText(id);
  return text ? std::string(*text) : std::string();
}

// A refusal: the reason, three line ends, how to get the text back, a line end.
int Refuse(TOutput& output, int id) {
  output.AppendText(Text(id).c_str());
  output.NewLines(3);
  output.AppendText(Text(kTextRestoreHint).c_str());
  output.NewLines(1);
  return 0;
}

// The trace output for the duration of a report body.
class TTraceInto {
 public:
  TTraceInto(TOutput& output, bool active) : active_(active) {
    if (active_) SetTraceOutput(&output);
  }
  ~TTraceInto() {
    if (active_) ClearTraceOutput();
  }
  TTraceInto(const TTraceInto&) = delete;
  TTraceInto& operator=(const TTraceInto&) = delete;

 private:
  bool active_;
};

void PrintTetrahedra(const TTriangulationDescription& triangulation, TOutput& output) {
  std::vector<std::string> names;
  for (int t = 0; t < triangulation.TetrahedronCount(); ++t) names.push_back(triangulation.TetrahedronName(t));
  for (int t = 0; t < triangulation.TetrahedronCount(); ++t) {
    output.NewLines(1);
    PrintTetrahedronLines(output, triangulation.Tetrahedra(), t, names);
  }
}

}  // namespace

int PrintTriangulationOf(TSpine& spine, const char* text, TOutput& output, int fromText) {
  TTriangulationDescription triangulation;
  if (spine.IsEmpty()) {
    if (fromText != 1) return 0;
    // The parser's messages go into the report as a comment block.
    output.CommentMarker(2);
    output.NewLines(1);
    triangulation.Parse(text);
    output.CommentMarker(3);
    output.NewLines(2);
    if (triangulation.TetrahedronCount() == 0) return 0;
  } else if (triangulation.FromSpine(spine) != 1) {
    return 0;
  }
  PrintTetrahedra(triangulation, output);
  return 1;
}

int PrintTriangulation(TDocumentSpine& document, const char* text, TOutput& output, int fromText) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty() && !IsTriangulationText(text)) {
    output.AppendText(Text(kTextNoGluing).c_str());
    return 0;
  }
  const bool several = spine.Next() != nullptr;
  PrintConnectedness(spine, output, 2, 1);
  output.Tabs(2);
  output.AppendText("triangulation");
  output.NewLines(2);
  int result = 1;
  {
    TTraceInto trace(output, fromText == 1);
    unsigned number = 0;
    for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
      ++number;
      if (number > 1) output.NewLines(2);
      if (several) {
        output.CommentMarker(0);
        output.Tabs(1);
        output.AppendText(("Component " + std::to_string(number)).c_str());
        output.NewLines(1);
      }
      if (PrintTriangulationOf(*component, text, output, fromText) != 1) result = 0;
    }
  }
  output.NewLines(1);
  output.Tabs(2);
  output.AppendText("end");
  output.NewLines(1);
  return result;
}

int PrintDehydratedDescription(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  if (spine.Next() != nullptr) return Refuse(output, kTextDehydrationConnectedOnly);
  if (spine.IsSpecial(2) != 1) return Refuse(output, kTextDehydrationSpecialOnly);
  if (spine.Objects().CountOfKind(kVertexKind) > kMaxDehydratedTetrahedra) {
    return Refuse(output, kTextDehydrationSmallOnly);
  }
  TDehydratedDescription description;
  // A special spine without true vertices has no tetrahedra to describe.
  if (description.FromSpine(spine).empty()) return Refuse(output, kTextDehydrationSpecialOnly);
  output.AppendText(description.Text().c_str());
  output.NewLines(1);
  return 1;
}

int PrintIsoSignature(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  if (spine.Next() != nullptr) return Refuse(output, kTextSignatureConnectedOnly);
  if (spine.IsSpecial(2) != 1) return Refuse(output, kTextSignatureSpecialOnly);
  TIsoSignature signature;
  if (signature.Compute(spine, 2).empty()) return Refuse(output, kTextSignatureSpecialOnly);
  // The captions are comments, so that the report reads back in as the
  // signature it shows.
  output.CommentMarker(0);
  output.AppendText(Text(kTextSignatureCaption).c_str());
  output.AppendText(signature.Text().c_str());
  output.NewLines(2);
  output.CommentMarker(0);
  output.AppendText(Text(kTextCanonicalLabellingCaption).c_str());
  output.AppendText(signature.CanonicalText().c_str());
  output.NewLines(1);
  return 1;
}

namespace {

TCommandOutcome Outcome(bool refused) {
  return refused ? TCommandOutcome::kRefused : TCommandOutcome::kDone;
}

}  // namespace

TCommandOutcome RunViewTriangulation(TCommandRun& run) {
  run.show = TCommandShow::kNothing;
  if (run.InformationMode()) return TCommandOutcome::kRefused;
  int converted = ConvertPresentation(run.Document(), run.Text(), kTriangulationStyle, run.Options(),
                                      run.output);
  if (converted <= 0) return Outcome(converted < 0);
  run.show = TCommandShow::kDocumentText;
  return TCommandOutcome::kDone;
}

TCommandOutcome RunTriangulation(TCommandRun& run) {
  run.Parse();
  const int printed = PrintTriangulation(run.Document(), run.Text(), run.output, 1);
  return Outcome(!run.HasSpine() || printed == 0);
}

// A description or signature that cannot be given leaves only the reason in
// the output.
TCommandOutcome RunDehydratedDescription(TCommandRun& run) {
  run.Parse();
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  run.messageOnly = PrintDehydratedDescription(run.Document(), run.output) == 0;
  return Outcome(run.messageOnly);
}

TCommandOutcome RunIsoSignature(TCommandRun& run) {
  run.Parse();
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  run.messageOnly = PrintIsoSignature(run.Document(), run.output) == 0;
  return Outcome(run.messageOnly);
}
