#include "shell/spine_reports.h"

#include <string>

#include "foundation/checked_int64.h"
#include "foundation/status_reporter.h"
#include "model/edge.h"
#include "model/homology.h"
#include "model/vertex.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "shell/object_printers.h"
#include "shell/structure_reports.h"
#include "shell/triangulation_reports.h"

namespace {

constexpr const char* kRestoreHint = "Click Sorvelin|Initial State to restore original text";

// The homology of one spine (mode 2: that spine alone; 1: with the rest of
// its chain), or "OVERFLOW" when an invariant factor is beyond the list's
// range. Returns the number of summands printed.
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

std::string EdgeLine(const TObjectHeader* edge) {
  std::string line = "\t";
  line += PresentationName(edge);
  for (int end = 1; end <= 2; ++end) {
    THandle vertex = TEdge::End(edge, end);
    line += '\t';
    line += vertex.IsValid() ? PresentationName(vertex) : "__";
  }
  return line + "\r\n";
}

}  // namespace

int PrintSpineHomology(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  const THomologyList* list = spine.HomologyList();
  if (list == nullptr || list->Count() == 0) {
    try {
      // The list lives with the spine, in the document's heap.
      TDocumentSpine::TScope scope(document);
      spine.ComputeHomology();
    } catch (const Out_of_Range&) {
      output.AppendText("OVERFLOW");
      return 0;
    }
    list = spine.HomologyList();
  }
  return PrintHomologyGroup(output, list);
}

void ShowEmptySpineReport(TOutput& output) {
  output.AppendText("Unable to build special polyhedron!");
  output.NewLines(2);
  TString status;
  GetLastStatusText(status);
  if (status.Length() > 0) {
    output.AppendString(status);
    output.NewLines(2);
  }
  output.AppendText(kRestoreHint);
}

int PrintConnectedness(TSpine& spine, TOutput& output, int always, int commented) {
  unsigned count = 0;
  for (TSpine* s = spine.Head(); s != nullptr; s = s->Next()) {
    count += static_cast<unsigned>(s->ComponentCount());
  }
  if (count > 1 || always == 1) {
    if (commented == 1) {
      output.CommentMarker(0);
      output.Tabs(1);
    }
    if (count < 2) {
      output.AppendText("Spine is connected");
    } else {
      output.AppendText(("Spine is not connected : " + std::to_string(count) +
                         " connected components").c_str());
    }
    output.NewLines(always == 1 ? 1 : 2);
  }
  return count == 1 ? 1 : 0;
}

void PrintGraphParts(TComplex& spine, TOutput& output) {
  int freeEdges = spine.CountFreeEdges();
  int isolated = spine.CountIsolatedVertices();
  if (freeEdges == 0 && isolated == 0) return;
  const TObjectManager& objects = spine.Objects();
  std::string text = "Graph code :\r\n";
  auto listEdges = [&](bool withCells) {
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* edge = objects.At(i);
      if (edge == nullptr || edge->kind != kEdgeKind) continue;
      if ((TEdge::Valency(edge) > 0) == withCells) text += EdgeLine(edge);
    }
  };
  if (freeEdges > 0) {
    text += "1-dimensional part :\r\n";
    listEdges(false);
    if (objects.CountOfKind(kCellKind) > 0) {
      text += "2-dimensional part :\r\n";
      listEdges(true);
    }
  }
  if (isolated > 0) {
    text += "Separate vertices :\r\n";
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* vertex = objects.At(i);
      if (vertex == nullptr || vertex->kind != kVertexKind) continue;
      if (TVertex::Valency(vertex) == 0 && !TVertex::HasAttachedCell(vertex)) {
        text += "\t";
        text += PresentationName(vertex);
        text += "\r\n";
      }
    }
  }
  output.AppendText(text.c_str());
}

