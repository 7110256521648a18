#include "shell/check_before_moves.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/message_box.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/spine.h"
#include "shell/ask_many_components.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/thick_spine_support.h"

namespace {

// Without a message-box handler the first button answers (Yes, or OK), so a
// Yes/No question lets the moves go on and an OK notice stops them.
struct TCheckCase {
  const char* name;
  const char* text;
  int expected;
  const char* status;  // empty: no case applies and nothing is asked
};

const TCheckCase kCases[] = {
    // One tetrahedron: L(5,2), closed and orientable.
    {"closed orientable",
     "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n", 1, ""},
    // An even self-gluing: its dual spine has one-sided cells and does not
    // thicken, so the later cases cannot be read.
    {"not thickened",
     "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n", 1,
     "Spine is not thickenable. Continue?"},
    // Two copies of L(5,2): the moves work on each component in turn.
    {"not connected",
     "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n"
     "E1 = 1: E1_2 {1 3 2} 2: E1_1 {1 3 2} 3: E1_4 {3 2 1} 4: E1_3 {3 2 1}\n",
     1, "Spine is not connected"},
};

TEST(CheckBeforeMoves, AsksAboutSpinesTheRecognitionCannotFinish) {
  for (const TCheckCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ClearMessageBoxLog();
    TDocumentSpine document;
    document.ParseDocumentText(c.text, TOptionValues{});
    document.EnsureThickened();
    ASSERT_FALSE(document.Spine().IsEmpty());
    std::string status;
    EXPECT_EQ(CheckBeforeMoves(document.Spine(), false, false, &status), c.expected);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(MessageBoxLog().empty(), std::string(c.status).empty());
    // Once transformed, the spine was checked before its first move.
    ClearMessageBoxLog();
    EXPECT_EQ(CheckBeforeMoves(document.Spine(), true), 1);
    EXPECT_TRUE(MessageBoxLog().empty());
  }
}

TEST(CheckBeforeMoves, EmptySpineStops) {
  TDocumentSpine document;
  std::string status;
  EXPECT_EQ(CheckBeforeMoves(document.Spine(), false, false, &status), 0);
  EXPECT_EQ(status, "Unable to build special polyhedron!");
}

// Spines of the series cases, by what makes them differ.
const char* const kLens52 = "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";
const char* const kOneSided = "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n";
// Two tetrahedra: orientable, one torus boundary.
const char* const kOneTorus =
    "Details:\n"
    "A1 = 1: A1_2 {2 1 3} 2: A1_1 {2 1 3} 3: B2_1 {2 1 3} 4: B2_2 {1 3 2}\n"
    "B2 = 1: A1_3 {2 1 3} 2: A1_4 {1 3 2} 3: B2_4 {1 3 2} 4: B2_3 {1 3 2}\n";
// One cell on one vertex: the Gieseking manifold, bounded by a Klein bottle.
const char* const kGieseking = "1 1 2 -1 -2 -2\n";
const char* const kGenusTwo = "";  // found among random spines below

// A connected thickened orientable spine with a boundary surface of genus 2
// or more, from the seeded random spines.
bool LoadGenusTwoSpine(TSpine& spine) {
  for (unsigned seed = 1; seed < 200; ++seed) {
    TSpine candidate;
    if (!LoadRandomThickenedSpine(candidate, 3, seed) || candidate.Next() != nullptr) continue;
    if (candidate.Orientability(1) == 0 || candidate.CountBoundaries(3) == 0) continue;
    return LoadRandomThickenedSpine(spine, 3, seed);
  }
  return false;
}

struct TSeriesCase {
  const char* name;
  const char* text;
  int recognitionMode;
  int boundarySetting;  // the stored form: 1 none, 2 some torus, 3 spheres only, n + 3 exactly n tori
  const char* status;   // empty: the item goes on
};

const TSeriesCase kSeriesCases[] = {
    {"closed", kLens52, 2, 1, ""},
    {"not thickened", kOneSided, 2, 1, "Spine is not thickenable. Continue?"},
    {"not thickened, simplify only", kOneSided, 4, 1, ""},
    {"not thickened, compare only", kOneSided, 5, 1, ""},
    {"not orientable", kGieseking, 2, 1, "Manifold is not orientable"},
    // Simplify only takes it, and the boundary rule is read on orientable spines only.
    {"not orientable, simplify only", kGieseking, 4, 3, ""},
    {"torus, no restriction", kOneTorus, 2, 1, ""},
    {"torus, spheres only", kOneTorus, 2, 3, "Recognition is imposible"},
    {"torus, some torus", kOneTorus, 2, 2, ""},
    {"closed, some torus", kLens52, 2, 2, "Recognition is imposible"},
    {"torus, exactly one", kOneTorus, 2, 4, ""},
    {"torus, exactly two", kOneTorus, 2, 5, "Recognition is imposible"},
    {"closed, spheres only", kLens52, 3, 3, ""},
    // Without a restriction a series takes every boundary; with one, only spheres and tori.
    {"genus two, no restriction", kGenusTwo, 2, 1, ""},
    {"genus two, some torus", kGenusTwo, 2, 2, "Recognition is imposible"},
    {"not connected", "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n"
                      "E1 = 1: E1_2 {1 3 2} 2: E1_1 {1 3 2} 3: E1_4 {3 2 1} 4: E1_3 {3 2 1}\n",
     4, 1, "Spine is not connected"},
};

TEST(CheckBeforeSeriesMoves, FollowsTheRecognitionModeAndTheBoundaryRestriction) {
  for (const TSeriesCase& c : kSeriesCases) {
    SCOPED_TRACE(c.name);
    ClearMessageBoxLog();
    TDocumentSpine document;
    TSpine genusTwo;
    TSpine* spine = &genusTwo;
    if (*c.text == '\0') {
      ASSERT_TRUE(LoadGenusTwoSpine(genusTwo));
    } else {
      // The parse replaces the document's spine: take it afterwards.
      document.ParseDocumentText(c.text, TOptionValues{});
      document.EnsureThickened();
      spine = &document.Spine();
    }
    ASSERT_FALSE(spine->IsEmpty());
    TOptionValues options;
    options.EnumerationOfManifoldsRecognitionMode = c.recognitionMode;
    options.EnumerationOfManifoldsRestrictionOnBoundary = c.boundarySetting;
    TOutput output;
    std::string status;
    const bool refused = *c.status != '\0';
    EXPECT_EQ(CheckBeforeSeriesMoves(*spine, options, false, &output, &status), refused ? 0 : 1);
    EXPECT_EQ(status, c.status);
    // Nobody is asked in a series; the case is written to the report.
    EXPECT_TRUE(MessageBoxLog().empty());
    EXPECT_EQ(std::string(output.Text()), refused ? std::string(c.status) + "\r\n" : "");
  }
}

TEST(CheckBeforeSeriesMoves, WritesNothingWhileStatusTextsAreSuppressed) {
  TDocumentSpine document;
  document.ParseDocumentText(kGieseking, TOptionValues{});
  document.EnsureThickened();
  TOutput output;
  SuppressStatus();
  EXPECT_EQ(CheckBeforeSeriesMoves(document.Spine(), TOptionValues{}, false, &output), 0);
  UnsuppressStatus();
  EXPECT_EQ(std::string(output.Text()), "");
}

TEST(CheckBeforeMoves, SimplifyOnlyPassesOverOrientabilityAndBoundary) {
  TDocumentSpine document;
  document.ParseDocumentText(kGieseking, TOptionValues{});
  document.EnsureThickened();
  TSpine genusTwo;
  ASSERT_TRUE(LoadGenusTwoSpine(genusTwo));
  for (TSpine* spine : {&document.Spine(), &genusTwo}) {
    ClearMessageBoxLog();
    std::string status;
    // The notice about the boundary has only OK, so the view stops there.
    const int expected = spine == &genusTwo ? 0 : 1;
    EXPECT_EQ(CheckBeforeMoves(*spine, false, false, &status), expected);
    EXPECT_FALSE(status.empty());
    ClearMessageBoxLog();
    status.clear();
    EXPECT_EQ(CheckBeforeMoves(*spine, false, true, &status), 1);
    EXPECT_EQ(status, "");
    EXPECT_TRUE(MessageBoxLog().empty());
  }
}

}  // namespace

namespace {

TEST(AskManyComponents, NamesTheCountAndReturnsTheAnswer) {
  ClearMessageBoxLog();
  EXPECT_EQ(AskManyComponents(23), TMessageResult::Ok);
  ASSERT_EQ(MessageBoxLog().size(), 1u);
  EXPECT_EQ(MessageBoxLog()[0],
            "The spine contains 23 2-components\r\nso computation may take very long "
            "time.\r\nContinue?");
  const TMessageBoxHandler previous = SetMessageBoxHandler(
      [](std::string_view, TMessageButtons buttons, TMessageIcon) {
        EXPECT_EQ(buttons, TMessageButtons::OkCancel);
        return TMessageResult::Cancel;
      });
  EXPECT_EQ(AskManyComponents(20), TMessageResult::Cancel);
  SetMessageBoxHandler(previous);
}

}  // namespace
