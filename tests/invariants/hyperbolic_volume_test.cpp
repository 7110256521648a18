// The hyperbolic volume engine: the tetrahedron kernel and the Lobachevsky
// function against known values, the triangulation store's moves, the spine
// text parser's refusals, and the volumes of the two smallest closed
// hyperbolic manifolds from several triangulations of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/hyperbolic/face_retriangulation.h"
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "invariants/hyperbolic/spine_curves_text.h"
#include "invariants/hyperbolic/spine_text_parser.h"
#include "invariants/hyperbolic/structure_solver.h"
#include "invariants/hyperbolic/symmetric_indefinite_solve.h"
#include "invariants/hyperbolic/tetrahedron_formulas.h"
#include "invariants/hyperbolic/triangulation_store.h"
#include "invariants/hyperbolic/volume_evaluation.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/curves_text.h"
#include "support/dual_spine_text.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kWeeks = 0.9427073627769277;
constexpr double kMeyerhoff = 0.9813688288922320;
const char* const kWeeksSignature = "jLvAMPQadfgghhiiijaqgjqxims";
const char* const kMeyerhoffSignature = "jLvALQQadfgfihhiijaqjvuxxec";

// The dart cycles of the census triangulation of a signature.
void ReadCensusDartCycles(const char* signature, TEngineMessages& messages, std::vector<int>& cycles) {
  int count = 0;
  const std::string census = CurvesTextOf(signature);
  ASSERT_TRUE(ParseSpineTextToDartCycles(census.c_str(), messages, cycles, count));
}

// ---- Kernel ----

TEST(HyperbolicKernelTest, LobachevskyKnownValues) {
  EXPECT_EQ(Lobachevsky(0.0), 0.0);
  EXPECT_NEAR(Lobachevsky(kPi), 0.0, 1e-15);
  EXPECT_NEAR(3 * Lobachevsky(kPi / 3), 1.0149416064096536, 1e-15);
  EXPECT_NEAR(Lobachevsky(kPi / 4), 0.4579827970886095, 1e-15);  // Catalan's constant / 2
  EXPECT_NEAR(Lobachevsky(kPi / 6), 1.5 * Lobachevsky(kPi / 3), 1e-15);
  // Odd and pi-periodic.
  for (double t : {0.1, 0.7, 1.3, 2.9}) {
    EXPECT_NEAR(Lobachevsky(-t), -Lobachevsky(t), 1e-15) << t;
    EXPECT_NEAR(Lobachevsky(t + kPi), Lobachevsky(t), 1e-14) << t;
  }
}

TEST(HyperbolicKernelTest, IdealTetrahedraOfTheFigureEightComplement) {
  // Two regular ideal tetrahedra: all products of opposite decorations equal.
  std::array<double, 3> alpha;
  ASSERT_TRUE(IdealAngles(1.0, 1.0, 1.0, alpha));
  for (double a : alpha) EXPECT_NEAR(a, kPi / 3, 1e-15);
  double volume = 0;
  for (int t = 0; t < 2; ++t) {
    for (double a : alpha) volume += Lobachevsky(a);
  }
  EXPECT_NEAR(volume, 2.029883212819307, 1e-14);
  // A flat triangle of products is no ideal tetrahedron.
  EXPECT_FALSE(IdealAngles(1.0, 1.0, 4.0, alpha));
}

TEST(HyperbolicKernelTest, TetrahedronAnglesRefuseWhatIsNoTetrahedron) {
  TTetrahedronAngles theta;
  const TTetrahedronParameters refused[] = {
      {1, 1, 1, 1, 1, -0.5},     // mixed signs
      {1, 1, 1, 1, 1, 0},        // a zero parameter
      {-2, -1, -1, -1, -1, -1},  // at most -2
      {50, 1, 1, 1, 1, 1},       // face u is no triangle (50 against 1, 1)
  };
  for (const auto& x : refused) EXPECT_FALSE(TetrahedronAngles(x, theta));
  const TTetrahedronParameters huge = {1e12, 1e12, 1e12, 1e12, 1e12, 1e12};
  ASSERT_TRUE(TetrahedronAngles(huge, theta));
  for (double t : theta) EXPECT_NEAR(t, kPi / 3, 1e-5);
}

TEST(HyperbolicKernelTest, AngleDerivativesMatchDifferenceQuotients) {
  const double lengths[6] = {1.1, 0.9, 1.3, 1.0, 0.8, 1.2};
  TTetrahedronParameters x;
  for (int k = 0; k < 6; ++k) x[static_cast<std::size_t>(k)] = std::cosh(lengths[k]) - 1;
  TTetrahedronAngles theta;
  ASSERT_TRUE(TetrahedronAngles(x, theta));
  TAngleDerivativeMatrix m;
  TetrahedronAngleDerivatives(x, m);
  const double h = 1e-6;
  for (int j = 0; j < 6; ++j) {
    TTetrahedronParameters up = x, down = x;
    up[static_cast<std::size_t>(j)] = std::cosh(lengths[j] + h) - 1;
    down[static_cast<std::size_t>(j)] = std::cosh(lengths[j] - h) - 1;
    TTetrahedronAngles a, b;
    ASSERT_TRUE(TetrahedronAngles(up, a));
    ASSERT_TRUE(TetrahedronAngles(down, b));
    for (int i = 0; i < 6; ++i) {
      EXPECT_NEAR(m[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)],
                  (a[static_cast<std::size_t>(i)] - b[static_cast<std::size_t>(i)]) / (2 * h), 1e-7)
          << i << "," << j;
    }
  }
}

