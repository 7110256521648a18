// The sphere report, the progress of the group task, the two-letter
// stabilisations, and the DW and group tasks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/group_presentation.h"
#include "invariants/group_presentation_progress.h"
#include "invariants/group_presentation_search.h"
#include "invariants/group_presentation_sphere.h"
#include "invariants/group_presentation_stabilisation.h"
#include "model/edge.h"
#include "model/spine.h"
#include "shell/computation_task.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "support/recording_task_view.h"
#include "support/scoped_document.h"

namespace {

// Every label of every edge of every boundary surface.
std::vector<int> BoundaryLabels(const TSpine& spine) {
  std::vector<int> labels;
  for (int s = 0; s < spine.BoundaryCount(); ++s) {
    const TObjectManager& objects = spine.BoundaryAt(s)->Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      if (ObjectKind(objects.At(i)) != kEdgeKind) continue;
      for (int k = 0; k < 4; ++k) labels.push_back(TEdge::Label(objects.At(i), k));
    }
  }
  return labels;
}

TEST(PresentationSphere, ReportsPathsOnACopyOfTheSpine) {
  TScopedDocument spine("bkaajn", /*thicken=*/true);  // L(5,2)
  ASSERT_TRUE(spine.Ok());
  const std::vector<int> labels = BoundaryLabels(spine.Spine());
  TPresentationSphere sphere(spine.Spine());
  ASSERT_TRUE(sphere.Active());
  ASSERT_NE(sphere.RootVertex(), nullptr);
  TGroupPresentation p;
  p.Build(sphere.Spine(), sphere.RootVertex());
  const std::string report = sphere.Report(p);
  // A line per cell of the sphere, from its first cell; the steps over
  // generators marked "!"; then the generators on every 2-cell of the spine.
  EXPECT_EQ(report.rfind("\r\n\r\nCell #1+ -> Cell #1+ = {}\r\nCell #1+ -> ", 0), 0u) << report;
  EXPECT_NE(report.find("}={"), std::string::npos) << report;
  EXPECT_NE(report.find("\r\n\r\nCell #1 ={"), std::string::npos) << report;
  EXPECT_EQ(report.substr(report.size() - 4), "\r\n\r\n");
  // The path signs went into the copy, never into the spine of the view.
  EXPECT_EQ(BoundaryLabels(spine.Spine()), labels);
}

TEST(PresentationSphere, NoReportWithoutThickeningAndNoneButASphere) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_NE(document.ParseDocumentText("bkaajn", TOptionValues{}), 0);
  TPresentationSphere unthickened(document.Spine());
  EXPECT_FALSE(unthickened.Active());
  EXPECT_EQ(unthickened.RootVertex(), nullptr);

  TScopedDocument cusped("cPcbbbdxm", /*thicken=*/true);  // the figure-eight knot complement: a torus
  ASSERT_TRUE(cusped.Ok());
  TPresentationSphere torus(cusped.Spine());
  ASSERT_TRUE(torus.Active());
  TGroupPresentation p;
  p.Build(torus.Spine(), torus.RootVertex());
  EXPECT_EQ(torus.Report(p), "\r\n\r\nis not sphere\r\n\r\n");
}

TEST(GroupPresentationProgress, TheTaskShowsEveryBetterPresentationAndTheEnd) {
  TRecordingTaskView view;
  TComputationTask task;
  task.SetKind(&view, TTaskKind::BoundaryAndGroups);
  task.SetDocumentText("badc*cdab*dcba");  // RP^3 from a crystallization
  task.Options().GroupPresentationSearchLimit = 2000;  // the first better ones come early
  const TTaskBodies bodies = BuiltInTaskBodies();
  const TTaskBody* body = bodies.Find(TTaskKind::BoundaryAndGroups);
  ASSERT_NE(body, nullptr);
  (*body)(task);
  EXPECT_EQ(view.begun, 1);
  EXPECT_EQ(view.ended, 1);
  // The boundary report, the built presentation, at least one better one,
  // then the whole report.
  ASSERT_GE(view.reports.size(), 4u);
  const std::string hint = "To stop computation press Ctrl+Break\r\n";
  for (std::size_t i = 1; i + 1 < view.reports.size(); ++i) {
    const std::string& shown = view.reports[i];
    EXPECT_EQ(shown.rfind("badc*cdab*dcba\r\n", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - hint.size()), hint) << shown;
  }
  const std::string& last = view.reports.back();
  EXPECT_NE(last.find("badc*cdab*dcba\r\n1 generator: {"), std::string::npos) << last;
  EXPECT_EQ(last.find(hint), std::string::npos);
  EXPECT_NE(last.find(" -> "), std::string::npos) << "the sphere report";
}

TEST(DWTask, ShowsTheInvariant) {
  TRecordingTaskView view;
  TComputationTask task;
  task.SetKind(&view, TTaskKind::DWInvariants);
  task.SetDocumentText("bkaajj");  // L(4,1)
  const TTaskBodies bodies = BuiltInTaskBodies();
  const TTaskBody* body = bodies.Find(TTaskKind::DWInvariants);
  ASSERT_NE(body, nullptr);
  (*body)(task);
  EXPECT_EQ(view.ended, 1);
  ASSERT_EQ(view.reports.size(), 1u);
  EXPECT_NE(view.reports[0].find(" T_\r\n\r\n2\r\n"), std::string::npos) << view.reports[0];
}

// The trefoil group <1, 2 | 1 2 1 = 2 1 2>: both generators occur twice in
// the one relation, so no elimination applies to it.
TGroupPresentation Trefoil() {
  TGroupPresentation p;
  p.AddGenerator(1);
  p.AddGenerator(2);
  const std::int32_t braid[] = {1, 2, 1, -2, -1, -2};
  p.AddRelation(braid, 6);
  return p;
}

TEST(TwoLetterStabilisations, FindAShorterRelationAndRestoreThePresentation) {
  TGroupPresentation p = Trefoil();
  const std::string before = p.Text();
  TGroupPresentation best = p;
  SearchGroupPresentation(p, best, 0);
  ASSERT_EQ(best.Text(), before) << "the search alone finds nothing";
  TryTwoLetterStabilisations(p, 1, 2, best, 0);
  EXPECT_EQ(p.Text(), before);
  // With n = (1 2)^-1 added, solving it for 1 gives the relation
  // n^-2 2^-1 n 2^-1 of length 5 over the generators 2 and n.
  EXPECT_EQ(best.GeneratorCount(), 2);
  ASSERT_EQ(best.RelationCount(), 1);
  EXPECT_EQ(best.Relation(0).size(), 5u) << best.Text();
  EXPECT_TRUE(best.IsBetterThan(p));
  EXPECT_GT(*std::max_element(best.Generators().begin(), best.Generators().end()), 2)
      << "a stabilising generator takes a new number";
}

TEST(TwoLetterStabilisations, AStopLeavesThePresentationAsItCame) {
  TGroupPresentation p = Trefoil();
  const std::string before = p.Text();
  TGroupPresentation best = p;
  RequestStop();
  EXPECT_THROW(TryTwoLetterStabilisations(p, 1, 2, best, 0), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(p.Text(), before);
  EXPECT_EQ(best.Text(), before);
}

}  // namespace
