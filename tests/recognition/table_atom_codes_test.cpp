// Codes and names of table atoms: filled, free and multi-torus atoms, as
// built from their records and as recognised in a molecule.
#include "recognition/table_atom_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "molecule_fixture.h"
#include "recognition/atom_table.h"
#include "recognition/description_building.h"
#include "shell/document_spine.h"
#include "shell/molecule_printer.h"
#include "shell/options.h"
#include "support/atom_record.h"
#include "support/model_heap.h"

namespace {

std::string Text(const TOutput& output) { return output.Text() != nullptr ? output.Text() : ""; }

std::string Name(const TPieceCode& code, const TAtomTable& table) {
  TOutput output;
  PrintTableAtomName(output, code, table);
  return Text(output);
}

std::string Name(const TManifoldDescription& d) {
  TOutput output;
  d.PrintPieceName(output);
  return Text(output);
}

const TTableRecord& Record(const std::string& name) { return AtomRecordNamed(name); }

// An exceptional atom holding a record's key.
THandle TableAtom(TObjectTable& table, const TTableRecord& record) {
  THandle atom(table.NewAtom(kExceptionalAtom));
  TMoleculeVertex::SetTriple(atom, TAtomTriple{record.Index(), record.SubIndex(), 0});
  return atom;
}

}  // namespace

