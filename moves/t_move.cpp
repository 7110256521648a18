// T-moves and inverse T-moves (see t_move.h).
//
// The move is made on the dual triangulation: the spine's details (one
// tetrahedron per vertex, model/details_description.h) are read into plain
// gluings, the 2-3 move (T-move) or 3-2 move (inverse) is made there, and the
// spine is built again from the result. Identity of what the move does not
// touch is carried over through the triangulation: a spine edge is a glued
// face and a 2-cell a tetrahedron edge, and every tetrahedron the move keeps
// has the same faces and edges before and after, so the objects dual to them
// hand their names and marks to their new counterparts.
//
// Caveat: the rebuild costs time linear in the whole spine, not in the size
// of the move; the clouds of t_move_search.h rebuild every spine from text
// anyway, so this costs them no more than a constant factor.
#include "moves/t_move.h"

#include <array>
#include <unordered_map>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/edge.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "moves/tet_gluing.h"
#include "presentations/cells/boundary_curves_presentation.h"

TObjectHeader* TMoveObjectAt(const TSpine& spine, int kind, int index) {
  if (index < 0) return nullptr;
  const TObjectManager& objects = spine.Objects();
  for (int k = 0, seen = 0; k < objects.Count(); ++k) {
    if (ObjectKind(objects.At(k)) != kind) continue;
    if (seen++ == index) return objects.At(k);
  }
  return nullptr;
}

namespace {

bool IsCandidate(const TObjectHeader* object) {
  THandle handle(const_cast<TObjectHeader*>(object));
  return handle.Mark(0) == 'a' && handle.Mark(1) != 'c';
}

int FindCandidate(const TSpine& spine, int kind, int last) {
  const TObjectManager& objects = spine.Objects();
  const int n = objects.CountOfKind(kind);
  if (n == 0 || (last != -1 && last >= n - 1)) return -1;
  const int from = last < 0 ? 0 : last + 1;
  TStopPoll poll;
  for (int k = 0, ordinal = 0; k < objects.Count(); ++k) {
    poll.Step();
    TObjectHeader* object = objects.At(k);
    if (ObjectKind(object) != kind) continue;
    if (ordinal >= from && IsCandidate(object)) return ordinal;
    ++ordinal;
  }
  return -1;
}

// The start vertices of the three passages of a triangle, when they are three
// distinct vertices; false otherwise.
bool TriangleCorners(const TObjectHeader* cell, std::array<TObjectHeader*, 3>& corners) {
  if (TCell::Type(cell) != 1 || TCell::BoundaryLength(cell) != 3) return false;
  for (int i = 0; i < 3; ++i) {
    int d = 0;
    THandle edge = TCell::PassageAt(cell, i, &d);
    corners[i] = TEdge::End(edge, 1, d).Object();
    if (corners[i] == nullptr) return false;
  }
  return corners[0] != corners[1] && corners[1] != corners[2] && corners[0] != corners[2];
}

// The spine and its dual triangulation, with the objects dual to each face
// and tetrahedron edge.
struct TDualOfSpine {
  TTetGluing gluing;
  std::unordered_map<const TObjectHeader*, int> tetOfVertex;
  std::unordered_map<const TObjectHeader*, int> positions;
  std::vector<TObjectHeader*> vertexOfTet;
  std::vector<std::array<TObjectHeader*, 4>> edgeOfFace;
  std::vector<std::array<TObjectHeader*, 6>> cellOfTetEdge;
  std::vector<TObjectHeader*> details;
};

// The tetrahedron edge that the cell's corner at the start of passage i winds
// around, as (tetrahedron, edge number); false when it cannot be read.
bool CornerTetEdge(const TDualOfSpine& dual, const TObjectHeader* cell, int i, int* tet,
                   int* tetEdge) {
  int d = 0;
  int dp = 0;
  THandle edge = TCell::PassageAt(cell, i, &d);
  THandle previous = TCell::PassageAt(cell, TCell::NeighbourIndex(cell, i, 1), &dp);
  auto found = dual.tetOfVertex.find(TEdge::End(edge, 1, d).Object());
  auto edgePosition = dual.positions.find(edge.Object());
  auto previousPosition = dual.positions.find(previous.Object());
  if (found == dual.tetOfVertex.end() || edgePosition == dual.positions.end() ||
      previousPosition == dual.positions.end())
    return false;
  TObjectHeader* detail = dual.details[found->second];
  const int position =
      TDetail::CommonEdgeAt(detail, previousPosition->second, dp, edgePosition->second, d);
  const int face = TDetail::FaceOfEdgeAt(detail, edgePosition->second, d, 0);
  if (position < 0 || face < 0) return false;
  *tet = found->second;
  *tetEdge = EdgeIndexOfCorners(face, position);
  return *tetEdge >= 0;
}

bool ReadDual(const TSpine& spine, TDetailsDescription& description, TDualOfSpine& dual) {
  if (description.FromSpine(spine) == 0) return false;
  if (!dual.gluing.FromDetails(description, &dual.details)) return false;
  dual.positions = PositionsOfObjects(spine.Objects());
  const int n = dual.gluing.Count();
  dual.vertexOfTet.assign(n, nullptr);
  dual.edgeOfFace.assign(n, {nullptr, nullptr, nullptr, nullptr});
  dual.cellOfTetEdge.assign(n, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr});
  for (int t = 0; t < n; ++t) {
    TObjectHeader* vertex = TDetail::Vertex(dual.details[t]).Object();
    dual.vertexOfTet[t] = vertex;
    dual.tetOfVertex.emplace(vertex, t);
    const TDetail* d = TDetail::Of(dual.details[t]);
    for (int f = 0; f < 4; ++f)
      if (d->edgeIndex[f] >= 0) dual.edgeOfFace[t][f] = spine.Objects().At(d->edgeIndex[f]);
  }
  TStopPoll poll;
  const TObjectManager& objects = spine.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* cell = objects.At(k);
    if (ObjectKind(cell) != kCellKind) continue;
    for (int i = 0; i < TCell::BoundaryLength(cell); ++i) {
      poll.Step();
      int tet = -1;
      int tetEdge = -1;
      if (CornerTetEdge(dual, cell, i, &tet, &tetEdge)) dual.cellOfTetEdge[tet][tetEdge] = cell;
    }
  }
  return true;
}

