// Piece codes: the canonical integer codes of recognised manifolds.
//
// A piece code is a row of signed 32-bit words. Two codes that agree word
// for word over their compared part describe the same manifold (or piece),
// and the order of codes sorts result tables, connected-sum summands and
// molecule vertices. Words 0 to 15 are a header common to every type; the
// words from 16 on depend on the type code (word 12). Optional blocks behind
// the compared part carry invariants, homology, texts and a volume; they do
// not take part in comparisons, except a spine record's invariants, which are
// inserted into its compared part so that two spine records with different
// invariants never compare equal.
//
// Header:
//   0 size, 1 checksum (wrapping sum of words 11 .. compared length - 1),
//   2 compared length (-1: the whole code), 3 complexity, 4 invariant offset
//   (words), 5 text offset (bytes), 6 homology offset (words), 7 volume offset
//   (bytes; -2: the volume computation failed), 8 zero-pair flag, 9 geometry,
//   10 ball count, 11 reducibility cache (-1 not computed), 12 type,
//   13 type-dependent count, 14 number of S^2xS^1 summands, 15 number of
//   solid-torus parts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_header.h"

enum : int {
  kCodeSize = 0,
  kCodeChecksum = 1,
  kCodeCompareLength = 2,
  kCodeComplexity = 3,
  kCodeInvariantOffset = 4,
  kCodeTextOffset = 5,
  kCodeHomologyOffset = 6,
  kCodeVolumeOffset = 7,
  kCodeZeroPairFlag = 8,
  kCodeGeometry = 9,
  kCodeBallCount = 10,
  kCodeReducibleCache = 11,
  kCodeType = 12,
  kCodeWord13 = 13,
  kCodeS2xS1Count = 14,
  kCodeSolidTorusCount = 15,
  kCodeHeaderWords = 16,
};

// Type codes.
enum : int {
  kTrivialCode = 1,
  kLensCode = 2,
  kSeifertCode = 3,
  kBundleCode = 4,
  kCompoundCode = 5,
  kFilledAtomCode = 7,
  kMultiFilledAtomCode = 8,
  kTableAtomCode = 14,
  kFreeMultiFilledAtomCode = 16,
  kSpineRecordCode = 18,
  kUnrecognizedCode = 19,
};

// Results of the comparisons.
enum : int {
  kCodeUndecided = 0,
  kCodeLess = 1,
  kCodeEqual = 2,
  kCodeGreater = 3,
};

class TPieceCode {
 public:
  // The fresh 16-word code: size 16, compared length -1, offsets -1,
  // reducibility cache -1, everything else 0.
  TPieceCode();

  std::int32_t Word(int i) const;  // 0 outside the code
  void SetWord(int i, std::int32_t value);
  int Size() const { return static_cast<int>(words_.size()); }
  // Word 2 when positive, else the size.
  int CompareLength() const;
  int Type() const { return Word(kCodeType); }
  const std::vector<std::int32_t>& Words() const { return words_; }
  std::int32_t* Data() { return words_.data(); }

  // Grows (zeros) or shrinks the code and keeps word 0 equal to the size.
  void Resize(int size);
  // Inserts words at a position (word 0 updated).
  void InsertWords(int position, const std::vector<std::int32_t>& words);
  // Sets word 2 to the size and updates the checksum.
  void Finish();

 private:
  std::vector<std::int32_t> words_;
};

// ---- Builders ----
TPieceCode BuildTrivialCode();
// Stores (p, q) as given: the normal form is chosen by the description.
TPieceCode BuildLensCode(int p, int q);
// Type 3 from a molecule vertex: words 16 to 26 describe the vertex, then the
// first and the second components of its n pairs (2n + 27 words). Mode 2
// stores a pair (1, b) of a non-solid-torus atom as (1, 0). Solid tori,
// table atoms and virtual atoms fill the vertex words so that they sort
// apart from Seifert atoms.
TPieceCode BuildPieceCode(const TObjectHeader* vertex, int mode);
// Type 4: a torus bundle; the monodromy word (entries non-zero), a zero word,
// then the gluing matrix row by row. The matrix form has an empty word.
TPieceCode BuildBundleCode(const std::vector<std::int32_t>& word, const std::int32_t matrix[4]);
TPieceCode BuildBundleMatrixCode(const std::int32_t matrix[4]);

