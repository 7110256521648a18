// Recognition tests: a description built from a molecule, and the boundary
// counts of a summand.
#pragma once

#include <memory>

#include "model/object_table.h"
#include "recognition/description_building.h"
#include "recognition/manifold_description.h"

// The balls, S^2xS^1 and solid tori a summand carries.
struct TCounts {
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  friend bool operator==(const TCounts&, const TCounts&) = default;
};

inline TCounts CountsOf(const TManifoldDescription& d) {
  TCounts c;
  d.GetBoundaryCounts(c.balls, c.s2xs1, c.solidTori);
  return c;
}

// The description the recognition builds of the molecule.
inline std::unique_ptr<TManifoldDescription> DescribeMolecule(const TObjectTable& molecule) {
  auto d = std::make_unique<TManifoldDescription>();
  BuildDescriptionFromMolecule(*d, molecule, -1);
  return d;
}
