// Dehydrated descriptions of spines and spines of dehydrated descriptions.
//
// The description of a connected special spine with at most 25 true vertices
// is the census code (dehydration_code.h) of its dual triangulation, one
// tetrahedron per vertex.
#pragma once

#include <string>
#include <string_view>

#include "presentations/dehydration_code.h"

class TComplex;
class TDetailsDescription;

class TDehydratedDescription {
 public:
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

// The message that explains a decoding failure.
std::string DehydrationErrorMessage(std::string_view prepared, TDehydrationError error,
                                    std::size_t position);
