// The hyperbolic structure solver.
//
// Unknowns are the edge lengths l (parameters x = cosh l - 1). A set of
// lengths is a hyperbolic structure when every tetrahedron with those edge
// lengths exists and the dihedral angles around each edge add up to 2 pi.
//
// First stage (ideal). Far from the solution Newton's method on lengths
// wanders, so the start is taken from the ideal limit: when all lengths grow
// by the same large amount, the tetrahedra tend to ideal ones whose angles
// depend only on the products of opposite decorations lambda (Penner's lambda
// lengths, x ~ lambda / epsilon). Newton's method on log lambda makes the ideal
// angle sums at all edges equal (2 pi T / E, T tetrahedra, E edges); the
// rescalings of lambda at a vertex change no angle, so the system is bordered
// with one row per vertex to fix them. The first-order correction of the
// angles as the tetrahedra shrink from ideal then gives the scale and the
// direction in which to leave the ideal limit (x = lambda e^(-2 pi c q) /
// (2 pi c)), halving c until every tetrahedron is valid.
//
// Second stage (lengths). The Jacobian of the angle sums with respect to the
// lengths is singular at a solution of a closed manifold: moving a vertex
// of the triangulation changes lengths and no angle sum. Levenberg-Marquardt
// steps (J^T J + mu I) d = -J^T F handle that kernel, converge quadratically
// near the solution, and are accepted only when the defect norm falls and
// every tetrahedron stays valid.
//
// Both stages are bounded (50 and 200 iterations, 100 halvings); a failure
// is reported as an outcome, never by looping.
#include "invariants/hyperbolic/structure_solver.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/stop_poll.h"
#include "invariants/hyperbolic/symmetric_indefinite_solve.h"
#include "invariants/hyperbolic/volume_evaluation.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kIdealIterations = 50;
constexpr int kLengthIterations = 200;
constexpr int kPolishIterations = 30;
constexpr double kMeasureThreshold = 0.0001;
constexpr int kMostTurnedTetrahedra = 3;
constexpr double kRestartFlatness[] = {0.1, 0.01, 0.05, 0.2};

// The number of negative eigenvalues of a symmetric matrix (the index the
// progress lines show); -1 when the matrix is singular.
int NegativeEigenvalues(TDenseMatrix m) {
  std::vector<int> pivots;
  return FactorSymmetric(m, pivots) ? NegativeIndex(m, pivots) : -1;
}

double Norm(const std::vector<double>& v) {
  double s = 0;
  for (double a : v) s += a * a;
  return std::sqrt(s);
}

// The darts of a tetrahedron's six local edges, in the parameter order.
void LocalDarts(int d, int darts[6]) {
  const int r1 = RotateDart(d, 1), r2 = RotateDart(d, 2);
  darts[0] = d;
  darts[1] = d ^ 2;
  darts[2] = r1;
  darts[3] = r1 ^ 2;
  darts[4] = r2;
  darts[5] = r2 ^ 2;
}

// Faces of the local edges uv, wx, uw, xv, ux, vw (u, v, w, x = 0..3).
constexpr int kEdgeFaces[6][2] = {{0, 1}, {2, 3}, {0, 2}, {3, 1}, {0, 3}, {1, 2}};

// The dihedral angles, in parameter order, of the tetrahedron at position p
// under the edge parameters x, and the darts of its local edges; false when
// the parameters give no valid tetrahedron.
bool TetrahedronAnglesAt(const TTriangulationStore& store, const std::vector<double>& x, int p,
                         int darts[6], TTetrahedronAngles& theta) {
  LocalDarts(store.TetrahedronDart(p), darts);
  TTetrahedronParameters params;
  for (int k = 0; k < 6; ++k) params[static_cast<std::size_t>(k)] = x[static_cast<std::size_t>(store.EdgeOf(darts[k]))];
  return TetrahedronAngles(params, theta);
}

}  // namespace

std::vector<double> THyperbolicStructureSolver::Parameters() const {
  std::vector<double> x(static_cast<std::size_t>(store_.EdgeCount()));
  for (int e = 0; e < store_.EdgeCount(); ++e) x[static_cast<std::size_t>(e)] = store_.Edge(e).parameter;
  return x;
}

void THyperbolicStructureSolver::SetParameters(const std::vector<double>& x) {
  for (int e = 0; e < store_.EdgeCount(); ++e) store_.Edge(e).parameter = x[static_cast<std::size_t>(e)];
}

