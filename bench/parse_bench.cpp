#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "model/object_header.h"
#include "model/object_list.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "model/details_description.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/links/link.h"
#include "presentations/triangulations/facets.h"
#include "presentations/triangulations/triangulation_description.h"
#include "support/bench_heap.h"

// Reading a document's text into a spine, for every notation that used to
// cost quadratic time on ordinary input. Each benchmark runs sizes x1, x2, x4
// and x8 and reports the fitted growth (BigO): the goal is near-linear growth.
// Only the readers and builders run here; the thickening and the homology
// that the document parse adds have benchmarks of their own.

namespace {

// One line of 20 edges from +-1..9, repeated to the size: every cell meets
// every other along the few edges, so each edge lies on thousands of cells.
std::string SharedEdgesCellText(std::size_t bytes) {
  const std::string line = "2 -2 -8 -7 2 -1 -7 8 -4 6 1 9 7 7 9 8 -9 6 4 -5\n";
  std::string text;
  while (text.size() < bytes) text += line;
  return text;
}

// n cells, each alone in its component (a torus spine of its own).
std::string SeparateCellsText(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    const std::string a = std::to_string(2 * i + 1);
    const std::string b = std::to_string(2 * i + 2);
    text += a + " " + b + " -" + a + " -" + b + "\n";
  }
  return text;
}

