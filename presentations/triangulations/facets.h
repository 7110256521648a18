// Facets: tetrahedra listed by the labels of their four vertices.
//
//   facets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]
//
// Two simplices are glued along every face whose three labels agree, each
// vertex to the vertex of the same label; the example is the boundary of the
// 4-simplex, a triangulation of the 3-sphere. Corner i of a simplex carries
// the i-th label of its entry, and face i is the face opposite corner i.
//
// The reader works on the prepared text (prepared_text.h). Its status says
// what failed, and each failure is also reported as a status message that
// names the entry. The same entry reader reads the bracketed list that may
// open a singular triangulation text (type 2: no keyword, no outer bracket;
// the list ends at the first thing that is not an entry).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "presentations/triangulations/tetrahedra.h"

struct TObjectHeader;
class TSpine;

struct TFacetSimplex {
  TObjectHeader* detail = nullptr;  // the detail made for it, once made
  int complete = 0;                 // 1 when all four faces are glued
  int index = -1;                   // place in the list
  int labels[4] = {0, 0, 0, 0};
  int faceLabels[4][3] = {};        // labels of corners i+1, i+2, i+3, sorted
  int neighbour[4] = {-1, -1, -1, -1};      // place of the simplex glued at face i
  int neighbourFace[4] = {-1, -1, -1, -1};  // its face

  // The face whose sorted labels equal the sorted a, b, c; -1 when none.
  int SimplexFaceOfLabels(int a, int b, int c) const;
  // The corner carrying the label (the last one when several do); -1 when none.
  int CornerOfLabel(int label) const;
};

class TFacetsDescription {
 public:
  enum TStatus {
    kNone = 0,
    kGood = 1,
    kMissingOpeningBracket = 2,  // an entry does not start with "["
    kLabelNotANumber = 3,        // a vertex label is not a number
    kMissingClosingBracket = 4,  // an entry does not end with "]"
    kFaceSharedByThree = 5,      // a face is shared by more than two simplices
    kNoEntries = 6,
    kUngluedFace = 7,            // a simplex has an unglued face
    kRepeatedLabel = 8,          // a simplex names one vertex label twice
  };

  int Status() const { return status_; }
  int SimplexCount() const { return static_cast<int>(simplices_.size()); }
  const TFacetSimplex& Simplex(int i) const { return simplices_[static_cast<std::size_t>(i)]; }

  // Reads a list. Type 1: a document text (prepared here) that must pass
  // IsFacetsText; every simplex must be complete. Type 2: a prepared text read
  // from its first character; the list ends at the first text that is not an
  // entry, and *position (when given) receives the offset of that text.
  // Returns 1 on success (status kGood); otherwise 0, the status says why, a
  // message has been reported, and the simplices are dropped.
  int Parse(std::string_view text, std::size_t* position, int type);

  // Appends a simplex and glues it to the earlier ones: with each earlier
  // simplex, when neither is complete, the first pair of faces with equal
  // labels (the earlier simplex's faces 0..3, then the new one's) is glued
  // both ways. Refused (status, 0) when a label repeats or a face to glue is
  // glued already (more than two simplices share it). 1 on success. Only
  // the earlier simplices that share a face with the new one are visited
  // (an index by face labels), so a list of n simplices reads in O(n).
  int AddSimplex(int a, int b, int c, int d);

  // The first simplex with a face of these three labels, in any order.
  // Constant time on average.
  int FindFace(int a, int b, int c, int& simplex, int& face) const;

  // One tetrahedron per simplex (numbered from 1 in list order), glued along
  // the glued faces label to label. Returns the number of glued faces, each
  // counted from both sides.
  int ToTetrahedra(TTetrahedronList& tetrahedra) const;

  // After a successful type-1 Parse: empties the spine and builds it from
  // the simplices (source kind 3). 1 when built; 0 (spine untouched)
  // otherwise. The simplices are dropped either way: a description builds once.
  int BuildSpine(TSpine& spine);

  void Clear();

 private:
  // Reads one entry at `at` and moves past it; returns 1 when a simplex was
  // added, 0 when there is no entry (the end of the text) or it was refused
  // (status set, `at` left at the entry's start).
  // The text is a string so that the number scanners, which read up to a
  // NUL, may work on it in place.
  int ReadEntry(const std::string& text, std::size_t& at);
  void ReportFailure(std::string_view text, std::size_t at) const;
  void DropSimplices();
  static std::array<int, 3> FaceLabelsOf(const TFacetSimplex& simplex, int face);

  using TFaceLabels = std::array<int, 3>;  // sorted
  struct TFaceLabelsHash {
    std::size_t operator()(const TFaceLabels& labels) const;
  };

  int status_ = kNone;
  std::vector<TFacetSimplex> simplices_;
  // Per sorted face: the first simplex with that face and the face (for
  // FindFace), and the simplices with that face that may still be glued, in
  // list order (AddSimplex drops the complete ones as it meets them, since a
  // complete simplex is never glued again).
  std::unordered_map<TFaceLabels, std::array<int, 2>, TFaceLabelsHash> firstWithFace_;
  std::unordered_map<TFaceLabels, std::vector<int>, TFaceLabelsHash> openWithFace_;
  // What a refused simplex named, for the message.
  int refusedLabels_[4] = {0, 0, 0, 0};
  int refusedFace_[3] = {0, 0, 0};
  int refusedLabel_ = 0;
  int failedNumber_ = 0;  // the label that is not a number (1..4)
  std::size_t errorAt_ = 0;  // where reading stopped
};

// A text longer than 20 characters whose prepared copy begins with "facets"
// (exact case).
bool IsFacetsText(std::string_view text);
