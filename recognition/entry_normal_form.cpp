#include "recognition/entry_normal_form.h"

#include <memory>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/entry_classification.h"
#include "recognition/graph_summand_split.h"
#include "recognition/molecule_tools.h"
#include "recognition/piece_recognition.h"

namespace {

bool IsTrivialLens(const TManifoldDescription& d) {
  int p = 0;
  int q = 0;
  return d.GetTypeCode() == kLensCode && d.GetLensParameters(p, q) != 0 && (p == 0 || p == 1);
}

// Sets the summand to the lens space L(p, q) (or S^3 for p = 1), keeping
// its counts and complexity.
void MakeLens(TManifoldDescription& d, int p, int q) {
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  d.GetBoundaryCounts(balls, s2xs1, solidTori);
  const int complexity = d.GetComplexity();
  d.SetMolecule(nullptr);
  if (p == 1) {
    d.SetTrivialCode();
  } else {
    d.SetLensCode(p, q);
  }
  d.SetComplexity(complexity);
  d.SetBoundaryCounts(balls, s2xs1, solidTori);
  ClassifyGeometry(d);
}

}  // namespace

int NormaliseSummands(std::unique_ptr<TManifoldDescription>& head) {
  if (head == nullptr) return 0;
  const int complexity = head->GetComplexity();
  int changed = 0;
  TStopPoll poll(256);
  for (TManifoldDescription* s = head.get(); s != nullptr; s = s->GetNextSummand()) {
    poll.Step();
    if (IsTrivialLens(*s)) changed |= RefineEntry(*s);
  }
  while (head->GetNextSummand() != nullptr && head->GetTypeCode() == kTrivialCode) {
    poll.Step();
    std::unique_ptr<TManifoldDescription> next = head->ReleaseNextSummand();
    int balls = 0;
    int s2xs1 = 0;
    int solidTori = 0;
    head->GetBoundaryCounts(balls, s2xs1, solidTori);
    next->AddBoundaryCounts(balls, s2xs1, solidTori);
    std::vector<std::int32_t> invariants;
    if (GetInvariants(next->GetPieceCode(), invariants) == 0 &&
        GetInvariants(head->GetPieceCode(), invariants) != 0) {
      next->AppendInvariants(invariants);
    }
    next->LowerComplexity(head->GetComplexity());
    head = std::move(next);
    changed = 1;
  }
  if (changed != 0) {
    ClassifyGeometry(*head);
    head->SetComplexity(complexity);
  }
  return changed;
}

int SplitSeifertSummand(TManifoldDescription& summand) {
  int summands = 0;
  int s2xs1Flag = 0;
  int zeroPair = 0;
  summand.IsReducible(summands, s2xs1Flag, zeroPair);
  if (zeroPair != 1 || summand.GetTypeCode() != kSeifertCode || summand.GetMolecule() == nullptr) return 0;
  const std::vector<THandle> vertices = MoleculeVertices(*summand.GetMolecule());
  if (vertices.size() != 1 || TMoleculeVertex::Classify(vertices.front()) != kBaseSphere) return 0;
  TObjectHeader* vertex = vertices.front();
  const int k = TMoleculeVertex::PairCount(vertex);
  if (k < 2 || TMoleculeVertex::PairComponent(vertex, 0, 0) != 0) return 0;
  std::vector<std::pair<int, int>> inner;
  for (int i = 1; i + 1 < k; ++i) {
    int a = 0;
    int b = 0;
    TMoleculeVertex::PairAt(vertex, i, a, b);
    inner.emplace_back(a, b);
  }
  int extraS2xS1 = 0;
  std::vector<std::pair<int, int>> lenses;
  for (const auto& [a, b] : inner) {
    if (a == 0) {
      ++extraS2xS1;
    } else {
      lenses.emplace_back(a < 0 ? -a : a, a < 0 ? -b : b);
    }
  }
  // Build the new summands before changing anything.
  std::vector<std::unique_ptr<TManifoldDescription>> added;
  for (std::size_t i = 1; i < lenses.size(); ++i) {
    auto lens = std::make_unique<TManifoldDescription>();
    MakeLens(*lens, lenses[i].first, lenses[i].second);
    lens->SetComplexity(summand.GetComplexity());
    added.push_back(std::move(lens));
  }
  if (lenses.empty()) {
    MakeLens(summand, 1, 0);
  } else {
    MakeLens(summand, lenses.front().first, lenses.front().second);
  }
  summand.AddBoundaryCounts(0, extraS2xS1, 0);
  std::unique_ptr<TManifoldDescription> following = summand.ReleaseNextSummand();
  TManifoldDescription* last = &summand;
  for (auto& lens : added) {
    TManifoldDescription* next = lens.get();
    last->SetNextSummand(std::move(lens));
    last = next;
  }
  last->SetNextSummand(std::move(following));
  return 1;
}

int NormaliseReducible(std::unique_ptr<TManifoldDescription>& head) {
  if (head == nullptr) return 0;
  int summands = 0;
  int s2xs1 = 0;
  int zeroPair = 0;
  const int reducible = head->IsReducible(summands, s2xs1, zeroPair);
  // A graph manifold with a zero-fibre piece is a connected sum too, even
  // where the reducibility test of the code looks at Seifert pieces only.
  const int type = head->GetTypeCode();
  const bool graphSum = zeroPair == 1 && (type == kCompoundCode || type == 6 || type == 11 || type == 12);
  if (reducible == 0 && !graphSum) return 0;
  // The summands are rewritten on a copy that replaces the head only once
  // every step is done: a stop (or a failure) half-way must not leave some
  // summands rewritten and others not.
  auto work = std::make_unique<TManifoldDescription>();
  head->CopyTo(*work);
  const int complexity = work->GetComplexity();
  bool handled = true;
  TStopPoll poll(64);
  for (TManifoldDescription* s = work.get(); s != nullptr; s = s->GetNextSummand()) {
    poll.Step();
    switch (s->GetTypeCode()) {
      case kTrivialCode:
        break;
      case kSeifertCode:
        if (SplitSeifertSummand(*s) == 0) RefineEntry(*s);
        break;
      case kLensCode:
      case kBundleCode:
        RefineEntry(*s);
        break;
      case kCompoundCode:
      case 6:
      case 11:
      case 12:
        // A cut summand is looked at again: it may hold another such piece,
        // or have become a Seifert summand that splits further.
        while (SplitGraphSummand(*s) != 0) {
          poll.Step();
          const int type = s->GetTypeCode();
          if (type == kSeifertCode && SplitSeifertSummand(*s) == 0) RefineEntry(*s);
          if (type == kLensCode) RefineEntry(*s);
        }
        break;
      default:
        handled = false;
        break;
    }
  }
  work->SortSummands();
  NormaliseSummands(work);
  ClassifyGeometry(*work);
  work->SetComplexity(complexity);
  if (handled) work->SetMark(1);
  // The copy holds no presentation chain; the head's goes with it.
  work->SetNextPresentation(head->ReleaseNextPresentation());
  head = std::move(work);
  return handled ? 1 : 0;
}
