#include "recognition/entry_classification.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "molecule_fixture.h"
#include "recognition/description_building.h"
#include "recognition/molecule_tools.h"
#include "recognition/piece_recognition.h"
#include "support/model_heap.h"

namespace {

struct TCounts {
  int balls;
  int s2xs1;
  int solidTori;
  friend bool operator==(const TCounts&, const TCounts&) = default;
};

TCounts CountsOf(const TManifoldDescription& d) {
  TCounts c{};
  d.GetBoundaryCounts(c.balls, c.s2xs1, c.solidTori);
  return c;
}

// A type 3 summand on a single Seifert atom over the base with the fibres.
void MakeSeifertSummand(TManifoldDescription& d, int base, std::initializer_list<std::pair<int, int>> fibres) {
  auto table = std::make_unique<TObjectTable>();
  THandle v = SeifertAtom(*table, base, fibres);
  d.SetPieceCode(BuildPieceCode(v, 1));
  d.SetMolecule(table.release());
  ASSERT_EQ(d.GetTypeCode(), kSeifertCode);
}

TEST(EntryClassification, LensSpacesOfTheFormL4a2aMinus1GainTheirFibrationOverRP2) {
  TScopedModelHeap heap;
  struct TCase {
    int p, q;
    bool derived;
  };
  for (const TCase& c : {TCase{8, 3, true}, TCase{8, 1, false}, TCase{12, 5, true}, TCase{7, 2, false},
                         TCase{16, 7, true}}) {
    SCOPED_TRACE(testing::Message() << "L(" << c.p << "," << c.q << ")");
    TManifoldDescription d;
    d.SetLensCode(c.p, c.q);
    d.AddSource(1, 7, 0);
    d.SetComplexity(5);
    EXPECT_EQ(ClassifyEntry(d), 1);
    TManifoldDescription* next = d.GetNextPresentation();
    ASSERT_EQ(next != nullptr, c.derived);
    if (!c.derived) continue;
    EXPECT_EQ(next->GetTypeCode(), kSeifertCode);
    ASSERT_NE(next->GetMolecule(), nullptr);
    const auto vertices = MoleculeVertices(*next->GetMolecule());
    ASSERT_EQ(vertices.size(), 1u);
    EXPECT_EQ(TMoleculeVertex::Classify(vertices[0]), kBaseProjectivePlane);
    int a = 0, b = 0;
    ASSERT_EQ(TMoleculeVertex::PairAt(vertices[0], 0, a, b), 1);
    EXPECT_EQ(a, c.p / 4);
    EXPECT_EQ(next->GetComplexity(), 5);
    EXPECT_EQ(next->CountSources(), 1);
    // Classifying again finds the presentation in the chain and adds none.
    EXPECT_EQ(ClassifyEntry(d), 1);
    EXPECT_EQ(next->GetNextPresentation(), nullptr);
  }
}

TEST(EntryClassification, TrivialSummandsBecomeS3OrS2xS1AndKeepTheirCounts) {
  TScopedModelHeap heap;
  {
    SCOPED_TRACE("Seifert over S^2 with the fibre (1,0)");
    TManifoldDescription d;
    MakeSeifertSummand(d, kBaseSphere, {{1, 0}});
    d.SetBoundaryCounts(2, 1, 1);
    EXPECT_EQ(RefineEntry(d), 1);
    EXPECT_EQ(d.GetTypeCode(), kTrivialCode);
    EXPECT_EQ(d.GetMolecule(), nullptr);
    EXPECT_EQ(CountsOf(d), (TCounts{2, 2, 1}));
  }
  struct TLens {
    int p, q, s2xs1;
  };
  for (const TLens& c : {TLens{0, 1, 1}, TLens{1, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << "L(" << c.p << "," << c.q << ")");
    TManifoldDescription d;
    d.SetLensCode(c.p, c.q);
    d.SetBoundaryCounts(1, 0, 0);
    EXPECT_EQ(RefineEntry(d), 1);
    EXPECT_EQ(d.GetTypeCode(), kTrivialCode);
    EXPECT_EQ(CountsOf(d), (TCounts{1, c.s2xs1, 0}));
  }
}

TEST(EntryClassification, PiecesWithExceptionalFibresAreNotRefined) {
  TScopedModelHeap heap;
  TManifoldDescription fibred;
  MakeSeifertSummand(fibred, kBaseSphere, {{2, 1}, {3, 1}, {5, -4}});
  TManifoldDescription overDisk;
  MakeSeifertSummand(overDisk, kBaseDisk, {{1, 0}});
  TManifoldDescription lens;
  lens.SetLensCode(5, 2);
  for (TManifoldDescription* d : {&fibred, &overDisk, &lens}) {
    const int type = d->GetTypeCode();
    d->SetBoundaryCounts(0, 1, 0);
    EXPECT_EQ(RefineEntry(*d), 0);
    EXPECT_EQ(d->GetTypeCode(), type);
    EXPECT_EQ(CountsOf(*d), (TCounts{0, 1, 0}));
  }
}

TEST(EntryClassification, TrivialManifolds) {
  TScopedModelHeap heap;
  struct TCase {
    int p, q, trivial;
  };
  for (const TCase& c : {TCase{1, 0, 1}, TCase{2, 1, 1}, TCase{3, 1, 1}, TCase{4, 1, 0}, TCase{5, 2, 0}}) {
    TManifoldDescription d;
    d.SetLensCode(c.p, c.q);
    EXPECT_EQ(IsTrivialManifold(d), c.trivial) << "L(" << c.p << "," << c.q << ")";
  }
  TManifoldDescription sphere;
  sphere.SetTrivialCode();
  EXPECT_EQ(IsTrivialManifold(sphere), 1);
  TManifoldDescription withHandle;
  withHandle.SetTrivialCode();
  withHandle.SetBoundaryCounts(0, 1, 0);
  EXPECT_EQ(IsTrivialManifold(withHandle), 0);
}

TEST(EntryClassification, OnlyAFirstZeroPairMarksAPieceToCut) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle open(table.NewAtom(kVirtualAtom));
  THandle late = SeifertAtom(table, kBaseAnnulus, {{2, 1}, {0, 1}});
  EXPECT_EQ(FindZeroPairPiece(table), nullptr);
  THandle first = SeifertAtom(table, kBaseAnnulus, {{0, 1}, {3, 1}});
  THandle second = SeifertAtom(table, kBaseAnnulus, {{0, 1}});
  Glue(table, open, late, 1, 0, 0, 1, kVirtualMoleculeEdge);
  Glue(table, late, first, 0, 1, 1, 0);
  Glue(table, first, second, 0, 1, 1, 0);
  EXPECT_EQ(FindZeroPairPiece(table), static_cast<TObjectHeader*>(first));
}

}  // namespace

