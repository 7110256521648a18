// Table atoms in labeled molecules: recognition by key or by spine, the
// filling slope in the record's coordinates, and attaching a presentation
// with filled tori.
#include <gtest/gtest.h>

#include <string>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/vertex.h"
#include "recognition/atom_molecule.h"
#include "recognition/atom_table.h"
#include "recognition/atom_table_lookup.h"
#include "recognition/piece_code.h"
#include "shell/document_spine.h"
#include "support/description_counts.h"
#include "support/model_heap.h"

namespace {

// An exceptional atom filled by a solid torus of pair (x, y) through an
// edge of gluing g; the atom is end `atomEnd` of the edge.
struct TFilledAtom {
  TFilledAtom(TAtomTriple key, int x, int y, TIntQuad g, int atomEnd) {
    atom = table.NewAtom(kExceptionalAtom);
    filling = table.NewAtom(kSolidTorusAtom);
    TMoleculeVertex::AddPair(filling, x, y);
    edge = table.NewMoleculeEdge(kTrueMoleculeEdge);
    TEdge::SetEndVertex(edge, atomEnd == 1 ? atom : filling, 1);
    TEdge::SetEndVertex(edge, atomEnd == 1 ? filling : atom, 2);
    TMoleculeEdge::SetGluing(edge, g, 1);
    if (key.first > 0) TMoleculeVertex::SetTriple(atom, key);
  }
  TScopedModelHeap heap;
  TObjectTable table;
  TObjectHeader* atom = nullptr;
  TObjectHeader* filling = nullptr;
  TObjectHeader* edge = nullptr;
};

TEST(AtomMolecule, AFilledAtomGivenByItsKeyGetsItsSlopeInTheRecordsCoordinates) {
  const TAtomTable& table = LoadAtomTable();
  struct TCase {
    int atomEnd;
    TIntQuad gluing;
    int x, y;
    int p, q;
  };
  // From the atom, the gluing is G (atom at end 2) or G^-1 (atom at end 1);
  // the slope is unoriented.
  for (const TCase& test : {TCase{2, {1, 1, 0, 1}, 3, 1, 4, 1}, TCase{1, {1, 1, 0, 1}, 3, 1, 2, 1},
                            TCase{2, {1, 0, 0, 1}, -3, -2, 3, 2}, TCase{2, {0, 1, -1, 0}, 1, 0, 0, 1}}) {
    SCOPED_TRACE(test.atomEnd * 100 + test.x);
    TFilledAtom molecule(TAtomTriple{2, 0, 0}, test.x, test.y, test.gluing, test.atomEnd);
    const TTableRecord* record = nullptr;
    ASSERT_EQ(RecognizeByTable(molecule.atom, record), 1);
    ASSERT_NE(record, nullptr);
    int p = 0, q = 0;
    ASSERT_EQ(TMoleculeVertex::PairAt(molecule.filling, 0, p, q), 1);
    EXPECT_EQ(p, test.p);
    EXPECT_EQ(q, test.q);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(molecule.edge), (TIntQuad{1, 0, 0, 1}));
    EXPECT_EQ(table.FormatFilledAtomName(record->GetKey(), p, q),
              "Dehn filling Q2_2(" + std::to_string(test.p) + "," + std::to_string(test.q) + ")");
  }
}

// A filled atom is named by its slope; a solid torus cut off without
// coordinate curves carries the pair (0, 0), which is no slope, and leaves
// the piece unnamed (a spine record), never "Dehn filling ...(0,0)".
TEST(AtomMolecule, AFillingWithoutASlopeNamesNoFilledAtom) {
  LoadAtomTable();
  struct TCase {
    int x, y;
    int type;
  };
  for (const TCase& test : {TCase{3, 1, kFilledAtomCode}, TCase{0, 0, kSpineRecordCode}}) {
    SCOPED_TRACE(test.x);
    TFilledAtom molecule(TAtomTriple{2, 0, 0}, test.x, test.y, {1, 0, 0, 1}, 2);
    const auto d = DescribeMolecule(molecule.table);
    EXPECT_EQ(d->GetTypeCode(), test.type);
  }
}

