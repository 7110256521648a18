// The first homology of a cell complex, computed independently of the model's
// homology: generators are the edges outside a spanning forest of the
// 1-skeleton, relations the boundary words of the cells.
#pragma once

#include <numeric>
#include <unordered_map>
#include <vector>

#include "heegaard_test_support.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"

inline TAbelianGroup H1OfComplex(TComplex& complex) {
  TObjectManager& objects = complex.Objects();
  std::unordered_map<const TObjectHeader*, int> vertexIndex;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    vertexIndex.emplace(v, static_cast<int>(vertexIndex.size()));
  }
  std::vector<int> parent(vertexIndex.size());
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&](int x) {
    while (parent[x] != x) x = parent[x] = parent[parent[x]];
    return x;
  };
  std::unordered_map<const TObjectHeader*, int> generator;
  int generators = 0;
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    const int u = find(vertexIndex.at(TEdge::End(e, 1).Object()));
    const int w = find(vertexIndex.at(TEdge::End(e, 2).Object()));
    if (u != w) {
      parent[u] = w;
    } else {
      generator.emplace(e, generators++);
    }
  }
  std::vector<std::vector<std::int64_t>> relations;
  for (TObjectHeader* c = objects.First(kCellKind); c != nullptr; c = objects.Next(c)) {
    std::vector<std::int64_t> row(static_cast<std::size_t>(generators), 0);
    for (int i = 0; i < TCell::BoundaryLength(c); ++i) {
      int direction = 0;
      THandle edge = TCell::PassageAt(c, i, &direction);
      auto g = generator.find(edge.Object());
      if (g != generator.end()) row[static_cast<std::size_t>(g->second)] += direction == 1 ? 1 : -1;
    }
    relations.push_back(row);
  }
  return GroupOfMatrix(relations, generators);
}
