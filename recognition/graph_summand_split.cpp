#include "recognition/graph_summand_split.h"

#include <memory>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "model/edge.h"
#include "model/molecule_chain.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/vertex.h"
#include "recognition/description_building.h"
#include "recognition/entry_classification.h"
#include "recognition/graph_manifold_assembling.h"

namespace {

bool IsGraphType(int type) { return type == kCompoundCode || type == 6 || type == 11 || type == 12; }

// Moves every edge end at the vertex onto a new solid torus with the fibre
// (0, 1), keeping each gluing; answers the number of edge ends moved.
int CapEdgeEnds(TObjectTable& molecule, TObjectHeader* vertex) {
  std::vector<THandle> edges;
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    THandle edge = TVertex::EdgeAt(vertex, i);
    bool seen = false;
    for (const THandle& e : edges) seen = seen || e.Object() == edge.Object();
    if (!seen) edges.push_back(edge);
  }
  int ends = 0;
  TStopPoll poll(256);
  for (const THandle& edge : edges) {
    poll.Step();
    for (int end = 1; end <= 2; ++end) {
      if (TEdge::End(edge, end).Object() != vertex) continue;
      THandle cap(molecule.NewAtom(kSolidTorusAtom));
      TMoleculeVertex::AddPair(cap, 0, 1);
      TEdge::SetEndVertex(edge, cap, end);
      ++ends;
    }
  }
  return ends;
}

}  // namespace

int SplitGraphSummand(TManifoldDescription& summand) {
  int summands = 0;
  int s2xs1Flag = 0;
  int zeroPair = 0;
  summand.IsReducible(summands, s2xs1Flag, zeroPair);
  TObjectTable* molecule = summand.GetMolecule();
  if (zeroPair != 1 || !IsGraphType(summand.GetTypeCode()) || molecule == nullptr) return 0;
  // Look for the piece first: a zero pair that is not first marks nothing
  // to cut, and the summand must then keep its counts.
  TObjectHeader* piece = FindZeroPairPiece(*molecule);
  if (piece == nullptr) return 0;

  // Work on a copy, so that an overflow half-way leaves the summand intact.
  auto work = std::make_unique<TObjectTable>();
  molecule->CopyTo(*work, nullptr, 2);
  work->SetOwnerSpine(nullptr);
  piece = FindZeroPairPiece(*work);
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  summand.GetBoundaryCounts(balls, s2xs1, solidTori);
  work->SetCounterA(0);
  work->SetCounterB(0);
  work->SetCounterC(0);
  const int rank = work->CycleRank(1);

  const int ends = CapEdgeEnds(*work, piece);
  TMoleculeVertex::SetFlagC(piece, 0);
  TMoleculeVertex::SetFlagA(piece, CheckedIntSum(TMoleculeVertex::FlagA(piece), ends));

  const int components = work->Rebuild();
  s2xs1 = CheckedIntSum(s2xs1, CheckedIntDifference(rank, work->CycleRank(components)));
  FoldUnitFibres(work.get(), components);

  TObjectTableList items;
  TObjectTableList chain;
  for (TObjectTable* t = work->Next(); t != nullptr; t = t->Next()) chain.push_back(t);
  // Declared in this order so that the items go before the chain.
  TObjectTableListGuard freeChain(chain);
  TObjectTableListGuard freeItems(items);
  AssembleMolecule(work.get(), &items, nullptr, components);
  if (items.empty()) return 0;

  // The build may fail on an overflow; try it apart first, so that a failure
  // leaves the summand as it was (the build is deterministic).
  {
    TManifoldDescription probe;
    BuildDescriptionFromMolecule(probe, *items.front(), components);
  }
  // Rebuilt in place: the summand keeps its name, sources and move lines.
  const int complexity = summand.GetComplexity();
  std::unique_ptr<TManifoldDescription> following = summand.ReleaseNextSummand();
  summand.SetMolecule(nullptr);
  summand.SetPieceCode(TPieceCode());
  BuildDescriptionFromMolecule(summand, *items.front(), components);
  TManifoldDescription* last = &summand;
  while (last->GetNextSummand() != nullptr) last = last->GetNextSummand();
  last->SetNextSummand(std::move(following));
  summand.AddBoundaryCounts(0, s2xs1, solidTori);
  summand.LowerComplexity(complexity);
  if (summand.GetNextSummand() != nullptr) summand.SetReducibilityAlongSummands(1);
  return 1;
}
