// Reader of the cell presentation: turns a text into numeric cell words.
//
// Every cell becomes a word of signed edge numbers (+n along edge n, -n
// against it) and keeps its name. Edge numbers come from the tokens:
//   - the same token always denotes the same edge;
//   - a plain number keeps its value, unless that value is already held by
//     an edge of another token;
//   - a name (any other token, and the token "0") takes the least number that
//     no edge has yet, in order of first appearance.
// So "x = {e, -f}" and "y = {f, -e}" give e the number 1 and f the number 2,
// and "5 7" with "-7 -5" keep 5 and 7.
//
// With names suppressed (batch runs that want no names), every token must be
// a plain number; a name fails the text without a message, because such runs
// read texts that the program wrote itself.
//
// Cost: linear in the length of the text (hashing of the tokens).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "presentations/cells/cell_text_scanner.h"

struct TCellTextWord {
  std::string name;             // empty for an unnamed cell
  std::vector<int> passages;    // signed edge numbers, never 0
};

// Edge tokens and the numbers they were given, in both directions.
class TEdgeNameTable {
 public:
  // The number of the edge with this token, or 0 when there is none.
  int NumberOf(std::string_view token) const;
  // The token of the edge with this number, or null when there is none.
  const std::string* NameOf(int number) const;
  // The least number from 1 up that no edge has.
  int FirstFreeNumber() const;
  // Enters an edge; the token and the number must both be new.
  void Add(std::string_view token, int number);
  void Clear();
  std::size_t Size() const { return byNumber_.size(); }

 private:
  std::unordered_map<std::string, int> byName_;
  std::unordered_map<int, std::string> byNumber_;
  mutable int firstFree_ = 1;  // no number below it is free
};

class TCellTextReader {
 public:
  // Reads a text whose comments are blanked. suppressNames: tokens must be
  // plain numbers and cell names are dropped; keepCellNames 0 drops cell names
  // too (quiet runs) without failing on them.
  // Returns the number of cells read; 0 on a failure, after which Words() is
  // empty and Failure() tells what failed (message id 0: a silent failure).
  int Read(std::string_view blankedText, bool suppressNames, bool keepCellNames);

  const std::vector<TCellTextWord>& Words() const { return words_; }
  // 1 when an edge token was not a plain number or a cell had a name.
  int NamesUsed() const { return namesUsed_; }
  const TEdgeNameTable& Edges() const { return edges_; }
  const TCellTextFailure& Failure() const { return failure_; }

 private:
  int Fail(const TCellTextFailure& failure);

  std::vector<TCellTextWord> words_;
  TEdgeNameTable edges_;
  int namesUsed_ = 0;
  TCellTextFailure failure_;
};
