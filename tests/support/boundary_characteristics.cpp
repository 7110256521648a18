#include "support/boundary_characteristics.h"

#include <algorithm>

#include "model/complex.h"
#include "model/spine.h"
#include "model/thickcell.h"

std::vector<int> BoundaryCharacteristics(TSpine& spine) {
  std::vector<int> list;
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    for (int i = 0; i < s->BoundaryCount(); ++i) {
      int euler = 0;
      s->BoundarySurfaceClass(s->BoundaryAt(i), &euler);
      list.push_back(euler);
    }
  std::sort(list.begin(), list.end());
  return list;
}

bool FacesLabelledTorus(TSpine& spine, int cell, int part) {
  THandle thick = ThickCellOfCell(spine, spine.NthCell(cell));
  TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(thick, part));
  return surface != nullptr && surface->SurfaceClass() == 2 && !surface->AllEdgeLabelsZero();
}
