// Reports on the structure of a spine: short information, details, boundary.
// See structure_reports.h.
#include "shell/structure_reports.h"

#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "invariants/virtual_boundary.h"
#include "model/cell.h"
#include "model/homology.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/details/details_reader.h"
#include "presentations/heegaard/heegaard_source_report.h"
#include "presentations/links/link.h"
#include "shell/detail_printer.h"
#include "shell/object_printers.h"
#include "shell/spine_reports.h"

namespace {

constexpr int kMessageNotThickenable = 447;

// The homology of one spine (mode 2) or of the chain from it (mode 1), or
// "OVERFLOW". Returns the number of summands printed.
int PrintComputedHomology(TSpine& spine, int mode, TOutput& output) {
  THomologyList list;
  try {
    list.Compute(spine, mode);
  } catch (const Out_of_Range&) {
    output.AppendText("OVERFLOW");
    return 0;
  }
  return PrintHomologyGroup(output, &list);
}

void AppendLine(TOutput& output, const std::string& text, int lineEnds = 1) {
  output.AppendText(text.c_str());
  output.NewLines(lineEnds);
}

// "%\tComponent n" and a line end, before each component of a chain.
void PrintComponentHeader(TOutput& output, unsigned number) {
  output.CommentMarker(0);
  output.Tabs(1);
  AppendLine(output, "Component " + std::to_string(number));
}

// The name of a surface of a thickened spine (closed, so without holes); a
// surface of an orientable spine counts as orientable.
void PrintSurfaceLine(TOutput& output, const TSpine& spine, const TComplex& surface, int closed) {
  int euler = 0;
  spine.BoundarySurfaceClass(&surface, &euler);
  int orientable = closed == 1 || surface.IsOrientableSurface() ? 1 : 0;
  PrintSurfaceName(output, orientable, euler, 0);
  output.NewLines(1);
}

// Thickens every component that is not thickened, recording the cells that
// fail; mode 3 keeps what was built for a report. The failed cells of all
// components are summed into *failed (-1 when no cell could be examined).
bool ThickenForReport(TSpine& head, int mode, int* failed, std::vector<std::string>* names) {
  if (head.IsThickened()) return true;
  TThickeningReport report;
  bool thickened = head.Thicken(mode, &report) == 1;
  *failed = report.failedCount;
  if (names != nullptr) {
    for (const TThickeningCellEntry& entry : report.cells) {
      if (entry.failed == 0) continue;
      THandle cell(head.Objects().FindByNumber(kCellKind, entry.cellNumber));
      names->push_back(cell.IsValid() ? cell.DisplayName() : std::to_string(entry.cellNumber));
    }
  }
  return thickened;
}

void PrintNotThickenable(TOutput& output, int failed) {
  TString line;
  line.FormatResource(kMessageNotThickenable, static_cast<unsigned>(failed));
  output.AppendString(line);
}

// The surfaces the spine would bound, when its details are complete: the
// line "Virtual Boundary: " with their listing by Euler characteristic.
void PrintVirtualBoundary(const TSpine& spine, TOutput& output) {
  const std::string listing = VirtualBoundaryListing(spine);
  if (listing.empty()) return;
  AppendLine(output, "Virtual Boundary: " + listing);
}

}  // namespace

// ---- Short information ------------------------------------------------------------------------

int PrintShortInformation(TDocumentSpine& document, const char* text, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  document.EnsureThickened();
  // A spine read from a link or a Heegaard diagram: that presentation's own
  // report first.
  if (spine.SourceKind() == kSourceLinkExterior) {
    TLink link;
    link.ParseAndPrint(output, text);
  } else {
    PrintHeegaardSourceReport(output, spine.SourceKind(), text);
  }
  long cells = 0, edges = 0, freeEdges = 0, vertices = 0, isolated = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next()) {
    cells += s->Objects().CountOfKind(kCellKind);
    edges += s->Objects().CountOfKind(kEdgeKind);
    freeEdges += s->CountFreeEdges();
    vertices += s->Objects().CountOfKind(kVertexKind);
    isolated += s->CountIsolatedVertices();
  }
  AppendLine(output, "Cells    : " + std::to_string(cells));
  AppendLine(output, "Edges     :" + std::to_string(edges) + "\tFree edges : " +
                         std::to_string(freeEdges));
  AppendLine(output, "Vertices : " + std::to_string(vertices) + "\tSeparate vertices :" +
                         std::to_string(isolated));
  PrintConnectedness(spine, output, 1, 0);
  PrintSpineHomology(document, output);
  output.NewLines(1);

  // The structure: special, thickenable, the boundary of each component.
  if (spine.IsSpecial(1) == 0) AppendLine(output, "Spine is not special");
  int failed = -1;
  std::vector<std::string> failedCells;
  if (!ThickenForReport(spine, 1, &failed, &failedCells)) {
    if (failed <= 0) {
      TString status;
      GetLastStatusText(status);
      output.AppendString(status);
      output.NewLines(1);
    } else {
      PrintNotThickenable(output, failed);
      output.AppendText(": ");
      for (const std::string& name : failedCells) output.AppendText((name + " ").c_str());
      output.NewLines(1);
      PrintVirtualBoundary(spine, output);
    }
  } else {
    bool several = spine.Next() != nullptr;
    unsigned number = 0;
    for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
      ++number;
      if (several) output.AppendText(("Component " + std::to_string(number) + " :\t").c_str());
      TSpine::PrintBoundarySummary(output, *component);
      output.NewLines(1);
      if (several) {
        output.Tabs(1);
        PrintComputedHomology(*component, 2, output);
        output.NewLines(1);
      }
    }
    AppendLine(output, spine.Orientability(1) != 0 ? "Manifold is orientable"
                                                   : "Manifold is not orientable");
  }
  return 1;
}

