// TLink: a knot or link diagram read from a link text.
//
// A link text gives a diagram by its Gauss code (per component, the signed
// numbers of the crossings it passes, positive over, negative under) or by
// the Dowker code of a knot, with optional crossing signs and optional
// framings (p/q, for Dehn surgery on a component):
//
//   link [t^2 | k^2] [crossings n] [signs s1 .. sn]
//        code e1 e2 ... [framing p[/q]]  (one "code" per component)
//        | dowkercode d1 .. dk
//   end
//
// With the prefix "t^2" or "k^2" the diagram is drawn in a square whose sides
// are glued to a torus or a Klein bottle; its code then also names the points
// where a strand leaves the square: a side letter (l, t, r, b for left, top,
// right, bottom) and the point's number on that side, counted from 1. The
// reader inserts the partner point where the strand comes back in.
//
// A classical diagram without signs gets them from its Gauss code (the code
// fixes a planar diagram up to mirror image once its interlacement graph is
// connected; see link_signs.cpp). A diagram on a surface must give its signs.
//
// Errors are numbered: a failed parse keeps the number in Status() and the
// message in ErrorText(); the message is the string-table text 5100 + n. It
// is also shown as a status text and through ShowMessageBox (the front end
// decides how; a batch run without a handler never waits on it).
//
// Counts are stored in 16-bit fields, as every user of a link expects; the
// reader refuses any diagram whose counts, numbers or derived record and arc
// numbers would not fit (errors 45 and 46) rather than letting them wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/heap_string.h"

class TOutput;
class TCrossing;
class TComplex;
class TSpine;
struct TObjectHeader;

// One place of a component's code.
struct TLinkCodeEntry {
  // 1 passage through a crossing, 2 passage through a point of a side of the
  // square, 3 a corner of the square (diagram records only, never in a code).
  std::int32_t kind = 0;
  // Kind 1: the crossing number, positive over, negative under. Kind 2: the
  // point number on its side, from 1. Kind 3: unused.
  std::int32_t number = 0;
  // Kind 2: the side 0..3 (l, t, r, b). Kind 3: the corner 0..3.
  std::int32_t side = 0;
};

// The framing of a component: the slope p/q of the surgery. (0, 0) means no
// framing. Stored with q >= 0, and (+-1, 0) as (1, 0).
struct TLinkFraming {
  std::int16_t p = 0;
  std::int16_t q = 0;
};

// The parse modes. Ordinary parses check that a surface diagram crosses both
// pairs of sides; the bracket and Alexander polynomial commands do not need it.
inline constexpr int kLinkParseOrdinary = 1;
inline constexpr int kLinkParseAnyPairs = 2;

// Bounds that keep every derived number within the 16-bit fields of the
// diagram and its records: at most this many crossings, and 2n + 2S + 8 (n
// crossings, S side points) at most kLinkMaxPlaces.
inline constexpr int kLinkMaxCrossings = 16383;
inline constexpr int kLinkMaxPlaces = 32767;

// Error numbers beyond the classic table (see resources/strings/links.txt).
inline constexpr int kLinkErrorNumberOutOfRange = 45;
inline constexpr int kLinkErrorTooLarge = 46;
inline constexpr int kLinkErrorNoLinkText = 47;
inline constexpr int kLinkErrorUnexpectedWord = 48;
inline constexpr int kLinkErrorKeywordOutOfOrder = 51;
// Status text id of the warning that computed signs are one of several choices.
inline constexpr int kLinkAmbiguousSignsText = 5149;
// String-table id of the keyword "link"; "end", "crossings", "signs", "code",
// "dowkercode", "framing", "t^2" and "k^2" follow it.
inline constexpr int kLinkKeywordBase = 5001;

