// Crossing signs from a Gauss code.
//
// A Gauss code lists, along each component, the crossings it passes and
// whether it passes over or under; it does not say how the crossings turn.
// When the code comes from a diagram in the plane the turning is forced up to
// a mirror image, and this computes it:
//
// 1. Join. The components become one sequence: a component is spliced into
//    the sequence at a crossing it shares with it, between two copies of an
//    extra value n + x standing for that crossing x. A component sharing no
//    crossing with the joined ones means the diagram is not connected.
// 2. Loops. Each crossing x whose two passages are not yet marked is cut
//    open (the stretch between its two passages is reversed and wrapped in
//    two copies of n + x), which turns the closed curve into the boundary
//    walk of a tree-like figure whose chords are the crossings.
// 3. Colours. Two values interlace when exactly one occurrence of one lies
//    between the two occurrences of the other. A planar curve needs a
//    2-colouring of the interlacement graph (Gauss's condition); it is found
//    by breadth-first search from crossing 1, level by level, starting a
//    fresh component at the first uncoloured value. A clash means the code
//    cannot be drawn in the plane.
// 4. A crossing and its extra value must agree; then the loops are undone in
//    reverse order, each flipping the colours of the values it reversed.
// 5. The colour of crossing x relative to that of crossing 1 is its sign, so
//    crossing 1 is always positive (the mirror image is fixed that way).
//
// Where the interlacement graph of the joined code falls into several parts
// with at least two crossings each (a composite diagram, such as the granny
// and the square knot), each part could be mirrored on its own: the code
// does not determine the knot, and the reader warns that signs should be
// given. Isolated crossings (kinks) only change the writhe, which framings
// correct for, so they raise no warning.
//
// Cost: O(n^2) for n crossings (each value is processed once against the
// sequence of at most 4n places).
#include <cstdlib>
#include <numeric>
#include <vector>

#include "presentations/links/link.h"

struct TLink::TSignScratch {
  std::vector<int> sequence;
  std::vector<int> joined;  // the sequence after the join, before the loops
  std::vector<int> colour;  // colour[1..2n]
  struct TLoop {
    int crossing = 0;
    int sign = 0;
    std::vector<int> values;  // the values between the passages, reversed
  };
  std::vector<TLoop> loops;
};

namespace {

int Abs(int v) { return v < 0 ? -v : v; }

// For each absolute value 1..maxValue, its first two places in the sequence (-1 = none).
void PlacesOfValues(const std::vector<int>& sequence, int maxValue, std::vector<int>& first,
                    std::vector<int>& second) {
  first.assign(static_cast<std::size_t>(maxValue) + 1, -1);
  second.assign(static_cast<std::size_t>(maxValue) + 1, -1);
  for (std::size_t q = 0; q < sequence.size(); ++q) {
    int w = Abs(sequence[q]);
    if (w < 1 || w > maxValue) continue;
    if (first[static_cast<std::size_t>(w)] < 0) {
      first[static_cast<std::size_t>(w)] = static_cast<int>(q);
    } else if (second[static_cast<std::size_t>(w)] < 0) {
      second[static_cast<std::size_t>(w)] = static_cast<int>(q);
    }
  }
}

}  // namespace

