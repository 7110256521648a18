// Comparison and simplification by T-moves: known minimal vertex counts of
// lens spaces and small Seifert manifolds, equivalence of two spines of one
// manifold, "not found" between different ones, and the ends of the search.
#include "moves/t_move_search.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/details_description.h"
#include "model/edge.h"
#include "model/spine.h"
#include "moves/polyhedron_cloud.h"
#include "moves/t_move.h"
#include "presentations/triangulations/iso_signature.h"
#include "support/model_heap.h"
#include "support/random_triangulation.h"
#include "support/thick_spine_support.h"

namespace {

bool LoadMarked(TSpine& spine, const char* signature) {
  if (LoadIsoSignature(spine, signature) != 1) return false;
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(spine, false);
  return true;
}

int Vertices(const TSpine& spine) { return spine.Objects().CountOfKind(kVertexKind); }

// T-moves on `moves` edges, each away from the triangles made before, so that
// inverse moves can take them back one by one.
bool Enlarge(TSpine& spine, int moves) {
  std::vector<THandle> triangles;
  for (int m = 0; m < moves; ++m) {
    int chosen = -1;
    for (int e = FindTMoveEdge(spine, -1); e != -1 && chosen == -1; e = FindTMoveEdge(spine, e)) {
      TObjectHeader* edge = TMoveObjectAt(spine, kEdgeKind, e);
      bool away = true;
      for (const THandle& t : triangles) away = away && !EdgeBoundsCell(t, edge);
      if (away) chosen = e;
    }
    THandle triangle = PerformTMove(spine, chosen);
    if (!triangle.IsValid()) return false;
    triangles.push_back(triangle);
  }
  return true;
}

struct TMinimalCase {
  const char* name;
  const char* signature;  // a minimal census triangulation
  int vertices;
};

// Published minimal complexities: the simplification from a spine two T-moves
// larger comes back down to the minimum and never below it.
TEST(TMoveSearchTest, SimplificationReachesTheMinimalVertexCountAndNoLower) {
  const TMinimalCase cases[] = {
      {"L(5,1)", "cMcabbjxr", 2},   {"L(7,2)", "cMcabbjqw", 2},
      {"L(8,3)", "cMcabbjqs", 2},   {"S^3/Q_8", "cPcbbbqxh", 2},
      {"L(6,1)", "dLQbcbchhjs", 3}, {"L(10,3)", "dLQbcbchxjj", 3},
      {"L(13,5)", "dLQbcbchxwn", 3},
  };
  for (const TMinimalCase& c : cases) {
    SCOPED_TRACE(c.name);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadMarked(spine, c.signature));
    ASSERT_EQ(Vertices(spine), c.vertices);
    ASSERT_TRUE(Enlarge(spine, 2));
    ASSERT_EQ(Vertices(spine), c.vertices + 2);
    TPolyhedronCloud cloud;
    std::string report;
    int best = -1;
    EXPECT_EQ(SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{0, 2}, &report, &cloud, &best), 0);
    ASSERT_NE(cloud.At(best), nullptr);
    EXPECT_EQ(cloud.At(best)->marks.complexity, static_cast<unsigned>(c.vertices));
    for (int i = 0; i < cloud.Count(); ++i)
      EXPECT_GE(cloud.At(i)->marks.complexity, static_cast<unsigned>(c.vertices));
    EXPECT_EQ(report.rfind("Given polyhedron can be simplified!\r\n\r\nStep 0: Source\r\n1: ", 0), 0u)
        << report;
    EXPECT_NE(report.find("Step 2: T^{-1}("), std::string::npos);
  }
}

// The chain of a report rebuilds, step by step, spines of the right sizes.
TEST(TMoveSearchTest, TheReportedChainIsAChainOfTheCloud) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "dLQbcbchhjw"));
  ASSERT_TRUE(Enlarge(spine, 1));
  TPolyhedronCloud cloud;
  int best = -1;
  EXPECT_EQ(SimplifyPolyhedronByTMoves(spine, 1, TTMoveLimits{0, 2}, nullptr, &cloud, &best), 0);
  const TPolyhedronCloud::TPolyhedron* p = cloud.At(best);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->parent, 0);
  EXPECT_EQ(p->moveText.rfind("T^{-1}(", 0), 0u);
  TSpine rebuilt;
  ASSERT_TRUE(TPolyhedronCloud::LoadPolyhedron(*p, rebuilt));
  EXPECT_EQ(Vertices(rebuilt), 3);
  TSpine census;
  ASSERT_EQ(LoadIsoSignature(census, "dLQbcbchhjw"), 1);
  EXPECT_EQ(SpineSignature(rebuilt), SpineSignature(census));
}

