#include "shell/object_printers.h"

#include <string>

#include "model/cell.h"
#include "model/edge.h"
#include "model/homology.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"

int PrintHomologyGroup(TOutput& output, const THomologyList* list, bool latex) {
  if (list == nullptr || list->Count() == 0) {
    output.AppendText("Error : Homology group is not initialized");
    return 0;
  }
  std::string text = latex ? "" : "H_1=";
  for (int i = 0; i < list->Count(); ++i) {
    std::int32_t order = list->ElementAt(i);
    if (i > 0) text += latex ? " \\oplus " : "+";
    if (order == 1) {
      text += '0';
    } else {
      text += latex ? "\\mathbb{Z}" : "Z";
      if (order != 0) {
        text += latex ? "_{" + std::to_string(order) + "}" : "_" + std::to_string(order);
      }
    }
  }
  output.AppendText(text.c_str());
  return list->Count();
}

namespace {

void AppendCell(std::string& text, const TObjectHeader* cell, int compact) {
  if (cell == nullptr) {
    text += "EmptyObject";
    return;
  }
  if (!compact) {
    text += PresentationName(cell);
    text += " = {";
  }
  int length = TCell::BoundaryLength(cell);
  for (int p = 0; p < length; ++p) {
    int direction = 0;
    THandle edge = TCell::PassageAt(cell, p, &direction);
    text += ' ';
    if (direction == 2) text += '-';
    text += PresentationName(edge);
    if (!compact) text += ',';
  }
  if (!compact) text += " }";
  if (TCell::Type(cell) == 2) {
    text += ": Vertex ";
    text += PresentationName(TCell::AttachedVertex(cell));
  }
}

}  // namespace

void PrintCell(TOutput& output, const TObjectHeader* cell, int compact) {
  std::string text;
  AppendCell(text, cell, compact);
  output.AppendText(text.c_str());
}

void PrintCellList(TOutput& output, const TSpine* spine, int style) {
  if (spine == nullptr) {
    output.AppendText("EmptyObject");
    return;
  }
  const TObjectManager& objects = spine->Objects();
  long cells = objects.CountOfKind(kCellKind);
  long edges = objects.CountOfKind(kEdgeKind);
  long vertices = objects.CountOfKind(kVertexKind);
  std::string text;
  if (style == 0) {
    text += ObjectDisplayName(spine->Component());
    text += " : " + std::to_string(cells - edges + vertices) + " = " + std::to_string(cells) +
            " -" + std::to_string(edges) + " +" + std::to_string(vertices);
    if (cells > 0) text += "\r\n";
  }
  unsigned running = 0;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || cell->kind != kCellKind) continue;
    switch (style) {
      case 2:
        text += std::to_string(++running) + ":";
        AppendCell(text, cell, 1);
        break;
      case 3:
        AppendCell(text, cell, 1);
        break;
      case 4:
        text += "{";
        AppendCell(text, cell, 1);
        text += "}";
        break;
      default:
        AppendCell(text, cell, 0);
        break;
    }
    if (style != 4) text += "\r\n";
  }
  output.AppendText(text.c_str());
}

void PrintEdge(TOutput& output, const TObjectHeader* edge) {
  if (edge == nullptr) {
    output.AppendText("EmptyObject");
    return;
  }
  std::string text = PresentationName(edge);
  text += " [ ";
  THandle first = TEdge::End(edge, 1);
  text += first.IsValid() ? PresentationName(first) : "None";
  text += " , ";
  THandle second = TEdge::End(edge, 2);
  text += second.IsValid() ? PresentationName(second) : "None";
  text += " ]";
  if (TEdge::IsLoop(edge)) text += " Loop";
  int labels[4] = {0, 0, 0, 0};
  if (!TEdge::LabelsAreZero(edge, labels)) {
    text += "Coordinates : ";
    for (int label : labels) text += std::to_string(label) + " ";
  }
  output.AppendText(text.c_str());
}

void PrintObjectName(TOutput& output, const TObjectHeader* object) {
  output.AppendText(object == nullptr ? "EmptyObject" : ObjectDisplayName(object));
}
