// Molecule vertices (kind 14): the atoms of a labeled molecule.
//
// A labeled molecule describes a 3-manifold as pieces glued along tori: its
// vertices are atoms and its edges the torus gluings (molecule_edge.h). An
// atom is a Seifert fibred piece given by its base surface and its exceptional
// fibres (a solid torus, a Moebius atom, a triple atom, a Seifert atom), a
// piece of the spine still to be recognised (an exceptional atom), an open
// torus boundary (a virtual atom), or the far side of a torus shared with
// another component of the molecule (an external gluing).
//
// A molecule vertex begins with the data of a vertex, so the graph operations
// of vertex.h and edge.h (edge lists, ends, valency) apply to it unchanged.
//
// Exceptional fibres. A Seifert-type atom keeps its fibres (a_i, b_i) in two
// lists of plain values, entry i of each together. A solid torus has exactly
// one fibre, which it keeps in its two pair words as (-a, b); the pair
// operations hide that difference, so that every atom is read the same way.
//
// Every operation takes the vertex as a raw object pointer (a THandle
// converts) and accepts null or an object of another kind, returning 0, null
// or nothing and changing nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/handle.h"
#include "model/object_list.h"
#include "model/vertex.h"

class TObjectCorrespondence;

// Atom types.
enum : int {
  kSolidTorusAtom = 1,
  kMobiusAtom = 2,
  kTripleAtom = 3,
  kExceptionalAtom = 4,
  kVirtualAtom = 5,
  kExternalAtom = 6,
  kSeifertAtom = 7,
};

// Base surfaces of Seifert-type atoms, by code.
enum : int {
  kBaseNone = 0,
  kBaseSphere = 1,
  kBaseDisk = 2,
  kBaseTorus = 3,
  kBaseAnnulus = 4,
  kBasePairOfPants = 5,
  kBaseProjectivePlane = 6,
  kBaseKleinBottle = 7,
  kBaseMobiusBand = 8,
  kBaseProjectivePlaneTwoHoles = 9,
};

// A parameter set that the recognition keeps with an atom (the key of a table
// atom); present when its first integer is positive.
struct TAtomTriple {
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int16_t third = 0;

  friend bool operator==(const TAtomTriple&, const TAtomTriple&) = default;
};

struct TMoleculeVertex : TVertex {
  TMoleculeVertex();

  std::int32_t atomType = 0;
  // The matching vertex of an external gluing in another component, or the
  // partner of a split; counted.
  THandle linkedObject;
  // An exceptional atom made for a spine keeps that spine here (not owned);
  // the recognition writes its own words here too.
  std::intptr_t markWord = 0;
  const void* piece = nullptr;  // a recognised-piece record, not owned
  TAtomTriple triple;
  std::int32_t pair[2] = {0, 0};  // a solid torus's fibre (a, b) as (-a, b)
  std::int32_t baseEuler = 0;
  std::int32_t baseOrientable = 1;
  std::int32_t baseCircles = 0;
  TObjectList firstPairs;   // plain values: the a_i
  TObjectList secondPairs;  // plain values: the b_i

  // The molecule data of an object of kind 14; null otherwise.
  static TMoleculeVertex* Of(const TObjectHeader* object);

  // Type 1 also sets the base surface to the disk.
  static void SetAtomType(TObjectHeader* vertex, int type);
  static int AtomType(const TObjectHeader* vertex);

  // The reference moves to the new object (null allowed).
  static void SetLinkedObject(TObjectHeader* vertex, TObjectHeader* linked);
  static THandle LinkedObject(const TObjectHeader* vertex);

  static void SetMarkWord(TObjectHeader* vertex, std::intptr_t word);
  static std::intptr_t MarkWord(const TObjectHeader* vertex);

