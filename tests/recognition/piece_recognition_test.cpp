#include "recognition/piece_recognition.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "recognition/anosov_form.h"
#include "molecule_fixture.h"
#include "support/model_heap.h"

namespace {

struct TPair {
  int a;
  int b;
};

std::unique_ptr<TObjectTable> LoneSeifert(int base, std::initializer_list<std::pair<int, int>> fibres) {
  auto table = std::make_unique<TObjectTable>();
  SeifertAtom(*table, base, fibres);
  return table;
}

// An annulus glued to itself by the monodromy (as the moves leave a torus
// bundle: the gluing is the monodromy with its first column negated).
std::unique_ptr<TObjectTable> Bundle(int m11, int m12, int m21, int m22) {
  auto table = std::make_unique<TObjectTable>();
  THandle v = SeifertAtom(*table, kBaseAnnulus, {});
  Glue(*table, v, v, -m11, m12, -m21, m22);
  return table;
}

std::string Name(TManifoldDescription& d) {
  TOutput out;
  d.PrintPieceName(out);
  return out.Text();
}

}  // namespace

TEST(AnosovForm, NormalFormsAndWords) {
  struct TCase {
    std::int32_t m[4];
    std::vector<std::int32_t> word;
    std::int32_t normal[4];
  };
  const TCase cases[] = {
      {{2, 1, 1, 1}, {1, 1}, {2, 1, 1, 1}},
      {{3, 2, 1, 1}, {1, 2}, {3, 1, 2, 1}},
      {{2, 3, 1, 2}, {1, 2}, {3, 1, 2, 1}},
      {{-2, -1, -1, -1}, {1, 1}, {-2, -1, -1, -1}},
      // Conjugate by (0 1; 1 0) and the inverse: the same class.
      {{1, 1, 1, 2}, {1, 1}, {2, 1, 1, 1}},
      {{1, -1, -1, 2}, {1, 1}, {2, 1, 1, 1}},
      // Periodic and parabolic classes.
      {{0, -1, 1, 0}, {}, {0, 1, -1, 0}},
      {{0, 1, -1, 1}, {}, {1, -1, 1, 0}},
      {{1, 0, 0, 1}, {}, {1, 0, 0, 1}},
      {{1, 0, 3, 1}, {}, {1, 3, 0, 1}},
      {{-1, -2, 0, -1}, {}, {-1, 2, 0, -1}},
  };
  for (const TCase& c : cases) {
    std::int32_t m[4] = {c.m[0], c.m[1], c.m[2], c.m[3]};
    std::vector<std::int32_t> word;
    NormalizeMonodromyMatrix(m, word);
    SCOPED_TRACE(testing::Message() << c.m[0] << " " << c.m[1] << " " << c.m[2] << " " << c.m[3]);
    EXPECT_EQ(word, c.word);
    EXPECT_EQ(std::vector<std::int32_t>(m, m + 4), std::vector<std::int32_t>(c.normal, c.normal + 4));
  }
}

TEST(AnosovForm, RunsOfTheFareyWalk) {
  TSlope arc[4];
  const std::int32_t m[4] = {3, 2, 1, 1};
  FindInvariantArc(m, arc);
  EXPECT_EQ(FareyWalkRuns(arc), (std::vector<std::int64_t>{2, 1}));
  const std::int32_t n[4] = {2, 3, 1, 2};
  FindInvariantArc(n, arc);
  EXPECT_EQ(FareyWalkRuns(arc), (std::vector<std::int64_t>{1, 1, 1}));
}

TEST(AnosovForm, OverflowIsReportedNotWrapped) {
  // Trace -2^31: the form of -M needs 2^31, one past the 32-bit range.
  std::int32_t m[4] = {0, 1, -1, INT32_MIN};
  std::vector<std::int32_t> word;
  EXPECT_THROW(NormalizeMonodromyMatrix(m, word), Out_of_Range);
  EXPECT_EQ(m[3], INT32_MIN);

  // The recogniser catches it: the bundle stays unnamed, its molecule intact.
  TScopedModelHeap heap;
  TManifoldDescription d;
  auto table = std::make_unique<TObjectTable>();
  THandle v = SeifertAtom(*table, kBaseAnnulus, {});
  Glue(*table, v, v, 0, 1, 1, INT32_MIN);
  d.SetMolecule(table.release());
  EXPECT_EQ(RecognizeTorusBundle(d), 0);
  EXPECT_EQ(d.GetTypeCode(), 0);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(d.GetMolecule()->First(kMoleculeEdgeKind)), (TIntQuad{0, 1, 1, INT32_MIN}));
}

TEST(PieceRecognition, LensSpaces) {
  struct TCase {
    std::vector<TPair> fibres;
    int p;
    int q;
  };
  const TCase cases[] = {
      {{{5, 7}}, 7, 2},  {{{1, 5}}, 5, 1},           {{{4, 5}}, 5, 1},
      {{{2, 5}}, 5, 2},  {{{3, 5}}, 5, 2},           {{{2, 1}, {2, 1}}, 4, 1},
      {{{3, 1}, {2, 1}, {1, 1}}, 11, 3}, {{{1, 0}}, 0, 1},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    auto table = std::make_unique<TObjectTable>();
    THandle v = SeifertAtom(*table, kBaseSphere, {});
    for (const TPair& f : c.fibres) TMoleculeVertex::AddPair(v, f.a, f.b);
    TManifoldDescription d;
    d.SetMolecule(table.release());
    ASSERT_EQ(RecognizeLensSpace(d), 1);
    int p = -1, q = -1;
    ASSERT_EQ(d.GetLensParameters(p, q), 1);
    EXPECT_EQ(p, c.p);
    EXPECT_EQ(q, c.q) << "p = " << c.p;
  }
}

