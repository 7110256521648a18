// Every polygon candidate of a large family of spines, performed on a copy
// under the spine checker: closed census spines and their random 2-3
// expansions (T-moves), spines of cusped census manifolds (link exteriors,
// torus boundaries) and random orientable spines.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/polygon_move_performer.h"
#include "moves/step_loop.h"
#include "moves/t_move.h"
#include "support/census_table_support.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

struct TTally {
  std::map<int, int> done;
  std::map<int, int> refused;
};

void Sweep(const std::string& what, TSpine& spine, TTally& tally) {
  int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
  while (FindPolygonOrTMove(0, spine, kMovePolygon, cursor) == kMovePolygon) {
    SCOPED_TRACE(::testing::Message() << what << ": subtype " << cursor[0] << " surface " << cursor[1]
                                      << " edges " << cursor[2] << "," << cursor[3] << "," << cursor[4] << ","
                                      << cursor[5]);
    TSpine copy;
    spine.CopyTo(copy);
    TSpineChecker checker(copy);
    int limit = cursor[6];
    int counter = cursor[7];
    TString text;
    if (PerformPolygonMove(copy, cursor[0], cursor + 1, &limit, &counter, &text) == 0) {
      ++tally.refused[cursor[0]];
      continue;
    }
    ++tally.done[cursor[0]];
    EXPECT_TRUE(checker.Check(copy)) << text.CStr();
  }
}

// Up to `count` T-moves on edges picked at random (seeded).
bool Expand(TSpine& spine, int count, unsigned seed) {
  std::mt19937 random(seed);
  for (int t = 0; t < count; ++t) {
    std::vector<int> edges;
    for (int i = FindTMoveEdge(spine, -1); i >= 0; i = FindTMoveEdge(spine, i)) edges.push_back(i);
    if (edges.empty() || !PerformTMove(spine, edges[random() % edges.size()]).IsValid()) return false;
  }
  return true;
}

}  // namespace

TEST(PolygonMoveSweepSlow, EveryCandidateKeepsTheSpineSound) {
  InitMoveOrderTable();
  const int orientable = CurrentSpineIsOrientable.exchange(1);
  TTally tally;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample()) {
    if (entry.tetrahedra > 5) continue;
    for (int expand = 0; expand <= 2; ++expand) {
      TScopedModelHeap heap;
      TSpine spine;
      if (!LoadThickenedSpine(spine, entry.signature.c_str()) || !Expand(spine, expand, 7u + expand)) continue;
      Sweep(entry.signature + " +" + std::to_string(expand), spine, tally);
    }
  }
  for (const TCensusEntry& entry : ReadCensusTable(CensusSamplePath())) {
    TScopedModelHeap heap;
    TSpine spine;
    if (LoadThickenedSpine(spine, entry.signature.c_str())) Sweep(entry.signature, spine, tally);
  }
  for (int n = 1; n <= 5; ++n)
    for (unsigned seed = 0; seed < 100; ++seed) {
      TScopedModelHeap heap;
      TSpine spine;
      if (LoadRandomThickenedSpine(spine, n, seed))
        Sweep("random " + std::to_string(n) + "/" + std::to_string(seed), spine, tally);
    }
  CurrentSpineIsOrientable.store(orientable);
  std::string line;
  for (int s = 1; s <= 14; ++s) {
    line += " " + std::to_string(s) + ":" + std::to_string(tally.done[s]) + "/" + std::to_string(tally.refused[s]);
    EXPECT_GT(tally.done[s], 0) << "subtype " << s;
  }
  std::printf("performed/refused by subtype:%s\n", line.c_str());
}
