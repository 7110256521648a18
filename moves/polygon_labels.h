// Curve coordinates across the rebuilds of the bipass and polygon moves.
//
// On a boundary torus the four labels of each edge are integer 1-cycles
// (model/edge_labels.h). A rebuild that draws a new edge N across a surface
// cell, between the edge before it (B) and the edge after it (A), gives N
// labels that let the curves run along N where they ran along both B and A:
// per component, read along N, the common part of the two flows (the one of
// smaller absolute value when both run the same way, nothing when they run
// opposite ways or one is empty). The replaced edge then carries the negated
// labels of N, so that the curves that used to cross it now follow N.
#pragma once

struct TObjectHeader;

// The merge of one label component read along the new edge: 0 when the two
// differ in sign or one is 0, else the one of smaller absolute value.
int MergeRebuildLabel(int before, int after);

// Sets the labels of the new edge from the edge before and the edge after it,
// each with the labels of an extra edge at its end of the new edge added
// (null: none). Nothing when one of the three edges is a loop. Throws
// Out_of_Range when a sum leaves the labels' range (nothing changed then).
void PolygonRebuildHelper(TObjectHeader* before, TObjectHeader* newEdge, TObjectHeader* after,
                          TObjectHeader* extraFirst = nullptr, TObjectHeader* extraSecond = nullptr);

// The label repair around the four new edges e[0..3] of a quadrangle, with
// the four edges j[0..3] that were joined to them: the new edges are merged
// in turn from their neighbours, then an imbalance left at the quadrangle's
// two outer corners is pushed onto the new edges there.
void PolygonRebuildTail(TObjectHeader* const j[4], TObjectHeader* const e[4]);

// 2 for 1, 1 for anything else: the other direction, or the other copy.
inline int OtherSide(int value) { return value == 1 ? 2 : 1; }