  static void SetPiece(TObjectHeader* vertex, const void* piece);
  static const void* Piece(const TObjectHeader* vertex);
  // A recognised piece is a record of 32-bit words (the recognition's piece
  // code): word 12 its type, word 5 the byte offset of its text block (two
  // NUL-terminated texts: the piece's spine and its isomorphism signature),
  // word 6 the word offset of its homology block (count, then entries). These
  // read a spine record (type 18) only; null or nothing for any other piece.
  static const char* PieceCodeText(const TObjectHeader* vertex);
  static const char* PieceText(const TObjectHeader* vertex);
  // Replaces the list by the homology entries of the record; 1 when it had
  // them, else 0 (list untouched).
  static int PieceApply(const TObjectHeader* vertex, std::vector<std::int32_t>& list);

  // Stores the triple and clears the mark word.
  static void SetTriple(TObjectHeader* vertex, const TAtomTriple& triple);
  // Copies the triple out; 1 when its first integer is positive.
  static int Triple(const TObjectHeader* vertex, TAtomTriple& out);
  static int HasTriple(const TObjectHeader* vertex);

  // The two pair words as stored.
  static void SetPair(TObjectHeader* vertex, int a, int b);
  static void SetPairValue(TObjectHeader* vertex, int i, int value);  // i = 0 or 1
  static int PairValue(const TObjectHeader* vertex, int i);           // 0 for another i

  // The base surface: Euler characteristic (A), orientable 1/0 (B), number of
  // boundary circles (C).
  static void SetFlagA(TObjectHeader* vertex, int euler);
  static int FlagA(const TObjectHeader* vertex);
  static void SetFlagB(TObjectHeader* vertex, int orientable);
  static int FlagB(const TObjectHeader* vertex);
  static void SetFlagC(TObjectHeader* vertex, int circles);
  static int FlagC(const TObjectHeader* vertex);
  // The code of the base surface (kBaseSphere ... kBaseProjectivePlaneTwoHoles);
  // kBaseNone for any other combination.
  static int Classify(const TObjectHeader* vertex);
  // Writes the three base words of a code; codes other than 1-4 and 6-9 are
  // ignored (the pair of pants is never set this way).
  static void ResetByType(TObjectHeader* vertex, int code);

  // ---- Exceptional fibres ----
  // 1 for a solid torus, else the length of the pair lists.
  static int PairCount(const TObjectHeader* vertex);
  // Appends (a, b); a solid torus stores it as (-a, b) in its pair words.
  // Throws Out_of_Range when -a does not fit.
  static void AddPair(TObjectHeader* vertex, int a, int b);
  // A solid torus stores (-a, b) whatever i is (1); otherwise entry i of both
  // lists when i is below their length (1), else nothing (0).
  static int SetPairAt(TObjectHeader* vertex, int i, int a, int b);
  // Pair i as (a, b); 0 (outputs untouched) when i is past the end.
  static int PairAt(const TObjectHeader* vertex, int i, int& a, int& b);
  // Component a (second = 0) or b (second != 0) of pair i; 0 past the end.
  static int PairComponent(const TObjectHeader* vertex, int i, int second);
  // Searches the first list from its end for an entry 1 and gives the entry
  // of the second list beside it; 1 when found, else 0.
  static int FindPair(const TObjectHeader* vertex, int& out);
  // Removes entry i from both lists; 0 when past the end.
  static int RemovePairAt(TObjectHeader* vertex, int i);

  // Copies the name, or without one the atom name of the type and the
  // secondary number (the primary number when the atom has no secondary
  // one), into a buffer of n characters (cut to n - 1). Returns
  // the buffer; null for a null vertex, buffer or n = 0.
  static char* Label(const TObjectHeader* vertex, char* buffer, std::size_t n);

  // Completes a copy made by the object manager: the vertex part through the
  // correspondence, then the molecule data. The linked object is left empty
  // (the chain copy links the copies again). Mode 1 replaces a non-zero mark
  // word by newOwner; mode 2 copies it.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map, std::intptr_t newOwner, int mode);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TMoleculeVertexRelease(TObjectHeader* vertex);
void TMoleculeVertexDestroy(TObjectHeader* vertex);
