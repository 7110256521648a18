#include "support/spine_checker.h"

#include <sstream>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/homology.h"
#include "model/homology_normal_form.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "moves/boundary_gluing_matrix.h"

std::vector<std::int32_t> ChainHomology(TSpine& spine) {
  THomologyList list;
  if (list.Compute(spine, 1) == 0) return {};
  return list.Elements();
}

int SpineEulerCharacteristic(const TSpine& spine) {
  const TObjectManager& objects = spine.Objects();
  return objects.CountOfKind(kVertexKind) - objects.CountOfKind(kEdgeKind) +
         objects.CountOfKind(kCellKind);
}

TSpineChecker::TSpineChecker(TSpine& spine) : homology_(ChainHomology(spine)) {}

namespace {

std::string ListText(const std::vector<std::int32_t>& list) {
  std::string text = "(";
  for (std::size_t i = 0; i < list.size(); ++i) text += (i ? " " : "") + std::to_string(list[i]);
  return text + ")";
}

void CheckSurface(const TComplex& surface, int component, int index, std::ostringstream& faults) {
  if (surface.SurfaceClass() != 2) return;
  const TObjectManager& objects = surface.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* v = objects.At(k);
    if (ObjectKind(v) == kVertexKind && !VertexLabelBalance(v)) {
      faults << " labels unbalanced at a vertex of torus " << index << " of component " << component
             << ";";
      break;
    }
  }
  if (surface.AllEdgeLabelsZero()) return;
  // Curves 0 and 1 must be a basis (else there is no matrix); curves 2 and 3,
  // when the torus carries them, another one.
  int m[4] = {0, 0, 0, 0};
  if (SpineBoundaryGluingMatrix(surface, m) == 0) {
    faults << " curves 0 and 1 are no basis on torus " << index << " of component " << component << ";";
    return;
  }
  bool glued = false;
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* e = objects.At(k);
    if (ObjectKind(e) == kEdgeKind) glued = glued || TEdge::Label(e, 2) != 0 || TEdge::Label(e, 3) != 0;
  }
  long long det = static_cast<long long>(m[0]) * m[3] - static_cast<long long>(m[1]) * m[2];
  if (glued && det != 1 && det != -1)
    faults << " gluing matrix of determinant " << det << " on torus " << index << ";";
}

}  // namespace

::testing::AssertionResult TSpineChecker::Check(TSpine& spine, bool keepsHomology) const {
  std::ostringstream faults;
  if (ValidateSpine(spine) == 0) {
    TString status;
    GetLastStatusText(status);
    faults << " consistency check failed (" << status.CStr() << ");";
  }
  if (!spine.IsThickened()) faults << " not thickened;";
  int component = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next(), ++component) {
    int sum = 0;
    for (int i = 0; i < s->BoundaryCount(); ++i) {
      int euler = 0;
      s->BoundaryAt(i)->SurfaceClass(&euler);
      sum += euler;
      CheckSurface(*s->BoundaryAt(i), component, i, faults);
    }
    int chi = SpineEulerCharacteristic(*s);
    if (s->BoundaryCount() > 0 && sum != 2 * chi)
      faults << " component " << component << ": boundary characteristic " << sum
             << " is not 2 x " << chi << ";";
  }
  if (keepsHomology) {
    std::vector<std::int32_t> now = ChainHomology(spine);
    if (HomologyGroupsEqual(now, homology_) == 0)
      faults << " homology " << ListText(now) << " was " << ListText(homology_) << ";";
  }
  std::string text = faults.str();
  if (text.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "spine check:" << text;
}
