// A graph-manifold molecule whose zero-fibre piece lies on no cycle.
#pragma once

#include <memory>

#include "model/object_table.h"
#include "recognition/molecule_fixture.h"

// An annulus piece with the fibre (0, 1) glued to two disk pieces, with
// fibres (2, 1), (3, 1) and (2, 1), (5, 2): cut along the zero-fibre piece
// it falls into prime summands with no S^2xS^1 among them.
inline std::unique_ptr<TObjectTable> PieceOnNoCycleMolecule() {
  auto m = std::make_unique<TObjectTable>();
  THandle u = SeifertAtom(*m, kBaseAnnulus, {{0, 1}});
  THandle w1 = SeifertAtom(*m, kBaseDisk, {{2, 1}, {3, 1}});
  THandle w2 = SeifertAtom(*m, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(*m, u, w1, 0, 1, 1, 0);
  Glue(*m, u, w2, 0, 1, 1, 0);
  return m;
}
