// Details: faces, gluings and the corner tables of a tetrahedron. See detail.h.
//
// The corner table lists, for face f (opposite corner f), its three corners in
// an order chosen so that corner a stands in face b at the same position as
// corner b in face a; that common position is OppositeCorner(a, b). A gluing
// of face a of detail A to face b of detail B is the correspondence of
// positions p -> correspondence[a][p]; read as a permutation of (0, 1, 2) it is
// even exactly when it keeps the cyclic order of the corners, which decides
// whether the two tetrahedra are glued with coherent orientations.
#include "model/detail.h"

#include <utility>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"

namespace {

constexpr int kHeadingDetailError = 400;
constexpr int kMessageGluingDefined = 420;

constexpr int kFaceCorners[4][3] = {{3, 2, 1}, {2, 3, 0}, {1, 0, 3}, {0, 1, 2}};

bool IsFace(int face) { return face >= 0 && face < 4; }
bool IsPosition(int position) { return position >= 0 && position < 3; }

void ResetFaces(TDetail* d) {
  for (int f = 0; f < 4; ++f) {
    d->edgeSlot[f] = -1;
    d->edgeEnd[f] = 0;
  }
}

}  // namespace

TDetail* TDetail::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kDetailKind) return nullptr;
  return static_cast<TDetail*>(const_cast<TObjectHeader*>(object));
}

void TDetail::SetVertex(TObjectHeader* detail, TObjectHeader* vertex) {
  TDetail* d = Of(detail);
  if (d == nullptr) return;
  d->vertex.AssignObject(vertex);
  ResetFaces(d);
}

THandle TDetail::Vertex(const TObjectHeader* detail) {
  const TDetail* d = Of(detail);
  return d == nullptr ? THandle() : d->vertex;
}

void TDetail::ClearVertex(TObjectHeader* detail) {
  TDetail* d = Of(detail);
  if (d == nullptr) return;
  d->vertex.AssignObject(nullptr);
  ResetFaces(d);
}

void TDetail::ResetEdges(TObjectHeader* detail) {
  TDetail* d = Of(detail);
  if (d == nullptr) return;
  for (int f = 0; f < 4; ++f) d->edgeIndex[f] = -1;
  for (int e = 0; e < 6; ++e) d->edgeValue[e] = -1;
}

void TDetail::SetMark(TObjectHeader* detail, int mark) {
  if (TDetail* d = Of(detail)) d->mark = mark;
}

int TDetail::Mark(const TObjectHeader* detail) {
  const TDetail* d = Of(detail);
  return d == nullptr ? 0 : d->mark;
}

void TDetail::SetPartner(TObjectHeader* detail, int face, TObjectHeader* partner) {
  TDetail* d = Of(detail);
  if (d != nullptr && IsFace(face)) d->partner[face] = partner;
}

THandle TDetail::Partner(const TObjectHeader* detail, int face) {
  const TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(face)) return THandle();
  return THandle(d->partner[face]);
}

void TDetail::SetPartnerFace(TObjectHeader* detail, int face, int partnerFace) {
  TDetail* d = Of(detail);
  if (d != nullptr && IsFace(face)) d->partnerFace[face] = partnerFace;
}

int TDetail::PartnerFace(const TObjectHeader* detail, int face) {
  const TDetail* d = Of(detail);
  return d == nullptr || !IsFace(face) ? -1 : d->partnerFace[face];
}

int TDetail::SetCorrespondence(TObjectHeader* detail, int face, int position, int value,
                               int mode) {
  TDetail* d = Of(detail);
  if (d == nullptr) return 1;
  if (!IsFace(face) || !IsPosition(position)) return 0;
  if (mode != 2 && d->correspondence[face][position] != -1) {
    TString message;
    message.FormatResource(kMessageGluingDefined, ObjectDisplayName(detail),
                           static_cast<unsigned>(face + 1), static_cast<unsigned>(position + 1));
    ReportStatus(message, kHeadingDetailError);
    return 0;
  }
  d->correspondence[face][position] = value;
  return 1;
}

int TDetail::Correspondence(const TObjectHeader* detail, int face, int position) {
  const TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(face) || !IsPosition(position)) return -1;
  return d->correspondence[face][position];
}

void TDetail::FaceCorrespondences(const TObjectHeader* detail, int face, int* x, int* y, int* z) {
  if (x != nullptr) *x = Correspondence(detail, face, 0);
  if (y != nullptr) *y = Correspondence(detail, face, 1);
  if (z != nullptr) *z = Correspondence(detail, face, 2);
}

bool TDetail::FaceMapIsEven(const TObjectHeader* detail, int face) {
  const TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(face)) return false;
  const std::int32_t* map = d->correspondence[face];
  int inversions = (map[0] > map[1]) + (map[0] > map[2]) + (map[1] > map[2]);
  return inversions % 2 == 0;
}

int TDetail::GlueFaceOneSided(TObjectHeader* detail, int a, TObjectHeader* other, int b, int x,
                              int y, int z, int mode) {
  TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(a)) return 0;
  d->partner[a] = other;
  d->partnerFace[a] = b;
  int accepted = SetCorrespondence(detail, a, 0, x, mode);
  accepted &= SetCorrespondence(detail, a, 1, y, mode);
  accepted &= SetCorrespondence(detail, a, 2, z, mode);
  return accepted;
}

