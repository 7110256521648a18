#include "shell/surface_set_printer.h"

#include <string>

#include "model/surface_name.h"
#include "shell/string_text.h"

namespace {

constexpr int kEmptyListId = 9802;
constexpr int kNoSurfacesId = 9803;
constexpr int kOneSurfaceId = 9804;
constexpr int kSurfacesId = 9805;
constexpr int kSetsId = 9806;

// A keyed entry names one connected closed surface by its orientability
// flag and Euler characteristic.
void PrintKeyedName(TOutput& output, const TPackedRecordEntry& entry) {
  PrintSurfaceName(output, entry.key1 != 0 ? 1 : 0, entry.key2, 0);
}

}  // namespace

void PrintSurfaceSet(TOutput& output, const TPackedRecordList& list) {
  if (list.Count() == 0) {
    output.AppendText(StringText(kEmptyListId).c_str());
    return;
  }
  bool first = true;
  for (int i = 0; i < list.Count(); ++i) {
    const TPackedRecordEntry& entry = list.Entry(i);
    // A keyed entry of count 0 only names a component of disconnected
    // surfaces; shown on its own it would read as a surface found.
    if (entry.IsKeyed() && entry.multiplicity == 0) continue;
    if (!first) output.AppendText(",");
    first = false;
    if (entry.multiplicity > 1) output.AppendText(std::to_string(entry.multiplicity).c_str());
    // A disconnected surface (plain entry, first key -1) counted more than
    // once is bracketed so that the count reads as applying to the whole.
    const bool parenthesised = entry.multiplicity > 1 && entry.key1 < 0;
    if (parenthesised) output.AppendText("(");
    if (entry.IsKeyed()) {
      PrintKeyedName(output, entry);
    } else {
      output.AppendText("[");
      for (std::size_t k = 0; k < entry.neighbours.size(); ++k) {
        const int slot = entry.neighbours[k];
        if (slot < 0) break;
        if (k > 0) output.AppendText("+");
        // A slot names a keyed entry of the same list; one outside it (a
        // damaged list) is shown as "?" rather than read past the end.
        if (slot < list.Count() && list.Entry(slot).IsKeyed())
          PrintKeyedName(output, list.Entry(slot));
        else
          output.AppendText("?");
      }
      output.AppendText("]");
    }
    if (parenthesised) output.AppendText(")");
  }
}

void PrintSurfaceSets(TOutput& output, const TPackedRecordListSet& sets) {
  const int n = sets.Count();
  if (n == 0) {
    output.AppendText(StringText(kNoSurfacesId).c_str());
    return;
  }
  const unsigned surfaces = sets.At(0)->SumFirstFields();
  output.AppendText(surfaces == 1 ? StringText(kOneSurfaceId).c_str()
                                  : FormatStringText(kSurfacesId, surfaces).c_str());
  if (n > 1) {
    output.AppendText(FormatStringText(kSetsId, static_cast<unsigned>(n)).c_str());
  }
  for (int i = 0; i < n; ++i) {
    if (i > 0) output.AppendText(";");
    if (n > 1) output.AppendText("{");
    PrintSurfaceSet(output, *sets.At(i));
    if (n > 1) output.AppendText("}");
  }
}