TEST(PieceRecognition, LensSpaceDoesNotApplyElsewhere) {
  TScopedModelHeap heap;
  TManifoldDescription d;
  d.SetMolecule(LoneSeifert(kBaseSphere, {{2, 1}, {3, 1}, {5, 1}}).release());
  EXPECT_EQ(RecognizeLensSpace(d), 0);
  TManifoldDescription disc;
  disc.SetMolecule(LoneSeifert(kBaseDisk, {{2, 1}}).release());
  EXPECT_EQ(RecognizeLensSpace(disc), 0);
}

TEST(PieceRecognition, GeometryOfSeifertManifolds) {
  struct TCase {
    int base;
    std::initializer_list<std::pair<int, int>> fibres;
    int geometry;
  };
  const TCase cases[] = {
      {kBaseSphere, {{2, 1}, {3, 1}, {5, -4}}, 5},   // the Poincare sphere: Elliptic
      {kBaseSphere, {{2, -1}, {3, 1}, {7, 1}}, 7},   // Sigma(2,3,7): SL_2R
      // The Flat torus bundles of trace 0, 1 and -1 as Seifert manifolds.
      {kBaseSphere, {{2, 1}, {4, 1}, {4, -3}}, 3},
      {kBaseSphere, {{2, 1}, {3, 1}, {6, -5}}, 3},
      {kBaseSphere, {{3, 1}, {3, 1}, {3, -2}}, 3},
      {kBaseSphere, {{2, 1}, {4, 1}, {4, 1}}, 6},    // Nil
      {kBaseTorus, {}, 3},                            // T^3
      {kBaseTorus, {{1, 1}}, 6},                      // the Heisenberg nilmanifold
      {kBaseSphere, {{2, 1}, {3, 1}, {7, -5}}, 7},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TManifoldDescription d;
    d.SetMolecule(LoneSeifert(c.base, c.fibres).release());
    ASSERT_EQ(RecognizeSeifertManifold(d), 1);
    ClassifyGeometry(d);
    EXPECT_EQ(d.GetPieceCode().Word(kCodeGeometry), c.geometry) << Name(d);
  }
}

TEST(PieceRecognition, PoincareSphereName) {
  TScopedModelHeap heap;
  TManifoldDescription d;
  d.SetMolecule(LoneSeifert(kBaseSphere, {{2, 1}, {3, 1}, {5, -4}}).release());
  ASSERT_EQ(RecognizeAssembledMolecule(d), 1);
  EXPECT_EQ(Name(d), "Seifert manifold (S^2,(2,1),(3,1),(5,1),(1,-1) )");
}

TEST(PieceRecognition, TorusBundles) {
  struct TCase {
    std::int32_t m[4];
    int geometry;
    std::int32_t normal[4];
  };
  const TCase cases[] = {
      {{1, 0, 0, 1}, 3, {1, 0, 0, 1}},       {{1, 1, 0, 1}, 6, {1, 1, 0, 1}},
      {{2, 1, 1, 1}, 8, {2, 1, 1, 1}},       {{3, 1, 2, 1}, 8, {3, 1, 2, 1}},
      {{0, 1, -1, 0}, 3, {0, 1, -1, 0}},     {{-1, 0, 0, -1}, 3, {-1, 0, 0, -1}},
      {{-1, 1, 0, -1}, 6, {-1, 1, 0, -1}},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TManifoldDescription d;
    d.SetMolecule(Bundle(c.m[0], c.m[1], c.m[2], c.m[3]).release());
    ASSERT_EQ(RecognizeAssembledMolecule(d), 1);
    EXPECT_EQ(d.GetTypeCode(), kBundleCode);
    EXPECT_EQ(d.GetPieceCode().Word(kCodeGeometry), c.geometry) << Name(d);
    const TIntQuad g = TMoleculeEdge::GluingQuad(d.GetMolecule()->First(kMoleculeEdgeKind));
    EXPECT_EQ((std::vector<int>{-g.a, g.b, -g.c, g.d}),
              (std::vector<int>{c.normal[0], c.normal[1], c.normal[2], c.normal[3]}));
  }
}

TEST(PieceRecognition, ConjugateBundlesGetEqualCodes) {
  TScopedModelHeap heap;
  const std::int32_t conjugates[][4] = {{3, 2, 1, 1}, {2, 3, 1, 2}, {1, 1, 2, 3}};
  std::vector<TPieceCode> codes;
  for (const auto& m : conjugates) {
    TManifoldDescription d;
    d.SetMolecule(Bundle(m[0], m[1], m[2], m[3]).release());
    ASSERT_EQ(RecognizeTorusBundle(d), 1);
    codes.push_back(d.GetPieceCode());
  }
  for (const TPieceCode& c : codes) EXPECT_EQ(ComparePieceCodes(c, codes.front()), kCodeEqual);
}

TEST(PieceRecognition, SolveUnimodular) {
  std::int64_t x = 0, y = 0;
  ASSERT_EQ(SolveUnimodular(x, y, 5, 3), 1);
  EXPECT_EQ(5 * y - 3 * x, 1);
  ASSERT_EQ(SolveUnimodular(x, y, -5, 3), 1);
  EXPECT_EQ(y, -2);
  EXPECT_EQ(SolveUnimodular(x, y, 4, 6), 0);
  ASSERT_EQ(SolveUnimodular(x, y, 1, 9), 1);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 1);
}
