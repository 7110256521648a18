// Canonical form and classification of result-table entries.
//
// Why L(4a, 2a - 1) is Seifert fibred over RP^2: the Seifert manifold over
// the projective plane with one exceptional fibre (a, b) is a quotient of
// S^3 exactly when it is a prism manifold or a lens space; with the
// obstruction b = 1 its fundamental group is cyclic of order 4a and the
// manifold is L(4a, 2a - 1). For a = 2 this is L(8, 3), which therefore has
// two fibrations; L(8, 1) is not of this form and has only the fibration over
// the sphere.
#include "recognition/entry_classification.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "recognition/description_building.h"
#include "recognition/molecule_tools.h"
#include "recognition/piece_recognition.h"

int IsTrivialManifold(TManifoldDescription& description) {
  if (description.IsReducible() != 0) return 0;
  if (description.GetTypeCode() == kTrivialCode) return 1;
  int p = 0;
  int q = 0;
  if (description.GetLensParameters(p, q) != 0 && p >= 1 && p <= 3) return 1;
  return 0;
}

namespace {

// A molecule of one Seifert atom over the base (a base code) with the pairs.
std::unique_ptr<TObjectTable> SeifertMolecule(int base, const std::vector<std::pair<int, int>>& pairs) {
  auto molecule = std::make_unique<TObjectTable>();
  TObjectHeader* vertex = molecule->NewAtom(kSeifertAtom);
  TMoleculeVertex::ResetByType(vertex, base);
  for (const auto& [a, b] : pairs) TMoleculeVertex::AddPair(vertex, a, b);
  return molecule;
}

// A torus bundle as the recognition reads it: an atom over the annulus
// without fibres whose two boundary tori are glued by the loop's matrix.
std::unique_ptr<TObjectTable> BundleMolecule(int m11, int m12, int m21, int m22) {
  auto molecule = SeifertMolecule(kBaseAnnulus, {});
  TObjectHeader* vertex = molecule->First(kMoleculeVertexKind);
  TObjectHeader* edge = molecule->NewMoleculeEdge(kTrueMoleculeEdge);
  TMoleculeEdge::SetGluingValues(edge, m11, m12, m21, m22);
  TEdge::SetEndVertex(edge, vertex, 1);
  TEdge::SetEndVertex(edge, vertex, 2);
  return molecule;
}

bool Fits32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// The Seifert fibration of a torus bundle whose monodromy M has trace t
// with |t| <= 2 (see ClassifyBundleEntry); null for any other description.
std::unique_ptr<TObjectTable> BundleAsSeifert(const TManifoldDescription& node) {
  const TObjectTable* molecule = node.GetMolecule();
  if (node.GetTypeCode() != kBundleCode || molecule == nullptr || molecule->CountOfKind(kMoleculeEdgeKind) != 1)
    return nullptr;
  const TObjectHeader* edge = nullptr;
  for (int i = 0; i < molecule->Count() && edge == nullptr; ++i)
    if (ObjectKind(molecule->At(i)) == kMoleculeEdgeKind) edge = molecule->At(i);
  // The recognition stores the monodromy in the loop's gluing as
  // (-m11, m12; -m21, m22).
  const TIntQuad g = TMoleculeEdge::GluingQuad(edge);
  const std::int64_t m11 = -static_cast<std::int64_t>(g.a);
  const std::int64_t m12 = g.b;
  const std::int64_t m21 = -static_cast<std::int64_t>(g.c);
  const std::int64_t m22 = g.d;
  const std::int64_t trace = m11 + m22;
  if (trace < -2 || trace > 2) return nullptr;
  if (trace == 2 || trace == -2) {
    // A parabolic monodromy +-(1, m; 0, 1); the lower form +-(1, 0; c, 1) is
    // conjugate to +-(1, -c; 0, 1).
    const std::int64_t m = m12 != 0 ? m12 : -m21;
    const std::int64_t e = -m11 * m;
    if (!Fits32(e)) return nullptr;
    std::vector<std::pair<int, int>> pairs;
    if (m != 0) pairs.emplace_back(1, static_cast<int>(e));
    return SeifertMolecule(trace == 2 ? kBaseTorus : kBaseKleinBottle, pairs);
  }
  if (trace == 0) return SeifertMolecule(kBaseSphere, {{2, 1}, {4, 1}, {4, -3}});
  if (trace == 1) return SeifertMolecule(kBaseSphere, {{2, 1}, {3, 1}, {6, -5}});
  return SeifertMolecule(kBaseSphere, {{3, 1}, {3, 1}, {3, -2}});
}

// Rewrites the summand in place as the manifold of the molecule, keeping
// its counts, its complexity and the summands that follow it.
void RebuildSummand(TManifoldDescription& summand, const TObjectTable& molecule) {
  TManifoldDescription probe;  // a failure (overflow) leaves the summand as it was
  BuildDescriptionFromMolecule(probe, molecule, 1);
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  summand.GetBoundaryCounts(balls, s2xs1, solidTori);
  const int complexity = summand.GetComplexity();
  std::unique_ptr<TManifoldDescription> following = summand.ReleaseNextSummand();
  summand.SetMolecule(nullptr);
  summand.SetPieceCode(TPieceCode());
  BuildDescriptionFromMolecule(summand, molecule, 1);
  summand.SetComplexity(complexity);
  summand.SetBoundaryCounts(balls, s2xs1, solidTori);
  ClassifyGeometry(summand);
  summand.SetNextSummand(std::move(following));
}

}  // namespace

