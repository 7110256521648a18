#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/piece_code.h"
#include "support/model_heap.h"

namespace {

TPieceCode Lens(int p, int q, int balls = 0) {
  TPieceCode code = BuildLensCode(p, q);
  code.SetWord(kCodeBallCount, balls);
  return code;
}

int Reverse(int answer) { return answer == kCodeLess ? kCodeGreater : answer == kCodeGreater ? kCodeLess : answer; }

}  // namespace

TEST(PieceCode, FreshAndTrivialHeaders) {
  TPieceCode fresh;
  EXPECT_EQ(fresh.Size(), 16);
  EXPECT_EQ(fresh.Word(kCodeCompareLength), -1);
  EXPECT_EQ(UpdateChecksum(fresh), -1);  // word 11 = -1, the rest 0

  TPieceCode trivial = BuildTrivialCode();
  EXPECT_EQ(trivial.Word(kCodeCompareLength), 16);
  EXPECT_EQ(trivial.Word(kCodeChecksum), 0);  // -1 + type 1
  EXPECT_EQ(trivial.Type(), kTrivialCode);

  TPieceCode lens = BuildLensCode(7, 2);
  EXPECT_EQ(lens.Size(), 18);
  EXPECT_EQ(lens.Word(16), 7);
  EXPECT_EQ(lens.Word(17), 2);
  EXPECT_EQ(lens.Word(kCodeChecksum), -1 + 2 + 7 + 2);
}

// Comparisons answer consistently over a table of codes: antisymmetric, and
// transitive on the strict order.
TEST(PieceCode, ComparisonsAreAnOrderOverATable) {
  const std::int32_t identity[4] = {1, 0, 0, 1};
  const std::int32_t anosov[4] = {2, 1, 1, 1};
  std::vector<TPieceCode> codes{BuildTrivialCode(), Lens(5, 1),        Lens(5, 2),
                                Lens(7, 2),         Lens(5, 2, 1),     BuildBundleMatrixCode(identity),
                                BuildBundleMatrixCode(anosov),         BuildBundleCode({1, -2}, anosov),
                                BuildUnrecognizedCode(0, 3)};
  const std::size_t n = codes.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const int ij = ComparePieceCodes(codes[i], codes[j]);
      EXPECT_EQ(ij, Reverse(ComparePieceCodes(codes[j], codes[i]))) << i << " " << j;
      if (i != j && codes[i].Type() != kUnrecognizedCode) {
        EXPECT_NE(ij, kCodeEqual) << i << " " << j;
      }
      for (std::size_t k = 0; k < n; ++k) {
        if (ij == kCodeLess && ComparePieceCodes(codes[j], codes[k]) == kCodeLess) {
          EXPECT_EQ(ComparePieceCodes(codes[i], codes[k]), kCodeLess) << i << " " << j << " " << k;
        }
      }
    }
  }
  EXPECT_EQ(ComparePieceCodes(Lens(5, 2), Lens(5, 2)), kCodeEqual);
  EXPECT_EQ(ComparePieceCodes(Lens(5, 1), Lens(5, 2)), kCodeLess);
  EXPECT_EQ(ComparePieceCodes(Lens(7, 1), Lens(5, 2)), kCodeGreater);
}

