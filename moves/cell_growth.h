// Growing a new thick cell along a closed curve of a thickened spine.
//
// Let f_0, ..., f_{n-1} be spine edges of valency 2 that form a closed
// curve, each with one side q_i in one boundary surface S, the q_i forming a
// closed curve g of S in the same order and directions. A new 2-cell N glued
// along the f_i is a disc sitting in the gap of the thickening along g: its
// "+" copy is bounded by g itself, and its "-" copy by a parallel curve g'
// of new edges d_i. The surface S is cut along g: on one side of g (the
// cells named as "inner", one per q_i) every q_i gives way to d_i, and the
// vertices of g give way to new ones there, taking with them the edges that
// leave g on that side. Each d_i becomes the third side of f_i's thick edge.
//
// This is the common step of the counterpass (a single chord f whose copy is
// a loop) and of the short-curve moves (the chords that cut the lateral cells
// around a short cell). When g bounds a disc of S on the inner side, the
// inner side closes up to a new sphere: the caller splits S into its
// components afterwards.
//
// The cut at a vertex of g moves the edges that stand next to g in the inner
// cells; at a vertex of valency 3 (every vertex of the boundary of a special
// spine's thickening) that is every edge on the inner side.
#pragma once

#include <vector>

class TSpine;
struct TObjectHeader;

struct TGrowthStep {
  TObjectHeader* edge = nullptr;   // f_i, a spine edge
  int direction = 1;               // of f_i in the new cell (and of q_i in its "+" copy)
  TObjectHeader* side = nullptr;   // q_i, a side of f_i's thick edge in S
  TObjectHeader* inner = nullptr;  // the cell along q_i on the side that is cut off
};

// The new thick cell, or null with nothing changed when a step does not fit:
// a spine edge without a thick edge of exactly two sides, a side of another
// surface or of valency other than 2, or an inner cell not along it.
// Cost: linear in the curve and the inner cells' words.
TObjectHeader* GrowCellAlongCurve(TSpine& spine, const std::vector<TGrowthStep>& curve);
