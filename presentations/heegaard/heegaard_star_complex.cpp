// The star road of the genus-2 spine builder: the spine of a diagram in star
// form, glued from details (the tetrahedra dual to the true vertices).
//
// The star form is a diagram of one curve, without inner arcs, whose a and d
// families are odd and whose b1, c1 and shifts are even. Its spine is made of
// vertex neighbourhoods directly: a ring of 2 (a + d) details stands for the
// arcs that join the two handles, and each handle is a double row of details
// (rows U and V, one more than the arcs that cross the handle), closed into a
// cycle and glued to itself with the handle's shift, with the rows' free
// faces glued either to each other (for the b or c arcs that stay on the
// handle) or to the ring. The spine of the glued details is then opened at
// each handle by removing the two cells around the edge of the handle's first
// detail.
//
// Cost: linear in the arc counts.
#include <cstddef>
#include <functional>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/detail.h"
#include "model/edge.h"
#include "model/details_description.h"
#include "presentations/heegaard/heegaard_complex.h"

namespace {

// (X f, Y g; p q r) with mode 1.
void Glue(const THandle& x, int f, const THandle& y, int g, int p, int q, int r) {
  TDetail::GlueFaces(x, f, y, g, p, q, r, 1);
}

// One handle: m = arcs + d + 1 details per row, glued into two cycles, to
// each other, and to the ring on the ring faces `ringFace`.
struct THandleRows {
  std::vector<THandle> u;
  std::vector<THandle> v;
};

THandleRows GlueHandle(TDetailsDescription& description, const std::vector<THandle>& ring,
                       int m, int shift, int arcs, int ringFace,
                       const std::function<int(int)>& uRing, const std::function<int(int)>& vRing) {
  THandleRows rows;
  TStopPoll poll;
  for (int i = 0; i < m; ++i) {
    poll.Step();
    rows.u.emplace_back(description.NewDetail());
    rows.v.emplace_back(description.NewDetail());
  }
  const int s = shift;
  for (int i = 0; i < m; ++i) {
    poll.Step();
    const int next = (i + 1) % m;
    if (i != 0 && next == 0) {
      Glue(rows.u[i], 2, rows.u[next], 3, 1, 0, 2);
    } else {
      Glue(rows.u[i], 2, rows.u[next], 1, 0, 2, 1);
    }
    if (i == s) {
      Glue(rows.v[i], 2, rows.v[next], 1, 1, 0, 2);
    } else if (next == s) {
      Glue(rows.v[i], 2, rows.v[next], 3, 0, 2, 1);
    } else {
      Glue(rows.v[i], 2, rows.v[next], 1, 0, 2, 1);
    }
  }
  Glue(rows.u[0], 0, rows.v[s], 1, 1, 0, 2);
  Glue(rows.u[0], 1, rows.v[s], 0, 1, 0, 2);
  for (int j = 0; j <= m - 2; ++j) {
    poll.Step();
    const int u = j + 1;
    const int v = j >= s ? j + 1 : j;
    if (j < arcs) {
      Glue(rows.u[u], 3, rows.v[v], 0, 0, 2, 1);
    } else {
      Glue(rows.u[u], 3, ring[uRing(j)], ringFace, 0, 2, 1);
      Glue(rows.v[v], 0, ring[vRing(j)], ringFace, 0, 2, 1);
    }
    int w = j + s + 1;
    if (w >= m) w -= m;
    Glue(rows.u[u], 0, rows.v[w], 3, 0, 2, 1);
  }
  return rows;
}

}  // namespace

bool StarFormAllowed(const THeegaardDiagram& diagram) {
  THeegaardDiagram copy(diagram);
  if (copy.CurveCount() != 1) return false;
  if (diagram.B2() != 0 || diagram.C2() != 0) return false;
  if (diagram.A() % 2 == 0 || diagram.D() % 2 == 0) return false;
  return diagram.B1() % 2 == 0 && diagram.C1() % 2 == 0 && diagram.Shift1() % 2 == 0 &&
         diagram.Shift2() % 2 == 0;
}

void GlueHeegaardStarDetails(const THeegaardDiagram& diagram, TDetailsDescription& description,
                             THeegaardStarBuild& build) {
  const int a = diagram.A(), b1 = diagram.B1(), c1 = diagram.C1(), d = diagram.D();
  const int n = 2 * (a + d);
  build.ring.clear();
  for (int i = 0; i < n; ++i) build.ring.emplace_back(description.NewDetail());
  for (int i = 1; i < n; ++i) Glue(build.ring[i], 0, build.ring[i - 1], 3, 0, 2, 1);
  Glue(build.ring[0], 0, build.ring[n - 1], 3, 0, 2, 1);

  const THandleRows first = GlueHandle(
      description, build.ring, a + b1 + d + 1, diagram.Shift1(), b1, 1,
      [&](int j) { return d + j - b1; },
      [&](int j) {
        int t = d + b1 - j - 1;
        if (j >= d + b1) t += n;
        return t;
      });
  const THandleRows second = GlueHandle(
      description, build.ring, a + c1 + d + 1, diagram.Shift2(), c1, 2,
      [&](int j) { return d + a + c1 - j - 1; }, [&](int j) { return j + a + d - c1; });
  build.firstU = first.u[0];
  build.secondU = second.u[0];
}

void FindStarReferenceCells(THeegaardStarBuild& build) {
  if (build.ring.empty()) return;
  THandle edges[4];
  for (int f = 0; f < 4; ++f) edges[f] = TDetail::FaceEdge(build.ring[0], f);
  build.reference[0] = TEdge::CommonCell(edges[0], edges[3]);
  build.reference[1] = TEdge::CommonCell(edges[1], edges[2]);
}

void RemoveStarHandleCells(TComplex& complex, const THeegaardStarBuild& build) {
  for (const THandle& detail : {build.firstU, build.secondU}) {
    THandle edge = TDetail::FaceEdge(detail, 1);
    THandle second = TEdge::CellAt(edge, 1);
    if (second.IsValid()) complex.RemoveCell(second);
    THandle first = TEdge::CellAt(edge, 0);
    if (first.IsValid()) complex.RemoveCell(first);
  }
}
