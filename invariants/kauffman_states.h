// The smoothings of a link diagram, for the Kauffman bracket state sums.
//
// A state chooses one of the two smoothings at every crossing. Around a
// crossing the four arms lie in the cyclic order bottom (0), left (1), top
// (2), right (3); the under strand runs from bottom to top and the over strand
// between left and right (left to right at a crossing of sign +1, right to
// left at sign -1). The A-smoothing (digit 1) joins bottom with right and left
// with top; the B-smoothing (digit 0) joins bottom with left and top with
// right. The smoothed diagram is a set of disjoint loops.
//
// The diagram is cut at its crossing passages into segments: segment s leaves
// one crossing by an arm and arrives at the next crossing along its component
// by another. A loop of a state is walked segment by segment, forward or
// backward, each segment once; on a torus or a Klein bottle the walk also adds
// up the homology class of the loop (the signed counts of the square's sides
// that each segment crosses, negated when it is walked backward). Components
// without crossings are loops of every state.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TLink;

// A loop class: the signed crossings of the two side pairs of the square.
using TLoopClass = std::array<std::int32_t, 2>;

class TSmoothingDiagram {
 public:
  // Reads the crossings and segments of a parsed diagram; on a torus or a
  // Klein bottle also the class of every segment. Cost O(n) (O(n^2) on a
  // surface, for the class of each segment).
  explicit TSmoothingDiagram(const TLink& link);

  int CrossingCount() const { return crossingCount_; }
  // Components without crossings: each is one more loop in every state.
  int FreeLoopCount() const { return static_cast<int>(freeLoopClasses_.size()); }
  const std::vector<TLoopClass>& FreeLoopClasses() const { return freeLoopClasses_; }

  // The loops of the state (digits[i] is the smoothing of crossing i + 1),
  // crossing-less components included. With `classes`, the class of every
  // loop is appended to it (surface diagrams; zeros on a plane diagram).
  // `visited` is scratch of the caller, reused between states. Cost O(n).
  int CountLoops(const std::vector<std::uint8_t>& digits, std::vector<std::uint8_t>& visited,
                 std::vector<TLoopClass>* classes = nullptr) const;

 private:
  int crossingCount_ = 0;
  // Per arm (4 * crossing + arm): the segment there, and whether the segment
  // leaves the crossing by this arm (1) or arrives by it (0).
  std::vector<std::int32_t> armSegment_;
  std::vector<std::uint8_t> armLeaves_;
  // Per segment: the arm it leaves by, the arm it arrives by, its class.
  std::vector<std::int32_t> startArm_;
  std::vector<std::int32_t> endArm_;
  std::vector<TLoopClass> segmentClass_;
  std::vector<TLoopClass> freeLoopClasses_;
};

// Reduces the class of a loop as the surface identifies classes and says
// whether the loop bounds a disc. On the torus the class stays and the loop is
// trivial when it is (0, 0). On the Klein bottle the class is taken modulo 2
// (the second entry odd makes the first 0), except that (0, +-2) becomes
// (0, 2) and stays non-trivial.
bool IsTrivialSurfaceLoop(TLoopClass& cls, bool kleinBottle);

// The arm joined to `arm` (0..3) at a crossing smoothed by `digit`.
inline int SmoothingPartner(int arm, int digit) { return digit != 0 ? 3 - arm : arm ^ 1; }
