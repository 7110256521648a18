// The readers of the document text, in the order in which they are tried.
//
// A document text may present a manifold in any of the notations the
// workbench reads. Each notation has a recogniser (a cheap test of the text's
// first keyword or shape) and a reader that builds the spine. The parse asks
// the recognisers in a fixed order and the first that accepts the text
// decides: its reader builds the spine, or leaves it empty after reporting
// why, and no later reader is tried. A text that no recogniser accepts is read
// as a cell presentation, the notation every text falls back to.
//
// The order matters where notations overlap: a link text is tried first, an
// extended Heegaard diagram ("extheegaard") before a plain one ("heegaard").
//
// Adding a notation: write `int ReadX(TDocumentRead&)` beside its reader (it
// builds the spine into read.spine and sets the source kind) and put it into
// its row of DocumentReaders() in document_readers.cpp. A row whose reader is
// still null is skipped, as if the notation were not there.
#pragma once

#include <span>

#include "model/spine.h"
#include "shell/options.h"

// What a reader is given, and what it tells the parse.
struct TDocumentRead {
  const char* text;              // the whole document text
  TSpine& spine;                 // empty; the reader builds into it
  const TOptionValues& options;  // the settings of the parse
  int viewMode;                  // 1 a command, 2 recognition, 3 a series
  int cellsNamed = 0;            // set by the cell presentation: the text named its cells
};

struct TDocumentReader {
  const char* notation;  // for listings and tests: "link", "details", ...
  // Accepts the text (after comments and blanks). Null: the fallback reader,
  // which takes any text.
  bool (*recognises)(const char* text);
  // Builds the spine; leaves it empty when the text cannot be read (after
  // reporting why through the status reporter). Null: not in this build.
  void (*read)(TDocumentRead& read);
};

// Every notation in the order of trial; the last row is the fallback.
std::span<const TDocumentReader> DocumentReaders();

// The row that decides for a text: the first row with a reader whose
// recogniser accepts it, else the fallback.
const TDocumentReader& ReaderForText(const char* text);
