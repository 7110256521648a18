// Spine from details and details from a spine.
//
// A completely glued set of details (a singular triangulation) and a special
// spine are dual to each other: every detail is a true vertex of the spine,
// every glued pair of faces an edge (from the vertex of the detail that holds
// its end 1 to the vertex of the other), and every cycle of tetrahedron edges
// around one edge of the triangulation a 2-cell.
//
// Building the spine: vertices and edges come straight from the details and
// their face pairs. The cells are traced: starting at a position p of a face
// f of a detail D, the walk crosses face f into the partner, arriving in its
// face g at position p' (the correspondence of (f, p)); the tetrahedron edge
// at position p' of face g lies in exactly one other face of the partner,
// namely the face opposite the corner at position p' of g, and there again at
// position p'. The walk goes on through that face, and the spine edges dual
// to the faces crossed are the boundary word of the cell. On a consistent
// gluing the step is a permutation of the (detail, face, position) triples,
// so every walk comes back to its start; every position of every face is met
// by exactly one cell. The walk is bounded by the number of triples, so an
// inconsistent description cannot make it run on.
//
// The details of a spine: at a true vertex the four edge ends are sorted by
// the number of the vertex at their other end, face i of the detail standing
// for the i-th; each corner of a cell at the vertex is a position of the two
// faces it joins, and following one passage of a cell from its start vertex
// to its end vertex glues the two faces it crosses, position to position.
//
// Orientation: the corners of each face are listed so that all four faces
// carry the orientation seen from inside the detail. Two details glued with
// coherent orientations see their common face from opposite sides, so their
// face map is odd; marks spread with that rule, and a detail that would need
// both marks proves the triangulation non-orientable.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/edge.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/vertex.h"

namespace {

constexpr int kHeadingDetailError = 400;
constexpr int kMessageVertexValency = 418;
constexpr int kMessageEdgeValency = 419;
constexpr const char* kSourceName = "details_spine";

// The details of a description in the manager's order.
std::vector<TObjectHeader*> DetailsOf(const TObjectManager& objects) {
  std::vector<TObjectHeader*> details;
  for (int k = 0; k < objects.Count(); ++k)
    if (ObjectKind(objects.At(k)) == kDetailKind) details.push_back(objects.At(k));
  return details;
}

// Sets one correspondence unless it already holds the value; a different
// value already there is refused (message 420) and gives false.
bool SetCorrespondenceOnce(TObjectHeader* detail, int face, int position, int value) {
  if (TDetail::Correspondence(detail, face, position) == value) return true;
  return TDetail::SetCorrespondence(detail, face, position, value, 1) == 1;
}

}  // namespace

void TDetailsDescription::ResetBuildState() {
  for (TObjectHeader* detail : DetailsOf(objects_)) {
    TDetail::ClearVertex(detail);
    TDetail::ResetEdges(detail);
  }
}

int TDetailsDescription::BuildVertices(TComplex& complex) {
  int count = 0;
  for (TObjectHeader* detail : DetailsOf(objects_)) {
    TObjectHeader* vertex = complex.Objects().CreateObject(kVertexKind);
    ObjectSetNumber(vertex, ObjectNumber(detail));
    ObjectSetNameText(vertex, nullptr, ObjectDisplayName(detail));
    TDetail::SetVertex(detail, vertex);
    ++count;
  }
  return count;
}

void TDetailsDescription::BuildEdges(TComplex& complex) {
  int counter = 0;
  for (TObjectHeader* detail : DetailsOf(objects_)) {
    for (int face = 0; face < 4; ++face) {
      if (TDetail::FaceEdge(detail, face).IsValid()) continue;
      TObjectHeader* partner = TDetail::Partner(detail, face);
      int partnerFace = TDetail::PartnerFace(detail, face);
      TObjectHeader* edge = complex.Objects().CreateObject(kEdgeKind);
      ObjectSetNumber(edge, ++counter);
      TDetail::AttachEdgeEnd(detail, edge, 1, face);
      TDetail::AttachEdgeEnd(partner, edge, 2, partnerFace);
      if (SuppressObjectNames == 0) {
        std::string name = FormatText("[%s_%u;%s_%u]", ObjectDisplayName(detail),
                                      static_cast<unsigned>(face + 1), ObjectDisplayName(partner),
                                      static_cast<unsigned>(partnerFace + 1));
        ObjectSetNameText(edge, nullptr, name.c_str());
      }
    }
  }
}

