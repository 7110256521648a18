// See heegaard_source_report.h.
#include "presentations/heegaard/heegaard_source_report.h"

#include "model/spine.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_diagram.h"

int PrintHeegaardSourceReport(TOutput& output, int sourceKind, const char* text) {
  if (sourceKind == kSourceExtHeegaardDiagram) {
    PrintExtHeegaardReport(output, text);
    return 1;
  }
  if (sourceKind == kSourceHeegaardDiagram) {
    THeegaardDiagram diagram;
    diagram.PrintReport(output, 1, text);
    return 1;
  }
  return 0;
}
