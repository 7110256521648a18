// The move order table and the dialog names. See move_types.h.
#include "moves/move_types.h"

#include "moves/collapsing.h"

void InitMoveOrderTable() {
  MoveOrderTable.fill(0);
  const int ranked[] = {kMoveCollapsing,     kMoveCutting,         kMoveRing,
                        kMoveCounterpass,    kMoveDelicatePiercing, kMoveCrudePiercing,
                        kMoveShortCurve,     kMoveNormalTorus,     kMovePolygon,
                        kMoveDoubleBipass,   kMoveTripleBipass,    kMoveCurve4FirstPiercing,
                        kMoveCurve4SecondPiercing};
  int order = 0;
  for (int type : ranked) MoveOrderTable[static_cast<std::size_t>(type)] = ++order;
  InstallVertexLinkCheck();
}

int MoveDialogNameId(int type) {
  switch (type) {
    case kMoveCollapsing: return 3031;
    case kMoveDelicatePiercing: return 3029;
    case kMoveCrudePiercing: return 3030;
    case kMoveCutting: return 3036;
    case kMoveRing: return 3037;
    case kMoveNormalTorus: return 3045;
    case kMoveCounterpass: return 3038;
    case kMoveShortCurve: return 3039;
    case kMoveCurve4: return 3040;
    case kMoveCurve4FirstPiercing: return 3041;
    case kMoveCurve4SecondPiercing: return 3042;
    case kMoveDoubleBipass: return 3043;
    case kMoveTripleBipass: return 3044;
    default: return 0;
  }
}