TEST(TMoveSearchTest, SpinesOfOneManifoldCompareAsEquivalent) {
  TScopedModelHeap heap;
  TSpine small;
  TSpine large;
  ASSERT_TRUE(LoadMarked(small, "cMcabbjqw"));
  ASSERT_TRUE(LoadMarked(large, "cMcabbjqw"));
  std::string same;
  EXPECT_EQ(ComparePolyhedraByTMoves(small, large, 3, false, TTMoveLimits{0, 2}, &same),
            kTMoveEquivalent);
  EXPECT_EQ(same.rfind("Given polyhedra are homeomorphic\r\n", 0), 0u) << same;
  ASSERT_TRUE(Enlarge(large, 2));
  std::string report;
  EXPECT_EQ(ComparePolyhedraByTMoves(small, large, 3, false, TTMoveLimits{0, 2}, &report),
            kTMoveEquivalent);
  EXPECT_EQ(report.rfind("Given polyhedra are equivalent\r\nvia not more than ", 0), 0u) << report;
  // The spines given are not changed.
  EXPECT_EQ(Vertices(small), 2);
  EXPECT_EQ(Vertices(large), 4);
}

TEST(TMoveSearchTest, DifferentManifoldsAreNotFoundEquivalentAndTheSearchEnds) {
  TScopedModelHeap heap;
  TSpine first;
  TSpine second;
  ASSERT_TRUE(LoadMarked(first, "cMcabbjxr"));   // L(5,1)
  ASSERT_TRUE(LoadMarked(second, "cMcabbjqw"));  // L(7,2)
  std::string report;
  TPolyhedronCloud a;
  TPolyhedronCloud b;
  EXPECT_EQ(ComparePolyhedraByTMoves(first, second, 3, false, TTMoveLimits{0, 2}, &report, &a, &b),
            kTMoveNotFound);
  EXPECT_EQ(report.rfind("Sequence of moves is not found,all sequences length <=", 0), 0u) << report;
  EXPECT_NE(report.find("Builded " + std::to_string(a.Count()) + " polyhedra"), std::string::npos);
  EXPECT_GT(a.Radius(), 2);
  EXPECT_GT(b.Radius(), 2);
}

// A cloud that cannot grow (one vertex: only loops, no triangle of three
// corners) ends the searches at once instead of waiting for a stop.
TEST(TMoveSearchTest, ACloudThatCannotGrowEndsTheSearch) {
  TScopedModelHeap heap;
  TSpine lens;
  ASSERT_TRUE(LoadMarked(lens, "bkaajn"));
  TPolyhedronCloud cloud;
  EXPECT_EQ(SimplifyPolyhedronByTMoves(lens, 2, TTMoveLimits{0, 1000}, nullptr, &cloud), 1);
  EXPECT_TRUE(cloud.IsComplete());
  EXPECT_EQ(cloud.Count(), 1);
  EXPECT_EQ(cloud.ExpandNext(nullptr), -1);
  TSpine other;
  ASSERT_TRUE(LoadMarked(other, "bkaajj"));
  EXPECT_EQ(ComparePolyhedraByTMoves(lens, other, 3, false, TTMoveLimits{0, 1000}, nullptr),
            kTMoveNotFound);
}

TEST(TMoveSearchTest, CountLimitAndStopOnSimpler) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "dLQbcbchhjs"));
  TPolyhedronCloud cloud;
  SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{5, 100}, nullptr, &cloud);
  EXPECT_LE(cloud.Count(), 5);
  TSpine larger;
  spine.CopyTo(larger);
  ASSERT_TRUE(Enlarge(larger, 1));
  EXPECT_EQ(ComparePolyhedraByTMoves(larger, larger, 1, true, TTMoveLimits{0, 2}, nullptr),
            kTMoveEquivalent);
  TSpine different;
  ASSERT_TRUE(LoadMarked(different, "cMcabbjxr"));
  EXPECT_EQ(ComparePolyhedraByTMoves(larger, different, 1, true, TTMoveLimits{0, 2}, nullptr),
            kTMoveSimplerFromFirst);
}

TEST(TMoveSearchTest, ChainEntriesNumberTheCells) {
  EXPECT_EQ(FormatMoveChainEntry("{1 -2 3 }{-1 2 }"), "1: 1 -2 3 \r\n2: -1 2 \r\n");
  EXPECT_EQ(FormatMoveChainEntry(""), "");
}

}  // namespace