double THyperbolicStructureSolver::AngleDefects(const std::vector<double>& x,
                                                std::vector<double>& defects) const {
  defects.assign(x.size(), -kTwoPi);
  double least = kPi;
  TStopPoll poll(256);
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    poll.Step();
    int darts[6];
    TTetrahedronAngles theta;
    if (!TetrahedronAnglesAt(store_, x, p, darts, theta)) return 0.0;
    const bool turned = store_.Orientation(darts[0]) < 0;
    const int wide = store_.WideAngleMask(darts[0]);
    for (int k = 0; k < 6; ++k) {
      const double t = theta[static_cast<std::size_t>(k)];
      defects[static_cast<std::size_t>(store_.EdgeOf(darts[k]))] += !turned ? t : ((wide >> k) & 1) ? kTwoPi - t : -t;
      least = std::min(least, std::min(theta[static_cast<std::size_t>(k)], kPi - theta[static_cast<std::size_t>(k)]));
    }
  }
  double sum = 0;
  for (double d : defects) sum += d;
  return sum > 0 ? -least : least;
}

bool THyperbolicStructureSolver::IdealResidual(const std::vector<double>& lambda,
                                               std::vector<double>& residual) const {
  const int edges = store_.EdgeCount();
  residual.assign(static_cast<std::size_t>(edges),
                  -kTwoPi * store_.TetrahedronCount() / static_cast<double>(edges));
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    int darts[6];
    LocalDarts(store_.TetrahedronDart(p), darts);
    double l[6];
    for (int k = 0; k < 6; ++k) l[k] = lambda[static_cast<std::size_t>(store_.EdgeOf(darts[k]))];
    std::array<double, 3> alpha;
    if (!IdealAngles(l[0] * l[1], l[2] * l[3], l[4] * l[5], alpha)) return false;
    for (int k = 0; k < 6; ++k) residual[static_cast<std::size_t>(store_.EdgeOf(darts[k]))] += alpha[static_cast<std::size_t>(k / 2)];
  }
  return true;
}

void THyperbolicStructureSolver::AssembleIdeal(const std::vector<double>& lambda, const std::vector<int>& ends,
                                               int vertices, TDenseMatrix& m) const {
  const int edges = store_.EdgeCount();
  std::fill(m.a.begin(), m.a.end(), 0.0);
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    int darts[6], e[6];
    LocalDarts(store_.TetrahedronDart(p), darts);
    double l[6];
    for (int k = 0; k < 6; ++k) {
      e[k] = store_.EdgeOf(darts[k]);
      l[k] = lambda[static_cast<std::size_t>(e[k])];
    }
    std::array<double, 3> alpha;
    std::array<std::array<double, 3>, 3> d;
    if (!IdealAngles(l[0] * l[1], l[2] * l[3], l[4] * l[5], alpha, &d)) continue;
    for (int k = 0; k < 6; ++k) {
      for (int j = 0; j < 6; ++j) m(e[k], e[j]) += d[static_cast<std::size_t>(k / 2)][static_cast<std::size_t>(j / 2)];
    }
  }
  const double border = 1.0 / edges;
  for (int e = 0; e < edges; ++e) {
    for (int side = 0; side < 2; ++side) {
      const int v = edges + ends[static_cast<std::size_t>(2 * e + side)];
      if (v >= edges + vertices) continue;
      m(e, v) += border;
      m(v, e) += border;
    }
  }
}

