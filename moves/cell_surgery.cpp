// Subdividing an edge and splitting a cell. See cell_surgery.h.
#include "moves/cell_surgery.h"

#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"

namespace {

bool IsWordCellOf(TComplex& complex, TObjectHeader* cell) {
  return TCell::Of(cell) != nullptr && TCell::Type(cell) == 1 && complex.Objects().Contains(cell);
}

bool Below(const int* position, int length) { return position == nullptr || (*position >= 0 && *position < length); }

}  // namespace

int RemoveCellEdge(TComplex& complex, TObjectHeader* cell, int i, int* p, int* q) {
  if (!IsWordCellOf(complex, cell)) return 0;
  int length = TCell::BoundaryLength(cell);
  if (i < 0 || i >= length || !Below(p, length) || !Below(q, length)) return 0;
  THandle keepCell(cell);
  THandle edge = TCell::EdgeAt(cell, i);
  TObjectManager& objects = complex.Objects();
  THandle middle(objects.CreateObject(kVertexKind));
  THandle first(objects.CreateObject(kEdgeKind));
  THandle second(objects.CreateObject(kEdgeKind));
  TEdge::SetEndVertex(first, TEdge::End(edge, 1), 1);
  TEdge::SetEndVertex(first, middle, 2);
  TEdge::SetEndVertex(second, middle, 1);
  TEdge::SetEndVertex(second, TEdge::End(edge, 2), 2);
  int labels[4];
  if (!TEdge::LabelsAreZero(edge, labels)) {
    TEdge::SetLabels(first, labels, 1);
    TEdge::SetLabels(second, labels, 1);
  }
  TCell::SubdivideEdge(cell, i, first, second, p, q);
  // Then every other cell along e, in the order of its cell list. Any passage
  // of e names it; it is searched from both ends of the word, where the edges
  // of a long word that a builder is still working on stand.
  for (;;) {
    THandle other = TEdge::CellAt(edge, 0);
    if (!other.IsValid()) break;
    int at = TCell::FindPassageNearAnEnd(other, edge);
    if (at < 0 || TCell::SubdivideEdge(other, at, first, second) == 0) break;
  }
  if (objects.Contains(edge)) {
    RemoveEdgeFromManager(&objects, edge);
    objects.Unregister(edge);
  }
  return 1;
}

int SplitCellByEdge(TComplex& complex, TObjectHeader* cell, int a, int b, TObjectHeader** first,
                    TObjectHeader** second) {
  if (!IsWordCellOf(complex, cell)) return 0;
  int length = TCell::BoundaryLength(cell);
  if (a < 0 || a >= length || b < 0 || b >= length) return 0;
  THandle keepCell(cell);
  std::vector<THandle> edges;
  std::vector<int> directions;
  for (int k = 0; k < length; ++k) {
    int direction = 1;
    edges.push_back(TCell::PassageAt(cell, k, &direction));
    directions.push_back(direction);
  }
  auto startOf = [&](int k) { return TEdge::End(edges[static_cast<std::size_t>(k)], 1, directions[static_cast<std::size_t>(k)]); };
  auto endOf = [&](int k) { return TEdge::End(edges[static_cast<std::size_t>(k)], 2, directions[static_cast<std::size_t>(k)]); };
  TObjectManager& objects = complex.Objects();
  THandle f(objects.CreateObject(kEdgeKind));
  TEdge::SetEndVertex(f, endOf(a), 1);
  TEdge::SetEndVertex(f, startOf(b), 2);

  THandle one(objects.CreateObject(kCellKind));
  TCell::AppendPassage(one, f, 1);
  for (int k = b;; k = (k + 1) % length) {
    TCell::AppendPassage(one, edges[static_cast<std::size_t>(k)], directions[static_cast<std::size_t>(k)]);
    if (k == a) break;
  }
  THandle two(objects.CreateObject(kCellKind));
  TCell::AppendPassage(two, f, 2);
  for (int k = (a + 1) % length; k != b; k = (k + 1) % length) {
    TCell::AppendPassage(two, edges[static_cast<std::size_t>(k)], directions[static_cast<std::size_t>(k)]);
  }
  complex.AddCellWithBoundary(one);
  complex.AddCellWithBoundary(two);
  complex.RemoveCell(cell);
  if (first != nullptr) *first = one.Object();
  if (second != nullptr) *second = two.Object();
  return 1;
}