// The reducibility cache (word 11) not yet filled is no part of what a code
// describes: a code whose cache was filled compares as the fresh code of the
// manifold, in both directions, and still orders by the words after it.
// Known on both sides, it orders irreducible codes first.
TEST(PieceCode, TheReducibilityCacheTakesNoPartInComparisons) {
  for (const std::int32_t cache : {0, 1}) {
    SCOPED_TRACE(cache);
    TPieceCode filled = Lens(5, 2);
    filled.SetWord(kCodeReducibleCache, cache);
    UpdateChecksum(filled);
    EXPECT_EQ(ComparePieceCodes(filled, Lens(5, 2)), kCodeEqual);
    EXPECT_EQ(ComparePieceCodes(Lens(5, 2), filled), kCodeEqual);
    EXPECT_EQ(ComparePieceCodes(filled, Lens(7, 2)), kCodeLess);
    EXPECT_EQ(ComparePieceCodes(filled, Lens(5, 1)), kCodeGreater);
  }
  TPieceCode irreducible = Lens(7, 2);
  irreducible.SetWord(kCodeReducibleCache, 0);
  TPieceCode reducible = Lens(5, 2);
  reducible.SetWord(kCodeReducibleCache, 1);
  EXPECT_EQ(ComparePieceCodes(irreducible, reducible), kCodeLess);
  EXPECT_EQ(ComparePieceCodes(reducible, irreducible), kCodeGreater);
  // Known on both sides and different, for one manifold (a stored summand's
  // 1 beside a fresh 0): still equal, and the ball count still decides.
  TPieceCode computed = Lens(5, 2);
  computed.SetWord(kCodeReducibleCache, 0);
  EXPECT_EQ(ComparePieceCodes(reducible, computed), kCodeEqual);
  EXPECT_EQ(ComparePieceCodes(computed, reducible), kCodeEqual);
  TPieceCode punctured = Lens(5, 2, 1);
  punctured.SetWord(kCodeReducibleCache, 0);
  EXPECT_EQ(ComparePieceCodes(reducible, punctured), kCodeLess);
}

TEST(PieceCode, TheBallCountDecidesOnlyForSomeTypes) {
  EXPECT_EQ(ComparePieceCodes(Lens(5, 2, 0), Lens(5, 2, 1)), kCodeLess);
  EXPECT_EQ(ComparePieceCodes(Lens(5, 2, 2), Lens(5, 2, 1)), kCodeGreater);
  TPieceCode a = BuildUnrecognizedCode(0, 4);
  TPieceCode b = BuildUnrecognizedCode(0, 4);
  a.SetWord(kCodeType, 9);
  b.SetWord(kCodeType, 9);
  b.SetWord(kCodeBallCount, 1);
  EXPECT_EQ(ComparePieceCodes(a, b), kCodeUndecided);
  // The heads include word 10.
  EXPECT_EQ(CompareCodeHeads(a, b), kCodeLess);
}

TEST(PieceCode, SeifertAtomCodeAndItsPairs) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle v(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, kBaseSphere);
  for (auto [a, b] : {std::pair{2, 1}, {3, 1}, {5, 1}, {1, -1}}) TMoleculeVertex::AddPair(v, a, b);
  TPieceCode code = BuildPieceCode(v, 1);
  ASSERT_EQ(code.Size(), 2 * 4 + 27);
  EXPECT_EQ(code.Type(), kSeifertCode);
  EXPECT_EQ(code.Word(22), 1);
  EXPECT_EQ(code.Word(23), 0);   // no boundary circles
  EXPECT_EQ(code.Word(24), 0);   // orientable
  EXPECT_EQ(code.Word(25), -2);  // minus the Euler characteristic
  EXPECT_EQ(code.Word(26), 4);
  const std::vector<std::int32_t> tail(code.Words().begin() + 27, code.Words().end());
  EXPECT_EQ(tail, (std::vector<std::int32_t>{2, 3, 5, 1, 1, 1, 1, -1}));
  // Mode 2 forgets the regular fibre's twist.
  EXPECT_EQ(BuildPieceCode(v, 2).Words().back(), 0);

  // Special atoms sort apart: virtual below, table atoms above.
  THandle virtualAtom(table.NewAtom(kVirtualAtom));
  THandle tableAtom(table.NewAtom(kExceptionalAtom));
  EXPECT_EQ(ComparePieceCodes(BuildPieceCode(virtualAtom, 1), code), kCodeLess);
  EXPECT_EQ(ComparePieceCodes(BuildPieceCode(tableAtom, 1), code), kCodeGreater);
}

