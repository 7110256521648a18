// The gluing matrix of a boundary torus. See boundary_gluing_matrix.h.
#include "moves/boundary_gluing_matrix.h"

#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "moves/reduction.h"

namespace {

constexpr const char* kSourceName = "boundary_gluing_matrix";

void Reduce(TComplex& complex) {
  while (RemoveSuperfluousEdge(complex) != 0 || RemoveSuperfluousVertex(complex) != 0 ||
         RemoveNeedle(complex) != 0) {
  }
}

// Contracts the first edge whose two ends differ; false when there is none.
bool ContractOneEdge(TComplex& complex) {
  TObjectManager& objects = complex.Objects();
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    if (TEdge::IsLoop(e) || !TEdge::End(e, 1).IsValid() || !TEdge::End(e, 2).IsValid()) continue;
    ContractEdge(complex, e, TEdge::End(e, 1));
    return true;
  }
  return false;
}

}  // namespace

int SpineBoundaryGluingMatrix(const TComplex& surface, int out[4]) {
  if (surface.SurfaceClass() != 2) return 0;
  TComplex copy;
  surface.CopyTo(copy);
  Reduce(copy);
  while (copy.Objects().CountOfKind(kVertexKind) > 1 && ContractOneEdge(copy)) Reduce(copy);
  TObjectManager& objects = copy.Objects();
  if (objects.CountOfKind(kVertexKind) != 1 || objects.CountOfKind(kEdgeKind) != 2) {
    ReportInternalError(kSourceName, __LINE__);
    return 0;
  }
  TObjectHeader* e1 = objects.First(kEdgeKind);
  TObjectHeader* e2 = objects.Next(e1);
  // Rows: the two edges; columns: the curves.
  long long a[4] = {TEdge::Label(e1, 0), TEdge::Label(e1, 1), TEdge::Label(e2, 0), TEdge::Label(e2, 1)};
  long long b[4] = {TEdge::Label(e1, 2), TEdge::Label(e1, 3), TEdge::Label(e2, 2), TEdge::Label(e2, 3)};
  long long det = a[0] * a[3] - a[1] * a[2];
  if (det != 1 && det != -1) return 0;
  // A^-1 = det * adj(A) for a unimodular A.
  long long inv[4] = {det * a[3], -det * a[1], -det * a[2], det * a[0]};
  long long m[4] = {inv[0] * b[0] + inv[1] * b[2], inv[0] * b[1] + inv[1] * b[3],
                    inv[2] * b[0] + inv[3] * b[2], inv[2] * b[1] + inv[3] * b[3]};
  for (int k = 0; k < 4; ++k) out[k] = static_cast<int>(m[k]);
  return 1;
}
