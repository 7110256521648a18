// The epsilon invariant of a special spine and its extended form.
//
// For a special polyhedron P the epsilon invariant is the sum, over all
// simple subpolyhedra Q of P (unions of 2-cells in which no edge has exactly
// one wing, the empty one and P itself included), of
//     (-1)^v6(Q) eps^(chi(Q) - v6(Q)),
// where eps is the golden ratio (eps^2 = eps + 1), chi the Euler
// characteristic and v6(Q) the number of vertices of P at which Q takes all
// six wings. It equals the trivial part of the order-5 Turaev-Viro invariant
// with eps for s_1, and it is computed exactly in Z[eps].
//
// The subsets of the n 2-cells are enumerated with a binary digit counter;
// a subset with an edge of exactly one chosen wing is rejected together with
// every subset that agrees with it up to that edge's largest cell (the counter
// jumps past them), so the cost is 2^n in the worst case and far less on
// spines with many edges. The enumeration polls the stop flag and throws
// TComputationStopped.
//
// Extended mode (mode 2) also sums the weights separately by the set of
// non-thickenable discs (2-cells at which the thickening of P fails) that a
// subpolyhedron contains; the table text of that form can be made canonical,
// so that differently numbered spines of one polyhedron give one text.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "foundation/epsilon_number.h"

class TSpine;
class TOutput;
class TSurfaceSpineSnapshot;

inline constexpr int kEpsilonPlain = 1;
inline constexpr int kEpsilonExtended = 2;
// Polyhedra with at most this many 2-cells get one listing line per
// subpolyhedron.
inline constexpr int kEpsilonListedCells = 10;
// The canonical renumbering tries k! orders of the non-thickenable discs; above
// this k the table text keeps the spine's own numbering.
inline constexpr int kEpsilonCanonicalDiscLimit = 9;

class TEpsilonCalculator {
 public:
  TEpsilonCalculator();
  ~TEpsilonCalculator();
  TEpsilonCalculator(const TEpsilonCalculator&) = delete;
  TEpsilonCalculator& operator=(const TEpsilonCalculator&) = delete;

  TEpsilonCalculator& SetMode(int mode);
  int Mode() const { return mode_; }
  // Keeps a copy of the spine; the caller's spine is not changed. Throws
  // std::invalid_argument when it is not a special polyhedron.
  void LoadSpine(const TSpine& spine);
  // The state sum; with an output, one listing line per subpolyhedron for at
  // most kEpsilonListedCells cells and the line of the whole polyhedron.
  // Throws TComputationStopped (the result is then unset) and Out_of_Range
  // when a coefficient leaves 64 bits.
  void Compute(TOutput* output);

  // Type 1 (command): "Epsilon-invariant = " value, CR LF CR LF, and in mode 2
  // the extended line. Type 2 (table text): mode 1 the value and CR LF CR LF;
  // mode 2 "non-thickenable k, " and the lines.
  std::string FormatResult(int type) const;
  void AppendResult(TOutput& output) const;
  TEpsilonNumber Result() const { return result_; }
  bool IsComputed() const { return computed_; }
  void Finish();

  // ---- Extended mode ----
  int NonThickenableCount() const { return nonThickenable_; }
  // The thickening stopped before any 2-cell was examined: the discs are
  // unknown and the extended form is undefined.
  bool ThickeningUndecided() const { return thickeningUndecided_; }
  // "(a+b eps){1 3} +..." as described in the file comment; "0{ }" for an
  // empty list.
  std::string FormatLines() const;
  // Adds the weight to the line of the subset's non-thickenable discs.
  void BookWeight(const TEpsilonNumber& weight, const std::vector<std::uint8_t>& subset);

  // The packed record: [size, k, m, L, then L lines of (m, discs, |a|, |b|, a, b)].
  std::size_t EncodedSize() const;
  std::vector<std::int64_t> Encode();
  // Rewrites the record to its smallest form over all renumberings of the
  // discs. 1 when it changed, 0 when not, -1 when k is above
  // kEpsilonCanonicalDiscLimit (left as it is). Polls the stop flag.
  static int CanonicalizeEncoded(std::vector<std::int64_t>& record);
  // Replaces the result and lines by those of the record. Throws
  // std::invalid_argument for a record that does not hold together.
  void Decode(const std::vector<std::int64_t>& record);

 private:
  struct TLine {
    std::vector<std::int64_t> discs;
    TEpsilonNumber weight;
  };
  std::string KeyOf(const std::vector<std::uint8_t>& subset) const;
  void Book(const TEpsilonNumber& weight, const std::vector<std::uint8_t>& subset);
  void SetUpThickenability(TOutput* output);

  int mode_ = kEpsilonPlain;
  bool computed_ = false;
  TEpsilonNumber result_;
  TSurfaceSpineSnapshot* snapshot_ = nullptr;
  int nonThickenable_ = 0;
  bool thickeningUndecided_ = false;
  std::vector<std::int64_t> discVector_;  // per 2-cell: its number when non-thickenable, else 0
  bool hasLines_ = false;
  std::map<std::string, TEpsilonNumber> lines_;
};

// What a thickening run says about the discs of the extended invariant: the
// disc vector (entry j the number j+1 of a failed 2-cell, else 0; empty when
// the polyhedron thickened) and whether the run stopped before any 2-cell was
// examined (failedCount -1), when the discs are unknown.
struct TThickenabilityReading {
  std::vector<std::int64_t> discVector;
  int nonThickenable = 0;
  bool undecided = false;
};
struct TThickeningReport;
TThickenabilityReading ReadThickenability(int thickened, const TThickeningReport& report, int cells);

// The command body: refuses a polyhedron that is not special with "Is
// realized for special polyhedra only!"; otherwise the result, then the
// spine's 2-cells and the listing. Returns false when refused.
bool ComputeEpsilonInvariant(TEpsilonCalculator& calculator, TSpine& spine, TOutput* output);

// Divides by eps + 2, the factor that each further boundary sphere of a
// punctured manifold contributes; false (value unchanged) when the quotient
// is not in Z[eps].
bool DivideByPuncture(TEpsilonNumber& value);

// The table text of the extended form: compute, encode, canonicalise,
// decode, format as a table text. Equal for renumbered spines.
std::string ExtendedEpsilonTableText(const TSpine& spine);
