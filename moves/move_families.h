// The entry points of every move family as the switchboard calls them: a
// whole-spine finder (the index of the first candidate, or -1), a per-cell
// test for the classifier, and a performer (1 when it moved, 0 when it
// refused and left the spine as it was).
//
// Collapsing lives in collapsing.h. The families declared here come with
// their own files; until a family is built its finder finds nothing, its
// test passes nothing and its performer refuses (move_families_pending.cpp).
#pragma once

class TSpine;
class TString;

// Cutting along a cell (8), cutting out a ring (9), along a normal torus (10).
int FindCuttingCell(TSpine& spine);
int IsCuttable(TSpine& spine, int cellPosition);
int CutAlongCell(TSpine& spine, int cellPosition, TString* text);
int FindRingCell(TSpine& spine);
int TestRingCutting(TSpine& spine, int cellPosition);
int CutOutRing(TSpine& spine, int cellPosition, TString* text);
int CutAlongNormalTorus(TSpine& spine, int surfaceRecord, TString* text);

// Piercing: class 1 delicate (6), 2 crude (7).
int FindPiercingCell(TSpine& spine, int piercingClass);
int ClassifyPiercingAt(TSpine& spine, int cellPosition);
int PierceCell(TSpine& spine, int cellPosition, TString* text);

// Counterpass (11).
int FindCounterpassCell(TSpine& spine);
int TestCounterpass(TSpine& spine, int cellPosition);
int PerformCounterpass(TSpine& spine, int cellPosition, TString* text);

// Short curves (12) and curves of length 4 (16, 17, 18). The finder of the
// curves with piercing writes the type (17 or 18) itself.
int FindShortCurveCell(TSpine& spine, int curveClass);
int FindCurveLength4WithPiercing(TSpine& spine, int* type);
int ClassifyCellCurveAt(TSpine& spine, int cellPosition);
int PerformCellCurveMove(TSpine& spine, int cellPosition, int type, TString* text);

// Bipasses (13, 14).
int FindBipassCell(TSpine& spine, int type);
int ClassifyBipassAt(TSpine& spine, int cellPosition);
int PerformBipass(TSpine& spine, int cellPosition, TString* text);

// Polygon moves (15): the cursor's eight ints (subtype, boundary-surface
// index, four edge ordinals, repeat limit, repeat counter).
int FindPolygonMove(int mode, TSpine& spine, int cursor[8]);
int PerformPolygonMove(TSpine& spine, int subtype, const int x[5], int* limit, int* counter, TString* text);

// T-moves (19) and their inverses (20), found after the index given.
int FindTMoveEdge(TSpine& spine, int after);
int FindInverseTMoveCell(TSpine& spine, int after);
int PerformTMove(TSpine& spine, int edgePosition, TString* text);
int PerformInverseTMove(TSpine& spine, int cellPosition, TString* text);
