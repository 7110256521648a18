// Polygon move texts. See polygon_move_text.h.
#include "moves/polygon_move_text.h"

#include <string>

#include "foundation/heap_string.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/thickcell.h"

namespace {

// Long and short message of each subtype 1..5; 6..14 share the last pair.
constexpr int kLongText[6] = {292, 293, 294, 295, 296, 297};
constexpr int kShortText[6] = {298, 299, 300, 301, 302, 303};

// The sides and the polygon cells that a subtype names.
int SideCount(int subtype) { return subtype == 1 ? 2 : subtype <= 5 ? 3 : 4; }
int CellCount(int subtype) { return subtype == 1 || (subtype >= 3 && subtype <= 5) ? 2 : subtype == 2 ? 3 : 4; }

std::string Name(const TObjectHeader* object) {
  const char* name = ObjectDisplayName(object);
  return name != nullptr ? name : "";
}

}  // namespace

int ReportPolygonMove(TString& text, int subtype, const TObjectHeader* e1, const TObjectHeader* e2,
                      const TObjectHeader* e3, const TObjectHeader* e4, const TObjectHeader* t1,
                      const TObjectHeader* t2, const TObjectHeader* t3, const TObjectHeader* t4) {
  if (subtype < 1 || subtype > 14 || QuietMode.load() != 0) return 0;
  const TObjectHeader* edges[4] = {e1, e2, e3, e4};
  const TObjectHeader* cells[4] = {t1, t2, t3, t4};
  bool longForm = t1 != nullptr;
  std::string names[8];
  int n = 0;
  for (int i = 0; i < SideCount(subtype); ++i) names[n++] = Name(edges[i]);
  if (longForm)
    for (int i = 0; i < CellCount(subtype); ++i) names[n++] = Name(TThickCell::Part(cells[i], 1));
  int row = subtype <= 5 ? subtype - 1 : 5;
  int id = longForm ? kLongText[row] : kShortText[row];
  const char* a[8];
  for (int i = 0; i < 8; ++i) a[i] = names[i].c_str();
  int written = 0;
  switch (n) {
    case 2: written = text.FormatResource(id, a[0], a[1]); break;
    case 3: written = text.FormatResource(id, a[0], a[1], a[2]); break;
    case 4: written = text.FormatResource(id, a[0], a[1], a[2], a[3]); break;
    case 5: written = text.FormatResource(id, a[0], a[1], a[2], a[3], a[4]); break;
    case 6: written = text.FormatResource(id, a[0], a[1], a[2], a[3], a[4], a[5]); break;
    case 8: written = text.FormatResource(id, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); break;
    default: return 0;
  }
  if (written != 0 && subtype >= 6) text.Append((" " + std::to_string(subtype)).c_str());
  return written;
}

int DescribePolygonMove(TString& text, TSpine& spine, int subtype, int surfaceIndex, int p1, int p2, int p3,
                        int p4) {
  if (subtype < 1 || subtype > 14 || QuietMode.load() != 0) return 0;
  if (surfaceIndex < 0 || surfaceIndex >= spine.BoundaryCount()) return 0;
  TComplex* surface = spine.BoundaryAt(surfaceIndex);
  const int positions[4] = {p1, p2, p3, p4};
  TObjectHeader* edges[4] = {nullptr, nullptr, nullptr, nullptr};
  for (int i = 0; i < 4; ++i) {
    if (positions[i] != -1) edges[i] = surface->Objects().NthOfKind(kEdgeKind, positions[i]);
    if (i < SideCount(subtype) && edges[i] == nullptr) return 0;
  }
  return ReportPolygonMove(text, subtype, edges[0], edges[1], edges[2], edges[3]);
}
