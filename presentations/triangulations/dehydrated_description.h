// Dehydrated descriptions of spines and spines of dehydrated descriptions.
//
// The description of a connected special spine with at most 25 true vertices
// is the census code (dehydration_code.h) of its dual triangulation, one
// tetrahedron per vertex.
#pragma once

#include <string>
#include <string_view>

#include "presentations/triangulations/dehydration_code.h"

class TComplex;
class TDetailsDescription;
class TSpine;

class TDehydratedDescription {
 public:
  // The description of a spine: the empty text when another spine follows in
  // its chain, it is not special or it has more than 25 vertices, never the
  // description of an earlier spine; otherwise as FromComplex.
  const std::string& FromSpine(TSpine& spine);
  // The canonical description of the complex of one connected special spine
  // with at most 25 vertices, kept in the object; any other complex (not
  // connected, more than 25 vertices, details that cannot be made) gives the
  // empty text, never the description of an earlier spine.
  const std::string& FromComplex(const TComplex& complex);

  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::string text_;
};

// Decodes the description at the start of the text into details (the
// description must be empty), one per tetrahedron, numbered 1..n. 1 on
// success; otherwise the reason is reported as a status message naming the
// description and the letter, nothing is added, and the result is 0.
int DehydrationToDetails(std::string_view text, TDetailsDescription& details);

// Reads the description at the start of the text into the spine (emptied
// first; objects unnamed; source kind 9). 1 on success; 0 with the spine left
// empty and the reason reported when the description cannot be decoded (no
// spine is built from part of it).
int LoadDehydratedDescription(TSpine& spine, std::string_view text);

// The message that explains a decoding failure.
std::string DehydrationErrorMessage(std::string_view prepared, TDehydrationError error,
                                    std::size_t position);
