#include "recognition/description_building.h"

#include <memory>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "recognition/atom_table_lookup.h"
#include "recognition/compound_code.h"
#include "recognition/molecule_code.h"
#include "recognition/molecule_tools.h"
#include "recognition/piece_recognition.h"
#include "recognition/table_atom_codes.h"
#include "model/spine.h"
#include "presentations/triangulations/iso_signature.h"
#include "shell/object_printers.h"
#include "shell/options.h"

namespace {

TPieceCode SpineRecordOf(const TObjectTable& m) {
  TSpineRecordCounts counts;
  counts.virtualAtoms = m.CountAtomsOfType(kVirtualAtom);
  counts.seifertAtoms = m.CountAtomsOfType(kSeifertAtom);
  counts.complexity = m.VertexCount();
  counts.vertices = m.CountOfKind(kMoleculeVertexKind);
  counts.edges = m.CountOfKind(kMoleculeEdgeKind);
  const bool onePiece = m.CountAtomsOfType(kExceptionalAtom) == 1;
  // The piece alone with its open tori: its spine decides equality.
  counts.signatureComparable = onePiece && counts.vertices == counts.virtualAtoms + 1;
  TPieceCode code = BuildSpineRecordCode(counts);
  const std::intptr_t spine = onePiece ? TMoleculeVertex::MarkWord(m.NthExceptionalAtom(0)) : 0;
  if (spine != 0) {
    // The piece's spine as text and its isomorphism signature (empty for a
    // spine that is not connected and special: then no longer comparable).
    TSpine& piece = *reinterpret_cast<TSpine*>(spine);
    TOutput text;
    PrintCellList(text, &piece, 2);
    TIsoSignature signature;
    AppendTextBlock(code, text.Text() != nullptr ? text.Text() : "", signature.Compute(piece, 1));
  } else if (counts.signatureComparable) {
    code.SetWord(21, 0);
    UpdateChecksum(code);
  }
  return code;
}

// The table takes pieces with one to five boundary tori; a larger piece is
// looked up only when it already holds a key.
bool TableSized(const TObjectHeader* atom) {
  return TVertex::Valency(atom) <= 5 || TMoleculeVertex::HasTriple(atom) != 0;
}

// The matrix of the atom's first torus as seen from the atom: the gluing G
// takes end 1's coordinates to end 2's, so from end 1 it is read as G^-1.
// Throws Out_of_Range when the inverse leaves the 32-bit range.
void FirstTorusMatrix(const TObjectHeader* atom, std::int32_t m[4]) {
  const TObjectHeader* edge = TVertex::EdgeAt(atom, 0);
  TIntQuad g = TMoleculeEdge::GluingQuad(edge);
  if (TEdge::End(edge, 2).Object() != atom) g = Inverted(g);
  m[0] = g.a;
  m[1] = g.b;
  m[2] = g.c;
  m[3] = g.d;
}

TObjectHeader* OtherVertex(const TObjectTable& m, const TObjectHeader* vertex) {
  for (const THandle& v : MoleculeVertices(m))
    if (v.Object() != vertex) return v.Object();
  return nullptr;
}

// The compound type of a molecule of table atoms, Seifert atoms, fillings
// and free tori; 0 when none fits.
int CompoundAtomType(int n, int v, int s, int t, int x) {
  if (n == 2 && v == 1) return kTableAtomCode;
  if (s > 0 && n == s + 1) return 6;
  if (s > 0 && t > 0 && n == s + t + 1) return 9;
  if (x >= 2) return 10;
  if (s > 0 && v > 0) return 13;
  if (s == 0 && v >= 2 && n == v + 1) return 15;
  if (s == 0 && v == 0) return kMultiFilledAtomCode;
  if (s == 0 && v == 1) return kFreeMultiFilledAtomCode;
  if (s == 0 && v >= 2) return 17;
  return 0;
}

// A molecule with several pieces around its table atoms: every exceptional
// atom must be named by the table, else 0 (nothing coded). A lone atom with
// its fillings and free tori gets its multi-torus code; the others keep
// the compound code of their type.
int IdentifyExceptionalAtoms(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  const int x = m->CountAtomsOfType(kExceptionalAtom);
  for (int i = 0; i < x; ++i) {
    TObjectHeader* atom = m->NthExceptionalAtom(i);
    if (!TableSized(atom) || RecognizeByTable(atom) == 0) return 0;
  }
  const int n = m->CountOfKind(kMoleculeVertexKind);
  const int v = m->CountAtomsOfType(kVirtualAtom);
  const int s = m->CountAtomsOfType(kSeifertAtom);
  const int t = m->CountAtomsOfType(kSolidTorusAtom);
  const int type = CompoundAtomType(n, v, s, t, x);
  if (type == 0 || BuildCompoundCode(description, type) == 0) return 0;
  if (x > 1 || s > 0 || v > 1) return 1;
  if (type == kMultiFilledAtomCode || type == kFreeMultiFilledAtomCode) {
    TPieceCode code = BuildMultiFilledAtomCode(description.GetMolecule()->NthExceptionalAtom(0));
    if (code.Type() != 0) description.SetPieceCode(code);
  }
  return 1;
}

}  // namespace

