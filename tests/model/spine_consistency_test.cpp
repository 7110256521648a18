#include "model/spine_consistency.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

const std::vector<std::vector<int>> kTwicePuncturedSphere = {{1}, {2}, {1, 2, -1, -2}};

int gHandlerCalls = 0;
void CountCall() { ++gHandlerCalls; }

class SpineConsistency : public ::testing::Test {
 protected:
  void SetUp() override {
    gHandlerCalls = 0;
    ClearSpineValidationFailure();
    SetValidationFailureHandler(CountCall);
  }
  void TearDown() override {
    SetValidationFailureHandler(nullptr);
    ClearSpineValidationFailure();
  }
  TScopedModelHeap heap_;
};

TEST_F(SpineConsistency, SoundSpinesPass) {
  TSpine spine;
  BuildComplexFromWords(spine, kTwicePuncturedSphere);
  EXPECT_EQ(ValidateSpine(spine), 1);
  ASSERT_EQ(spine.Thicken(1), 1);
  EXPECT_EQ(ValidateSpineChecked(spine, "a move"), 1);
  EXPECT_FALSE(SpineValidationFailed());
  EXPECT_EQ(gHandlerCalls, 0);
}

struct TBreakage {
  const char* name;
  std::function<void(TSpine&)> breakIt;
};

TEST_F(SpineConsistency, BrokenSpinesFailWithAnInternalErrorAndStop) {
  const TBreakage cases[] = {
      {"edge without cells", [](TSpine& s) { s.Objects().CreateObject(kEdgeKind); }},
      {"vertex without edges", [](TSpine& s) { s.Objects().CreateObject(kVertexKind); }},
      {"open boundary word",
       [](TSpine& s) {
         TObjectManager& objects = s.Objects();
         THandle edge(objects.CreateObject(kEdgeKind));
         TEdge::SetEndVertex(edge, objects.CreateObject(kVertexKind), 1);
         TEdge::SetEndVertex(edge, objects.CreateObject(kVertexKind), 2);
         THandle cell(objects.CreateObject(kCellKind));
         TCell::AppendPassage(cell, edge, 1);
       }},
      {"thick cell copy off its sides",
       [](TSpine& s) {
         THandle thickEdge(s.Objects().First(kThickEdgeKind));
         TThickEdge::Detach(thickEdge, TThickEdge::Side(thickEdge, 0));
       }},
      {"second spine of the chain broken",
       [](TSpine& s) {
         TSpine* second = new TSpine();
         BuildComplexFromWords(*second, kTwicePuncturedSphere);
         second->Objects().CreateObject(kEdgeKind);
         s.SetNext(second);
       }},
  };
  for (const TBreakage& c : cases) {
    gHandlerCalls = 0;
    ClearSpineValidationFailure();
    TSpine spine;
    BuildComplexFromWords(spine, kTwicePuncturedSphere);
    ASSERT_EQ(spine.Thicken(1), 1);
    unsigned long errors = InternalErrorCount();
    c.breakIt(spine);
    EXPECT_EQ(ValidateSpineChecked(spine, nullptr), 0) << c.name;
    EXPECT_EQ(InternalErrorCount(), errors + 1) << c.name;
    TString status;
    GetLastStatusText(status);
    EXPECT_EQ(std::string(status.CStr()).rfind("Internal error : spine_consistency ", 0), 0u)
        << c.name << ": " << status.CStr();
    EXPECT_TRUE(SpineValidationFailed()) << c.name;
    EXPECT_EQ(gHandlerCalls, 1) << c.name;
  }
}

TEST_F(SpineConsistency, LoggedMovesAreCheckedOnlyInDebuggingMode) {
  TSpine spine;
  BuildComplexFromWords(spine, kTwicePuncturedSphere);
  spine.Objects().CreateObject(kEdgeKind);  // an edge without cells
  spine.LogEvent(3, "a move");
  EXPECT_EQ(gHandlerCalls, 0);
  SkipSpineValidation.store(0);
  spine.LogEvent(3, "another move");
  SkipSpineValidation.store(1);
  EXPECT_EQ(gHandlerCalls, 1);
  EXPECT_TRUE(SpineValidationFailed());
  EXPECT_EQ(spine.LogCount(), 2);
}

TEST_F(SpineConsistency, LoopsOccurTwiceAtTheirVertex) {
  TSpine spine;
  BuildComplexFromWords(spine, {{1}, {-1}});
  THandle vertex(spine.Objects().First(kVertexKind));
  EXPECT_EQ(CheckVertex(spine, vertex), 1);
}

}  // namespace
