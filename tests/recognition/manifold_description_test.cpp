#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/output.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/fibres.h"
#include "recognition/manifold_description.h"
#include "shell/molecule_printer.h"
#include "support/model_heap.h"

namespace {

std::string Name(const TManifoldDescription& d) {
  TOutput output;
  d.PrintPieceName(output);
  return output.Text() != nullptr ? output.Text() : "";
}

}  // namespace

TEST(ManifoldDescription, ANewDescription) {
  TManifoldDescription d;
  EXPECT_EQ(d.GetTypeCode(), 0);
  EXPECT_EQ(d.GetComplexity(), 0);
  EXPECT_EQ(d.GetName(), nullptr);
  EXPECT_EQ(d.GetNextSummand(), nullptr);
  EXPECT_EQ(d.GetNextPresentation(), nullptr);
  EXPECT_EQ(d.CountSummands(), 1);
  EXPECT_EQ(d.CountTypedPresentations(), 0);
}

TEST(ManifoldDescription, LensNormalForm) {
  struct TCase {
    std::int64_t p, q;
    int stored;
  };
  const TCase cases[] = {
      {7, 5, 2}, {5, 4, 1}, {5, 2, 2}, {7, 3, 2}, {2, 1, 1}, {11, 3, 3}, {11, 4, 3},
      // q taken mod p first.
      {7, 12, 2}, {5, 9, 1}, {-7, -5, 2},
      // L(13, 5): 5^-1 = 8 mod 13, p - 8 = 5; L(13, 2) and L(13, 7) are one.
      {13, 5, 5}, {13, 7, 2},
  };
  for (const TCase& c : cases) {
    TManifoldDescription d;
    d.SetLensCode(c.p, c.q);
    int p = 0;
    int q = 0;
    ASSERT_EQ(d.GetLensParameters(p, q), 1);
    EXPECT_EQ(p, c.p < 0 ? -c.p : c.p) << c.p << "," << c.q;
    EXPECT_EQ(q, c.stored) << c.p << "," << c.q;
  }
  TManifoldDescription big;
  EXPECT_THROW(big.SetLensCode(std::int64_t{INT_MAX} + 2, 1), Out_of_Range);
}

TEST(ManifoldDescription, SimpleAndLensNames) {
  struct TCase {
    int balls, s2xs1, solidTori;
    const char* name;
    int layout;
  };
  const TCase cases[] = {
      {0, 0, 0, "S^3", 4}, {2, 0, 0, "S^3", 4}, {0, 1, 0, "S^2xS^1", 2},
      {0, 0, 1, "Solid torus", 3}, {0, 2, 0, "", 4}, {0, 1, 1, "", 4},
  };
  for (const TCase& c : cases) {
    TManifoldDescription d;
    d.SetTrivialCode();
    d.SetBoundaryCounts(c.balls, c.s2xs1, c.solidTori);
    TOutput output;
    EXPECT_EQ(d.PrintSimpleName(output), c.layout);
    EXPECT_STREQ(output.Text() != nullptr ? output.Text() : "", c.name);
  }
  TManifoldDescription lens;
  lens.SetLensCode(7, 5);
  EXPECT_EQ(Name(lens), "L(7,2)");
  lens.SetLensCode(5, 4);
  EXPECT_EQ(Name(lens), "L(5,1)");
  lens.SetLensCode(2, 1);
  EXPECT_EQ(Name(lens), "RP^3");

  TManifoldDescription bundle;
  const std::int32_t matrix[4] = {2, 1, 1, 1};
  bundle.SetPieceCode(BuildBundleMatrixCode(matrix));
  EXPECT_EQ(Name(bundle), "Stallings manifold with fiber a torus: ( 2 1 ) ( 1 1 )");
  bundle.SetPieceCode(BuildBundleCode({1, -2}, matrix));
  EXPECT_EQ(Name(bundle), "Stallings manifold with fiber a torus: ( 2 1 ) ( 1 1 )\t{1 -2 }");
}

