#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/object_header.h"
#include "model/details_description.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_details.h"
#include "shell/document_readers.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/random_triangulation.h"

// The parse of a document given by the isomorphism signature of n
// tetrahedra: reading, building and splitting the spine. The thickening and
// the homology wait until a command asks for them, so a command such as
// "isomorphism-signature" pays for neither.

namespace {

// The signature text of a random triangulation of n tetrahedra.
std::string SignatureText(int n) {
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  std::string text;
  {
    TTetrahedronList tetrahedra = RandomTriangulation(n, 7u * static_cast<unsigned>(n) + 1u);
    TComplex spine;
    TDetailsDescription details;
    DetailsFromTetrahedra(tetrahedra, details);
    details.BuildComplex(spine, 1);
    TIsoSignature signature;
    text = signature.ComputeOfComplex(spine, 1);
  }
  PopHeapContext(context);
  context.Destroy();
  return text;
}

}  // namespace

static void BM_ParseSignatureDocument(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string text = SignatureText(n);
  SuppressStatus();
  {
    TDocumentSpine document;
    const TDocumentReader& reader = ReaderForText(text.c_str());
    for (auto _ : state) {
      if (document.ParseWithReader(reader, text.c_str(), TOptionValues{}) != 1) {
        state.SkipWithError("the signature gave no spine");
        break;
      }
    }
    state.counters["vertices"] = document.Spine().Objects().CountOfKind(kVertexKind);
    state.counters["characters"] = static_cast<double>(text.size());
  }
  UnsuppressStatus();
  state.SetComplexityN(n);
}
BENCHMARK(BM_ParseSignatureDocument)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
