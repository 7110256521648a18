// The desktop program, headless, on commands that run long: the parse and the
// report run on the worker, the window keeps processing events, Esc stops
// them and the document comes back as it was. Also the toolbar's buttons and
// the help window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/help_browser.h"
#include "app/gui/main_frame.h"
#include "app/gui/spine_app.h"
#include "app/gui/text_view_widget.h"
#include "foundation/message_box.h"
#include "foundation/stop_poll.h"
#include "shell/document_commands.h"

namespace {

// The twice-punctured 3-sphere, as three cells.
const char kSpineText[] = "1\n2\n1 2 -1 -2\n";

// A link with a large surgery coefficient: its parse (the framing of the
// exterior) and its homology take long enough to be stopped.
const char kLargeFramingText[] = "link code 1 -2 3 -1 2 -3 framing 29999 end";

constexpr int kShortInformation = 16;
constexpr int kHomologyGroup = 23;

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

// A report that never ends by itself: it parses, then runs a loop that polls
// the stop flag, as every long loop of the engines does.
std::atomic<bool> endlessStarted{false};
TCommandOutcome EndlessReport(TCommandRun& run) {
  run.Parse();
  endlessStarted = true;
  TStopPoll poll(256);
  for (;;) poll.Step();
}

class LongCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    endlessStarted = false;
    TDocumentCommands commands = BuiltInDocumentCommands();
    commands.Set(kShortInformation, EndlessReport);
    TTaskBodies bodies;
    bodies.Set(TTaskKind::RecognizeTillMain, [](TComputationTask&) {});
    app_ = std::make_unique<TSpineApp>(2, std::move(bodies), std::move(commands));
    app_->SetProfilePath(profileDir_.filePath(QStringLiteral("Sorvelin.ini")));
    frame_ = std::make_unique<TMainFrame>(*app_);
    frame_->show();
    SetMessageBoxHandler([this](std::string_view text, TMessageButtons, TMessageIcon) {
      messages_.emplace_back(text);
      return TMessageResult::Ok;
    });
  }

  void TearDown() override {
    app_->Runner().Stop();
    app_->Runner().Wait();
    for (TTextViewWidget* view : frame_->Views()) view->document()->setModified(false);
    frame_.reset();
    app_.reset();
    SetMessageBoxHandler({});
  }

  TTextViewWidget* NewDocumentWith(const char* text) {
    TTextViewWidget* view = frame_->NewDocument();
    view->setPlainText(QString::fromUtf8(text));
    return view;
  }

  // Starts the command from its menu item and checks that the window stays
  // alive meanwhile: the item returns at once, a timer fires, the stop
  // caption shows and the document is read-only.
  void StartAndCheckResponsive(int id, TTextViewWidget* view) {
    QElapsedTimer timer;
    timer.start();
    frame_->MenuAction(id)->trigger();
    EXPECT_LT(timer.elapsed(), 1000) << "the menu item waits for the command";
    ASSERT_TRUE(frame_->IsComputing());
    bool timerFired = false;
    QTimer::singleShot(20, frame_.get(), [&] { timerFired = true; });
    ASSERT_TRUE(WaitUntil([&] { return timerFired; })) << "the window processes no events";
    EXPECT_TRUE(frame_->IsComputing());
    QAction* recognize = frame_->MenuAction(kRecognizeCommand);
    EXPECT_EQ(recognize->text(), QStringLiteral("&Stop Calculations\tCtrl+Break"));
    EXPECT_TRUE(recognize->isEnabled());
    EXPECT_TRUE(frame_->ToolbarAction(kStopCommand)->isEnabled());
    EXPECT_FALSE(frame_->ToolbarAction(kRecognizeCommand)->isEnabled());
    EXPECT_FALSE(frame_->MenuAction(kHomologyGroup)->isEnabled());
    EXPECT_TRUE(view->isReadOnly());
  }

  // Presses Esc in the view; true when the document is back within the time.
  bool EscReturnsToTheDocument(TTextViewWidget* view, int milliseconds) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &escape);
    return WaitUntil([&] { return !frame_->IsComputing(); }, milliseconds);
  }

  void ExpectTheDocumentAsItWas(TTextViewWidget* view, const char* text) {
    EXPECT_EQ(view->toPlainText(), QString::fromUtf8(text)) << "nothing half-done is shown";
    EXPECT_FALSE(view->Core().InformationMode());
    EXPECT_FALSE(view->Core().Computing());
    EXPECT_FALSE(view->isReadOnly());
    EXPECT_EQ(view->Core().ViewState(), kViewEditing);
    EXPECT_EQ(frame_->MenuAction(kRecognizeCommand)->text(), QStringLiteral("&Recognize\tF5"));
    EXPECT_TRUE(frame_->ToolbarAction(kRecognizeCommand)->isEnabled());
    EXPECT_FALSE(frame_->ToolbarAction(kStopCommand)->isEnabled());
    EXPECT_TRUE(messages_.empty()) << messages_.front();
  }

  QTemporaryDir profileDir_;
  std::unique_ptr<TSpineApp> app_;
  std::unique_ptr<TMainFrame> frame_;
  std::vector<std::string> messages_;
};