bool THyperbolicStructureSolver::IdealStage() {
  std::vector<int> ends;
  const int vertices = store_.LabelVertices(ends);
  const int edges = store_.EdgeCount();
  const int order = edges + vertices;
  std::vector<double> lambda = Parameters();
  auto normalise = [&] {
    double logSum = 0;
    for (double l : lambda) logSum += std::log(l);
    const double scale = std::exp(-logSum / edges);
    for (double& l : lambda) l *= scale;
  };
  for (double l : lambda) {
    if (!(l > 0)) return false;
  }
  normalise();
  std::vector<double> residual;
  bool converged = false;
  for (int iteration = 0; iteration < kIdealIterations; ++iteration) {
    ThrowIfStopRequested();
    if (!IdealResidual(lambda, residual)) return false;
    const double norm = Norm(residual);
    if (norm < 1e-8) {
      converged = true;
      break;
    }
    TDenseMatrix m(order);
    AssembleIdeal(lambda, ends, vertices, m);
    const int index = messages_.Verbose() ? NegativeEigenvalues(m) : 0;
    std::vector<double> z(static_cast<std::size_t>(order), 0.0);
    std::copy(residual.begin(), residual.end(), z.begin());
    if (!SolveDense(m, z)) {
      std::fill(z.begin(), z.end(), 0.0);
      std::copy(residual.begin(), residual.end(), z.begin());
    }
    if (messages_.Verbose()) {
      const auto [lo, hi] = std::minmax_element(residual.begin(), residual.end());
      const double base = kTwoPi * (edges - 1) / edges;
      messages_.Message("K < 0\t  [%.8f, %.8f]\t", base + *lo, base + *hi);
      messages_.Message("index %-4d", index);
    }
    // The longest step (halving from 1) after which every tetrahedron's
    // triangle of products stays non-degenerate with a margin.
    double t = 1.0;
    std::vector<double> trial(lambda.size());
    std::vector<double> probe;
    bool found = false;
    for (int halving = 0; halving < 100 && t > 0.0001; ++halving, t *= 0.5) {
      for (std::size_t e = 0; e < lambda.size(); ++e) trial[e] = lambda[e] * std::exp(-t * z[e]);
      if (IdealResidual(trial, probe)) {
        found = true;
        break;
      }
    }
    if (messages_.Verbose()) messages_.Message("step  %g\n", t);
    if (!found) return false;
    lambda = trial;
    normalise();
  }
  if (!converged) return false;

  // The first-order change of the angle sums as the ideal tetrahedra shrink
  // gives the direction q and the scale v in which to leave the ideal limit.
  TDenseMatrix m(order);
  AssembleIdeal(lambda, ends, vertices, m);
  std::vector<double> z(static_cast<std::size_t>(order), 0.0);
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    int darts[6], e[6];
    LocalDarts(store_.TetrahedronDart(p), darts);
    TTetrahedronParameters x;
    for (int k = 0; k < 6; ++k) {
      e[k] = store_.EdgeOf(darts[k]);
      x[static_cast<std::size_t>(k)] = lambda[static_cast<std::size_t>(e[k])];
    }
    const double p01 = x[0] * x[1], p23 = x[2] * x[3], p45 = x[4] * x[5];
    const double pairs[3] = {p01, p23, p45};
    std::array<double, 6> cof;
    IdealAngleCofactors(x, cof);
    const double faces[4] = {
        IdealTriangleQuantity(x[0], x[2], x[4]) / (2 * x[0] * x[2] * x[4]),
        IdealTriangleQuantity(x[0], x[3], x[5]) / (2 * x[0] * x[3] * x[5]),
        IdealTriangleQuantity(x[1], x[2], x[5]) / (2 * x[1] * x[2] * x[5]),
        IdealTriangleQuantity(x[1], x[3], x[4]) / (2 * x[1] * x[3] * x[4]),
    };
    const double d = IdealTriangleQuantity(p01, p23, p45);
    if (d < 0) return false;
    const double s = 2 * std::sqrt(d);
    for (int k = 0; k < 6; ++k) {
      const double r = x[static_cast<std::size_t>(k)] * (p01 + p23 + p45 - 2 * pairs[k / 2]);
      const double tk = ((faces[kEdgeFaces[k][0]] + faces[kEdgeFaces[k][1]]) * r - 2 * cof[static_cast<std::size_t>(k)]) / s;
      z[static_cast<std::size_t>(e[k])] += tk / x[static_cast<std::size_t>(k)];
    }
  }
  if (!SolveDense(m, z)) return false;
  const double v = z[static_cast<std::size_t>(edges)];
  if (!(v != 0.0) || !std::isfinite(v)) return false;
  std::vector<double> q(static_cast<std::size_t>(edges));
  for (int e = 0; e < edges; ++e) {
    lambda[static_cast<std::size_t>(e)] *= v;
    q[static_cast<std::size_t>(e)] = z[static_cast<std::size_t>(e)] / v;
  }
  std::vector<double> x(static_cast<std::size_t>(edges));
  std::vector<double> defects;
  double measure = 0;
  double c = 1.0;
  for (int halving = 0; halving < 100; ++halving, c *= 0.5) {
    ThrowIfStopRequested();
    for (int e = 0; e < edges; ++e) {
      x[static_cast<std::size_t>(e)] =
          lambda[static_cast<std::size_t>(e)] * std::exp(-kTwoPi * c * q[static_cast<std::size_t>(e)]) / (kTwoPi * c);
    }
    measure = AngleDefects(x, defects);
    if (measure > 0) break;
  }
  SetParameters(x);
  return measure > kMeasureThreshold;
}

