// The exterior of a torus knot as a benchmark's spine.
#pragma once

#include <string>

#include "shell/document_spine.h"
#include "shell/options.h"

// The link code of the torus knot T(2, n).
inline std::string TorusKnotCode(int n) {
  std::string code;
  for (int r = 0; r < 2; ++r)
    for (int k = 1; k <= n; ++k) code += std::to_string((k + r) % 2 == 1 ? k : -k) + " ";
  return "link code " + code + "end";
}

// The thickened exterior of T(2, n), a spine of 4n true vertices whose
// boundary is one torus, in a document of its own that is current while the
// object lives.
class TTorusKnotExterior {
 public:
  explicit TTorusKnotExterior(int n) : scope_(document_) {
    const std::string text = TorusKnotCode(n);
    ok_ = document_.ParseDocumentText(text.c_str(), TOptionValues{}) == 1;
    if (ok_) document_.EnsureThickened();
  }
  // False when the link code did not parse.
  bool Ok() const { return ok_; }
  TSpine& Spine() { return document_.Spine(); }

 private:
  TDocumentSpine document_;
  TDocumentSpine::TScope scope_;
  bool ok_ = false;
};