// Recognises a link text. Works on a copy with comments blanked, every run of
// blanks collapsed to one blank, trimmed and lower-cased. The copy must begin
// with the word "link" and contain the word "end" after it (words: not part
// of a longer run of letters, digits, '_' or '^'). On success returns 1 and
// gives, when asked, the offset just past that "end" in the normalised copy
// and the normalised block from "link" through "end". Null, empty and other
// texts give 0.
int IsLinkText(const char* text, std::size_t* blockEnd = nullptr, TString* blockText = nullptr);

class TLink {
 public:
  TLink() = default;
  ~TLink() { FreeTables(); }
  TLink(const TLink&) = delete;
  TLink& operator=(const TLink&) = delete;

  // ---- Text ----
  // Parses the link text (see IsLinkText for the block). Returns 1 on success;
  // 0 on failure, with the tables freed, Status() the error number and
  // ErrorText() its message (reported as described above). A text without a
  // link block fails with error 47. mode: kLinkParseOrdinary or kLinkParseAnyPairs.
  int Parse(const char* text, int mode);
  // Parse in the ordinary mode and, on success, print the diagram and one line end.
  int ParseAndPrint(TOutput& output, const char* text);
  // Frees the tables; the crossing and component counts become 0.
  void FreeTables();

  // 1 after a successful parse; the error number after a failed one; 0 before any.
  unsigned Status() const { return status; }
  // The message of the last error ("" when there was none).
  const TString& ErrorText() const { return errorText; }
  // 1 when the signs were computed from a Gauss code that leaves a choice (a
  // composite diagram: some factors could be mirrored); a warning was shown.
  int SignsAreAmbiguous() const { return signsAmbiguous ? 1 : 0; }

  // ---- Counts and signs ----
  int CrossingCount() const { return crossingCount; }
  int CodeEntryCount() const { return entryCount; }
  int ComponentCount() const { return componentCount; }
  // The sign (+1 or -1) of crossing x; 0 when x is not in 1..n.
  int CrossingSign(int x) const;
  // Sum of the signs: type 1 all crossings; 2 the crossings that the first
  // component passing them passes twice (self-crossings); 3 those it passes
  // once (crossings between two components). 0 for another type.
  int SignSum(int type) const;
  // Sum of the signs of the crossings that component i passes both over and under.
  int ComponentWrithe(int i) const;

  // ---- Framings ----
  // 1 and the framing of component i, or 0 when i is out of range.
  int Framing(int i, std::int16_t& p, std::int16_t& q) const;
  int SetFraming(int i, std::int16_t p, std::int16_t q);

  // ---- The surface ----
  int IsClassical() const { return surfaceKind == 2 ? 1 : 0; }
  int IsOnTorus() const { return surfaceKind == 0 && orientable == 1 ? 1 : 0; }
  int IsOnKleinBottle() const { return surfaceKind == 0 && orientable == 0 ? 1 : 0; }
  int SurfaceSidePairs() const { return 2; }
  // Side 0..3 whose letter is ch, -1 when none (or on a classical diagram).
  int SideOfLetter(char ch) const;
  // 0 for sides 0 and 2, 1 for sides 1 and 3, -1 otherwise.
  static int PairOfSide(int side);
  // The two sides of a pair, smaller first; 0 for a pair other than 0 and 1.
  static int SidesOfPair(int pair, int& first, int& second);
  // +1 when the pair glues point k to point k, -1 when to point m - k + 1.
  int PairOrientation(int pair) const;
  // 0 on a classical diagram, else the sum of the four side maxima.
  int SidePointCount() const;
  // The largest point number on side s (0..3); 0 for another s.
  int SideMax(int side) const { return side >= 0 && side < 4 ? static_cast<int>(sideMax[side]) : 0; }
  // The letter of side s, 0 when none was set.
  char SideLetterOf(int side) const { return side >= 0 && side < 4 ? sideLetters[side] : '\0'; }
  // The number of side s's partner point of point k (k or m - k + 1).
  int PartnerPointNumber(int side, int k) const;
  // The side glued to side s.
  static int PartnerSide(int side) { return (side + 2) & 3; }
  // 1 when two side entries name the same point of the surface.
  int SameSidePoint(const TLinkCodeEntry& a, const TLinkCodeEntry& b) const;

