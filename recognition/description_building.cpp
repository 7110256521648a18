#include "recognition/description_building.h"

#include <memory>

#include "model/edge.h"
#include "model/molecule_vertex.h"
#include "recognition/atom_table_lookup.h"
#include "recognition/compound_code.h"
#include "recognition/molecule_code.h"
#include "recognition/molecule_tools.h"
#include "recognition/piece_recognition.h"
#include "model/spine.h"
#include "shell/options.h"

namespace {

TPieceCode SpineRecordOf(const TObjectTable& m) {
  TSpineRecordCounts counts;
  counts.virtualAtoms = m.CountAtomsOfType(kVirtualAtom);
  counts.seifertAtoms = m.CountAtomsOfType(kSeifertAtom);
  counts.complexity = m.VertexCount();
  counts.vertices = m.CountOfKind(kMoleculeVertexKind);
  counts.edges = m.CountOfKind(kMoleculeEdgeKind);
  return BuildSpineRecordCode(counts);
}

}  // namespace

int RecognizeExceptionalAtoms(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  if (m == nullptr) return 0;
  const int exceptional = m->CountAtomsOfType(kExceptionalAtom);
  if (exceptional == 0) return 0;
  const int vertices = m->CountOfKind(kMoleculeVertexKind);
  TObjectHeader* atom = m->NthExceptionalAtom(0);
  const bool tableSized = TVertex::Valency(atom) <= 5 || TMoleculeVertex::HasTriple(atom) != 0;
  // One atom with a filling or a free torus, or an atom of several cusps
  // whose tori are all free (a census manifold with two or more cusps).
  const int virtualAtoms = m->CountAtomsOfType(kVirtualAtom);
  const bool oneTorus = vertices == 2 && (m->CountAtomsOfType(kSolidTorusAtom) == 1 || virtualAtoms == 1);
  const bool freeCusps = vertices > 2 && virtualAtoms == vertices - 1;
  if (exceptional == 1 && tableSized && (oneTorus || freeCusps) && RecognizeByTable(atom) != 0) {
    // An identified atom with its filling or its free torus: the compound
    // code names the record and the gluing.
    if (BuildCompoundCode(description, kTableAtomCode) != 0) return 1;
  }
  // Not identified: the description keeps the spine record of the whole.
  description.SetPieceCode(SpineRecordOf(*m));
  return 1;
}

void BuildDescriptionFromMolecule(TManifoldDescription& description, const TObjectTable& molecule,
                                  int maxSummands, int depth) {
  if (description.GetNextPresentation() != nullptr) {
    BuildDescriptionFromMolecule(*description.GetNextPresentation(), molecule, maxSummands, 0);
    return;
  }
  if (description.GetMolecule() != nullptr) {
    description.SetNextPresentation(std::make_unique<TManifoldDescription>());
    BuildDescriptionFromMolecule(*description.GetNextPresentation(), molecule, maxSummands, 0);
    return;
  }
  auto copy = std::make_unique<TObjectTable>();
  molecule.CopyTo(*copy, nullptr, 2);
  copy->SetOwnerSpine(nullptr);
  copy->SetChainHead(nullptr);
  copy->SetNext(nullptr);
  const int balls = depth != 0 ? 0 : molecule.CounterA() - (molecule.CounterB() == 0 ? 1 : 0);
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
    BuildDescriptionFromMolecule(*summand, *next, maxSummands == -1 ? -1 : maxSummands - 1, depth + 1);
    description.SetNextSummand(std::move(summand));
    description.SetReducibilityAlongSummands(1);
    description.SortSummands();
  } else {
    description.IsReducible();
  }
  ClassifyGeometry(description);
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
