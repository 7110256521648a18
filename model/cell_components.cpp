#include "model/cell_components.h"

#include <unordered_set>

#include "model/cell.h"
#include "model/cell_word_list.h"
#include "model/edge.h"
#include "model/work_heap_scope.h"

TObjectList CellComponentClosure(const TObjectHeader* cell) {
  TObjectList closure;
  if (TCell::Of(cell) == nullptr) return closure;
  std::unordered_set<const TObjectHeader*> listed{cell};
  closure.Append(const_cast<TObjectHeader*>(cell));
  for (int i = 0; i < closure.Count(); ++i) {
    const TObjectHeader* current = closure.At(i);
    int length = TCell::BoundaryLength(current);
    for (int p = 0; p < length; ++p) {
      THandle edge = TCell::EdgeAt(current, p);
      int valency = TEdge::Valency(edge);
      for (int k = 0; k < valency; ++k) {
        THandle neighbour = TEdge::CellAt(edge, k);
        if (neighbour.IsValid() && listed.insert(neighbour.Object()).second) {
          closure.Append(neighbour);
        }
      }
    }
  }
  return closure;
}

int CellListsContain(const TCellWordList& lists, const TObjectHeader* cell) {
  for (int i = 0; i < lists.CellCount(); ++i) {
    TObjectList word = TObjectList::OfBody(lists.WordAt(i));
    if (word.Contains(cell)) return 1;
  }
  return 0;
}

int CellComponents(TComplex& complex, TCellWordList* out) {
  if (out != nullptr) out->Clear();
  int count = 0;
  {
    TWorkHeapScope work;
    TCellWordList components;
    std::unordered_set<const TObjectHeader*> grouped;
    const TObjectManager& objects = complex.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* cell = objects.At(i);
      if (cell == nullptr || cell->kind != kCellKind || grouped.count(cell) != 0) continue;
      TObjectList component = CellComponentClosure(cell);
      for (int k = 0; k < component.Count(); ++k) grouped.insert(component.At(k));
      components.Append(component, nullptr);
    }
    count = components.CellCount();
    if (count > 0 && out != nullptr) {
      TCallerHeapBlock caller(work);
      out->Assign(components);
    }
  }
  return count == 1 ? 1 : 0;
}
