// TMainFrame: the main window of the desktop program.
//
// A multiple-document window: one text view per document in the middle, the
// menus of the chosen command set, the twelve-slot toolbar and the status
// bar with the CAPS, NUM and SCRL panes. The menus, keys, toolbar and their
// enabling come from the shell's command table; a command whose engine this
// build lacks is shown but never enabled.
//
// Commands reach the active view. The commands that answer with a report or
// a converted text parse the document, which can run long: they run on the
// worker as command jobs (command_job.h), and the long commands of the
// engines as computation tasks (task_runner.h). While either runs, the
// Recognize item reads "&Stop Recognition\tCtrl+Break" (or "&Stop
// Calculations\tCtrl+Break" for the Turaev-Viro invariants and the command
// jobs) and stops it, every other command is disabled, and Ctrl+Break or Esc
// stops it as well. Status texts of the engines reach the status bar from any
// thread.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <optional>

#include "app/gui/help_browser.h"
#include "shell/command_job.h"
#include "shell/command_table.h"
#include "shell/task_kind.h"
#include "shell/task_runner.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QUrl;
class TSpineApp;
class TTextViewWidget;
class TSimplifyDialog;

class TMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainFrame(TSpineApp& app);
  ~TMainFrame() override;

  TSpineApp& App() { return app_; }
  QMdiArea* MdiArea() const { return mdi_; }

  // ---- Documents ----
  TTextViewWidget* NewDocument();
  // Opens a file (or activates its window when it is open already); null when
  // it cannot be read (the user is told why).
  TTextViewWidget* OpenDocument(const QString& path);
  void OpenFiles(const QList<QUrl>& files);
  // A new document with the text of a built-in example; false when this build
  // has no such example.
  bool OpenExample(int number);
  TTextViewWidget* ActiveView() const;
  QList<TTextViewWidget*> Views() const;

  // ---- Commands ----
  // Runs a command of the table (or one of the application's) on the active
  // view, as the menu item would.
  void RunCommand(int id);
  // The Simplify dialog (F8) while it is open, else null.
  TSimplifyDialog* ActiveSimplifyDialog() const { return activeSimplifyDialog_; }
  // Whether this build has what the command needs.
  bool CommandImplemented(int id) const;
  // What the enabling rules see now.
  TCommandState CurrentCommandState() const;
  // Sets the enabled state, check mark and text of every item and button.
  void UpdateCommandStates();
  // A task started here runs (or has ended and its end is not handled yet).
  bool IsComputing() const;

  // The menu item of a command (the Recognize item is the one of 46, also
  // while it reads "Stop"), the toolbar button of a command, or null.
  QAction* MenuAction(int id) const;
  QAction* ToolbarAction(int id) const;
  // The window of the help page (null until the help was first asked for).
  THelpBrowser* HelpWindow() const { return help_; }
  // Where the help page is: Help/index.htm beside the program, unless set.
  const QString& HelpPagePath() const { return helpPage_; }
  void SetHelpPagePath(QString path) { helpPage_ = std::move(path); }

  // ---- Called by the views ----
  void ViewFocused(TTextViewWidget* view);
  void ComputationEnded(TTextViewWidget* view);
  // The close check of a view with a running task (see TTaskRunner::ConfirmClose).
  bool ConfirmCloseView(TTextViewWidget* view);
  void ShowContextMenu(TTextViewWidget* view, const QPoint& globalPosition);
  // Builds the context menu the view shows now (the caller owns it).
  QMenu* CreateContextMenu(TTextViewWidget* view);
  bool SaveView(TTextViewWidget* view, const QString& path);
  QString AskSaveFileName(TTextViewWidget* view);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void BuildFileMenu(QMenu* menu);
  void BuildEditMenu(QMenu* menu);
  void BuildViewMenu(QMenu* menu, const TMenuEntry& entry);
  void BuildWindowMenu(QMenu* menu);
  void BuildHelpMenu(QMenu* menu);
  void AddCommandEntries(QMenu* menu, const std::vector<TMenuEntry>& entries);
  QAction* AddCommandAction(QMenu* menu, const TMenuEntry& entry);
  void BuildToolbar();
  void BuildStatusBar();
  void InstallSinks();

  void LaunchTask(const TCommand& command, TTextViewWidget* view);
  void OpenSimplifyDialog(TTextViewWidget* view);
  TSimplifyDialog* activeSimplifyDialog_ = nullptr;
  void RunReportCommand(const TCommand& command, TTextViewWidget* view);
  void RunOptionItem(int id);
  // Shows what a command job gave in its view (when the view is still open)
  // and says why it failed.
  void FinishCommandJob(const TCommandJob& job, TTextViewWidget* view);
  void OnTaskFinished(const TTaskEnd& end);
  void StopComputation();

  void OpenWithDialog();
  void CloseActive();
  void PrintActive();
  void PrintSetup();
  void FindText();
  void FindNext();
  void ShowHelp();
  void ShowAbout();
  void UpdateRecentFileMenu();
  void UpdateWindowMenu();
  void UpdateLockIndicators();
  QMdiSubWindow* AddView(TTextViewWidget* view);

  TSpineApp& app_;
  QMdiArea* mdi_ = nullptr;
  std::map<int, QAction*> menuActions_;
  std::map<int, QAction*> toolbarActions_;
  QAction* recognizeItem_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* closeAction_ = nullptr;
  QAction* printAction_ = nullptr;
  QList<QAction*> editActions_;
  QMenu* recentMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QLabel* capsPane_ = nullptr;
  QLabel* numPane_ = nullptr;
  QLabel* scrollPane_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  QPointer<THelpBrowser> help_;
  QString helpPage_;
  QString findText_;
  unsigned untitledCount_ = 0;
  bool destroying_ = false;

  // The task started here, from its launch until its end is handled on this
  // thread (the worker clears the runner's busy flag a moment earlier).
  bool computing_ = false;
  TTaskKind runningKind_ = TTaskKind::RecognizeTillMain;
  QPointer<TTextViewWidget> runningView_;
  // The command of a view that runs on the worker (null for a task).
  std::shared_ptr<TCommandJob> runningJob_;
};