// ---- Store ----

// A dart of a tetrahedron of the store, both drawn from random.
int RandomDart(const TTriangulationStore& store, std::mt19937& random) {
  return store.TetrahedronDart(static_cast<int>(random() % static_cast<unsigned>(store.TetrahedronCount()))) +
         static_cast<int>(random() % 12);
}

// ---- Symmetric indefinite solve ----

// Solves with the Bunch-Kaufman factorization; the residual of the solution
// and the number of negative eigenvalues it reports.
double FactoredResidual(const TDenseMatrix& m, const std::vector<double>& rhs, int& negative) {
  TDenseMatrix factored = m;
  std::vector<int> pivots;
  if (!FactorSymmetric(factored, pivots)) return -1;
  negative = NegativeIndex(factored, pivots);
  std::vector<double> z = rhs;
  SolveFactored(factored, pivots, z);
  double worst = 0;
  for (int i = 0; i < m.n; ++i) {
    double row = -rhs[static_cast<std::size_t>(i)];
    for (int j = 0; j < m.n; ++j) row += m(i, j) * z[static_cast<std::size_t>(j)];
    worst = std::max(worst, std::fabs(row));
  }
  return worst;
}

TEST(HyperbolicSymmetricSolveTest, SolvesAndCountsNegativeEigenvalues) {
  // M = L D L^T with L unit lower triangular and a diagonal D of chosen
  // signs: M has as many negative eigenvalues as D (Sylvester). Zero
  // diagonals and large off-diagonal entries force 2 x 2 pivots and
  // interchanges.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> uniform(-1, 1);
  for (int n = 1; n <= 14; ++n) {
    for (int negatives = 0; negatives <= n; negatives += std::max(1, n / 3)) {
      TDenseMatrix l(n), m(n);
      std::vector<double> d(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) {
        l(i, i) = 1;
        for (int j = 0; j < i; ++j) l(i, j) = uniform(random);
        d[static_cast<std::size_t>(i)] = (i < negatives ? -1 : 1) * (0.25 + 2 * std::fabs(uniform(random)));
      }
      for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
          for (int k = 0; k < n; ++k) m(i, j) += l(i, k) * d[static_cast<std::size_t>(k)] * l(j, k);
        }
      }
      std::vector<double> rhs(static_cast<std::size_t>(n));
      for (double& v : rhs) v = uniform(random);
      int negative = -1;
      EXPECT_LT(FactoredResidual(m, rhs, negative), 1e-10) << n << " " << negatives;
      EXPECT_EQ(negative, negatives) << n;
    }
  }
  // Zero diagonals: only 2 x 2 pivots apply.
  TDenseMatrix swap(2);
  swap(0, 1) = swap(1, 0) = 1;
  int negative = -1;
  EXPECT_LT(FactoredResidual(swap, {2, 3}, negative), 1e-15);
  EXPECT_EQ(negative, 1);
  TDenseMatrix path(4);
  for (int i = 0; i + 1 < 4; ++i) path(i, i + 1) = path(i + 1, i) = i + 1.0;
  EXPECT_LT(FactoredResidual(path, {1, -1, 2, 5}, negative), 1e-12);
  EXPECT_EQ(negative, 2);
  // A zero column: singular, refused.
  TDenseMatrix singular(3);
  singular(0, 0) = 1;
  singular(0, 1) = singular(1, 0) = 2;
  singular(1, 1) = 4;
  std::vector<int> pivots;
  EXPECT_FALSE(FactorSymmetric(singular, pivots));
}

TEST(HyperbolicSymmetricSolveTest, AStopEndsALargeFactorization) {
  TDenseMatrix m(200);
  for (int i = 0; i < m.n; ++i) m(i, i) = i % 2 == 0 ? 1 : -1;
  std::vector<int> pivots;
  RequestStop();
  EXPECT_THROW(FactorSymmetric(m, pivots), TComputationStopped);
}

TEST(HyperbolicStoreTest, DartTables) {
  // RotateDart(d, 1) runs through the three darts with the same tail; type 2
  // is its inverse; the dart from letter a to b has that tail and head.
  for (int code = 0; code < 12; ++code) {
    const int r = RotateDart(code, 1);
    EXPECT_EQ(DartTail(r), DartTail(code));
    EXPECT_NE(DartHead(r), DartHead(code));
    EXPECT_EQ(RotateDart(RotateDart(RotateDart(code, 1), 1), 1), code);
    EXPECT_EQ(RotateDart(r, 2), code);
    EXPECT_EQ(DartTail(code ^ 1), DartHead(code));
  }
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) {
      if (a == b) continue;
      EXPECT_EQ(DartTail(DartFromLetters(a, b)), a);
      EXPECT_EQ(DartHead(DartFromLetters(a, b)), b);
    }
  }
}