namespace {

// The swap files hold every field of every spine and go away afterwards;
// they live in a fresh folder, so nothing beside it is touched.
TEST(TMoveSearchTest, ASwappedCloudReadsBackAndGrowsOn) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "dLQbcbchhjs"));
  TPolyhedronCloud cloud;
  SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{12, 100}, nullptr, &cloud);
  const int count = cloud.Count();
  std::vector<TPolyhedronCloud::TPolyhedron> before;
  for (int i = 0; i < count; ++i) before.push_back(*cloud.At(i));
  const std::filesystem::path parent =
      std::filesystem::temp_directory_path() / ("sorvelin-cloud-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(parent);
  const std::filesystem::path bystander = parent / "keep.txt";
  std::ofstream(bystander) << "not the cloud's";
  ASSERT_TRUE(cloud.SwapOut(parent));
  const std::filesystem::path folder = cloud.SwapFolder();
  EXPECT_EQ(folder.parent_path(), parent);
  EXPECT_TRUE(std::filesystem::exists(folder));
  EXPECT_EQ(cloud.Count(), 0);
  EXPECT_EQ(cloud.ExpandNext(nullptr), -1);
  ASSERT_TRUE(cloud.SwapIn());
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_TRUE(std::filesystem::exists(bystander));
  ASSERT_EQ(cloud.Count(), count);
  for (int i = 0; i < count; ++i) {
    const TPolyhedronCloud::TPolyhedron* p = cloud.At(i);
    EXPECT_EQ(p->signature, before[i].signature);
    EXPECT_EQ(p->cells, before[i].cells);
    EXPECT_EQ(p->marks.complexity, before[i].marks.complexity);
    EXPECT_EQ(p->marks.edgeMarks, before[i].marks.edgeMarks);
    EXPECT_EQ(p->marks.cellMarks, before[i].marks.cellMarks);
    EXPECT_EQ(p->parent, before[i].parent);
    EXPECT_EQ(p->moveText, before[i].moveText);
    EXPECT_EQ(cloud.IndexOf(p->signature), i);
  }
  EXPECT_GT(cloud.ExpandNext(nullptr), count - 1);
  std::filesystem::remove_all(parent);
}

// The complexity is a count, not a byte: a spine of 260 vertices keeps 260,
// and its T-move 261, through the cloud and its swap file.
TEST(TMoveSearchTest, SpinesOfMoreThan255VerticesKeepTheirComplexity) {
  TScopedModelHeap heap;
  TSpine spine;
  {
    TDetailsDescription details;
    GlueTetrahedraAtRandom(details, 260, 11);
    ASSERT_EQ(details.BuildSpine(spine, 1), 1);
  }
  ASSERT_EQ(spine.Next(), nullptr);  // connected
  ASSERT_EQ(Vertices(spine), 260);
  TPolyhedronCloud cloud;
  ASSERT_TRUE(cloud.Build(spine, 16));
  EXPECT_EQ(cloud.StartComplexity(), 260);
  int complexity = -1;
  const int index = cloud.ExpandNext(&complexity);
  ASSERT_EQ(index, 1);
  EXPECT_EQ(complexity, 261);
  ASSERT_TRUE(cloud.SwapOut());
  ASSERT_TRUE(cloud.SwapIn());
  EXPECT_EQ(cloud.At(0)->marks.complexity, 260u);
  EXPECT_EQ(cloud.At(1)->marks.complexity, 261u);
}

// A cloud kept on disk between two searches is read back by the next one
// and goes on from where it stood; its folder is gone afterwards.
TEST(TMoveSearchTest, TheSearchesReadASwappedCloudBack) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "cMcabbjqw"));  // L(7,2)
  ASSERT_TRUE(Enlarge(spine, 2));
  TPolyhedronCloud cloud;
  SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{5, 100}, nullptr, &cloud);
  const int count = cloud.Count();
  ASSERT_TRUE(cloud.SwapOut());
  const std::filesystem::path folder = cloud.SwapFolder();
  int best = -1;
  EXPECT_EQ(SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{0, 2}, nullptr, &cloud, &best), 0);
  EXPECT_FALSE(cloud.IsSwappedOut());
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_GT(cloud.Count(), count);
  EXPECT_EQ(cloud.At(best)->marks.complexity, 2u);

  // The same cloud, on disk again, meets a spine of the same manifold.
  ASSERT_TRUE(cloud.SwapOut());
  TSpine other;
  ASSERT_TRUE(LoadMarked(other, "cMcabbjqw"));
  EXPECT_EQ(ComparePolyhedraByTMoves(spine, other, 1, false, TTMoveLimits{0, 2}, nullptr, &cloud),
            kTMoveEquivalent);
}

