#include "support/assembled_name.h"

#include <algorithm>
#include <string>

#include "foundation/output.h"
#include "model/spine.h"
#include "recognition/description_building.h"
#include "model/molecule_chain.h"
#include "recognition/graph_manifold_assembling.h"
#include "recognition/manifold_description.h"
#include "recognition/piece_code.h"
#include "shell/string_text.h"

namespace {
// The geometry texts (886 "Elliptic" and on) follow this id, as the
// recognition printers number them.
constexpr int kGeometryNameBase = 885;
}  // namespace

std::string AssembledManifoldName(TSpine& spine) {
  TObjectTableList items;
  TObjectTableListGuard freeItems(items);
  if (spine.MoleculeTable() == nullptr || AssembleMolecule(spine.MoleculeTable(), &items, nullptr, -1) == 0 ||
      items.empty())
    return "";
  TManifoldDescription description;
  BuildDescriptionFromMolecule(description, *items.front(), -1);
  TOutput output;
  if (description.PrintPieceName(output) == 0) return "unnamed";
  const int geometry = description.GetPieceCode().Word(kCodeGeometry);
  std::string name = output.Text();
  if (geometry > 0) name += " " + StringText(kGeometryNameBase + geometry);
  return name;
}

std::string LensSpaceName(int p, int q) {
  if (p == 2) return "RP^3";
  int best = p;
  for (int r = 1; r < p; ++r) {
    const bool inverse = (q * r) % p == 1 || (q * r) % p == p - 1;
    if (inverse || (q - r) % p == 0 || (q + r) % p == 0) best = std::min(best, r);
  }
  return "L(" + std::to_string(p) + "," + std::to_string(best) + ")";
}
