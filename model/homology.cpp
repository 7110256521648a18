#include "model/homology.h"

#include <new>
#include <unordered_map>
#include <unordered_set>

#include "foundation/checked_int64.h"
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
    for (TSpine* s = &spine; s != nullptr; s = (mode == 2) ? nullptr : s->Next()) {
      if (HomologyGenerators(*s, generators, nullptr) == 0) continue;  // simply connected
      TIntMatrix matrix;
      std::uint32_t rows = 0;
      if (!HomologyRelationMatrix(*s, generators, matrix, rows)) {
        failed = true;
        break;
      }
      std::vector<std::int32_t> summands =
          DiagonaliseRelationBlock(matrix, rows, static_cast<std::uint32_t>(generators.Count()));
      TCallerHeapBlock caller(work);
      for (std::int32_t summand : summands) AppendElement(summand);
    }
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

bool HomologyRelationMatrix(TSpine& spine, const TObjectList& generators, TIntMatrix& matrix,
                            std::uint32_t& rows) {
  rows = 0;
  const TObjectManager& objects = spine.Objects();
  auto columns = static_cast<std::uint32_t>(generators.Count());
  auto cells = static_cast<std::uint32_t>(objects.CountOfKind(kCellKind));
  bool allocated = false;
  try {
    allocated = matrix.Resize(cells, columns) && matrix.IsAllocated();
  } catch (const std::bad_alloc&) {
    allocated = false;
  }
  if (!allocated) {
    matrix.Free();
    return false;
  }

  std::unordered_map<const TObjectHeader*, std::uint32_t> column;
  for (std::uint32_t j = 0; j < columns; ++j) column.emplace(generators.At(static_cast<int>(j)), j);

  // The row of a cell: +1 for every passage along a generator, -1 against.
  // A row that stays zero is overwritten by the next cell.
  for (int i = 0; i < objects.Count() && rows < cells; ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || cell->kind != kCellKind) continue;
    std::int32_t* row = matrix.Row(rows);
    for (std::uint32_t j = 0; j < columns; ++j) row[j] = 0;
    int length = TCell::BoundaryLength(cell);
    bool nonZero = false;
    for (int p = 0; p < length; ++p) {
      int direction = 0;
      THandle edge = TCell::PassageAt(cell, p, &direction);
      auto found = column.find(edge.Object());
      if (found == column.end()) continue;
      std::int32_t& entry = row[found->second];
      // A word is at most 2^31 passages long, so a count never overflows here
      // in practice; it is checked all the same.
      entry = direction == 1 ? CheckedIntSum(entry, 1) : CheckedIntDifference(entry, 1);
    }
    for (std::uint32_t j = 0; j < columns && !nonZero; ++j) nonZero = row[j] != 0;
    if (nonZero) ++rows;
  }
  return true;
}
