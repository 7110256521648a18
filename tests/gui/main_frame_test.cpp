// The desktop program's main window, headless: computations on the worker
// with their menu switch and stop, reports in information mode, closing a
// document during its computation, and the settings file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QLineEdit>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>
#include <QToolBar>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/main_frame.h"
#include "app/gui/spine_app.h"
#include "app/gui/text_view_widget.h"
#include "app/gui/time_limit_dialog.h"
#include "foundation/message_box.h"
#include "foundation/status_reporter.h"
#include "shell/computation_task.h"
#include "shell/option_commands.h"
#include "foundation/stop_flags.h"
#include "shell/task_view.h"

namespace {

const char kSpineText[] = "1 2 -1 -2";

// Processes events until the condition holds (at most five seconds).
bool WaitUntil(const std::function<bool()>& condition) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > 5000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

// A fake recognition (or invariant) engine: begins the computation, changes
// settings the way the presets do, reports progress and runs until stopped.
struct TFakeLongEngine {
  std::atomic<bool> started{false};

  void operator()(TComputationTask& task) {
    task.BeginComputation();
    task.Options().ReportType = 1;
    task.Options().EnumerationOfManifoldsRecognitionMode = 1;
    ShowStatusText("Stage 1\tTo stop press Ctrl+Break");
    started = true;
    while (!IsStopRequested()) QThread::msleep(1);
    if (TComputationTask::Aborted()) return;
    task.Output().AppendText("Cancelled by user\r\n");
    task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
    task.EndComputation();
  }
};

// A "Homology Group" with a fixed report: the view parses the text as for
// any command.
TCommandOutcome FakeHomology(TCommandRun& run) {
  run.Parse();
  run.output.AppendText(run.HasSpine() ? "H_1 = 0\r\n" : "Unable to build special polyhedron!\r\n");
  return run.HasSpine() ? TCommandOutcome::kDone : TCommandOutcome::kRefused;
}

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { Build(2); }

  void Build(int menuMode) {
    frame_.reset();
    app_.reset();
    TTaskBodies bodies;
    bodies.Set(TTaskKind::RecognizeTillMain, [this](TComputationTask& task) { engine_(task); });
    bodies.Set(TTaskKind::TuraevViro, [this](TComputationTask& task) { engine_(task); });
    bodies.Set(TTaskKind::SeriesRun, [this](TComputationTask& task) {
      seriesText_ = task.DocumentText();
      ++seriesRuns_;
    });
    TDocumentCommands commands;
    commands.Set(23, FakeHomology);
    app_ = std::make_unique<TSpineApp>(menuMode, std::move(bodies), std::move(commands));
    app_->SetProfilePath(profileDir_.filePath(QStringLiteral("Sorvelin.ini")));
    frame_ = std::make_unique<TMainFrame>(*app_);
    frame_->show();
    // The tests answer the questions themselves.
    SetMessageBoxHandler([this](std::string_view text, TMessageButtons, TMessageIcon) {
      questions_.emplace_back(text);
      const TMessageResult answer = answers_.empty() ? TMessageResult::Cancel : answers_.front();
      if (!answers_.empty()) answers_.erase(answers_.begin());
      return answer;
    });
  }

  void TearDown() override {
    if (frame_) {
      app_->Runner().Stop();
      app_->Runner().Wait();
      for (TTextViewWidget* view : frame_->Views()) view->document()->setModified(false);
      frame_.reset();
    }
    app_.reset();
  }

  TTextViewWidget* NewDocumentWith(const char* text) {
    TTextViewWidget* view = frame_->NewDocument();
    view->setPlainText(QString::fromUtf8(text));
    return view;
  }

  QString StatusLine() const { return frame_->statusBar()->currentMessage(); }

  QStringList MenuTitles() const {
    QStringList titles;
    for (QAction* action : frame_->menuBar()->actions()) titles << action->text();
    return titles;
  }

  QTemporaryDir profileDir_;
  TFakeLongEngine engine_;
  std::unique_ptr<TSpineApp> app_;
  std::unique_ptr<TMainFrame> frame_;
  std::vector<std::string> questions_;
  std::vector<TMessageResult> answers_;
  std::atomic<int> seriesRuns_{0};
  std::string seriesText_;
};

