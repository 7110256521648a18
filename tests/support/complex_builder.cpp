#include "support/complex_builder.h"

#include <algorithm>
#include <cstdlib>

#include "model/cell.h"
#include "model/edge.h"

TBuiltComplex BuildComplexFromWords(TComplex& complex,
                                    const std::vector<std::vector<int>>& words) {
  TBuiltComplex built;
  TObjectManager& objects = complex.Objects();
  int savedTag = objects.CreationTag();
  objects.SetCreationTag(1);
  int edgeCount = 0;
  for (const auto& word : words)
    for (int letter : word) edgeCount = std::max(edgeCount, std::abs(letter));
  for (int k = 0; k < edgeCount; ++k) built.edges.emplace_back(objects.CreateObject(kEdgeKind));
  for (const auto& word : words) {
    THandle cell(objects.CreateObject(kCellKind));
    for (int letter : word)
      TCell::AppendPassage(cell, built.edges[static_cast<std::size_t>(std::abs(letter) - 1)],
                           letter > 0 ? 1 : 2);
    complex.AddCellWithBoundary(cell);
    built.cells.push_back(cell);
  }
  objects.SetCreationTag(savedTag);
  return built;
}

TBuiltComplex BuildPointSphere(TComplex& complex) {
  TBuiltComplex built;
  TObjectManager& objects = complex.Objects();
  objects.SetCreationTag(1);
  THandle vertex(objects.CreateObject(kVertexKind));
  THandle cell(objects.CreateObject(kCellKind));
  TCell::AttachToVertex(cell, vertex);
  built.cells.push_back(cell);
  objects.SetCreationTag(0);
  return built;
}

std::vector<int> SignedWord(const TObjectHeader* cell) {
  std::vector<int> word;
  for (int i = 0; i < TCell::BoundaryLength(cell); ++i) {
    int number = TCell::EdgeAt(cell, i).Number();
    word.push_back(TCell::DirectionAt(cell, i) == 1 ? number : -number);
  }
  return word;
}
