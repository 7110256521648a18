// Names that recognition gives to closed census manifolds whose first
// homology cannot tell a right name from a wrong one. Over RP^2 the fibre h
// has order 2 in H_1 (the crosscap reverses it), so the obstruction b of a
// Seifert manifold is seen only mod 2 there: (RP^2,(3,2),(3,2)) and
// (RP^2,(3,1),(3,1),(1,6)) have the same H_1 = Z_6+Z_6 but different Euler
// numbers (4/3 and 20/3), hence are different manifolds. Each expected name
// below was checked against the census invariants: the Euler number
// e = sum b_i/a_i and the fibre types b_i mod a_i agree up to orientation.
// The graph manifolds glued from two Seifert pieces over the disc along a
// matrix that matches neither fibration of the piece (2,1)(2,1) have a JSJ
// torus, so no Seifert name is right for them.
#include <gtest/gtest.h>

#include <string>

#include "shell/document_commands.h"
#include "shell/options.h"

namespace {

constexpr int kRecognize = 46;

std::string Recognize(const char* signature) {
  TOptionValues options;
  options.MaxAllVariantsTime = 2000;
  const TCommandResult result = RunCommandOnText(kRecognize, std::string(signature) + "\n", options);
  return result.shown;
}

struct TCensusCase {
  const char* census;     // the census name, for the failure message
  const char* signature;  // its triangulation
  const char* name;       // the right name, or null when none is known here
  const char* homology;
  bool mayBeUnnamed;      // "unrecognized part" is acceptable for now
};

TEST(CensusSeifertNames, NamesOverTheProjectivePlaneCarryTheCensusEulerNumber) {
  const TCensusCase cases[] = {
      {"SFS [RP2/n2: (2,1) (11,-7)]", "kLAwvAQkbcbdhgjijijxhjqqxbwbrb", "Seifert manifold (RP^2,(2,1),(11,4),(1,-1) )",
       "H_1=Z_88", false},
      {"SFS [RP2/n2: (3,1) (7,-5)]", "kLAvLAQkbcbgfiijjhjhhwhqvvxhjh", "Seifert manifold (RP^2,(3,1),(7,2),(1,-1) )",
       "H_1=Z_2+Z_42", false},
      {"SFS [RP2/n2: (3,2) (7,3)]", "kLALLPMkbcbefggijjjxhjsqjwptfc", "Seifert manifold (RP^2,(3,2),(7,3) )",
       "H_1=Z_84", false},
      {"SFS [RP2/n2: (5,3) (5,3)]", "kLLzAQzkcdcefghhijjqsjqobieohr", "Seifert manifold (RP^2,(5,3),(5,3) )",
       "H_1=Z_10+Z_10", false},
      {"SFS [RP2/n2: (3,2) (3,2)]", "iLAvMQcbccegfghhlpksmjrfr", "Seifert manifold (RP^2,(3,2),(3,2) )",
       "H_1=Z_6+Z_6", true},
      {"SFS [RP2/n2: (3,2) (5,3)]", "jLAvMPQbccegighhilpksmhrfrr", "Seifert manifold (RP^2,(3,2),(5,3) )", "H_1=Z_60",
       true},
      {"SFS [RP2/n2: (2,1) (6,-5)]", "kLAwvMQkbcbdhgjijijhhjhhxfsfjf",
       "Seifert manifold (RP^2,(2,1),(6,1),(1,-1) )", "H_1=Z_4+Z_12", true},
  };
  for (const TCensusCase& c : cases) {
    SCOPED_TRACE(c.census);
    const std::string shown = Recognize(c.signature);
    EXPECT_NE(shown.find(c.homology), std::string::npos) << shown;
    const bool named = shown.find(c.name) != std::string::npos;
    const bool unnamed = shown.find("unrecognized part") != std::string::npos;
    EXPECT_TRUE(named || (c.mayBeUnnamed && unnamed)) << shown;
  }
}

TEST(CensusSeifertNames, GraphManifoldsWithATwistedGluingGetNoSeifertName) {
  const TCensusCase cases[] = {
      {"SFS [D: (2,1) (2,1)] U/m SFS [D: (2,1) (7,3)], m = [ -1,2 | -1,1 ]", "kLALAvQkcbbeffhijjjqhknmxmnkrb", nullptr,
       "H_1=Z_2+Z_26", true},
      {"SFS [D: (2,1) (2,1)] U/m SFS [D: (3,1) (5,2)], m = [ -1,2 | -1,1 ]", "kLLAwMAkcdcdfhghijjqcckwhwwrqj", nullptr,
       "H_1=Z_44", true},
      {"SFS [D: (2,1) (2,1)] U/m SFS [D: (3,2) (4,1)], m = [ -1,2 | -1,1 ]", "kLLAwMAkcdcdfhghijjqcckwhswrqn", nullptr,
       "H_1=Z_2+Z_22", true},
      {"SFS [D: (2,1) (2,1)] U/m SFS [D: (3,2) (5,3)], m = [ -1,2 | -1,1 ]", "kLLAwMAkcdcdfhghijjqcckwhswrhr", nullptr,
       "H_1=Z_76", true},
  };
  for (const TCensusCase& c : cases) {
    SCOPED_TRACE(c.census);
    const std::string shown = Recognize(c.signature);
    EXPECT_NE(shown.find(c.homology), std::string::npos) << shown;
    EXPECT_EQ(shown.find("Seifert manifold"), std::string::npos) << shown;
  }
}

}  // namespace