// The census triangulation of the Weeks manifold, as the engine reads it.
bool BuildWeeks(TTriangulationStore& store) {
  TEngineMessages messages;
  std::vector<int> cycles;
  int count = 0;
  const std::string text = CurvesTextOf(kWeeksSignature);
  return ParseSpineTextToDartCycles(text.c_str(), messages, cycles, count) &&
         store.BuildFromDartCycles(cycles) && store.CheckGluingConsistency() == count;
}

TEST(HyperbolicStoreTest, TwoThreeAndThreeTwoMovesKeepAClosedTriangulation) {
  TEngineMessages messages;
  TTriangulationStore store(messages);
  ASSERT_TRUE(BuildWeeks(store));
  ASSERT_EQ(store.TetrahedronCount(), 9);
  std::vector<int> ends;
  EXPECT_EQ(store.LabelVertices(ends), 1);
  EXPECT_EQ(store.EdgeCount(), 10);
  std::mt19937 random(7);
  int made = 0;
  for (int attempt = 0; attempt < 40 && made < 6; ++attempt) {
    const int d = RandomDart(store, random);
    if (store.TwoThreeMove(d) >= 0) ++made;
  }
  EXPECT_EQ(made, 6);
  EXPECT_EQ(store.TetrahedronCount(), 15);
  EXPECT_EQ(store.EdgeCount(), 16);  // one vertex: E = T + 1
  EXPECT_EQ(store.CheckGluingConsistency(), store.EdgeCount());
  EXPECT_EQ(store.LabelVertices(ends), 1);
  // Sorted, the last edge has the lowest order; the reductions (2-0 and 3-2
  // moves) take the triangulation back to the minimal one.
  store.SortEdgesByOrder();
  for (int e = 0; e < store.EdgeCount(); ++e) EXPECT_GE(store.Edge(e).order, store.Edge(store.EdgeCount() - 1).order);
  EXPECT_LE(store.Edge(store.EdgeCount() - 1).order, 3);
  EXPECT_GE(store.ReduceLowOrderEdges(), 3);
  EXPECT_EQ(store.TetrahedronCount(), 9);
  EXPECT_EQ(store.CheckGluingConsistency(), 10);
  EXPECT_TRUE(messages.Text().empty()) << messages.Text();
}

TEST(HyperbolicStoreTest, RefusedMovesLeaveTheStoreAsItWas) {
  TEngineMessages messages;
  TTriangulationStore store(messages);
  ASSERT_TRUE(BuildWeeks(store));
  const std::vector<int> before = store.WriteDartCycles();
  // No edge of the minimal triangulation has order 1, 2 or 3.
  for (int e = 0; e < store.EdgeCount(); ++e) {
    const int d = store.Edge(e).dart;
    EXPECT_EQ(store.ThreeTwoMove(d), -1);
    EXPECT_EQ(store.TwoZeroMove(d), -1);
    EXPECT_EQ(store.ReduceOrderOneEdge(d), 0);
  }
  EXPECT_EQ(store.WriteDartCycles(), before);
}

// ---- Parser ----

struct TParseCase {
  std::string text;
  const char* message;  // the engine's text, or null for an accepted text
};

TEST(HyperbolicParserTest, RefusalsNameTheirReason) {
  std::string longText;
  for (int i = 0; i < 601; ++i) longText += "1 ";
  longText += "z";
  const TParseCase cases[] = {
      {"1 2 3 4 5 6 7z", "The spine is not special\n"},
      {"1 2 0 4 5 6z", "There is an edge with number 0\n"},
      {"1 3 -3 4 5 6z", "Return pass of curve 1 on edge 3\n"},
      {"1 2 3z4 5 -4z", "Return pass of curve 2 on edge 4\n"},
      {"1 2 3zzz4 5 -4z", "Return pass of curve 4 on edge 4\n"},  // empty curves count
      {longText, "Total length of curves exceeds maximal admissible value\n"},
      {"1 2 3 4 5 6z", "The edge 6 has valency 1\n"},
  };
  for (const TParseCase& c : cases) {
    TEngineMessages messages;
    std::vector<int> cycles;
    int count = 0;
    EXPECT_FALSE(ParseSpineTextToDartCycles(c.text.c_str(), messages, cycles, count)) << c.text;
    EXPECT_EQ(messages.Text(), c.message) << c.text;
  }
}

