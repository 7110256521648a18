// THeegaardDiagram: a genus-2 Heegaard diagram given by six arc counts and two
// twists.
//
// The Heegaard surface of genus 2 is drawn as a plane with two pairs of discs;
// each disc is glued to its partner, which makes the two handles. The curves
// of the diagram (the meridians of the second handlebody) cross the plane as
// families of parallel arcs:
//   a       arcs from the first pair to the second pair (drawn twice, "a" and "A"),
//   b1, b2  arcs from one disc of the first pair to the other ("b", or "B1", "B2"),
//   c1, c2  the same on the second pair ("c", or "C1", "C2"),
//   d       arcs between the pairs on the other side (drawn twice, "d" and "D"),
// and shift1, shift2 are the rotations with which the two discs of a pair are
// glued. Each disc of the first pair carries N1 = a + b1 + b2 + d arc ends,
// each disc of the second pair N2 = a + c1 + c2 + d; the shifts lie in 0..N-1.
//
// The eight numbers are 16-bit. Nothing is ever stored truncated: the setters
// refuse a value that does not fit (negative counts, counts above 65535, and
// diagrams whose N1 or N2 exceed 65535, since a shift below N must fit too),
// and leave the diagram as it was.
//
// Parameter type codes name the counts (and label the arc pieces of the arc
// table and the reports):
//   1 a, 2 "A", 3 "a", 4 b1 + b2 ("b"), 5 b1, 6 b2, 7 c1 + c2 ("c"), 8 c1,
//   9 c2, 10 d, 11 "D", 12 "d".
//
// The arc table (heegaard_arc_table.cpp), meridian moves and complexity
// (heegaard_meridian_moves.cpp), dual diagram (heegaard_dual_diagram.cpp),
// normal form (heegaard_normal_form.cpp) and reader (heegaard_reader.cpp) are
// members declared here and defined in files of their own.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/int_matrix.h"

class TOutput;
class TSpine;
class THomologyList;

// Why a Heegaard text could not be read: a string-table id whose text takes
// the line (%d) and the offending token (%s), the token and its line (1-based).
struct THeegaardReadError {
  int messageId = 0;
  std::string token;
  int line = 0;
};

// The option of the Heegaard diagram search that decides whether the
// complexity looks at the dual diagram (values 1 and 2). The search sets it
// before it runs; 0 when no search has set it.
extern std::atomic<int> HeegaardSearchMode;

class THeegaardDiagram {
 public:
  // Largest arc count, shift and disc-pair size a diagram can hold.
  static constexpr int kMaxNumber = 0xFFFF;
  // Columns of the plain and of the labelled arc table.
  static constexpr int kPlainColumns = 8;
  static constexpr int kLabelledColumns = 10;

  // All eight numbers 0xFFFF, kind 0, no arc table, level -1, move code 0, no
  // parent.
  THeegaardDiagram();
  // Copying copies the arc table deeply (InitCopy / CopyFrom).
  THeegaardDiagram(const THeegaardDiagram& other);
  THeegaardDiagram& operator=(const THeegaardDiagram& other);
  THeegaardDiagram(THeegaardDiagram&&) noexcept = default;
  THeegaardDiagram& operator=(THeegaardDiagram&&) noexcept = default;
  ~THeegaardDiagram() = default;

  // A diagram on the current private heap, and its release.
  static THeegaardDiagram* New();
  static void Delete(THeegaardDiagram* diagram);
  // Releases the arc table only.
  void Free() { FreeCurveArray(); }

  // ---- Construction ----
  // Kind 1, no table, level -1, move code 0, no parent; codes 1, 4, 7, 10 set
  // to a, b, c, d (so b2 = c2 = 0), then the shifts through SetShift. Returns
  // false and changes nothing when a count is negative or above 65535, or N1
  // or N2 would exceed 65535.
  bool SetFromFour(int a, int b, int c, int d, long long shift1, long long shift2);
  // The same with codes 1, 5, 6, 8, 9, 10.
  bool SetFromSix(int a, int b1, int b2, int c1, int c2, int d, long long shift1,
                  long long shift2);
  // Copies kind, numbers, arc table (deeply; none when the other has none),
  // level, move code and parent.
  void CopyFrom(const THeegaardDiagram& other);
  void InitCopy(const THeegaardDiagram& other);
  void SetCurveArray(std::unique_ptr<TIntMatrix> table) { arcs_ = std::move(table); }
  TIntMatrix* CurveArray() { return arcs_.get(); }
  const TIntMatrix* CurveArray() const { return arcs_.get(); }
  void FreeCurveArray() { arcs_.reset(); }
  std::unique_ptr<TIntMatrix> DetachCurveArray() { return std::move(arcs_); }

