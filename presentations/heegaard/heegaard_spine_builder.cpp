// Spines of Heegaard diagrams, genus-2 and extended, and the loaders that the
// document parse calls.
//
// The cells come from the constructions on a complex (heegaard_complex.cpp,
// heegaard_star_complex.cpp, ext_heegaard_complex.cpp); a spine is a complex
// with its source kind, numbered afresh once built.
//
// After a cell is removed (the extended build's extra disc, the star form's
// handle cells) the cell reductions unite the cells that met only there. The
// star form's spine is then thickened, and its cells and vertices around the
// ring are numbered by the side of the boundary they face.
#include <string>

#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/vertex.h"
#include "moves/cell_reductions.h"
#include "model/details_description.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/heegaard/heegaard_complex.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/heegaard/heegaard_text_support.h"

int THeegaardDiagram::BuildSpine(TSpine& spine) {
  if (kind_ == 4) return BuildStarSpine(spine);
  spine.Objects().SetCreationTag(1);
  const int result = BuildHeegaardComplex(*this, spine);
  if (result == 5 || result == 0) return result;
  RunCellReductions(spine);
  spine.Objects().Renumber();
  spine.SetSourceKind(kSourceHeegaardDiagram);
  return result;
}

namespace {

// Numbers the cells and vertices around the star form's ring on a thickened
// spine: the reference cells 1 and 2, the ring's vertices 1 .. n in ring
// order, and the cells around the ring's edges by the side of the surface
// they face (those with a copy in the boundary surface of the first
// reference cell's "-" copy from 3 upward, the others from n/2 + 2 upward);
// every edge is then named after its end vertices. Objects the cell
// reductions took away are passed over.
void NumberStarRing(TSpine& spine, const THeegaardStarBuild& build) {
  const int n = static_cast<int>(build.ring.size());
  THandle thick[2];
  for (int k = 0; k < 2; ++k) {
    if (!spine.Objects().Contains(build.reference[k])) return;
    thick[k] = ThickCellOfCell(spine, build.reference[k]);
    if (!thick[k].IsValid()) return;
  }
  const TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(thick[0], 3));
  TObjectManager& objects = spine.Objects();
  for (TObjectHeader* cell = objects.First(kCellKind); cell != nullptr; cell = objects.Next(cell)) {
    THandle thickCell = ThickCellOfCell(spine, cell);
    if (thickCell.IsValid()) TThickCell::SetNumber(thickCell, -1);
  }
  TThickCell::SetNumber(thick[0], 1);
  TThickCell::SetNumber(thick[1], 2);
  int p = 2;
  int q = n / 2 + 1;
  THandle previous = TDetail::Vertex(build.ring[static_cast<std::size_t>(n - 1)]);
  for (int i = 0; i < n; ++i) {
    THandle vertex = TDetail::Vertex(build.ring[static_cast<std::size_t>(i)]);
    if (!objects.Contains(vertex)) {
      previous = vertex;
      continue;
    }
    vertex.SetNumber(i + 1);
    THandle edge = TVertex::CommonEdge(vertex, previous);
    for (int k = 0; k < 3 && edge.IsValid(); ++k) {
      THandle cell = TEdge::CellAt(edge, k);
      if (!cell.IsValid() || cell.Object() == build.reference[0].Object()) continue;
      THandle thickCell = ThickCellOfCell(spine, cell);
      if (!thickCell.IsValid() || cell.Number() != -1) continue;
      const bool facing = surface != nullptr &&
                          (surface->Objects().Contains(TThickCell::Part(thickCell, 3)) ||
                           surface->Objects().Contains(TThickCell::Part(thickCell, 2)));
      TThickCell::SetNumber(thickCell, facing ? ++p : ++q);
    }
    previous = vertex;
  }
  for (TObjectHeader* edge = objects.First(kEdgeKind); edge != nullptr; edge = objects.Next(edge)) {
    const std::string name = "v" + std::to_string(TEdge::End(edge, 1).Number()) + "v" +
                             std::to_string(TEdge::End(edge, 2).Number());
    THandle(edge).SetName(nullptr, name.c_str());
  }
}

}  // namespace

