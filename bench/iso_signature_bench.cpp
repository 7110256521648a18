#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "foundation/private_heap.h"
#include "model/complex.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "presentations/triangulations/dehydration_code.h"
#include "model/details_description.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_details.h"
#include "support/random_triangulation.h"

// The signature of a spine costs 24n walks of its dual triangulation, each
// visiting the 2n gluings: quadratic in the number of vertices, which stays
// in the milliseconds for the spines of census size (up to 25 vertices).

namespace {

struct TSpineFixture {
  explicit TSpineFixture(int n) {
    PushHeapContext(context);
    PrivateHeapCreate(1);
    tetrahedra = RandomTriangulation(n, 7u * static_cast<unsigned>(n) + 1u);
    spine = new TComplex;
    TDetailsDescription details;
    TTetrahedronList copy = tetrahedra;
    DetailsFromTetrahedra(copy, details);
    details.BuildComplex(*spine, 1);
  }
  ~TSpineFixture() {
    delete spine;
    PopHeapContext(context);
  }
  THeapContext context;
  TTetrahedronList tetrahedra;
  TComplex* spine = nullptr;
};

}  // namespace

static void BM_IsoSignatureOfSpine(benchmark::State& state) {
  TSpineFixture fixture(static_cast<int>(state.range(0)));
  TIsoSignature signature;
  for (auto _ : state) {
    benchmark::DoNotOptimize(signature.ComputeOfComplex(*fixture.spine, 1).size());
  }
  if (signature.Text().empty()) state.SkipWithError("no signature");
}
BENCHMARK(BM_IsoSignatureOfSpine)->Arg(1)->Arg(5)->Arg(10)->Arg(25)->Unit(benchmark::kMicrosecond);

static void BM_CanonicalIsoSignatureOfTriangulation(benchmark::State& state) {
  TTetrahedronList tetrahedra = RandomTriangulation(static_cast<int>(state.range(0)), 3);
  for (auto _ : state) benchmark::DoNotOptimize(CanonicalIsoSignature(tetrahedra).size());
}
BENCHMARK(BM_CanonicalIsoSignatureOfTriangulation)->Arg(5)->Arg(25)->Arg(100)->Unit(benchmark::kMicrosecond);

static void BM_DehydrationOfSpine(benchmark::State& state) {
  TSpineFixture fixture(static_cast<int>(state.range(0)));
  TDehydratedDescription description;
  for (auto _ : state) benchmark::DoNotOptimize(description.FromComplex(*fixture.spine).size());
  if (description.Text().empty()) state.SkipWithError("no description");
}
BENCHMARK(BM_DehydrationOfSpine)->Arg(5)->Arg(25)->Unit(benchmark::kMicrosecond);

static void BM_DecodeIsoSignature(benchmark::State& state) {
  const std::string signature = CanonicalIsoSignature(RandomTriangulation(25, 5));
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeIsoSignature(signature, tetrahedra, position));
}
BENCHMARK(BM_DecodeIsoSignature)->Unit(benchmark::kMicrosecond);
