// The exterior spine builder: a parsed link diagram into a spine.
//
// The cells are made on the spine's complex (link_exterior_spine.cpp), the
// framed components of a plane diagram are filled (link_framing.cpp), and a
// diagram in the square of a torus or Klein bottle has its sides glued
// (link_surface_spine.cpp) and its cells reduced; such a spine is special
// only when the diagram cuts the surface into discs and every component
// passes both over and under somewhere, which is what error 37 asks the
// user to arrange.
#include <vector>

#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "presentations/links/link.h"
#include "presentations/links/link_crossing.h"

int TLink::GlueSurfaceSides(TSpine& spine) {
  RunCellReductions(spine);
  if (spine.IsSpecial(0) == 0) {
    ReportError(37);
    return 0;
  }
  return 1;
}

int TLink::BuildExteriorSpine(TSpine& spine) {
  spine.Clear();
  if (status != 1) return 0;
  std::vector<TCrossing> records;
  int lastRegionCell = 0;
  int built = BuildExteriorComplex(spine, records, lastRegionCell);
  if (built != 0 && IsClassical() == 0) built = GlueSurfaceSides(spine);
  if (built != 0 && IsClassical() != 0) MarkBoundaryCurves(spine, records, lastRegionCell);
  records.clear();
  if (built == 0) {
    spine.Clear();
    return 0;
  }
  spine.SetSourceKind(IsClassical() != 0 ? kSourceLinkExterior : kSourceLinkExteriorOnSurface);
  return 1;
}