// The 22 words of a spine record (type 18).
struct TSpineRecordCounts {
  int virtualAtoms = 0;
  int seifertAtoms = 0;
  int boundarySpheres = 0;
  int complexity = 0;
  int vertices = 0;
  int edges = 0;
  // The molecule is one spine-record vertex with virtual atoms only, so the
  // isomorphism signature can decide equality.
  bool signatureComparable = false;
};
TPieceCode BuildSpineRecordCode(const TSpineRecordCounts& counts);
// Type 19: 17 words, word 13 the virtual atoms, word 16 the complexity.
TPieceCode BuildUnrecognizedCode(int virtualAtoms, int complexity);

// ---- Checksum and blocks ----
// Word 1 := wrapping sum of words 11 .. compared length - 1; answers it.
std::int32_t UpdateChecksum(TPieceCode& code);

int HasInvariants(const TPieceCode& code);
// One invariant block at most: a code that has one is left unchanged. A spine
// record that already has another block gets the invariants at word 22,
// inside its compared part; any other code gets them at its end.
void AppendInvariants(TPieceCode& code, const std::vector<std::int32_t>& values);
// 0 when there is no invariant block; else the values and 1.
int GetInvariants(const TPieceCode& code, std::vector<std::int32_t>& values);

// The homology block (diagonal entries); nothing when there is one already.
void AppendHomology(TPieceCode& code, const std::vector<std::int32_t>& values);
int ReadPieceCodeInvariants(const TPieceCode& code, std::vector<std::int32_t>& values);

// The text block: the spine's text, a NUL, its isomorphism signature (empty
// when none was made; then a spine record is no longer signature-comparable),
// a NUL, padded to whole words and ending with a zero word. Nothing when the
// code has a text block already.
void AppendTextBlock(TPieceCode& code, const std::string& text, const std::string& signature);
// The first and the second text; null when there is no text block.
const char* GetPieceCodeText(const TPieceCode& code);
const char* GetPieceCodeSecondText(const TPieceCode& code);

// A hyperbolic volume behind the code (checksum unchanged).
void AppendVolume(TPieceCode& code, double volume);
void MarkVolumeFailed(TPieceCode& code);
// 1 known, 2 the computation failed, 0 none.
int VolumeState(const TPieceCode& code);
// The volume, or -1 when it is not known.
double GetVolumeValue(const TPieceCode& code);

// ---- Comparisons: 1 less, 2 equal, 3 greater, 0 equal but undecided ----
// Words 12 on over the common compared part, then the shorter code is less.
// Word 11 (the reducibility cache) never makes two codes unequal: codes that
// differ otherwise are ordered by it first (irreducible before reducible)
// when both sides have it (not -1). Equal codes of types 1-8, 11-14, 16 and
// 17 are ordered by their ball counts, those of other types are undecided
// (0).
int ComparePieceCodes(const TPieceCode& a, const TPieceCode& b);
// The first 17 words, signed.
int CompareCodeHeads(const TPieceCode& a, const TPieceCode& b);
// Types 18 and 19: 18 before 19; then ComparePieceCodes; an undecided pair of
// spine records is decided by the isomorphism signatures when the first is
// signature-comparable, else answers 3 (two such records are never equal).
int CompareSpineRecords(const TPieceCode& a, const TPieceCode& b);
// Types 7 and 8: an atom naming a census entry first; among them more tori
// first, among the others fewer tori first; then ComparePieceCodes.
int CompareFilledAtoms(const TPieceCode& a, const TPieceCode& b);
// 1 for type 18 with word 21 non-zero, 0 for type 19, else 1.
int IsSignatureComparable(const TPieceCode& code);