  // ---- The code ----
  // Entries of component i (kind 0: all; else only that kind); 0 out of range.
  int CodeLength(int i, int kind) const;
  // The k-th entry of component i (counting only the given kind when kind is
  // not 0) and its position within the component; null when out of range.
  const TLinkCodeEntry* CodeEntry(int i, int k, int kind, int* index = nullptr) const;
  // The entry after or before the k-th one, cyclically within the component.
  const TLinkCodeEntry* NextCodeEntry(int i, int k, int kind, int* index = nullptr) const;
  const TLinkCodeEntry* PreviousCodeEntry(int i, int k, int kind, int* index = nullptr) const;
  // 1 when component i holds an entry with exactly these values.
  int ContainsEntry(int i, int kind, int number, int side) const;
  // The positions (counted as CodeEntry counts them; -1 = none) at which
  // component i passes crossing |x|; returns 0, 1 or 2.
  int FindPassages(int i, int x, int& first, int& second, int kind) const;
  // On a surface diagram: counts, per side pair, the exits through the pair
  // (-1 through its first side, +1 through its second) along the arc that
  // leaves the passage numbered x (mode 1), or, negated, along the arc that
  // arrives at it (mode 2). values[0..1] are cleared first.
  void TraceCircle(int* values, int x, int mode) const;

  // ---- Raw access for the diagram records and the spine builders ----
  const TLinkCodeEntry& Entry(int global) const { return entries[static_cast<std::size_t>(global)]; }
  // The global index of component i's first entry; i = ComponentCount() gives the total.
  int ComponentStart(int i) const { return componentStart[static_cast<std::size_t>(i)]; }
  // The record index of an entry (crossing |number| - 1, side points and
  // corners after the crossings); -1 for another kind.
  int RecordIndex(const TLinkCodeEntry& entry) const;
  // Number of diagram records: n on a classical diagram, n + S + 4 on a surface.
  int RecordCount() const;
  // The number of a side point counted side after side (1..S).
  int SidePointSerial(int side, int k) const;
  // Number of arcs of the diagram inside the square (2n + S/2).
  int InsideArcCount() const { return 2 * crossingCount + SidePointCount() / 2; }

  // Edge numbering of the exterior spine (edges 1..EdgeCount()).
  // Roles: 10 crossing edge `place` (0..3) of crossing `value`; 2 and 1 the
  // first and second edge of arc `value`; 9 the edge of boundary arc `value`;
  // 6 the segment leaving boundary record `value`; 5 the segment arriving at
  // side-point record `value`; 3 and 4 the first and second edge of side point
  // `value` (serial 1..S). 0 for an unknown role.
  int EdgeCount() const;
  int EdgeNumber(int role, int value, int place) const;

  // Computes the crossing signs from the Gauss code (classical diagrams). The
  // stages report errors 24, 25 and 26. Returns 1 when the status is still 1.
  int ComputeSigns();

  // ---- The exterior spine (link_exterior_builder.cpp) ----
  // Builds the special spine of the link's exterior, every framed component
  // filled along its framing, into the spine (emptied first). Source kind 4
  // for a classical diagram, 5 for one on the torus or Klein bottle. Returns
  // 1, or 0 with the spine empty when the parse had failed, the regions do
  // not fit the signs (error 27) or a surface diagram gives no special spine
  // (error 37).
  int BuildExteriorSpine(TSpine& spine);
  // The side gluing's last step for a surface diagram: the cell reductions,
  // then the special test (error 37 when it fails).
  int GlueSurfaceSides(TSpine& spine);