  // ---- Accessors ----
  // The count of a type code (codes 4 and 7 are sums), -1 for other codes.
  int Parameter(int code) const;
  // Writes the count of code 1, 4 (b1, and b2 := 0), 5, 6, 7 (c1, c2 := 0),
  // 8, 9 or 10. Returns false and changes nothing for another code or a value
  // outside 0..65535. Changing a count keeps the arc table; callers that
  // change counts drop it (the operations of this class do).
  bool SetParameter(int code, int value);
  // Sets shift1 (curve 0) or shift2 (curve 1), reduced modulo the number N of
  // arc ends on each disc of the pair, computed from the current counts: a
  // negative v becomes N - ((-v) mod N), and the result is taken mod N; N = 1
  // gives 0; N = 0 stores the value unreduced. Returns false and changes
  // nothing for another curve number or when the value to store lies outside
  // 0..65535.
  bool SetShift(int curve, long long value);
  // shift1 for 0, shift2 for 1, -1 otherwise.
  int Shift(int curve) const;

  int A() const { return a_; }
  int B1() const { return b1_; }
  int B2() const { return b2_; }
  int C1() const { return c1_; }
  int C2() const { return c2_; }
  int D() const { return d_; }
  int Shift1() const { return shift1_; }
  int Shift2() const { return shift2_; }
  // Arc ends on each disc of the first and of the second pair.
  int N1() const { return a_ + b1_ + b2_ + d_; }
  int N2() const { return a_ + c1_ + c2_ + d_; }

  // b1 + b2 + c1 + c2 + 2 (a + d): the number of arc pieces, the basic size.
  int ArcSum() const;
  // 1 when b2 or c2 is not 0.
  int HasInnerArcs() const { return (b2_ != 0 || c2_ != 0) ? 1 : 0; }
  int SumOfSecondAndThird() const { return b1_ + b2_; }

  // 0 not set, 1 plain (two curves), 2 one curve, 3 one curve with the parity
  // rules, 4 star form (one curve, parity rules, b2 = c2 = 0).
  int Kind() const { return kind_; }
  void SetKind(int kind) { kind_ = kind; }
  THeegaardDiagram& SetTag(int level) {
    level_ = static_cast<std::int16_t>(level);
    return *this;
  }
  int GetTag() const { return level_; }
  THeegaardDiagram& SetTag2(int moveCode) {
    moveCode_ = static_cast<std::int16_t>(moveCode);
    return *this;
  }
  int GetTag2() const { return moveCode_; }
  THeegaardDiagram& SetParent(const THeegaardDiagram* parent) {
    parent_ = parent;
    return *this;
  }
  const THeegaardDiagram* Parent() const { return parent_; }

  // ---- Tests and comparisons ----
  // 1 when the numbers obey the rules of the diagram's kind (see the .cpp).
  int IsValid() const;
  // IsValid, and the number of traced curves suits the kind (kind 1: two;
  // kinds 2, 3, 4: one; others: any). Builds and traces the plain table.
  int IsValidOfKind();
  // 1 when the six counts agree and, in mode 1, also both shifts.
  int Compare(const THeegaardDiagram& other, int mode) const;
  int IsEqual(const THeegaardDiagram& other) const { return Compare(other, 1); }
  int NotEqual(const THeegaardDiagram& other) const { return IsEqual(other) ? 0 : 1; }
  // Lexicographic order of a, b1, b2, c1, c2, d, shift1, shift2: 1 when equal
  // or the first difference is smaller (LessOrEqual) or larger
  // (GreaterOrEqual) on the left.
  static int LessOrEqual(const THeegaardDiagram& left, const THeegaardDiagram& right);
  static int GreaterOrEqual(const THeegaardDiagram& left, const THeegaardDiagram& right);

  // ---- Text (heegaard_reader.cpp) ----
  // Reads "heegaard [*] a (b1, b2) (c1, c2) d shift1 shift2" (a pair may be a
  // single number). 1 on success with end behind the last number, in the
  // caller's text, and kind 4 for the star form, 1 otherwise. 0 on failure:
  // the kind is unchanged; the numbers too, unless the failure is the validity
  // test (they then hold the values read). When error is given it receives
  // the reason.
  int ParseText(const char* text, const char*& end, THeegaardReadError* error = nullptr);
  // The same; the pointer moves behind the last number on success.
  int ParseParameters(const char*& text, THeegaardReadError* error = nullptr);

  // ---- Normal form (heegaard_normal_form.cpp) ----
  // Brings the diagram to the normal form that makes equal diagrams equal
  // records. Keeps the arc table when the numbers come out unchanged.
  void Normalize();