void CarryIdentity(const TObjectHeader* from, TObjectHeader* to) {
  if (from == nullptr || to == nullptr) return;
  THandle source(const_cast<TObjectHeader*>(from));
  THandle target(to);
  for (int m = 0; m < 4; ++m) target.SetMark(m, source.Mark(m));
  ObjectSetNameText(to, nullptr, ObjectNameText(from));
}

// Builds the complex of the moved gluing into the scratch complex, carries
// names and marks of what the move kept, and gives the list positions of the
// detail objects of the new tetrahedra.
std::vector<TObjectHeader*> BuildMoved(const TDualOfSpine& dual, const TTetGluing& moved,
                                       TDetailsDescription& description, TComplex& scratch) {
  std::vector<TObjectHeader*> details;
  moved.ToDetails(description, &details);
  description.BuildComplex(scratch, 2);
  TObjectManager& objects = scratch.Objects();
  for (int k = 0; k < objects.Count(); ++k) ObjectSetNameObject(objects.At(k), nullptr);
  TStopPoll poll;
  for (int t = 0; t < moved.Count(); ++t) {
    poll.Step();
    const int old = moved.At(t).origin;
    if (old < 0) continue;
    CarryIdentity(dual.vertexOfTet[old], TDetail::Vertex(details[t]).Object());
    for (int f = 0; f < 4; ++f)
      CarryIdentity(dual.edgeOfFace[old][f], TDetail::FaceEdge(details[t], f).Object());
    const TDetail* d = TDetail::Of(details[t]);
    for (int e = 0; e < 6; ++e)
      if (d->edgeValue[e] >= 0) CarryIdentity(dual.cellOfTetEdge[old][e], objects.At(d->edgeValue[e]));
  }
  return details;
}

// Mark 0 'a' is given only to what the performers accept: edges that are
// not loops, triangles with three distinct corners.
void SetMarks(TObjectHeader* object, int mark0, int mark1) {
  THandle handle(object);
  std::array<TObjectHeader*, 3> corners{};
  const bool movable = handle.Kind() == kEdgeKind ? !TEdge::IsLoop(object)
                                                  : TriangleCorners(object, corners);
  if (mark0 != 0 && movable) handle.SetMark(0, mark0);
  if (mark1 != 0) handle.SetMark(1, mark1);
}

// Marks the edges at the vertex and the cells around each of them.
void MarkAround(TObjectHeader* vertex, int mark0, int mark1) {
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    THandle edge = TVertex::EdgeAt(vertex, i);
    SetMarks(edge, mark0, mark1);
    for (int c = 0; c < TEdge::Valency(edge); ++c) SetMarks(TEdge::CellAt(edge, c), mark0, mark1);
  }
}

// Puts the moved complex in place of the spine's, keeping the spine's own
// data (log, homology, source kind). Returns the object that stood at the
// scratch position in the spine.
TObjectHeader* Install(TSpine& spine, TComplex& scratch, int position) {
  const bool thickened = spine.IsThickened();
  if (thickened) spine.RemoveThickObjects();
  scratch.CopyTo(spine);
  TObjectHeader* made = spine.Objects().At(position);
  // Mode 2: the orientability and the molecule's atoms are not touched (the
  // manifold is the same).
  if (thickened) spine.Thicken(2);
  return made;
}

bool SpineIsMovable(const TSpine& spine) {
  return spine.Next() == nullptr && TMovesApplyTo(spine);
}

}  // namespace

bool TMovesApplyTo(const TSpine& spine) {
  if (spine.Next() != nullptr || !spine.AllEdgeLabelsZero()) return false;
  return !spine.IsThickened() || spine.CountBoundaries(2) == 0;
}