namespace {

// The single molecule vertex of a Seifert summand; null for any other shape.
TObjectHeader* SingleVertex(const TManifoldDescription& summand) {
  const TObjectTable* molecule = summand.GetMolecule();
  if (molecule == nullptr) return nullptr;
  const std::vector<THandle> vertices = MoleculeVertices(*molecule);
  return vertices.size() == 1 ? static_cast<TObjectHeader*>(vertices.front()) : nullptr;
}

// No exceptional fibre at all: no pair, or only the pair (1, 0).
bool HasNoExceptionalFibre(const TObjectHeader* vertex) {
  const int n = TMoleculeVertex::PairCount(vertex);
  if (n == 0) return true;
  int a = 0;
  int b = 0;
  return n == 1 && TMoleculeVertex::PairAt(vertex, 0, a, b) != 0 && a == 1 && b == 0;
}

// Makes the summand type 1 with its counts, plus extraS2xS1 summands.
void MakeTrivial(TManifoldDescription& summand, int extraS2xS1, bool dropMolecule) {
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  summand.GetBoundaryCounts(balls, s2xs1, solidTori);
  const int complexity = summand.GetComplexity();
  if (dropMolecule) summand.SetMolecule(nullptr);
  summand.SetTrivialCode();
  summand.SetComplexity(complexity);
  summand.SetBoundaryCounts(balls, s2xs1 + extraS2xS1, solidTori);
  ClassifyGeometry(summand);
}

// A Seifert piece over RP^2 (see the essay above): with no exceptional fibre
// it is RP^3 # RP^3; with one fibre (a, b) and obstruction b = 1 (a second
// pair (1, d) folded into b as b + a d) it is L(4a, 2a - 1). Other pieces
// over RP^2 are prism manifolds and stay Seifert (answer 0).
int RefineOverProjectivePlane(TManifoldDescription& summand, TObjectHeader* vertex) {
  const int n = TMoleculeVertex::PairCount(vertex);
  int a = 0;
  int b = 0;
  int c = 0;
  int d = 0;
  if (n > 2) return 0;
  if (n >= 1 && (TMoleculeVertex::PairAt(vertex, 0, a, b) == 0 || a == 0)) return 0;
  if (n == 2 && (TMoleculeVertex::PairAt(vertex, 1, c, d) == 0 || c != 1)) return 0;
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  summand.GetBoundaryCounts(balls, s2xs1, solidTori);
  const int complexity = summand.GetComplexity();
  if (n == 0 || (n == 1 && a == 1 && b == 0)) {
    auto second = std::make_unique<TManifoldDescription>();
    second->SetLensCode(2, 1);
    ClassifyGeometry(*second);
    summand.SetMolecule(nullptr);
    summand.SetLensCode(2, 1);
    // The summands that followed stay behind the new one.
    second->SetNextSummand(summand.ReleaseNextSummand());
    summand.SetNextSummand(std::move(second));
  } else {
    const std::int64_t twist = static_cast<std::int64_t>(b) + static_cast<std::int64_t>(a) * d;
    if (twist != 1) {
      // A prism manifold: inside a connected sum it takes its fibration over
      // the sphere, (2,1), (2,-1), (twist, a), so that every presentation of
      // the sum names it alike.
      if (!Fits32(twist)) return 0;
      RebuildSummand(summand, *SeifertMolecule(kBaseSphere, {{2, 1}, {2, -1}, {static_cast<int>(twist), a}}));
      return 1;
    }
    summand.SetMolecule(nullptr);
    summand.SetLensCode(4 * static_cast<std::int64_t>(a), 2 * static_cast<std::int64_t>(a) - 1);
  }
  summand.SetComplexity(complexity);
  summand.SetBoundaryCounts(balls, s2xs1, solidTori);
  ClassifyGeometry(summand);
  return 1;
}

}  // namespace

