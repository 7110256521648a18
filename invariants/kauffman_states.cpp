#include "invariants/kauffman_states.h"

#include <cstdlib>

#include "presentations/links/link.h"

namespace {

constexpr int kBottom = 0;
constexpr int kLeft = 1;
constexpr int kTop = 2;
constexpr int kRight = 3;

// The class of a crossing-less component on a surface: every exit from the
// square counted as TLink::TraceCircle counts it (an exit and the re-entry
// that follows it are one passage through a side).
TLoopClass FreeLoopClass(const TLink& link, int component) {
  TLoopClass result{0, 0};
  bool afterExit = false;
  const int length = link.CodeLength(component, 0);
  for (int k = 0; k < length; ++k) {
    const TLinkCodeEntry* e = link.CodeEntry(component, k, 0);
    if (e == nullptr || e->kind != 2) continue;
    if (afterExit) {
      afterExit = false;
      continue;
    }
    afterExit = true;
    const int pair = TLink::PairOfSide(e->side);
    if (pair >= 0) result[static_cast<std::size_t>(pair)] += e->side == pair ? -1 : 1;
  }
  return result;
}

}  // namespace

TSmoothingDiagram::TSmoothingDiagram(const TLink& link) : crossingCount_(link.CrossingCount()) {
  const std::size_t arms = static_cast<std::size_t>(crossingCount_) * 4;
  armSegment_.assign(arms, -1);
  armLeaves_.assign(arms, 0);
  const bool onSurface = link.IsClassical() == 0;
  for (int i = 0; i < link.ComponentCount(); ++i) {
    const int passages = link.CodeLength(i, 1);
    if (passages == 0) {
      freeLoopClasses_.push_back(onSurface ? FreeLoopClass(link, i) : TLoopClass{0, 0});
      continue;
    }
    const int first = static_cast<int>(startArm_.size());
    for (int k = 0; k < passages; ++k) {
      const TLinkCodeEntry* here = link.CodeEntry(i, k, 1);
      const TLinkCodeEntry* next = link.CodeEntry(i, (k + 1) % passages, 1);
      const int x = here->number;
      const int y = next->number;
      // The arm by which the strand leaves the crossing of `here`, and the
      // arm by which it arrives at the crossing of `next`.
      int leaveArm = kTop;
      if (x > 0) leaveArm = link.CrossingSign(x) > 0 ? kRight : kLeft;
      int arriveArm = kBottom;
      if (y > 0) arriveArm = link.CrossingSign(y) > 0 ? kLeft : kRight;
      const int segment = first + k;
      const int start = 4 * (std::abs(x) - 1) + leaveArm;
      const int end = 4 * (std::abs(y) - 1) + arriveArm;
      startArm_.push_back(start);
      endArm_.push_back(end);
      armSegment_[static_cast<std::size_t>(start)] = segment;
      armLeaves_[static_cast<std::size_t>(start)] = 1;
      armSegment_[static_cast<std::size_t>(end)] = segment;
      TLoopClass cls{0, 0};
      if (onSurface) link.TraceCircle(cls.data(), x, 1);
      segmentClass_.push_back(cls);
    }
  }
}

int TSmoothingDiagram::CountLoops(const std::vector<std::uint8_t>& digits,
                                  std::vector<std::uint8_t>& visited,
                                  std::vector<TLoopClass>* classes) const {
  const std::size_t segments = startArm_.size();
  visited.assign(segments, 0);
  int loops = FreeLoopCount();
  if (classes != nullptr) classes->assign(freeLoopClasses_.begin(), freeLoopClasses_.end());
  for (std::size_t s = 0; s < segments; ++s) {
    if (visited[s] != 0) continue;
    ++loops;
    TLoopClass cls{0, 0};
    std::size_t current = s;
    bool forward = true;
    do {
      visited[current] = 1;
      const TLoopClass& c = segmentClass_[current];
      const int direction = forward ? 1 : -1;
      cls[0] += direction * c[0];
      cls[1] += direction * c[1];
      const int arm = forward ? endArm_[current] : startArm_[current];
      const int crossing = arm / 4;
      const int next = 4 * crossing + SmoothingPartner(arm % 4, digits[static_cast<std::size_t>(crossing)]);
      current = static_cast<std::size_t>(armSegment_[static_cast<std::size_t>(next)]);
      forward = armLeaves_[static_cast<std::size_t>(next)] != 0;
    } while (visited[current] == 0);  // the walk closes where it began
    if (classes != nullptr) classes->push_back(cls);
  }
  return loops;
}

bool IsTrivialSurfaceLoop(TLoopClass& cls, bool kleinBottle) {
  if (kleinBottle) {
    if (cls[0] == 0 && std::abs(cls[1]) == 2) {
      cls[1] = 2;
    } else {
      cls[0] = std::abs(cls[0] % 2);
      cls[1] = std::abs(cls[1] % 2);
      if (cls[1] == 1) cls[0] = 0;
    }
  }
  return cls[0] == 0 && cls[1] == 0;
}
