// TDetailsDescription: a set of named details (tetrahedra) glued face to face.
//
// A details description is a singular triangulation written by hand, or
// computed from a spine: each detail is the tetrahedron dual to one true
// vertex of a special spine, each glued pair of faces is dual to an edge of
// the spine, and each cycle of tetrahedron edges around an edge of the
// triangulation is dual to a 2-cell. The readers of the details text
// (presentations/details/details_reader.h), of facets, of singular
// triangulations and of dehydrated descriptions all fill a description; the
// spine builder (details_spine.cpp) then turns a complete one into a spine,
// and the same file computes the details of a spine (which is how the model
// finds the orientability of a thickened spine).
#pragma once

#include <atomic>

#include "model/handle.h"
#include "model/objman.h"

class TComplex;
class TSpine;

// The type of the last error of the details reader or of the completeness
// check: 0 none; 1 to 13 the reader's errors (see presentations/details/details_reader.cpp); 14 no
// details; 15 a gluing not defined; 16 a gluing not complete; 17 a name too
// long to be read. Process-wide because the callers of the readers that fill
// descriptions (facets, triangulations) read it after the reader returns.
inline std::atomic<int> DetailsErrorCode{0};

// Error types kept in DetailsErrorCode.
enum TDetailsError : int {
  kDetailsNoError = 0,
  kDetailsNoTitle = 1,
  kDetailsMissingEquals = 2,
  kDetailsBadSlot = 3,
  kDetailsMissingUnderscore = 4,
  kDetailsEmptyPartnerName = 5,
  kDetailsPartnerRedefined = 6,
  kDetailsMissingPartnerSlot = 7,
  kDetailsBadPartnerSlot = 8,
  kDetailsGluingRedefined = 9,
  kDetailsGluedToItself = 10,
  kDetailsMissingBrace = 11,
  kDetailsBadSubstitution = 12,
  kDetailsSubstitutionRedefined = 13,
  kDetailsNoDetails = 14,
  kDetailsGluingUndefined = 15,
  kDetailsGluingIncomplete = 16,
  kDetailsNameTooLong = 17,
};

// Names (of details and of partners) are read into a buffer of this size; a
// name of this length or longer is refused (error 17).
inline constexpr int kDetailNameBufferSize = 1024;

class TDetailsDescription {
 public:
  // An empty manager in the current private heap, holding the description's
  // one detail-representation object (kind 12).
  TDetailsDescription();
  // Every detail is released by its kind, then the manager goes.
  ~TDetailsDescription();
  TDetailsDescription(const TDetailsDescription&) = delete;
  TDetailsDescription& operator=(const TDetailsDescription&) = delete;

  TObjectManager& Objects() { return objects_; }
  const TObjectManager& Objects() const { return objects_; }
  const THandle& Representation() const { return representation_; }

  // ---- Completeness ----
  // 1 when every detail is completely glued (then "Detail representation is
  // complete" is shown). With mode 2 faces without a partner are allowed and
  // only counted. No details, a face without partner (mode other than 2) or a
  // face whose gluing is incomplete is reported and gives 0; all four faces of
  // the first failing detail are reported, later details are not examined.
  // The count of faces without partner among the details examined goes to
  // *ungluedFaces when given.
  int CheckComplete(int mode, int* ungluedFaces = nullptr);

  // ---- Access ----
  // Number of details (kind 11).
  int DetailCount() const;
  // The i-th detail in the manager's order; a null handle out of range.
  THandle DetailAt(int i) const;
  // The detail whose name is the text (compared in full, with leading and
  // trailing blanks ignored and inner runs of blanks made one space); null
  // when none. Unlike display names, long names are not cut for the match,
  // and a detail without a name is never found (not even by the "v%ld" it
  // displays as, which a new detail shares with the name "v1" of another).
  TObjectHeader* FindDetailByName(const char* name) const;
  // The same detail as a handle; a null handle when none.
  THandle FindDetail(const char* name) const { return THandle(FindDetailByName(name)); }
  // The detail whose vertex is the object; a null handle when none.
  THandle FindDetailOfVertex(const TObjectHeader* vertex) const;
  // A new detail (kind 11) numbered by the manager.
  TObjectHeader* NewDetail();
  // Removes a detail from the description: every face of another detail that
  // is glued to it loses that gluing (partner, partner face and
  // correspondences), then the detail is released and unregistered.
  void RemoveDetail(TObjectHeader* detail);

  // ---- Spine and details (details_spine.cpp) ----
  // Builds the spine dual to a complete description into the (empty) spine.
  // 0 with the spine untouched when the description is not complete. Mode 2
  // keeps every detail's vertex reference so that the caller can map details
  // to vertices; any other mode drops them. Sets the spine's source kind to 2.
  int BuildSpine(TSpine& spine, int mode);
  // The same on a complex: vertices, edges and cells, nothing of a spine.
  int BuildComplex(TComplex& complex, int mode);
  // Fills the (empty) description with the details of the spine, one per
  // vertex: 1 when every vertex and edge was acceptable and the details are
  // complete. A vertex of valency above 4 (message 418) or an edge of valency 0
  // or above 3 (message 419) gives 0.
  int FromSpine(const TComplex& spine);
  // Orientation marks 1 and 2, spread over the gluings: glued details get the
  // same mark across an odd face map and different marks across an even one.
  // 0 when the gluings force two marks on one detail (the triangulation is not
  // orientable); 1 otherwise, also when the description is not complete (then
  // nothing is marked).
  int Orient();
  // Clears every detail's vertex and sets its edge indices and edge values to -1.
  void ResetBuildState();

 private:
  int BuildVertices(TComplex& complex);
  void BuildEdges(TComplex& complex);
  void BuildCells(TComplex& complex);
  void TraceCell(TComplex& complex, TObjectHeader* detail, int face, int position);

  TObjectManager objects_;
  THandle representation_;
};
