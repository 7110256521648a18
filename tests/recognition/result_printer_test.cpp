#include "recognition/result_printer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "molecule_fixture.h"
#include "recognition/atom_table.h"
#include "recognition/description_building.h"
#include "recognition/piece_recognition.h"
#include "recognition/table_atom_codes.h"
#include "support/model_heap.h"

namespace {

std::string Report(const TManifoldDescription& d, const std::string& homology = "H_1=Z_2", int reportType = 1,
                   bool ignoreAddedBalls = false) {
  TOutput output;
  PrintAssemblyResult(output, d, reportType, homology, ignoreAddedBalls);
  return output.Text() != nullptr ? output.Text() : "";
}

// L(p1,q1) # L(p2,q2) with balls cut off, in the form the table keeps: the
// summands sorted, the counts on the head, every summand marked reducible.
std::unique_ptr<TManifoldDescription> LensSum(int p1, int q1, int p2, int q2, int balls) {
  auto owned = std::make_unique<TManifoldDescription>();
  TManifoldDescription& sum = *owned;
  sum.SetLensCode(p1, q1);
  auto second = std::make_unique<TManifoldDescription>();
  second->SetLensCode(p2, q2);
  sum.SetNextSummand(std::move(second));
  sum.SortSummands();
  sum.SetBoundaryCounts(balls, 0, 0);
  sum.SetReducibilityAlongSummands(1);
  ClassifyGeometry(sum);
  return owned;
}

}  // namespace

// A name that does not say how the pieces are glued is followed by the
// molecule; a name that does stands alone.
TEST(ResultPrinter, CompoundNamesShowTheirMolecule) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle u = SeifertAtom(table, kBaseDisk, {{2, 1}, {3, 1}});
  THandle w = SeifertAtom(table, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(table, u, w, 0, 1, 1, 0);
  TManifoldDescription compound;
  BuildDescriptionFromMolecule(compound, table, -1);
  ASSERT_EQ(compound.GetTypeCode(), kCompoundCode);
  const std::string text = Report(compound);
  EXPECT_NE(text.find("Compound"), std::string::npos) << text;
  EXPECT_NE(text.find("Seifert atom"), std::string::npos) << text;
  EXPECT_NE(text.find("(D^2,(2,1),(3,1) )"), std::string::npos) << text;

  TManifoldDescription lens;
  lens.SetLensCode(5, 2);
  EXPECT_EQ(Report(lens), "Manifold is\r\n\tL(5,2)\tH_1=Z_2\r\n");
}

// What was cut off follows the name, except what the name says already.
TEST(ResultPrinter, TheSummaryLineAddsWhatWasCutOff) {
  struct TCase {
    bool lens;
    int balls, s2xs1, solidTori;
    const char* line;
  };
  for (const TCase& c : {TCase{true, 0, 0, 1, "L(5,2)          #SolidTorus"},
                         TCase{true, 1, 1, 2, "L(5,2)          #S^2XS^1#2 SolidTori#1D^3"},
                         TCase{false, 2, 0, 0, "S^3          #2D^3"},
                         TCase{false, 0, 1, 0, "S^2xS^1"},
                         TCase{false, 0, 0, 1, "Solid torus"},
                         TCase{false, 0, 2, 0, "          2S^2XS^1"},
                         TCase{false, 0, 1, 1, "          S^2XS^1#SolidTorus"}}) {
    TManifoldDescription d;
    if (c.lens)
      d.SetLensCode(5, 2);
    else
      d.SetTrivialCode();
    d.SetBoundaryCounts(c.balls, c.s2xs1, c.solidTori);
    EXPECT_EQ(Report(d, ""), std::string("Manifold is\r\n\t") + c.line + "\r\n");
  }
}

// A Dehn filling shows its volume, not its geometry; a failed volume says so.
TEST(ResultPrinter, FillingsShowTheirVolume) {
  const TTableRecord* record = LoadAtomTable().Record(1);
  ASSERT_NE(record, nullptr);
  TManifoldDescription d;
  d.SetPieceCode(BuildFilledAtomCode(*record, 5, 1));
  d.AddVolume(0.9813688288922);
  EXPECT_EQ(Report(d, ""), "Manifold is\r\n\tDehn filling Q2_2(5,1)\tVolume=0.981368828892\r\n");
  TManifoldDescription failed;
  failed.SetPieceCode(BuildFilledAtomCode(*record, 5, 1));
  failed.MarkVolumeFailed();
  EXPECT_EQ(Report(failed, ""),
            "Manifold is\r\n\tDehn filling Q2_2(5,1)\tCalculation of hyperbolic volume failed\r\n");
}

// A connected sum has a summary line too, after its heading: what was cut
// off (unless the setting leaves the balls out), a geometry only when the
// sum has one (RP^3 # RP^3 is S^2xR; other sums are nongeometric and say
// nothing), then the homology. One of several presentations listed together
// (report type 3) keeps only the homology.
TEST(ResultPrinter, AConnectedSumHasASummaryLine) {
  TScopedModelHeap heap;
  const auto lensesOwned = LensSum(5, 2, 3, 1, 2);
  const auto projectiveOwned = LensSum(2, 1, 2, 1, 0);
  const TManifoldDescription& lenses = *lensesOwned;
  const TManifoldDescription& projective = *projectiveOwned;
  ASSERT_EQ(lenses.CountSummands(), 2);
  const std::string items = "\tItem 1  - L(3,1)\r\n\tItem 2  - L(5,2)\r\n";
  struct TCase {
    const TManifoldDescription* sum;
    int reportType;
    bool ignoreBalls;
    std::string expected;
  };
  const TCase cases[] = {
      {&lenses, 1, false, "Manifold is a connected sum of 2 items :          #2D^3\tH_1=Z_15\r\n" + items},
      {&lenses, 2, false, "A connected sum of 2 items :          #2D^3\tH_1=Z_15\r\n" + items},
      {&lenses, 1, true, "Manifold is a connected sum of 2 items :\tH_1=Z_15\r\n" + items},
      {&lenses, 3, false, "A connected sum of 2 items :\tH_1=Z_15\r\n" + items},
      {&projective, 2, false,
       "A connected sum of 2 items : S^2xR\t\tH_1=Z_15\r\n\tItem 1  - RP^3\r\n\tItem 2  - RP^3\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Report(*c.sum, "H_1=Z_15", c.reportType, c.ignoreBalls), c.expected);
  }
}

// A reducible prime manifold keeps its geometry (S^2xS^1 is S^2xR); a
// reducible one that is nongeometric is not called so.
TEST(ResultPrinter, OnlyAGeometricReducibleManifoldNamesItsGeometry) {
  TScopedModelHeap heap;
  for (const int s2xs1 : {1, 2}) {
    TManifoldDescription d;
    d.SetTrivialCode();
    d.SetBoundaryCounts(0, s2xs1, 0);
    ClassifyGeometry(d);
    const std::string text = Report(d, "");
    SCOPED_TRACE(text);
    EXPECT_EQ(text.find("Nongeometric"), std::string::npos);
    EXPECT_EQ(text.find("S^2xR") != std::string::npos, s2xs1 == 1);
  }
}
