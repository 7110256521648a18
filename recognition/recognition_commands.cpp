#include "shell/recognition_commands.h"

#include <memory>
#include <string>
#include <vector>

#include "model/edge.h"
#include "model/spine.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/step_loop.h"
#include "recognition/recognition_input.h"
#include "recognition/description_building.h"
#include "recognition/entry_normal_form.h"
#include "recognition/graph_manifold_assembling.h"
#include "recognition/piece_recognition.h"
#include "recognition/spine_symmetries.h"
#include "shell/manifold_refusal.h"
#include "shell/move_commands.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"
#include "shell/string_text.h"

namespace {

constexpr int kNoSymmetryId = 3051;
constexpr int kOneSymmetryId = 3052;
constexpr int kSymmetriesId = 3053;
constexpr int kSymmetryNumberId = 3054;
constexpr int kSphereImageId = 3055;
constexpr int kTorusImageId = 3056;
constexpr int kGeometryNameBase = 885;
constexpr int kTorusMatrixUnknownId = 9880;
constexpr int kItemId = 9992;

// The order of a symmetry as a permutation of signed edges.
int SymmetryOrder(const std::vector<int>& image) {
  std::vector<int> power = image;
  for (int order = 1; order <= 1000; ++order) {
    bool identity = true;
    for (std::size_t e = 0; e < power.size(); ++e) identity = identity && power[e] == static_cast<int>(e) + 1;
    if (identity) return order;
    std::vector<int> next(power.size());
    for (std::size_t e = 0; e < power.size(); ++e) {
      const int x = power[e];
      const int y = image[static_cast<std::size_t>((x < 0 ? -x : x) - 1)];
      next[e] = x < 0 ? -y : y;
    }
    power = std::move(next);
  }
  return 0;
}

// A symmetry of order k acts on the coordinates of a torus it keeps by a
// matrix whose k-th power is the identity; a matrix that fails this was not
// read right and is not shown.
bool PowerIsIdentity(const int m[4], int k) {
  long long p[4] = {1, 0, 0, 1};
  for (int i = 0; i < k; ++i) {
    const long long r[4] = {p[0] * m[0] + p[1] * m[2], p[0] * m[1] + p[1] * m[3], p[2] * m[0] + p[3] * m[2],
                            p[2] * m[1] + p[3] * m[3]};
    for (int j = 0; j < 4; ++j) {
      if (r[j] > (1LL << 40) || r[j] < -(1LL << 40)) return false;
      p[j] = r[j];
    }
  }
  return p[0] == 1 && p[1] == 0 && p[2] == 0 && p[3] == 1;
}

// The name of each summand of the assembled manifold with its geometry,
// then the homology of the spine.
void PrintRecognizedItems(TObjectTable& first, const std::string& homology, TOutput& output) {
  auto description = std::make_unique<TManifoldDescription>();
  BuildDescriptionFromMolecule(*description, first, -1);
  // The names the recognition gives: a piece with a zero fibre is a
  // connected sum (p = 6 surgery on the trefoil is RP^3 # L(3,1)), not a
  // Seifert manifold with a fibre of multiplicity 0.
  NormaliseSummands(description);
  NormaliseReducible(description);
  output.NewLines(1);
  // The geometry of a connected sum's head is that of the sum (none); the
  // summands are named one a line, as the recognition lists them.
  const int summands = description->CountSummands();
  unsigned item = 0;
  for (const TManifoldDescription* d = description.get(); d != nullptr; d = d->GetNextSummand()) {
    output.Tabs(1);
    if (summands > 1) output.AppendText(FormatStringText(kItemId, ++item).c_str());
    const int type = d->GetTypeCode();
    if (d->PrintPieceName(output) == 0) {
      const int text = type == kSpineRecordCode ? 875 : type == kUnrecognizedCode ? 876 : 866;
      output.AppendText(StringText(text).c_str());
    }
    const int geometry = d->GetPieceCode().Word(kCodeGeometry);
    if (geometry > 0 && summands == 1) {
      output.AppendText(" ");
      output.AppendText(StringText(kGeometryNameBase + geometry).c_str());
    }
    output.NewLines(1);
  }
  if (!homology.empty()) {
    output.Tabs(1);
    output.AppendText(homology.c_str());
    output.NewLines(1);
  }
}

}  // namespace

