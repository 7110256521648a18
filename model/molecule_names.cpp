// Display names of atoms and molecule edges. See molecule_names.h.
#include "model/molecule_names.h"

#include <optional>
#include <string_view>

#include "foundation/string_table.h"

namespace {

// Atom type t has its type name at 4015 + 2t and its name format one after.
constexpr int kAtomTextBase = 4015;
// Edge type t has its type name at 4029 + 2t and its name format one after.
constexpr int kEdgeTextBase = 4029;

bool IsAtomType(int type) { return type >= 1 && type <= 7; }
bool IsEdgeType(int type) { return type == 1 || type == 2; }

TString FormatName(int id, int number) {
  TString name;
  name.FormatResourceUnsigned(id, number);
  return name;
}

const char* TextOrEmpty(int id) {
  std::optional<std::string_view> text = StringTableText(id);
  // The table keeps its texts NUL-terminated in static storage.
  return text ? text->data() : "";
}

}  // namespace

TString AtomName(int type, int number) {
  if (!IsAtomType(type)) return TString();
  return FormatName(kAtomTextBase + 2 * type + 1, number);
}

TString MoleculeEdgeName(int type, int number) {
  if (!IsEdgeType(type)) return TString();
  return FormatName(kEdgeTextBase + 2 * type + 1, number);
}

const char* AtomTypeName(int type) {
  return IsAtomType(type) ? TextOrEmpty(kAtomTextBase + 2 * type) : "";
}

const char* MoleculeEdgeTypeName(int type) {
  return IsEdgeType(type) ? TextOrEmpty(kEdgeTextBase + 2 * type) : "";
}
