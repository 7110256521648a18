// Seifert manifolds and graph manifolds named by "Recognize" now that the
// automatic step cuts rings: census manifolds from their signatures and the
// two unit surgeries on the trefoil, compared with their known invariants.
// Seifert invariants are compared up to orientation and normalisation, and
// the homology the name implies with the census homology, so a name with
// the right fibres but a wrong Euler number does not pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/document_commands.h"
#include "shell/options.h"
#include "support/seifert_invariants.h"

namespace {

struct TRecognised {
  std::string name;      // the line after "Manifold is", up to the homology
  std::string homology;  // "H_1=..." as printed
  std::string shown;     // the whole report, for failure messages
};

TRecognised Recognise(const std::string& text) {
  TOptionValues options;
  options.MaxAllVariantsTime = 2000;
  const TCommandResult r = RunCommandOnText(46, text + "\n", options);
  EXPECT_EQ(r.outcome, TCommandOutcome::kDone) << text << "\n" << r.shown;
  TRecognised out;
  out.shown = r.shown;
  const std::string head = "Manifold is\r\n\t";
  const std::size_t at = r.shown.find(head);
  if (at == std::string::npos) return out;
  const std::size_t from = at + head.size();
  const std::string line = r.shown.substr(from, r.shown.find_first_of("\r\n", from) - from);
  const std::size_t h = line.find("H_1=");
  out.name = line.substr(0, h == std::string::npos ? line.size() : h);
  if (h != std::string::npos) out.homology = line.substr(h);
  return out;
}

struct TCensusManifold {
  const char* signature;
  const char* census;  // the census name
  const char* homology;
};

// Seifert manifolds over S^2 of the closed census sample, from 2 to 10
// tetrahedra: elliptic and SL_2R, with three and four exceptional fibres.
const std::vector<TCensusManifold> kSeifertOverS2 = {
    {"cPcbbbqxh", "SFS [S2: (2,1) (2,1) (2,-1)]", "Z_2+Z_2"},
    {"eLAkbccddemken", "SFS [S2: (2,1) (2,1) (2,1)]", "Z_2+Z_6"},
    {"eLMkbcdddhhhqx", "SFS [S2: (2,1) (2,1) (4,-3)]", "Z_2+Z_2"},
    {"fvPQcdecedekrsnrs", "SFS [S2: (2,1) (3,1) (5,-4)]", "0"},
    {"hLALAkcbbeffggqhknmxnr", "SFS [S2: (2,1) (2,1) (7,3)]", "Z_40"},
    {"hLALAkcbbeffggqqjnmxkj", "SFS [S2: (2,1) (3,2) (7,-5)]", "Z_19"},
    {"iLAwLQccbbdfgghhhqnhjlqsw", "SFS [S2: (2,1) (3,2) (10,-7)]", "Z_28"},
    {"jLAwwPQbcbdfhghiihhjqjasssj", "SFS [S2: (3,1) (3,1) (5,4)]", "Z_66"},
    {"jLLzQzQcdcegfhihiqsjqjjqqjn", "SFS [S2: (4,3) (5,3) (5,-2)]", "Z_95"},
    {"kLAMzLAkcbbdefhiijjhhrxqqnmxnr", "SFS [S2: (2,1) (2,1) (26,7)]", "Z_2+Z_66"},
    {"kLAMLLPkbcbdeghjiijhxwqhrhwwnr", "SFS [S2: (3,1) (3,2) (21,-8)]", "Z_3+Z_39"},
    {"kLALLPMkbcbeggihjijxxnnakhkxsj", "SFS [S2: (4,1) (4,3) (5,2)]", "Z_112"},
    {"kLvPLQMkafeihghgjijjqxqqbxbgwn", "SFS [S2: (2,1) (3,1) (3,1) (4,-5)]", "Z_6"},
};

TEST(SeifertNaming, CensusSeifertManifoldsOverTheSphereHaveTheirInvariants) {
  for (const TCensusManifold& m : kSeifertOverS2) {
    SCOPED_TRACE(std::string(m.signature) + " " + m.census);
    // The census invariants give the census homology (a check of the helpers).
    ASSERT_EQ(SeifertHomology(FibrePairs(m.census)), HomologySummands(m.homology));
    const TRecognised r = Recognise(m.signature);
    ASSERT_EQ(r.name.rfind("Seifert manifold (S^2,", 0), 0u) << r.shown;
    const auto fibres = FibrePairs(r.name);
    EXPECT_EQ(SeifertKeyUpToOrientation(fibres), SeifertKeyUpToOrientation(FibrePairs(m.census))) << r.name;
    EXPECT_EQ(SeifertHomology(fibres), HomologySummands(m.homology)) << r.name;
    EXPECT_EQ(HomologySummands(r.homology), HomologySummands(m.homology)) << r.homology;
  }
}

// Graph manifolds: two Seifert pieces over the disc glued along a torus. The
// report names the compound and lists its atoms; each atom's exceptional
// fibres (a > 1) must be those of one census piece.
const std::vector<TCensusManifold> kGraphManifolds = {
    {"iLLAMMcacddfgghhjkaitpwas", "SFS [D: (2,1) (2,1)] U/m SFS [D: (2,1) (3,2)], m = [ 1,1 | 1,0 ]", "Z_32"},
    {"jLAwLMQbccdfhhgiiemkenaknkk", "SFS [D: (2,1) (2,1)] U/m SFS [D: (3,1) (3,1)], m = [ 0,-1 | 1,0 ]",
     "Z_2+Z_30"},
    {"kLLALPAkcdcdfghihjjqcckjqjskhr", "SFS [D: (2,1) (2,1)] U/m SFS [D: (2,1) (5,2)], m = [ -1,2 | 1,-1 ]",
     "Z_2+Z_18"},
    {"kLALALMkbcbeffihijjhxwnmxemrej", "SFS [D: (2,1) (3,1)] U/m SFS [D: (2,1) (8,3)], m = [ 0,1 | 1,1 ]",
     "Z_106"},
    {"kLLPMvQkaceedghjiijnkxknuklrwj", "SFS [D: (3,1) (3,1)] U/m SFS [D: (3,1) (3,1)], m = [ 0,1 | 1,0 ]",
     "Z_3+Z_15"},
};

// The multiplicities a > 1 of the pairs of a text, sorted.
std::vector<long long> Multiplicities(const std::string& text) {
  std::vector<long long> a;
  for (auto [p, q] : FibrePairs(text))
    if (p > 1) a.push_back(p);
  std::sort(a.begin(), a.end());
  return a;
}

TEST(SeifertNaming, CensusGraphManifoldsAreCompoundsOfTheirSeifertPieces) {
  for (const TCensusManifold& m : kGraphManifolds) {
    SCOPED_TRACE(std::string(m.signature) + " " + m.census);
    const TRecognised r = Recognise(m.signature);
    EXPECT_EQ(r.name.rfind("Compound", 0), 0u) << r.shown;
    EXPECT_EQ(HomologySummands(r.homology), HomologySummands(m.homology)) << r.homology;
    // The census pieces, "SFS [D: ...]" each up to the next "U/".
    const std::string census = m.census;
    const std::size_t glue = census.find(" U/");
    std::vector<std::vector<long long>> expected{Multiplicities(census.substr(0, glue)),
                                                 Multiplicities(census.substr(glue, census.find(", m =") - glue))};
    std::vector<std::vector<long long>> atoms;
    for (std::size_t at = r.shown.find("Seifert atom "); at != std::string::npos;
         at = r.shown.find("Seifert atom ", at + 1)) {
      if (at == 0 || r.shown[at - 1] != '\n') continue;  // an edge's end, not an atom's line
      const std::size_t open = r.shown.find(" (", at);
      const std::size_t eol = r.shown.find('\r', at);
      atoms.push_back(Multiplicities(r.shown.substr(open, eol - open)));
    }
    std::sort(expected.begin(), expected.end());
    std::sort(atoms.begin(), atoms.end());
    EXPECT_EQ(atoms, expected) << r.shown;
  }
}

// Unit surgeries on the trefoil are homology spheres: +1 gives the Poincare
// sphere (2, 3, 5) (elliptic), -1 the Brieskorn sphere (2, 3, 7) (SL_2R).
TEST(SeifertNaming, UnitSurgeriesOnTheTrefoilAreTheBrieskornSpheres) {
  const struct {
    const char* framing;
    std::vector<std::pair<long long, long long>> fibres;
    const char* geometry;
  } cases[] = {
      {"1", {{2, 1}, {3, 1}, {5, 1}, {1, -1}}, "Elliptic"},
      {"-1", {{2, 1}, {3, 1}, {7, 1}, {1, -1}}, "SL_2R"},
  };
  for (const auto& c : cases) {
    const std::string text = std::string("link code 1 -2 3 -1 2 -3 framing ") + c.framing + " end";
    SCOPED_TRACE(text);
    ASSERT_TRUE(SeifertHomology(c.fibres).empty());
    const TRecognised r = Recognise(text);
    ASSERT_EQ(r.name.rfind("Seifert manifold (S^2,", 0), 0u) << r.shown;
    EXPECT_EQ(SeifertKeyUpToOrientation(FibrePairs(r.name)), SeifertKeyUpToOrientation(c.fibres)) << r.name;
    EXPECT_NE(r.name.find(c.geometry), std::string::npos) << r.name;
    EXPECT_EQ(r.homology.rfind("H_1=0", 0), 0u) << r.homology;
  }
}

}  // namespace