int RefineEntry(TManifoldDescription& summand) {
  switch (summand.GetTypeCode()) {
    case kLensCode: {
      int p = 0;
      int q = 0;
      if (summand.GetLensParameters(p, q) == 0 || (p != 0 && p != 1)) return 0;
      MakeTrivial(summand, p == 0 ? 1 : 0, false);
      return 1;
    }
    case kSeifertCode: {
      TObjectHeader* vertex = SingleVertex(summand);
      if (vertex != nullptr && TMoleculeVertex::Classify(vertex) == kBaseProjectivePlane) {
        return RefineOverProjectivePlane(summand, vertex);
      }
      if (vertex != nullptr && TMoleculeVertex::Classify(vertex) == kBaseKleinBottle && HasNoExceptionalFibre(vertex)) {
        // The flat manifold over the Klein bottle is also fibred over the
        // sphere with four fibres of multiplicity 2.
        RebuildSummand(summand, *SeifertMolecule(kBaseSphere, {{2, 1}, {2, 1}, {2, 1}, {2, -3}}));
        return 1;
      }
      if (vertex == nullptr || TMoleculeVertex::Classify(vertex) != kBaseSphere ||
          !HasNoExceptionalFibre(vertex)) {
        return 0;
      }
      MakeTrivial(summand, 1, true);
      return 1;
    }
    case kBundleCode: {
      // A torus bundle of trace at most 2 in absolute value takes its
      // Seifert fibration.
      std::unique_ptr<TObjectTable> seifert = BundleAsSeifert(summand);
      if (seifert == nullptr) return 0;
      RebuildSummand(summand, *seifert);
      return 1;
    }
    default:
      return 0;
  }
}

TManifoldDescription* AddDerivedPresentation(TManifoldDescription& node, TObjectTable* molecule) {
  std::unique_ptr<TObjectTable> owned(molecule);
  auto derived = std::make_unique<TManifoldDescription>();
  BuildDescriptionFromMolecule(*derived, *owned, -1);
  for (int i = 0; i < node.CountSources(); ++i) {
    int name = 0;
    int position = 0;
    int subposition = 0;
    node.GetSource(i, name, position, subposition);
    derived->AddSource(name, position, subposition);
  }
  derived->SetComplexity(node.GetComplexity());

  TManifoldDescription* last = &node;
  for (TManifoldDescription* p = &node; p != nullptr; p = p->GetNextPresentation()) {
    if (TManifoldDescription::CompareMoleculeNodes(*p, *derived) == kCodeEqual) return nullptr;
    last = p;
  }
  std::vector<std::int32_t> invariants;
  if (GetInvariants(node.GetPieceCode(), invariants) != 0) derived->AppendInvariants(invariants);
  TManifoldDescription* result = derived.get();
  last->SetNextPresentation(std::move(derived));
  return result;
}

int ClassifyLensEntry(TManifoldDescription& node) {
  int p = 0;
  int q = 0;
  if (node.GetLensParameters(p, q) == 0) return 1;
  if (p > 0 && p % 4 == 0 && q == p / 2 - 1) {
    auto molecule = std::make_unique<TObjectTable>();
    TObjectHeader* vertex = molecule->NewAtom(kSeifertAtom);
    TMoleculeVertex::ResetByType(vertex, kBaseProjectivePlane);
    TMoleculeVertex::AddPair(vertex, p / 4, 1);
    AddDerivedPresentation(node, molecule.release());
  }
  return 1;
}

