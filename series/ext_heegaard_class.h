// The classes of extended Heegaard diagrams that the extended Heegaard
// series walks: a diagram is kept only when it is the simplest of every
// diagram that duality and the three extended meridian moves reach from it.
//
// Two diagrams of one manifold are joined by meridian moves (a band sum of
// one cut curve with another) and by duality (exchanging the two
// handlebodies). The exploration follows both from a candidate, up to 388
// diagrams, and gives up on the candidate as soon as it meets a reducible
// diagram, a simpler one, or a "third-small" one no more complex than the
// candidate (those are enumerated elsewhere in the range); a diagram met in
// an earlier class means the candidate's class was seen already. Diagrams
// above complexity 160 are not followed.
#pragma once

#include <map>
#include <tuple>
#include <vector>

#include "presentations/heegaard/ext_heegaard_diagram.h"

// The record of one candidate's exploration.
struct TExtHeegaardExploration {
  TExtHeegaardDiagram candidate;
  int start = 0;                 // the candidate's complexity
  int reducibleFound = 0;
  int leastComplexity = 0;       // 0: none met yet
  int leastThirdSmall = 0;       // 0: none met yet
};

// The diagrams met while one complexity is enumerated, in order of meeting,
// with a lookup by the six numbers.
class TExtHeegaardList {
 public:
  // 1 and the position when an equal diagram is in the list.
  int Find(const TExtHeegaardDiagram& d, int& position) const;
  int Append(const TExtHeegaardDiagram& d);
  int Count() const { return static_cast<int>(items_.size()); }
  const TExtHeegaardDiagram& At(int i) const { return items_[static_cast<std::size_t>(i)]; }
  void Clear();

 private:
  using TKey = std::tuple<int, int, int, int, int, int>;
  static TKey KeyOf(const TExtHeegaardDiagram& d);
  std::vector<TExtHeegaardDiagram> items_;
  std::map<TKey, int> index_;
};

// 1 when the two are equal, or have the same arc counts and one equals the
// other's mirror image (each non-zero twist B(k) replaced by S(k) - B(k)),
// in normal form.
int ExtHeegaardEqualUpToMirror(const TExtHeegaardDiagram& a, const TExtHeegaardDiagram& b);

// Explores the class of the start diagram, appending what it meets to the
// list; 1 when the start diagram is minimal in its class. Polls the stop
// flag.
int ExploreExtHeegaardClass(const TExtHeegaardDiagram& start, TExtHeegaardList& list,
                            TExtHeegaardExploration& record);