int FindTMoveEdge(const TSpine& spine, int last) { return FindCandidate(spine, kEdgeKind, last); }

int FindInverseTMoveCell(const TSpine& spine, int last) {
  if (spine.Objects().CountOfKind(kVertexKind) <= 2) return -1;
  return FindCandidate(spine, kCellKind, last);
}

THandle PerformTMove(TSpine& spine, int edgeIndex) {
  TObjectHeader* edge = TMoveObjectAt(spine, kEdgeKind, edgeIndex);
  if (edge == nullptr || TEdge::IsLoop(edge) || TEdge::Valency(edge) != 3 || !SpineIsMovable(spine))
    return THandle();
  TDetailsDescription description;
  TDualOfSpine dual;
  if (!ReadDual(spine, description, dual)) return THandle();
  auto tet = dual.tetOfVertex.find(TEdge::End(edge, 1).Object());
  if (tet == dual.tetOfVertex.end()) return THandle();
  int face = -1;
  for (int f = 0; f < 4; ++f)
    if (dual.edgeOfFace[tet->second][f] == edge && TDetail::Of(dual.details[tet->second])->edgeEnd[f] == 1)
      face = f;
  TTetGluing moved = dual.gluing;
  if (face < 0 || !moved.TwoThree(tet->second, face)) return THandle();
  TDetailsDescription result;
  TComplex scratch;
  std::vector<TObjectHeader*> details = BuildMoved(dual, moved, result, scratch);
  // Corners 0 and 1 of the new tetrahedra span the new edge (edge number 2),
  // dual to the new triangle.
  const int position = TDetail::Of(details[moved.Count() - 1])->edgeValue[2];
  THandle triangle(Install(spine, scratch, position));
  for (int i = 0; i < 3; ++i) {
    int d = 0;
    THandle side = TCell::PassageAt(triangle, i, &d);
    MarkAround(TEdge::End(side, 1, d), 'a', 'd');
  }
  triangle.SetMark(0, 'b');
  triangle.SetMark(1, 'c');
  return triangle;
}

THandle PerformInverseTMove(TSpine& spine, int cellIndex) {
  TObjectHeader* cell = TMoveObjectAt(spine, kCellKind, cellIndex);
  std::array<TObjectHeader*, 3> corners{};
  if (cell == nullptr || !TriangleCorners(cell, corners) || !SpineIsMovable(spine)) return THandle();
  TDetailsDescription description;
  TDualOfSpine dual;
  if (!ReadDual(spine, description, dual)) return THandle();
  int tet = -1;
  int tetEdge = -1;
  if (!CornerTetEdge(dual, cell, 0, &tet, &tetEdge)) return THandle();
  // Tetrahedron edge e joins the two corners that are not in {face, opposite}
  // of the numbering 0 {1,2}, 1 {0,2}, 2 {0,1}, 3 {0,3}, 4 {1,3}, 5 {2,3}.
  static constexpr int kEnds[6][2] = {{1, 2}, {0, 2}, {0, 1}, {0, 3}, {1, 3}, {2, 3}};
  TTetGluing moved = dual.gluing;
  if (!moved.ThreeTwo(tet, kEnds[tetEdge][0], kEnds[tetEdge][1])) return THandle();
  TDetailsDescription result;
  TComplex scratch;
  std::vector<TObjectHeader*> details = BuildMoved(dual, moved, result, scratch);
  // The two new tetrahedra are glued along their faces 3: that face is the new edge.
  TObjectHeader* central = TDetail::FaceEdge(details[moved.Count() - 2], 3).Object();
  THandle edge(Install(spine, scratch, scratch.Objects().IndexOf(central)));
  MarkAround(TEdge::End(edge, 1), 0, 'd');
  MarkAround(TEdge::End(edge, 2), 0, 'd');
  edge.SetMark(1, 'c');
  return edge;
}

std::string ReportTMove(const TSpine& spine, int edgeIndex) {
  const TObjectHeader* edge = TMoveObjectAt(spine, kEdgeKind, edgeIndex);
  return edge == nullptr ? std::string() : FormatText("T-move %s", ObjectDisplayName(edge));
}

std::string ReportInverseTMove(const TSpine& spine, int cellIndex) {
  TString text;
  TBoundaryCurvesPresentation::WriteCell(text, TMoveObjectAt(spine, kCellKind, cellIndex),
                                         kCellsBraced);
  return std::string("T^{-1}-move ") + text.CStr();
}

std::string FormatTMoveShort(const TSpine& spine, int kind, int index) {
  if (kind == 1)
    return FormatText("T(%u)", static_cast<unsigned>(ObjectNumber(TMoveObjectAt(spine, kEdgeKind, index))));
  if (kind == 2)
    return FormatText("T^{-1}(%u)",
                      static_cast<unsigned>(ObjectNumber(TMoveObjectAt(spine, kCellKind, index))));
  return std::string();
}
