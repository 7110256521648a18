// Molecule edges (kind 15): the torus gluings of a labeled molecule.
//
// A molecule edge joins two atoms (its ends 1 and 2, molecule vertices) along
// a torus and carries the 2x2 integer matrix G = (a, b; c, d) that identifies
// the coordinate curves of the two sides: it takes the torus coordinates
// (section, fibre) at end 1, as a column vector, to those at end 2. Read from
// end 2 the inverse is used; for a unimodular matrix that is det(G) times the
// adjugate, which is what the "unimodular inverse" below means.
//
// A true edge (type 1) is a gluing between two pieces; a virtual edge (type 2)
// stands for an open torus boundary and keeps in end slot 1 the index of the
// boundary surface it stands for. The boundary reference names the boundary
// surface of the spine whose torus the gluing is; it is shared along chains of
// linked atoms (molecule_vertex.h) and not owned.
//
// A molecule edge begins with the data of an edge, so the graph operations of
// edge.h apply to it unchanged. Every operation accepts null or an object of
// another kind, returning 0, -1, null or nothing and changing nothing.
// Products and inverses of gluings are checked: an entry that leaves the
// 32-bit range throws Out_of_Range and leaves the gluing as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "foundation/int_matrix.h"
#include "model/edge.h"

class TComplex;
class TObjectCorrespondence;
class TObjectTable;

// Edge types.
enum : int {
  kTrueMoleculeEdge = 1,
  kVirtualMoleculeEdge = 2,
};

// Boundary surfaces of one chain of spines paired with those of its copy.
using TSurfaceMap = std::unordered_map<const TComplex*, TComplex*>;

struct TMoleculeEdge : TEdge {
  std::int32_t edgeType = 0;
  TComplex* boundaryReference = nullptr;  // not owned
  TIntQuad gluing;
  void* linkedData = nullptr;  // not owned
  std::int16_t endSlots[2] = {-1, -1};

  // The molecule data of an object of kind 15; null otherwise.
  static TMoleculeEdge* Of(const TObjectHeader* object);

  static void SetEdgeType(TObjectHeader* edge, int type);
  static int EdgeType(const TObjectHeader* edge);

  // Sets the reference and carries it on: through the linked object of end 1
  // (or, when end 1 has none, of end 2) to the first edge of that linked
  // vertex, and from there on in the same way, until an edge that already has
  // this reference (or no such edge) is reached.
  static void SetBoundaryReference(TObjectHeader* edge, TComplex* surface);
  static TComplex* BoundaryReference(const TObjectHeader* edge);

  static void SetGluingValues(TObjectHeader* edge, int a, int b, int c, int d);
  // The gluing; the zero matrix for null.
  static TIntQuad GluingQuad(const TObjectHeader* edge);
  // Writes the gluing into a 2x2 matrix (resized when it is not 2x2).
  static void GluingMatrix(const TObjectHeader* edge, TIntMatrix& matrix);
  // Mode 1 stores the quad unchanged, any other mode its unimodular inverse.
  static void SetGluing(TObjectHeader* edge, const TIntQuad& quad, int mode);
  // The same from a 2x2 matrix; 0 (nothing changed) when it is not 2x2.
  static int SetGluingFromMatrix(TObjectHeader* edge, const TIntMatrix& matrix, int mode);
  // With G the gluing: mode 1 stores M G; any other mode G M^-1 (M^-1 the
  // unimodular inverse).
  static void TransformGluing(TObjectHeader* edge, const TIntQuad& m, int mode);
  // The same with a 2x2 matrix; 0 (nothing changed) when it is not 2x2.
  static int TransformGluingByMatrix(TObjectHeader* edge, const TIntMatrix& m, int mode);

  // Recomputes the gluing from the change of basis on its boundary torus
  // between the curves of the two pieces: labels 0 and 1 carry the
  // coordinates of the piece whose spine holds the torus (the exceptional
  // end: end 2, or end 1 when only end 1 is exceptional), labels 2 and 3
  // those of the piece glued on (the other end); `torusMatrix` writes curves
  // 2 and 3 in curves 0 and 1 (`ComputeGluingFromTorus` in moves/ reads it
  // off a torus). The gluing becomes that change of basis taken from end 1's
  // coordinates to end 2's. Returns 1; 0 with the gluing unchanged for a null
  // edge or a matrix of determinant other than +-1.
  static int ComputeGluing(TObjectHeader* edge, const TIntQuad& torusMatrix);

  static void SetLinkedData(TObjectHeader* edge, void* data);
  static void* LinkedData(const TObjectHeader* edge);
  // Slot 1 or 2 (any other number means 2); -1 for null.
  static void SetEndSlot(TObjectHeader* edge, int slot, int value);
  static int EndSlot(const TObjectHeader* edge, int slot);

  // Puts a recognised atom in place of the piece it came from: the vertex
  // becomes end 2 when end 2 is an exceptional atom, else end 1 when end 1 is
  // one; when neither is and end 2 is an external gluing, end 2 when the first
  // edge of that external atom's linked vertex ends (end 2) at an exceptional
  // atom. The end replaced is released and removed from the table when it is
  // left without edges and is not an exceptional atom. Returns the end number
  // replaced, 0 when none was.
  static int ReplaceExceptionalEnd(TObjectHeader* edge, TObjectTable* table, TObjectHeader* vertex);

  // Copies the name, or without one the edge name of the type and the primary
  // number, into a buffer of n characters. Null for a null edge or buffer.
  static char* Label(const TObjectHeader* edge, char* buffer, std::size_t n);

  // Completes a copy made by the object manager: the edge part through the
  // correspondence, the type, the gluing, the linked data, the end slots and
  // the boundary reference (mode 1: its counterpart in the surface map, null
  // when it has none; mode 2: the same surface).
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map, int mode, const TSurfaceMap* surfaces);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TMoleculeEdgeRelease(TObjectHeader* edge);
void TMoleculeEdgeDestroy(TObjectHeader* edge);
