// The geometry of a closed Seifert fibred piece. See seifert_geometry.h.
#include "recognition/seifert_geometry.h"

#include <gmpxx.h>

#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"

int SeifertGeometry(const TFibreRows& rows, int chi) {
  mpz_class product = 1;
  TStopPoll poll;
  for (const TFibreRow& row : rows) {
    if (row.a == 0) return kGeometryUnknown;
    product *= row.a < 0 ? -static_cast<long>(row.a) : static_cast<long>(row.a);
    poll.Step();
  }
  mpz_class x = product * chi;
  mpz_class e = 0;
  for (const TFibreRow& row : rows) {
    // (a, b) and (-a, -b) are the same fibre.
    const long a = row.a;
    const long b = a < 0 ? -static_cast<long>(row.b) : static_cast<long>(row.b);
    const mpz_class share = product / (a < 0 ? -a : a);
    x -= product - share;
    e += share * b;
    poll.Step();
  }
  const int sx = sgn(x);
  const bool flat = e == 0;
  if (sx > 0) return flat ? kGeometryS2xR : kGeometryElliptic;
  if (sx == 0) return flat ? kGeometryFlat : kGeometryNil;
  return flat ? kGeometryH2xR : kGeometrySL2R;
}

int SeifertGeometryOfVertex(const TObjectHeader* vertex) {
  TFibreRows rows;
  for (int i = 0; i < TMoleculeVertex::PairCount(vertex); ++i) {
    TFibreRow row;
    TMoleculeVertex::PairAt(vertex, i, row.a, row.b);
    rows.push_back(row);
  }
  return SeifertGeometry(rows, TMoleculeVertex::FlagA(vertex));
}
