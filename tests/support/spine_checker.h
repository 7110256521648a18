// The check that every move test runs after every move.
//
// A move on a thickened spine must leave a sound structure behind: the
// consistency check of the model passes, the spine is still thickened, and
// the boundary of the thickening still has Euler characteristic 2 chi(P) (the
// regular neighbourhood M of P collapses to P, and chi(dM) = 2 chi(M)), for
// every component of the chain on its own. On boundary tori the curve labels
// close up at every vertex, and a torus whose labels carry curves has a
// gluing matrix of determinant +-1. A move that keeps the manifold keeps its
// first homology, so the checker remembers the homology it saw first.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class TSpine;

class TSpineChecker {
 public:
  // Remembers the homology of the whole chain.
  explicit TSpineChecker(TSpine& spine);

  // Every test above; with keepsHomology the homology must equal the one
  // remembered. The failure names every test that failed.
  ::testing::AssertionResult Check(TSpine& spine, bool keepsHomology = true) const;

  const std::vector<std::int32_t>& Homology() const { return homology_; }

 private:
  std::vector<std::int32_t> homology_;
};

// The homology list of the chain from the spine (the spine's own list is left
// as it was).
std::vector<std::int32_t> ChainHomology(TSpine& spine);

// V - E + F of one spine of a chain.
int SpineEulerCharacteristic(const TSpine& spine);
