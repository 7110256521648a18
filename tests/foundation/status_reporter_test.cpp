#include "foundation/status_reporter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/output.h"

namespace {

// Records what reaches the status bar and the dialog, and restores the
// reporter's process-wide state afterwards.
class StatusReporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetStatusBarSink([this](const char* text) { bar.emplace_back(text); });
    ClearStatusWindow();
    ClearTraceOutput();
    UnmuteStatusLog();
    UnmuteTraceOutput();
    while (StatusSuppressionCount() != 0) UnsuppressStatus();
    ShowStatusText("start");
    bar.clear();
  }
  void TearDown() override {
    SetStatusBarSink(nullptr);
    ClearStatusWindow();
    ClearTraceOutput();
    UnmuteStatusLog();
    while (StatusSuppressionCount() != 0) UnsuppressStatus();
  }
  static std::string Last() {
    TString text;
    GetLastStatusText(text);
    return text.CStr();
  }
  std::vector<std::string> bar;
};

TEST_F(StatusReporterTest, SuppressionSilencesReportsButNotInternalErrors) {
  SuppressStatus();
  SuppressStatus();
  EXPECT_EQ(StatusSuppressionCount(), 2u);
  ReportStatus(TString("hidden"), -1);
  ReportStatusId(157);
  ReportStatusIdFormatSU(-1, 155, "x", 1u);
  EXPECT_TRUE(bar.empty());
  EXPECT_EQ(Last(), "start");

  ReportInternalError("objman", 369);
  ShowStatusText("direct");
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0], "Internal error : objman 369");
  EXPECT_EQ(bar[1], "direct");

  UnsuppressStatus();
  UnsuppressStatus();
  UnsuppressStatus();  // at 0 it stays 0
  EXPECT_EQ(StatusSuppressionCount(), 0u);
  ReportStatus(TString("shown"), -1);
  EXPECT_EQ(bar.back(), "shown");
}

TEST_F(StatusReporterTest, ComposedReportsJoinPrefixAndMessage) {
  struct TCase {
    void (*report)();
    const char* expected;
  } cases[] = {
      {[] { ReportStatus(TString("alone"), -1); }, "alone"},
      {[] { ReportStatus(TString("<-"), 151); }, "%<-"},
      {[] { ReportStatusId(157); }, "Error! Unable to load file."},
      {[] { ReportStatusIdId(153, 152); }, "%%%s ***"},
      {[] { ReportStatusIdFormatU(-1, 156, 7u); }, "Error! Only 7 of  bytes can be loaded. Continue?"},
      {[] { ReportStatusIdFormatII(151, 156, 1, 2); }, "%Error! Only 1 of 2 bytes can be loaded. Continue?"},
      {[] { ReportStatusIdFormatIS(-1, 155, 4, "cell"); }, "Internal error : 4 cell"},
      {[] { ReportStatusIdFormatS(-1, 158, "a.txt"); }, "Unable to write file a.txt"},
      {[] { ReportStatusIdFormatSSSS(-1, 155, "a", "b", "c", "d"); }, "Internal error : a b"},
  };
  for (const TCase& c : cases) {
    c.report();
    ASSERT_FALSE(bar.empty());
    EXPECT_EQ(bar.back(), c.expected);
    EXPECT_EQ(Last(), c.expected);
  }
}

TEST_F(StatusReporterTest, MutedLogShowsButKeepsTheLastText) {
  ShowStatusText("before");
  MuteStatusLog();
  ShowStatusText("while muted");
  ReportInternalError("cell", 498);
  EXPECT_EQ(bar.back(), "Internal error : cell 498");
  EXPECT_EQ(Last(), "before");
  UnmuteStatusLog();
}

TEST_F(StatusReporterTest, StatusWindowTakesReportsButNotInternalErrors) {
  TOutput trace;
  SetTraceOutput(&trace);
  std::vector<std::string> dialog;
  SetStatusWindow([&](const char* text) { dialog.emplace_back(text); });
  ReportStatus(TString("to the dialog"), -1);
  EXPECT_EQ(dialog, std::vector<std::string>{"to the dialog"});
  EXPECT_TRUE(bar.empty());
  EXPECT_STREQ(trace.Text(), "");
  ReportInternalError("thickcell", 392);
  EXPECT_EQ(dialog.size(), 1u);
  EXPECT_EQ(bar.back(), "Internal error : thickcell 392");
  ClearStatusWindow();
  ClearTraceOutput();
}

TEST_F(StatusReporterTest, TraceGetsStatusLinesAndInternalErrorsWithoutBreak) {
  TOutput trace;
  SetTraceOutput(&trace);
  EXPECT_EQ(GetTraceOutput(), &trace);
  ShowStatusText("one");
  ReportInternalError("Reduction", 437);
  MuteTraceOutput();
  ShowStatusText("not traced");
  TraceAppend("nor this");
  UnmuteTraceOutput();
  TraceAppend("x");
  TraceNewLine();
  ClearTraceOutput();
  ShowStatusText("after");
  EXPECT_STREQ(trace.Text(), "one\r\nInternal error : Reduction 437x\r\n");
}

TEST_F(StatusReporterTest, ClearStatusLineStoresNothing) {
  ShowStatusText("kept");
  ClearStatusLine();
  EXPECT_EQ(bar.back(), "");
  EXPECT_EQ(Last(), "kept");
}

}  // namespace