bool THyperbolicStructureSolver::LengthNewtonStage() {
  const int edges = store_.EdgeCount();
  std::vector<double> x = Parameters();
  std::vector<double> defects;
  // Near a solution the defects add up to almost 0 and the measure's sign
  // flips with them; validity is a non-zero measure.
  path_.assign(1, x);
  double measure = std::fabs(AngleDefects(x, defects));
  if (measure == 0.0) return false;
  double norm = Norm(defects);
  std::vector<double> length(static_cast<std::size_t>(edges));
  for (int e = 0; e < edges; ++e) length[static_cast<std::size_t>(e)] = EdgeLength(x[static_cast<std::size_t>(e)]);
  double mu = -1;
  for (int iteration = 0; iteration < kLengthIterations && norm >= 1e-13; ++iteration) {
    ThrowIfStopRequested();
    TDenseMatrix j(edges);
    AssembleAngleDerivatives(x, j);
    // Normal equations of the least-squares step.
    TDenseMatrix jtj(edges);
    std::vector<double> g(static_cast<std::size_t>(edges), 0.0);
    double largest = 0;
    for (int a = 0; a < edges; ++a) {
      for (int b = 0; b < edges; ++b) {
        double s = 0;
        for (int k = 0; k < edges; ++k) s += j(k, a) * j(k, b);
        jtj(a, b) = s;
      }
      for (int k = 0; k < edges; ++k) g[static_cast<std::size_t>(a)] += j(k, a) * defects[static_cast<std::size_t>(k)];
      largest = std::max(largest, jtj(a, a));
    }
    if (mu < 0) mu = 1e-3 * largest;
    bool accepted = false;
    for (int attempt = 0; attempt < 40 && !accepted; ++attempt) {
      TDenseMatrix a = jtj;
      for (int e = 0; e < edges; ++e) a(e, e) += mu;
      std::vector<double> step = g;
      if (!SolveSymmetricPositive(a, step)) {
        mu = mu * 10 + 1e-12;
        continue;
      }
      std::vector<double> trialLength(length.size()), trial(x.size()), trialDefects;
      for (std::size_t e = 0; e < x.size(); ++e) {
        trialLength[e] = length[e] - step[e];
        const double h = std::sinh(trialLength[e] / 2);
        trial[e] = 2 * h * h;  // cosh l - 1, exact for short edges too
      }
      const double trialMeasure = std::fabs(AngleDefects(trial, trialDefects));
      const double trialNorm = trialMeasure > 0 ? Norm(trialDefects) : norm;
      if (trialMeasure > 0 && trialNorm < norm) {
        x = trial;
        path_.push_back(x);
        length = trialLength;
        defects = trialDefects;
        norm = trialNorm;
        measure = trialMeasure;
        mu = std::max(mu / 3, 1e-15 * largest);
        accepted = true;
      } else {
        mu *= 4;
      }
    }
    if (messages_.Verbose()) {
      const auto [lo, hi] = std::minmax_element(defects.begin(), defects.end());
      messages_.Message("K %c 0\t  [%.8f, %.8f]\t", x[0] > 0 ? '<' : (x[0] == 0 ? '=' : '>'), kTwoPi + *lo,
                        kTwoPi + *hi);
      messages_.Message("index %-4d", NegativeEigenvalues(j));
      messages_.Message("step  %g\n", mu);
    }
    if (!accepted) break;
  }
  SetParameters(x);
  if (nearest_.parameters.empty() || norm < nearest_.norm) {
    nearest_.norm = norm;
    nearest_.parameters = x;
  }
  if (measure > kMeasureThreshold && norm < 1e-4) PolishStage();
  x = Parameters();
  measure = std::fabs(AngleDefects(x, defects));
  return measure > kMeasureThreshold && Norm(defects) < 1e-9;
}