void TDetailsDescription::TraceCell(TComplex& complex, TObjectHeader* first, int firstFace,
                                    int firstPosition) {
  TObjectHeader* cell = complex.Objects().CreateObject(kCellKind);
  int value = complex.Objects().IndexOf(cell);
  TObjectHeader* detail = first;
  int face = firstFace;
  int position = firstPosition;
  // Every triple is met at most once on a consistent gluing.
  long steps = 12L * DetailCount() + 1;
  do {
    if (--steps < 0 || TDetail::Of(detail) == nullptr) {
      ReportInternalError(kSourceName, __LINE__);
      return;
    }
    TDetail::SetEdgeValue(detail, value, face, position);
    THandle edge = TDetail::FaceEdge(detail, face);
    TCell::AppendPassage(cell, edge, TDetail::FaceFlag(detail, face) == 1 ? 1 : 2);
    int arrival = TDetail::Correspondence(detail, face, position);
    int partnerFace = TDetail::PartnerFace(detail, face);
    detail = TDetail::Partner(detail, face);
    face = TDetail::FaceCornerMap(partnerFace, arrival);
    position = arrival;
    if (face < 0 || position < 0) {
      ReportInternalError(kSourceName, __LINE__);
      return;
    }
  } while (detail != first || face != firstFace || position != firstPosition);
}

void TDetailsDescription::BuildCells(TComplex& complex) {
  for (TObjectHeader* detail : DetailsOf(objects_))
    for (int face = 0; face < 4; ++face)
      for (int position = 0; position < 3; ++position)
        if (TDetail::EdgeValue(detail, face, position) == -1)
          TraceCell(complex, detail, face, position);
}

int TDetailsDescription::BuildComplex(TComplex& complex, int mode) {
  if (CheckComplete(1) == 0) return 0;
  ResetBuildState();
  complex.Objects().SetCreationTag(1);
  BuildVertices(complex);
  BuildEdges(complex);
  BuildCells(complex);
  if (mode != 2)
    for (TObjectHeader* detail : DetailsOf(objects_)) TDetail::ClearVertex(detail);
  return 1;
}

int TDetailsDescription::BuildSpine(TSpine& spine, int mode) {
  if (BuildComplex(spine, mode) == 0) return 0;
  spine.SetSourceKind(kSourceDetails);
  return 1;
}

// ---- Details of a spine ------------------------------------------------------------------

namespace {

using TObjectPositions = std::unordered_map<const TObjectHeader*, int>;
using TDetailOfVertex = std::unordered_map<const TObjectHeader*, TObjectHeader*>;

int PositionIn(const TObjectPositions& positions, const TObjectHeader* object) {
  if (object == nullptr) return -1;
  auto found = positions.find(object);
  return found == positions.end() ? -1 : found->second;
}

THandle DetailAt(const TDetailOfVertex& detailOf, const THandle& vertex) {
  auto found = detailOf.find(vertex.Object());
  return found == detailOf.end() ? THandle() : THandle(found->second);
}

// One edge end at a vertex, as a face of the vertex's detail.
struct TEdgeEndRecord {
  int slot = -1;         // position in the vertex's edge list
  int index = -1;        // position in the spine's object list
  int end = 0;           // 1 or 2; 0 for a missing edge
  int otherNumber = -1;  // number of the vertex at the edge's other end
  const TObjectHeader* edge = nullptr;
};

}  // namespace

// Fills a detail from a spine vertex (valency at most 4). False with message
// 418 for a larger valency.
static bool DetailFromVertex(TObjectHeader* detail, const TObjectPositions& positions,
                             TObjectHeader* vertex) {
  int valency = TVertex::Valency(vertex);
  if (valency > 4) {
    TString message;
    message.FormatResource(kMessageVertexValency, ObjectDisplayName(vertex),
                           static_cast<unsigned>(valency));
    ReportStatus(message, kHeadingDetailError);
    return false;
  }
  TEdgeEndRecord records[4];
  for (int i = 0; i < 4; ++i) {
    THandle edge = TVertex::EdgeAt(vertex, i);
    if (!edge.IsValid()) continue;
    TEdgeEndRecord& r = records[i];
    r.slot = i;
    r.edge = edge.Object();
    r.index = PositionIn(positions, edge);
    bool first = TEdge::End(edge, 1).Object() == vertex;
    r.end = first ? 1 : 2;
    r.otherNumber = TEdge::End(edge, first ? 2 : 1).Number();
  }
  // Selection sort by the other end's number, the first minimum kept in place.
  for (int i = 0; i < 3; ++i) {
    int least = i;
    for (int j = i + 1; j < 4; ++j)
      if (records[j].otherNumber < records[least].otherNumber) least = j;
    if (least != i) std::swap(records[i], records[least]);
  }
  // A loop occupies two faces: the earlier holds its end 1, the later its end 2.
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      if (records[i].edge != nullptr && records[i].edge == records[j].edge) {
        records[i].end = 1;
        records[j].end = 2;
      }
  TDetail::SetVertex(detail, vertex);
  TDetail* d = TDetail::Of(detail);
  for (int face = 0; face < 4; ++face) {
    d->edgeSlot[face] = records[face].slot;
    d->edgeIndex[face] = records[face].index;
    d->edgeEnd[face] = records[face].end;
  }
  ObjectSetNameText(detail, nullptr, ObjectDisplayName(vertex));
  return true;
}

