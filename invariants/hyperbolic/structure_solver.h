// The search for a hyperbolic structure on the engine's triangulation: edge
// parameters x = cosh l - 1 that make every tetrahedron a non-degenerate
// hyperbolic tetrahedron and the dihedral angles around every edge add up to
// 2 pi. Approximate (doubles); every loop is bounded and polls the stop flag.
#pragma once

#include <vector>

#include "invariants/hyperbolic/dense_linear_solve.h"
#include "invariants/hyperbolic/engine_messages.h"
#include "invariants/hyperbolic/triangulation_store.h"

// How the solver ended.
enum THyperbolicOutcome : int {
  kHyperbolicStructureFound = -1,  // all parameters >= -0.0001, one above 0.0001
  kNoSolutionParameters = 0,       // mixed or near-zero parameters
  kNoEdgesOrSpherical = 1,         // no edges, or only negative parameters
  kSolverGaveUp = 2,               // a stage failed within its bounds
};

class THyperbolicStructureSolver {
 public:
  THyperbolicStructureSolver(TTriangulationStore& store, TEngineMessages& messages)
      : store_(store), messages_(messages) {}

  // Both stages on the current triangulation; the parameters end in the store.
  // After a failure the store holds the parameters that came nearest to a
  // structure (least defects).
  THyperbolicOutcome Solve();
  // Whether Solve may turn tetrahedra inside out (on by default).
  void AllowTurnedTetrahedra(bool allow) { turning_ = allow; }

  // The defects (angle sum - 2 pi per edge) of parameters x (edge-list
  // order) and the non-degeneracy measure: 0 when some tetrahedron is not a
  // valid tetrahedron, else the least min(theta, pi - theta) over all
  // dihedral angles, negated when the defects add up to a positive number.
  double AngleDefects(const std::vector<double>& x, std::vector<double>& defects) const;

  // The first stage: an ideal structure with equal angle sums, pushed to
  // finite tetrahedra. True when it leaves parameters of positive measure.
  bool IdealStage();
  // Damped Newton (Levenberg-Marquardt) on the edge lengths. True when the
  // defects end below 1e-9 with a positive measure.
  bool LengthNewtonStage();
  // Newton steps on the lengths with the vertex motions held fixed (the
  // system bordered by them), full steps while the defects fall.
  void PolishStage();
  // Where the length stage stalls because a tetrahedron flattens, the
  // structure may need that tetrahedron turned inside out. Along the path of
  // parameters that stalled, the flattest tetrahedron not yet turned is
  // turned and the length stage run again, for at most 3 tetrahedra. True
  // when it then succeeds (the orientations stay in the store).
  bool SolveWithTurnedTetrahedra(std::vector<std::vector<double>> path);

 private:
  std::vector<double> Parameters() const;
  // The position of the tetrahedron with the dihedral angle nearest 0 or pi,
  // among those not excluded; -1 when none is a valid tetrahedron.
  int FlattestTetrahedron(const std::vector<double>& x, const std::vector<char>& excluded) const;
  // The least of min(theta, pi - theta) over the tetrahedron's dihedral
  // angles; 0 when it is no valid tetrahedron.
  double Flatness(const std::vector<double>& x, int position) const;
  // The local edges (bits in parameter order) where the tetrahedron's
  // dihedral angle exceeds pi / 2.
  int WideAngles(const std::vector<double>& x, int position) const;
  void SetParameters(const std::vector<double>& x);
  // The ideal angle sums at the edges for decorations lambda; false when a
  // tetrahedron's triangle of products degenerates.
  bool IdealResidual(const std::vector<double>& lambda, std::vector<double>& residual) const;
  // The derivatives of the angle sums with respect to the edge lengths.
  void AssembleAngleDerivatives(const std::vector<double>& x, TDenseMatrix& j) const;
  void AssembleIdeal(const std::vector<double>& lambda, const std::vector<int>& ends, int vertices,
                     TDenseMatrix& m) const;

  TTriangulationStore& store_;
  TEngineMessages& messages_;
  // The parameters after each accepted step of the last length stage.
  std::vector<std::vector<double>> path_;
  struct TApproach {
    double norm = 0;
    std::vector<double> parameters;
  };
  TApproach nearest_;  // of the last Solve
  bool turning_ = true;
};