void THyperbolicStructureSolver::AssembleAngleDerivatives(const std::vector<double>& x, TDenseMatrix& j) const {
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    int darts[6], e[6];
    LocalDarts(store_.TetrahedronDart(p), darts);
    TTetrahedronParameters params;
    for (int k = 0; k < 6; ++k) {
      e[k] = store_.EdgeOf(darts[k]);
      params[static_cast<std::size_t>(k)] = x[static_cast<std::size_t>(e[k])];
    }
    TAngleDerivativeMatrix d;
    TetrahedronAngleDerivatives(params, d);
    const double sign = store_.Orientation(darts[0]);
    for (int a = 0; a < 6; ++a) {
      for (int b = 0; b < 6; ++b) j(e[a], e[b]) += sign * d[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    }
  }
}

void THyperbolicStructureSolver::PolishStage() {
  const int edges = store_.EdgeCount();
  std::vector<double> x = Parameters();
  std::vector<double> defects;
  if (AngleDefects(x, defects) == 0.0) return;
  double norm = Norm(defects);
  for (int iteration = 0; iteration < kPolishIterations && norm > 0; ++iteration) {
    ThrowIfStopRequested();
    std::vector<double> motion;
    const int columns = 3 * VertexMotionMatrix(store_, motion);
    const int order = edges + columns;
    TDenseMatrix m(order);
    TDenseMatrix j(edges);
    AssembleAngleDerivatives(x, j);
    for (int a = 0; a < edges; ++a) {
      for (int b = 0; b < edges; ++b) m(a, b) = j(a, b);
      for (int c = 0; c < columns; ++c) {
        const double v = motion[static_cast<std::size_t>(a) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
        m(a, edges + c) = v;
        m(edges + c, a) = v;
      }
    }
    const int index = messages_.Verbose() ? NegativeEigenvalues(m) : 0;
    std::vector<double> z(static_cast<std::size_t>(order), 0.0);
    std::copy(defects.begin(), defects.end(), z.begin());
    if (!SolveDense(m, z)) return;
    std::vector<double> trial(x.size()), trialDefects;
    for (std::size_t e = 0; e < x.size(); ++e) {
      const double h = std::sinh((EdgeLength(x[e]) - z[e]) / 2);
      trial[e] = 2 * h * h;
    }
    if (AngleDefects(trial, trialDefects) == 0.0) return;
    const double trialNorm = Norm(trialDefects);
    if (messages_.Verbose()) {
      const auto [lo, hi] = std::minmax_element(trialDefects.begin(), trialDefects.end());
      messages_.Message("K %c 0\t  [%.8f, %.8f]\t", trial[0] > 0 ? '<' : (trial[0] == 0 ? '=' : '>'),
                        kTwoPi + *lo, kTwoPi + *hi);
      messages_.Message("index %-4d", index);
      messages_.Message("step  1\n");
    }
    if (!(trialNorm < norm)) return;
    x = trial;
    defects = trialDefects;
    norm = trialNorm;
    SetParameters(x);
  }
}

THyperbolicOutcome THyperbolicStructureSolver::Solve() {
  if (store_.EdgeCount() == 0) return kNoEdgesOrSpherical;
  store_.ResetOrientations();
  path_.clear();
  nearest_ = {};
  // The paths of the failed length stages, each ending where it stalled.
  std::vector<std::vector<std::vector<double>>> stalled;
  auto remember = [&] {
    std::vector<double> x = Parameters(), defects;
    if (path_.empty() || AngleDefects(x, defects) == 0.0) return;
    stalled.push_back(path_);
    stalled.back().push_back(x);
  };
  bool solved = IdealStage() && LengthNewtonStage();
  // Where the ideal stage finds no start (an ideal structure with equal angle
  // sums need not exist on every triangulation), the length stage, which
  // only ever lowers the defects, is tried from regular tetrahedra of a few
  // sizes.
  for (double start : {2.0, 0.5, 8.0}) {
    if (solved) break;
    remember();
    store_.SetAllParameters(start);
    solved = LengthNewtonStage();
  }
  if (!solved) {
    remember();
    for (std::size_t k = 0; k < stalled.size() && !solved && turning_; ++k) solved = SolveWithTurnedTetrahedra(stalled[k]);
  }
  if (!solved) {
    // Leave the nearest approach in the store: the faces where it folds
    // guide the moves that follow.
    if (!nearest_.parameters.empty()) SetParameters(nearest_.parameters);
    store_.ResetOrientations();
    return kSolverGaveUp;
  }
  bool below = false, above = false;
  for (int e = 0; e < store_.EdgeCount(); ++e) {
    const double x = store_.Edge(e).parameter;
    below = below || x < -0.0001;
    above = above || x > 0.0001;
  }
  if (!below && above) return kHyperbolicStructureFound;
  if (below && !above) return kNoEdgesOrSpherical;
  return kNoSolutionParameters;
}

double THyperbolicStructureSolver::Flatness(const std::vector<double>& x, int position) const {
  int darts[6];
  TTetrahedronAngles theta;
  if (!TetrahedronAnglesAt(store_, x, position, darts, theta)) return 0.0;
  double least = kPi;
  for (double t : theta) least = std::min(least, std::min(t, kPi - t));
  return least;
}

int THyperbolicStructureSolver::WideAngles(const std::vector<double>& x, int position) const {
  int darts[6];
  TTetrahedronAngles theta;
  if (!TetrahedronAnglesAt(store_, x, position, darts, theta)) return 0;
  int mask = 0;
  for (int k = 0; k < 6; ++k) {
    if (theta[static_cast<std::size_t>(k)] > kPi / 2) mask |= 1 << k;
  }
  return mask;
}

int THyperbolicStructureSolver::FlattestTetrahedron(const std::vector<double>& x,
                                                    const std::vector<char>& excluded) const {
  int flattest = -1;
  double least = kPi;
  for (int p = 0; p < store_.TetrahedronCount(); ++p) {
    if (excluded[static_cast<std::size_t>(p)]) continue;
    const double flatness = Flatness(x, p);
    if (flatness > 0 && flatness < least) {
      least = flatness;
      flattest = p;
    }
  }
  return flattest;
}

bool THyperbolicStructureSolver::SolveWithTurnedTetrahedra(std::vector<std::vector<double>> path) {
  const int count = store_.TetrahedronCount();
  std::vector<char> turned(static_cast<std::size_t>(count), 0);
  const int turns = std::min(count, kMostTurnedTetrahedra);
  for (int turn = 0; turn < turns && !path.empty(); ++turn) {
    ThrowIfStopRequested();
    const int p = FlattestTetrahedron(path.back(), turned);
    if (p < 0) break;
    turned[static_cast<std::size_t>(p)] = 1;
    // Turned where it lies flat, the tetrahedron's angles hardly move the
    // sums, but its angles change infinitely fast with the lengths there; so
    // the length stage restarts from points on the segment from the start of
    // the path to where it stalled, at which the tetrahedron is not yet
    // quite flat (found by bisection, a few flatnesses).
    const int dart = store_.TetrahedronDart(p);
    const std::vector<double>& from = path.front();
    const std::vector<double>& to = path.back();
    std::vector<double> point(to.size());
    auto blend = [&](double t) {
      for (std::size_t e = 0; e < point.size(); ++e) point[e] = (1 - t) * from[e] + t * to[e];
      return Flatness(point, p);
    };
    // The turn goes on from the path that got nearest to a solution.
    std::vector<std::vector<double>> nearest;
    double nearestNorm = 0;
    int nearestMask = 0;
    for (double flatness : kRestartFlatness) {
      double low = 0, high = 1;
      if (blend(low) < flatness) continue;
      for (int halving = 0; halving < 40; ++halving) {
        const double middle = (low + high) / 2;
        (blend(middle) >= flatness ? low : high) = middle;
      }
      blend(low);
      // Turned, the tetrahedron's angle theta at an edge adds -theta, up to
      // a whole turn: 2 pi - theta for the angles near pi, so that the sums
      // change little where it is turned, and the sums stay continuous
      // while it moves (the whole turn is fixed here, not chosen anew).
      store_.SetOrientation(dart, -1, WideAngles(point, p));
      SetParameters(point);
      const bool ok = LengthNewtonStage();
      if (ok) return true;
      std::vector<double> defects;
      const std::vector<double> x = Parameters();
      if (AngleDefects(x, defects) != 0.0 && (nearest.empty() || Norm(defects) < nearestNorm)) {
        nearest = path_;
        nearest.push_back(x);
        nearestNorm = Norm(defects);
        nearestMask = store_.WideAngleMask(dart);
      }
    }
    if (nearest.size() < 2) break;
    path = std::move(nearest);
    store_.SetOrientation(dart, -1, nearestMask);
  }
  store_.ResetOrientations();
  return false;
}
