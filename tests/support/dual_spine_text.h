// The spine dual to a triangulation of the hyperbolic volume engine, as the
// boundary-curves text the engine reads: one spine edge per pair of glued
// faces (directed from the side met first), one curve per edge of the
// triangulation crossing the faces met around it. Lets tests and benchmarks
// feed the engine other spines of a manifold, made by moves on its
// triangulation.
#pragma once

#include <string>

class TTriangulationStore;

std::string DualSpineCurvesText(const TTriangulationStore& store);
