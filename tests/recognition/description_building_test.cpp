#include "recognition/description_building.h"

#include <gtest/gtest.h>

#include <memory>

#include "molecule_fixture.h"
#include "model/spine.h"
#include "shell/molecule_printer.h"
#include "shell/options.h"
#include "support/model_heap.h"
#include "support/thick_spine_support.h"

TEST(DescriptionBuilding, EmptyMoleculeIsTheSphere) {
  TScopedModelHeap heap;
  TObjectTable empty;
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, empty, -1);
  EXPECT_EQ(d.GetTypeCode(), kTrivialCode);
  EXPECT_EQ(d.GetPieceCode().Word(kCodeGeometry), 5);
}

TEST(DescriptionBuilding, UnidentifiedAtomKeepsTheSpineRecord) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle atom(table.NewAtom(kExceptionalAtom));
  THandle open(table.NewAtom(kVirtualAtom));
  Glue(table, open, atom, 1, 0, 0, 1, kVirtualMoleculeEdge);
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, table, -1);
  EXPECT_EQ(d.GetTypeCode(), kSpineRecordCode);
  EXPECT_EQ(d.GetPieceCode().Word(kCodeWord13), 1);  // one free torus
}

TEST(DescriptionBuilding, OneSummandPerTableAndNewPresentationsAtTheEnd) {
  TScopedModelHeap heap;
  TObjectTable first;
  TObjectTable second;
  SeifertAtom(first, kBaseSphere, {{2, 1}, {3, 1}, {5, -4}});
  SeifertAtom(second, kBaseSphere, {{5, 7}});
  first.SetNext(&second);
  second.SetChainHead(&first);
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, first, -1);
  EXPECT_EQ(d.CountSummands(), 2);
  EXPECT_EQ(d.IsReducible(), 1);
  // The summands are sorted: the lens space first.
  EXPECT_EQ(d.GetTypeCode(), kLensCode);
  ASSERT_NE(d.GetNextSummand(), nullptr);
  EXPECT_EQ(d.GetNextSummand()->GetTypeCode(), kSeifertCode);

  // At most one summand when asked so; a filled description grows a chain.
  BuildDescriptionFromMolecule(d, first, 1);
  ASSERT_NE(d.GetNextPresentation(), nullptr);
  EXPECT_EQ(d.GetNextPresentation()->CountSummands(), 1);
  EXPECT_EQ(d.GetNextPresentation()->GetTypeCode(), kSeifertCode);
  first.SetNext(nullptr);
  second.SetChainHead(nullptr);
}

TEST(DescriptionBuilding, OpenToriForgetTheirCoordinatesUnlessKept) {
  TScopedModelHeap heap;
  for (int keep : {0, 1}) {
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, "dLQbcccdero"));
    TOptionValues options;
    options.OptionsAlwaysCreateCoordinatesOnBoundaryTori = keep;
    options.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary = keep ? 0 : 1;
    ForgetBoundaryCoordinates(spine, options);
    TObjectHeader* e = spine.MoleculeTable()->First(kMoleculeEdgeKind);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(e) == (TIntQuad{0, 0, 0, 0}), keep == 0);
  }
}

TEST(DescriptionBuilding, SeifertAtomCodeOfASpine) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "dLQbcccdero"));
  const TPieceCode code = BuildSeifertAtomCode(spine);
  EXPECT_EQ(code.Type(), kCompoundCode);
  EXPECT_EQ(code.Word(16), 2);  // the exceptional atom and its open torus
  EXPECT_EQ(code.Word(17), 1);
}

TEST(DescriptionBuilding, APresentationFromASpineKeepsTheSummandsBehindIt) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cPcbbbiht"));
  TObjectTable lens;
  SeifertAtom(lens, kBaseSphere, {{5, 2}});
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, lens, -1);
  auto summand = std::make_unique<TManifoldDescription>();
  summand->SetLensCode(7, 2);
  d.SetNextSummand(std::move(summand));
  AddPresentationFromSpine(d, spine, -1);
  // The spine's piece replaces the lens space; the old summand follows it.
  EXPECT_EQ(d.GetTypeCode(), kTableAtomCode);
  EXPECT_EQ(d.GetNextPresentation(), nullptr);
  ASSERT_EQ(d.CountSummands(), 2);
  int p = 0;
  int q = 0;
  EXPECT_EQ(d.GetNextSummand()->GetLensParameters(p, q), 1);
  EXPECT_EQ(p, 7);
  // The spine's text is its cell list, one cell a line (two cells here).
  d.SetSpineText(&spine);
  EXPECT_EQ(d.HasSpineText(), 1);
  EXPECT_EQ(d.GetSpineText(), " 1 -3 2 -1 3 -4\r\n 1 -4 2 -3 4 -2\r\n");
  TManifoldDescription none;
  none.SetSpineText(static_cast<const TSpine*>(nullptr));
  EXPECT_EQ(none.HasSpineText(), 0);
}

// A piece that the table does not know is kept with its spine: two
// presentations of one piece compare equal by the spine's signature, other
// pieces do not.
TEST(DescriptionBuilding, AnUnknownPieceIsComparedByItsSpine) {
  TScopedModelHeap heap;
  TSpine lens;
  TSpine other;
  ASSERT_TRUE(LoadThickenedSpine(lens, "bkaajn"));
  ASSERT_TRUE(LoadThickenedSpine(other, "bkaajj"));
  auto describe = [](TSpine& spine, TManifoldDescription& d) {
    TObjectTable table;
    THandle atom(table.NewAtom(kExceptionalAtom));
    TMoleculeVertex::SetMarkWord(atom, reinterpret_cast<std::intptr_t>(&spine));
    BuildDescriptionFromMolecule(d, table, -1);
  };
  TManifoldDescription a, b, c;
  describe(lens, a);
  describe(lens, b);
  describe(other, c);
  ASSERT_EQ(a.GetTypeCode(), kSpineRecordCode);
  EXPECT_EQ(IsSignatureComparable(a.GetPieceCode()), 1);
  ASSERT_NE(GetPieceCodeSecondText(a.GetPieceCode()), nullptr);
  EXPECT_STREQ(GetPieceCodeSecondText(a.GetPieceCode()), "bkaajn");
  EXPECT_EQ(CompareSpineRecords(a.GetPieceCode(), b.GetPieceCode()), kCodeEqual);
  EXPECT_NE(CompareSpineRecords(a.GetPieceCode(), c.GetPieceCode()), kCodeEqual);
  EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(a, b), kCodeEqual);
  // The atom reads its piece's signature from the code.
  TOutput output;
  PrintMoleculeTable(output, a.GetMolecule(), 2);
  const std::string text = output.Text() != nullptr ? output.Text() : "";
  EXPECT_NE(text.find("bkaajn"), std::string::npos) << text;
}