TEST(ManifoldDescription, SeifertName) {
  TScopedModelHeap heap;
  TManifoldDescription d;
  auto* molecule = new TObjectTable;
  d.SetMolecule(molecule);
  THandle v(molecule->NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, kBaseSphere);
  AddFibre(v, 2, 1);
  AddFibre(v, 3, 1);
  AddFibre(v, 5, -4);
  NormalizeFibres(v, 1);
  d.SetPieceCode(BuildPieceCode(v, 1));
  EXPECT_EQ(Name(d), "Seifert manifold (S^2,(2,1),(3,1),(5,1),(1,-1) )");
  EXPECT_EQ(d.IsReducible(), 0);
  EXPECT_EQ(d.IsRecognized(), 1);

  // With e = 0 the last fibre is not written.
  TManifoldDescription e;
  auto* other = new TObjectTable;
  e.SetMolecule(other);
  THandle w(other->NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(w, kBaseSphere);
  AddFibre(w, 3, 1);
  AddFibre(w, 2, 1);
  AddFibre(w, 5, 6);
  AddFibre(w, 1, -1);
  NormalizeFibres(w, 1);
  e.SetPieceCode(BuildPieceCode(w, 1));
  EXPECT_EQ(Name(e), "Seifert manifold (S^2,(2,1),(3,1),(5,1) )");
}

TEST(ManifoldDescription, ReducibilityOfSumsAndSpecialPieces) {
  TScopedModelHeap heap;
  TManifoldDescription lens;
  lens.SetLensCode(5, 2);
  EXPECT_EQ(lens.IsReducible(), 0);

  // L(5,2) # L(3,1).
  TManifoldDescription sum;
  sum.SetLensCode(5, 2);
  auto second = std::make_unique<TManifoldDescription>();
  second->SetLensCode(3, 1);
  sum.SetNextSummand(std::move(second));
  int summands = 0;
  int s2xs1 = 0;
  int zeroPair = 0;
  EXPECT_EQ(sum.IsReducible(summands, s2xs1, zeroPair), 1);
  EXPECT_EQ(summands, 2);

  TManifoldDescription withHandle;
  withHandle.SetLensCode(5, 2);
  withHandle.SetBoundaryCounts(0, 1, 0);
  EXPECT_EQ(withHandle.IsReducible(), 1);

  // L(0, 1) is S^2xS^1.
  TManifoldDescription zero;
  zero.SetLensCode(0, 1);
  EXPECT_EQ(zero.IsReducible(), 1);

  // A solid torus alone is irreducible; beside a lens space it is not.
  TManifoldDescription torus;
  torus.SetTrivialCode();
  torus.SetBoundaryCounts(0, 0, 1);
  EXPECT_EQ(torus.IsReducible(), 0);
  TManifoldDescription lensAndTorus;
  lensAndTorus.SetLensCode(5, 2);
  lensAndTorus.SetBoundaryCounts(0, 0, 1);
  EXPECT_EQ(lensAndTorus.IsReducible(), 1);

  // A Seifert piece over S^2 without exceptional fibres.
  TManifoldDescription plain;
  auto* molecule = new TObjectTable;
  plain.SetMolecule(molecule);
  THandle v(molecule->NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, kBaseSphere);
  NormalizeFibres(v, 1);
  plain.SetPieceCode(BuildPieceCode(v, 1));
  EXPECT_EQ(plain.IsReducible(), 1);
}

TEST(ManifoldDescription, NamesAlongThePresentationChain) {
  TManifoldDescription head;
  head.SetNextPresentation(std::make_unique<TManifoldDescription>());
  TManifoldDescription* middle = head.GetNextPresentation();
  middle->SetNextPresentation(std::make_unique<TManifoldDescription>());
  TManifoldDescription* last = middle->GetNextPresentation();
  head.SetName("first");
  EXPECT_STREQ(last->GetName(), "first");
  middle->SetName("second");
  EXPECT_STREQ(head.GetName(), "first");
  EXPECT_STREQ(middle->GetName(), "second");
  EXPECT_STREQ(last->GetName(), "second");

  last->SetEntryText("entry");
  EXPECT_EQ(head.GetEntryText(false), nullptr);
  EXPECT_STREQ(head.GetEntryText(true), "entry");
  head.SetEntryText("head entry");  // clears the first along the chain
  EXPECT_EQ(last->GetEntryText(false), nullptr);
  EXPECT_STREQ(head.GetEntryText(false), "head entry");

  middle->SetMark(1);
  EXPECT_EQ(head.GetMark(), 1);
  EXPECT_EQ(head.CountTypedPresentations(), 0);
  last->SetLensCode(5, 2);
  EXPECT_EQ(head.CountTypedPresentations(), 1);
}

TEST(ManifoldDescription, SourcesAndMoveLines) {
  TManifoldDescription d;
  d.AddSource(1, 10, 0);
  d.AddSource(1, 10, 3);  // same name and position: nothing added
  d.AddSource(1, 11, 0);
  d.AddSource(2, 10, 0);
  EXPECT_EQ(d.CountSources(), 3);
  int name = 0;
  int position = 0;
  int sub = 0;
  ASSERT_EQ(d.GetSource(0, name, position, sub), 1);
  EXPECT_EQ(sub, 0);
  EXPECT_EQ(d.GetSource(3, name, position, sub), 0);

  d.AddMoveLine("T-move 1");
  char buffer[5];
  ASSERT_EQ(d.GetMoveLine(0, buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "T-mo");
  EXPECT_EQ(d.GetMoveLine(1, buffer, sizeof buffer), 0);
}

TEST(ManifoldDescription, CopyKeepsLongMoveLinesAndTheSummands) {
  TScopedModelHeap heap;
  TManifoldDescription d;
  d.SetLensCode(7, 2);
  d.SetName("L(7,2)");
  const std::string longLine(3000, 'x');
  d.AddMoveLine(longLine);
  d.AddSource(1, 4, 2);
  d.SetSpineText("spine");
  auto summand = std::make_unique<TManifoldDescription>();
  summand->SetLensCode(3, 1);
  d.SetNextSummand(std::move(summand));
  d.SetNextPresentation(std::make_unique<TManifoldDescription>());
  d.GetNextPresentation()->SetEntryText("from the chain");
  d.SetMolecule(new TObjectTable);
  d.GetMolecule()->NewAtom(kSeifertAtom);

  TManifoldDescription copy;
  d.CopyTo(copy);
  ASSERT_NE(copy.MoveLine(0), nullptr);
  EXPECT_EQ(*copy.MoveLine(0), longLine);
  EXPECT_STREQ(copy.GetName(), "L(7,2)");
  EXPECT_EQ(ComparePieceCodes(copy.GetPieceCode(), d.GetPieceCode()), kCodeEqual);
  EXPECT_EQ(copy.CountSummands(), 2);
  EXPECT_EQ(copy.CountSources(), 1);
  EXPECT_STREQ(copy.GetEntryText(false), "from the chain");
  EXPECT_EQ(copy.GetNextPresentation(), nullptr);
  ASSERT_NE(copy.GetMolecule(), nullptr);
  EXPECT_NE(copy.GetMolecule(), d.GetMolecule());
  EXPECT_EQ(copy.GetMolecule()->CountAtomsOfType(kSeifertAtom), 1);
}

// The exceptional atom of a spine record reads the description's code: its
// texts survive the invariants moving them, and the molecule printer shows
// the signature.
TEST(ManifoldDescription, TheSpineRecordAtomReadsTheCode) {
  TScopedModelHeap heap;
  TManifoldDescription d;
  d.SetMolecule(new TObjectTable);
  THandle atom(d.GetMolecule()->NewAtom(kExceptionalAtom));
  d.GetMolecule()->NewAtom(kVirtualAtom);
  TMoleculeVertex::SetMarkWord(atom, 1);

  TSpineRecordCounts counts;
  counts.complexity = 6;
  counts.signatureComparable = true;
  TPieceCode code = BuildSpineRecordCode(counts);
  AppendHomology(code, {5});
  AppendTextBlock(code, "the spine", "gLLPQbefefdfhr");
  d.SetPieceCode(code);
  EXPECT_EQ(TMoleculeVertex::MarkWord(atom), 0);
  EXPECT_STREQ(TMoleculeVertex::PieceCodeText(atom), "the spine");

  d.AppendInvariants({3, 1, 4});
  EXPECT_EQ(TMoleculeVertex::Piece(atom), d.GetPieceCode().Words().data());
  EXPECT_STREQ(TMoleculeVertex::PieceCodeText(atom), "the spine");
  EXPECT_STREQ(TMoleculeVertex::PieceText(atom), "gLLPQbefefdfhr");
  std::vector<std::int32_t> homology;
  ASSERT_EQ(TMoleculeVertex::PieceApply(atom, homology), 1);
  EXPECT_EQ(homology, (std::vector<std::int32_t>{5}));

  TOutput output;
  PrintMoleculeVertex(output, atom);
  const std::string text = output.Text();
  EXPECT_NE(text.find("Isomorphism signature:\r\n\tgLLPQbefefdfhr"), std::string::npos) << text;

  // A copy's atom reads the copy's code.
  TManifoldDescription copy;
  d.CopyTo(copy);
  TObjectHeader* copied = copy.GetMolecule()->NthExceptionalAtom(0);
  EXPECT_EQ(TMoleculeVertex::Piece(copied), copy.GetPieceCode().Words().data());

  // Other pieces are not read as spine records.
  TPieceCode lens = BuildLensCode(5, 2);
  TMoleculeVertex::SetPiece(atom, lens.Words().data());
  EXPECT_EQ(TMoleculeVertex::PieceCodeText(atom), nullptr);
  EXPECT_EQ(TMoleculeVertex::PieceApply(atom, homology), 0);
  TMoleculeVertex::SetPiece(atom, nullptr);
}

TEST(ManifoldDescription, References) {
  TManifoldDescription d;
  TManifoldDescription first;
  TManifoldDescription second;
  d.AddReference(&first, 1, false);
  d.AddReference(&second, 2, false);  // refused: the list is not empty
  EXPECT_EQ(d.CountReferences(0), 1);
  d.AddReference(&first, 5, false);  // replaces the value
  EXPECT_EQ(d.GetReferenceValue(0), 5);
  d.AddReference(&second, 2, true);
  EXPECT_EQ(d.CountReferences(0), 2);
  EXPECT_EQ(d.CountReferences(2), 1);
  EXPECT_EQ(d.GetReference(0, 2), &second);
  EXPECT_EQ(d.GetReference(1, 2), nullptr);
  EXPECT_EQ(d.GetReferenceValue(7), 0);
  d.RemoveReference(0);
  EXPECT_EQ(d.GetReference(0, 0), &second);

  d.SetText5("first");
  d.SetText5("second");
  EXPECT_STREQ(d.GetText5(), "first");
}

TEST(ManifoldDescription, SummandsSortAndCompare) {
  TScopedModelHeap heap;
  // L(7,2) # L(3,1) with a ball on the second summand, sorted to L(3,1) # L(7,2).
  TManifoldDescription sum;
  sum.SetLensCode(7, 2);
  auto second = std::make_unique<TManifoldDescription>();
  second->SetLensCode(3, 1);
  second->SetBoundaryCounts(1, 0, 0);
  sum.SetNextSummand(std::move(second));
  sum.SortSummands();
  int p = 0;
  int q = 0;
  sum.GetLensParameters(p, q);
  EXPECT_EQ(p, 3);
  sum.GetNextSummand()->GetLensParameters(p, q);
  EXPECT_EQ(p, 7);
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  sum.GetBoundaryCounts(balls, s2xs1, solidTori);
  EXPECT_EQ(balls, 1);
  sum.GetNextSummand()->GetBoundaryCounts(balls, s2xs1, solidTori);
  EXPECT_EQ(balls, 0);
  EXPECT_EQ(sum.IsReducible(), 1);
  EXPECT_EQ(sum.GetNextSummand()->IsReducible(), 1);

  TManifoldDescription lens;
  lens.SetLensCode(7, 2);
  EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(lens, sum), kCodeLess);
  EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(sum, lens), kCodeGreater);
  TManifoldDescription other;
  other.SetLensCode(3, 1);
  auto otherSecond = std::make_unique<TManifoldDescription>();
  otherSecond->SetLensCode(7, 2);
  other.SetNextSummand(std::move(otherSecond));
  other.SetBoundaryCounts(1, 0, 0);
  // The reducibility cache is part of the compared words; a built
  // description always has it set, as sorting does.
  other.SetReducibilityAlongSummands(1);
  EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(sum, other), kCodeEqual);
}