  // ---- Arc table and curves (heegaard_arc_table.cpp) ----
  // Mode 1: builds the plain table unless one exists; mode 2: always builds a
  // fresh labelled table. Nothing for arc sum 0. Returns the number of d arcs.
  int BuildArcTable(int mode);
  // Traces the table into closed curves (columns 4 and 5, and 9 in mode 2 on
  // a labelled table). An already traced table is not traced again. Returns
  // the number of curves (0 without a table).
  int TraceCurves(int mode);
  // Builds the plain table (mode 1) and traces it.
  int CurveCount();
  // The first row with the point at either end, or -1.
  int RowOfPoint(int point) const;
  // 1 when the dual diagram has a loop; 0 for an empty diagram.
  int HasDualLoop();
  // For each curve, the diagram of that curve's arcs alone. Returns the number
  // of curves; writes nothing when it exceeds the capacity.
  int CurveArcCounts(THeegaardDiagram* diagrams, int capacity);
  // The arcs of curve `curve` (1-based) of a traced labelled table, counted
  // into a diagram.
  THeegaardDiagram CurveDiagram(int curve) const;
  // The first homology of the manifold: the relation of each curve is its
  // word in the two handle generators, abelianised (see the .cpp on why the
  // piece coefficients are halved), and the relation matrix is diagonalised
  // into the list (cleared first) or, when list is null, into a new list on
  // the current private heap that the caller owns. The list names the group
  // as a homology list does ({1} for the trivial group); it stays empty for a
  // diagram without curves. Returns the list. Throws Out_of_Range on
  // overflow (the list is then empty).
  THomologyList* RelationMatrix(THomologyList* list);
  // The abelianised relation of each curve: (exponent sum of the first
  // handle's generator, of the second's).
  std::vector<std::array<std::int64_t, 2>> CurveRelations();

  // ---- Meridian moves, dual diagram, complexity (heegaard_meridian_moves.cpp,
  //      heegaard_dual_diagram.cpp) ----
  // Replaces the diagram by the result of the basic meridian move; the arc
  // table is dropped. Returns false and changes nothing when the result's
  // numbers would not fit.
  bool ChangeMeridian();
  // Up to four distinct diagrams by meridian moves (filter 1 all, 2 same arc
  // sum, 3 arc sum not larger); their number, 0 for the star form.
  int MeridianMoves(THeegaardDiagram* results, int filter) const;
  // The meridian moves, and the dual diagram when asked for and new (room for
  // five results); each result gets level = this level + 1. 0 for the star
  // form. Drops the arc table.
  int MeridianMovesAreNew(THeegaardDiagram* results, int filter, int withDual);
  // 1 with the dual diagram in `dual`; 0 when it cannot be formed.
  int DualDiagram(THeegaardDiagram& dual);
  // 1 when the diagram can be reduced, with the lowered complexity in value.
  int Complexity(int withDual, int& value);
  // 1 when the diagram has a directly recognisable simple form.
  int IsSimple();

  // ---- Spine (heegaard_spine_builder.cpp) ----
  // Fills the (empty) spine with a special spine of the manifold: the star
  // form through BuildStarSpine, any other kind through the extended form.
  // Returns 5 (spine untouched) for a diagram without arcs, 0 when the build
  // failed, else 1, or 2 for a diagram without a and d arcs. The diagram is
  // not changed.
  int BuildSpine(TSpine& spine);
  // The star road: 1 built; 0 refused (the diagram breaks the star form's
  // conditions), spine and diagram unchanged.
  int BuildStarSpine(TSpine& spine);

  // ---- Reports (heegaard_report.cpp) ----
  // The report of the short information. With a text, the diagram is read
  // from it first (nothing is written when that fails). Depth 1 is the top.
  void PrintReport(TOutput& output, int depth, const char* text = nullptr);

 private:
  int DualDiagramAt(THeegaardDiagram& dual, int depth);
  bool StoreNumbers(const std::array<long long, 6>& counts, long long shift1, long long shift2);

  std::uint16_t a_ = 0xFFFF;
  std::uint16_t b1_ = 0xFFFF;
  std::uint16_t b2_ = 0xFFFF;
  std::uint16_t c1_ = 0xFFFF;
  std::uint16_t c2_ = 0xFFFF;
  std::uint16_t d_ = 0xFFFF;
  std::uint16_t shift1_ = 0xFFFF;
  std::uint16_t shift2_ = 0xFFFF;
  std::int32_t kind_ = 0;
  std::unique_ptr<TIntMatrix> arcs_;
  std::int16_t level_ = -1;
  std::int16_t moveCode_ = 0;
  const THeegaardDiagram* parent_ = nullptr;
};

// 1 when the text, comments blanked, begins with the keyword "heegaard" in any
// letter case.
int IsHeegaardText(const char* text);

// The document parse's entry: 1 when the text is read as a diagram and built
// into the (empty) spine (a build that fails with 0 still counts as read; the
// caller judges the spine by its contents). 0 for an unreadable text, whose
// reason is shown as the status text, and for a diagram without arcs.
int LoadHeegaardDiagram(TSpine& spine, const char* text);

// The diagram's numbers as the document writes them behind the keyword:
// "a b c d shift1 shift2", where a pair is "(x,y)" when its second member is
// not 0.
void PrintHeegaardParameters(TOutput& output, const THeegaardDiagram& diagram);