TCommandOutcome RunMakeAssembling(TCommandRun& run) {
  // The homology is the manifold's, taken before the moves cut pieces off.
  std::string homology;
  TSpine* input = RecognitionInput(run, homology);
  if (input == nullptr) return TCommandOutcome::kRefused;
  TSpine& spine = *input;
  if (!run.transformed) {
    PrepareMoves(run.Options());
    const int quiet = QuietMode.exchange(1);
    int moved = 0;
    for (int i = 0; spine.ComponentAt(i) != nullptr; ++i) moved |= RunStepsUntilStable(*spine.ComponentAt(i), nullptr);
    QuietMode.store(quiet);
    if (moved != 0) {
      // The spine no longer is the document's text.
      spine.SetHomologyList(nullptr);
      run.transformed = true;
    }
  }
  TObjectTableList items;
  TObjectTableListGuard freeItems(items);
  const int done = AssembleMolecule(spine.MoleculeTable(), &items, &run.output, -1);
  if (done != 0 && !items.empty()) PrintRecognizedItems(*items.front(), homology, run.output);
  return done != 0 ? TCommandOutcome::kDone : TCommandOutcome::kRefused;
}

TCommandOutcome RunSearchForSymmetries(TCommandRun& run) {
  run.Parse();
  if (NoteWithoutManifold(run)) return TCommandOutcome::kRefused;
  TSpine& spine = run.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(run.output);
    return TCommandOutcome::kRefused;
  }
  run.Document().EnsureThickened();
  TOutput& out = run.output;
  out.NewLines(1);
  const TSymmetrySearch record(spine);
  TSymmetryMapList maps;
  const int count = FindSpineSymmetriesOnRecords(maps, record, record, 1);
  if (count == 0) {
    out.AppendText(StringText(kNoSymmetryId).c_str());
    out.NewLines(1);
    return TCommandOutcome::kDone;
  }
  out.AppendText(count == 1 ? StringText(kOneSymmetryId).c_str()
                            : FormatStringText(kSymmetriesId, static_cast<unsigned>(count)).c_str());
  out.NewLines(1);
  const int surfaces = spine.CountBoundaries(0);
  for (int s = 0; s < count; ++s) {
    const TSymmetryMap& map = maps[static_cast<std::size_t>(s)];
    // The coordinates that the symmetry carries are written into labels 2
    // and 3 of the boundary tori only while the report is made.
    std::vector<std::vector<int>> saved;
    std::vector<TObjectHeader*> labelled;
    for (int j = 0; j < surfaces; ++j) {
      TComplex* surface = spine.BoundaryAt(j);
      const TObjectList& objects = surface->Objects().Objects();
      for (int i = 0; i < objects.Count(); ++i) {
        TObjectHeader* o = objects.At(i);
        if (o == nullptr || o->kind != kEdgeKind) continue;
        labelled.push_back(o);
        saved.push_back({TEdge::Label(o, 2), TEdge::Label(o, 3)});
      }
    }
    MapBoundaryComponents(spine, spine, map);
    const std::vector<int> images = CompareSpinesUnderSymmetry(spine, spine, map);
    out.NewLines(1);
    if (count > 1) out.AppendText(FormatStringText(kSymmetryNumberId, static_cast<unsigned>(s + 1)).c_str());
    for (int j = 0; j < surfaces; ++j) {
      const TComplex* surface = spine.BoundaryAt(j);
      const unsigned image = static_cast<unsigned>(images[static_cast<std::size_t>(j)] + 1);
      int m[4] = {0, 0, 0, 0};
      if (spine.BoundarySurfaceClass(surface) == 2) {
        const bool read = SpineBoundaryGluingMatrix(*surface, m) == 1;
        if (!read || (image == static_cast<unsigned>(j + 1) && !PowerIsIdentity(m, SymmetryOrder(map.edgeImage)))) {
          out.AppendText(
              FormatStringText(kTorusMatrixUnknownId, image, static_cast<unsigned>(j + 1)).c_str());
          out.NewLines(1);
          continue;
        }
        out.AppendText(FormatStringText(kTorusImageId, image, static_cast<unsigned>(j + 1), m[0], m[1], m[2], m[3])
                           .c_str());
      } else {
        out.AppendText(FormatStringText(kSphereImageId, image, static_cast<unsigned>(j + 1)).c_str());
      }
      out.NewLines(1);
    }
    for (std::size_t i = 0; i < labelled.size(); ++i) {
      TEdge::SetLabel(labelled[i], 2, saved[i][0]);
      TEdge::SetLabel(labelled[i], 3, saved[i][1]);
    }
  }
  return TCommandOutcome::kDone;
}