int RecognizeExceptionalAtoms(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  if (m == nullptr) return 0;
  const int exceptional = m->CountAtomsOfType(kExceptionalAtom);
  if (exceptional == 0) return 0;
  const int vertices = m->CountOfKind(kMoleculeVertexKind);
  TObjectHeader* atom = m->NthExceptionalAtom(0);
  // A closed piece (no torus) or one too large for the table is kept whole.
  bool named = false;
  if (vertices >= 2 && (exceptional > 1 || TableSized(atom))) {
    const TTableRecord* record = nullptr;
    if (vertices == 2 && exceptional == 1 && m->CountAtomsOfType(kSolidTorusAtom) == 1) {
      // A Dehn filling of a one-torus atom: its slope is the filling's fibre.
      // A solid torus cut off without coordinate curves carries the pair
      // (0, 0), which is no slope: such a filling names nothing, and the
      // piece is left unnamed.
      int p = 0;
      int q = 0;
      if (RecognizeByTable(atom, record) != 0 && TMoleculeVertex::PairAt(OtherVertex(*m, atom), 0, p, q) == 1 &&
          (p != 0 || q != 0)) {
        description.SetPieceCode(BuildFilledAtomCode(*record, p, q));
        named = true;
      }
    } else if (vertices == 2 && exceptional == 1 && m->CountAtomsOfType(kVirtualAtom) == 1) {
      // The atom with its torus free: the compound code puts the molecule in
      // order, then the code names the record and the torus's matrix.
      if (RecognizeByTable(atom, record) != 0 && BuildCompoundCode(description, kTableAtomCode) != 0) {
        try {
          std::int32_t matrix[4];
          FirstTorusMatrix(description.GetMolecule()->NthExceptionalAtom(0), matrix);
          description.SetPieceCode(BuildTableAtomCode(*record, matrix));
          named = true;
        } catch (const Out_of_Range&) {
        }
      }
    } else {
      named = IdentifyExceptionalAtoms(description) != 0;
    }
  }
  // Not identified: the description keeps the spine record of the whole.
  if (!named) description.SetPieceCode(SpineRecordOf(*description.GetMolecule()));
  return 1;
}