TEST(HyperbolicParserTest, TwoSpinesInOneTextAreNotConnected) {
  // The spine of L(3,1) written twice with disjoint edge numbers.
  const std::string one = CurvesTextOf("cPcbbbaai");
  ASSERT_FALSE(one.empty());
  std::string shifted;
  for (std::size_t i = 0; i < one.size();) {
    if (std::isdigit(static_cast<unsigned char>(one[i]))) {
      std::size_t end = i;
      while (end < one.size() && std::isdigit(static_cast<unsigned char>(one[end]))) ++end;
      shifted += std::to_string(std::stoi(one.substr(i, end - i)) + 100);
      i = end;
    } else {
      shifted += one[i++];
    }
  }
  TEngineMessages messages;
  std::vector<int> cycles;
  int count = 0;
  EXPECT_TRUE(ParseSpineTextToDartCycles(one.c_str(), messages, cycles, count));
  EXPECT_FALSE(ParseSpineTextToDartCycles((one + shifted).c_str(), messages, cycles, count));
  EXPECT_EQ(messages.Text(), "The spine is not connected\n");
}

// ---- Volumes ----

TEST(HyperbolicVolumeTest, SmallestClosedManifoldsFromTheirCensusSpines) {
  struct TCase {
    const char* signature;
    double volume;
  };
  for (const TCase& c : {TCase{kWeeksSignature, kWeeks}, TCase{kMeyerhoffSignature, kMeyerhoff}}) {
    const std::string text = CurvesTextOf(c.signature);
    THyperbolicVolumeEngine engine;
    double volume = -1;
    ASSERT_TRUE(engine.HyperbolicVolume(text.c_str(), volume)) << c.signature << engine.Messages().Text();
    EXPECT_NEAR(volume, c.volume, 1e-12) << c.signature;
    // All per-call state is reset: the same text again gives the same value.
    double again = -1;
    ASSERT_TRUE(engine.HyperbolicVolume(text.c_str(), again));
    EXPECT_EQ(again, volume);
  }
}

TEST(HyperbolicVolumeTest, OtherTriangulationsGiveTheSameVolume) {
  // Random 2-3 moves on the census triangulation, written back as a spine:
  // the engine reads a different spine of the same manifold.
  for (const char* signature : {kWeeksSignature, kMeyerhoffSignature}) {
    const double expected = signature == kWeeksSignature ? kWeeks : kMeyerhoff;
    for (unsigned seed : {1u, 2u, 3u}) {
      TEngineMessages messages;
      TTriangulationStore store(messages);
      std::vector<int> cycles;
      ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles(signature, messages, cycles));
      ASSERT_TRUE(store.BuildFromDartCycles(cycles));
      std::mt19937 random(seed);
      for (int made = 0, attempt = 0; made < 4 && attempt < 100; ++attempt) {
        const int d = RandomDart(store, random);
        if (store.TwoThreeMove(d) >= 0) ++made;
      }
      ASSERT_EQ(store.TetrahedronCount(), 13);
      const std::string text = DualSpineCurvesText(store);
      THyperbolicVolumeEngine engine;
      double volume = -1;
      ASSERT_TRUE(engine.HyperbolicVolume(text.c_str(), volume)) << signature << " " << seed;
      EXPECT_NEAR(volume, expected, 1e-10) << signature << " " << seed;
    }
  }
}

// A 1-4 move (a new vertex inside a tetrahedron with no face glued to
// itself) on the triangulation built from the list, written back as a
// dart-cycle list. Empty when every tetrahedron has a self-glued face.
std::vector<int> WithOneFourMove(const std::vector<int>& list) {
  TEngineMessages messages;
  TTriangulationStore store(messages);
  if (!store.BuildFromDartCycles(list)) return {};
  const int count = store.TetrahedronCount();
  std::vector<int> next(static_cast<std::size_t>(12 * (count + 3)), -1);
  for (int d = 0; d < 12 * count; ++d) next[static_cast<std::size_t>(d)] = store.Next(d);
  int old = -1;
  for (int p = 0; p < count && old < 0; ++p) {
    bool self = false;
    for (int code = 0; code < 12; ++code) self = self || store.Next(12 * p + code) / 12 == p;
    if (!self) old = 12 * p;
  }
  if (old < 0) return {};
  auto glue = [&](int a, int b) {  // as TTriangulationStore's Glue
    for (int i = 0; i < 3; ++i) {
      const int p = RotateDart(a, i), q = RotateDart(b, 3 - i);
      next[static_cast<std::size_t>(p)] = q ^ 1;
      next[static_cast<std::size_t>(q)] = p ^ 1;
    }
  };
  // Tetrahedron k is the cone from the new vertex over face k of the old one
  // (whose place the first takes); its corner k is the new vertex.
  const int t[4] = {old, 12 * count, 12 * count + 12, 12 * count + 24};
  int outer[4];
  for (int k = 0; k < 4; ++k) outer[k] = store.Next(old + DartFromLetters(k, (k + 1) % 4)) ^ 1;
  for (int k = 0; k < 4; ++k) glue(t[k] + DartFromLetters(k, (k + 1) % 4), outer[k]);
  for (int j = 0; j < 4; ++j) {
    for (int k = j + 1; k < 4; ++k) {
      // Face j of cone k meets face k of cone j: the new vertex to itself,
      // the two old vertices to themselves.
      bool glued = false;
      for (int h1 = 0; h1 < 4 && !glued; ++h1) {
        for (int h2 = 0; h2 < 4 && !glued; ++h2) {
          if (h1 == j || h2 == k) continue;
          const int a = DartFromLetters(j, h1), b = DartFromLetters(k, h2);
          bool fits = true;
          for (int i = 0; i < 3; ++i) {
            const int from = DartHead(RotateDart(a, i)), to = DartHead(RotateDart(b, 3 - i));
            fits = fits && to == (from == k ? j : from);
          }
          if (fits) {
            glue(t[k] + a, t[j] + b);
            glued = true;
          }
        }
      }
    }
  }
  std::vector<int> cycles;
  std::vector<char> seen(next.size() / 2, 0);
  for (int d = 0; d < static_cast<int>(next.size()); ++d) {
    if (seen[static_cast<std::size_t>(d / 2)]) continue;
    int e = d;
    do {
      seen[static_cast<std::size_t>(e / 2)] = 1;
      cycles.push_back(e);
      e = next[static_cast<std::size_t>(e)];
    } while (e != d && e >= 0 && cycles.size() < 10 * next.size());
    cycles.push_back(-1);
  }
  cycles.push_back(-2);
  return cycles;
}

