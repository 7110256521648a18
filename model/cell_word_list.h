// TCellWordList: an ordered list of words with their names.
//
// Each word is an object list: the boundary word of a 2-cell as signed edge
// numbers (a plain list, +n along edge n and -n against it, as the cell
// presentation reader makes it), or a counted list of objects (edges of a
// resolved word, the cells of one connected component). Beside the words runs
// a list of name objects, one per word, null for an unnamed word.
//
// The text form and its reader are the cell presentation's
// (presentations/cells/cell_word_text.h); the model uses the lists alone.
//
// The lists live in the private heap that was current when the word list was
// made.
#pragma once

#include "model/object_list.h"

class TCellWordList {
 public:
  TCellWordList();
  TCellWordList(const TCellWordList& other);
  TCellWordList& operator=(const TCellWordList& other);
  ~TCellWordList();

  // Empties both lists.
  void Clear();
  // Clear, then copies of both of the other's lists (each word copied, the
  // name objects shared). Nothing changes when other is this.
  void Assign(const TCellWordList& other);

  int CellCount() const { return words_.Count(); }
  // Length of word i; 0 out of range.
  int WordLength(int i) const;
  // The name object of word i; null when unnamed or out of range.
  TObjectHeader* CellName(int i) const;
  // Element j of word i: the signed number of a numeric word, the object
  // pointer of a counted word; 0 when either index is out of range.
  TListSlot EntryAt(int i, int j) const;
  // The object of element j of a counted word i; null out of range.
  TObjectHeader* ObjectAt(int i, int j) const;
  // The list body of word i; null out of range.
  TObjectHeader* WordAt(int i) const;
  // Appends a word (its body; the list takes a reference) and its name (null
  // allowed).
  void Append(const TObjectList& word, TObjectHeader* name);
  // Replaces element j of word i (an object in a counted word, a number in a
  // plain one); 1 on success, 0 out of range.
  int SetEntry(int i, int j, TListSlot value);
  // Empties the target and appends, for every word here, a word of the same
  // length whose elements are all null, counted (mode 0) or plain (mode 2),
  // with no names.
  void CopyShape(TCellWordList& target, int mode) const;
  // Puts a name object at position i; 1 on success, 0 out of range.
  int SetName(int i, TObjectHeader* name);

 private:
  TObjectList words_;  // counted, tag 1: a list of lists
  TObjectList names_;  // counted name objects, null for unnamed words
};