int TLink::JoinComponentCodes(TSignScratch& scratch) {
  int n = crossingCount;
  std::vector<int>& sequence = scratch.sequence;
  sequence.clear();
  sequence.reserve(static_cast<std::size_t>(4 * n));
  for (int g = componentStart[0]; g < componentStart[1]; ++g) {
    sequence.push_back(entries[static_cast<std::size_t>(g)].number);
  }
  std::vector<bool> joined(static_cast<std::size_t>(componentCount), false);
  joined[0] = true;
  std::vector<int> occurrences(static_cast<std::size_t>(n) + 1, 0);
  for (int t = 1; t < componentCount; ++t) {
    std::fill(occurrences.begin(), occurrences.end(), 0);
    for (int v : sequence) {
      if (Abs(v) <= n) ++occurrences[static_cast<std::size_t>(Abs(v))];
    }
    int length = static_cast<int>(sequence.size());
    int place = -1;
    for (int i = 0; i <= length - 2; ++i) {
      int v = sequence[static_cast<std::size_t>(i)];
      if (Abs(v) <= n && occurrences[static_cast<std::size_t>(Abs(v))] == 1) {
        place = i;
        break;
      }
    }
    if (place < 0) {
      ReportError(24);
      return 0;
    }
    int v = sequence[static_cast<std::size_t>(place)];
    int component = -1;
    int at = -1;
    for (int c = 0; c < componentCount && component < 0; ++c) {
      if (joined[static_cast<std::size_t>(c)]) continue;
      for (int g = componentStart[static_cast<std::size_t>(c)];
           g < componentStart[static_cast<std::size_t>(c) + 1]; ++g) {
        if (entries[static_cast<std::size_t>(g)].number == -v) {
          component = c;
          at = g - componentStart[static_cast<std::size_t>(c)];
          break;
        }
      }
    }
    if (component < 0) {
      ReportError(24);
      return 0;
    }
    joined[static_cast<std::size_t>(component)] = true;
    int begin = componentStart[static_cast<std::size_t>(component)];
    int k = componentStart[static_cast<std::size_t>(component) + 1] - begin;
    std::vector<int> insert;
    insert.push_back(Abs(v) + n);
    for (int step = 1; step <= k; ++step) {
      insert.push_back(entries[static_cast<std::size_t>(begin + (at + step) % k)].number);
    }
    insert.push_back(Abs(v) + n);
    sequence.insert(sequence.begin() + place + 1, insert.begin(), insert.end());
  }
  scratch.joined = sequence;
  return 1;
}

int TLink::ExtractLoops(TSignScratch& scratch) {
  int n = crossingCount;
  std::vector<int>& sequence = scratch.sequence;
  // Each round marks one crossing, so at most n rounds.
  for (int round = 0; round <= n; ++round) {
    int length = static_cast<int>(sequence.size());
    int place = -1;
    for (int i = 0; i < length; ++i) {
      int v = sequence[static_cast<std::size_t>(i)];
      if (v == 0 || Abs(v) > n) continue;
      int left = Abs(sequence[static_cast<std::size_t>((i + length - 1) % length)]);
      int right = Abs(sequence[static_cast<std::size_t>((i + 1) % length)]);
      if (left != Abs(v) + n && right != Abs(v) + n) {
        place = i;
        break;
      }
    }
    if (place < 0) return 1;
    int v = sequence[static_cast<std::size_t>(place)];
    int other = -1;
    for (int j = place + 1; j < length; ++j) {
      if (sequence[static_cast<std::size_t>(j)] == -v) {
        other = j;
        break;
      }
    }
    if (other < 0) {
      ReportError(25);
      return 0;
    }
    TSignScratch::TLoop loop;
    loop.crossing = Abs(v);
    loop.sign = v > 0 ? 1 : -1;
    for (int j = other - 1; j > place; --j) loop.values.push_back(sequence[static_cast<std::size_t>(j)]);
    std::vector<int> rebuilt(sequence.begin(), sequence.begin() + place + 1);
    rebuilt.push_back(Abs(v) + n);
    rebuilt.insert(rebuilt.end(), loop.values.begin(), loop.values.end());
    rebuilt.push_back(Abs(v) + n);
    rebuilt.insert(rebuilt.end(), sequence.begin() + other, sequence.end());
    sequence.swap(rebuilt);
    scratch.loops.push_back(std::move(loop));
  }
  ReportError(25);
  return 0;
}

