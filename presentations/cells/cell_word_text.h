// TCellWordText: the words of a cell presentation as read from its text.
//
// A word list (model/cell_word_list.h) together with what the reader learnt
// from the text: the numbers it gave to the edge tokens, so that a spine built
// from the words can name its edges as the text did, and whether the text
// used names at all.
//
// The edge tokens are ordinary memory: the list must be destroyed, not
// dropped with its heap.
#pragma once

#include <memory>

#include "model/cell_word_list.h"
#include "presentations/cells/cell_text_reader.h"

class TCellWordText : public TCellWordList {
 public:
  TCellWordText() = default;
  TCellWordText(const TCellWordText& other);
  TCellWordText& operator=(const TCellWordText& other);
  ~TCellWordText();

  // Empties both lists and forgets the edge tokens; the names-used flag stays.
  void Clear();

  // Reads a cell presentation (comments are blanked first). Returns the number
  // of cells read; 0 on any failure, with both lists emptied and the reason
  // reported as a status text (a name where names are suppressed fails
  // silently). With SuppressObjectNames set cell names are dropped and every
  // edge token must be a number; with QuietMode set cell names are dropped.
  int Parse(const char* text);

  // 1 when the text read last used a named edge or a named cell.
  int NamesUsed() const { return namesUsed_; }
  // The edge tokens of the text read last (empty when names were suppressed).
  const TEdgeNameTable* EdgeNames() const { return edgeNames_.get(); }

 private:
  int namesUsed_ = 0;
  std::unique_ptr<TEdgeNameTable> edgeNames_;
};
