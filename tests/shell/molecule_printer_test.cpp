#include "shell/molecule_printer.h"

#include <gtest/gtest.h>

#include <string>

#include "model/complex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "shell/document_commands.h"
#include "shell/molecule_report.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TComplex* NewTorus(bool withCurves) {
  auto* torus = new TComplex;
  TBuiltComplex built = BuildComplexFromWords(*torus, {{1, 2, -1, -2}});
  if (withCurves) TEdge::SetLabel(built.edges[0], 0, 1);
  return torus;
}

TComplex* NewSphere() {
  auto* sphere = new TComplex;
  BuildPointSphere(*sphere);
  return sphere;
}

// A thickened spine as the thickening leaves it: a sphere, a torus with
// coordinate curves and an open torus on its boundary, the molecule's boundary
// atoms built and the tori numbered 1 and 2; two solid tori and one copy of
// S^2 x S^1 were cut off.
struct TMoleculeSpine {
  TMoleculeSpine() {
    BuildComplexFromWords(spine, {{1, 2, -1, -2}, {1}, {2}});
    TComplex* filled = NewTorus(true);
    TComplex* open = NewTorus(false);
    spine.AppendBoundary(NewSphere());
    spine.AppendBoundary(filled);
    spine.AppendBoundary(open);
    TObjectTable& table = *spine.MoleculeTable();
    table.BuildBoundaryAtoms();
    spine.FirstMoleculeEdgeObject(filled, 1);
    spine.FirstMoleculeEdgeObject(open, 2);
    table.SetCounterB(2);
    table.IncrementCounterC();
  }
  // A Seifert atom over the disk with fibres, joined to nothing.
  void AddSeifertAtom() {
    TObjectHeader* atom = spine.MoleculeTable()->NewAtom(kSeifertAtom);
    TMoleculeVertex::ResetByType(atom, kBaseDisk);
    TMoleculeVertex::AddPair(atom, 2, 1);
    TMoleculeVertex::AddPair(atom, 3, -1);
    TMoleculeVertex::AddPair(atom, 1, 0);
  }
  std::string Print(int style) {
    TOutput output;
    PrintLabeledMolecule(output, spine, style);
    return std::string(output.Text(), output.TextLength());
  }
  TScopedModelHeap heap;
  TSpine spine;
};

const char* const kFirstComponent =
    "Vertices : Solid torus 1, Exceptional 1, Virtual 1,\r\n"
    "Edges :\r\n"
    "\tEdge 1 { Solid torus 1 (1,0), Exceptional vertex 1  Cusp 1 }\t(1 0) (0 1)\r\n"
    "\tVirtual edge1 { Virtual vertex 1 , Exceptional vertex 1  Cusp 2 }\t(1 0) (0 1)\r\n"
    "Exceptional vertex 1 edges 2, loops 0\r\n";

}  // namespace

TEST(MoleculePrinter, TheFullReportOfAConnectedMolecule) {
  TMoleculeSpine m;
  EXPECT_EQ(m.Print(1), std::string("\tLabeled Molecule\r\n"
                                    "2 solid tori are cut off\r\n"
                                    "1 copy of S^2XS^1 is cut off\r\n"
                                    "\r\n"
                                    "Labeled molecule is connected\r\n") +
                            kFirstComponent);
  // Style 2 leaves out the heading and the line of a connected molecule.
  EXPECT_EQ(m.Print(2), std::string("2 solid tori are cut off\r\n"
                                    "1 copy of S^2XS^1 is cut off\r\n"
                                    "\r\n") +
                            kFirstComponent);
  // Printing reads a copy: the spine's own molecule is unchanged.
  EXPECT_EQ(m.spine.MoleculeTable()->CountOfKind(kMoleculeVertexKind), 3);
  EXPECT_EQ(m.Print(1), m.Print(1));
}

TEST(MoleculePrinter, ComponentsOfAMoleculeThatIsNotConnected) {
  TMoleculeSpine m;
  m.AddSeifertAtom();
  m.spine.MoleculeTable()->SetCounterB(1);
  m.spine.MoleculeTable()->SetCounterC(0);
  EXPECT_EQ(m.Print(2), std::string("1 solid torus is cut off\r\n"
                                    "\r\n"
                                    "Labeled molecule is not connected, 2 connected components\r\n"
                                    "\tComponent 1 of labeled molecule\r\n\r\n") +
                            kFirstComponent +
                            "\r\n"
                            "\tComponent 2 of labeled molecule\r\n\r\n"
                            "Vertices : Seifert atom 1,\r\n"
                            "Seifert atom 1 (D^2,(2,1),(3,-1) )\r\n"
                            "\r\n");
  // The compact style: no counts, no vertex lines, exceptional atoms only
  // while all their gluings are zero.
  EXPECT_EQ(m.Print(3),
            "Component 1 of labeled molecule "
            "\tEdge 1 { Solid torus 1 (1,0), Exceptional vertex 1  Cusp 1 }\t(1 0) (0 1)\r\n"
            "\tVirtual edge1 { Virtual vertex 1 , Exceptional vertex 1  Cusp 2 }\t(1 0) (0 1)\r\n"
            "\r\n"
            "Component 2 of labeled molecule "
            "Seifert atom 1 (D^2,(2,1),(3,-1) )\r\n"
            "\r\n");
}

TEST(MoleculePrinter, AnEmptyMolecule) {
  TScopedModelHeap heap;
  TSpine spine;
  TOutput output;
  PrintLabeledMolecule(output, spine, 1);
  EXPECT_STREQ(output.Text(), "\tLabeled Molecule\r\n\r\nLabeled molecule is empty\r\n");
  output.Clear();
  PrintLabeledMolecule(output, spine, 2);
  EXPECT_STREQ(output.Text(), "\r\nLabeled molecule is empty\r\n");
}

