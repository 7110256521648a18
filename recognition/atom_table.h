// The internal table of hyperbolic atoms.
//
// Hyperbolic pieces of a manifold are named by looking their spines up in a
// census of minimal special spines of cusped hyperbolic manifolds, carried as
// a text resource (resources/atoms/atoms.txt, written by the project tool
// tools/atom_table_generator.cpp; format in recognition/atom_table_generation.h).
// A record is one spine; its name Q<c>_<n> (one torus) or Q<c>^<k>_<n> (k
// tori) is computed from its place: c its complexity, n its number among the
// records of the same k and c. Records may list alternative presentations
// ("Next" descriptions, recognition/atom_next_description.h) that carry
// torus coordinates and boundary symmetries.
//
// Loading only splits the text into records: the spines are not parsed. Every
// head line carries the canonical isomorphism signature of its spine, and the
// table keeps an index from signature to record, so that a lookup costs one
// signature of the piece and one hash probe instead of parsing thousands of
// spines. The order of the records and the first index of every (k, c) range
// are derived from the text and checked: a misordered text is refused with a
// message naming the record and its line.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "recognition/word_quintuple.h"

class TSpine;

// Next description types.
enum : int {
  kNextNone = 0,
  kNextSpine = 1,      // Type1: another spine of the same atom
  kNextTableName = 2,  // Type2: another record of the table
  kNextKnot = 3,       // Type3: a knot complement
  kNextLink = 4,       // Type4: a link complement (with fillings)
};

class TTableRecord {
 public:
  int Index() const { return index; }
  int SubIndex() const { return subIndex; }
  int Complexity() const { return complexity; }
  int GetTorusCount() const { return torusCount; }
  // kNextNone for a record, else the type of the Next description.
  int GetNextType() const { return nextType; }
  // A record or a Type1 description: the ones that carry a spine.
  bool IsUsable() const { return nextType == kNextNone || nextType == kNextSpine; }
  TWordQuintuple GetKey() const { return {index, subIndex, keyA, keyB, keyC}; }
  // The boundary block: 6k + 1 words (word 0 = 1, or -1 when a torus matrix
  // has a negative determinant; per torus: number (0-based), filling step
  // count, then c, d, a, b of its matrix (a b; c d)); empty for a record
  // without torus data.
  const std::vector<std::int32_t>& GetBoundary() const { return boundary; }
  int SymmetryCount() const { return static_cast<int>(symmetries.size()); }
  const std::vector<std::int32_t>& GetSymmetryRow(int i) const { return symmetries.at(i); }
  int ReversingRow() const { return reversingRow; }
  bool IsOrientationPreservingSymmetry(int i) const;
  // Adds a boundary symmetry row (6k + 1 words) unless it is the identity, an
  // existing row, or the record already has more than 9999 rows; a row whose
  // word 0 is not 1 becomes the reversing row. 1 when added.
  int AddBoundarySymmetry(int k, const std::vector<std::int32_t>& row);
  // The first torus matrix (a b; c d) of the boundary block, as (a, b, c, d);
  // the identity without one.
  void GetFirstTorusMatrix(std::int32_t out[4]) const;

  // The whole record text (head line to end line) and its spine lines.
  std::string_view Text() const { return text; }
  // Canonical isomorphism signature of the spine (from the head line).
  const std::string& Signature() const { return signature; }
  // The census name of the record's name line ("m004"; empty for a description).
  const std::string& CensusName() const { return censusName; }
  // The name text of a Type2, Type3 or Type4 description.
  const std::string& NameText() const { return nameText; }
  const std::string& LinkName() const { return linkName; }
  int HeadLine() const { return headLine; }

  // The Next chain: the record's first description, and each description's
  // next one; the parent of a description.
  const TTableRecord* Child() const { return child.get(); }
  const TTableRecord* Parent() const { return parent; }

  // Builds the spine of a usable record into the given (empty) spine, in the
  // caller's heap: the record's cell lines, or a Type1 description's braced
  // cells. 1 on success.
  int BuildSpine(TSpine& spine) const;

  // --- filled by the loader ---
  int index = -1;
  int subIndex = 0;
  int complexity = 0;
  int torusCount = 0;
  int nextType = kNextNone;
  std::int32_t keyA = 0, keyB = 0, keyC = 0;
  int headLine = 0;
  std::string_view text;
  std::string_view spineText;  // Type1: the braced cells
  std::string signature;
  std::string censusName;
  std::string nameText;
  std::string linkName;
  std::vector<std::int32_t> boundary;
  std::vector<std::vector<std::int32_t>> symmetries;
  int reversingRow = -1;
  const TTableRecord* parent = nullptr;

  std::shared_ptr<TTableRecord> child;
};

class TAtomTable {
 public:
  // Splits a table text into records and checks their order. The text must
  // outlive the table (the records keep views into it). On a refused text
  // the table is empty and error says why (the record, its line, the reason).
  static TAtomTable FromText(std::string_view text, std::string& error);
  // A temporary text would die before the table's views into it.
  static TAtomTable FromText(std::string&& text, std::string& error) = delete;

  int Count() const { return static_cast<int>(records_.size()); }
  // Record i, 0-based; null out of range.
  const TTableRecord* Record(int i) const;
  // The record with the key's index (1 to Count) and, along its Next chain,
  // the element with the key's sub-index; null when there is none.
  const TTableRecord* FindTableRecord(const TWordQuintuple& key) const;
  // The 0-based index range of the records of complexity c with k tori; 1
  // when there is such a record, else 0 (first = last = -1).
  int TableRangeForComplexity(int c, int k, int& first, int& last) const;
  // The 0-based index of the first record of (k, c), -1 when none.
  int FirstIndex(int k, int c) const;
  // The first record whose spine has this canonical signature; null if none.
  const TTableRecord* FindBySignature(std::string_view signature) const;
  // The name of a record: "Q%u_%u" or "Q%u^%u_%u" (strings 8000 and 8110) for
  // a record, followed by the link name or name text of a description
  // (a Type3 description prints only its knot name). Empty for an unknown key.
  std::string FormatAtomName(const TWordQuintuple& key) const;
  // The text that a table record reports for the filling of its one torus:
  // "Dehn filling %s(%d,%d)" (string 867).
  std::string FormatFilledAtomName(const TWordQuintuple& key, int p, int q) const;

 private:
  std::vector<TTableRecord> records_;
  // first_[k][c] for k = 1..5; derived from the text.
  std::vector<std::vector<int>> first_;
  std::vector<std::vector<int>> last_;
  std::unordered_map<std::string, int> bySignature_;
};

// The process-wide table, loaded from the embedded resource on the first
// call (thread-safe, once per process); later calls return at once. A
// resource that is refused gives an empty table, and LoadAtomTableError()
// the reason.
const TAtomTable& LoadAtomTable();
const std::string& LoadAtomTableError();
// The process-wide table when it has been loaded, else null.
const TAtomTable* LoadedAtomTable();
// The embedded table text ("atoms/atoms.txt"); empty when absent.
std::string_view AtomTableText();