// Glues the detail at the start vertex of passage i of the cell to the detail
// at its end vertex, across the face that the passage's edge crosses. False
// when the details do not have the faces and positions the passage needs, or a
// position was already glued otherwise.
static bool GlueAlongCell(const TObjectPositions& positions, const TDetailOfVertex& detailOf,
                          TObjectHeader* cell, int i) {
  int length = TCell::BoundaryLength(cell);
  int d = 0;
  int d1 = 0;
  int d2 = 0;
  THandle edge = TCell::PassageAt(cell, i, &d);
  THandle previous = TCell::PassageAt(cell, TCell::NeighbourIndex(cell, i, 1), &d1);
  THandle next = TCell::PassageAt(cell, TCell::NeighbourIndex(cell, i, 0), &d2);
  if (length == 0 || !edge.IsValid()) return false;
  THandle a = DetailAt(detailOf, TEdge::End(edge, 1, d));
  THandle b = DetailAt(detailOf, TEdge::End(edge, 2, d));
  const int edgeIndex = PositionIn(positions, edge);
  int positionA = TDetail::CommonEdgeAt(a, PositionIn(positions, previous), d1, edgeIndex, d);
  int positionB = TDetail::CommonEdgeAt(b, edgeIndex, d, PositionIn(positions, next), d2);
  int faceA = TDetail::FaceOfEdgeAt(a, edgeIndex, d, 0);
  int faceB = TDetail::FaceOfEdgeAt(b, edgeIndex, d, 1);
  if (!a.IsValid() || !b.IsValid() || positionA < 0 || positionB < 0 || faceA < 0 || faceB < 0)
    return false;
  bool accepted = SetCorrespondenceOnce(a, faceA, positionA, positionB);
  accepted = SetCorrespondenceOnce(b, faceB, positionB, positionA) && accepted;
  TDetail::SetPartnerFace(a, faceA, faceB);
  TDetail::SetPartnerFace(b, faceB, faceA);
  TDetail::SetPartner(a, faceA, b);
  TDetail::SetPartner(b, faceB, a);
  return accepted;
}

int TDetailsDescription::FromSpine(const TComplex& spine) {
  const TObjectManager& objects = spine.Objects();
  // The spine does not change during the pass: its list positions and the
  // detail of each vertex are looked up in maps made once, not by walks over
  // the lists (which made the pass quadratic in the size of the spine).
  const TObjectPositions positions = PositionsOfObjects(objects);
  TDetailOfVertex detailOf;
  for (TObjectHeader* earlier : DetailsOf(objects_)) detailOf.try_emplace(TDetail::Vertex(earlier).Object(), earlier);
  TStopPoll poll;
  for (int k = 0; k < objects.Count(); ++k) {
    poll.Step();
    TObjectHeader* vertex = objects.At(k);
    if (ObjectKind(vertex) != kVertexKind) continue;
    TObjectHeader* detail = NewDetail();
    if (!DetailFromVertex(detail, positions, vertex)) {
      for (TObjectHeader* made : DetailsOf(objects_)) RemoveDetail(made);
      return 0;
    }
    // The first detail of a vertex counts, as a walk over the details finds it.
    detailOf.try_emplace(vertex, detail);
  }
  int result = 1;
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* edge = objects.At(k);
    if (ObjectKind(edge) != kEdgeKind) continue;
    int valency = TEdge::Valency(edge);
    if (valency >= 1 && valency <= 3) continue;
    TString message;
    message.FormatResource(kMessageEdgeValency, ObjectDisplayName(edge),
                           static_cast<unsigned>(valency));
    ReportStatus(message, kHeadingDetailError);
    result = 0;
  }
  for (int k = 0; k < objects.Count(); ++k) {
    poll.Step();
    TObjectHeader* cell = objects.At(k);
    if (ObjectKind(cell) != kCellKind) continue;
    for (int i = 0; i < TCell::BoundaryLength(cell); ++i) {
      poll.Step();
      if (!GlueAlongCell(positions, detailOf, cell, i)) result = 0;
    }
  }
  if (result == 1) result = CheckComplete(1);
  return result;
}

int TDetailsDescription::Orient() {
  if (CheckComplete(1) == 0) return 1;
  std::vector<TObjectHeader*> details = DetailsOf(objects_);
  if (details.empty()) return 1;
  if (TDetail::Mark(details.front()) == 0) TDetail::SetMark(details.front(), 1);
  // Marks spread from every marked detail across its faces, each detail
  // passed on once (a search, not repeated sweeps over all details).
  std::vector<TObjectHeader*> marked;
  for (TObjectHeader* detail : details)
    if (TDetail::Mark(detail) != 0) marked.push_back(detail);
  TStopPoll poll;
  while (!marked.empty()) {
    poll.Step();
    TObjectHeader* detail = marked.back();
    marked.pop_back();
    int mark = TDetail::Mark(detail);
    for (int face = 0; face < 4; ++face) {
      TObjectHeader* partner = TDetail::Partner(detail, face);
      if (partner == nullptr) continue;
      int wanted = TDetail::FaceMapIsEven(detail, face) ? 3 - mark : mark;
      int present = TDetail::Mark(partner);
      if (present == 0) {
        TDetail::SetMark(partner, wanted);
        marked.push_back(partner);
      } else if (present != wanted) {
        return 0;
      }
    }
  }
  return 1;
}