void TDetail::GlueFaces(TObjectHeader* detail, int a, TObjectHeader* other, int b, int x, int y,
                        int z, int mode) {
  TDetail* first = Of(detail);
  TDetail* second = Of(other);
  if (first == nullptr || second == nullptr || !IsFace(a) || !IsFace(b)) return;
  if (!IsPosition(x) || !IsPosition(y) || !IsPosition(z) || x == y || y == z || x == z) return;
  first->partner[a] = other;
  first->partnerFace[a] = b;
  second->partner[b] = detail;
  second->partnerFace[b] = a;
  SetCorrespondence(detail, a, 0, x, mode);
  SetCorrespondence(detail, a, 1, y, mode);
  SetCorrespondence(detail, a, 2, z, mode);
  SetCorrespondence(other, b, x, 0, mode);
  SetCorrespondence(other, b, y, 1, mode);
  SetCorrespondence(other, b, z, 2, mode);
}

void TDetail::AttachEdgeEnd(TObjectHeader* detail, TObjectHeader* edge, int end, int face) {
  TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(face)) return;
  d->edgeSlot[face] = TVertex::Valency(d->vertex);
  d->edgeEnd[face] = end;
  TEdge::SetEndVertex(edge, d->vertex, end);
}

THandle TDetail::FaceEdge(const TObjectHeader* detail, int face) {
  const TDetail* d = Of(detail);
  if (d == nullptr || !IsFace(face) || !d->vertex.IsValid()) return THandle();
  return TVertex::EdgeAt(d->vertex, d->edgeSlot[face]);
}

int TDetail::FaceFlag(const TObjectHeader* detail, int face) {
  const TDetail* d = Of(detail);
  return d == nullptr || !IsFace(face) ? 0 : d->edgeEnd[face];
}

void TDetail::SetEdgeValue(TObjectHeader* detail, int value, int face, int position) {
  TDetail* d = Of(detail);
  int edge = EdgeIndexOfCorners(face, position);
  if (d != nullptr && edge >= 0) d->edgeValue[edge] = value;
}

int TDetail::EdgeValue(const TObjectHeader* detail, int face, int position) {
  const TDetail* d = Of(detail);
  int edge = EdgeIndexOfCorners(face, position);
  return d == nullptr || edge < 0 ? -1 : d->edgeValue[edge];
}

int TDetail::FaceCornerMap(int face, int position) {
  if (!IsFace(face) || !IsPosition(position)) return -1;
  return kFaceCorners[face][position];
}

int TDetail::FaceOfEdge(const TObjectHeader* detail, const TComplex& spine,
                        const TObjectHeader* edge, int direction, int side) {
  if (Of(detail) == nullptr || edge == nullptr) return -1;
  return FaceOfEdgeAt(detail, spine.Objects().IndexOf(edge), direction, side);
}

int TDetail::FaceOfEdgeAt(const TObjectHeader* detail, int edgeIndex, int direction, int side) {
  const TDetail* d = Of(detail);
  if (d == nullptr || edgeIndex < 0) return -1;
  int end = direction == 1 ? 1 : 2;
  if (side != 0) end = 3 - end;
  for (int f = 0; f < 4; ++f)
    if (d->edgeIndex[f] == edgeIndex && d->edgeEnd[f] == end) return f;
  return -1;
}

int TDetail::CommonEdge(const TObjectHeader* detail, const TComplex& spine,
                        const TObjectHeader* edge1, int direction1, const TObjectHeader* edge2,
                        int direction2) {
  int arriving = FaceOfEdge(detail, spine, edge1, direction1, 1);
  int leaving = FaceOfEdge(detail, spine, edge2, direction2, 0);
  if (arriving < 0 || leaving < 0) return -1;
  return OppositeCorner(arriving, leaving);
}

int TDetail::CommonEdgeAt(const TObjectHeader* detail, int edgeIndex1, int direction1,
                          int edgeIndex2, int direction2) {
  int arriving = FaceOfEdgeAt(detail, edgeIndex1, direction1, 1);
  int leaving = FaceOfEdgeAt(detail, edgeIndex2, direction2, 0);
  if (arriving < 0 || leaving < 0) return -1;
  return OppositeCorner(arriving, leaving);
}

void TDetailRelease(TObjectHeader* detail) {
  TDetail* d = TDetail::Of(detail);
  if (d == nullptr || !BeginObjectRelease(detail)) return;
  d->vertex.AssignObject(nullptr);
  for (auto& partner : d->partner) partner = nullptr;
  EndObjectRelease(detail);
}

void TDetailDestroy(TObjectHeader* detail) {
  TDetail* d = TDetail::Of(detail);
  if (d == nullptr) return;
  TDetailRelease(detail);
  d->~TDetail();
}

int GlueDetailsSymmetric(TObjectHeader* a, int faceA, TObjectHeader* b, int faceB, int x, int y,
                         int z, int mode) {
  if (!IsPosition(x) || !IsPosition(y) || !IsPosition(z) || x == y || y == z || x == z) return 0;
  int result = TDetail::GlueFaceOneSided(a, faceA, b, faceB, x, y, z, mode);
  if (result != 1) return result;
  int inverse[3];
  inverse[x] = 0;
  inverse[y] = 1;
  inverse[z] = 2;
  return TDetail::GlueFaceOneSided(b, faceB, a, faceA, inverse[0], inverse[1], inverse[2], mode);
}

int OppositeCorner(int a, int b) {
  if (a < 0 || a > 3 || b < 0 || b > 3 || a == b) return -1;
  if (a > b) std::swap(a, b);
  if (b == 3) return a;
  if (a == 0) return b == 1 ? 2 : 1;
  return 0;  // {1, 2}
}

int EdgeIndexOfCorners(int face, int position) {
  if (!IsFace(face) || !IsPosition(position)) return -1;
  return face == 3 || face == position ? position : position + 3;
}
