#include "recognition/result_printer.h"

#include <gtest/gtest.h>

#include <string>

#include "molecule_fixture.h"
#include "recognition/atom_table.h"
#include "recognition/description_building.h"
#include "recognition/table_atom_codes.h"
#include "support/model_heap.h"

namespace {

std::string Report(const TManifoldDescription& d, const std::string& homology = "H_1=Z_2") {
  TOutput output;
  PrintAssemblyResult(output, d, 1, homology);
  return output.Text() != nullptr ? output.Text() : "";
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
