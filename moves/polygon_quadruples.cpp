// Quadruples of quadrangle sides. See polygon_quadruples.h.
#include "moves/polygon_quadruples.h"

#include "model/spine.h"
#include "model/thickedge.h"

int ChordsDoNotCross(int a, int b, int c, int d) {
  if (a > b) std::swap(a, b);
  if (c > d) std::swap(c, d);
  bool cross = (a < c && c < b && b < d) || (c < a && a < d && d < b);
  return cross ? 0 : 1;
}

int CountDistinctThickEdgesOfFour(TSpine& spine, THandle edges[4], THandle thickEdges[4], THandle p[4], THandle q[4],
                                  int* count) {
  for (int i = 0; i < 4; ++i) thickEdges[i] = ThickEdgeOfObject(spine, edges[i]);
  if (count != nullptr) *count = CountDistinctOfFour(thickEdges);
  return TurnFourByThickEdges(edges, thickEdges, p, q);
}
