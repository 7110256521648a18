// The tasks that may run long unattended (default moves, the surface
// searches) beep when they end, so that a user who looked away hears that
// the result is there; a refused or aborted task does not.
#include <gtest/gtest.h>

#include <string>

#include "shell/computation_task.h"
#include "shell/task_bodies.h"
#include "support/recording_task_view.h"

TEST(TaskBeeps, LongTasksBeepWhenTheyHaveRun) {
  struct TCase {
    TTaskKind kind;
    const char* text;
    int beeps;
  } cases[] = {
      {TTaskKind::DefaultMoves, "bkaajn", 1},
      {TTaskKind::DefaultMoves, "", 0},  // no spine: refused
      {TTaskKind::SurfaceSearch, "bkaajn", 1},
      {TTaskKind::NormalSurfaceSearch, "bkaajn", 1},
  };
  const TTaskBodies bodies = BuiltInTaskBodies();
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << TaskKindNumber(c.kind) << " '" << c.text << "'");
    TRecordingTaskView view;
    TComputationTask task;
    task.SetKind(&view, c.kind);
    task.SetDocumentText(c.text);
    const TTaskBody* body = bodies.Find(c.kind);
    ASSERT_NE(body, nullptr);
    (*body)(task);
    EXPECT_EQ(view.ended, 1);
    ASSERT_FALSE(view.reports.empty());
    EXPECT_EQ(view.beeps, c.beeps) << view.reports.back();
  }
}
