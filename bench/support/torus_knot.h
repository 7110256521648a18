// The exterior of a torus knot as a benchmark's document.
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

// Reads the exterior of T(2, n), a spine of 4n true vertices whose boundary
// is one torus, into the document; false when it did not parse.
inline bool ParseTorusKnotExterior(TDocumentSpine& document, int n) {
  const std::string text = TorusKnotCode(n);
  return document.ParseDocumentText(text.c_str(), TOptionValues{}) == 1;
}