void ReadCells(benchmark::State& state, const std::string& text) {
  TBenchHeap heap;
  TSuppressObjectNamesScope names(0);
  for (auto _ : state) {
    TBoundaryCurvesPresentation presentation;
    if (presentation.Parse(text.c_str()) == 0) state.SkipWithError("the text was not read");
    TSpine spine;
    presentation.BuildSpine(spine);
    spine.SplitIntoComponents();
    benchmark::DoNotOptimize(spine.Objects().Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

// Cell presentations whose edges lie on many cells, 128 KB to 1 MB.
static void BM_CellTextWithSharedEdges(benchmark::State& state) {
  const std::string text = SharedEdgesCellText(static_cast<std::size_t>(state.range(0)) * 1024);
  ReadCells(state, text);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CellTextWithSharedEdges)
    ->Arg(128)
    ->Arg(256)
    ->Arg(512)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Cell presentations of many components: the grouping and the split.
static void BM_CellTextOfSeparateComponents(benchmark::State& state) {
  const std::string text = SeparateCellsText(static_cast<int>(state.range(0)));
  ReadCells(state, text);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CellTextOfSeparateComponents)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Surgery on the trefoil with a large integral framing: the
// filling twists the meridian disc once per unit of the framing.
static void BM_LinkFramingFill(benchmark::State& state) {
  TBenchHeap heap;
  TSuppressObjectNamesScope names(1);
  const std::string text =
      "link code 1 -2 3 -1 2 -3 framing " + std::to_string(state.range(0)) + " end";
  for (auto _ : state) {
    TLink link;
    if (link.Parse(text.c_str(), kLinkParseOrdinary) == 0) state.SkipWithError("not read");
    TSpine spine;
    link.BuildExteriorSpine(spine);
    benchmark::DoNotOptimize(spine.Objects().Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LinkFramingFill)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The same with a rational framing p/2: a chain of about p/2 Euclidean steps.
static void BM_LinkRationalFramingFill(benchmark::State& state) {
  TBenchHeap heap;
  TSuppressObjectNamesScope names(1);
  const std::string text =
      "link code 1 -2 3 -1 2 -3 framing " + std::to_string(state.range(0) + 1) + "/2 end";
  for (auto _ : state) {
    TLink link;
    if (link.Parse(text.c_str(), kLinkParseOrdinary) == 0) state.SkipWithError("not read");
    TSpine spine;
    link.BuildExteriorSpine(spine);
    benchmark::DoNotOptimize(spine.Objects().Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LinkRationalFramingFill)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Genus-2 Heegaard diagrams "heegaard 0 a b 0 2 0" with b = a * 777 / 2000.
static void BM_HeegaardSpine(benchmark::State& state) {
  TBenchHeap heap;
  TSuppressObjectNamesScope names(1);
  const long a = static_cast<long>(state.range(0));
  const std::string text =
      "heegaard 0 " + std::to_string(a) + " " + std::to_string(a * 777 / 2000 | 1) + " 0 2 0";
  for (auto _ : state) {
    TSpine spine;
    if (LoadHeegaardDiagram(spine, text.c_str()) == 0) state.SkipWithError("not built");
    benchmark::DoNotOptimize(spine.Objects().Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HeegaardSpine)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Appending n plain values to one list.
static void BM_ObjectListAppend(benchmark::State& state) {
  TBenchHeap heap;
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TObjectList list;
    list.SetWeak(2);
    for (int i = 0; i < n; ++i) list.AppendValue(i + 1);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_ObjectListAppend)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000)
    ->Arg(800000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// A facets list of n simplices, each sharing a face with the next.
static void BM_FacetsList(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string text;
  for (int i = 1; i <= n; ++i) {
    text += "[" + std::to_string(i) + "," + std::to_string(i + 1) + "," + std::to_string(i + 2) +
            "," + std::to_string(i + 3) + "] ";
  }
  SuppressStatus();
  for (auto _ : state) {
    TFacetsDescription facets;
    if (facets.Parse(text, nullptr, 2) == 0) state.SkipWithError("not read");
    benchmark::DoNotOptimize(facets.SimplexCount());
  }
  UnsuppressStatus();
  state.SetComplexityN(n);
}
BENCHMARK(BM_FacetsList)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// A triangulation text of n lines: pairs of named tetrahedra glued face to
// face (each pair a 3-sphere).
static void BM_TriangulationText(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string text = "triangulation\n";
  const char* faces[] = {"(1,2,3)", "(1,2,4)", "(1,3,4)", "(2,3,4)"};
  for (int pair = 0; pair < n / 4; ++pair) {
    const std::string a = "a" + std::to_string(pair);
    const std::string b = "b" + std::to_string(pair);
    for (const char* face : faces) text += a + face + " - " + b + face + "\n";
  }
  text += "end\n";
  SuppressStatus();
  for (auto _ : state) {
    TTriangulationDescription triangulation;
    if (triangulation.Parse(text) == 0) state.SkipWithError("not read");
    benchmark::DoNotOptimize(triangulation.TetrahedronCount());
  }
  UnsuppressStatus();
  state.SetComplexityN(n);
}
BENCHMARK(BM_TriangulationText)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The details of a special spine of n vertices (the spine-to-details pass
// that signatures, orientability and the triangulation writer start with).
static void BM_DetailsOfSpine(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  TSuppressObjectNamesScope names(1);
  {
    // n tetrahedra glued at random in pairs of faces: the dual spine.
    TDetailsDescription glued;
    std::vector<TObjectHeader*> tetrahedra;
    for (int i = 0; i < n; ++i) tetrahedra.push_back(glued.NewDetail());
    std::vector<int> faces(static_cast<std::size_t>(4 * n));
    for (int i = 0; i < 4 * n; ++i) faces[static_cast<std::size_t>(i)] = i;
    std::mt19937 random(11);
    std::shuffle(faces.begin(), faces.end(), random);
    for (std::size_t k = 0; k + 1 < faces.size(); k += 2) {
      const int a = faces[k];
      const int b = faces[k + 1];
      TDetail::GlueFaces(tetrahedra[static_cast<std::size_t>(a / 4)], a % 4,
                         tetrahedra[static_cast<std::size_t>(b / 4)], b % 4, 0, 2, 1, 1);
    }
    TSpine spine;
    glued.BuildComplex(spine, 1);
    for (auto _ : state) {
      TDetailsDescription details;
      if (details.FromSpine(spine) == 0) state.SkipWithError("no details");
      benchmark::DoNotOptimize(details.DetailCount());
    }
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_DetailsOfSpine)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
