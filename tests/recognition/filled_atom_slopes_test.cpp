// Dehn fillings of one-cusped table atoms: the slope is written in the
// record's own coordinates, so different closed manifolds get different
// names and every spine of one manifold gets the same one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "shell/document_commands.h"
#include "shell/options.h"
#include "support/census_table_support.h"

namespace {

constexpr int kRecognize = 46;

struct TFilling {
  std::string atom;
  int p = 0;
  int q = 0;
};

// Every "Dehn filling Q..(p,q)" the report names, in order.
std::vector<TFilling> Fillings(const std::string& shown) {
  std::vector<TFilling> out;
  const std::regex pattern(R"(Dehn filling (Q[0-9_^]+)\((-?\d+),(-?\d+)\))");
  for (std::sregex_iterator it(shown.begin(), shown.end(), pattern), end; it != end; ++it)
    out.push_back({(*it)[1], std::stoi((*it)[2]), std::stoi((*it)[3])});
  return out;
}

// The order of a finite H_1 as printed ("Z_5+Z_5" -> 25); 0 with a free part.
long HomologyOrder(const std::string& homology) {
  long order = 1;
  std::size_t start = 0;
  while (start <= homology.size()) {
    const std::size_t plus = homology.find('+', start);
    const std::string term = homology.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (term.rfind("Z_", 0) != 0) return 0;
    order *= std::stol(term.substr(2));
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return order;
}

std::string Recognize(const std::string& signature, int variantsMilliseconds) {
  TOptionValues options;
  options.MaxAllVariantsTime = variantsMilliseconds;
  const TCommandResult r = RunCommandOnText(kRecognize, signature + "\n", options);
  EXPECT_EQ(r.outcome, TCommandOutcome::kDone) << signature << "\n" << r.shown;
  return r.shown;
}

std::vector<TClosedCensusEntry> HyperbolicSample() {
  std::vector<TClosedCensusEntry> out;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample())
    if (entry.name.rfind("Hyp_", 0) == 0) out.push_back(entry);
  return out;
}

}  // namespace

// The first atom has H_1 = Z + Z_5, so the H_1 of its filling along (p, q)
// has order 5 |a p + b q| for one fixed form (a, b) on the record's torus;
// (2, 1) fits both fillings of it in the sample. Each manifold of the sample
// gets its own names: every presentation found names one slope per atom, and
// no name of one manifold is a name of another (the two smallest are both
// fillings of the first atom and once both came out as Q2_1(-1,0)).
TEST(FilledAtomSlopes, SlopesAgreeWithHomologyAndManifoldsGetDifferentNames) {
  const std::vector<TClosedCensusEntry> sample = HyperbolicSample();
  ASSERT_EQ(sample.size(), 4u);
  std::set<std::string> names;
  int firstAtom = 0;
  for (const TClosedCensusEntry& entry : sample) {
    const std::string shown = Recognize(entry.signature, 1000);
    std::set<std::string> own, atoms;
    for (const TFilling& f : Fillings(shown)) {
      own.insert(f.atom + "(" + std::to_string(f.p) + "," + std::to_string(f.q) + ")");
      atoms.insert(f.atom);
      if (f.atom == "Q2_1") {
        ++firstAtom;
        EXPECT_EQ(5L * std::labs(2L * f.p + f.q), HomologyOrder(entry.homology)) << entry.name << "\n" << shown;
      }
    }
    EXPECT_FALSE(own.empty()) << entry.name << "\n" << shown;
    EXPECT_EQ(own.size(), atoms.size()) << entry.name << "\n" << shown;
    for (const std::string& name : own) EXPECT_TRUE(names.insert(name).second) << entry.name << " " << name;
  }
  EXPECT_EQ(firstAtom, 2);
}

// Other triangulations of the two smallest manifolds (given in another
// notation) name fillings the census signatures name too.
TEST(FilledAtomSlopes, AnotherTriangulationNamesTheSameFilling) {
  const struct {
    const char* other;
    const char* census;
  } cases[] = {{"jbpbfaabfefghiihikxwaqdknww", "jLvAMPQadfgghhiiijaqgjqxims"},
               {"jcpbfaabfefghiihinawxqdnnww", "jLvALQQadfgfihhiijaqjvuxxec"}};
  for (const auto& c : cases) {
    const std::vector<TFilling> other = Fillings(Recognize(c.other, 300));
    ASSERT_FALSE(other.empty()) << c.other;
    std::set<std::string> census;
    for (const TFilling& f : Fillings(Recognize(c.census, 1000)))
      census.insert(f.atom + "(" + std::to_string(f.p) + "," + std::to_string(f.q) + ")");
    const std::string name = other.front().atom + "(" + std::to_string(other.front().p) + "," +
                             std::to_string(other.front().q) + ")";
    EXPECT_EQ(census.count(name), 1u) << c.other << " names " << name;
  }
}