TEST_F(LongCommandTest, ALongReportRunsOnTheWorkerAndEscReturnsToTheDocument) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  StartAndCheckResponsive(kShortInformation, view);
  ASSERT_TRUE(WaitUntil([] { return endlessStarted.load(); }));
  ASSERT_TRUE(EscReturnsToTheDocument(view, 1000));
  ExpectTheDocumentAsItWas(view, kSpineText);

  // The document works on: the next command parses and answers.
  frame_->MenuAction(kHomologyGroup)->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }));
  EXPECT_TRUE(view->Core().InformationMode());
  EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("H_1")))
      << view->toPlainText().toStdString();
}

TEST_F(LongCommandTest, TheStopButtonAndCtrlBreakStopAsEscDoes) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  for (int way = 0; way < 2; ++way) {
    SCOPED_TRACE(way == 0 ? "Stop button" : "Ctrl+Break");
    endlessStarted = false;
    StartAndCheckResponsive(kShortInformation, view);
    ASSERT_TRUE(WaitUntil([] { return endlessStarted.load(); }));
    if (way == 0) {
      frame_->ToolbarAction(kStopCommand)->trigger();
    } else {
      QKeyEvent ctrlBreak(QEvent::KeyPress, Qt::Key_Pause, Qt::ControlModifier);
      QCoreApplication::sendEvent(view, &ctrlBreak);
    }
    ASSERT_TRUE(WaitUntil([&] { return !frame_->IsComputing(); }, 1000));
    ExpectTheDocumentAsItWas(view, kSpineText);
  }
}

TEST_F(LongCommandTest, ClosingTheDocumentOfARunningCommandStopsIt) {
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  QPointer<TTextViewWidget> guarded(view);
  StartAndCheckResponsive(kShortInformation, view);
  ASSERT_TRUE(WaitUntil([] { return endlessStarted.load(); }));
  view->document()->setModified(false);
  qobject_cast<QMdiSubWindow*>(view->parentWidget())->close();
  ASSERT_TRUE(WaitUntil([&] { return guarded.isNull() && !frame_->IsComputing(); }, 2000));
  EXPECT_EQ(messages_, std::vector<std::string>{"Terminate series exicution?"});
  EXPECT_EQ(frame_->ActiveView(), nullptr);
}

// The real engines: the framing of a link exterior and the homology poll the
// stop flag, so Esc ends them within a moment. (Should the command finish
// before the key arrives, its whole report is shown instead.)
TEST_F(LongCommandTest, HomologyOfALargeFramingStopsWithEsc) {
  TTextViewWidget* view = NewDocumentWith(kLargeFramingText);
  StartAndCheckResponsive(kHomologyGroup, view);
  QThread::msleep(100);
  // (An engine that never polls fails here, and the tear-down then waits for
  // it to end by itself: minutes.)
  ASSERT_TRUE(EscReturnsToTheDocument(view, 1500)) << "Esc did not stop the command";
  if (view->Core().InformationMode()) {
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("H_1"))) << "a half-done report";
  } else {
    ExpectTheDocumentAsItWas(view, kLargeFramingText);
  }
}

// ---- The toolbar ----

// How much a picture covers: the summed opacity of its pixels. (The styles'
// greying keeps the opacity; a faded picture is a more transparent one.)
double Ink(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  double sum = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) sum += qAlpha(image.pixel(x, y)) / 255.0;
  }
  return sum;
}