TEST_F(MainFrameTest, ALongTaskSwitchesTheMenusAndStopsWithEsc) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  app_->Options().ReportType = 3;
  QAction* recognize = frame_->MenuAction(kRecognizeCommand);
  ASSERT_NE(recognize, nullptr);
  EXPECT_EQ(recognize->text(), QStringLiteral("&Recognize\tF5"));
  EXPECT_EQ(recognize->shortcut(), QKeySequence(Qt::Key_F5));
  ASSERT_TRUE(recognize->isEnabled());
  EXPECT_TRUE(frame_->MenuAction(23)->isEnabled());

  recognize->trigger();
  ASSERT_TRUE(WaitUntil([&] { return engine_.started.load(); }));
  ASSERT_TRUE(WaitUntil([&] { return view->Core().Computing(); }));
  EXPECT_TRUE(frame_->IsComputing());

  // The Recognize item stops the computation now; nothing else can run.
  EXPECT_EQ(recognize->text(), QStringLiteral("&Stop Recognition\tCtrl+Break"));
  EXPECT_TRUE(recognize->isEnabled());
  EXPECT_TRUE(recognize->shortcut().isEmpty()) << "F5 never stops a computation";
  for (int id : std::vector<int>{23, 42, 57, 81, 82, 84, kCutCommand, kCopyCommand, kPasteCommand}) {
    ASSERT_NE(frame_->MenuAction(id), nullptr) << id;
    EXPECT_FALSE(frame_->MenuAction(id)->isEnabled()) << id;
  }
  EXPECT_FALSE(frame_->ToolbarAction(kRecognizeCommand)->isEnabled());
  EXPECT_FALSE(frame_->ToolbarAction(kInitialStateCommand)->isEnabled());
  EXPECT_TRUE(frame_->ToolbarAction(kStopCommand)->isEnabled());
  EXPECT_TRUE(WaitUntil([&] { return StatusLine() == QStringLiteral("Stage 1\tTo stop press Ctrl+Break"); }));
  // The commands given meanwhile do nothing.
  frame_->RunCommand(23);
  EXPECT_FALSE(view->Core().InformationMode());

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &escape);
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));

  // The settings the engine changed are back; the user's text is kept.
  EXPECT_EQ(app_->Options().ReportType, 3);
  EXPECT_EQ(app_->Options().EnumerationOfManifoldsRecognitionMode, 2);
  EXPECT_TRUE(view->Core().InformationMode());
  EXPECT_EQ(view->toPlainText(), QStringLiteral("Cancelled by user\n"));
  EXPECT_EQ(view->Core().DocumentTextToSave(), kSpineText);
  EXPECT_EQ(recognize->text(), QStringLiteral("&Recognize\tF5"));
  EXPECT_EQ(recognize->shortcut(), QKeySequence(Qt::Key_F5));

  frame_->RunCommand(kInitialStateCommand);
  EXPECT_EQ(view->toPlainText(), QString::fromUtf8(kSpineText));
  EXPECT_FALSE(view->isReadOnly());
}

TEST_F(MainFrameTest, TuraevViroStopsThroughItsOwnCaptionAndContextMenu) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  ASSERT_TRUE(frame_->MenuAction(24)->isEnabled());
  EXPECT_FALSE(frame_->MenuAction(33)->isEnabled()) << "no surface search in this build";
  frame_->MenuAction(24)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return engine_.started.load() && view->Core().Computing(); }));
  QAction* recognize = frame_->MenuAction(kRecognizeCommand);
  EXPECT_EQ(recognize->text(), QStringLiteral("&Stop Calculations\tCtrl+Break"));

  std::unique_ptr<QMenu> menu(frame_->CreateContextMenu(view));
  QStringList enabled;
  QStringList all;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    all << action->text();
    if (action->isEnabled()) enabled << action->text();
  }
  EXPECT_EQ(all, (QStringList{QStringLiteral("Cu&t"), QStringLiteral("&Copy"),
                              QStringLiteral("&Paste"),
                              QStringLiteral("&Stop Calculations\tCtrl+Break")}));
  EXPECT_EQ(enabled, QStringList{QStringLiteral("&Stop Calculations\tCtrl+Break")});

  recognize->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));
  EXPECT_EQ(recognize->text(), QStringLiteral("&Recognize\tF5"));
}

TEST_F(MainFrameTest, AReportIsReadOnlyAndInitialStateBringsTheTextBack) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  EXPECT_FALSE(frame_->MenuAction(42)->isEnabled());
  frame_->MenuAction(23)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));

  EXPECT_TRUE(view->Core().InformationMode());
  EXPECT_TRUE(view->isReadOnly());
  EXPECT_EQ(view->toPlainText(), QStringLiteral("H_1 = 0\n"));
  EXPECT_EQ(StatusLine(), QStringLiteral("Click Sorvelin|Initial State to restore original text"));
  EXPECT_TRUE(frame_->MenuAction(42)->isEnabled());
  EXPECT_TRUE(frame_->ToolbarAction(kInitialStateCommand)->isEnabled());
  EXPECT_FALSE(frame_->MenuAction(kInitialStateCommand)->isChecked());

  // Saving while the report is shown saves the user's text.
  const QString path = profileDir_.filePath(QStringLiteral("spine.txt"));
  ASSERT_TRUE(frame_->SaveView(view, path));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray(kSpineText));
  EXPECT_EQ(app_->RecentFiles().value(0), QFileInfo(path).absoluteFilePath());

  // F9 is Initial State.
  EXPECT_EQ(frame_->MenuAction(kInitialStateCommand)->shortcut(), QKeySequence(Qt::Key_F9));
  frame_->MenuAction(kInitialStateCommand)->trigger();
  EXPECT_FALSE(view->Core().InformationMode());
  EXPECT_FALSE(view->isReadOnly());
  EXPECT_EQ(view->toPlainText(), QString::fromUtf8(kSpineText));
  EXPECT_TRUE(frame_->MenuAction(kInitialStateCommand)->isChecked());
  EXPECT_EQ(StatusLine(), QString());
}