int ClassifyBundleEntry(TManifoldDescription& node) {
  if (std::unique_ptr<TObjectTable> derived = BundleAsSeifert(node)) AddDerivedPresentation(node, derived.release());
  return 1;
}


int ClassifySeifertEntry(TManifoldDescription& node) {
  TObjectHeader* vertex = SingleVertex(node);
  if (vertex == nullptr) return 1;
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < TMoleculeVertex::PairCount(vertex); ++i) {
    int a = 0;
    int b = 0;
    TMoleculeVertex::PairAt(vertex, i, a, b);
    pairs.emplace_back(a, b);
  }
  using P = std::pair<int, int>;
  std::unique_ptr<TObjectTable> derived;
  switch (TMoleculeVertex::Classify(vertex)) {
    case kBaseSphere:
      if (pairs.size() == 4 && pairs[0] == P{2, 1} && pairs[1] == P{2, 1}) {
        const std::int64_t a = static_cast<std::int64_t>(pairs[3].second + std::int64_t{1}) * pairs[2].first +
                               pairs[2].second;
        if (Fits32(a)) derived = SeifertMolecule(kBaseProjectivePlane, {{static_cast<int>(a), pairs[2].first}});
      } else if (pairs.size() == 4 && pairs[3].second == -1) {
        const std::vector<P> three(pairs.begin(), pairs.begin() + 3);
        if (three == std::vector<P>{{2, 1}, {4, 1}, {4, 1}}) derived = BundleMolecule(0, 1, 1, 0);
        if (three == std::vector<P>{{2, 1}, {3, 1}, {6, 1}}) derived = BundleMolecule(-1, 1, 1, 0);
        if (three == std::vector<P>{{3, 1}, {3, 1}, {3, 1}}) derived = BundleMolecule(1, 1, 1, 0);
      }
      break;
    case kBaseTorus:
    case kBaseKleinBottle: {
      if (pairs.size() > 1 || (pairs.size() == 1 && pairs[0].first != 1)) break;
      const int b = pairs.empty() ? 0 : pairs[0].second;
      if (!Fits32(-static_cast<std::int64_t>(b))) break;
      derived = TMoleculeVertex::Classify(vertex) == kBaseTorus ? BundleMolecule(-1, -b, 0, 1)
                                                                  : BundleMolecule(1, b, 0, -1);
      break;
    }
    case kBaseProjectivePlane: {
      if (pairs.empty() || pairs.size() > 2 || pairs[0].first == 0) break;
      if (pairs.size() == 2 && pairs[1].first != 1) break;
      const std::int64_t a = pairs[0].first;
      const std::int64_t b = pairs[0].second + (pairs.size() == 2 ? a * pairs[1].second : 0);
      if (!Fits32(b) || !Fits32(2 * a - 1) || !Fits32(a - b)) break;
      if (b == 1 || b == -1) {
        derived = SeifertMolecule(kBaseSphere, {{2, 1}, {2, static_cast<int>(2 * a - 1)}});
      } else {
        derived = SeifertMolecule(kBaseSphere, {{2, 1}, {2, 1}, {static_cast<int>(b), static_cast<int>(a - b)}});
      }
      break;
    }
    default:
      break;
  }
  if (derived != nullptr) AddDerivedPresentation(node, derived.release());
  return 1;
}

int ClassifyEntry(TManifoldDescription& node) {
  switch (node.GetTypeCode()) {
    case kTrivialCode:
      return 1;
    case kLensCode:
      return ClassifyLensEntry(node);
    case kBundleCode:
      return ClassifyBundleEntry(node);
    case kSeifertCode:
      return ClassifySeifertEntry(node);
    case 6:
      // A compound graph manifold of this type is never taken as recognised.
      return 0;
    case 11:
    case 12:
      return 0;
    default:
      return 1;
  }
}

TObjectHeader* FindZeroPairPiece(const TObjectTable& molecule) {
  for (const THandle& v : MoleculeVertices(molecule)) {
    TObjectHeader* vertex = v;
    if (TMoleculeVertex::AtomType(vertex) == kVirtualAtom) continue;
    if (TMoleculeVertex::PairCount(vertex) == 0) continue;
    int a = 0;
    int b = 0;
    if (TMoleculeVertex::PairAt(vertex, 0, a, b) != 0 && a == 0) return vertex;
  }
  return nullptr;
}