TEST(ManifoldDescription, FindEqualPresentationWalksWhileItStandsBefore) {
  // Chain: L(5,1), L(7,2); other: L(7,2). L(5,1) is less and equally
  // irreducible, so the walk goes on and finds the second. (Built
  // descriptions have their reducibility cached, which the codes compare.)
  TManifoldDescription head;
  head.SetLensCode(5, 1);
  head.IsReducible();
  head.SetNextPresentation(std::make_unique<TManifoldDescription>());
  head.GetNextPresentation()->SetLensCode(7, 2);
  head.GetNextPresentation()->IsReducible();
  TManifoldDescription other;
  other.SetLensCode(7, 2);
  other.IsReducible();
  TManifoldDescription* found = nullptr;
  int count = 0;
  EXPECT_EQ(head.FindEqualPresentation(other, found, &count), 1);
  EXPECT_EQ(found, head.GetNextPresentation());
  EXPECT_EQ(count, 1);

  // A head greater than other stops the walk at once.
  TManifoldDescription small;
  small.SetLensCode(3, 1);
  small.IsReducible();
  found = nullptr;
  count = 0;
  EXPECT_EQ(head.FindEqualPresentation(small, found, &count), 0);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(count, 0);
}

TEST(ManifoldDescription, IsClosed) {
  TScopedModelHeap heap;
  TManifoldDescription lens;
  lens.SetLensCode(5, 2);
  int balls = 0;
  int solidTori = 0;
  EXPECT_EQ(lens.IsClosed(balls, solidTori), 1);
  TManifoldDescription torus;
  torus.SetTrivialCode();
  torus.SetBoundaryCounts(2, 0, 1);
  EXPECT_EQ(torus.IsClosed(balls, solidTori), 0);
  EXPECT_EQ(balls, 2);
  EXPECT_EQ(solidTori, 1);
  TManifoldDescription open;
  open.SetLensCode(5, 2);
  open.SetMolecule(new TObjectTable);
  open.GetMolecule()->NewAtom(kVirtualAtom);
  EXPECT_EQ(open.IsClosed(balls, solidTori), 0);
}