TEST(HyperbolicVolumeTest, TriangulationsWithTwoVertices) {
  TEngineMessages messages;
  std::vector<int> cycles;
  ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles(kMeyerhoffSignature, messages, cycles));
  TTriangulationStore store(messages);
  ASSERT_TRUE(store.BuildFromDartCycles(WithOneFourMove(cycles)));
  ASSERT_EQ(store.CheckGluingConsistency(), store.EdgeCount());
  std::vector<int> ends;
  ASSERT_EQ(store.LabelVertices(ends), 2);
  EXPECT_EQ(store.TetrahedronCount(), 12);
  // The solver on the two-vertex triangulation itself (each vertex moves
  // freely: six directions of solutions).
  store.SortEdgesByOrder();
  store.SetAllParameters(1.0e12);
  THyperbolicStructureSolver solver(store, messages);
  ASSERT_EQ(solver.Solve(), kHyperbolicStructureFound);
  EXPECT_NEAR(VolumeFromParameters(store), kMeyerhoff, 1e-11);
  // Its dual spine is bounded by two spheres; the command takes it (as a
  // document: one cell per line).
  std::string document = DualSpineCurvesText(store);
  std::replace(document.begin(), document.end(), 'z', '\n');
  TOptionValues options;
  TCommandResult result = RunCommandOnText(31, document, options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone) << result.shown;
  EXPECT_EQ(result.shown.rfind("Hyperbolic volume is 0.98136882889", 0), 0u) << result.shown;
}

double DefectNorm(const TTriangulationStore& store, TEngineMessages& messages) {
  TTriangulationStore copy = store;
  THyperbolicStructureSolver solver(copy, messages);
  std::vector<double> x, defects;
  for (int e = 0; e < store.EdgeCount(); ++e) x.push_back(store.Edge(e).parameter);
  if (solver.AngleDefects(x, defects) == 0.0) return -1;
  double sum = 0;
  for (double d : defects) sum += d * d;
  return std::sqrt(sum);
}

TEST(HyperbolicRetriangulationTest, MovesAcrossFacesKeepTheStructure) {
  // On a solved triangulation, 2-3 moves across faces with the new edge's
  // computed parameter, and 3-2 moves, keep every angle sum at 2 pi and the
  // volume: so do the moves of the face-guided retriangulation.
  THyperbolicVolumeEngine engine;
  double volume = -1;
  ASSERT_TRUE(engine.HyperbolicVolume(CurvesTextOf(kWeeksSignature).c_str(), volume));
  TEngineMessages messages;
  TTriangulationStore guided = engine.Store();
  const int improvable = CountImprovableFaces(guided);
  const int before = guided.TetrahedronCount();
  RetriangulateAlongFaces(guided);
  EXPECT_EQ(guided.WriteDartCycles() != engine.Store().WriteDartCycles(), improvable > 0);
  EXPECT_LE(guided.TetrahedronCount(), 3 * before);
  EXPECT_LT(DefectNorm(guided, messages), 1e-9);
  EXPECT_NEAR(VolumeFromParameters(guided), kWeeks, 1e-10);

  TTriangulationStore store = engine.Store();
  int made = 0, last = -1;
  for (int p = 0; p < store.TetrahedronCount() && made < 3; ++p) {
    const int a = store.TetrahedronDart(p) + 1;
    double parameter = 0;
    if (!NewEdgeParameter(store.TetrahedronParameters(a), store.TetrahedronParameters(store.Next(a) ^ 1), parameter)) {
      continue;
    }
    const int t = store.TwoThreeMove(a);
    ASSERT_GE(t, 0);
    EXPECT_EQ(store.Edge(store.EdgeOf(t)).parameter, 0.0);  // a new edge starts at 0
    store.Edge(store.EdgeOf(t)).parameter = parameter;
    last = t;
    ++made;
    EXPECT_LT(DefectNorm(store, messages), 1e-9) << made;
    EXPECT_NEAR(VolumeFromParameters(store), kWeeks, 1e-10) << made;
  }
  EXPECT_EQ(made, 3);
  ASSERT_GE(store.ThreeTwoMove(last), 0);
  EXPECT_LT(DefectNorm(store, messages), 1e-9);
  EXPECT_NEAR(VolumeFromParameters(store), kWeeks, 1e-10);
}

