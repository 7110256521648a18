// The Turaev-Viro state sums against known values, and their invariance.
#include "invariants/turaev_viro_calculator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/message_box.h"
#include "shell/computation_task.h"
#include "shell/document_commands.h"
#include "shell/spine_text_view.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "shell/task_view.h"
#include "support/recording_task_view.h"

namespace {

// Isomorphism signatures of census triangulations. The dual spine of a
// triangulation with v vertices is a special spine of the manifold with v
// balls removed.
struct Census {
  const char* name;
  const char* signature;
  int vertices;
};
const Census kS3{"S^3", "bkaagb", 2};
const Census kRP3{"RP^3", "cPcbbbahh", 2};
const Census kL31{"L(3,1)", "cPcbbbaai", 2};
const Census kL41{"L(4,1)", "bkaajj", 1};
const Census kL51{"L(5,1)", "cMcabbjxr", 1};
const Census kL52{"L(5,2)", "bkaajn", 1};
const Census kL83{"L(8,3)", "cMcabbjqs", 1};
const Census kQ8{"S^3/Q_8", "cPcbbbqxh", 1};
const Census kS2xS1{"S^2xS^1", "cMcabbjaj", 1};

// A calculator set up on the spine of a document text.
class TSpineOf {
 public:
  explicit TSpineOf(const std::string& text) {
    TDocumentSpine::TScope scope(document_);
    if (document_.ParseDocumentText(text.c_str(), TOptionValues{}) == 0) {
      throw std::runtime_error("no spine: " + text);
    }
    calculator.Setup(document_.Spine());
  }
  std::string Full(int r) {
    if (calculator.FullStatus(r) != kTuraevViroDone) {
      EXPECT_EQ(calculator.ComputeOrder(r, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    }
    return calculator.FullResult(r)->ToText();
  }
  std::string Trivial(int r) {
    EXPECT_EQ(calculator.ComputeOrder(r, kTuraevViroTrivialPart, -1, nullptr), kTuraevViroDone);
    return calculator.TrivialPartResult(r)->ToText();
  }
  TTuraevViroCalculator calculator;

 private:
  TDocumentSpine document_;
};

// The value of a text at order r as a number of that order.
TCyclotomicNumber Parse(int r, const std::string& text) {
  // Only the forms the known values use: integer coefficients of s_k.
  TCyclotomicNumber value(r);
  std::size_t at = 0;
  while (at < text.size()) {
    int sign = 1;
    if (text[at] == '+' || text[at] == '-') sign = text[at++] == '-' ? -1 : 1;
    long c = 1;
    std::size_t used = 0;
    if (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      c = std::stol(text.substr(at), &used);
      at += used;
    }
    int k = 0;
    if (text.compare(at, 2, "s_") == 0) {
      k = std::stoi(text.substr(at + 2), &used);
      at += 2 + used + 1;  // the blank after the name
    }
    TCyclotomicNumber term(r);
    term.SetCoefficientInt64(k, sign * c);
    value.Add(term);
  }
  return value;
}

struct KnownRow {
  Census manifold;
  const char* values[5];  // r = 3, 4, 5, 6, 7
  const char* trivial5;
};

const KnownRow kKnown[] = {
    {kS3, {"1", "1", "1", "1", "1"}, "1"},
    {kRP3, {"0", "-s_1 +2", "0", "-2s_1 +4", "0"}, "s_1 +1"},
    {kL31, {"1", "1", "s_1 +1", "3", "s_2 +2"}, "s_1 +1"},
    {kL41, {"2", "2", "2", "4", "2s_2 +4"}, "1"},
    {kL51, {"1", "1", "s_1 +2", "1", "s_2 +s_1 +2"}, "s_1 +2"},
    {kL52, {"1", "1", "0", "1", "s_2 +s_1 +2"}, "0"},
    {kL83, {"2", "4", "2s_1 +2", "4", "2"}, "s_1 +1"},
    {kQ8, {"4", "10", "4s_1 +12", "28", "8s_2 +28"}, "s_1 +3"},
    {kS2xS1, {"2", "4", "2s_1 +4", "12", "4s_2 +2s_1 +10"}, "s_1 +2"},
};

// The known values of the manifolds themselves. A spine of a manifold with
// two balls removed gives the value times the factor of the second ball,
// which is the value of the twice punctured S^3 (and equals that of S^2xS^1).
TEST(TuraevViroCalculator, KnownValuesOfSmallManifolds) {
  TSpineOf s3Twice(kS3.signature);
  for (const KnownRow& row : kKnown) {
    TSpineOf spine(row.manifold.signature);
    EXPECT_EQ(spine.calculator.CellCount() - spine.calculator.VertexCount(),
              row.manifold.vertices)
        << row.manifold.name;
    for (int r = 3; r <= 7; ++r) {
      TCyclotomicNumber expected = Parse(r, row.values[r - 3]);
      if (row.manifold.vertices == 2) expected.Multiply(Parse(r, s3Twice.Full(r)));
      EXPECT_EQ(spine.Full(r), expected.ToText()) << row.manifold.name << " r=" << r;
    }
    TCyclotomicNumber trivial = Parse(5, row.trivial5);
    if (row.manifold.vertices == 2) {
      trivial.Multiply(Parse(5, s3Twice.Trivial(5)));
    }
    EXPECT_EQ(spine.Trivial(5), trivial.ToText()) << row.manifold.name;
  }
  EXPECT_EQ(s3Twice.Full(5), "2s_1 +4") << "the factor of a second ball is S^2xS^1's value";
}

TEST(TuraevViroCalculator, KnownValuesAtOrderEight) {
  TSpineOf l41(kL41.signature);
  EXPECT_EQ(l41.Full(8), "2s_2 +4");
  TSpineOf rp3(kRP3.signature);
  TSpineOf s3Twice(kS3.signature);
  TCyclotomicNumber expected = Parse(8, "-s_3 +2s_2 -3s_1 +4");
  expected.Multiply(Parse(8, s3Twice.Full(8)));
  EXPECT_EQ(rp3.Full(8), expected.ToText());
}

// Two different spines of one manifold (with two balls removed): the census
// triangulation and a genus-2 Heegaard diagram.
TEST(TuraevViroCalculator, DifferentSpinesOfOneManifoldAgree) {
  TSpineOf census(kL31.signature);
  TSpineOf diagram("heegaard 0 3 1 0 1 0");
  ASSERT_NE(census.calculator.CellCount(), diagram.calculator.CellCount());
  for (int r = 3; r <= 9; ++r) {
    EXPECT_EQ(census.Full(r), diagram.Full(r)) << "r=" << r;
  }
  TSpineOf l52("heegaard 0 5 1 0 2 0");
  TSpineOf l52Census(kL52.signature);
  TSpineOf s3Twice(kS3.signature);
  for (int r = 3; r <= 8; ++r) {
    TCyclotomicNumber expected = Parse(r, l52Census.Full(r));
    expected.Multiply(Parse(r, s3Twice.Full(r)));
    EXPECT_EQ(l52.Full(r), expected.ToText()) << "r=" << r;
  }
}

// For odd r the colourings split into an even part and a part of order 3,
// so the full value is the trivial part times the value of order 3; and the
// variant that computes both parts agrees with the two single variants.
TEST(TuraevViroCalculator, StructureOfTheTwoParts) {
  for (const Census& manifold : {kL31, kL83, kQ8, kS2xS1, kL41}) {
    TSpineOf spine(manifold.signature);
    for (int r = 5; r <= 11; r += 2) {
      TCyclotomicNumber product = Parse(r, spine.Trivial(r));
      product.MultiplyByInt64(std::stol(spine.Full(3)));
      EXPECT_EQ(spine.Full(r), product.ToText()) << manifold.name << " r=" << r;
    }
    TSpineOf both(manifold.signature);
    ASSERT_EQ(both.calculator.ComputeOrder(6, kTuraevViroBoth, -1, nullptr), kTuraevViroDone);
    EXPECT_EQ(both.calculator.FullResult(6)->ToText(), spine.Full(6)) << manifold.name;
    EXPECT_EQ(both.calculator.TrivialPartResult(6)->ToText(), spine.Trivial(6)) << manifold.name;
  }
}

TEST(TuraevViroCalculator, StoredOutcomesAndResults) {
  TSpineOf spine(kL52.signature);
  TTuraevViroCalculator& c = spine.calculator;
  EXPECT_EQ(c.FullStatus(5), kTuraevViroNeverComputed);
  EXPECT_EQ(c.FullResult(2), nullptr);
  EXPECT_EQ(c.FullResult(17), nullptr);
  EXPECT_EQ(c.HighestFullOrder(), 0);
  EXPECT_THROW(c.ComputeOrder(17, kTuraevViroFull, -1, nullptr), std::invalid_argument);
  EXPECT_THROW(c.ComputeOrder(5, 4, -1, nullptr), std::invalid_argument);

  ASSERT_EQ(c.ComputeOrder(7, kTuraevViroTrivialPart, -1, nullptr), kTuraevViroDone);
  const std::string trivial7 = c.TrivialPartResult(7)->ToText();
  // A stop during a later sum of the same order keeps the finished value.
  std::atomic<int> stop{1};
  std::atomic<int> cancelled{0};
  TSpineOf big("heegaard 0 5 1 0 2 0");
  EXPECT_EQ(big.calculator.ComputeOrder(9, kTuraevViroBoth, -1, &cancelled, &stop),
            kTuraevViroBreak);
  EXPECT_EQ(cancelled.load(), 1);
  EXPECT_EQ(big.calculator.FullStatus(9), kTuraevViroBreak);
  EXPECT_EQ(big.calculator.FullResult(9), nullptr);

  EXPECT_EQ(c.ComputeOrder(7, kTuraevViroBoth, -1, nullptr), kTuraevViroDone);
  EXPECT_EQ(c.TrivialPartResult(7)->ToText(), trivial7);
  EXPECT_EQ(c.HighestFullOrder(), 7);
  EXPECT_EQ(c.HighestTrivialPartOrder(), 7);
}

// At every vertex of a special spine the six wings are in tetrahedral order:
// the four wing triples of the edge ends are the cell triples of edges.
TEST(TuraevViroCalculator, VertexWingsFormTheEdgeTriples) {
  TSpineOf spine(kQ8.signature);
  const TTuraevViroCalculator& c = spine.calculator;
  ASSERT_EQ(c.EdgeCount(), 2 * c.VertexCount());
  std::multiset<std::multiset<int>> edgeTriples;
  for (int e = 1; e <= c.EdgeCount(); ++e) {
    const auto cells = c.EdgeCellNumbers(e);
    edgeTriples.insert({cells[0], cells[1], cells[2]});
  }
  std::multiset<std::multiset<int>> endTriples;
  for (int v = 1; v <= c.VertexCount(); ++v) {
    const auto w = c.VertexCellNumbers(v);
    for (const auto& t : {std::multiset<int>{w[0], w[1], w[2]}, {w[0], w[4], w[5]},
                          {w[1], w[3], w[5]}, {w[2], w[3], w[4]}}) {
      endTriples.insert(t);
    }
  }
  // Every edge has two ends.
  std::multiset<std::multiset<int>> twice = edgeTriples;
  twice.insert(edgeTriples.begin(), edgeTriples.end());
  EXPECT_EQ(endTriples, twice);
}

TEST(TuraevViroCalculator, CellsThatAreNotASpecialSpineAreRefused) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  // Two cells along one edge: an edge on two wings only.
  ASSERT_NE(document.ParseDocumentText("1 -1\n1\n", TOptionValues{}), 0);
  TTuraevViroCalculator calculator;
  EXPECT_THROW(calculator.Setup(document.Spine()), std::invalid_argument);
  EXPECT_EQ(calculator.CellCount(), 0);
}

TEST(TuraevViroCommands, ReportOfTheLensSpaceL52) {
  TCommandResult full = RunCommandOnText(24, "bkaajn", TOptionValues{});
  ASSERT_EQ(full.outcome, TCommandOutcome::kDone) << full.shown;
  EXPECT_EQ(full.shown.rfind("Turaev-Viro Invariants :\r\n\r\norder\tvalue\r\n"
                             " T_3\t1\r\n T_4\t1\r\n T_5\t0\r\n T_6\t1\r\n"
                             " T_7\ts_2 +s_1 +2\r\n",
                             0),
            0u)
      << full.shown;
  EXPECT_NE(full.shown.find(" T_16\t"), std::string::npos);
  EXPECT_NE(full.shown.find("\r\n\r\n\r\nAbout using notation see topic 'Turaev-Viro Invariants' "
                            "in Sorvelin help\r\n"),
            std::string::npos);

  TCommandResult trivial = RunCommandOnText(25, "cMcabbjxr", TOptionValues{});
  ASSERT_EQ(trivial.outcome, TCommandOutcome::kDone);
  EXPECT_NE(trivial.shown.find("Homologically trivial part of Turaev-Viro Invariants :\r\n"),
            std::string::npos);
  EXPECT_NE(trivial.shown.find(" E_5\ts_1 +2\r\n"), std::string::npos) << trivial.shown;
}

TEST(TuraevViroCommands, StoppedRunsSayCancelledAndEndTheList) {
  // The view shows the list as far as it came (the desktop program's report).
  std::atomic<int> stop{1};
  TTextBufferControl control;
  control.text = "heegaard 0 5 1 0 2 0";
  TSpineTextView view(control);
  std::string shown;
  EXPECT_EQ(view.RunCommand(BuiltInDocumentCommands(), 24, TOptionValues{}, &stop, &shown),
            TCommandOutcome::kStopped);
  const std::size_t cancelled = shown.find("\tCancelled by user\r\n\r\n\r\nAbout using");
  ASSERT_NE(cancelled, std::string::npos) << "the list ends at the stopped order: " << shown;
  EXPECT_EQ(shown.find("\tCancelled by user"), cancelled) << "once";
  EXPECT_EQ(shown.find(" T_16"), std::string::npos);

  // The command line prints nothing of a stopped command.
  TCommandResult r = RunCommandOnText(24, "heegaard 0 5 1 0 2 0", TOptionValues{}, &stop);
  EXPECT_EQ(r.outcome, TCommandOutcome::kStopped);
  EXPECT_TRUE(r.shown.empty()) << r.shown;
}

TEST(TuraevViroCommands, SpinesThatAreNotSpecialAreRefused) {
  TCommandResult r = RunCommandOnText(24, "1 -1\n1\n", TOptionValues{});
  EXPECT_EQ(r.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(r.shown.find("Given polyhedron is not special"), std::string::npos) << r.shown;
}

}  // namespace

namespace {

TEST(TuraevViroCommands, TheTaskShowsTheListAsItGrows) {
  TRecordingTaskView view;
  TComputationTask task;
  task.SetKindOrders(&view, 3, 5, kTuraevViroTrivialPart);
  task.SetDocumentText("cMcabbjxr");
  const TTaskBodies bodies = BuiltInTaskBodies();
  const TTaskBody* body = bodies.Find(TTaskKind::TuraevViro);
  ASSERT_NE(body, nullptr);
  (*body)(task);
  EXPECT_EQ(view.begun, 1);
  EXPECT_EQ(view.ended, 1);
  ASSERT_EQ(view.reports.size(), 4u) << "after each order, then the whole";
  EXPECT_NE(view.reports[0].find(" E_3\t1\r\n\r\n\r\nAbout using"), std::string::npos)
      << view.reports[0];
  EXPECT_EQ(view.reports.back(),
            "Homologically trivial part of Turaev-Viro Invariants :\r\n\r\norder\tvalue\r\n"
            " E_3\t1\r\n E_4\t1\r\n E_5\ts_1 +2\r\n\r\n\r\n"
            "About using notation see topic 'Turaev-Viro Invariants' in Sorvelin help\r\n");
}

}  // namespace

namespace {

TEST(TuraevViroCommands, TheTaskAsksBeforeSpinesOfTwentyCells) {
  std::vector<std::string> asked;
  TMessageBoxHandler previous =
      SetMessageBoxHandler([&](std::string_view text, TMessageButtons, TMessageIcon) {
        asked.emplace_back(text);
        return TMessageResult::Cancel;
      });
  TRecordingTaskView view;
  TComputationTask task;
  task.SetKindOrders(&view, 3, 3, kTuraevViroFull);
  task.SetDocumentText("heegaard 0 13 5 0 3 2");  // 25 cells
  (*BuiltInTaskBodies().Find(TTaskKind::TuraevViro))(task);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].rfind("The spine contains 25 2-components\r\n", 0), 0u) << asked[0];
  EXPECT_EQ(view.begun, 0) << "Cancel computes nothing";