TEST_F(MainFrameTest, AReportWithoutASpineGreysTheCommandsThatNeedOne) {
  TTextViewWidget* view = NewDocumentWith("");
  frame_->MenuAction(23)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));
  EXPECT_TRUE(view->Core().InformationMode());
  EXPECT_FALSE(frame_->MenuAction(23)->isEnabled());
  EXPECT_TRUE(frame_->MenuAction(42)->isEnabled());
  EXPECT_FALSE(frame_->ToolbarAction(kRecognizeCommand)->isEnabled());
  EXPECT_TRUE(frame_->ToolbarAction(kInitialStateCommand)->isEnabled());
}

TEST_F(MainFrameTest, ClosingADocumentDuringItsComputationAsksFirst) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  QPointer<TTextViewWidget> guarded(view);
  frame_->RunCommand(kRecognizeCommand);
  ASSERT_TRUE(WaitUntil([&] { return engine_.started.load(); }));
  auto* window = qobject_cast<QMdiSubWindow*>(view->parentWidget());
  ASSERT_NE(window, nullptr);

  answers_ = {TMessageResult::Cancel};
  window->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(questions_, std::vector<std::string>{"Terminate series exicution?"});
  EXPECT_FALSE(guarded.isNull());
  EXPECT_TRUE(app_->Runner().IsBusy());

  // OK stops the engine; then the launch's modified mark asks about saving.
  answers_ = {TMessageResult::Ok, TMessageResult::No};
  window->close();
  ASSERT_TRUE(WaitUntil([&] { return guarded.isNull(); }));
  ASSERT_EQ(questions_.size(), 3u);
  EXPECT_EQ(questions_[1], "Terminate series exicution?");
  EXPECT_EQ(questions_[2].rfind("Save changes to ", 0), 0u) << questions_[2];
  EXPECT_FALSE(app_->Runner().IsBusy());
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));
  EXPECT_EQ(app_->Options().EnumerationOfManifoldsRecognitionMode, 2);
}

TEST_F(MainFrameTest, ASeriesNamedOnTheCommandLineRunsOnceInTheFirstView) {
  // The reduced command set has no Series menu; the series runs all the same.
  app_->SetSeriesAutoRun(true);
  TTextViewWidget* view = NewDocumentWith("census.txt 1 > \n");
  frame_->ViewFocused(view);
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing() && seriesRuns_.load() == 1; }));
  EXPECT_EQ(seriesText_, "census.txt 1 > \n");
  frame_->ViewFocused(view);
  QCoreApplication::processEvents();
  EXPECT_FALSE(frame_->IsComputing());
  EXPECT_EQ(seriesRuns_.load(), 1);
}

TEST_F(MainFrameTest, TheCommandSetChoosesTheMenus) {
  const QStringList reduced = MenuTitles();
  EXPECT_EQ(reduced, (QStringList{"&File", "&Edit", "&View", "&Information", "&Sorvelin",
                                  "&Options", "&Window", "&Help"}));
  EXPECT_EQ(frame_->MenuAction(38)->text(), QStringLiteral("&Last Information"));
  EXPECT_EQ(frame_->MenuAction(85), nullptr) << "no Report submenu in the reduced set";
  Build(1);
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&View", "&Information", "&Sorvelin",
                                       "&Series", "&Options", "&Window", "&Help"}));
  Build(0);
  EXPECT_TRUE(MenuTitles().contains(QStringLiteral("Internal &Tables")));
  EXPECT_TRUE(MenuTitles().contains(QStringLiteral("&Debug")));
  EXPECT_EQ(frame_->MenuAction(75)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F6")));
  EXPECT_EQ(frame_->MenuAction(38)->text(), QStringLiteral("Last I&nformation"));
}

