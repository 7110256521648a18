// Small routines on the four sides of a quadrangle candidate, shared by the
// polygon move finder and the quadrangle performers: turning four values
// together, counting the thick edges under four boundary edges and bringing
// them into a canonical order, and the crossing test of two chords of one
// boundary word.
#pragma once

#include <algorithm>
#include <utility>

#include "model/handle.h"

class TSpine;

// Turns four values in place: k 1 gives (d, a, b, c), k 2 (c, d, a, b), k 3
// (b, c, d, a); any other k leaves them.
template <class T>
void RotateFour(T& a, T& b, T& c, T& d, int k) {
  if (k < 1 || k > 3) return;
  for (int step = 0; step < k; ++step) {
    T last = std::move(d);
    d = std::move(c);
    c = std::move(b);
    b = std::move(a);
    a = std::move(last);
  }
}

template <class T>
void RotateFour(T v[4], int k) {
  RotateFour(v[0], v[1], v[2], v[3], k);
}

// 0 exactly when the chords (a, b) and (c, d) of one boundary word, each
// taken in ascending order, interleave strictly; 1 otherwise (chords that
// share an end do not cross).
int ChordsDoNotCross(int a, int b, int c, int d);

// The number of distinct values among t[0..3].
template <class T>
int CountDistinctOfFour(const T t[4]) {
  int n = 0;
  for (int i = 0; i < 4; ++i)
    if (std::find(t, t + i, t[i]) == t + i) ++n;
  return n;
}

// The canonical order of four quadrangle sides by their thick edges t: the
// edges, the thick edges, the lateral cells p and their thick cells q are
// turned (or exchanged) together. Two distinct thick edges: when three are
// equal the odd one goes last; pairs opposite or the pair (t0, t1) stay;
// the pair (t1, t2) turns by one when p0 and p2 differ. Three distinct ones:
// with t1 = t3 the first two and the last two sides exchange (and the
// second and fourth lateral cells); else a turn by 3 when t1 = t2 and p0, p2
// differ, by 2 when t2 = t3, and when t3 = t0 by 2 (p0 = p2) or 1. Returns 1
// when it turned or exchanged anything.
template <class E, class T, class P, class Q>
int TurnFourByThickEdges(E e[4], T t[4], P p[4], Q q[4]) {
  int k = 0;
  switch (CountDistinctOfFour(t)) {
    case 2:
      if (t[0] == t[1] && t[1] == t[2]) k = 0;
      else if (t[1] == t[2] && t[2] == t[3]) k = 3;
      else if (t[0] == t[2] && t[2] == t[3]) k = 2;
      else if (t[0] == t[1] && t[1] == t[3]) k = 1;
      else if ((t[0] == t[2] && t[1] == t[3]) || (t[0] == t[1] && t[2] == t[3])) k = 0;
      else if (t[1] == t[2]) k = p[0] != p[2] ? 1 : 0;
      break;
    case 3:
      if (t[1] == t[3]) {
        std::swap(e[0], e[1]);
        std::swap(e[2], e[3]);
        std::swap(t[0], t[1]);
        std::swap(t[2], t[3]);
        std::swap(p[1], p[3]);
        std::swap(q[1], q[3]);
        return 1;
      }
      if (t[1] == t[2]) k = p[0] != p[2] ? 3 : 0;
      else if (t[2] == t[3]) k = 2;
      else if (t[3] == t[0]) k = p[0] == p[2] ? 2 : 1;
      break;
    default: break;
  }
  if (k == 0) return 0;
  RotateFour(e, k);
  RotateFour(t, k);
  RotateFour(p, k);
  RotateFour(q, k);
  return 1;
}

// Takes the thick edge of each of the four boundary edges (in cycle order,
// with the lateral cells p and their thick cells q), writes the number of
// distinct ones to count and applies TurnFourByThickEdges.
int CountDistinctThickEdgesOfFour(TSpine& spine, THandle edges[4], THandle thickEdges[4], THandle p[4], THandle q[4],
                                  int* count);
