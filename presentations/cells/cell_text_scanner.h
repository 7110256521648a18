// Scanner of the cell presentation: splits a text into entries, one per 2-cell,
// and each entry into its optional cell name and its signed edge tokens.
//
// The notation has three styles that may be mixed in one text:
//   a = { 1, -2, 3 }     named cells with braced lists (the name may also
//                        stand before ':'; the list may continue over lines)
//   {1 -2 3}             braced lists without names, several on one line
//   1 -2 3               one cell per line, no braces
// An edge token is a decimal number or a name; a leading '-' means that the
// cell's boundary runs against the edge.
//
// Where an entry ends. A braced entry runs through its closing '}' (or, when
// the text has no '}' after its '{', to the end of that line); an unbraced
// entry ends at the end of its line. The cell name is the text before the
// first '=' (else ':') of the entry's first line, and only before the line's
// first '{', so a line never lends its text to another entry's name.
//
// The scanner works on a text whose comments are already blanked and keeps
// views into it; the text must outlive the scanner and its entries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Longest cell name and longest edge token, in characters.
inline constexpr std::size_t kCellTextMaxName = 63;
// Largest edge number a text may give; larger numbers would leave no room for
// the numbers that the spine's later objects draw after them.
inline constexpr unsigned kCellTextMaxEdgeNumber = 999999999;

struct TCellTextReference {
  bool negative = false;   // the boundary runs against the edge
  std::string_view token;  // the edge's name or number as written
  // The token's value when it is a plain decimal number other than 0, else 0
  // (the token is then a name).
  unsigned value = 0;
};

struct TCellTextEntry {
  std::string_view name;  // trailing blanks removed; empty for an unnamed cell
  std::vector<TCellTextReference> references;
  std::string_view text;  // the whole entry, for messages
};

// Why a scan failed: a string-table message id and the arguments it is
// formatted with (a text, and for the length limits a number).
struct TCellTextFailure {
  int messageId = 0;
  std::string text;
  unsigned number = 0;
};

// Message ids of the scanner's failures.
inline constexpr int kCellNameTooLongMessage = 354;   // "The cell name ... is longer than ..."
inline constexpr int kEdgeNameExpectedMessage = 355;  // "Edge name expected: ..."
inline constexpr int kEdgeNameTooLongMessage = 356;   // "The edge name ... is longer than ..."
inline constexpr int kEdgeNumberTooLargeMessage = 91401;

class TCellTextScanner {
 public:
  // suppressNames: names are not wanted (cell names are dropped and '#' counts
  // as a separator between tokens).
  TCellTextScanner(std::string_view blankedText, bool suppressNames);

  // Reads the next entry. Returns 1 when one was read, 0 at the end of the
  // text, -1 on a failure (then Failure() says which; scanning cannot go on).
  // An entry may have no references; the caller decides what that means.
  int Next(TCellTextEntry& entry);

  const TCellTextFailure& Failure() const { return failure_; }

 private:
  bool IsSeparator(char c) const;
  int Fail(int messageId, std::string_view text, unsigned number);
  int ReadReferences(std::size_t position, std::size_t end, TCellTextEntry& entry);

  std::string_view text_;
  bool suppressNames_;
  std::size_t position_ = 0;
  TCellTextFailure failure_;
};