TEST(PieceCode, InvariantsOfASpineRecordJoinItsComparedPart) {
  TSpineRecordCounts counts;
  counts.complexity = 6;
  counts.vertices = 2;
  counts.signatureComparable = true;
  TPieceCode a = BuildSpineRecordCode(counts);
  AppendTextBlock(a, "spine text", "gLLPQccdfeefqj");
  TPieceCode b = a;
  AppendInvariants(a, {3, 5});
  AppendInvariants(b, {3, 7});
  EXPECT_STREQ(GetPieceCodeText(a), "spine text");
  EXPECT_STREQ(GetPieceCodeSecondText(a), "gLLPQccdfeefqj");
  std::vector<std::int32_t> values;
  ASSERT_EQ(GetInvariants(a, values), 1);
  EXPECT_EQ(values, (std::vector<std::int32_t>{3, 5}));
  EXPECT_EQ(ComparePieceCodes(a, b), kCodeLess);
  EXPECT_EQ(CompareSpineRecords(b, a), kCodeGreater);

  // A second block is refused.
  const std::vector<std::int32_t> before = a.Words();
  AppendInvariants(a, {9});
  EXPECT_EQ(a.Words(), before);

  // Another type keeps the block behind its compared part.
  TPieceCode lens = BuildLensCode(5, 2);
  AppendInvariants(lens, {4});
  EXPECT_EQ(lens.Word(kCodeInvariantOffset), 18);
  EXPECT_EQ(ComparePieceCodes(lens, BuildLensCode(5, 2)), kCodeEqual);
}

TEST(PieceCode, SpineRecordsAndUnrecognizedCodes) {
  TSpineRecordCounts counts;
  counts.complexity = 5;
  counts.signatureComparable = true;
  TPieceCode a = BuildSpineRecordCode(counts);
  TPieceCode b = BuildSpineRecordCode(counts);
  AppendTextBlock(a, "x", "fLQcbcdeeelv");
  AppendTextBlock(b, "y", "fLQcbcdeeelv");
  EXPECT_EQ(CompareSpineRecords(a, b), kCodeEqual);
  TPieceCode c = BuildSpineRecordCode(counts);
  AppendTextBlock(c, "z", "");  // no signature: no longer comparable by it
  EXPECT_EQ(IsSignatureComparable(c), 0);
  EXPECT_EQ(CompareSpineRecords(c, c), kCodeGreater);

  TPieceCode u = BuildUnrecognizedCode(1, 5);
  EXPECT_EQ(CompareSpineRecords(u, u), kCodeGreater);  // never equal
  EXPECT_EQ(CompareSpineRecords(a, u), kCodeLess);
  EXPECT_EQ(CompareSpineRecords(u, a), kCodeGreater);
}

TEST(PieceCode, FilledAtomsNamingACensusEntryComeFirst) {
  TPieceCode filled(BuildLensCode(0, 0));
  filled.SetWord(kCodeType, kFilledAtomCode);
  TPieceCode census;
  census.Resize(57);
  census.SetWord(kCodeType, kMultiFilledAtomCode);
  census.SetWord(16, -3);
  census.SetWord(19, 2);
  census.Finish();
  TPieceCode plain = census;
  plain.SetWord(16, 0);
  plain.SetWord(19, 3);
  TPieceCode census3 = census;
  census3.SetWord(19, 3);
  EXPECT_EQ(CompareFilledAtoms(census, filled), kCodeLess);
  EXPECT_EQ(CompareFilledAtoms(filled, census), kCodeGreater);
  EXPECT_EQ(CompareFilledAtoms(census3, census), kCodeLess);  // more tori first
  EXPECT_EQ(CompareFilledAtoms(filled, plain), kCodeLess);    // fewer tori first
}

TEST(PieceCode, VolumeStates) {
  TPieceCode code = BuildTrivialCode();
  EXPECT_EQ(VolumeState(code), 0);
  EXPECT_EQ(GetVolumeValue(code), -1);
  TPieceCode known = code;
  AppendVolume(known, 0.9427);
  EXPECT_EQ(VolumeState(known), 1);
  EXPECT_DOUBLE_EQ(GetVolumeValue(known), 0.9427);
  EXPECT_EQ(known.Word(kCodeChecksum), code.Word(kCodeChecksum));
  EXPECT_EQ(ComparePieceCodes(known, code), kCodeEqual);
  MarkVolumeFailed(code);
  EXPECT_EQ(VolumeState(code), 2);
  EXPECT_EQ(GetVolumeValue(code), -1);
}