  // ---- Steps of the exterior spine builder (link_exterior_spine.cpp) ----
  // Builds the exterior's cells into an empty complex: the edges, the four
  // cell families, then the framed fillings (classical) or the gluing of the
  // square's sides (surface; the cell reductions are left to the caller).
  // The records, with their crossing cells, are handed back. Returns 0 when
  // the status is not 1 or the regions do not fit the signs (error 27).
  int BuildExteriorComplex(TComplex& complex, std::vector<TCrossing>& records, int& lastRegionCell);
  // The edge whose number the role formula gives (see EdgeNumber); null when
  // the complex has none.
  TObjectHeader* EdgeOf(TComplex& complex, int role, int value, int place) const;
  // Creates the EdgeCount() edges, numbered 1.. in creation order.
  void CreateExteriorEdges(TComplex& complex) const;
  // The four cell families; the crossing cells are stored in their records.
  void BuildOverCells(TComplex& complex, std::vector<TCrossing>& records) const;
  void BuildUnderCells(TComplex& complex, std::vector<TCrossing>& records) const;
  void BuildCrossingCells(TComplex& complex, std::vector<TCrossing>& records) const;
  // Returns 0 (after error 27) when the regions do not fit the signs; else 1
  // and the number of the last region cell made.
  int BuildRegionCells(TComplex& complex, std::vector<TCrossing>& records, int& lastRegionCell);
  // Fills every framed component of a classical diagram with a solid torus
  // along its framing (link_framing.cpp).
  void FillFramedComponents(TComplex& complex, std::vector<TCrossing>& records) const;
  // Glues the square's sides in pairs by merging the edges along them
  // (link_surface_spine.cpp); the cell reductions and the special test follow.
  void MergeSurfaceSides(TComplex& complex) const;
  // Thickens the spine and writes the meridian (label 0) and the longitude
  // (label 1) of every unframed component on its boundary torus
  // (link_boundary_curves.cpp). Nothing when every component is framed.
  void MarkBoundaryCurves(TSpine& spine, std::vector<TCrossing>& records, int lastRegionCell);
  // Appends chain edges of a rational framing to a cell (link_framing.cpp);
  // chain holds the chain's edges in the order they were made (an index past
  // its end stands for no edge).
  void BuildFramingChain(const std::vector<TObjectHeader*>& chain, TObjectHeader* cell, int startStep,
                         int x, int y, int flag) const;

 private:
  friend class TLinkReader;
  struct TSignScratch;

  // Sets the status, formats text 5100 + n and reports it.
  template <typename... Args>
  void ReportError(int n, const Args&... args) {
    TString message;
    message.FormatResource(5100 + n, args...);
    ShowError(n, message);
  }
  void ShowError(int n, const TString& message);
  void ResetDiagram();

  int JoinComponentCodes(TSignScratch& scratch);
  int ExtractLoops(TSignScratch& scratch);
  int PropagateSigns(TSignScratch& scratch);
  bool InterlacementIsSplit(const TSignScratch& scratch) const;

  // Surface diagrams: inserts the partner points and checks the signs.
  int CompleteSidePassages();
  int CheckSurfaceSigns();

  std::uint32_t orientable = 1;
  std::uint32_t surfaceKind = 2;
  char sideLetters[4] = {0, 0, 0, 0};
  signed char partnerLetters[4] = {0, 0, 0, 0};
  std::uint32_t sideMax[4] = {0, 0, 0, 0};
  std::uint32_t status = 0;
  std::int16_t crossingCount = 0;
  std::int16_t entryCount = 0;
  std::vector<signed char> signs;
  std::int16_t componentCount = 0;
  std::vector<TLinkCodeEntry> entries;
  std::vector<std::int16_t> componentStart;
  std::vector<TLinkFraming> framings;
  TString errorText;
  bool signsAmbiguous = false;
};

// The letter of side 0..3 ('l', 't', 'r', 'b'); '?' for another value.
char SideLetter(int side);

// Writes the diagram in the link text format.
void PrintLink(TOutput& output, const TLink& link);