// ---- Details ----------------------------------------------------------------------------------

namespace {

void PrintAllDetails(TOutput& output, TDetailsDescription& details) {
  std::vector<const TObjectHeader*> written;
  for (int i = 0; i < details.DetailCount(); ++i) {
    THandle detail = details.DetailAt(i);
    output.NewLines(1);
    PrintDetail(output, detail, &written);
    written.push_back(detail.Object());
  }
}

}  // namespace

int PrintDetailsOf(TSpine& spine, TOutput& output, int fromText, const char* parsedText) {
  TDetailsDescription details;
  if (fromText == 1 && spine.IsEmpty()) {
    // A details text that built no spine: what was read, with the reader's
    // messages as a comment block.
    output.CommentMarker(2);
    output.NewLines(1);
    ParseDetails(details, parsedText, 1);
    output.CommentMarker(3);
    output.NewLines(2);
    PrintAllDetails(output, details);
    return details.DetailCount() > 0 ? 1 : 0;
  }
  // The details are complete for every spine the thickening accepts; their
  // own messages are wanted only when they are not.
  SuppressStatus();
  int complete = details.FromSpine(spine);
  UnsuppressStatus();
  if (complete == 0) {
    if (fromText == 1) {
      output.CommentMarker(2);
      output.NewLines(1);
      TDetailsDescription again;
      again.FromSpine(spine);
      output.CommentMarker(3);
      output.NewLines(2);
    }
    return 0;
  }
  PrintAllDetails(output, details);
  return 1;
}

int PrintDetails(TDocumentSpine& document, const char* text, TOutput& output, int fromText) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty() && IsDetailsText(text) == 0) {
    output.AppendText("There are no details!");
    return 0;
  }
  AppendLine(output, "\t\tDetails", 2);
  int connected = spine.IsEmpty() ? 1 : PrintConnectedness(spine, output, 2, 1);
  if (fromText == 1) SetTraceOutput(&output);
  unsigned number = 0;
  int printed = 1;
  bool anyPrinted = false;
  for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
    if (!connected) PrintComponentHeader(output, ++number);
    if (PrintDetailsOf(*component, output, fromText, text) == 0) {
      printed = 0;
    } else {
      anyPrinted = true;
    }
    output.NewLines(2);
  }
  if (fromText == 1) ClearTraceOutput();
  output.NewLines(1);
  // With the messages traced into the report, a report that shows some
  // details counts as given; one that holds only the messages does not.
  if (fromText == 1) return anyPrinted ? 1 : 0;
  return printed;
}

// ---- Boundary ---------------------------------------------------------------------------------

void PrintBoundary(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return;
  }
  document.EnsureThickened();
  output.NewLines(1);
  bool keptForReport = false;
  if (!spine.IsThickened()) {
    int failed = -1;
    MuteTraceOutput();
    bool thickened = ThickenForReport(spine, 3, &failed, nullptr);
    UnmuteTraceOutput();
    if (!thickened) {
      keptForReport = true;
      if (failed < 0) {
        // No cell was examined: the vertex or edge check said why.
        TString status;
        GetLastStatusText(status);
        output.AppendString(status);
        output.NewLines(1);
      } else {
        PrintNotThickenable(output, failed);
        output.NewLines(1);
        PrintVirtualBoundary(spine, output);
      }
      // Nothing was built to describe.
      if (spine.BoundaryCount() == 0) {
        for (TSpine* component = &spine; component != nullptr; component = component->Next())
          component->RemoveThickObjects();
        return;
      }
    }
  }
  for (TSpine* component = &spine; component != nullptr; component = component->Next())
    component->NameThickObjects();
  int connected = PrintConnectedness(spine, output, 2, 1);
  output.NewLines(1);
  int closed = spine.Orientability(1);
  unsigned number = 0;
  for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
    if (number > 0) output.NewLines(2);
    ++number;
    if (!connected) {
      output.Tabs(1);
      output.CommentMarker(0);
      output.Tabs(1);
      output.AppendText(("Component " + std::to_string(number)).c_str());
      output.Tabs(1);
      output.NewLines(1);
    }
    int surfaces = component->BoundaryCount();
    if (surfaces == 1) {
      output.AppendText("Boundary is connected - ");
      PrintSurfaceLine(output, *component, *component->BoundaryAt(0), closed);
    } else {
      output.AppendText("Boundary is not connected ");
      TSpine::PrintBoundarySummary(output, *component);
      output.NewLines(2);
      for (int i = 0; i < surfaces; ++i) {
        if (i > 0) output.NewLines(1);
        PrintSurfaceLine(output, *component, *component->BoundaryAt(i), closed);
        WriteObjectCellList(output, *component->BoundaryAt(i));
      }
    }
    output.NewLines(1);
    AppendLine(output, "Boundary cells:", 2);
    for (int i = 0; i < surfaces; ++i) {
      TComplex& surface = *component->BoundaryAt(i);
      PrintBoundaryCurvesReport(surface, output, surfaces == 1 ? 3 : 2, closed);
      PrintGraphParts(surface, output);
      output.NewLines(2);
    }
  }
  output.NewLines(2);
  // A thickening made only to show what fails is not kept: the spine stays
  // as the parse left it, not thickened.
  if (keptForReport)
    for (TSpine* component = &spine; component != nullptr; component = component->Next())
      component->RemoveThickObjects();
}