TEST(MoleculePrinter, SeifertInvariantsAndSingleObjects) {
  struct TCase {
    int type;
    int base;
    std::vector<std::pair<int, int>> fibres;
    const char* expected;
  };
  const TCase cases[] = {
      {kSeifertAtom, kBaseAnnulus, {}, "(A^2no exceptional fibers )"},
      {kSeifertAtom, kBaseDisk, {{1, 0}}, "(D^2 )"},
      {kSeifertAtom, kBaseDisk, {{1, 0}, {2, 1}}, "(D^2,(1,0),(2,1) )"},
      {kSeifertAtom, kBaseMobiusBand, {{2, 1}, {1, 0}}, "(M^2,(2,1) )"},
      {kSeifertAtom, kBaseTorus, {{5, 2}}, "(T^2,(5,2) )"},
      {kSolidTorusAtom, kBaseDisk, {{3, 2}}, "(D^2,(3,2) )"},
  };
  TScopedModelHeap heap;
  TObjectTable table;
  for (const TCase& c : cases) {
    THandle atom(table.NewAtom(c.type));
    TMoleculeVertex::ResetByType(atom, c.base);
    for (auto [p, q] : c.fibres) TMoleculeVertex::AddPair(atom, p, q);
    TOutput output;
    PrintSeifertInvariants(output, atom);
    EXPECT_STREQ(output.Text(), c.expected);
  }
  TOutput output;
  PrintMoleculeEdge(output, nullptr);
  output.AppendText("|");
  PrintMoleculeVertex(output, nullptr);
  output.AppendText("|");
  PrintSeifertInvariants(output, nullptr);
  EXPECT_STREQ(output.Text(),
               "Error : Edge is not initialized!|Error : Vertex is not initialized!|"
               "Error : Vertex is not initialized!");

  // A loop counts once among the edges and once among the loops.
  THandle piece(table.NewAtom(kExceptionalAtom));
  THandle loop(table.NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(loop, piece, 1);
  TEdge::SetEndVertex(loop, piece, 2);
  THandle other(table.NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(other, piece, 1);
  output.Clear();
  PrintMoleculeVertex(output, piece);
  output.AppendText("|");
  PrintMoleculeEdge(output, other);
  EXPECT_STREQ(output.Text(),
               "Exceptional vertex 1 edges 2, loops 1|Edge 2 { Exceptional vertex 1 , None }\t(0 0) (0 0)");
  table.Clear();
}

TEST(MoleculeReport, TheCommandReportsOnTheDocumentsSpine) {
  ASSERT_TRUE(BuiltInDocumentCommands().Has(40));
  TOptionValues options;
  TCommandResult report = RunCommandOnText(40, "1\n2\n1 2 -1 -2\n", options);
  EXPECT_EQ(report.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(report.shown.rfind("\tLabeled Molecule\r\n", 0), 0u) << report.shown;
  TCommandResult empty = RunCommandOnText(40, "", options);
  EXPECT_EQ(empty.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(empty.shown.find("Unable to build special polyhedron!"), std::string::npos);
}

// Through the document parse, which splits and thickens the spine: the
// figure-eight knot complement is one piece with one open torus; a closed
// manifold (the lens space of the spine below, H_1 = Z_3 ... any closed one)
// is one piece alone; two disjoint knot complements are two components.
TEST(MoleculeReport, MoleculesOfThickenedSpinesOfKnownManifolds) {
  const char* const figureEight = "{ 1, -3, 2, -1, 3, -4 }\n{ 1, -4, 2, -3, 4, -2 }\n";
  const std::string knotComponent =
      "Vertices : Exceptional 1, Virtual 1,\r\n"
      "Edges :\r\n"
      "\tVirtual edge1 { Virtual vertex 1 , Exceptional vertex %  Cusp 1 }\t(1 0) (0 1)\r\n"
      "Exceptional vertex % edges 1, loops 0\r\n";
  auto component = [&](char number) {
    std::string text = knotComponent;
    for (char& c : text)
      if (c == '%') c = number;
    return text;
  };
  TOptionValues options;
  TCommandResult knot = RunCommandOnText(40, figureEight, options);
  EXPECT_EQ(knot.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(knot.shown, "\tLabeled Molecule\r\n\r\nLabeled molecule is connected\r\n" + component('1'));

  TCommandResult closed = RunCommandOnText(40, "1\n2\n1 2 -1 -2\n", options);
  EXPECT_EQ(closed.shown,
            "\tLabeled Molecule\r\n\r\nLabeled molecule is connected\r\n"
            "Vertices : Exceptional 1,\r\n"
            "Exceptional vertex 1 edges 0, loops 0\r\n");

  // The second spine of the chain is thickened (and numbered) first.
  std::string twoKnots = std::string(figureEight) +
                         "{ 5, -7, 6, -5, 7, -8 }\n{ 5, -8, 6, -7, 8, -6 }\n";
  TCommandResult two = RunCommandOnText(40, twoKnots, options);
  EXPECT_EQ(two.shown,
            "\tLabeled Molecule\r\n\r\n"
            "Labeled molecule is not connected, 2 connected components\r\n"
            "\tComponent 1 of labeled molecule\r\n\r\n" +
                component('2') +
                "\r\n"
                "\tComponent 2 of labeled molecule\r\n\r\n" +
                component('1') + "\r\n");
}
