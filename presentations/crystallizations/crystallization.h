// A crystallization and a graph code as values: a code graph with its text.
//
// TCrystallization holds the graph of a crystallization code (3 x n, see
// crystallization_code.h) and its code text, built from the graph on first
// use. TGraphCode holds a graph code read from a line of text in canonical
// form: the order n and the canonical code text. Both compare by their texts,
// which is how the series recognise repeated crystallizations.
#pragma once

#include <memory>

#include "foundation/heap_string.h"
#include "foundation/int_matrix.h"

class TCrystallization {
 public:
  TCrystallization() = default;
  TCrystallization(const TCrystallization& other) { Assign(other); }
  TCrystallization& operator=(const TCrystallization& other) {
    if (this != &other) Assign(other);
    return *this;
  }
  ~TCrystallization() = default;

  // Drops the graph and the text.
  void Free();
  // Frees, then copies the other's graph and text.
  void Assign(const TCrystallization& other);

  // Takes the graph (replacing an old one); the text is dropped, to be built
  // anew from this graph.
  void SetGraph(TIntMatrix graph);
  // The graph or null.
  const TIntMatrix* Graph() const { return graph_.get(); }

  // The code text; built from the graph on first use. Empty without both.
  const char* Text();
  // Stores a copy of the text (null clears it).
  void SetText(const char* text);
  // The text as stored, without building it; null when there is none.
  const char* TextPointer() const { return text_.Empty() ? nullptr : text_.CStr(); }

  // 1 when both texts exist or can be built and are equal.
  int SameCode(TCrystallization& other);

 private:
  std::unique_ptr<TIntMatrix> graph_;
  TString text_;
};

class TGraphCode {
 public:
  TGraphCode() = default;

  // Order 0, no text.
  void Free();
  // Reads a graph-code line (ReadGraphCodeLine) from the text, makes it
  // canonical and keeps its order and canonical text. Returns the result of
  // CanonicalGraphCode (1 connected, 0 not: the text is then that of the
  // code as read), or 0 when the first line is no graph code (nothing kept).
  // leastCycles receives CanonicalGraphCode's count when given.
  int ReadNext(const char* text, int* leastCycles = nullptr);

  int Order() const { return order_; }
  // The canonical code text; "" when nothing was read.
  const char* Text() const { return text_.CStr(); }
  // Same order and same text.
  bool Equals(const TGraphCode& other) const;

 private:
  int order_ = 0;
  TString text_;
};
