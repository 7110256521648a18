// The description of a recognised manifold.
//
// A TManifoldDescription is what recognition answers for one spine and what
// a result table keeps as an entry: the piece code, the labeled molecule,
// the name, the move lines that led to the presentation and where the
// presentation came from. Two chains hang from it:
//   - the presentations (NextPresentation): every element describes the same
//     manifold reached from another spine; queries walk this chain and answer
//     with the first element that knows;
//   - the summands (NextSummand): the head describes the first prime summand
//     of a connected sum, each further element one more summand.
// A description owns everything it points to, both chains included.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/output.h"
#include "foundation/packed_record_list.h"
#include "model/object_table.h"
#include "recognition/piece_code.h"

class TSpine;

class TManifoldDescription {
 public:
  TManifoldDescription();
  ~TManifoldDescription();
  TManifoldDescription(const TManifoldDescription&) = delete;
  TManifoldDescription& operator=(const TManifoldDescription&) = delete;

  // Copies into an empty target: the name, marks, molecule, piece code, every
  // move line whole, the sources, the entry text (the first one along the
  // presentation chain), the spine text and, recursively, the summand chain.
  // The presentation chain is not copied.
  void CopyTo(TManifoldDescription& target) const;

  // ---- Chains (ownership passes to this description) ----
  void SetNextSummand(std::unique_ptr<TManifoldDescription> next) { nextSummand_ = std::move(next); }
  TManifoldDescription* GetNextSummand() const { return nextSummand_.get(); }
  // Hands the summands behind this one to the caller.
  std::unique_ptr<TManifoldDescription> ReleaseNextSummand() { return std::move(nextSummand_); }
  void SetNextPresentation(std::unique_ptr<TManifoldDescription> next) {
    nextPresentation_ = std::move(next);
  }
  TManifoldDescription* GetNextPresentation() const { return nextPresentation_.get(); }
  // Hands the presentations behind this one to the caller.
  std::unique_ptr<TManifoldDescription> ReleaseNextPresentation() { return std::move(nextPresentation_); }
  // At least 1: this element counts.
  int CountSummands() const;
  // Elements of the presentation chain whose code has a non-zero type.
  int CountTypedPresentations() const;

  // ---- Name and texts ----
  // This element and every later one of the presentation chain (null clears).
  void SetName(const char* text);
  const char* GetName() const { return name_.empty() && !hasName_ ? nullptr : name_.c_str(); }
  // Ignored for null; replaces the first entry text along the chain.
  void SetEntryText(const char* text);
  // This element's; with searchChain the first along the presentation chain.
  const char* GetEntryText(bool searchChain) const;
  void ClearEntryText();
  int HasEntryText() const;
  void SetSpineText(const std::string& text) { spineText_ = text; hasSpineText_ = true; }
  int HasSpineText() const;
  const std::string& GetSpineText() const { return spineText_; }

  // The spine written as its cell list (compact cells, one a line); nothing
  // for a null spine.
  void SetSpineText(const TSpine* spine);

  // ---- Code list: the set of spine codes collected for this presentation ----
  // Stores a copy of the set (null clears).
  void SetCodeList(const TPackedRecordListSet* list);
  // The set of the first element of the presentation chain that has one.
  const TPackedRecordListSet* GetCodeList() const;
  // Creates an empty set when there is none, then adds a non-empty list
  // unless an equal one is there.
  void AddCode(const TPackedRecordList& list);
  // Moves the other's set into this one (its members added when this one
  // has a set already); the other has none afterwards.
  void MergeCodeList(TManifoldDescription& other);

  // Set along the presentation chain; 1 when any element has it.
  void SetMark(int mark);
  int GetMark() const;

  // Field 3 of the record: the duplicate mark of the result table.
  void SetWord3(int value) { word3_ = value; }
  int GetWord3() const { return word3_; }
  // Set once, never cleared.
  void SetFlag9() { flag9_ = 1; }
  int GetFlag9() const { return flag9_; }
  // Only the first text set is kept.
  void SetText5(const char* text);
  const char* GetText5() const { return hasText5_ ? text5_.c_str() : nullptr; }

  // ---- References to other entries (not owned), each with a value ----
  // An entry already referenced gets value at every position that holds it.
  // A new entry is appended only to an empty list or when keepFullInformation
  // (the duplicate-control option) is set.
  void AddReference(TManifoldDescription* entry, int value, bool keepFullInformation);
  void RemoveReference(int i);
  // All references, or with a non-zero value those whose value equals it.
  int CountReferences(int value) const;
  // The i-th reference (among those with the value when it is non-zero).
  TManifoldDescription* GetReference(int i, int value) const;
  int GetReferenceValue(int i) const;

  // ---- Move lines and sources ----
  void AddMoveLine(const std::string& text) { moveLines_.push_back(text); }
  int CountMoveLines() const { return static_cast<int>(moveLines_.size()); }
  // Line i, cut to max - 1 characters and terminated; 0 when i is out of range
  // (buffer untouched) or max is 0.
  int GetMoveLine(int i, char* buffer, std::size_t max) const;
  const std::string* MoveLine(int i) const;
  // Appends (name index, position, sub-position) unless a source with the
  // same name index and position is there already.
  void AddSource(int nameIndex, int position, int subposition);
  int CountSources() const { return static_cast<int>(sources_.size()); }
  int GetSource(int i, int& nameIndex, int& position, int& subposition) const;

