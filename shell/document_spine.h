// The current spine of a document and the parse of the document text into it.
//
// Every command works on the spine that the document text presents. The parse
// turns the text into that spine, splits it into its connected components and
// computes its homology; an unchanged text is not parsed twice. The spine
// lives in a heap context of its own, installed for the lifetime of this
// object, so that a command's scratch work never mixes with it.
//
// The text is read as a cell presentation (boundary curves of the 2-cells),
// the notation every text falls back to; the readers of the notations that
// are introduced by a keyword join the parse as they are built.
#pragma once

#include <string>

#include "foundation/heap_string.h"
#include "foundation/private_heap.h"
#include "model/spine.h"
#include "shell/options.h"

// The styles a document text can have.
enum : int {
  kBoundaryCurvesStyle = 1,
  kDetailsStyle = 2,
  kTriangulationStyle = 3,
};

class TDocumentSpine {
 public:
  // Installs a fresh heap context with an empty spine in it.
  TDocumentSpine();
  // Destroys the spine and the context and re-installs the caller's context.
  ~TDocumentSpine();
  TDocumentSpine(const TDocumentSpine&) = delete;
  TDocumentSpine& operator=(const TDocumentSpine&) = delete;

  // Parses the text into the spine unless it equals the text parsed last and
  // the spine is not empty. Returns 1 when the spine is not empty afterwards.
  // A failed read leaves the spine empty; the reader has reported why.
  int ParseDocumentText(const char* text, const TOptionValues& options);

  TSpine& Spine() { return *spine_; }
  // The status text as it stood after the last real parse.
  const TString& StatusText() const { return statusText_; }
  // Whether the last cell presentation named its cells or edges.
  int CellsNamed() const { return cellsNamed_; }

 private:
  // Destroys the spine and its heap and makes an empty spine in a fresh heap.
  void ResetSpine();

  THeapContext context_;
  TSpine* spine_ = nullptr;
  std::string parsedText_;
  bool parsed_ = false;
  TString statusText_;
  int cellsNamed_ = 0;
};

// The style of a document text: details, singular triangulation, or else
// boundary curves.
int DetectTextStyle(const char* text);
