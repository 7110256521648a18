#include "model/cell_components.h"

#include <unordered_set>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/cell_word_list.h"
#include "model/edge.h"
#include "model/work_heap_scope.h"

namespace {

using TSeen = std::unordered_set<const TObjectHeader*>;

// Breadth first from the cell. Each edge's cell list is walked once only: an
// edge met again can add no cell, since all of its cells were listed the first
// time. Without this an edge on k cells was walked k times, and a presentation
// whose cells share a few edges cost quadratic time.
void AppendClosure(const TObjectHeader* cell, TObjectList& closure, TSeen& listed, TSeen& walked,
                   TStopPoll& poll) {
  listed.insert(cell);
  closure.Append(const_cast<TObjectHeader*>(cell));
  for (int i = closure.Count() - 1; i < closure.Count(); ++i) {
    const TObjectHeader* current = closure.At(i);
    int length = TCell::BoundaryLength(current);
    for (int p = 0; p < length; ++p) {
      poll.Step();
      THandle edge = TCell::EdgeAt(current, p);
      if (!walked.insert(edge.Object()).second) continue;
      int valency = TEdge::Valency(edge);
      for (int k = 0; k < valency; ++k) {
        poll.Step();
        THandle neighbour = TEdge::CellAt(edge, k);
        if (neighbour.IsValid() && listed.insert(neighbour.Object()).second) {
          closure.Append(neighbour);
        }
      }
    }
  }
}

}  // namespace

TObjectList CellComponentClosure(const TObjectHeader* cell) {
  TObjectList closure;
  if (TCell::Of(cell) == nullptr) return closure;
  TSeen listed;
  TSeen walked;
  TStopPoll poll;
  AppendClosure(cell, closure, listed, walked, poll);
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
  int count = 0;
  {
    TWorkHeapScope work;
    TCellWordList components;
    // Shared by all components: a cell or an edge belongs to one component only.
    TSeen listed;
    TSeen walked;
    TStopPoll poll;
    const TObjectManager& objects = complex.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      poll.Step();
      const TObjectHeader* cell = objects.At(i);
      if (cell == nullptr || cell->kind != kCellKind || listed.count(cell) != 0) continue;
      TObjectList component;
      AppendClosure(cell, component, listed, walked, poll);
      components.Append(component, nullptr);
    }
    count = components.CellCount();
    // The out list changes only now, so that a stopped grouping leaves it as it was.
    if (out != nullptr) {
      TCallerHeapBlock caller(work);
      out->Clear();
      if (count > 0) out->Assign(components);
    }
  }
  return count == 1 ? 1 : 0;
}
