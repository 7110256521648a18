// Small molecules built by hand for the recognition tests.
#pragma once

#include <initializer_list>
#include <utility>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"

// A Seifert atom over the base (a base code of molecule_vertex.h) with the
// fibres.
inline THandle SeifertAtom(TObjectTable& table, int base, std::initializer_list<std::pair<int, int>> fibres) {
  THandle v(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, base);
  for (const auto& [a, b] : fibres) TMoleculeVertex::AddPair(v, a, b);
  return v;
}

inline THandle SolidTorusAtom(TObjectTable& table, int a, int b) {
  THandle v(table.NewAtom(kSolidTorusAtom));
  TMoleculeVertex::SetPair(v, -a, b);
  return v;
}

// A true edge from u to w with the gluing (m11 m12; m21 m22).
inline THandle Glue(TObjectTable& table, THandle u, THandle w, int m11, int m12, int m21, int m22,
                    int type = kTrueMoleculeEdge) {
  THandle e(table.NewMoleculeEdge(type));
  TMoleculeEdge::SetGluingValues(e, m11, m12, m21, m22);
  TEdge::SetEndVertex(e, u, 1);
  TEdge::SetEndVertex(e, w, 2);
  return e;
}