TEST(HyperbolicRetriangulationTest, StructuresWithATetrahedronTurnedInsideOut) {
  // A 2-3 move across a face of the solved census triangulation of the
  // Weeks manifold whose two tetrahedra meet at a reflex edge (dihedral
  // angles adding up to more than pi): the new edge runs outside them, and
  // the structure on the ten tetrahedra has one of the three new ones turned
  // inside out. The solver finds it, and the volume counts it negatively.
  THyperbolicVolumeEngine engine;
  double volume = -1;
  ASSERT_TRUE(engine.HyperbolicVolume(CurvesTextOf(kWeeksSignature).c_str(), volume));
  int tried = 0;
  for (int p = 0; p < engine.Store().TetrahedronCount(); ++p) {
    for (int face = 0; face < 4; ++face) {
      TTriangulationStore store = engine.Store();
      const int a = store.TetrahedronDart(p) + face;
      double parameter = 0;
      if (NewEdgeParameter(store.TetrahedronParameters(a), store.TetrahedronParameters(store.Next(a) ^ 1), parameter)) {
        continue;
      }
      if (store.TwoThreeMove(a) < 0) continue;
      ++tried;
      TEngineMessages messages;
      store.SortEdgesByOrder();
      store.SetAllParameters(1.0e12);
      THyperbolicStructureSolver solver(store, messages);
      ASSERT_EQ(solver.Solve(), kHyperbolicStructureFound) << p << " " << face;
      int turned = 0;
      for (int q = 0; q < store.TetrahedronCount(); ++q) turned += store.Orientation(store.TetrahedronDart(q)) < 0;
      EXPECT_LE(turned, 1) << p << " " << face;
      EXPECT_LT(DefectNorm(store, messages), 1e-9) << p << " " << face;
      EXPECT_NEAR(VolumeFromParameters(store), kWeeks, 1e-10) << p << " " << face;
    }
  }
  EXPECT_GE(tried, 5);
}

TEST(HyperbolicStoreTest, MovesAmongTetrahedraGluedToEachOther) {
  // Where the tetrahedra a move replaces are glued to one another across
  // more faces than the move's own, those gluings pass to the new
  // tetrahedra: the move is made, the triangulation stays a closed one with
  // one vertex, and the engine reads the same manifold from it. Random 2-3
  // and 3-2 moves on the census triangulation make such pairs.
  TEngineMessages messages;
  std::vector<int> cycles;
  ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles(kWeeksSignature, messages, cycles));
  int made = 0;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    TTriangulationStore base(messages);
    ASSERT_TRUE(base.BuildFromDartCycles(cycles));
    std::mt19937 random(seed);
    for (int step = 0; step < 60; ++step) {
      const int d = RandomDart(base, random);
      if (base.TetrahedronCount() < 14 || random() % 2 == 0) base.TwoThreeMove(d);
      else base.ThreeTwoMove(d);
    }
    for (int p = 0; p < base.TetrahedronCount() && made < 12; ++p) {
      for (int face = 0; face < 4; ++face) {
        const int a = base.TetrahedronDart(p) + face;
        const int b = base.Next(a) ^ 1;
        if (a / 12 == b / 12) continue;
        int shared = 0;
        for (int other = 0; other < 4; ++other) shared += base.Next(base.TetrahedronDart(p) + other) / 12 == b / 12 ? 1 : 0;
        if (shared < 2) continue;
        TTriangulationStore store = base;
        ASSERT_GE(store.TwoThreeMove(a), 0) << seed << " " << p << " " << face;
        ASSERT_EQ(store.CheckGluingConsistency(), store.EdgeCount());
        std::vector<int> ends;
        EXPECT_EQ(store.LabelVertices(ends), 1);
        EXPECT_EQ(store.TetrahedronCount(), base.TetrahedronCount() + 1);
        THyperbolicVolumeEngine engine;
        double volume = -1;
        ASSERT_TRUE(engine.HyperbolicVolume(DualSpineCurvesText(store).c_str(), volume)) << seed << " " << p;
        EXPECT_NEAR(volume, kWeeks, 1e-10);
        ++made;
      }
    }
  }
  EXPECT_GT(made, 0);
  EXPECT_EQ(messages.Text(), "");
}

