#include "model/homology.h"

#include <new>
#include <unordered_map>
#include <unordered_set>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/homology_diagonalisation.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "model/work_heap_scope.h"

namespace {
constexpr int kPlainMode = 2;
}  // namespace

THomologyList::THomologyList() { SetWeak(kPlainMode); }

void* THomologyList::operator new(std::size_t bytes) { return AllocateModelBlock(bytes); }

void THomologyList::operator delete(void* block) { FreeModelBlock(block); }

std::vector<std::int32_t> THomologyList::Elements() const {
  std::vector<std::int32_t> elements;
  for (int i = 0; i < Count(); ++i) elements.push_back(ElementAt(i));
  return elements;
}

void THomologyList::Diagonalise(TIntMatrix& matrix, std::uint32_t rows, std::uint32_t columns) {
  for (std::int32_t summand : DiagonaliseRelationBlock(matrix, rows, columns)) {
    AppendElement(summand);
  }
}

void THomologyList::DiagonaliseMatrix(TIntMatrix& matrix) {
  Diagonalise(matrix, matrix.Rows(), matrix.Columns());
}

int THomologyList::Compute(TSpine& spine, int mode) {
  int before = Count();
  bool failed = false;
  {
    TWorkHeapScope work;
    TObjectList generators;
    // The summands of all components are found before any is appended, so
    // that a stop leaves the list as it was.
    std::vector<std::int32_t> summands;
    for (TSpine* s = &spine; s != nullptr; s = (mode == 2) ? nullptr : s->Next()) {
      if (HomologyGenerators(*s, generators, nullptr) == 0) continue;  // simply connected
      std::vector<TSparseRow> rows;
      if (!HomologyRelationRows(*s, generators, rows)) {
        failed = true;
        break;
      }
      std::vector<std::int32_t> part =
          RelationSummands(rows, static_cast<std::uint32_t>(generators.Count()));
      summands.insert(summands.end(), part.begin(), part.end());
    }
    TCallerHeapBlock caller(work);
    for (std::int32_t summand : summands) AppendElement(summand);
  }
  if (failed) return 0;
  if (Count() == before && Count() == 0) AppendElement(1);
  return 1;
}

int HomologyGenerators(TSpine& spine, TObjectList& generators, const TObjectHeader* start) {
  generators.Clear();
  const TObjectManager& objects = spine.Objects();
  std::unordered_set<const TObjectHeader*> visited;
  std::unordered_set<const TObjectHeader*> seen;
  int count = 0;
  TStopPoll poll;

  // Breadth first from the start vertex; then from every vertex the search
  // has not reached, so that a graph in several pieces loses no generator.
  int next = 0;
  const TObjectHeader* root = start;
  for (;;) {
    if (root == nullptr) {
      while (next < objects.Count()) {
        const TObjectHeader* object = objects.At(next++);
        if (object != nullptr && object->kind == kVertexKind && visited.count(object) == 0) {
          root = object;
          break;
        }
      }
      if (root == nullptr) break;
    }
    if (!visited.insert(root).second) {
      root = nullptr;
      continue;
    }
    std::vector<const TObjectHeader*> frontier{root};
    root = nullptr;
    while (!frontier.empty()) {
      poll.Steps(static_cast<unsigned>(frontier.size()));
      std::vector<const TObjectHeader*> taken;
      taken.swap(frontier);
      for (const TObjectHeader* v : taken) {
        int valency = TVertex::Valency(v);
        for (int k = 0; k < valency; ++k) {
          THandle edge = TVertex::EdgeAt(v, k);
          if (!edge.IsValid() || !seen.insert(edge.Object()).second) continue;
          THandle w = TEdge::End(edge, 1);
          if (w.Object() == v) w = TEdge::End(edge, 2);
          if (!w.IsValid() || visited.count(w.Object()) != 0) {
            generators.Append(edge);
            ++count;
          } else {
            visited.insert(w.Object());
            frontier.push_back(w.Object());
          }
        }
      }
    }
  }
  return count;
}

bool HomologyRelationRows(TSpine& spine, const TObjectList& generators,
                          std::vector<TSparseRow>& rows) {
  rows.clear();
  const TObjectManager& objects = spine.Objects();
  if (objects.CountOfKind(kCellKind) == 0) return false;
  TStopPoll poll;
  try {
    std::unordered_map<const TObjectHeader*, std::uint32_t> column;
    for (int j = 0; j < generators.Count(); ++j) {
      column.emplace(generators.At(j), static_cast<std::uint32_t>(j));
    }
    // The row of a cell: +1 for every passage along a generator, -1 against.
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* cell = objects.At(i);
      if (cell == nullptr || cell->kind != kCellKind) continue;
      TSparseRow row;
      int length = TCell::BoundaryLength(cell);
      for (int p = 0; p < length; ++p) {
        poll.Step();
        int direction = 0;
        THandle edge = TCell::PassageAt(cell, p, &direction);
        auto found = column.find(edge.Object());
        if (found == column.end()) continue;
        row.push_back({found->second, direction == 1 ? 1 : -1});
      }
      SortSparseRow(row);
      if (!row.empty()) rows.push_back(std::move(row));
    }
  } catch (const std::bad_alloc&) {
    rows.clear();
    return false;
  }
  return true;
}