TEST_F(LongCommandTest, TheToolbarFollowsTheDocumentAndEveryButtonHasAnIconAndATip) {
  QToolBar* toolbar = frame_->findChild<QToolBar*>();
  ASSERT_NE(toolbar, nullptr);
  for (QAction* action : toolbar->actions()) {
    if (action->isSeparator()) continue;
    SCOPED_TRACE(action->text().toStdString());
    EXPECT_FALSE(action->icon().isNull()) << "a word among pictures";
    EXPECT_FALSE(action->toolTip().isEmpty());
    // A disabled button must look disabled, also where the picture is grey.
    const double normal = Ink(action->icon().pixmap(24, QIcon::Normal));
    const double disabled = Ink(action->icon().pixmap(24, QIcon::Disabled));
    EXPECT_GT(normal, 0.0);
    EXPECT_LT(disabled, 0.5 * normal);
  }
  QStringList tips;
  for (QAction* action : toolbar->actions()) {
    if (!action->isSeparator()) tips << action->toolTip();
  }
  EXPECT_EQ(tips, (QStringList{"New (Ctrl+N)", "Open (Ctrl+O)", "Save (Ctrl+S)", "Cut (Ctrl+X)",
                               "Copy (Ctrl+C)", "Paste (Ctrl+V)", "Recognize (F5)",
                               "Simplify Dialog (F8)", "Initial State (F9)", "Stop (Ctrl+Break)"}));

  // Which buttons are on: without a document, with one, and after it closed.
  struct TRow {
    int id;
    bool withoutDocument;
    bool withDocument;
  };
  const TRow rows[] = {
      {kNewCommand, true, true},        {kOpenCommand, true, true},
      {kSaveCommand, false, true},      {kCutCommand, false, true},
      {kCopyCommand, false, true},      {kPasteCommand, false, true},
      {kRecognizeCommand, false, true}, {kSimplifyDialogCommand, false, true},
      {kInitialStateCommand, false, false}, {kStopCommand, false, false},
  };
  auto check = [&](const char* when, bool withDocument) {
    SCOPED_TRACE(when);
    for (const TRow& row : rows) {
      EXPECT_EQ(frame_->ToolbarAction(row.id)->isEnabled(),
                withDocument ? row.withDocument : row.withoutDocument)
          << row.id;
    }
  };
  check("at start", false);
  TTextViewWidget* view = NewDocumentWith(kSpineText);
  QCoreApplication::processEvents();
  check("with a document", true);
  view->document()->setModified(false);
  qobject_cast<QMdiSubWindow*>(view->parentWidget())->close();
  ASSERT_TRUE(WaitUntil([&] { return frame_->Views().isEmpty(); }));
  QCoreApplication::processEvents();
  check("after the document closed", false);
}

// ---- Help ----

TEST_F(LongCommandTest, F1ShowsTheHelpPageInAWindowOfTheProgram) {
  frame_->SetHelpPagePath(QString::fromUtf8(SORVELIN_BINARY_DIR "/Help/index.htm"));
  QAction* help = frame_->MenuAction(kHelpCommand);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
  help->trigger();
  THelpBrowser* window = frame_->HelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
  EXPECT_TRUE(window->toPlainText().contains(QStringLiteral("Sorvelin")));
  EXPECT_FALSE(window->windowTitle().isEmpty());
  EXPECT_TRUE(messages_.empty());

  // A second F1 shows the same window.
  help->trigger();
  EXPECT_EQ(frame_->HelpWindow(), window);
}

TEST_F(LongCommandTest, AMissingHelpPageIsReportedWithItsPlace) {
  QTemporaryDir empty;
  frame_->SetHelpPagePath(empty.filePath(QStringLiteral("Help/index.htm")));
  frame_->RunCommand(kHelpCommand);
  ASSERT_EQ(messages_.size(), 1u);
  const std::string folder = empty.filePath(QStringLiteral("Help")).toStdString();
  EXPECT_EQ(messages_[0], "Unable to open file '" + folder + "/index.htm'");
  EXPECT_TRUE(frame_->HelpWindow() == nullptr || !frame_->HelpWindow()->isVisible());
}

TEST(HelpBrowserTest, LinksInsideStayLinksOutGoToTheBrowserOrSayWhy) {
  QTemporaryDir dir;
  const QString page = dir.filePath(QStringLiteral("index.htm"));
  const QString other = dir.filePath(QStringLiteral("other.htm"));
  {
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><head><title>Help</title></head><body><p>Start</p>"
               "<a href=\"other.htm\">other</a></body></html>");
  }
  {
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>Second page</p></body></html>");
  }
  std::vector<QUrl> opened;
  bool browserAnswers = true;
  std::vector<std::string> messages;
  SetMessageBoxHandler([&](std::string_view text, TMessageButtons, TMessageIcon) {
    messages.emplace_back(text);
    return TMessageResult::Ok;
  });
  THelpBrowser browser(nullptr, [&](const QUrl& url) {
    opened.push_back(url);
    return browserAnswers;
  });
  EXPECT_FALSE(browser.OpenPage(dir.filePath(QStringLiteral("missing.htm"))));
  ASSERT_TRUE(browser.OpenPage(page));
  EXPECT_EQ(browser.windowTitle(), QStringLiteral("Help"));

  emit browser.anchorClicked(QUrl(QStringLiteral("other.htm")));
  EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Second page")));
  EXPECT_TRUE(opened.empty());

  emit browser.anchorClicked(QUrl(QStringLiteral("https://example.org/manual")));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.org/manual")));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Second page"))) << "the help stays";

  browserAnswers = false;
  emit browser.anchorClicked(QUrl(QStringLiteral("http://example.org/")));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("http://example.org/"), std::string::npos) << messages[0];
  SetMessageBoxHandler({});
}

}  // namespace