int TLink::PropagateSigns(TSignScratch& scratch) {
  int n = crossingCount;
  int values = 2 * n;
  int z = 2 * n + 1;  // marks a value without interlaced partners
  const std::vector<int>& sequence = scratch.sequence;
  std::vector<int> first;
  std::vector<int> second;
  PlacesOfValues(sequence, values, first, second);
  std::vector<int>& c = scratch.colour;
  c.assign(static_cast<std::size_t>(values) + 1, 0);
  c[1] = 1;
  int r = 1;
  bool again = true;
  while (again) {
    bool changed = false;
    bool counted = false;
    int firstUncoloured = 0;
    int lastOfPass = 0;
    for (int x = 1; x <= values; ++x) {
      int cx = c[static_cast<std::size_t>(x)];
      if (cx == 0 && firstUncoloured == 0) firstUncoloured = x;
      if (Abs(cx) != r) continue;
      lastOfPass = x;
      int p1 = first[static_cast<std::size_t>(x)];
      int p2 = second[static_cast<std::size_t>(x)];
      if (p1 < 0 || p2 < 0) continue;
      for (int q = p1 + 1; q < p2; ++q) {
        int w = Abs(sequence[static_cast<std::size_t>(q)]);
        // w interlaces x when its other occurrence lies outside [p1, p2].
        int a = first[static_cast<std::size_t>(w)];
        int b = second[static_cast<std::size_t>(w)];
        int otherPlace = a == q ? b : a;
        if (otherPlace > p1 && otherPlace < p2) continue;
        counted = true;
        int& cw = c[static_cast<std::size_t>(w)];
        if (cw == 0) {
          cw = cx < 1 ? r + 1 : -(r + 1);
          changed = true;
        } else if ((cw > 0) == (cx > 0)) {
          ReportError(25);
          return 0;
        }
      }
    }
    ++r;
    if (!counted && lastOfPass != 0) c[static_cast<std::size_t>(lastOfPass)] = z;
    if (!changed && firstUncoloured != 0) c[static_cast<std::size_t>(firstUncoloured)] = r;
    again = changed || firstUncoloured != 0;
  }

  for (int x = 1; x <= values; ++x) {
    int& cx = c[static_cast<std::size_t>(x)];
    if (cx != z) cx = cx >= 1 ? 1 : -1;
  }
  for (int x = 1; x <= n; ++x) {
    int& a = c[static_cast<std::size_t>(x)];
    int& b = c[static_cast<std::size_t>(x + n)];
    if (a == z && b == z) {
      a = -1;
      b = -1;
    } else if (a == z) {
      a = b;
    } else if (b == z) {
      b = a;
    } else if (a != b) {
      ReportError(26);
      return 0;
    }
  }
  for (auto loop = scratch.loops.rbegin(); loop != scratch.loops.rend(); ++loop) {
    int& cv = c[static_cast<std::size_t>(loop->crossing)];
    cv = cv * loop->sign >= 1 ? 2 : -2;
    for (int w : loop->values) {
      int& cw = c[static_cast<std::size_t>(Abs(w))];
      if (Abs(cw) == 2 || w < 0) cw = -cw;
    }
  }
  int reference = c[1] > 0 ? 1 : -1;
  for (int x = 1; x <= n; ++x) {
    int cx = c[static_cast<std::size_t>(x)];
    signs[static_cast<std::size_t>(x - 1)] = static_cast<signed char>((cx > 0 ? 1 : -1) * reference);
  }
  return 1;
}

bool TLink::InterlacementIsSplit(const TSignScratch& scratch) const {
  const std::vector<int>& sequence = scratch.joined;
  int maxValue = 2 * crossingCount;
  std::vector<int> first;
  std::vector<int> second;
  PlacesOfValues(sequence, maxValue, first, second);
  std::vector<int> parent(static_cast<std::size_t>(maxValue) + 1);
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&parent](int v) {
    while (parent[static_cast<std::size_t>(v)] != v) {
      parent[static_cast<std::size_t>(v)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(v)])];
      v = parent[static_cast<std::size_t>(v)];
    }
    return v;
  };
  for (int x = 1; x <= maxValue; ++x) {
    int p1 = first[static_cast<std::size_t>(x)];
    int p2 = second[static_cast<std::size_t>(x)];
    if (p1 < 0 || p2 < 0) continue;
    for (int q = p1 + 1; q < p2; ++q) {
      int w = Abs(sequence[static_cast<std::size_t>(q)]);
      int a = first[static_cast<std::size_t>(w)];
      int other = a == q ? second[static_cast<std::size_t>(w)] : a;
      if (other > p1 && other < p2) continue;
      parent[static_cast<std::size_t>(find(w))] = find(x);
    }
  }
  std::vector<int> size(static_cast<std::size_t>(maxValue) + 1, 0);
  for (int x = 1; x <= maxValue; ++x) {
    if (first[static_cast<std::size_t>(x)] >= 0) ++size[static_cast<std::size_t>(find(x))];
  }
  int parts = 0;
  for (int s : size) parts += s >= 2 ? 1 : 0;
  return parts >= 2;
}

int TLink::ComputeSigns() {
  if (crossingCount <= 0 || componentCount <= 0) return status == 1 ? 1 : 0;
  signs.assign(static_cast<std::size_t>(crossingCount), 0);
  TSignScratch scratch;
  if (JoinComponentCodes(scratch) == 0 || ExtractLoops(scratch) == 0 || PropagateSigns(scratch) == 0) {
    return 0;
  }
  signsAmbiguous = InterlacementIsSplit(scratch);
  return status == 1 ? 1 : 0;
}
