// The list of the Simplify dialog: every move that applies to one connected
// component of a spine, one entry per move and 2-cell, with the move that the
// automatic simplification would take next marked as the default.
//
// Both front ends use it: the desktop dialog shows the entries and makes the
// one the user picks; `sorvelin dialog` prints them and makes the ones given
// by number. The list knows the component by its index in the chain, since a
// move may replace the spines of the chain (a cutting adds components, a
// refused move restores the head from a copy).
//
// Building the list asks the per-cell classifier for every cell, which runs
// each family's test on the cell: cost grows with cells times families.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TSpine;

struct TSimplifyEntry {
  int code = 0;        // the move type; 0 for a cell to which no move applies
  int parameter = -1;  // the 2-cell index, or the element for codes 19 and 20
  // Code 15: subtype, boundary-surface index and the four edge ordinals.
  std::array<int, 6> polygon{-1, -1, -1, -1, -1, -1};
  // Code 10: the plate vector of the normal torus to cut along.
  std::vector<std::uint8_t> plates;
  std::string text;
};

class TSimplifyMoveList {
 public:
  // The list of the chain whose head is given (the head must outlive the
  // list); the first component is current. Call Fill before reading.
  explicit TSimplifyMoveList(TSpine& head) : head_(head) {}

  // Builds the entries of the current component (the first one again when the
  // chain has become shorter than the current index).
  void Fill();

  const std::vector<TSimplifyEntry>& Entries() const { return entries_; }
  // The list index of the default entry, -1 when none.
  int DefaultIndex() const { return defaultIndex_; }
  // The default button's text: "Algorithm default : cell - move", or why
  // there is none.
  const std::string& DefaultCaption() const { return defaultCaption_; }

  // The current component and its number from 1.
  TSpine& Component();
  int ComponentNumber() const { return componentIndex_ + 1; }
  int ComponentCount() const;
  // The chain has more than one component ("Next Connected Component").
  bool HasNextComponent() const { return ComponentCount() > 1; }
  // Moves to the next component, back to the first after the last (only with
  // more than one component), gives it the cell reductions and fills the
  // list again. False with one component.
  bool NextComponent();
  // With no default entry, the next component that has one, searched forward
  // without wrapping past the current one: true when one was found (it is
  // then current and filled). Going round the chain again and again when no
  // component can be simplified any more would never end.
  bool AdvanceToSimplifiableComponent();

  // Adds a normal torus of the current component found by the search as an
  // entry of code 10 with the given text; as the default entry when asked.
  void AddNormalTorus(std::vector<std::uint8_t> plates, std::string text, bool makeDefault);

  // Makes the move of entry k on the current component. 1 when it moved (the
  // list is then filled again), 0 when the entry has no move or the move was
  // refused (spine and list unchanged). The move's report goes to moveText.
  // Throws TComputationStopped like the moves.
  int MakeMove(int k, std::string& moveText);

 private:
  TSpine& head_;
  int componentIndex_ = 0;
  std::vector<TSimplifyEntry> entries_;
  int defaultIndex_ = -1;
  std::string defaultCaption_;
};

// The caption of a move type in the list: "Collapsing", ..., "None".
std::string SimplifyMoveCaption(int type);