  TComputationTask notSpecial;
  notSpecial.SetKindOrders(&view, 3, 3, kTuraevViroFull);
  notSpecial.SetDocumentText("1 -1\n1\n");
  (*BuiltInTaskBodies().Find(TTaskKind::TuraevViro))(notSpecial);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].rfind("Given polyhedron is not special\n", 0), 0u) << asked[1];
  EXPECT_EQ(view.begun, 0);
  SetMessageBoxHandler(previous);
}

}  // namespace

namespace {

TEST(TuraevViroCalculator, ATimeLimitEndsALongSumWithoutValue) {
  TSpineOf spine("badc*cdab*dcba");  // twelve cells: order 9 runs for seconds
  EXPECT_EQ(spine.calculator.ComputeOrder(9, kTuraevViroFull, 1, nullptr), kTuraevViroTimeLimit);
  EXPECT_EQ(spine.calculator.TimeLimitUsed(), 1);
  EXPECT_EQ(spine.calculator.FullStatus(9), kTuraevViroTimeLimit);
  EXPECT_EQ(spine.calculator.FullResult(9), nullptr);
  // No limit (0 or less) lets a short sum finish.
  EXPECT_EQ(spine.calculator.ComputeOrder(3, kTuraevViroFull, 0, nullptr), kTuraevViroDone);
  EXPECT_EQ(spine.calculator.FullResult(3)->ToText(), "0") << "RP^3";
}

}  // namespace