TEST(TableAtomCodes, LayoutKeysAndNamesOfOneTorusAtoms) {
  const TAtomTable& table = LoadAtomTable();
  const TTableRecord& q22 = Record("Q2_2");
  // A record that a knot's complement presents prints as C(K).
  std::string error;
  const std::string text = "%*** Q2_1 sigA\r\n%Next={Type3| K4_1: Free (0 1) (-1 0)}\r\n1 2\r\n%*** End of Q2_1\r\n";
  TAtomTable knots = TAtomTable::FromText(text, error);
  ASSERT_EQ(error, "");
  const TTableRecord* knot = knots.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(knot, nullptr);

  const TPieceCode filled = BuildFilledAtomCode(q22, 5, -1);
  EXPECT_EQ(filled.Size(), 23);
  EXPECT_EQ(filled.Word(kCodeCompareLength), 23);
  EXPECT_EQ(filled.Type(), kFilledAtomCode);
  TWordQuintuple key;
  int p = 0;
  int q = 0;
  ASSERT_EQ(GetFilledAtom(filled, key, p, q), 1);
  EXPECT_EQ(key, q22.GetKey());
  EXPECT_EQ(p, 5);
  EXPECT_EQ(q, -1);

  const std::int32_t shear[4] = {1, 2, 0, 1};
  const TPieceCode free = BuildTableAtomCode(q22, shear);
  EXPECT_EQ(free.Size(), 25);
  // (a b; c d) is stored as (b, a, d, c).
  EXPECT_EQ(free.Word(21), 2);
  EXPECT_EQ(free.Word(22), 1);
  EXPECT_EQ(free.Word(23), 1);
  EXPECT_EQ(free.Word(24), 0);
  std::int32_t m[4];
  ASSERT_EQ(GetAtomKey(free, key, m), 1);
  EXPECT_EQ(key, q22.GetKey());
  EXPECT_EQ((std::vector<int>{m[0], m[1], m[2], m[3]}), (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(GetFilledAtom(free, key, p, q), 0);
  EXPECT_EQ(GetAtomKey(filled, key, m), 0);

  const std::int32_t zero[4] = {0, 0, 0, 0};
  // A knot's census words (1, 0, 0) put its atom before the plain records.
  const TPieceCode knotCode = BuildTableAtomCode(*knot, zero);
  EXPECT_EQ(knotCode.Word(16), -1);
  EXPECT_EQ(ComparePieceCodes(knotCode, BuildTableAtomCode(*knots.Record(0), zero)), kCodeLess);

  struct TCase {
    TPieceCode code;
    const TAtomTable* table;
    const char* name;
  };
  for (const TCase& c : {TCase{filled, &table, "Dehn filling Q2_2(5,-1)"},
                         TCase{free, &table, "Q2_2 (1 2) (0 1)"},
                         TCase{BuildTableAtomCode(q22, zero), &table, "Q2_2 ('cPcbbbiht')"},
                         TCase{BuildFilledAtomCode(*knot, 5, 1), &knots, "(K4_1;(5,1) )"},
                         TCase{BuildTableAtomCode(*knot, shear), &knots, "C(K4_1) (1 2) (0 1)"},
                         TCase{knotCode, &knots, "C(K4_1) ('sigA')"},
                         TCase{BuildLensCode(5, 2), &table, ""}}) {
    EXPECT_EQ(Name(c.code, *c.table), c.name);
  }
  // A description prints its table atom by the process-wide table.
  TManifoldDescription d;
  d.SetPieceCode(filled);
  EXPECT_EQ(Name(d), "Dehn filling Q2_2(5,-1)");
  // A key past the table names nothing.
  TPieceCode unknown = filled;
  unknown.SetWord(19, table.Count() + 1);
  d.SetPieceCode(unknown);
  EXPECT_EQ(Name(d), "");
}

TEST(TableAtomCodes, MultiTorusAtomsListTheirToriFreeOrFilled) {
  TScopedModelHeap heap;
  const TTableRecord& whitehead = Record("Q4^2_2");
  struct TCase {
    bool firstFree;
    TIntQuad gluing;  // of torus 1 when it is free
    int type;
    const char* name;
  };
  for (const TCase& c :
       {TCase{true, {1, 1, 0, 1}, kFreeMultiFilledAtomCode, "Q4^2_2 1: Free (1 1) (0 1) 2: Dehn filling (5,1)"},
        TCase{true, {0, 0, 0, 0}, kFreeMultiFilledAtomCode, "Q4^2_2 1: Free 2: Dehn filling (5,1)"},
        TCase{false, {}, kMultiFilledAtomCode, "Q4^2_2 1: Dehn filling (3,-2) 2: Dehn filling (5,1)"}}) {
    SCOPED_TRACE(c.name);
    TObjectTable table;
    THandle atom = TableAtom(table, whitehead);
    if (c.firstFree) {
      THandle open(table.NewAtom(kVirtualAtom));
      Glue(table, open, atom, c.gluing.a, c.gluing.b, c.gluing.c, c.gluing.d, kVirtualMoleculeEdge);
    } else {
      Glue(table, SolidTorusAtom(table, 3, -2), atom, 1, 0, 0, 1);
    }
    Glue(table, atom, SolidTorusAtom(table, 5, 1), 1, 0, 0, 1);
    const TPieceCode code = BuildMultiFilledAtomCode(atom);
    EXPECT_EQ(code.Size(), 57);
    EXPECT_EQ(code.Type(), c.type);
    EXPECT_EQ(code.Word(kCodeWord13), c.firstFree ? 1 : 0);
    EXPECT_EQ(code.Word(19), 2);
    // Tori past the atom's count are marked free and carry no slope.
    EXPECT_EQ(code.Word(23), 1);
    EXPECT_EQ(code.Word(28), 2147483647);
    // The filled torus 2: second and absolute first slope component.
    EXPECT_EQ(code.Word(27), 1);
    EXPECT_EQ(code.Word(32), 5);
    EXPECT_EQ(Name(code, LoadAtomTable()), c.name);
    int n = 0;
    TWordQuintuple key;
    std::int32_t m[5][4];
    ASSERT_EQ(GetFilledAtoms(code, n, key, m), 1);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(key, whitehead.GetKey());
  }
  // An atom without a key, or with more tori than a record has, gets no code.
  TObjectTable table;
  THandle bare(table.NewAtom(kExceptionalAtom));
  EXPECT_EQ(BuildMultiFilledAtomCode(bare).Type(), 0);
}

// The recogniser names an identified atom by the code of its shape: filled,
// free, or with several tori.
TEST(TableAtomCodes, IdentifiedAtomsGetTheCodeOfTheirShape) {
  TScopedModelHeap heap;
  const TTableRecord& q22 = Record("Q2_2");
  {
    TObjectTable table;
    THandle atom = TableAtom(table, q22);
    Glue(table, SolidTorusAtom(table, 3, 1), atom, 1, 0, 0, 1);
    TManifoldDescription d;
    BuildDescriptionFromMolecule(d, table, -1);
    EXPECT_EQ(d.GetTypeCode(), kFilledAtomCode);
    EXPECT_EQ(Name(d), "Dehn filling Q2_2(3,1)");
  }
  // A free torus: read from either end of its edge, one code.
  TPieceCode codes[2];
  for (int atomEnd : {1, 2}) {
    TObjectTable table;
    THandle atom = TableAtom(table, q22);
    THandle open(table.NewAtom(kVirtualAtom));
    if (atomEnd == 2)
      Glue(table, open, atom, 1, 1, 0, 1, kVirtualMoleculeEdge);
    else
      Glue(table, atom, open, 1, -1, 0, 1, kVirtualMoleculeEdge);
    TManifoldDescription d;
    BuildDescriptionFromMolecule(d, table, -1);
    ASSERT_EQ(d.GetTypeCode(), kTableAtomCode);
    EXPECT_EQ(Name(d).rfind("Q2_2", 0), 0u) << Name(d);
    codes[atomEnd - 1] = d.GetPieceCode();
  }
  EXPECT_EQ(ComparePieceCodes(codes[0], codes[1]), kCodeEqual);
  {
    // Two tori, one filled and one free: the multi-torus code.
    TObjectTable table;
    THandle atom = TableAtom(table, Record("Q4^2_2"));
    THandle open(table.NewAtom(kVirtualAtom));
    Glue(table, open, atom, 1, 0, 0, 1, kVirtualMoleculeEdge);
    Glue(table, atom, SolidTorusAtom(table, 5, 1), 1, 0, 0, 1);
    TManifoldDescription d;
    BuildDescriptionFromMolecule(d, table, -1);
    EXPECT_EQ(d.GetTypeCode(), kFreeMultiFilledAtomCode);
    EXPECT_EQ(Name(d).rfind("Q4^2_2 1: ", 0), 0u) << Name(d);
  }
}

// Of two pieces glued together one is known and one is not: the whole is
// not named as a compound of table atoms.
TEST(TableAtomCodes, AnUnknownPieceBesideAKnownOneKeepsTheSpineRecord) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle known = TableAtom(table, Record("Q2_2"));
  THandle unknown(table.NewAtom(kExceptionalAtom));
  Glue(table, known, unknown, 0, 1, 1, 0);
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, table, -1);
  EXPECT_EQ(d.GetTypeCode(), kSpineRecordCode);
}

