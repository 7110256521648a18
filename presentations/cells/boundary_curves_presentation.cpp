#include "presentations/cells/boundary_curves_presentation.h"

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "model/cell.h"
#include "model/object_header.h"
#include "model/vertex.h"

int TBoundaryCurvesPresentation::Parse(const char* text) {
  Clear();
  int count = words_.Parse(text);
  named_ = words_.NamesUsed();
  return count;
}

const char* PresentationName(const TObjectHeader* object) {
  if (const char* name = ObjectNameText(object)) return name;
  return ObjectDisplayName(object);
}

int TBoundaryCurvesPresentation::BuildSpine(TSpine& spine) const {
  spine.ReleaseAllObjects();
  TObjectManager& objects = spine.Objects();
  objects.SetCreationTag(1);
  bool nameEdges = named_ == 1 && words_.EdgeNames() != nullptr;

  // One edge per edge number, made in the order of first appearance. An edge
  // is numbered after it is made, so it is entered again to raise the
  // manager's highest edge number past it: later objects never reuse a number.
  std::unordered_map<long, THandle> edges;
  auto edgeOf = [&](long number) -> TObjectHeader* {
    auto found = edges.find(number);
    if (found != edges.end()) return found->second;
    THandle edge(objects.CreateObject(kEdgeKind));
    objects.Unregister(edge);
    edge.SetNumber(static_cast<int>(number));
    objects.Register(edge);
    if (nameEdges) {
      if (const std::string* token = words_.EdgeNames()->NameOf(static_cast<int>(number))) {
        edge.SetNameObject(NewNameObject(token->c_str()));
      }
    }
    edges.emplace(number, edge);
    return edge;
  };

  int built = 0;
  for (int i = 0; i < words_.CellCount(); ++i) {
    int length = words_.WordLength(i);
    if (length == 0) continue;
    TObjectHeader* cell = objects.CreateObject(kCellKind);
    // The spine shares nothing with the word list: a name is copied.
    if (named_ == 1 && SuppressObjectNames.load() == 0) {
      if (const TObjectHeader* nameObject = words_.CellName(i)) {
        const char* name = static_cast<const TNameObject*>(nameObject)->Text();
        ObjectSetNameObject(cell, NewNameObject(name));
      }
    }
    TCell::ReserveBoundary(cell, length);
    for (int j = 0; j < length; ++j) {
      long entry = static_cast<long>(words_.EntryAt(i, j));
      TCell::AppendPassage(cell, edgeOf(std::labs(entry)), entry > 0 ? 1 : 2);
    }
    spine.AddCellWithBoundary(cell);
    ++built;
  }

  int number = 0;
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* object = objects.At(i);
    if (object != nullptr && object->kind == kVertexKind) ObjectSetNumber(object, ++number);
  }
  return built;
}

namespace {

void AppendCell(std::string& line, const TObjectHeader* cell, int mode) {
  const char* separator = " ";
  switch (mode) {
    case kCellsNamed:
      line += PresentationName(cell);
      line += " = { ";
      separator = ", ";
      break;
    case kCellsNumbered:
      line += std::to_string(ObjectNumber(cell)) + ": { ";
      break;
    case kCellsBraced:
      line += "{";
      break;
    default:
      break;
  }
  int length = TCell::BoundaryLength(cell);
  for (int p = 0; p < length; ++p) {
    int direction = 0;
    THandle edge = TCell::PassageAt(cell, p, &direction);
    if (p > 0) line += separator;
    if (direction == 2) line += '-';
    line += PresentationName(edge);
  }
  if (mode == kCellsNamed || mode == kCellsNumbered || mode == kCellsBraced) line += " }";
  if (TCell::Type(cell) == 2) {
    line += " - Vertex ";
    line += PresentationName(TCell::AttachedVertex(cell));
  }
}

}  // namespace

void TBoundaryCurvesPresentation::WriteCell(TString& text, const TObjectHeader* cell, int mode) {
  if (cell == nullptr) return;
  std::string line;
  AppendCell(line, cell, mode);
  text.Append(line.c_str());
}

int TBoundaryCurvesPresentation::Write(TString& text, const TComplex& complex, int mode) {
  if (complex.IsEmpty()) {
    text.Append("\r\nSpine Is empty.\r\n");
    return 0;
  }
  const TObjectManager& objects = complex.Objects();
  std::string cells;
  int written = 0;
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || cell->kind != kCellKind) continue;
    AppendCell(cells, cell, mode);
    if (mode == kCellsNamed || mode == kCellsNumbered) cells += "\r\n";
    if (mode == kCellsChained) cells += 'z';
    ++written;
  }
  text.Append(cells.c_str());
  return written;
}

void WriteObjectCellList(TOutput& output, const TComplex& complex) {
  std::string line = ObjectDisplayName(complex.Component());
  line += " = { ";
  const TObjectManager& objects = complex.Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || cell->kind != kCellKind) continue;
    line += ObjectDisplayName(cell);
    line += ' ';
  }
  line += "}\r\n";
  output.AppendText(line.c_str());
}
