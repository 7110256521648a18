// The report of a labeled molecule. See molecule_printer.h.
#include "shell/molecule_printer.h"

#include <string>
#include <unordered_set>

#include "model/molecule_chain.h"
#include "model/molecule_edge.h"
#include "model/molecule_names.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "recognition/atom_table.h"
#include "shell/object_printers.h"
#include "shell/string_text.h"

namespace {

enum : int {
  kTextHeading = 4040,
  kTextOneSolidTorus = 4041,
  kTextSolidTori = 4042,
  kTextOneSphereProduct = 4043,
  kTextSphereProducts = 4044,
  kTextEmpty = 4045,
  kTextConnected = 4046,
  kTextNotConnected = 4047,
  kTextComponent = 4048,
  kTextVertices = 4049,
  kTextEdges = 4050,
  kTextEdgeMissing = 4051,
  kTextVertexMissing = 4052,
  kTextEdgesAndLoops = 4053,
  kTextNoFibres = 4054,
  kTextSignature = 4055,
};

// The atom types a component's vertex line counts, in its order.
constexpr int kCountedTypes[] = {kSolidTorusAtom, kMobiusAtom,  kTripleAtom,
                                 kExceptionalAtom, kVirtualAtom, kSeifertAtom};

void AppendLabel(TOutput& output, const TObjectHeader* object) {
  char buffer[256];
  const char* label = TMoleculeVertex::Of(object) != nullptr
                          ? TMoleculeVertex::Label(object, buffer, sizeof buffer)
                          : TMoleculeEdge::Label(object, buffer, sizeof buffer);
  output.AppendText(label != nullptr ? label : "");
}

void AppendCount(TOutput& output, int id, int count) {
  if (count == 0) return;
  output.AppendText((count == 1 ? StringText(id) : FormatStringText(id + 1, count)).c_str());
  output.NewLines(1);
}

// The record a table atom's key names; null for any other vertex.
const TTableRecord* TableRecordOf(const TObjectHeader* vertex) {
  TAtomTriple key;
  if (TMoleculeVertex::AtomType(vertex) != kExceptionalAtom || TMoleculeVertex::Triple(vertex, key) == 0)
    return nullptr;
  return LoadAtomTable().FindTableRecord({key.first, key.second, 0, 0, 0});
}

// The name of a table atom ("Q2_2", "Q4^2_2"); empty for any other vertex.
std::string TableAtomName(const TObjectHeader* vertex) {
  const TTableRecord* record = TableRecordOf(vertex);
  return record != nullptr ? LoadAtomTable().FormatAtomName(record->GetKey()) : std::string();
}

// One end of an edge as the edge printer writes it.
void PrintEdgeEnd(TOutput& output, const TObjectHeader* edge, int end) {
  THandle vertex = TEdge::End(edge, end);
  if (!vertex.IsValid()) {
    output.AppendText("None");
    return;
  }
  AppendLabel(output, vertex);
  output.AppendText(" ");
  switch (TMoleculeVertex::AtomType(vertex)) {
    case kSolidTorusAtom:
      output.AppendText(FormatText("(%d,%d)", TMoleculeVertex::PairValue(vertex, 0),
                                   TMoleculeVertex::PairValue(vertex, 1))
                            .c_str());
      break;
    case kExceptionalAtom: {
      output.AppendText(TableAtomName(vertex).c_str());
      // A boundary torus of the piece is one of its cusps.
      int slot = TMoleculeEdge::EndSlot(edge, end);
      if (slot >= 0) output.AppendText(FormatText(" Cusp %d", slot + 1).c_str());
      break;
    }
    default:
      break;
  }
}

bool HasZeroGluing(const TObjectHeader* edge) { return TMoleculeEdge::GluingQuad(edge) == TIntQuad{}; }

// In the compact style an exceptional atom is shown only when every gluing at
// it is still zero.
bool AllGluingsZero(const TObjectHeader* vertex) {
  for (int i = 0; i < TVertex::Valency(vertex); ++i)
    if (!HasZeroGluing(TVertex::EdgeAt(vertex, i))) return false;
  return true;
}

void PrintComponent(TOutput& output, const TObjectList& vertices, const TObjectList& edges,
                    const std::int32_t* counts, int style) {
  if (style != 3) {
    output.AppendText(StringText(kTextVertices).c_str());
    for (int type : kCountedTypes) {
      if (counts[type] <= 0) continue;
      output.AppendText(FormatText(" %s %ld,", AtomTypeName(type), counts[type]).c_str());
    }
    output.NewLines(1);
  }
  if (edges.Count() > 0) {
    if (style != 3) {
      output.AppendText(StringText(kTextEdges).c_str());
      output.NewLines(1);
    }
    for (int i = 0; i < edges.Count(); ++i) {
      TObjectHeader* edge = edges.At(i);
      if (style == 3 && TMoleculeEdge::EdgeType(edge) == kVirtualMoleculeEdge && HasZeroGluing(edge))
        continue;
      output.Tabs(1);
      PrintMoleculeEdge(output, edge);
      output.NewLines(1);
    }
  }
  if (counts[kExceptionalAtom] > 0) {
    for (int i = 0; i < vertices.Count(); ++i) {
      TObjectHeader* vertex = vertices.At(i);
      if (TMoleculeVertex::AtomType(vertex) != kExceptionalAtom) continue;
      if (style == 3 && !AllGluingsZero(vertex)) continue;
      const TTableRecord* record = style == 3 ? TableRecordOf(vertex) : nullptr;
      if (record != nullptr) {
        // A known atom is told by its name and, further, by its spine.
        const TTableRecord* head = record;
        while (head->Parent() != nullptr) head = head->Parent();
        output.AppendText(LoadAtomTable().FormatAtomName(record->GetKey()).c_str());
        if (!head->Signature().empty()) output.AppendText(FormatText(" ('%s')", head->Signature()).c_str());
      } else {
        PrintMoleculeVertex(output, vertex);
      }
      output.NewLines(1);
    }
  }
  if (counts[kSeifertAtom] > 0) {
    for (int i = 0; i < vertices.Count(); ++i) {
      TObjectHeader* vertex = vertices.At(i);
      if (TMoleculeVertex::AtomType(vertex) != kSeifertAtom) continue;
      AppendLabel(output, vertex);
      output.AppendText(" ");
      PrintSeifertInvariants(output, vertex);
      output.NewLines(1);
    }
  }
}

}  // namespace

