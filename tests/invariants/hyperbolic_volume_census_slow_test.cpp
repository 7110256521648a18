// The hyperbolic volume engine over the whole closed census sample (label
// "slow": the non-hyperbolic manifolds take the solver through all its
// retries).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "support/census_table_support.h"
#include "support/curves_text.h"

namespace {

TEST(HyperbolicVolumeCensusSlow, ClosedCensusSample) {
  // The sample's hyperbolic manifolds are named "Hyp_V (H)" with V to 8
  // digits; every other manifold there is spherical, flat, a Seifert or a
  // graph manifold, and has no hyperbolic structure to find.
  const std::vector<TClosedCensusEntry> entries = ReadClosedCensusSample();
  ASSERT_GT(entries.size(), 200u);
  int hyperbolic = 0;
  for (const TClosedCensusEntry& entry : entries) {
    const std::string text = CurvesTextOf(entry.signature.c_str());
    ASSERT_FALSE(text.empty()) << entry.name;
    THyperbolicVolumeEngine engine;
    double volume = -1;
    const bool found = engine.HyperbolicVolume(text.c_str(), volume);
    if (entry.name.rfind("Hyp_", 0) == 0) {
      ++hyperbolic;
      ASSERT_TRUE(found) << entry.name;
      EXPECT_NEAR(volume, std::stod(entry.name.substr(4)), 5e-9) << entry.name;
    } else {
      EXPECT_FALSE(found) << entry.name << " " << volume;
    }
  }
  EXPECT_EQ(hyperbolic, 4);
}

}  // namespace