TEST(HyperbolicStoreTest, OrderOneEdgesAreReducedOrLeftAsTheyWere) {
  // Random 2-3, 3-2 and 4-4 moves make edges of order 1. Reducing one either
  // removes a tetrahedron (result 1) or leaves the triangulation exactly as
  // it was (result 0), so the reduction loop ends.
  TEngineMessages messages;
  std::vector<int> cycles;
  ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles(kMeyerhoffSignature, messages, cycles));
  int reduced = 0;
  for (unsigned seed = 1; seed <= 40 && reduced < 10; ++seed) {
    TTriangulationStore store(messages);
    ASSERT_TRUE(store.BuildFromDartCycles(cycles));
    std::mt19937 random(seed);
    for (int step = 0; step < 80; ++step) {
      const int d = RandomDart(store, random);
      const unsigned kind = random() % 3;
      if (kind == 0 || store.TetrahedronCount() < 12) store.TwoThreeMove(d);
      else if (kind == 1) store.ThreeTwoMove(d);
      else store.FourFourMove(d);
    }
    for (int e = 0; e < store.EdgeCount(); ++e) {
      if (store.Edge(e).order != 1) continue;
      TTriangulationStore copy = store;
      const std::vector<int> before = copy.WriteDartCycles();
      const int result = copy.ReduceOrderOneEdge(store.Edge(e).dart);
      if (result == 0) {
        EXPECT_EQ(copy.WriteDartCycles(), before);
        continue;
      }
      ASSERT_EQ(result, 1);
      EXPECT_EQ(copy.TetrahedronCount(), store.TetrahedronCount() - 1);
      ASSERT_EQ(copy.CheckGluingConsistency(), copy.EdgeCount());
      std::vector<int> ends;
      EXPECT_EQ(copy.LabelVertices(ends), 1);
      ++reduced;
    }
    const int tetrahedra = store.TetrahedronCount();
    EXPECT_LE(store.ReduceLowOrderEdges(), tetrahedra);
  }
  EXPECT_GT(reduced, 0);
}

TEST(HyperbolicStoreTest, ContractionRemovesTheSecondVertex) {
  TEngineMessages messages;
  std::vector<int> cycles;
  ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles(kMeyerhoffSignature, messages, cycles));
  TTriangulationStore store(messages);
  ASSERT_TRUE(store.BuildFromDartCycles(WithOneFourMove(cycles)));
  std::vector<int> ends;
  ASSERT_EQ(store.LabelVertices(ends), 2);
  // An edge from a vertex to itself is refused, the store left as it was.
  int loop = -1;
  for (int e = 0; e < store.EdgeCount() && loop < 0; ++e) {
    if (ends[static_cast<std::size_t>(2 * e)] == ends[static_cast<std::size_t>(2 * e + 1)]) loop = store.Edge(e).dart;
  }
  ASSERT_GE(loop, 0);
  const std::vector<int> before = store.WriteDartCycles();
  EXPECT_EQ(store.ContractEdge(loop), -1);
  EXPECT_EQ(store.WriteDartCycles(), before);
  // The cone edges of the 1-4 move join the two vertices: contracting one
  // flattens the three cones around it and leaves the census triangulation.
  ASSERT_EQ(store.ContractOneEdge(), 1);
  EXPECT_EQ(store.CheckGluingConsistency(), store.EdgeCount());
  EXPECT_EQ(store.LabelVertices(ends), 1);
  EXPECT_EQ(store.TetrahedronCount(), 9);
  EXPECT_EQ(store.ContractOneEdge(), 0);  // one vertex: nothing to contract
  EXPECT_FALSE(store.LensSummandFound());
  EXPECT_EQ(messages.Text(), "");
  store.SetAllParameters(1.0e12);
  THyperbolicStructureSolver solver(store, messages);
  ASSERT_EQ(solver.Solve(), kHyperbolicStructureFound);
  EXPECT_NEAR(VolumeFromParameters(store), kMeyerhoff, 1e-11);
}

TEST(HyperbolicStoreTest, LensSummandsAreSaidAndEndTheComputation) {
  // RP^3 (L(2, 1)) and L(3, 1) from their two-tetrahedron census spines: the
  // simplification's 2-0 move squeezes the lens space out and says so.
  struct TCase {
    const char* signature;
    const char* message;
  };
  for (const TCase& c : {TCase{"cPcbbbahh", "L(2, 1) summand\n"}, TCase{"cPcbbbaai", "L(3, 2) summand\n"}}) {
    TEngineMessages messages;
    std::vector<int> cycles;
    int count = 0;
    const std::string text = CurvesTextOf(c.signature);
    ASSERT_TRUE(ParseSpineTextToDartCycles(text.c_str(), messages, cycles, count));
    TTriangulationStore store(messages);
    ASSERT_TRUE(store.BuildFromDartCycles(cycles));
    store.SimplifyTriangulation();
    EXPECT_TRUE(store.LensSummandFound()) << c.signature;
    EXPECT_NE(messages.Text().find(c.message), std::string::npos) << c.signature << ": " << messages.Text();
    THyperbolicVolumeEngine engine;
    double volume = -3;
    EXPECT_FALSE(engine.HyperbolicVolume(text.c_str(), volume));
    EXPECT_EQ(volume, -3);
    EXPECT_NE(engine.Messages().Text().find(c.message), std::string::npos) << c.signature;
  }
  // The same folded faces seen from a contraction use ";".
  TEngineMessages messages;
  std::vector<int> cycles;
  ASSERT_NO_FATAL_FAILURE(ReadCensusDartCycles("cPcbbbaai", messages, cycles));
  TTriangulationStore store(messages);
  ASSERT_TRUE(store.BuildFromDartCycles(cycles));
  int found = 0;
  for (int e = 0; e < store.EdgeCount(); ++e) {
    if (store.Edge(e).order == 2) found += store.CheckLensSummand(store.Edge(e).dart, 1);
  }
  EXPECT_GT(found, 0);
  EXPECT_NE(messages.Text().find("L(3; 2) summand\n"), std::string::npos) << messages.Text();
  // The hyperbolic census manifolds meet no lens space.
  for (const char* signature : {kWeeksSignature, kMeyerhoffSignature}) {
    THyperbolicVolumeEngine engine;
    double volume = -1;
    ASSERT_TRUE(engine.HyperbolicVolume(CurvesTextOf(signature).c_str(), volume));
    EXPECT_FALSE(engine.Store().LensSummandFound());
  }
}

