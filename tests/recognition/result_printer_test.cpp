#include "recognition/result_printer.h"

#include <gtest/gtest.h>

#include <string>

#include "molecule_fixture.h"
#include "recognition/description_building.h"
#include "support/model_heap.h"

namespace {

std::string Report(const TManifoldDescription& d) {
  TOutput output;
  PrintAssemblyResult(output, d, 1, "H_1=Z_2");
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