namespace {

TEST(EntryClassification, PiecesOverRP2WithoutObstructionBecomeLensSpaces) {
  TScopedModelHeap heap;
  {
    SCOPED_TRACE("fibre (2,1) over RP^2 is L(8,3)");
    TManifoldDescription d;
    MakeSeifertSummand(d, kBaseProjectivePlane, {{2, 1}});
    d.SetBoundaryCounts(0, 1, 0);
    EXPECT_EQ(RefineEntry(d), 1);
    int p = 0, q = 0;
    ASSERT_EQ(d.GetLensParameters(p, q), 1);
    EXPECT_EQ(p, 8);
    EXPECT_EQ(q, 3);
    EXPECT_EQ(d.GetMolecule(), nullptr);
    EXPECT_EQ(CountsOf(d), (TCounts{0, 1, 0}));
  }
  {
    SCOPED_TRACE("no fibre over RP^2 is RP^3 # RP^3; later summands stay behind");
    TManifoldDescription d;
    MakeSeifertSummand(d, kBaseProjectivePlane, {});
    auto rest = std::make_unique<TManifoldDescription>();
    rest->SetLensCode(5, 2);
    d.SetNextSummand(std::move(rest));
    EXPECT_EQ(RefineEntry(d), 1);
    ASSERT_EQ(d.CountSummands(), 3);
    int p = 0, q = 0;
    ASSERT_EQ(d.GetLensParameters(p, q), 1);
    EXPECT_EQ(p, 2);
    ASSERT_EQ(d.GetNextSummand()->GetLensParameters(p, q), 1);
    EXPECT_EQ(p, 2);
    ASSERT_EQ(d.GetNextSummand()->GetNextSummand()->GetLensParameters(p, q), 1);
    EXPECT_EQ(p, 5);
  }
  {
    SCOPED_TRACE("fibre (3,2) over RP^2 is a prism manifold: it takes its fibration over S^2");
    TManifoldDescription d;
    MakeSeifertSummand(d, kBaseProjectivePlane, {{3, 2}});
    d.SetBoundaryCounts(0, 1, 0);
    d.SetNextSummand(std::make_unique<TManifoldDescription>());
    d.GetNextSummand()->SetLensCode(5, 2);
    EXPECT_EQ(RefineEntry(d), 1);
    EXPECT_EQ(d.GetTypeCode(), kSeifertCode);
    ASSERT_NE(d.GetMolecule(), nullptr);
    EXPECT_EQ(TMoleculeVertex::Classify(MoleculeVertices(*d.GetMolecule())[0]), kBaseSphere);
    EXPECT_EQ(CountsOf(d), (TCounts{0, 1, 0}));
    ASSERT_NE(d.GetNextSummand(), nullptr);
    // The same as the fibration over S^2 that the classification derives.
    TManifoldDescription prism;
    MakeSeifertSummand(prism, kBaseProjectivePlane, {{3, 2}});
    ClassifyEntry(prism);
    ASSERT_NE(prism.GetNextPresentation(), nullptr);
    TManifoldDescription refined;
    MakeSeifertSummand(refined, kBaseProjectivePlane, {{3, 2}});
    ASSERT_EQ(RefineEntry(refined), 1);
    EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(refined, *prism.GetNextPresentation()), kCodeEqual);
  }
  {
    SCOPED_TRACE("the flat manifold over the Klein bottle and a torus bundle of trace 0");
    TManifoldDescription klein;
    MakeSeifertSummand(klein, kBaseKleinBottle, {});
    EXPECT_EQ(RefineEntry(klein), 1);
    EXPECT_EQ(TMoleculeVertex::Classify(MoleculeVertices(*klein.GetMolecule())[0]), kBaseSphere);
    auto molecule = std::make_unique<TObjectTable>();
    THandle v(molecule->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(v, kBaseAnnulus);
    Glue(*molecule, v, v, 0, -1, -1, 0);
    TManifoldDescription bundle;
    BuildDescriptionFromMolecule(bundle, *molecule, -1);
    ASSERT_EQ(bundle.GetTypeCode(), kBundleCode);
    EXPECT_EQ(RefineEntry(bundle), 1);
    EXPECT_EQ(bundle.GetTypeCode(), kSeifertCode);
    // An Anosov bundle stays.
    auto anosov = std::make_unique<TObjectTable>();
    THandle w(anosov->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(w, kBaseAnnulus);
    Glue(*anosov, w, w, -2, 1, -1, 1);
    TManifoldDescription hyperbolicMonodromy;
    BuildDescriptionFromMolecule(hyperbolicMonodromy, *anosov, -1);
    ASSERT_EQ(hyperbolicMonodromy.GetTypeCode(), kBundleCode);
    EXPECT_EQ(RefineEntry(hyperbolicMonodromy), 0);
  }
}

}  // namespace

// Torus bundles by the trace of their monodromy: the elliptic and parabolic
// ones gain a Seifert presentation, an Anosov one (trace 3) none.
TEST(EntryClassification, TorusBundlesOfSmallTraceGainTheirSeifertFibration) {
  TScopedModelHeap heap;
  struct TCase {
    int m11, m12, m21, m22;
    int base;  // of the derived presentation; 0: none
    int fibres;
  };
  const TCase cases[] = {
      {0, -1, 1, 0, kBaseSphere, 3},        // order 4
      {1, -1, 1, 0, kBaseSphere, 3},        // order 6
      {-1, -1, 1, 0, kBaseSphere, 3},       // order 3
      {1, 1, 0, 1, kBaseTorus, 1},          // parabolic
      {-1, 1, 0, -1, kBaseKleinBottle, 1},  // minus parabolic
      {2, 1, 1, 1, 0, 0},                   // Anosov
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.m11 << " " << c.m12 << " " << c.m21 << " " << c.m22);
    auto molecule = std::make_unique<TObjectTable>();
    THandle v(molecule->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(v, kBaseAnnulus);
    Glue(*molecule, v, v, -c.m11, c.m12, -c.m21, c.m22);
    TManifoldDescription d;
    BuildDescriptionFromMolecule(d, *molecule, -1);
    ASSERT_EQ(d.GetTypeCode(), kBundleCode);
    EXPECT_EQ(ClassifyEntry(d), 1);
    const TManifoldDescription* derived = d.GetNextPresentation();
    ASSERT_EQ(derived != nullptr, c.base != 0);
    if (derived == nullptr) continue;
    EXPECT_EQ(derived->GetTypeCode(), kSeifertCode);
    const auto vertices = MoleculeVertices(*derived->GetMolecule());
    ASSERT_EQ(vertices.size(), 1u);
    EXPECT_EQ(TMoleculeVertex::Classify(vertices[0]), c.base);
    int exceptional = 0;
    for (int i = 0; i < TMoleculeVertex::PairCount(vertices[0]); ++i)
      exceptional += TMoleculeVertex::PairComponent(vertices[0], i, 0) > 1 ? 1 : 0;
    EXPECT_EQ(exceptional, c.base == kBaseSphere ? 3 : 0);
  }
}

// Each derived presentation, classified in turn, leads back to the manifold
// it came from: the rules for bundles, Seifert manifolds and lens spaces are
// inverse to each other.
TEST(EntryClassification, DerivedPresentationsLeadBack) {
  TScopedModelHeap heap;
  auto bundle = [](int m11, int m12, int m21, int m22) {
    auto molecule = std::make_unique<TObjectTable>();
    THandle v(molecule->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(v, kBaseAnnulus);
    Glue(*molecule, v, v, -m11, m12, -m21, m22);
    return molecule;
  };
  auto seifert = [](int base, std::initializer_list<std::pair<int, int>> fibres) {
    auto molecule = std::make_unique<TObjectTable>();
    SeifertAtom(*molecule, base, fibres);
    return molecule;
  };
  struct TCase {
    const char* what;
    std::unique_ptr<TObjectTable> molecule;
  };
  std::vector<TCase> cases;
  cases.push_back({"bundle of order 4", bundle(0, -1, 1, 0)});
  cases.push_back({"bundle of order 6", bundle(1, -1, 1, 0)});
  cases.push_back({"bundle of order 3", bundle(-1, -1, 1, 0)});
  cases.push_back({"parabolic bundle", bundle(1, 3, 0, 1)});
  cases.push_back({"minus parabolic bundle", bundle(-1, 2, 0, -1)});
  cases.push_back({"prism manifold over RP^2", seifert(kBaseProjectivePlane, {{5, 2}})});
  cases.push_back({"L(12,5) over RP^2", seifert(kBaseProjectivePlane, {{3, 1}})});
  cases.push_back({"prism manifold over S^2", seifert(kBaseSphere, {{2, 1}, {2, 1}, {5, 2}})});
  for (TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TManifoldDescription original;
    BuildDescriptionFromMolecule(original, *c.molecule, -1);
    ClassifyEntry(original);
    const TManifoldDescription* derived = original.GetNextPresentation();
    ASSERT_NE(derived, nullptr);
    ASSERT_NE(derived->GetMolecule(), nullptr);
    EXPECT_NE(TManifoldDescription::CompareMoleculeNodes(original, *derived), kCodeEqual);
    TManifoldDescription again;
    BuildDescriptionFromMolecule(again, *derived->GetMolecule(), -1);
    ClassifyEntry(again);
    bool back = false;
    for (const TManifoldDescription* p = again.GetNextPresentation(); p != nullptr; p = p->GetNextPresentation())
      back = back || TManifoldDescription::CompareMoleculeNodes(*p, original) == kCodeEqual;
    EXPECT_TRUE(back) << "types " << original.GetTypeCode() << " -> " << derived->GetTypeCode();
  }
}
