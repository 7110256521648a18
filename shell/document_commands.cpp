#include "shell/document_commands.h"

#include "model/object_header.h"
#include "shell/atom_table_commands.h"
#include "shell/covering_check.h"
#include "shell/dw_commands.h"
#include "shell/graph_code_report.h"
#include "shell/hyperbolic_volume_command.h"
#include "shell/information_commands.h"
#include "shell/link_invariant_commands.h"
#include "shell/molecule_report.h"
#include "shell/recognition_commands.h"
#include "shell/recognize_commands.h"
#include "shell/series_commands.h"
#include "shell/move_commands.h"
#include "shell/t_move_commands.h"
#include "shell/simplify_dialog_command.h"
#include "shell/spine_text_view.h"
#include "shell/surface_commands.h"
#include "shell/triangulation_reports.h"
#include "shell/turaev_viro_commands.h"

TCommandRun::TCommandRun(TDocumentSpine& document, std::string_view text,
                         const TOptionValues& options, bool informationMode,
                         const std::atomic<int>* stopFlag, std::function<int()> parse)
    : document_(document),
      text_(text),
      options_(options),
      informationMode_(informationMode),
      stopFlag_(stopFlag),
      parse_(std::move(parse)) {}

int TCommandRun::Parse() {
  int result = 0;
  if (!informationMode_) {
    result = parse_ ? parse_() : document_.ParseDocumentText(text_.c_str(), options_, kViewModeOther);
  }
  // The rest of the command names objects as the reader of the spine chose;
  // the view restores the switch when the command ends.
  SuppressObjectNames.store(document_.SuppressNamesAfterParse());
  return result;
}

void TDocumentCommands::Set(int id, TCommandBody body) {
  if (body) {
    bodies_[id] = std::move(body);
  } else {
    bodies_.erase(id);
  }
}

const TCommandBody* TDocumentCommands::Find(int id) const {
  auto it = bodies_.find(id);
  return it == bodies_.end() ? nullptr : &it->second;
}

std::vector<int> TDocumentCommands::Ids() const {
  std::vector<int> ids;
  ids.reserve(bodies_.size());
  for (const auto& [id, body] : bodies_) ids.push_back(id);
  return ids;
}

namespace {

struct TCommandRow {
  int id;
  TCommandOutcome (*body)(TCommandRun& run);
};

// Every command with a body, by menu id. A command joins with its row.
constexpr TCommandRow kCommands[] = {
    // View: the style switches.
    {11, RunViewBoundaryCurves},
    {12, RunViewTriangulation},
    {13, RunViewDetails},
    // Information.
    {16, RunShortInformation},
    {17, RunBoundaryCurves},
    {18, RunDetails},
    {19, RunTriangulation},
    {20, RunDehydratedDescription},
    {21, RunIsoSignature},
    {22, RunBoundaryGroups},
    {23, RunHomologyGroup},
    {24, RunTuraevViroInvariants},
    {25, RunHomologicallyTrivialTuraevViro},
    {26, RunDWInvariants},
    {27, RunEpsilonInvariant},
    {28, RunCassonWalker},
    {29, RunKauffmanBracket},
    {30, RunAlexanderPolynomial},
    {31, RunHyperbolicVolume},
    {32, RunGraphCode},
    {33, RunSearchSurfaces},
    {34, RunSearchForSymmetries},
    {35, RunSearchNormalSurfaces},
    {36, RunBoundary},
    {37, RunIsCoveringFor},
    {39, RunTransformationList},
    {40, RunLabeledMolecule},
    {41, RunMakeAssembling},
    {46, RunRecognize},
    {48, RunTillFirstPresentation},
    {49, RunTillMainPresentation},
    {50, RunTryToFindAllPresentations},
    // Sorvelin.
    {51, RunMakeDefaultMoves},
    {52, RunMakeOneStep},
    {53, RunMakeCellReductions},
    {54, RunSimplifyDialogList},
    {55, RunTMoveSimplification},
    {56, RunTMoveComparison},
    // Series.
    {66, RunSeriesRun},
    // Internal Tables.
    {69, RunDisplayHyperbolicAtoms},
    {70, RunImportOneCuspByAtoms},
    {71, RunImportOneCuspByKnots},
    {72, RunImportOneCuspByLinks},
    {73, RunImportTwoCuspByLinks},
    // Debug.
    {74, RunDebugGo},
    {75, RunStepByStep},
    {76, RunDialogWithDebugging},
};

TDocumentCommands BuildCommands() {
  TDocumentCommands commands;
  for (const TCommandRow& row : kCommands) commands.Set(row.id, row.body);
  return commands;
}

}  // namespace

const TDocumentCommands& BuiltInDocumentCommands() {
  static const TDocumentCommands commands = BuildCommands();
  return commands;
}

struct TCommandDocument {
  TTextBufferControl control;
  TSpineTextView view{control};
};

void TCommandDocumentDeleter::operator()(TCommandDocument* document) const { delete document; }

TCommandResult RunCommandOnText(int id, std::string_view text, const TOptionValues& options,
                                const std::atomic<int>* stopFlag,
                                const TDocumentCommands& commands, TKeptDocument* keep) {
  TKeptDocument document(new TCommandDocument);
  TTextBufferControl& control = document->control;
  TSpineTextView& view = document->view;
  control.text = std::string(text);
  if (keep != nullptr) *keep = std::move(document);
  std::string composed;
  TCommandResult result;
  result.outcome = view.RunCommand(commands, id, options, stopFlag, &composed, &result.message);
  if (result.outcome == TCommandOutcome::kStopped) return result;  // nothing half-done is shown
  result.shown = control.text;
  if ((control.text == text && !composed.empty()) || result.message) {
    result.shown = std::move(composed);
  }
  return result;
}
