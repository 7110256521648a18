#include "invariants/dw_cohomology_sum.h"

#include <bit>
#include <stdexcept>

#include "foundation/stop_poll.h"
#include "invariants/dw_gf2_basis.h"
#include "model/spine.h"

void TDWCohomologySum::Setup(TSpine& spine, bool forceSubdivision) {
  if (spine.Next() != nullptr) throw std::invalid_argument("the spine is not connected");
  if (spine.IsSpecial(1) == 0) throw std::invalid_argument("the spine is not special");
  complex_.Setup(spine, forceSubdivision);
}

int TDWCohomologySum::Weight(const TDWBitVector& cocycle) const {
  int weight = 1;
  for (const TDWOrderedComplex::TTetrahedron& tetrahedron : complex_.Tetrahedra()) {
    if (cocycle.Test(tetrahedron.path[0]) && cocycle.Test(tetrahedron.path[1]) &&
        cocycle.Test(tetrahedron.path[2])) {
      weight = -weight;
    }
  }
  return weight;
}

namespace {

// Sum of the weights over the span of the vectors (every subset once), in
// Gray-code order so that each step adds one vector.
template <class TWeight>
mpz_class SumOverSpan(const std::vector<TDWBitVector>& basis, int bits, TWeight weight) {
  TDWBitVector current(bits);
  mpz_class sum = weight(current);
  const std::uint64_t count = std::uint64_t{1} << basis.size();
  TStopPoll poll(256);
  for (std::uint64_t step = 1; step < count; ++step) {
    poll.Step();
    current.Xor(basis[static_cast<std::size_t>(std::countr_zero(step))]);
    sum += weight(current);
  }
  return sum;
}

}  // namespace

bool TDWCohomologySum::Compute() {
  if (!IsClosed()) return false;
  const int m = complex_.EdgeCount();
  // The cocycle conditions: even on every triangle.
  TDWEchelonBasis conditions(m);
  for (const TDWOrderedComplex::TTetrahedron& tetrahedron : complex_.Tetrahedra()) {
    for (const auto& triangle : tetrahedron.triangleEdges) {
      TDWBitVector row(m);
      for (int k = 0; k < 3; ++k) row.Flip(triangle[k]);
      conditions.Insert(std::move(row));
    }
  }
  const std::vector<TDWBitVector> cocycles = conditions.KernelBasis();

  // The coboundaries of the vertices.
  std::vector<TDWBitVector> coboundary(complex_.VertexCount(), TDWBitVector(m));
  for (int e = 0; e < m; ++e) {
    const auto& ends = complex_.EdgeEnds()[e];
    if (ends[0] == ends[1]) continue;
    coboundary[ends[0]].Flip(e);
    coboundary[ends[1]].Flip(e);
  }
  TDWEchelonBasis span(m);
  for (TDWBitVector& vector : coboundary) span.Insert(std::move(vector));
  const int coboundaryRank = span.Rank();
  std::vector<TDWBitVector> classes;
  for (const TDWBitVector& cocycle : cocycles) {
    if (span.Insert(cocycle)) classes.push_back(cocycle);
  }
  cohomologyRank_ = static_cast<int>(classes.size());
  // 2^rank weight sums: beyond 62 they could not even be counted.
  if (cohomologyRank_ > kMaxCohomologyRank) return false;

  auto weight = [this](const TDWBitVector& x) { return Weight(x); };
  rawSum_ = SumOverSpan(classes, m, weight);
  rawSum_ <<= coboundaryRank;
  normalisedSum_ = rawSum_;
  const int b = complex_.SphereVertexCount();
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 2, static_cast<unsigned long>(b - 1));
  normalisedSum_ /= power;
  normalisedSum_.canonicalize();
  return true;
}