TEST(HyperbolicVolumeTest, TheVolumeDoesNotDependOnTheIdealPointChosen) {
  THyperbolicVolumeEngine engine;
  double volume = -1;
  ASSERT_TRUE(engine.HyperbolicVolume(CurvesTextOf(kMeyerhoffSignature).c_str(), volume));
  EXPECT_NEAR(VolumeFromParameters(engine.Store(), {0.1, -0.7, 0.2}), volume, 1e-11);
  EXPECT_NEAR(VolumeFromParameters(engine.Store(), {-0.5, 0.5, -0.5}), volume, 1e-11);
}

TEST(HyperbolicVolumeTest, NonHyperbolicManifoldsFail) {
  // S^3, lens spaces, S^2 x S^1 and a Seifert manifold.
  for (const char* signature : {"bkaagb", "bkaajj", "bkaajn", "cMcabbjaj", "cPcbbbaai", "dLQbccchhrw"}) {
    const std::string text = CurvesTextOf(signature);
    ASSERT_FALSE(text.empty()) << signature;
    THyperbolicVolumeEngine engine;
    double volume = -7;
    EXPECT_FALSE(engine.HyperbolicVolume(text.c_str(), volume)) << signature;
    EXPECT_EQ(volume, -7);
  }
}

TEST(HyperbolicVolumeTest, ProgressLinesOnlyInVerboseMode) {
  const std::string text = CurvesTextOf(kWeeksSignature);
  double volume = -1;
  THyperbolicVolumeEngine quiet;
  ASSERT_TRUE(quiet.HyperbolicVolume(text.c_str(), volume));
  EXPECT_EQ(quiet.Messages().Text(), "");
  THyperbolicVolumeEngine verbose;
  verbose.Messages().ToggleVerboseMode();
  ASSERT_TRUE(verbose.HyperbolicVolume(text.c_str(), volume));
  const std::string& lines = verbose.Messages().Text();
  EXPECT_EQ(lines.rfind("Verbose mode is on .\n9 tetrahedra, 1 vertex\n", 0), 0u) << lines;
  EXPECT_NE(lines.find("K < 0\t  ["), std::string::npos) << lines;
  // The index: the number of negative eigenvalues of the system solved.
  EXPECT_NE(lines.find("]\tindex "), std::string::npos) << lines;
  EXPECT_NE(lines.find("step  "), std::string::npos) << lines;
}

TEST(HyperbolicVolumeTest, StopsWhenAsked) {
  const std::string text = CurvesTextOf(kWeeksSignature);
  RequestStop();
  THyperbolicVolumeEngine engine;
  double volume = -1;
  EXPECT_THROW(engine.HyperbolicVolume(text.c_str(), volume), TComputationStopped);
  EXPECT_EQ(volume, -1);
}

TEST(HyperbolicVolumeCommandTest, ReportsTheVolumeOrTheFailure) {
  TOptionValues options;
  TCommandResult weeks = RunCommandOnText(31, kWeeksSignature, options);
  EXPECT_EQ(weeks.outcome, TCommandOutcome::kDone);
  const std::string prefix = "Hyperbolic volume is ";
  ASSERT_EQ(weeks.shown.rfind(prefix, 0), 0u) << weeks.shown;
  const std::string value = weeks.shown.substr(prefix.size(), weeks.shown.find_first_of("\r\n") - prefix.size());
  EXPECT_EQ(value.size(), 18u) << value;  // "%.16f"
  EXPECT_NEAR(std::stod(value), kWeeks, 1e-12);
  TCommandResult lens = RunCommandOnText(31, "bkaajn", options);
  EXPECT_EQ(lens.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(lens.shown.find("Calculation of hyperbolic volume failed"), std::string::npos) << lens.shown;
  // The figure-eight knot complement has a torus boundary: refused.
  TCommandResult cusped = RunCommandOnText(31, "cPcbbbiht", options);
  EXPECT_EQ(cusped.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(cusped.shown.find("only for manifolds with boundary consists only of spheres"), std::string::npos)
      << cusped.shown;
}

}  // namespace
