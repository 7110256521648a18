// The text of a series: its optional header lines, the kind of series it
// holds, the lines of a file list and the items of a listed file.
//
// A series text may begin with up to three header lines, in this order:
//   BinaryTableLoad=FILE      load a saved result table and go on filling it
//   BinaryTableSave=FILE      save the table when the series ends
//   BinaryTableAutoSave=SECS  save it also every SECS seconds while it runs
// Then comes the series proper: either a text that one engine walks as a
// whole (a list of signatures, dehydrated descriptions or crystallization
// codes, one per line; a range of extended Heegaard diagrams; ...) or a list
// of files of spines, one file a line, each with the items to run:
//   name            the whole file is one item
//   name 5          item 5
//   name 5 - 9      items 5 to 9 (a last item of 0 or below the first: to the end)
//   name 5 >        item 5 to the end of the file
//   name 3 7 2      item 3, item 7, then item 2 (the file is read again)
// The items of a file are the runs of lines that begin with a number other
// than 0 (one cell per line); other lines separate them.
//
// Everything here works on views of the text and never reads beyond them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The values of the header lines. cursor: where the series proper begins.
struct TSeriesHeader {
  bool hasLoad = false;
  std::string loadName;
  bool hasSave = false;
  std::string saveName;
  long long autoSaveSeconds = -1;  // -1 when absent
  std::size_t cursor = 0;
  // Not empty when a header line cannot be used; the series does not run.
  std::string error;
};

// Reads the optional header lines at the start of the text (leading blanks,
// tabs and line ends skipped once). The keywords are case-sensitive. A file
// name is the rest of its line without trailing blanks; an empty name or one
// holding blanks is an error (a name cut at a blank would open another file).
TSeriesHeader ReadSeriesHeader(std::string_view text);

// The kinds of series, by what the text at the cursor holds.
enum : int {
  kSeriesFileList = 1,
  kSeriesExtHeegaard = 2,
  kSeriesHeegaard = 3,
  kSeriesCrystallization = 4,
  kSeriesGraphCode = 5,
  kSeriesFraming = 6,
  kSeriesDehydrated = 7,
  kSeriesIsoSignature = 8,
  kSeriesKnotTable = 9,
  kSeriesLinkTable = 10,
  kSeriesGraphs = 11,
};

// The kind of the series text (leading blanks, tabs and line ends skipped):
// extended Heegaard diagram, Heegaard diagram, crystallization code, graph
// code, "LinkTable", link text, dehydrated description, isomorphism
// signature, "KnotTable", "Graphs", in this order; otherwise a file list.
int DetectSeriesKind(std::string_view text);

// One line of a file list, read.
struct TSeriesListLine {
  bool empty = true;  // nothing but blanks and comments
  std::string name;
  long first = 0;  // 0: the whole file is one item
  long last = 0;   // 0: to the end of the file
  std::string rest;
  // Not empty when the line cannot be used (the series goes on with the next).
  std::string error;
};

// Reads one line of a file list (without its line end): comments blanked,
// blanks collapsed. A number beyond 2^31 - 1 is an error naming it; so is a
// word after the name that is no number, which means the name had a blank.
TSeriesListLine ParseSeriesListLine(std::string_view line);

// Takes the next integer of the rest of a list line ("7 2" gives 7, the rest
// becoming "2"); false when the rest holds none.
bool TakeRestNumber(std::string& rest, long& number);

// The walk over the items of a file's text.
class TSeriesItemReader {
 public:
  explicit TSeriesItemReader(std::string_view text) : text_(text) {}

  // Reads the next item: the lines from the cursor that begin with a number
  // other than 0, or a block from "triangulation" to "end". Lines before the
  // item become comments of it; "%%" lines open and close comment blocks,
  // whose lines are left out. The cursor stays on the line that ended the
  // item. Returns whether an item was found; *item (when given) receives its
  // text, each line ended by CR LF.
  bool ReadItem(std::string* item);
  // The whole text from the cursor as one item (found when not only blanks).
  bool ReadRest(std::string* item);
  void Rewind() { position_ = 0; inBlock_ = false; }

 private:
  bool ReadTriangulationBlock(std::string* item);
  std::string_view text_;
  std::size_t position_ = 0;
  bool inBlock_ = false;
};