void PrintMoleculeEdge(TOutput& output, const TObjectHeader* edge) {
  if (TMoleculeEdge::Of(edge) == nullptr) {
    output.AppendText(StringText(kTextEdgeMissing).c_str());
    return;
  }
  AppendLabel(output, edge);
  output.AppendText(" { ");
  PrintEdgeEnd(output, edge, 1);
  output.AppendText(", ");
  PrintEdgeEnd(output, edge, 2);
  output.AppendText(" }");
  TIntQuad g = TMoleculeEdge::GluingQuad(edge);
  output.AppendText(FormatText("\t(%d %d) (%d %d)", g.a, g.b, g.c, g.d).c_str());
}

void PrintMoleculeVertex(TOutput& output, const TObjectHeader* vertex) {
  if (TMoleculeVertex::Of(vertex) == nullptr) {
    output.AppendText(StringText(kTextVertexMissing).c_str());
    return;
  }
  AppendLabel(output, vertex);
  output.AppendText(" ");
  switch (TMoleculeVertex::AtomType(vertex)) {
    case kSolidTorusAtom:
    case kMobiusAtom:
    case kTripleAtom:
    case kSeifertAtom:
      PrintSeifertInvariants(output, vertex);
      return;
    default:
      break;
  }
  std::unordered_set<const TObjectHeader*> edges;
  unsigned loops = 0;
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    THandle edge = TVertex::EdgeAt(vertex, i);
    if (edges.insert(edge.Object()).second && TEdge::IsLoop(edge)) ++loops;
  }
  output.AppendText(
      FormatStringText(kTextEdgesAndLoops, static_cast<unsigned>(edges.size()), loops).c_str());
  // A piece that recognition kept as a spine record carries the signature of
  // its spine.
  if (TMoleculeVertex::PieceCodeText(vertex) != nullptr) {
    const char* signature = TMoleculeVertex::PieceText(vertex);
    if (signature != nullptr && *signature != '\0') {
      output.AppendText(StringText(kTextSignature).c_str());
      output.AppendText(signature);
    } else {
      output.AppendText("\tNone");
    }
  }
}

