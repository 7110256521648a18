// Singular triangulations: tetrahedra glued face to face, as text.
//
//   triangulation
//     a(1,2,3) - b(1,2,4)
//     ...
//   end
//
// Each line glues a face of one named tetrahedron to a face of another; a
// face is named by its three vertices (numbers 1 to 4) and the vertices are
// identified in the order written, so the line above glues face 3 of a
// (vertices 1, 2, 3) to face 2 of b, 1 to 1, 2 to 2 and 3 to 4. Instead of
// names, the text may open with a facets list of tetrahedra by vertex labels
// ([1,2,3,4] ..., glued where their faces agree) and then glue faces by their
// labels: (1,2,3) - (4,5,6). Names are compared after the text is
// lower-cased; every face must be glued exactly once.
//
// The description keeps the tetrahedron form (tetrahedra.h) that the
// isomorphism signatures work on, and writes it back as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "presentations/triangulations/tetrahedra.h"

class TComplex;
class TSpine;
class TOutput;

class TTriangulationDescription {
 public:
  // The reader's status: 0 good, else what failed. Each failure but 1 and 13
  // is reported as a status message (the facets reader reports its own).
  enum TStatus {
    kGood = 0,
    kFacetsFailed = 1,
    kMissingParenthesis = 2,         // 462: a gluing without "("
    kNameTooLong = 3,                // 463: a name of more than 39 characters
    kUnsuitableSymbol = 4,           // 464: a face names something other than 1..4
    kRepeatedSymbol = 5,             // 465: a face names a vertex twice
    kVertexNotANumber = 6,           // 466: a face label is not a number
    kVertexBelowOne = 7,             // 467: a face label below 1
    kNoSuchFace = 8,                 // 468: no tetrahedron has a face of these labels
    kFaceRedefined = 9,              // 470: a face given by labels is glued twice
    kFaceGluedToItself = 10,         // 471
    kTetrahedronFaceRedefined = 11,  // 469: a named face is glued twice
    kTetrahedronFaceToItself = 12,   // 472
    kNoGluing = 13,                  // 473 (not shown)
    kGluingMissing = 14,             // 474: a face left unglued
    kNotSpecial = 15,                // 475
    kMissingName = 16,               // a gluing without a tetrahedron name
    kNotThreeVertices = 17,          // a face that does not name three vertices
  };

  static constexpr std::size_t kMaxNameLength = 39;

  int Status() const { return status_; }

  // Reads a triangulation text (the document text; it is prepared here).
  // 1 when every tetrahedron is glued at every face; otherwise 0 with the
  // status set and the failure reported; the tetrahedra read up to the
  // failure stay (faces not glued yet are unglued), for a report to show.
  int Parse(std::string_view text);

  // The tetrahedron form, in the order of the details: named tetrahedra by
  // first appearance on the left of a gluing, then by first appearance on
  // the right; or the facets list's order.
  const TTetrahedronList& Tetrahedra() const { return tetrahedra_; }
  TTetrahedronList& Tetrahedra() { return tetrahedra_; }
  int TetrahedronCount() const { return tetrahedra_.Count(); }
  // The name read for a tetrahedron; "" for tetrahedra of a facets list.
  const std::string& TetrahedronName(int i) const { return names_[static_cast<std::size_t>(i)]; }
  // Replaces the tetrahedra (names cleared) and sets the status to good.
  void SetTetrahedra(const TTetrahedronList& tetrahedra);

  // The triangulation dual to the complex of a special spine: one tetrahedron
  // per vertex, named by the vertex's display name, in the order of the
  // vertices. 1 on success; 0 with no tetrahedra when a vertex or an edge of
  // the complex has the wrong valency (the details reader has said which).
  // The details' trace is muted meanwhile.
  int FromComplex(const TComplex& complex);
  // The same for a spine; a spine that is not special gives status 15 and
  // message 475.
  int FromSpine(TSpine& spine);
  // After a successful Parse: empties the spine and builds it from the
  // tetrahedra, its vertices and edges unnamed. 1 when built; 0 (spine
  // untouched) otherwise.
  int BuildSpine(TSpine& spine);

  // The tetrahedron form as text, readable by Parse:
  // "\t\ttriangulation", one line "T%u(%u,%u,%u) - T%u(%u,%u,%u)" per face
  // (each gluing written a second time from its other side is commented out
  // with "%"), and "\t\tend". Nothing when there are no tetrahedra.
  void Write(TOutput& output) const;

 private:
  int status_ = kGood;
  TTetrahedronList tetrahedra_;
  std::vector<std::string> names_;
};

// A text longer than 43 characters whose prepared, lower-cased copy begins
// with "triangulation".
bool IsTriangulationText(std::string_view text);

// The lines of one tetrahedron as a singular triangulation text shows a
// detail: for each face, "name(x,y,z) - other( u, v, w )" with the face's
// corners counted from 1 in the order (4,3,2), (3,4,1), (2,1,4), (1,2,3) for
// faces 0 to 3 and the partner's corners they go to, or "*(***)" for an
// unglued face; each line ends with CR LF. A gluing met a second time (the
// partner comes earlier, or it is this tetrahedron with a lower face) is
// commented out with "%", so that the text reads back.
void PrintTetrahedronLines(TOutput& output, const TTetrahedronList& tetrahedra, int tetrahedron,
                           const std::vector<std::string>& names);
