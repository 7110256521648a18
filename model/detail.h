// Details: the tetrahedra of a singular triangulation (kind 11).
//
// A detail is the tetrahedron dual to one true vertex of a special spine. Its
// corners are numbered 0..3 and face i is the face opposite corner i. Within a
// face the three corners stand at positions 0, 1, 2 in a fixed order:
//   face 0: 3 2 1    face 1: 2 3 0    face 2: 1 0 3    face 3: 0 1 2
// so that corner a stands in face b at the same position as corner b in face a
// (OppositeCorner). The edge at position p of a face is the edge of the face
// opposite the corner at position p; the six edges are numbered 0 {1,2},
// 1 {0,2}, 2 {0,1}, 3 {0,3}, 4 {1,3}, 5 {2,3}.
//
// Each face is glued to a face of some detail (its partner), with a
// correspondence of positions: correspondence[f][p] is the position, in the
// partner's face, of the corner glued to the corner at position p of face f.
// The details, facets, triangulation and dehydrated readers all read into
// details; a spine is then built from them, and conversely.
//
// Operations take the detail as a raw object pointer (a THandle converts); on
// null (or another kind) setters do nothing and getters return the value
// documented. Faces are 0..3, positions 0..2; others are ignored likewise.
#pragma once

#include <cstdint>

#include "model/handle.h"

class TComplex;

struct TDetail : TObjectHeader {
  std::int32_t mark = 0;  // 0 unset; orientation marks 1 and 2
  THandle vertex;         // the spine vertex the detail stands for
  TObjectHeader* partner[4] = {nullptr, nullptr, nullptr, nullptr};  // not counted
  std::int32_t partnerFace[4] = {-1, -1, -1, -1};
  std::int32_t edgeSlot[4] = {-1, -1, -1, -1};   // position in the vertex's edge list
  std::int32_t edgeIndex[4] = {-1, -1, -1, -1};  // position in the spine's object list
  std::int32_t edgeEnd[4] = {0, 0, 0, 0};        // 1 first end, 2 second end, 0 none
  std::int32_t correspondence[4][3] = {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}};
  std::int32_t edgeValue[6] = {-1, -1, -1, -1, -1, -1};  // the cell winding around each edge

  // The detail data of a kind-11 object; null otherwise.
  static TDetail* Of(const TObjectHeader* object);

  // Stores the vertex and resets the four faces (edge slot -1, edge end 0).
  static void SetVertex(TObjectHeader* detail, TObjectHeader* vertex);
  static THandle Vertex(const TObjectHeader* detail);
  static void ClearVertex(TObjectHeader* detail);
  // The four edge indices and the six edge values := -1.
  static void ResetEdges(TObjectHeader* detail);
  static void SetMark(TObjectHeader* detail, int mark);
  static int Mark(const TObjectHeader* detail);
  static void SetPartner(TObjectHeader* detail, int face, TObjectHeader* partner);
  static THandle Partner(const TObjectHeader* detail, int face);
  static void SetPartnerFace(TObjectHeader* detail, int face, int partnerFace);
  static int PartnerFace(const TObjectHeader* detail, int face);

  // Stores the correspondence. Unless mode is 2, an entry that is already set
  // is refused: message 420 under heading 400 is reported, the entry keeps its
  // value and the result is 0. Otherwise 1 (also for null).
  static int SetCorrespondence(TObjectHeader* detail, int face, int position, int value, int mode);
  static int Correspondence(const TObjectHeader* detail, int face, int position);
  static void FaceCorrespondences(const TObjectHeader* detail, int face, int* x, int* y, int* z);
  // The three correspondences of the face, read as a sequence, have an even
  // number of inversions (the gluing map preserves the cyclic order).
  static bool FaceMapIsEven(const TObjectHeader* detail, int face);

  // Partner and partner face of face a, and its correspondences at positions
  // 0, 1, 2 := x, y, z; 1 when all three were accepted.
  static int GlueFaceOneSided(TObjectHeader* detail, int a, TObjectHeader* other, int b, int x,
                              int y, int z, int mode);
  // Both directions: partners and partner faces of A.a and B.b; A's face a
  // positions 0, 1, 2 := x, y, z and B's face b positions x, y, z := 0, 1, 2.
  // x, y, z must be a permutation of 0, 1, 2 (else nothing is glued).
  static void GlueFaces(TObjectHeader* detail, int a, TObjectHeader* other, int b, int x, int y,
                        int z, int mode);

  // Records, for the face, the vertex's current edge count as the edge slot
  // and the end, then attaches that end of the edge to the detail's vertex.
  static void AttachEdgeEnd(TObjectHeader* detail, TObjectHeader* edge, int end, int face);
  // The spine edge at the face's edge slot of the detail's vertex; null when
  // the detail has no vertex.
  static THandle FaceEdge(const TObjectHeader* detail, int face);
  // The face's edge end (1, 2, or 0).
  static int FaceFlag(const TObjectHeader* detail, int face);
  // The edge value of the edge at that position of that face (-1 for null).
  static void SetEdgeValue(TObjectHeader* detail, int value, int face, int position);
  static int EdgeValue(const TObjectHeader* detail, int face, int position);
  // The corner at that position of the face (the table above); -1 out of range.
  static int FaceCornerMap(int face, int position);

  // The face 0..3 whose edge index is the edge's position in the spine's list
  // and whose edge end is, for side 0, 1 when the direction is 1 and 2
  // otherwise, for side 1 the opposite; -1 when none.
  static int FaceOfEdge(const TObjectHeader* detail, const TComplex& spine,
                        const TObjectHeader* edge, int direction, int side);
  // OppositeCorner of the face where the first edge arrives (side 1) and the
  // face where the second leaves (side 0); -1 when either is missing.
  static int CommonEdge(const TObjectHeader* detail, const TComplex& spine,
                        const TObjectHeader* edge1, int direction1, const TObjectHeader* edge2,
                        int direction2);
  // The same two with the edges' list positions given (-1 for an edge not in
  // the list): the forms above look each position up in the list, which a
  // pass over a whole spine does once for all edges instead.
  static int FaceOfEdgeAt(const TObjectHeader* detail, int edgeIndex, int direction, int side);
  static int CommonEdgeAt(const TObjectHeader* detail, int edgeIndex1, int direction1,
                          int edgeIndex2, int direction2);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TDetailRelease(TObjectHeader* detail);
void TDetailDestroy(TObjectHeader* detail);

// GlueFaceOneSided for A, then, when that succeeded, for B with the inverse
// map (position x to 0, y to 1, z to 2). The first failing result, or 1.
int GlueDetailsSymmetric(TObjectHeader* a, int faceA, TObjectHeader* b, int faceB, int x, int y,
                         int z, int mode);
// The position at which corner a stands in face b (and corner b in face a):
// for a < b, a when b is 3, 2 for {0,1}, 1 for {0,2}, 0 for {1,2}; -1 when the
// corners are equal or out of range.
int OppositeCorner(int a, int b);
// The number of the edge at position p of face f: p when f is 3 or f equals p,
// else p + 3; -1 out of range.
int EdgeIndexOfCorners(int face, int position);