TEST(TableAtomCodes, APieceWhoseToriDoNotMatchItsEdgesIsNotNamed) {
  TDocumentSpine document;
  TOptionValues options;
  ASSERT_EQ(document.ParseDocumentText("cPcbbbiht", options), 1);
  TDocumentSpine::TScope scope(document);
  document.EnsureThickened();
  TObjectTable table;
  // The spine of a one-torus atom standing for a piece with two tori.
  THandle atom(table.NewAtom(kExceptionalAtom));
  const auto spine = reinterpret_cast<std::intptr_t>(&document.Spine());
  TMoleculeVertex::SetMarkWord(atom, spine);
  THandle open(table.NewAtom(kVirtualAtom));
  Glue(table, open, atom, 1, 0, 0, 1, kVirtualMoleculeEdge);
  Glue(table, atom, SolidTorusAtom(table, 1, 0), 1, 0, 0, 1);
  TManifoldDescription d;
  BuildDescriptionFromMolecule(d, table, -1);
  EXPECT_EQ(d.GetTypeCode(), kSpineRecordCode);
  EXPECT_EQ(TMoleculeVertex::HasTriple(atom), 0);
  EXPECT_EQ(TMoleculeVertex::MarkWord(atom), spine);
}

TEST(TableAtomCodes, TheMoleculeReportNamesTableAtoms) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle atom = TableAtom(table, Record("Q2_2"));
  THandle open(table.NewAtom(kVirtualAtom));
  Glue(table, open, atom, 0, 0, 0, 0, kVirtualMoleculeEdge);
  THandle plain(table.NewAtom(kExceptionalAtom));
  Glue(table, plain, SolidTorusAtom(table, 2, 1), 0, 0, 0, 0);
  // Style 3 shows a known atom by its name and its spine, an unknown one by
  // its counts; the edges name the atom at their ends.
  TOutput compact;
  PrintMoleculeTable(compact, &table, 3);
  EXPECT_NE(Text(compact).find("Q2_2 ('cPcbbbiht')"), std::string::npos) << Text(compact);
  EXPECT_NE(Text(compact).find("edges 1, loops 0"), std::string::npos) << Text(compact);
  TOutput full;
  PrintMoleculeTable(full, &table, 1);
  EXPECT_NE(Text(full).find("Exceptional vertex 1 Q2_2"), std::string::npos) << Text(full);
  EXPECT_EQ(Text(full).find("('cPcbbbiht')"), std::string::npos) << Text(full);
}