TEST(ManifoldDescription, VolumesAndComplexityAlongTheChains) {
  TManifoldDescription head;
  head.SetNextPresentation(std::make_unique<TManifoldDescription>());
  TManifoldDescription* next = head.GetNextPresentation();
  EXPECT_EQ(head.HasVolume(), 0);
  EXPECT_EQ(head.GetVolume(), -1);
  next->AddVolume(2.029883);
  EXPECT_EQ(head.HasVolume(), 1);
  EXPECT_DOUBLE_EQ(head.GetVolume(), 2.029883);
  EXPECT_EQ(head.GetGeometry(), 9);
  head.MarkVolumeFailed();
  EXPECT_EQ(head.HasVolume(), 2);
  EXPECT_EQ(head.GetVolume(), -1);

  TManifoldDescription sum;
  sum.SetLensCode(5, 2);
  sum.SetNextSummand(std::make_unique<TManifoldDescription>());
  sum.SetComplexity(-1);
  sum.LowerComplexity(6);
  EXPECT_EQ(sum.GetComplexity(), 6);
  EXPECT_EQ(sum.GetNextSummand()->GetComplexity(), 6);
  sum.LowerComplexity(8);
  EXPECT_EQ(sum.GetComplexity(), 6);
  sum.LowerComplexity(3);
  EXPECT_EQ(sum.GetNextSummand()->GetComplexity(), 3);
}

