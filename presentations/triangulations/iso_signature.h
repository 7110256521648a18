// Isomorphism signatures of spines and spines of isomorphism signatures.
//
// The signature of a connected special spine is the signature
// (iso_signature_code.h) of its dual triangulation: the details of the spine,
// one tetrahedron per true vertex. Equal signatures mean combinatorially
// isomorphic triangulations, hence homeomorphic spines and manifolds.
#pragma once

#include <string>
#include <string_view>

#include "presentations/triangulations/iso_signature_code.h"

class TComplex;
class TDetailsDescription;
class TSpine;

class TIsoSignature {
 public:
  // The signature of a spine: the empty text (and no canonical text) when
  // another spine follows in its chain (it is not connected) or it is not
  // special, never the signature of an earlier spine; otherwise as
  // ComputeOfComplex.
  const std::string& Compute(TSpine& spine, int mode);
  // The signature of the complex of one connected special spine, kept in the
  // object; a complex that is not connected, or whose details cannot be made
  // (a vertex or edge of the wrong valency), gives the empty text, never the
  // signature of an earlier spine. Mode 2 also keeps the triangulation text of
  // the canonically labelled triangulation (tetrahedra T1, T2, ... in the
  // order of the signature).
  const std::string& ComputeOfComplex(const TComplex& complex, int mode);

  const std::string& Text() const { return text_; }
  const std::string& CanonicalText() const { return canonicalText_; }
  void Clear();

 private:
  std::string text_;
  std::string canonicalText_;
};

// The recognition test: the first word of the prepared text is longer than 5
// characters, its size can be read and its length is that of a signature of
// that size. A text holding '{', '}' or '=' outside comments is a cell
// presentation, never a signature.
bool IsIsoSignatureText(std::string_view text);

// Decodes the first word of the text into details (the description must be
// empty): one detail per tetrahedron, numbered 1..n. 1 on success; otherwise
// the reason is reported as a status message naming the word and the
// character, nothing is added, and the result is 0.
int IsoSignatureToDetails(std::string_view text, TDetailsDescription& details);

// Reads the signature at the start of the text into the spine (emptied
// first; objects unnamed; source kind of the details builder). 1 on success;
// 0 with the spine left empty and the reason reported when the text cannot
// be decoded.
int LoadIsoSignature(TSpine& spine, std::string_view text);

// The message that explains a decoding failure, for the word and the offset
// of the offending character.
std::string IsoSignatureErrorMessage(std::string_view word, TIsoSigError error, std::size_t position);
