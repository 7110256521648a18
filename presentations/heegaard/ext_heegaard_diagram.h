// TExtHeegaardDiagram: the extended form of a genus-2 Heegaard diagram.
//
// The genus-2 surface is cut along three disjoint curves (the cut discs 0, 1,
// 2) into two pairs of pants. The curves of the diagram meet each pair of
// pants in three families of parallel arcs; family j holds A(j) arcs joining
// the two cut curves other than j. So cut curve k carries S(k) = A(k+1) +
// A(k+2) arc ends on each side (indices mod 3), and the two pairs of pants are
// glued back along cut curve k with the twist B(k), taken modulo S(k).
//
// The document writes "extheegaard A0 A1 A2 B0 B1 B2". The reader refuses
// numbers outside -65535..65535 (larger ones would only ask the builder for
// billions of cells); within that range any values are kept, and the builder
// and the series judge them.
#pragma once

#include <cstdint>
#include <optional>

#include "presentations/heegaard/heegaard_diagram.h"

class TOutput;
class TSpine;

class TExtHeegaardDiagram {
 public:
  static constexpr int kMaxNumber = 0xFFFF;

  // All six numbers 0.
  TExtHeegaardDiagram() = default;
  void Clear() { *this = TExtHeegaardDiagram(); }

  // A(i) for i = 0, 1, 2, else -1.
  int A(int i) const;
  // Stores without any check; other i ignored.
  void SetA(int i, int value);
  // B(i) for i = 0, 1, 2, else 0.
  int B(int i) const;
  // Stores a twist; a negative v is wrapped first: with s = S(i) > 0 it
  // becomes s - ((-v) mod s), and s itself becomes 0; with s <= 0 it is stored
  // unchanged. Non-negative values are stored unreduced.
  void SetB(int i, long long value);
  // SetA for 0, 1, 2, then SetB for 0, 1, 2 (so wrapping sees the new counts).
  void Set(long long a0, long long a1, long long a2, long long b0, long long b1, long long b2);
  // S(k) = A(k+1) + A(k+2), indices mod 3.
  long long S(int k) const;

  // A(0) + A(1) + A(2).
  long long Complexity() const;
  // 1 when all three counts are positive, each twist lies in 0..S(k)-1, the
  // counts have one parity and the twists the other.
  int IsRegular() const;
  // 1 when the diagram is visibly reducible (a family of one or two arcs
  // placed so that a cut curve bounds a disc on both sides).
  int IsReducible() const;
  // The series' test: A(2) < A(1), A(2) < B(2) and B(2) < A(0) + A(1) - A(2).
  int IsThirdSmall() const;
  // The normal form (see the .cpp).
  void Normalize();

  // Builds the spine of the diagram into the (empty) spine and sets its source
  // kind to 7; with a null spine, into a temporary one in a heap context of
  // its own (to obtain the dual diagram only). Returns the build code: 1
  // regular, three curves, dual formed (copied to *dual when given); 2 not
  // regular; 3 not three curves; 4 the dual has a loop. Every code leaves
  // the complete set of cells.
  int BuildSpine(TSpine* spine, TExtHeegaardDiagram* dual) const;

  int Equals(const TExtHeegaardDiagram& other) const;
  int NotEqual(const TExtHeegaardDiagram& other) const { return Equals(other) ? 0 : 1; }
  // Order of A(0), A(1), A(2), B(0), B(1), B(2); 1 for equal diagrams.
  static int LessOrEqual(const TExtHeegaardDiagram& left, const TExtHeegaardDiagram& right);
  static int GreaterOrEqual(const TExtHeegaardDiagram& left, const TExtHeegaardDiagram& right);

  // Reads "extheegaard A0 A1 A2 B0 B1 B2". 1 with end behind the sixth number
  // (in the caller's text); 0 on failure, the record unchanged, with the
  // reason in error when given.
  int Parse(const char* text, const char*& end, THeegaardReadError* error = nullptr);

 private:
  std::int32_t a0_ = 0;
  std::int32_t a1_ = 0;
  std::int32_t a2_ = 0;
  std::int32_t b1_ = 0;
  std::int32_t b2_ = 0;
  std::int32_t b0_ = 0;
};

// 1 when the text, comments blanked, begins with "extheegaard" in any letter
// case.
int IsExtHeegaardText(const char* text);

// The document parse's entry: reads the text and builds the spine. 1 when the
// build code is 1; 0 otherwise (an unreadable text or a diagram that is not
// regular leaves the spine empty and shows its reason as the status text;
// other codes leave the built spine).
int LoadExtHeegaardDiagram(TSpine& spine, const char* text);

// The meridian move at index i: the cut curve i is replaced by a band sum
// with another cut curve, which changes the arc counts and twists as the .cpp
// describes. The result is in normal form; nothing when B(i) is 0, i is not
// 0..2, or a resulting number leaves the int range.
std::optional<TExtHeegaardDiagram> ExtMeridianMove(const TExtHeegaardDiagram& diagram, int i);

// "A0 A1 A2 B0 B1 B2", separated by blanks.
void PrintExtHeegaardParameters(TOutput& output, const TExtHeegaardDiagram& diagram);