void PrintSeifertInvariants(TOutput& output, const TObjectHeader* vertex) {
  if (TMoleculeVertex::Of(vertex) == nullptr) {
    output.AppendText(StringText(kTextVertexMissing).c_str());
    return;
  }
  output.AppendText("(");
  PrintSurfaceName(output, TMoleculeVertex::FlagB(vertex), TMoleculeVertex::FlagA(vertex),
                   TMoleculeVertex::FlagC(vertex));
  int count = TMoleculeVertex::PairCount(vertex);
  if (count == 0) output.AppendText(StringText(kTextNoFibres).c_str());
  for (int i = 0; i < count; ++i) {
    int p = 0;
    int q = 0;
    TMoleculeVertex::PairAt(vertex, i, p, q);
    // A last fibre (1, 0) is a regular fibre: it changes nothing.
    if (p == 1 && q == 0 && i == count - 1) continue;
    output.AppendText(FormatText(",(%d,%d)", p, q).c_str());
  }
  output.AppendText(" )");
}

void PrintLabeledMolecule(TOutput& output, TSpine& spine, int style) {
  PrintMoleculeTable(output, spine.MoleculeTable(), style);
}

void PrintMoleculeTable(TOutput& output, TObjectTable* table, int style) {
  if (style == 1) {
    output.Tabs(1);
    output.AppendText(StringText(kTextHeading).c_str());
    output.NewLines(1);
  }
  if (style != 3) {
    AppendCount(output, kTextOneSolidTorus, table != nullptr ? table->CounterB(2) : 0);
    AppendCount(output, kTextOneSphereProduct, table != nullptr ? table->CounterC(2) : 0);
    output.NewLines(1);
  }
  TObjectTableList tables;
  TObjectListList vertexLists;
  TObjectListList edgeLists;
  int components = 0;
  if (table != nullptr) components = BuildMoleculeChain(*table, tables, vertexLists, edgeLists);
  TIntMatrix counts;
  NumberMoleculeComponents(edgeLists, vertexLists, counts);
  if (style == 1 || (style == 2 && components != 1)) {
    if (components == 0)
      output.AppendText(StringText(kTextEmpty).c_str());
    else if (components == 1)
      output.AppendText(StringText(kTextConnected).c_str());
    else
      output.AppendText(FormatStringText(kTextNotConnected, components).c_str());
    output.NewLines(1);
  }
  for (int c = 0; c < components; ++c) {
    if (components > 1) {
      if (style != 3) output.Tabs(1);
      output.AppendText(FormatStringText(kTextComponent, c + 1).c_str());
      if (style != 3)
        output.NewLines(2);
      else
        output.AppendText(" ");
    }
    PrintComponent(output, vertexLists[static_cast<std::size_t>(c)],
                   edgeLists[static_cast<std::size_t>(c)], counts.Row(static_cast<std::uint32_t>(c)),
                   style);
    if (components > 1) output.NewLines(1);
  }
  vertexLists.clear();
  edgeLists.clear();
  FreeObjectTableList(tables);
}