TEST_F(MainFrameTest, TheToolbarHasTwelveSlotsAndTheStatusBarThreePanes) {
  QList<QToolBar*> bars = frame_->findChildren<QToolBar*>();
  ASSERT_EQ(bars.size(), 1);
  EXPECT_EQ(bars[0]->actions().size(), 12);
  for (const char* pane : {"CAPS", "NUM", "SCRL"}) {
    EXPECT_NE(frame_->statusBar()->findChild<QLabel*>(QString::fromLatin1(pane)), nullptr) << pane;
  }
  EXPECT_TRUE(frame_->windowTitle().startsWith(QStringLiteral("Sorvelin of 3D manifolds (")));
}

TEST_F(MainFrameTest, OptionTogglesShowTheirCheckMarks) {
  NewDocumentWith(kSpineText);
  QAction* disableSurgeries = frame_->MenuAction(81);
  ASSERT_NE(disableSurgeries, nullptr);
  EXPECT_FALSE(disableSurgeries->isChecked());
  disableSurgeries->trigger();
  EXPECT_EQ(app_->Options().DisableSurgeries, 1);
  EXPECT_TRUE(disableSurgeries->isChecked());
}

TEST_F(MainFrameTest, SettingsSurviveARestartInTheirOwnUnits) {
  app_->Options().MaxAllVariantsTime = 90000;
  app_->Options().DisableSurgeries = 1;
  app_->Options().MakeCellReductionsAutomatically = 0;  // kept only by the full set
  app_->AddRecentFile(QStringLiteral("/tmp/a.txt"));
  app_->SaveSettings();
  {
    QSettings file(app_->ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Options/MaxAllVariantsTime")).toString(), QStringLiteral("90"));
    EXPECT_FALSE(file.contains(QStringLiteral("Options/MakeCellReductionsAutomatically")));
  }
  TSpineApp restarted(2, TTaskBodies{}, TDocumentCommands{});
  restarted.SetProfilePath(app_->ProfilePath());
  restarted.LoadSettings();
  EXPECT_EQ(restarted.Options().MaxAllVariantsTime, 90000);
  EXPECT_EQ(restarted.Options().DisableSurgeries, 1);
  EXPECT_EQ(restarted.Options().MakeCellReductionsAutomatically, 1);
  EXPECT_EQ(restarted.RecentFiles(), QStringList{QStringLiteral("/tmp/a.txt")});

  // A value out of range in the file keeps the built-in setting.
  {
    QSettings file(app_->ProfilePath(), QSettings::IniFormat);
    file.setValue(QStringLiteral("Options/ReportType"), QStringLiteral("banana"));
  }
  TSpineApp again(2, TTaskBodies{}, TDocumentCommands{});
  again.SetProfilePath(app_->ProfilePath());
  again.LoadSettings();
  EXPECT_EQ(again.Options().ReportType, 2);
}

TEST_F(MainFrameTest, TheRecentFileListKeepsFour) {
  for (int i = 1; i <= 6; ++i) app_->AddRecentFile(QStringLiteral("/tmp/f%1.txt").arg(i));
  app_->AddRecentFile(QStringLiteral("/tmp/f4.txt"));
  EXPECT_EQ(app_->RecentFiles(), (QStringList{"/tmp/f4.txt", "/tmp/f6.txt", "/tmp/f5.txt",
                                              "/tmp/f3.txt"}));
}

TEST(TimeLimitDialogTest, PlusMinusAndOk) {
  std::optional<TTimeLimitDlg> rules = OptionValueDialog(96, TOptionValues{});
  ASSERT_TRUE(rules.has_value());
  TTimeLimitDialog dialog(*rules, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Recognition time limit"));
  dialog.Field()->setText(QStringLiteral("59"));
  dialog.PlusButton()->click();
  EXPECT_EQ(dialog.Field()->text(), QStringLiteral("60"));
  dialog.PlusButton()->click();
  EXPECT_EQ(dialog.Field()->text(), QStringLiteral("65"));
  dialog.MinusButton()->click();
  EXPECT_EQ(dialog.Field()->text(), QStringLiteral("60"));

  dialog.Field()->setText(QStringLiteral("ninety"));
  dialog.accept();
  EXPECT_EQ(dialog.MessageLine()->text(), QStringLiteral("Incorrect data!"));
  EXPECT_FALSE(rules->changed);
  dialog.Field()->setText(QStringLiteral("-1"));
  dialog.accept();
  EXPECT_EQ(dialog.MessageLine()->text(), QStringLiteral("The value should be >=0"));

  dialog.Field()->setText(QStringLiteral("90"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(rules->changed);
  TOptionValues options;
  ASSERT_TRUE(StoreOptionValueDialog(96, *rules, options));
  EXPECT_EQ(options.MaxAllVariantsTime, 90000);
}

}  // namespace