TEST(AtomMolecule, APieceWithASpineIsNamedByItsRecordsKey) {
  TDocumentSpine document;
  TOptionValues options;
  ASSERT_EQ(document.ParseDocumentText("cPcbbbdxm", options), 1);
  TDocumentSpine::TScope scope(document);
  document.EnsureThickened();
  TObjectTable table;
  TObjectHeader* atom = table.NewAtom(kExceptionalAtom);
  TMoleculeVertex::SetMarkWord(atom, reinterpret_cast<std::intptr_t>(&document.Spine()));
  const TTableRecord* record = nullptr;
  ASSERT_EQ(RecognizeByTable(atom, record), 1);
  EXPECT_EQ(LoadAtomTable().FormatAtomName(record->GetKey()), "Q2_1");
  TAtomTriple key;
  ASSERT_EQ(TMoleculeVertex::Triple(atom, key), 1);
  EXPECT_EQ(key, (TAtomTriple{1, 0, 0}));
  EXPECT_EQ(TMoleculeVertex::MarkWord(atom), 0);
  // A vertex with neither spine nor key, or with a key past the table, stays as it was.
  TObjectHeader* unknown = table.NewAtom(kExceptionalAtom);
  EXPECT_EQ(RecognizeByTable(unknown, record), 0);
  TMoleculeVertex::SetTriple(unknown, TAtomTriple{LoadAtomTable().Count() + 1, 0, 0});
  EXPECT_EQ(RecognizeByTable(unknown, record), 0);
  EXPECT_EQ(record, nullptr);
}

TEST(AtomMolecule, AttachingALinkPresentationFillsTheToriWithoutEdges) {
  std::string error;
  const std::string text =
      "%*** Q4^2_1 sig\r\n%Next={Type4| L5a1^2_1 1: Free (1 1) (0 1) 2: Dehn Filling (5,1)}\r\n1\r\n"
      "%*** End of Q4^2_1\r\n";
  TAtomTable atoms = TAtomTable::FromText(text, error);
  ASSERT_EQ(error, "");
  const TTableRecord* link = atoms.FindTableRecord({1, 1, 0, 0, 0});
  ASSERT_NE(link, nullptr);
  TScopedModelHeap heap;
  TObjectTable molecule;
  TObjectHeader* atom = molecule.NewAtom(kExceptionalAtom);
  TObjectHeader* other = molecule.NewAtom(kSeifertAtom);
  TObjectHeader* edge = molecule.NewMoleculeEdge(kTrueMoleculeEdge);
  TEdge::SetEndVertex(edge, other, 1);
  TEdge::SetEndVertex(edge, atom, 2);
  TMoleculeEdge::SetGluing(edge, TIntQuad{0, 1, -1, 0}, 1);
  int words[3] = {0, 0, 0};
  ASSERT_EQ(AttachToVertex(atoms, *link, molecule, atom, words), 1);
  EXPECT_EQ(words[0], 2);
  EXPECT_EQ(words[1], 5);
  EXPECT_EQ(words[2], 1);
  TAtomTriple key;
  ASSERT_EQ(TMoleculeVertex::Triple(atom, key), 1);
  EXPECT_EQ(key, (TAtomTriple{1, 1, 2}));
  // torus 1: (1 1; 0 1) (0 1; -1 0)
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), (TIntQuad{-1, 1, -1, 0}));
  // torus 2: a new solid torus filled along (5,1)
  ASSERT_EQ(TVertex::Valency(atom), 2);
  TObjectHeader* added = TVertex::EdgeAt(atom, 1).Object();
  TObjectHeader* filling = TEdge::End(added, 1).Object();
  EXPECT_EQ(TMoleculeVertex::AtomType(filling), kSolidTorusAtom);
  int p = 0, q = 0;
  ASSERT_EQ(TMoleculeVertex::PairAt(filling, 0, p, q), 1);
  EXPECT_EQ(p, 5);
  EXPECT_EQ(q, 1);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(added), (TIntQuad{1, 0, 0, 1}));
  // A vertex with more edges than the record has tori is refused.
  TObjectHeader* third = molecule.NewMoleculeEdge(kTrueMoleculeEdge);
  TEdge::SetEndVertex(third, other, 1);
  TEdge::SetEndVertex(third, atom, 2);
  EXPECT_EQ(AttachToVertex(atoms, *link, molecule, atom, words), 0);
}

}  // namespace
