// An ordered list of strings, or of name/value pairs.
//
// Two modes: insertion order (append, linear search, duplicates allowed) and
// sorted (ascending by strcmp of the name, binary search, no duplicates; the
// mode of a new list). In pair mode every entry is a name and a value held in
// one block, name NUL value NUL, and is ordered and searched by its name;
// plain entries carry an empty value. Entry texts keep their address while
// they are in the list, so pointers from At and PairAt stay valid across
// later additions.
//
// A list can be written to a text file, one line per string (a pair as two
// lines, name then value), and read back from one; the files of polyhedron
// clouds are written and read this way.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class TStringList {
 public:
  static constexpr int kInsertionOrder = 1;
  static constexpr int kSorted = 2;

  TStringList() = default;  // empty, sorted, plain
  // Room for `slots` entries, in the given mode.
  TStringList(std::size_t slots, int mode);

  // Back to an empty, sorted list of plain strings.
  void Construct();
  // 1 insertion order or 2 sorted; other values are ignored. Set the mode
  // while the list is empty: switching a filled list to sorted mode does not
  // sort it.
  void SetMode(int mode);
  int Mode() const { return mode_; }
  // 1: entries are name/value pairs; 0: plain strings.
  void SetExtra(int pairs) { pairs_ = pairs != 0; }
  bool Pairs() const { return pairs_; }

  int Count() const { return static_cast<int>(entries_.size()); }

  // True when an entry with this text (this name, in pair mode) exists; index
  // receives its position, else the position where it would be inserted (the
  // count in insertion-order mode) and -1 for an empty list.
  bool Find(const char* text, int* index = nullptr) const;
  // Adds a copy and returns its index. Insertion-order mode always appends.
  // Sorted mode inserts at its place unless an equal entry exists; then
  // nothing is added and that entry's index is returned. `added` tells
  // whether a copy was stored.
  int Add(const char* text, bool* added = nullptr);
  int AddPair(const char* name, const char* value, bool* added = nullptr);

  // The string (the name of a pair) at i; null past the end.
  const char* At(int i) const;
  // The name at i, with the value written to `value`; null (and value null)
  // past the end.
  const char* PairAt(int i, const char** value) const;

  // Drops every entry.
  void FreeStrings() { entries_.clear(); }

  // Writes every string as one CR LF line (a pair as two) to a file created
  // anew. Returns false when the file cannot be written, or, writing nothing,
  // when a string holds a CR or LF (it would not read back as one line).
  bool Write(const char* fileName) const;
  // Counts the file's entries (lines, or pairs of lines in pair mode; a last
  // name without a value line gets an empty value) and, when fill is set,
  // adds them in file order as Add and AddPair do in the list's mode. Returns
  // the number of entries in the file; 0 when it cannot be read.
  int Read(const char* fileName, bool fill);

 private:
  int Insert(std::string block, bool* added);

  int mode_ = kSorted;
  bool pairs_ = false;
  // Each entry is "name\0value"; the unique_ptr keeps its address fixed.
  std::vector<std::unique_ptr<std::string>> entries_;
};