void PrintBoundaryCurvesReport(TComplex& spine, TOutput& output, int kind, int closed) {
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return;
  }
  if (kind != 3) {
    const char* name = ObjectDisplayName(spine.Component());
    if (name != nullptr && *name != '\0') output.AppendText(name);
    if (kind == 2) {
      output.Tabs(1);
      int euler = 0;
      spine.SurfaceClass(&euler);
      PrintSurfaceName(output, closed == 1 || spine.IsOrientableSurface() ? 1 : 0, euler, 0);
    }
    output.NewLines(1);
  }
  int cells = spine.Objects().CountOfKind(kCellKind);
  int freeEdges = spine.CountFreeEdges();
  int isolated = spine.CountIsolatedVertices();
  if (cells > 0 && freeEdges > 0) {
    output.AppendText("Spine contains 1-dimensional part");
    output.NewLines(1);
  }
  if (isolated > 0) {
    output.AppendText("There are separate vertices");
    output.NewLines(1);
  }
  if ((cells > 0 && freeEdges > 0) || isolated > 0) {
    output.NewLines(1);
    output.CommentMarker(0);
    output.AppendText("Boundary curves of 2-components :");
    output.NewLines(1);
  }
  if (cells > 0) {
    TString text;
    text.SetHeap(output.CurrentHeap());
    TBoundaryCurvesPresentation::Write(text, spine, kCellsNamed);
    output.AppendString(text);
  } else {
    output.AppendText("There are no 2-components");
  }
  output.NewLines(1);
  if (freeEdges > 0 || isolated > 0) PrintGraphParts(spine, output);

  if (!spine.AllEdgeLabelsZero()) {
    std::string table = "\r\n\tEdge\tMeridian\tLongitude\r\n";
    const TObjectManager& objects = spine.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* edge = objects.At(i);
      if (edge == nullptr || edge->kind != kEdgeKind) continue;
      int meridian = TEdge::Label(edge, 0);
      int longitude = TEdge::Label(edge, 1);
      if (meridian == 0 && longitude == 0) continue;
      table += "\t" + std::string(PresentationName(edge)) + "\t" + std::to_string(meridian) +
               "\t" + std::to_string(longitude) + "\r\n";
    }
    output.AppendText(table.c_str());
  }
}

void PrintBoundaryCurves(TDocumentSpine& document, TOutput& output) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    if (document.StatusText().Length() > 0) {
      output.AppendString(document.StatusText());
      output.NewLines(2);
    }
    ShowEmptySpineReport(output);
    return;
  }
  output.NewLines(1);
  int connected = PrintConnectedness(spine, output, 2, 1);
  unsigned number = 0;
  for (TSpine* component = &spine; component != nullptr; component = component->Next()) {
    ++number;
    if (!connected) {
      output.CommentMarker(0);
      output.Tabs(1);
      output.AppendText(("Component " + std::to_string(number)).c_str());
      output.NewLines(1);
    }
    output.CommentMarker(0);
    output.Tabs(1);
    // A spine of one component keeps its homology for later reports.
    if (connected) {
      PrintSpineHomology(document, output);
    } else {
      PrintComputedHomology(*component, 2, output);
    }
    output.NewLines(1);
    PrintBoundaryCurvesReport(*component, output, connected ? 3 : 1, 1);
  }
  output.NewLines(1);
}

int PrintHomologyGroupReport(TDocumentSpine& document, TOutput& output, int withConnectedness) {
  TSpine& spine = document.Spine();
  if (spine.IsEmpty()) {
    ShowEmptySpineReport(output);
    return 0;
  }
  int printed = PrintSpineHomology(document, output);
  if (withConnectedness == 1) {
    output.NewLines(2);
    PrintConnectedness(spine, output, 2, 1);
    output.NewLines(1);
  }
  return printed;
}

int ConvertPresentation(TDocumentSpine& document, const char* text, int style,
                        const TOptionValues& options, TOutput& output) {
  if (DetectTextStyle(text) == style) return 0;
  if (document.ParseDocumentText(text, options) == 0) return -1;
  if (style == kTriangulationStyle) return PrintTriangulation(document, text, output, 0) == 1 ? 1 : -1;
  if (style == kDetailsStyle) return PrintDetails(document, text, output, 0) == 1 ? 1 : -1;
  if (style != kBoundaryCurvesStyle) return -1;
  PrintBoundaryCurves(document, output);
  return 1;
}

void PrintTransformationList(TSpine& spine, TOutput& output) {
  // Log kinds up to 4 are bookkeeping of the builders, not moves.
  constexpr int kLastBookkeepingKind = 4;
  output.NewLines(1);
  if (spine.LogCount() > 0) {
    output.AppendText("Transformation List :");
    output.NewLines(2);
    unsigned running = 0;
    char text[1024];
    for (int i = 0; i < spine.LogCount(); ++i) {
      int kind = spine.LogEntry(i, text, sizeof text);
      if (kind <= kLastBookkeepingKind || text[0] == '\0') continue;
      output.AppendText((std::to_string(++running) + " " + text).c_str());
      output.NewLines(1);
    }
  }
  output.NewLines(1);
}