  // ---- Piece code and molecule ----
  const TPieceCode& GetPieceCode() const { return code_; }
  // For a spine record (types 18 and 19) whose molecule has exactly one
  // exceptional atom, that atom also gets the code as its piece (and its
  // spine word is cleared).
  void SetPieceCode(const TPieceCode& code);
  // The invariant block of the code; the atom that reads it is refreshed.
  void AppendInvariants(const std::vector<std::int32_t>& values);
  TObjectTable* GetMolecule() const { return molecule_.get(); }
  // Takes ownership (null frees the current one). The molecule's atoms are
  // freed before the code they may point to.
  void SetMolecule(TObjectTable* molecule);
  // Replaces the molecule of every element of both chains by a copy made in
  // the current heap (a result table keeps its entries in a heap of its own
  // and calls this inside that heap's context).
  void CopyMoleculesIntoCurrentHeap();
  int GetTypeCode() const { return code_.Type(); }
  void SetTypeCode(int type) { code_.SetWord(kCodeType, type); }
  int GetComplexity() const { return code_.Word(kCodeComplexity); }
  // In the code and in every later summand.
  void SetComplexity(int complexity);
  // SetComplexity when the stored one is -1 or larger.
  void LowerComplexity(int complexity);

  // The first non-zero geometry code along the presentation chain; 0 none.
  int GetGeometry() const;
  // The volume state of the first element of the presentation chain that has
  // one (1 known, 2 the computation failed); 0 none.
  int HasVolume() const;
  // The volume of the first element whose state is known; -1 unless
  // HasVolume is 1 (a first failed element hides later volumes).
  double GetVolume() const;
  // The volume behind the code; the geometry becomes hyperbolic.
  void AddVolume(double volume);
  void MarkVolumeFailed();

  void SetTrivialCode() { code_ = BuildTrivialCode(); }
  // The lens space L(p, q) in its normal form: p and q non-negative, q taken
  // mod p, then the least of q, p - q, q* and p - q* with q* = q^-1 mod p
  // (L(p, q) = L(p, q') exactly for these q').
  void SetLensCode(std::int64_t p, std::int64_t q);
  // 1 and (p, q) for a lens code; 0 otherwise.
  int GetLensParameters(int& p, int& q) const;

  // Ball count, S^2xS^1 summands and solid-torus parts; setting them drops
  // and recomputes the reducibility.
  void SetBoundaryCounts(int balls, int s2xs1, int solidTori);
  void AddBoundaryCounts(int balls, int s2xs1, int solidTori);
  void GetBoundaryCounts(int& balls, int& s2xs1, int& solidTori) const;

  // ---- Predicates ----
  // 1 when the manifold is not a prime irreducible piece: more than one
  // summand, an S^2xS^1 summand, a zero pair, L(0, 1), a Seifert piece over
  // S^2 or RP^2 with no exceptional fibre, more than one solid torus, or one
  // solid torus beside anything but S^3. Cached in word 11 of the code.
  int IsReducible();
  int IsReducible(int& summands, int& s2xs1, int& zeroPair);
  void SetReducibilityAlongSummands(int value);
  int IsRecognized() const;
  // 1 when no summand has solid-torus parts, a free boundary torus (a
  // virtual atom) or a type from 11 to 17; gives this element's ball and
  // solid-torus counts.
  int IsClosed(int& balls, int& solidTori) const;

  // ---- Order ----
  // Orders descriptions: fewer summands first; then summand by summand by
  // their codes (filled atoms and spine records by their own comparisons).
  // An undecided pair ends the walk as equal. 1 less, 2 equal, 3 greater.
  static int CompareMoleculeNodes(const TManifoldDescription& a, const TManifoldDescription& b);
  // Walks the presentation chain for one equal to other (stored in found,
  // answer 1). The walk goes on past an element only while it stands before
  // other: reducible where other is not, or equally reducible and less; count
  // is incremented once when it does. Otherwise 0.
  int FindEqualPresentation(TManifoldDescription& other, TManifoldDescription*& found, int* count);
  // Puts the summands' codes and molecules in increasing order, the boundary
  // counts of all summands onto the head, and marks every summand reducible.
  void SortSummands();

  // ---- Names ----
  // The name of a trivial piece ("S^3", "RP^3", "S^2xS^1", "Solid torus");
  // answers the layout code (4, 2, 3) or 0 when nothing was printed.
  int PrintSimpleName(TOutput& output) const;
  // The name of the piece: the simple names, "L(p,q)", "Seifert manifold"
  // with the first molecule vertex's invariants, the torus bundle's matrix,
  // the table atoms by their records' names with fillings and matrices;
  // 0 when the code has no name of its own (then nothing is printed).
  int PrintPieceName(TOutput& output) const;

 private:
  // The table file writes and rebuilds every field.
  friend class TBinaryTableFile;

  void AttachCodeToSpineRecordVertex();

  std::int32_t reserved_ = 0;
  bool hasName_ = false;
  std::string name_;
  std::unique_ptr<TPackedRecordListSet> codeList_;
  std::int32_t word3_ = 0;
  bool hasText5_ = false;
  std::string text5_;
  struct TReference {
    TManifoldDescription* entry;
    int value;
  };
  std::vector<TReference> references_;
  std::int32_t mark_ = 0;
  std::int32_t flag9_ = 0;
  TPieceCode code_;
  std::unique_ptr<TObjectTable> molecule_;
  std::unique_ptr<TManifoldDescription> nextSummand_;
  std::vector<std::string> moveLines_;
  struct TSource {
    int nameIndex;
    int position;
    int subposition;
  };
  std::vector<TSource> sources_;
  bool hasEntryText_ = false;
  std::string entryText_;
  bool hasSpineText_ = false;
  std::string spineText_;
  std::unique_ptr<TManifoldDescription> nextPresentation_;
};

// The normal parameter of L(p, q): with p, q >= 0 and q reduced mod p, the
// least of q, p - q, q* and p - q*. p = 0 gives q = 1 (S^2xS^1), p = 1 q = 0.
std::int64_t NormalLensParameter(std::int64_t p, std::int64_t q);
