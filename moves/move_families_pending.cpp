// The move families that are not built yet: nothing is found, nothing passes
// a test, every performer refuses. A family that lands removes its lines here.
#include "moves/move_families.h"

int CutAlongNormalTorus(TSpine&, int, TString*) { return 0; }





int FindTMoveEdge(TSpine&, int) { return -1; }
int FindInverseTMoveCell(TSpine&, int) { return -1; }
int PerformTMove(TSpine&, int, TString*) { return 0; }
int PerformInverseTMove(TSpine&, int, TString*) { return 0; }
