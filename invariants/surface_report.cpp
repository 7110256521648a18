// The report of "Search For Surfaces In Spine": the number of surfaces, a
// summary by class (orientable, nonorientable, disconnected) and genus, one
// line per surface with its cells and its relation to the boundary of the
// thickened spine, and the spine the cell numbers refer to.
#include <cstdio>
#include <map>
#include <stdexcept>

#include "foundation/output.h"
#include "foundation/string_table.h"
#include "invariants/surface_search.h"
#include "model/objman.h"
#include "model/spine.h"
#include "shell/object_printers.h"

namespace {

std::string Text(int id) {
  const std::optional<std::string_view> text = StringTableText(id);
  return text ? std::string(*text) : std::string();
}

template <typename T>
std::string Format(int id, T value) {
  const std::string format = Text(id);
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format.c_str(), value);
  return buffer;
}

enum TSurfaceClass { kOrientableClass = 0, kNonorientableClass = 1, kDisconnectedClass = 2 };

int ClassOf(const TFoundSurface& surface) {
  if (surface.components.size() > 1) return kDisconnectedClass;
  return !surface.components.empty() && surface.components[0].orientable != 0
             ? kOrientableClass
             : kNonorientableClass;
}

std::string SurfaceName(const TFoundSurface& surface) {
  if (surface.components.size() == 1) {
    return FormatSurfaceName(surface.components[0].orientable, surface.components[0].Genus());
  }
  std::string name;
  for (std::size_t i = 0; i < surface.components.size(); ++i) {
    if (i > 0) name += "#";
    name += "(" +
            FormatSurfaceName(surface.components[i].orientable, surface.components[i].Genus()) +
            ")";
  }
  return name;
}

std::string SurfaceLine(const TFoundSurface& surface, int type) {
  std::string line = SurfaceName(surface);
  if (type == 1) {
    line += " {";
    bool first = true;
    for (std::size_t c = 0; c < surface.plates.size(); ++c) {
      const int count = surface.plates[c];
      if (count == 0) continue;
      if (!first) line += ",";
      first = false;
      // The cells of the renumbered spine are named by their numbers.
      const std::string name = std::to_string(c + 1);
      line += count > 1 ? "(" + name + ")^" + std::to_string(count) : name;
    }
    line += "}";
  } else {
    line += " (";
    for (std::size_t c = 0; c < surface.plates.size(); ++c) {
      line += (c > 0 ? "," : "") + std::to_string(surface.plates[c]);
    }
    line += " ) : (";
    for (std::size_t v = 0; v < surface.quads.size(); ++v) {
      line += (v > 0 ? "," : "") + std::to_string(surface.quads[v]);
    }
    line += ")";
  }
  switch (surface.boundaryRelation) {
    case kBoundaryParallel:
      line += " " + Text(636);
      break;
    case kBoundaryAfterPiercing:
      line += " " + Text(637);
      break;
    default:
      line += " !!!";
      break;
  }
  return line;
}

std::string ClassSummary(const std::vector<const TFoundSurface*>& members, int surfaceClass) {
  std::string text;
  if (surfaceClass == kDisconnectedClass) {
    for (const TFoundSurface* surface : members) text += SurfaceName(*surface);
    return text;
  }
  std::map<int, unsigned> byGenus;
  for (const TFoundSurface* surface : members) ++byGenus[surface->components[0].Genus()];
  bool first = true;
  for (const auto& [genus, count] : byGenus) {
    if (!first) text += ",";
    first = false;
    const std::string name = FormatSurfaceName(surfaceClass == kOrientableClass ? 1 : 0, genus);
    if (count == 1) {
      text += name;
    } else {
      char buffer[256];
      std::snprintf(buffer, sizeof buffer, Text(634).c_str(), count, name.c_str());
      text += buffer;
    }
  }
  return text;
}

}  // namespace

std::string FormatSurfaceName(int orientable, int genus) {
  return orientable != 0 ? Format(620, 2 - 2 * genus) : Format(628, 2 - genus);
}

std::string DescribeFoundSurface(const TFoundSurface& surface, int type) { return SurfaceLine(surface, type); }

std::string ReportSpineSurfaces(const TSurfaceSearchResult& result, TSpine& spine) {
  return ReportSurfaces(result.surfaces, 1, spine);
}

std::string ReportSurfaces(const std::vector<TFoundSurface>& surfaces, int type, TSpine& spine,
                           const std::string& note) {
  TOutput output;
  const std::size_t a = surfaces.size();
  if (a > 0) {
    output.AppendText(a == 1 ? Text(607).c_str() : Format(609, static_cast<unsigned>(a)).c_str());
    output.NewLines(1);
    std::vector<const TFoundSurface*> byClass[3];
    for (const TFoundSurface& surface : surfaces) byClass[ClassOf(surface)].push_back(&surface);
    int classesPresent = 0;
    for (int k = 0; k < 3; ++k) {
      if (byClass[k].empty()) continue;
      ++classesPresent;
      output.AppendText(Format(611 + k, static_cast<unsigned>(byClass[k].size())).c_str());
      output.AppendText(ClassSummary(byClass[k], k).c_str());
      output.NewLines(1);
    }
    output.NewLines(1);
    unsigned number = 0;
    for (int k = 0; k < 3; ++k) {
      if (byClass[k].empty()) continue;
      if (classesPresent > 1) {
        output.AppendText(Text(614 + k).c_str());
        output.NewLines(1);
      }
      for (const TFoundSurface* surface : byClass[k]) {
        ++number;
        std::string line;
        if (k != kOrientableClass || a > 1) line += "\t";
        if (a > 1) line += std::to_string(number) + ". ";
        line += SurfaceLine(*surface, type);
        output.AppendText(line.c_str());
        output.NewLines(1);
      }
    }
  } else {
    output.AppendText(Text(605).c_str());
  }
  if (!note.empty()) {
    if (a == 0) output.NewLines(1);
    output.AppendText(note.c_str());
    if (a > 0) output.NewLines(1);
  }
  output.NewLines(a == 0 ? 2 : 1);
  output.AppendText(Text(631).c_str());
  if (spine.HomologyList() == nullptr) spine.ComputeHomology();
  PrintHomologyGroup(output, spine.HomologyList());
  output.NewLines(1);
  // The lines name the cells by their numbers in list order: list the cells
  // of a renumbered copy, so that names and numbers agree.
  TSpine copy;
  spine.CopyTo(copy);
  copy.Objects().Renumber();
  PrintCellList(output, &copy, 1);
  return std::string(output.Text(), output.TextLength());
}
