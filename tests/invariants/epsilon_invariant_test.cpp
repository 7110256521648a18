// The epsilon invariant against known values (the order-5 trivial
// Turaev-Viro part with eps for s_1), its extended table text, and the
// command's refusals and stop.
#include "invariants/epsilon_invariant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/output.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/turaev_viro_calculator.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickening_report.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/parsed_document.h"

namespace {

std::string Epsilon(TSpine& spine) {
  TEpsilonCalculator calculator;
  calculator.LoadSpine(spine);
  calculator.Compute(nullptr);
  return calculator.Result().ToText();
}

std::string CommandText(int id, const std::string& text) {
  return RunCommandOnText(id, text, TOptionValues{}).shown;
}

constexpr int kEpsilonCommand = 27;

TEST(EpsilonInvariant, KnownValuesOfOneVertexSpines) {
  struct Row {
    const char* name;
    const char* signature;
    const char* value;
  };
  const Row rows[] = {
      {"L(4,1)", "bkaajj", "1"},          {"L(5,2)", "bkaajn", "0"},
      {"L(8,3)", "cMcabbjqs", "eps+1"},   {"L(5,1)", "cMcabbjxr", "eps+2"},
      {"S^2xS^1", "cMcabbjaj", "eps+2"},  {"S^3/Q_8", "cPcbbbqxh", "eps+3"},
  };
  for (const Row& row : rows) {
    TParsed parsed(row.signature);
    EXPECT_EQ(Epsilon(parsed.Spine()), row.value) << row.name;
  }
}

// Two-vertex census spines are spines of M with two balls removed: the raw
// sum carries a factor eps+2, which the command divides out.
TEST(EpsilonInvariant, PuncturedSpinesAndTheClosedManifoldLine) {
  struct Row {
    const char* signature;
    const char* raw;
    const char* closed;
  };
  const Row rows[] = {{"bkaagb", "eps+2", "1"}, {"cPcbbbahh", "4eps+3", "eps+1"},
                      {"cPcbbbaai", "4eps+3", "eps+1"}};
  for (const Row& row : rows) {
    TParsed parsed(row.signature);
    EXPECT_EQ(Epsilon(parsed.Spine()), row.raw) << row.signature;
    const std::string shown = CommandText(kEpsilonCommand, row.signature);
    EXPECT_EQ(shown.rfind(std::string("Epsilon-invariant = ") + row.raw + "\r\n\r\n", 0), 0u)
        << shown;
    EXPECT_NE(shown.find(std::string("filled) = ") + row.closed + "\r\n"), std::string::npos)
        << shown;
  }
  // A one-vertex spine has no such line.
  EXPECT_EQ(CommandText(kEpsilonCommand, "bkaajj").find("closed manifold"), std::string::npos);
}

// The invariant is the order-5 trivial Turaev-Viro part with eps for s_1:
// compare on spines of up to 10 tetrahedra, boundary spheres included.
TEST(EpsilonInvariant, AgreesWithTheTrivialPartOfOrderFive) {
  for (const char* signature :
       {"bkaagb", "cPcbbbahh", "dLQbccchhrw", "eLAkbccddemken", "hvLPQkcedgffggnnkumeiw",
        "iLLAMMcacddfgghhjkaitpwas", "kLALAMzkbcceffghijjemkbemsqhhw"}) {
    TParsed parsed(signature);
    TTuraevViroCalculator calculator;
    calculator.Setup(parsed.Spine());
    ASSERT_EQ(calculator.ComputeOrder(5, kTuraevViroTrivialPart, -1, nullptr), kTuraevViroDone);
    std::string expected = calculator.TrivialPartResult(5)->ToText();
    for (std::size_t at = expected.find("s_1"); at != std::string::npos; at = expected.find("s_1")) {
      expected.replace(at, 3, "eps");
    }
    expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
    EXPECT_EQ(Epsilon(parsed.Spine()), expected) << signature;
  }
}

TEST(EpsilonInvariant, DivisionByThePunctureFactorIsExactOrRefused) {
  TEpsilonNumber value(3, 4);  // (eps+1)(eps+2)
  EXPECT_TRUE(DivideByPuncture(value));
  EXPECT_EQ(value.ToText(), "eps+1");
  TEpsilonNumber notMultiple(1, 0);
  EXPECT_FALSE(DivideByPuncture(notMultiple));
  EXPECT_EQ(notMultiple.ToText(), "1");
}

TEST(EpsilonInvariant, ListingOfSmallPolyhedra) {
  const std::string shown = CommandText(kEpsilonCommand, "bkaajj");
  EXPECT_EQ(shown.rfind("Epsilon-invariant = 1\r\n\r\n1: ", 0), 0u) << shown;
  // The empty and the whole polyhedron always contribute; the one simple
  // proper subpolyhedron (cell 1) is listed with its counts.
  EXPECT_NE(shown.find("Subpolyhedron 1: chi=0, discs=1, edges=2, vertices=1 (v3=0, v4=1, "
                       "v5=0, v6=0), Weight=1\r\n\tDiscs: {1 }\r\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Given polyhedron:chi=1, discs=2, edges=2, vertices=1, Weight=-1"),
            std::string::npos);
  EXPECT_EQ(shown.find("Subpolyhedron 2"), std::string::npos);
}

TEST(EpsilonInvariant, RefusesWhatIsNotASpecialPolyhedron) {
  for (const char* text : {"garbage ((", ""}) {
    TCommandResult result = RunCommandOnText(kEpsilonCommand, text, TOptionValues{});
    EXPECT_EQ(result.outcome, TCommandOutcome::kRefused) << text;
    EXPECT_TRUE(result.shown == "Is realized for special polyhedra only!" ||
                result.shown.rfind("Unable to build special polyhedron!", 0) == 0)
        << result.shown;
  }
}

TEST(EpsilonInvariant, StopsWhenAsked) {
  TParsed parsed("kLLLAPPkcdgfehijijjhsxaqpixknn");
  RequestStop();
  TEpsilonCalculator calculator;
  calculator.LoadSpine(parsed.Spine());
  EXPECT_THROW(calculator.Compute(nullptr), TComputationStopped);
  EXPECT_FALSE(calculator.IsComputed());
  // The command shows nothing half-done.
  const TCommandResult result = RunCommandOnText(kEpsilonCommand, "cPcbbbqxh", TOptionValues{});
  EXPECT_EQ(result.outcome, TCommandOutcome::kStopped);
  EXPECT_TRUE(result.shown.empty());
  StopFlags().stop.store(0);
}

TEST(ExtendedEpsilon, ThickenablePolyhedronKeepsTheInvariantInItsTableText) {
  TParsed parsed("cPcbbbqxh");
  TEpsilonCalculator calculator;
  calculator.SetMode(kEpsilonExtended).LoadSpine(parsed.Spine());
  TOutput listing;
  calculator.Compute(&listing);
  EXPECT_EQ(std::string(listing.Text()).rfind("Polyhedron is thickenable\r\n\r\n", 0), 0u);
  EXPECT_EQ(calculator.FormatResult(1),
            "Epsilon-invariant = eps+3\r\n\r\nExtended Epsilon-invariant = (eps+3){} \r\n\r\n");
  EXPECT_EQ(ExtendedEpsilonTableText(parsed.Spine()), "non-thickenable 0, (eps+3){} ");
}

// A thickening that stopped before examining any cell says nothing about the
// discs: the extended form is undecided, not that of a thickenable polyhedron.
TEST(ExtendedEpsilon, ThickeningReportsAreReadIntoDiscs) {
  TThickeningReport report;
  const TThickenabilityReading thickened = ReadThickenability(1, report, 3);
  EXPECT_TRUE(thickened.discVector.empty());
  EXPECT_FALSE(thickened.undecided);
  const TThickenabilityReading stopped = ReadThickenability(0, report, 3);
  EXPECT_TRUE(stopped.undecided);
  EXPECT_TRUE(stopped.discVector.empty());
  report.failedCount = 2;
  report.cells.resize(4);
  report.cells[1].failed = 1;
  report.cells[3].failed = 1;
  const TThickenabilityReading failed = ReadThickenability(0, report, 4);
  EXPECT_FALSE(failed.undecided);
  EXPECT_EQ(failed.nonThickenable, 2);
  EXPECT_EQ(failed.discVector, (std::vector<std::int64_t>{0, 2, 0, 4}));
}

TEST(ExtendedEpsilon, BookedWeightsOfOneKeyCancel) {
  TEpsilonCalculator calculator;
  calculator.SetMode(kEpsilonExtended);
  const std::vector<std::uint8_t> subset{1, 0};
  calculator.BookWeight(TEpsilonNumber(2, 1), subset);
  EXPECT_EQ(calculator.FormatLines(), "(eps+2){} ");
  calculator.BookWeight(TEpsilonNumber(-2, -1), subset);
  EXPECT_EQ(calculator.FormatLines(), "0{ }");
}

// Records of two numberings of one set of lines: the canonical forms agree,
// a single line included.
TEST(ExtendedEpsilon, CanonicalRecordDoesNotDependOnTheDiscNumbers) {
  // k = 3; lines {1}: eps, {2 3}: 2, and the same with discs 1 and 3 swapped.
  std::vector<std::int64_t> first{0, 3, 2, 2, 1, 1, 0, 1, 0, 1, 2, 2, 3, 2, 0, 2, 0};
  std::vector<std::int64_t> second{0, 3, 2, 2, 1, 3, 0, 1, 0, 1, 2, 1, 2, 2, 0, 2, 0};
  EXPECT_GE(TEpsilonCalculator::CanonicalizeEncoded(first), 0);
  EXPECT_GE(TEpsilonCalculator::CanonicalizeEncoded(second), 0);
  EXPECT_EQ(first, second);
  std::vector<std::int64_t> single{0, 2, 1, 1, 1, 2, 3, 1, 3, 1};
  EXPECT_EQ(TEpsilonCalculator::CanonicalizeEncoded(single), 1);
  EXPECT_EQ(single[5], 1);
  std::vector<std::int64_t> broken{0, 2, 1, 3, 1, 2};
  EXPECT_THROW(TEpsilonCalculator::CanonicalizeEncoded(broken), std::invalid_argument);
}

TEST(ExtendedEpsilon, TooManyDiscsAreLeftUnrenumbered) {
  std::vector<std::int64_t> record{0, kEpsilonCanonicalDiscLimit + 1, 1, 1, 1, 2, 0, 1, 0, 1};
  const std::vector<std::int64_t> before = record;
  EXPECT_EQ(TEpsilonCalculator::CanonicalizeEncoded(record), -1);
  EXPECT_EQ(record, before);
}

TEST(ExtendedEpsilon, RenumberedSpineGivesTheSameTableText) {
  for (const char* signature : {"cPcbbbqxh", "cMcabbjqs", "dLQbccchhrw"}) {
    TParsed parsed(signature);
    const std::string text = ExtendedEpsilonTableText(parsed.Spine());
    // Reverse the list order of the cells: a different numbering.
    TSpine copy;
    parsed.Spine().CopyTo(copy);
    TObjectManager& objects = copy.Objects();
    std::vector<int> cells;
    for (int i = 0; i < objects.Count(); ++i) {
      if (ObjectKind(objects.At(i)) == kCellKind) cells.push_back(i);
    }
    for (std::size_t i = 0; i < cells.size() / 2; ++i) {
      objects.SwapAt(cells[i], cells[cells.size() - 1 - i]);
    }
    EXPECT_EQ(ExtendedEpsilonTableText(copy), text) << signature;
  }
}

}  // namespace