void BuildDescriptionFromMolecule(TManifoldDescription& description, const TObjectTable& molecule,
                                  int maxSummands, int depth, bool ignoreAddedBalls) {
  if (description.GetNextPresentation() != nullptr) {
    BuildDescriptionFromMolecule(*description.GetNextPresentation(), molecule, maxSummands, 0, ignoreAddedBalls);
    return;
  }
  if (description.GetMolecule() != nullptr) {
    description.SetNextPresentation(std::make_unique<TManifoldDescription>());
    BuildDescriptionFromMolecule(*description.GetNextPresentation(), molecule, maxSummands, 0, ignoreAddedBalls);
    return;
  }
  auto copy = std::make_unique<TObjectTable>();
  molecule.CopyTo(*copy, nullptr, 2);
  copy->SetOwnerSpine(nullptr);
  copy->SetChainHead(nullptr);
  copy->SetNext(nullptr);
  const int balls =
      depth != 0 || ignoreAddedBalls ? 0 : molecule.CounterA() - (molecule.CounterB() == 0 ? 1 : 0);
  const int s2xs1 = molecule.CounterC();
  const int solidTori = molecule.CounterB();
  description.SetMolecule(copy.release());
  if (description.GetMolecule()->IsEmpty() != 0) {
    description.SetTrivialCode();
  } else if (RecognizeExceptionalAtoms(description) == 0) {
    int done = RecognizeLensSpace(description);
    if (done == 0) done = RecognizeSeifertManifold(description);
    if (done == 0) done = RecognizeTorusBundle(description);
    if (done == 0) done = RecognizeWithVirtualVertices(description);
    if (done == 0) BuildCompoundCode(description, kCompoundCode);
  }
  TPieceCode code = description.GetPieceCode();
  code.SetWord(kCodeComplexity, molecule.VertexCount());
  code.SetWord(kCodeS2xS1Count, code.Word(kCodeS2xS1Count) + s2xs1);
  code.SetWord(kCodeSolidTorusCount, code.Word(kCodeSolidTorusCount) + solidTori);
  code.SetWord(kCodeBallCount, balls > 0 ? balls : 0);
  description.SetPieceCode(code);
  const TObjectTable* next = molecule.Next();
  if (next != nullptr && (maxSummands == -1 || maxSummands >= 2)) {
    auto summand = std::make_unique<TManifoldDescription>();
    BuildDescriptionFromMolecule(*summand, *next, maxSummands == -1 ? -1 : maxSummands - 1, depth + 1,
                                 ignoreAddedBalls);
    description.SetNextSummand(std::move(summand));
    description.SetReducibilityAlongSummands(1);
    description.SortSummands();
  } else {
    description.IsReducible();
  }
  ClassifyGeometry(description);
}

void AddPresentationFromSpine(TManifoldDescription& description, TSpine& spine, int maxSummands) {
  std::unique_ptr<TManifoldDescription> summands = description.ReleaseNextSummand();
  description.SetMolecule(nullptr);
  const TObjectTable* molecule = spine.MoleculeTable();
  const TObjectTable empty;
  BuildDescriptionFromMolecule(description, molecule != nullptr ? *molecule : empty, maxSummands);
  TManifoldDescription* last = &description;
  while (last->GetNextSummand() != nullptr) last = last->GetNextSummand();
  last->SetNextSummand(std::move(summands));
}

void ForgetBoundaryCoordinates(TSpine& spine, const TOptionValues& options) {
  TObjectTable* m = spine.MoleculeTable();
  if (m == nullptr) return;
  const bool keep = (options.OptionsAlwaysCreateCoordinatesOnBoundaryTori != 0 || spine.SourceKind() == 4) &&
                    options.EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary != 1;
  if (keep) return;
  for (const THandle& e : MoleculeEdges(*m))
    if (TMoleculeEdge::EdgeType(e) == kVirtualMoleculeEdge) TMoleculeEdge::SetGluingValues(e, 0, 0, 0, 0);
}

TPieceCode BuildSeifertAtomCode(TSpine& spine) {
  TObjectTable* source = spine.MoleculeTable();
  if (source == nullptr) return BuildMoleculeCode(TObjectTable());
  TObjectTable copy;
  source->CopyTo(copy, nullptr, 2);
  copy.SetChainHead(nullptr);
  copy.SetNext(nullptr);
  for (const THandle& v : MoleculeVertices(copy)) {
    if (TMoleculeVertex::AtomType(v) != kSeifertAtom) continue;
    const int n = TMoleculeVertex::PairCount(v);
    for (int i = 0; i < n; ++i) {
      const int a = TMoleculeVertex::PairComponent(v, i, 0);
      if (a > 1) TMoleculeVertex::SetPairAt(v, i, 2, 1);
      if (a == 1) TMoleculeVertex::SetPairAt(v, i, 1, 0);
    }
  }
  for (const THandle& e : MoleculeEdges(copy)) TMoleculeEdge::SetGluingValues(e, 0, 1, 1, 0);
  TManifoldDescription description;
  BuildDescriptionFromMolecule(description, copy, -1);
  return BuildMoleculeCode(*description.GetMolecule());
}