TEST(ManifoldDescription, CodeListsHoldEachCodeOnceAndMerge) {
  auto list = [](std::int16_t euler) {
    TPackedRecordList l;
    l.AddKeyed(true, 1, euler, false);
    return l;
  };
  TManifoldDescription head;
  EXPECT_EQ(head.GetCodeList(), nullptr);
  // An empty list makes the set but adds nothing; an equal list adds nothing.
  head.AddCode(TPackedRecordList());
  ASSERT_NE(head.GetCodeList(), nullptr);
  EXPECT_EQ(head.GetCodeList()->Count(), 0);
  head.AddCode(list(0));
  head.AddCode(list(0));
  head.AddCode(list(-2));
  EXPECT_EQ(head.GetCodeList()->Count(), 2);

  // A later presentation without a set reads the first one along its chain
  // from itself on: the head's set is not its.
  head.SetNextPresentation(std::make_unique<TManifoldDescription>());
  TManifoldDescription& second = *head.GetNextPresentation();
  EXPECT_EQ(second.GetCodeList(), nullptr);
  second.AddCode(list(-4));
  second.AddCode(list(0));
  head.MergeCodeList(second);
  EXPECT_EQ(second.GetCodeList(), nullptr);
  EXPECT_EQ(head.GetCodeList()->Count(), 3);

  // Taken over whole by a description without a set; copied by CopyTo.
  TManifoldDescription empty;
  empty.MergeCodeList(head);
  EXPECT_EQ(head.GetCodeList(), nullptr);
  ASSERT_NE(empty.GetCodeList(), nullptr);
  TManifoldDescription copy;
  empty.CopyTo(copy);
  ASSERT_NE(copy.GetCodeList(), nullptr);
  EXPECT_EQ(copy.GetCodeList()->Image(), empty.GetCodeList()->Image());
  copy.SetCodeList(nullptr);
  EXPECT_EQ(copy.GetCodeList(), nullptr);
  copy.SetCodeList(empty.GetCodeList());
  EXPECT_EQ(copy.GetCodeList()->Count(), 3);
}