int THeegaardDiagram::BuildStarSpine(TSpine& spine) {
  // A diagram that is not in star form is refused as it stands.
  if (!StarFormAllowed(*this)) return 0;
  TDetailsDescription description;
  THeegaardStarBuild build;
  GlueHeegaardStarDetails(*this, description, build);
  // The details' own completeness report would only confuse a reader of a
  // Heegaard diagram.
  SuppressStatus();
  const int built = description.BuildComplex(spine, 2);
  UnsuppressStatus();
  if (built == 0) return 0;
  FindStarReferenceCells(build);
  TSpine closed;
  spine.CopyTo(closed);
  RemoveStarHandleCells(spine, build);
  RunCellReductions(spine);
  if (spine.Thicken(1) == 1) {
    NumberStarRing(spine, build);
  } else {
    // Without a thickening the handles stay closed: the spine as it was
    // before the cells were removed.
    closed.CopyTo(spine);
  }
  spine.RemoveThickObjects();
  if (spine.MoleculeTable() != nullptr) spine.MoleculeTable()->Clear();
  spine.Objects().SortKindByNumber(kVertexKind);
  spine.Objects().SortKindByNumber(kCellKind);
  spine.SetSourceKind(kSourceHeegaardDiagram);
  return 1;
}

int LoadHeegaardDiagram(TSpine& spine, const char* text) {
  if (IsHeegaardText(text) == 0) return 0;
  THeegaardDiagram diagram;
  THeegaardReadError error;
  const char* end = nullptr;
  if (diagram.ParseText(text, end, &error) == 0) {
    ReportHeegaardReadError(error);
    return 0;
  }
  const int result = diagram.BuildSpine(spine);
  if (result == 5 || (result == 0 && diagram.Kind() == 4)) {
    SetTextReadError(&error, result == 5 ? kHeegaardNoArcs : kHeegaardStarRefused, text,
                     FirstTokenOffset(text));
    ReportHeegaardReadError(error);
  }
  return result == 5 ? 0 : 1;
}

int TExtHeegaardDiagram::BuildSpine(TSpine* spine, TExtHeegaardDiagram* dual) const {
  if (spine == nullptr) return ExtHeegaardBuildCode(*this, dual);
  spine->Objects().SetCreationTag(1);
  const int code = BuildExtHeegaardComplex(*this, *spine, dual);
  spine->SetSourceKind(kSourceExtHeegaardDiagram);
  return code;
}

int LoadExtHeegaardDiagram(TSpine& spine, const char* text) {
  if (IsExtHeegaardText(text) == 0) return 0;
  TExtHeegaardDiagram diagram;
  THeegaardReadError error;
  const char* end = nullptr;
  if (diagram.Parse(text, end, &error) == 0) {
    ReportHeegaardReadError(error);
    return 0;
  }
  // Only regular diagrams are diagrams of this form (positive arc counts of
  // one parity, each twist of the other parity and below the number of arc
  // ends on its disc); the builder would still make some complex of the
  // others, which the reader must not hand on as the diagram's spine.
  if (diagram.IsRegular() == 0) {
    int why = kExtHeegaardParityBroken;
    if (diagram.A(0) <= 0 || diagram.A(1) <= 0 || diagram.A(2) <= 0) {
      why = kExtHeegaardArcCountNotPositive;
    } else {
      for (int k = 0; k < 3; ++k) {
        const int sum = diagram.A((k + 1) % 3) + diagram.A((k + 2) % 3);
        if (diagram.B(k) < 0 || diagram.B(k) >= sum) why = kExtHeegaardTwistOutOfRange;
      }
    }
    SetTextReadError(&error, why, text, FirstTokenOffset(text));
    ReportHeegaardReadError(error);
    return 0;
  }
  return diagram.BuildSpine(&spine, nullptr) == kExtBuildDone ? 1 : 0;
}
