// The cell presentation of a special spine: reader, spine builder and writer.
//
// The default text form of a spine lists its 2-cells, each as the boundary
// curve of the cell, a cyclic word of signed edge references (see
// cell_text_scanner.h for the three styles). The builder makes one edge per
// edge number and one cell per word, joins the corners of the words into
// vertices, and so recovers the whole complex: the vertices are the classes of
// corners that the words identify. The writer lists the cells again, so that
// what it writes reads back to the same spine.
#pragma once

#include <cstddef>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "model/complex.h"
#include "model/spine.h"
#include "presentations/cells/cell_word_text.h"

// The writer's modes.
enum : int {
  kCellsPlain = 0,     // references only, separated by blanks
  kCellsNamed = 1,     // "name = { a, -b }" with a line end after each cell
  kCellsNumbered = 2,  // "3: { a -b }" with a line end after each cell
  kCellsBraced = 3,    // "{a -b }"
  kCellsChained = 4,   // references only, cells separated by "z"
};

class TBoundaryCurvesPresentation {
 public:
  TBoundaryCurvesPresentation() = default;

  void Clear() { words_.Clear(); named_ = 0; }
  // Reads a text (TCellWordText::Parse); returns the number of cells, 0 on
  // failure. Remembers whether the text used names.
  int Parse(const char* text);
  // 1 when the text read last named an edge or a cell.
  int Named() const { return named_; }
  const TCellWordList& Words() const { return words_; }

  // Fills the spine from the words read: every object of the spine is
  // released first; edges keep their numbers (and, when the text used names,
  // get the text's tokens as names), cells are numbered in order and named as
  // in the text, vertices numbered 1, 2, ... in the manager's order. The caller
  // sets the source kind. Returns the number of cells built.
  int BuildSpine(TSpine& spine) const;

  // Appends the cells of the complex in the manager's order, each written by
  // WriteCell; after each cell modes 1 and 2 append CR LF and mode 4 "z". An
  // empty complex appends "\r\nSpine Is empty.\r\n" and gives 0. Returns the
  // number of cells written.
  static int Write(TString& text, const TComplex& complex, int mode);
  // Appends one cell (nothing for null).
  static void WriteCell(TString& text, const TObjectHeader* cell, int mode);

 private:
  TCellWordText words_;
  int named_ = 0;
};

// The name of an object as the cell presentation writes it: its whole name
// when it has one (display names are cut, this is not), else its display name.
const char* PresentationName(const TObjectHeader* object);

// Appends the display name of the complex, " = { ", the display name of each
// of its cells followed by a blank, "}" and CR LF.
void WriteObjectCellList(TOutput& output, const TComplex& complex);