// A swap file that does not read back leaves the cloud on disk and the
// search without it: "not found", never a cloud made of half a file.
TEST(TMoveSearchTest, ADamagedSwapFileIsRefused) {
  const char* damages[] = {"", "3\n", "1\nsig\tcells\t2\tzz\t00\t-1\tSource\n",
                           "1\nsig\tcells\ttwo\t00\t00\t-1\tSource\n", "x\n"};
  for (const char* damage : damages) {
    SCOPED_TRACE(damage);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadMarked(spine, "cMcabbjqw"));
    TPolyhedronCloud cloud;
    ASSERT_TRUE(cloud.Build(spine, 16));
    ASSERT_TRUE(cloud.SwapOut());
    std::ofstream(cloud.SwapFolder() / "polyhedra.txt", std::ios::trunc) << damage;
    EXPECT_FALSE(cloud.SwapIn());
    EXPECT_TRUE(cloud.IsSwappedOut());
    EXPECT_EQ(cloud.Count(), 0);
    std::string report;
    EXPECT_EQ(ComparePolyhedraByTMoves(spine, spine, 1, false, TTMoveLimits{0, 2}, &report, &cloud),
              kTMoveNotFound);
    const std::filesystem::path folder = cloud.SwapFolder();
    { TPolyhedronCloud gone; }
    EXPECT_TRUE(std::filesystem::exists(folder));  // removed by its own cloud only
  }
}

// The spine being expanded is rebuilt from the file too: when its cells do
// not read, the cloud stays on disk with its folder, nothing of it lost.
TEST(TMoveSearchTest, ASwapFileWhoseCurrentSpineDoesNotLoadIsRefused) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "cMcabbjqw"));
  TPolyhedronCloud cloud;
  ASSERT_TRUE(cloud.Build(spine, 16));
  ASSERT_GE(cloud.ExpandNext(nullptr), 0);  // spine 0 is being expanded
  ASSERT_TRUE(cloud.SwapOut());
  const std::filesystem::path file = cloud.SwapFolder() / "polyhedra.txt";
  std::vector<std::string> lines;
  {
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  ASSERT_GE(lines.size(), 2u);
  const std::size_t cellsStart = lines[1].find('\t') + 1;
  const std::size_t cellsEnd = lines[1].find('\t', cellsStart);
  ASSERT_NE(cellsEnd, std::string::npos);
  lines[1].replace(cellsStart, cellsEnd - cellsStart, "no cells");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
  }
  EXPECT_FALSE(cloud.SwapIn());
  EXPECT_TRUE(cloud.IsSwappedOut());
  EXPECT_EQ(cloud.Count(), 0);
  EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace

namespace {

// A stop ends the searches by TComputationStopped, the spines given untouched.
TEST(TMoveSearchTest, AStopEndsTheSearchesAndLeavesTheSpines) {
  TScopedModelHeap heap;
  TSpine first;
  TSpine second;
  ASSERT_TRUE(LoadMarked(first, "dLQbcbchhjs"));
  ASSERT_TRUE(LoadMarked(second, "dLQbcbchhjw"));
  const std::string signature = SpineSignature(first);
  RequestStop();
  EXPECT_THROW(SimplifyPolyhedronByTMoves(first, 2, TTMoveLimits{0, 1000}, nullptr),
               TComputationStopped);
  EXPECT_THROW(ComparePolyhedraByTMoves(first, second, 3, false, TTMoveLimits{0, 1000}, nullptr),
               TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(SpineSignature(first), signature);
}

// A stop while a long swap file is read back ends the reading by
// TComputationStopped (not as a damaged file), the cloud still on disk.
TEST(TMoveSearchTest, AStopEndsTheReadingOfASwapFile) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "cMcabbjqw"));
  TPolyhedronCloud cloud;
  ASSERT_TRUE(cloud.Build(spine, 16));
  ASSERT_TRUE(cloud.SwapOut());
  const int count = 20000;
  {
    std::ofstream out(cloud.SwapFolder() / "polyhedra.txt", std::ios::binary | std::ios::trunc);
    out << count << '\n';
    for (int i = 0; i < count; ++i) out << "sig" << i << "\tcells\t2\t00\t00\t-1\tSource\n";
  }
  RequestStop();
  EXPECT_THROW(cloud.SwapIn(), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_TRUE(cloud.IsSwappedOut());
  EXPECT_EQ(cloud.Count(), 0);
  EXPECT_TRUE(std::filesystem::exists(cloud.SwapFolder() / "polyhedra.txt"));
}

}  // namespace
