#include "app/gui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <functional>

#include "app/gui/gui_texts.h"
#include "app/gui/help_browser.h"
#include "app/gui/lock_keys.h"
#include "app/gui/simplify_dialog.h"
#include "app/gui/spine_app.h"
#include "app/gui/text_view_widget.h"
#include "app/gui/time_limit_dialog.h"
#include "app/gui/toolbar_icons.h"
#include "foundation/message_box.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "shell/check_before_moves.h"
#include "shell/computation_task.h"
#include "shell/move_commands.h"
#include "model/spine.h"
#include "shell/examples.h"
#include "shell/option_commands.h"

namespace {

constexpr int kAboutCommand = 57664;
constexpr int kLastInformationCommand = 38;
constexpr int kRemoveInformationCommand = 42;
constexpr int kTaskFailedText = 9801;

constexpr int kLockPollMilliseconds = 250;

QString Caption(std::string_view caption) { return FromText(caption); }

bool IsPlatformCommand(int id) {
  switch (id) {
    case kNewCommand:
    case kOpenCommand:
    case kSaveCommand:
    case kCutCommand:
    case kCopyCommand:
    case kPasteCommand:
    case kHelpCommand:
    case kAboutCommand:
      return true;
    default:
      return false;
  }
}

// The key of a command in a command set, or an empty sequence.
QKeySequence CommandKey(int id, int commandSet) {
  const std::uint8_t bit = commandSet == kFullCommandSet       ? kInFullSet
                           : commandSet == kStandardCommandSet ? kInStandardSet
                                                               : kInReducedSet;
  for (const TAccelerator& accelerator : Accelerators()) {
    if (accelerator.id == id && (accelerator.sets & bit) != 0) {
      return QKeySequence(FromText(accelerator.key), QKeySequence::PortableText);
    }
  }
  return {};
}

bool IsCheckableCommand(const TCommand& command) {
  if (command.action == TCommandAction::StyleSwitch) return true;
  if (command.id == kInitialStateCommand) return true;
  if (command.action != TCommandAction::Option) return false;
  const TOptionCommand* option = FindOptionCommand(command.id);
  return option != nullptr && option->check != TOptionCheck::Never;
}

}  // namespace

TMainFrame::TMainFrame(TSpineApp& app)
    : app_(app),
      helpPage_(QDir(QCoreApplication::applicationDirPath())
                    .filePath(QStringLiteral("Help/index.htm"))) {
  setWindowTitle(GuiFormat(kCaptionText, __DATE__));
  setAcceptDrops(true);
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    if (TTextViewWidget* view = ActiveView(); view != nullptr && !IsComputing()) {
      view->Core().SetViewState(view->Core().ViewState());
    }
    UpdateCommandStates();
  });

  BuildMenus();
  BuildToolbar();
  BuildStatusBar();
  InstallSinks();
  qApp->installEventFilter(this);

  app_.Runner().SetFinishedHandler([this](TTaskEnd end) {
    QMetaObject::invokeMethod(
        this, [this, end = std::move(end)] { OnTaskFinished(end); }, Qt::QueuedConnection);
  });
  UpdateCommandStates();
}

TMainFrame::~TMainFrame() {
  qApp->removeEventFilter(this);
  // A worker that still runs may call the handlers below; stop it first.
  app_.Runner().ForceStop(
      [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  app_.Runner().SetFinishedHandler({});
  SetStatusBarSink({});
  SetMessageBoxHandler({});
  // The documents go first, while the frame is whole: their windows report
  // activation and focus changes on the way out, which the frame ignores now.
  destroying_ = true;
  QMdiArea* area = mdi_;
  area->disconnect(this);
  mdi_ = nullptr;
  delete area;
}

// ---- Building ----

void TMainFrame::InstallSinks() {
  // Both handlers are removed by the destructor once no worker runs, so the
  // frame outlives every call.
  TMainFrame* self = this;
  SetStatusBarSink([self](const char* text) {
    const QString message = QString::fromUtf8(text);
    if (QThread::currentThread() == self->thread()) {
      self->statusBar()->showMessage(message);
    } else {
      QMetaObject::invokeMethod(
          self, [self, message] { self->statusBar()->showMessage(message); },
          Qt::QueuedConnection);
    }
  });
  SetMessageBoxHandler([self](std::string_view text, TMessageButtons buttons, TMessageIcon icon) {
    auto show = [&]() -> TMessageResult {
      QMessageBox box(self);
      box.setWindowTitle(GuiText(kApplicationTitleText));
      box.setText(FromText(text));
      switch (icon) {
        case TMessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case TMessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case TMessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case TMessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case TMessageIcon::None: break;
      }
      using B = QMessageBox::StandardButton;
      switch (buttons) {
        case TMessageButtons::Ok: box.setStandardButtons(B::Ok); break;
        case TMessageButtons::OkCancel: box.setStandardButtons(B::Ok | B::Cancel); break;
        case TMessageButtons::YesNo: box.setStandardButtons(B::Yes | B::No); break;
        case TMessageButtons::YesNoCancel:
          box.setStandardButtons(B::Yes | B::No | B::Cancel);
          break;
        case TMessageButtons::RetryCancel: box.setStandardButtons(B::Retry | B::Cancel); break;
        case TMessageButtons::AbortRetryIgnore:
          box.setStandardButtons(B::Abort | B::Retry | B::Ignore);
          break;
      }
      switch (box.exec()) {
        case B::Ok: return TMessageResult::Ok;
        case B::Yes: return TMessageResult::Yes;
        case B::No: return TMessageResult::No;
        case B::Retry: return TMessageResult::Retry;
        case B::Abort: return TMessageResult::Abort;
        case B::Ignore: return TMessageResult::Ignore;
        default: return TMessageResult::Cancel;
      }
    };
    if (QThread::currentThread() == self->thread()) return show();
    // From the worker: the box is shown by the user interface thread and the
    // worker waits for the answer.
    TMessageResult result = TMessageResult::Cancel;
    QMetaObject::invokeMethod(
        self, [&] { result = show(); }, Qt::BlockingQueuedConnection);
    return result;
  });
}

void TMainFrame::BuildMenus() {
  for (const TMenuEntry& top : MenuBar(app_.CommandSet())) {
    QMenu* menu = menuBar()->addMenu(FromText(top.caption));
    if (top.caption == "&File") {
      BuildFileMenu(menu);
    } else if (top.caption == "&Edit") {
      BuildEditMenu(menu);
    } else if (top.caption == "&View") {
      BuildViewMenu(menu, top);
    } else if (top.caption == "&Window") {
      BuildWindowMenu(menu);
    } else if (top.caption == "&Help") {
      BuildHelpMenu(menu);
    } else {
      AddCommandEntries(menu, top.children);
    }
    connect(menu, &QMenu::aboutToShow, this, &TMainFrame::UpdateCommandStates);
  }
}

void TMainFrame::AddCommandEntries(QMenu* menu, const std::vector<TMenuEntry>& entries) {
  for (const TMenuEntry& entry : entries) {
    if (entry.id == 0) {
      QMenu* submenu = menu->addMenu(FromText(entry.caption));
      AddCommandEntries(submenu, entry.children);
      connect(submenu, &QMenu::aboutToShow, this, &TMainFrame::UpdateCommandStates);
    } else {
      AddCommandAction(menu, entry);
    }
  }
}

QAction* TMainFrame::AddCommandAction(QMenu* menu, const TMenuEntry& entry) {
  auto* action = menu->addAction(FromText(entry.caption));
  action->setData(entry.id);
  const QKeySequence key = CommandKey(entry.id, app_.CommandSet());
  if (!key.isEmpty()) action->setShortcut(key);
  if (const TCommand* command = FindCommand(entry.id);
      command != nullptr && IsCheckableCommand(*command)) {
    action->setCheckable(true);
  }
  // The item of Recognize stands for Stop while a task runs: dispatch by the
  // id it carries at the moment.
  connect(action, &QAction::triggered, this, [this, action] { RunCommand(action->data().toInt()); });
  menuActions_[entry.id] = action;
  if (entry.id == kRecognizeCommand) recognizeItem_ = action;
  return action;
}

void TMainFrame::BuildFileMenu(QMenu* menu) {
  auto* newAction = menu->addAction(tr("&New"), this, [this] { NewDocument(); });
  newAction->setShortcut(QKeySequence::New);
  auto* open = menu->addAction(tr("&Open..."), this, [this] { OpenWithDialog(); });
  open->setShortcut(QKeySequence::Open);
  closeAction_ = menu->addAction(tr("&Close"), this, [this] { CloseActive(); });
  saveAction_ = menu->addAction(tr("&Save"), this, [this] {
    if (TTextViewWidget* view = ActiveView()) view->Save();
  });
  saveAction_->setShortcut(QKeySequence::Save);
  saveAsAction_ = menu->addAction(tr("Save &As..."), this, [this] {
    if (TTextViewWidget* view = ActiveView()) view->SaveAs();
  });
  menu->addSeparator();
  printAction_ = menu->addAction(tr("&Print..."), this, [this] { PrintActive(); });
  printAction_->setShortcut(QKeySequence::Print);
  menu->addAction(tr("P&rint Setup..."), this, [this] { PrintSetup(); });
  menu->addSeparator();
  recentMenu_ = menu->addMenu(tr("Recent &Files"));
  menu->addSeparator();
  menu->addAction(tr("E&xit"), this, &QWidget::close);
  menuActions_[kNewCommand] = newAction;
  menuActions_[kOpenCommand] = open;
  menuActions_[kSaveCommand] = saveAction_;
  UpdateRecentFileMenu();
}

void TMainFrame::BuildEditMenu(QMenu* menu) {
  auto onView = [this](void (QPlainTextEdit::*slot)()) {
    return [this, slot] {
      if (TTextViewWidget* view = ActiveView()) (view->*slot)();
    };
  };
  auto* undo = menu->addAction(tr("&Undo"), this, onView(&QPlainTextEdit::undo));
  undo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Z")),
                      QKeySequence(QStringLiteral("Alt+Backspace"))});
  menu->addSeparator();
  auto* cut = menu->addAction(tr("Cu&t"), this, onView(&QPlainTextEdit::cut));
  cut->setShortcuts({QKeySequence(QStringLiteral("Ctrl+X")),
                     QKeySequence(QStringLiteral("Shift+Delete"))});
  auto* copy = menu->addAction(tr("&Copy"), this, onView(&QPlainTextEdit::copy));
  copy->setShortcuts({QKeySequence(QStringLiteral("Ctrl+C")),
                      QKeySequence(QStringLiteral("Ctrl+Insert"))});
  auto* paste = menu->addAction(tr("&Paste"), this, onView(&QPlainTextEdit::paste));
  paste->setShortcuts({QKeySequence(QStringLiteral("Ctrl+V")),
                       QKeySequence(QStringLiteral("Shift+Insert"))});
  auto* selectAll = menu->addAction(tr("Select &All"), this, onView(&QPlainTextEdit::selectAll));
  selectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
  menu->addSeparator();
  auto* find = menu->addAction(tr("&Find..."), this, [this] { FindText(); });
  find->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
  auto* findNext = menu->addAction(tr("Find &Next"), this, [this] { FindNext(); });
  findNext->setShortcut(QKeySequence(QStringLiteral("F3")));
  menuActions_[kCutCommand] = cut;
  menuActions_[kCopyCommand] = copy;
  menuActions_[kPasteCommand] = paste;
  editActions_ = {undo, cut, copy, paste, selectAll, find, findNext};
}

void TMainFrame::BuildViewMenu(QMenu* menu, const TMenuEntry& entry) {
  // The toolbar and the status bar toggles are added once they exist.
  AddCommandEntries(menu, entry.children);
}

void TMainFrame::BuildWindowMenu(QMenu* menu) {
  windowMenu_ = menu;
  connect(menu, &QMenu::aboutToShow, this, &TMainFrame::UpdateWindowMenu);
  UpdateWindowMenu();
}

void TMainFrame::BuildHelpMenu(QMenu* menu) {
  auto* help = menu->addAction(tr("&Program Description"), this, [this] { ShowHelp(); });
  help->setShortcut(CommandKey(kHelpCommand, app_.CommandSet()));
  menuActions_[kHelpCommand] = help;
  QMenu* examples = menu->addMenu(tr("&Examples"));
  for (const TExample& example : Examples()) {
    if (!ExampleText(example.number)) continue;
    auto* action = examples->addAction(Caption(example.menuText), this,
                                       [this, number = example.number] { OpenExample(number); });
    menuActions_[example.commandId] = action;
  }
  examples->setEnabled(!examples->isEmpty());
  menu->addSeparator();
  menuActions_[kAboutCommand] = menu->addAction(tr("&About"), this, [this] { ShowAbout(); });
}

void TMainFrame::BuildToolbar() {
  QToolBar* toolbar = addToolBar(tr("Toolbar"));
  toolbar->setObjectName(QStringLiteral("Toolbar"));
  toolbar->setMovable(false);
  auto onView = [this](void (QPlainTextEdit::*slot)()) {
    return [this, slot] {
      if (TTextViewWidget* view = ActiveView()) (view->*slot)();
    };
  };
  for (int id : ToolbarSlots()) {
    if (id == 0) {
      toolbar->addSeparator();
      continue;
    }
    QString caption;
    QKeySequence key = CommandKey(id, app_.CommandSet());
    std::function<void()> handler;
    switch (id) {
      case kNewCommand:
        caption = tr("New");
        key = QKeySequence(QKeySequence::New);
        handler = [this] { NewDocument(); };
        break;
      case kOpenCommand:
        caption = tr("Open");
        key = QKeySequence(QKeySequence::Open);
        handler = [this] { OpenWithDialog(); };
        break;
      case kSaveCommand:
        caption = tr("Save");
        key = QKeySequence(QKeySequence::Save);
        handler = [this] {
          if (TTextViewWidget* view = ActiveView()) view->Save();
        };
        break;
      case kCutCommand:
        caption = tr("Cut");
        key = QKeySequence(QKeySequence::Cut);
        handler = onView(&QPlainTextEdit::cut);
        break;
      case kCopyCommand:
        caption = tr("Copy");
        key = QKeySequence(QKeySequence::Copy);
        handler = onView(&QPlainTextEdit::copy);
        break;
      case kPasteCommand:
        caption = tr("Paste");
        key = QKeySequence(QKeySequence::Paste);
        handler = onView(&QPlainTextEdit::paste);
        break;
      case kRecognizeCommand:
        caption = tr("Recognize");
        handler = [this] { RunCommand(kRecognizeCommand); };
        break;
      case kSimplifyDialogCommand:
        caption = tr("Simplify Dialog");
        handler = [this] { RunCommand(kSimplifyDialogCommand); };
        break;
      case kInitialStateCommand:
        caption = tr("Initial State");
        handler = [this] { RunCommand(kInitialStateCommand); };
        break;
      case kStopCommand:
        caption = tr("Stop");
        handler = [this] { StopComputation(); };
        break;
      default:
        continue;
    }
    QAction* action = toolbar->addAction(ToolbarIcon(id, *style()), caption, this, handler);
    // The tips name the keys that do the same; the buttons have none of their
    // own. Ctrl+Break is no key sequence of Qt's (it is the Pause key with
    // Ctrl): its text is the one the menus show.
    const QString keyText = id == kStopCommand ? QStringLiteral("Ctrl+Break")
                                               : key.toString(QKeySequence::NativeText);
    action->setToolTip(keyText.isEmpty() ? caption
                                         : QStringLiteral("%1 (%2)").arg(caption, keyText));
    toolbarActions_[id] = action;
  }

  // The View menu's toggles for the toolbar and the status bar come first.
  for (QAction* top : menuBar()->actions()) {
    if (top->menu() != nullptr && top->text() == QStringLiteral("&View")) {
      QMenu* view = top->menu();
      QAction* first = view->actions().isEmpty() ? nullptr : view->actions().first();
      QAction* toolbarToggle = toolbar->toggleViewAction();
      toolbarToggle->setText(tr("&Toolbar"));
      view->insertAction(first, toolbarToggle);
      auto* statusToggle = new QAction(tr("&Status Bar"), view);
      statusToggle->setCheckable(true);
      statusToggle->setChecked(true);
      connect(statusToggle, &QAction::toggled, this,
              [this](bool on) { statusBar()->setVisible(on); });
      view->insertAction(first, statusToggle);
      if (first != nullptr) view->insertSeparator(first);
    }
  }
}

void TMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  auto pane = [bar](const QString& widest) {
    auto* label = new QLabel(bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 8);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(label);
    return label;
  };
  capsPane_ = pane(QStringLiteral("CAPS"));
  numPane_ = pane(QStringLiteral("NUM"));
  scrollPane_ = pane(QStringLiteral("SCRL"));
  capsPane_->setObjectName(QStringLiteral("CAPS"));
  numPane_->setObjectName(QStringLiteral("NUM"));
  scrollPane_->setObjectName(QStringLiteral("SCRL"));
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &TMainFrame::UpdateLockIndicators);
  timer->start(kLockPollMilliseconds);
  UpdateLockIndicators();
}

void TMainFrame::UpdateLockIndicators() {
  const std::optional<TLockKeyState> state = QueryLockKeys();
  if (!state) return;
  capsPane_->setText(state->caps ? QStringLiteral("CAPS") : QString());
  numPane_->setText(state->num ? QStringLiteral("NUM") : QString());
  scrollPane_->setText(state->scroll ? QStringLiteral("SCRL") : QString());
}

// ---- Documents ----

QMdiSubWindow* TMainFrame::AddView(TTextViewWidget* view) {
  const bool maximize = mdi_->subWindowList().isEmpty() ||
                        (mdi_->activeSubWindow() != nullptr && mdi_->activeSubWindow()->isMaximized());
  QMdiSubWindow* window = mdi_->addSubWindow(view);
  connect(view, &QObject::destroyed, this, [this] {
    // A closed view may be the one whose state the menus show.
    QTimer::singleShot(0, this, &TMainFrame::UpdateCommandStates);
  });
  if (maximize) {
    window->showMaximized();
  } else {
    window->show();
  }
  view->setFocus();
  return window;
}

TTextViewWidget* TMainFrame::NewDocument() {
  ++untitledCount_;
  auto* view = new TTextViewWidget(*this, GuiFormat(kUntitledText, untitledCount_));
  AddView(view);
  UpdateCommandStates();
  return view;
}

TTextViewWidget* TMainFrame::OpenDocument(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (TTextViewWidget* view : Views()) {
    if (view->FilePath() == absolute) {
      mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
      return view;
    }
  }
  auto* view = new TTextViewWidget(*this, QString());
  QString error;
  if (!view->LoadFile(absolute, &error)) {
    delete view;
    app_.RemoveRecentFile(absolute);
    UpdateRecentFileMenu();
    ShowMessageBox(GuiFormat(kUnableToReadText, absolute.toStdString(), error.toStdString())
                       .toStdString(),
                   TMessageButtons::Ok, TMessageIcon::Error);
    return nullptr;
  }
  AddView(view);
  app_.AddRecentFile(absolute);
  UpdateRecentFileMenu();
  UpdateCommandStates();
  return view;
}

void TMainFrame::OpenFiles(const QList<QUrl>& files) {
  for (const QUrl& url : files) {
    if (url.isLocalFile()) OpenDocument(url.toLocalFile());
  }
}

bool TMainFrame::OpenExample(int number) {
  const std::optional<std::string_view> text = ExampleText(number);
  const TExample* example = nullptr;
  for (const TExample& candidate : Examples()) {
    if (candidate.number == number) example = &candidate;
  }
  if (!text || example == nullptr) return false;
  TTextViewWidget* view = NewDocument();
  view->SetControlText(*text);
  view->SetDocumentTitle(FromText(ExampleDocumentTitle(example->menuText)));
  view->document()->setModified(false);
  return true;
}

TTextViewWidget* TMainFrame::ActiveView() const {
  if (mdi_ == nullptr) return nullptr;
  QMdiSubWindow* window = mdi_->activeSubWindow();
  if (window == nullptr) {
    // Without window activation (no window manager, say) the last window counts.
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
    if (windows.isEmpty()) return nullptr;
    window = windows.last();
  }
  return qobject_cast<TTextViewWidget*>(window->widget());
}

QList<TTextViewWidget*> TMainFrame::Views() const {
  QList<TTextViewWidget*> views;
  if (mdi_ == nullptr) return views;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (auto* view = qobject_cast<TTextViewWidget*>(window->widget())) views.append(view);
  }
  return views;
}

void TMainFrame::OpenWithDialog() {
  const QString path = QFileDialog::getOpenFileName(
      this, tr("Open"), QString(), tr("Text Files (*.txt);;All Files (*)"));
  if (!path.isEmpty()) OpenDocument(path);
}

void TMainFrame::CloseActive() {
  if (QMdiSubWindow* window = mdi_->activeSubWindow()) window->close();
}

QString TMainFrame::AskSaveFileName(TTextViewWidget* view) {
  QString suggestion = view->FilePath();
  if (suggestion.isEmpty()) suggestion = view->DocumentTitle() + QStringLiteral(".txt");
  QString path = QFileDialog::getSaveFileName(this, tr("Save As"), suggestion,
                                              tr("Text Files (*.txt);;All Files (*)"));
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  return path;
}

bool TMainFrame::SaveView(TTextViewWidget* view, const QString& path) {
  QString error;
  if (!view->SaveToFile(path, &error)) {
    ShowMessageBox(
        GuiFormat(kUnableToWriteText, path.toStdString(), error.toStdString()).toStdString(),
        TMessageButtons::Ok, TMessageIcon::Error);
    return false;
  }
  app_.AddRecentFile(view->FilePath());
  UpdateRecentFileMenu();
  return true;
}

void TMainFrame::PrintActive() {
  TTextViewWidget* view = ActiveView();
  if (view == nullptr) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) view->print(printer_.get());
}

void TMainFrame::PrintSetup() {
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  QPageSetupDialog dialog(printer_.get(), this);
  dialog.exec();
}

void TMainFrame::FindText() {
  TTextViewWidget* view = ActiveView();
  if (view == nullptr) return;
  bool ok = false;
  const QString text =
      QInputDialog::getText(this, tr("Find"), tr("Find what:"), QLineEdit::Normal, findText_, &ok);
  if (!ok || text.isEmpty()) return;
  findText_ = text;
  FindNext();
}

void TMainFrame::FindNext() {
  TTextViewWidget* view = ActiveView();
  if (view == nullptr || findText_.isEmpty()) return;
  if (view->find(findText_)) return;
  // Wrap around once from the start.
  const QTextCursor kept = view->textCursor();
  view->moveCursor(QTextCursor::Start);
  if (view->find(findText_)) return;
  view->setTextCursor(kept);
  ShowMessageBox(GuiFormat(kCannotFindText, findText_.toStdString()).toStdString(),
                 TMessageButtons::Ok, TMessageIcon::Information);
}

void TMainFrame::ShowHelp() {
  const QString path = HelpPagePath();
  if (help_ == nullptr) help_ = new THelpBrowser(this);
  if (!help_->OpenPage(path)) {
    const QFileInfo page(path);
    ShowMessageBox(GuiFormat(kUnableToOpenHelpText, page.absolutePath().toStdString(),
                             page.fileName().toStdString())
                       .toStdString(),
                   TMessageButtons::Ok, TMessageIcon::Error);
    return;
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void TMainFrame::ShowAbout() {
  QMessageBox::about(this, tr("About Sorvelin"),
                     windowTitle() + QStringLiteral("\n\nVersion ") +
                         QStringLiteral(SORVELIN_VERSION));
}

void TMainFrame::UpdateRecentFileMenu() {
  if (recentMenu_ == nullptr) return;
  recentMenu_->clear();
  int number = 0;
  for (const QString& path : app_.RecentFiles()) {
    ++number;
    recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(path), this,
                           [this, path] { OpenDocument(path); });
  }
  recentMenu_->setEnabled(number > 0);
}

void TMainFrame::UpdateWindowMenu() {
  if (windowMenu_ == nullptr) return;
  windowMenu_->clear();
  windowMenu_->addAction(tr("&Cascade"), mdi_, &QMdiArea::cascadeSubWindows);
  windowMenu_->addAction(tr("&Tile"), mdi_, &QMdiArea::tileSubWindows);
  windowMenu_->addAction(tr("Close &All"), mdi_, &QMdiArea::closeAllSubWindows);
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (!windows.isEmpty()) windowMenu_->addSeparator();
  int number = 0;
  for (QMdiSubWindow* window : windows) {
    ++number;
    auto* view = qobject_cast<TTextViewWidget*>(window->widget());
    const QString title = view != nullptr ? view->DocumentTitle() : window->windowTitle();
    QAction* action = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(title), this,
                                             [this, window] { mdi_->setActiveSubWindow(window); });
    action->setCheckable(true);
    action->setChecked(window == mdi_->activeSubWindow());
  }
}

// ---- Commands ----

bool TMainFrame::IsComputing() const { return computing_ || app_.Runner().IsBusy(); }

bool TMainFrame::CommandImplemented(int id) const {
  if (FindExampleCommand(id) != nullptr) return ExampleText(FindExampleCommand(id)->number).has_value();
  const TCommand* command = FindCommand(id);
  if (command == nullptr) return IsPlatformCommand(id);
  switch (command->action) {
    case TCommandAction::Task: {
      const std::optional<TTaskKind> kind = TaskKindOfNumber(static_cast<std::uint32_t>(command->parameter));
      return kind && app_.Runner().Offers(*kind);
    }
    case TCommandAction::Report:
      return id == kLastInformationCommand || app_.DocumentCommands().Has(id);
    case TCommandAction::Moves:
    case TCommandAction::StyleSwitch:
      return app_.DocumentCommands().Has(id);
    case TCommandAction::ViewMode:
    case TCommandAction::Stop:
    case TCommandAction::Option:
      return true;
    case TCommandAction::SimplifyDialog:
      return true;
    case TCommandAction::Application:
    case TCommandAction::SelfTest:
      return false;
  }
  return false;
}

TCommandState TMainFrame::CurrentCommandState() const {
  TCommandState state;
  state.commandSet = app_.CommandSet();
  state.busy = IsComputing();
  // A command of the view stops as a calculation does (the invariants' stop
  // caption and context menu), not as a recognition.
  state.runningTaskKind =
      TaskKindNumber(runningJob_ != nullptr ? TTaskKind::TuraevViro : runningKind_);
  state.options = app_.Options();
  if (TTextViewWidget* view = ActiveView()) {
    const TSpineTextView& core = view->Core();
    state.informationMode = core.InformationMode();
    state.transformed = core.Transformed();
    state.spineEmpty = core.SpineEmpty();
    state.lastInformationKept = core.LastInformationKept();
    if (!state.busy) state.textStyle = DetectTextStyle(view->ControlText().c_str());
  }
  return state;
}

void TMainFrame::UpdateCommandStates() {
  if (destroying_) return;
  const TCommandState state = CurrentCommandState();
  TTextViewWidget* view = ActiveView();
  for (const auto& [id, action] : menuActions_) {
    if (action == recognizeItem_) {
      const TMenuItemText item = RecognizeItem(state);
      action->setData(item.id);
      action->setText(FromText(item.caption));
      // F5 starts a recognition; it never stops one.
      action->setShortcut(item.id == kRecognizeCommand ? CommandKey(kRecognizeCommand, state.commandSet)
                                                       : QKeySequence());
      action->setEnabled(state.busy ||
                         (view != nullptr && CommandImplemented(kRecognizeCommand) &&
                          CommandStatus(kRecognizeCommand, state).enabled));
      continue;
    }
    if (id == kNewCommand || id == kOpenCommand || id == kHelpCommand || id == kAboutCommand) {
      continue;
    }
    if (FindExampleCommand(id) != nullptr) {
      action->setEnabled(true);
      continue;
    }
    const TCommandStatus status = CommandStatus(id, state);
    bool enabled = status.enabled && CommandImplemented(id);
    if (FindCommand(id) != nullptr && FindCommand(id)->action != TCommandAction::Option &&
        FindCommand(id)->action != TCommandAction::Stop) {
      enabled = enabled && view != nullptr;
    }
    action->setEnabled(enabled);
    if (action->isCheckable()) action->setChecked(status.checked);
  }
  for (QAction* action : editActions_) action->setEnabled(view != nullptr && !state.busy);
  for (QAction* action : {saveAction_, saveAsAction_, closeAction_, printAction_}) {
    if (action != nullptr) action->setEnabled(view != nullptr);
  }

  const int viewState = view != nullptr ? view->Core().ViewState() : 0;
  for (const auto& [id, action] : toolbarActions_) {
    if (id == kNewCommand || id == kOpenCommand) {
      action->setEnabled(true);
      continue;
    }
    if (view == nullptr) {
      action->setEnabled(id == kStopCommand && state.busy);
      continue;
    }
    const std::optional<bool> on = ToolbarButtonOn(id, viewState, state.busy);
    if (!on) continue;
    action->setEnabled(*on && (id == kStopCommand || CommandImplemented(id)));
  }
}

QAction* TMainFrame::MenuAction(int id) const {
  auto it = menuActions_.find(id);
  return it == menuActions_.end() ? nullptr : it->second;
}

QAction* TMainFrame::ToolbarAction(int id) const {
  auto it = toolbarActions_.find(id);
  return it == toolbarActions_.end() ? nullptr : it->second;
}

void TMainFrame::RunCommand(int id) {
  if (const TExample* example = FindExampleCommand(id)) {
    OpenExample(example->number);
    return;
  }
  if (id == kHelpCommand) {
    ShowHelp();
    return;
  }
  const TCommand* command = FindCommand(id);
  if (command == nullptr || !CommandInSet(*command, app_.CommandSet())) return;
  if (command->action == TCommandAction::Stop) {
    StopComputation();
    return;
  }
  if (command->action == TCommandAction::Option) {
    RunOptionItem(id);
    UpdateCommandStates();
    return;
  }
  // Everything else works on the document, which belongs to the running
  // computation until it ends.
  TTextViewWidget* view = ActiveView();
  if (view == nullptr || IsComputing() || !CommandImplemented(id)) return;
  switch (command->action) {
    case TCommandAction::Task:
      LaunchTask(*command, view);
      break;
    case TCommandAction::Report:
    case TCommandAction::Moves:
    case TCommandAction::StyleSwitch:
      RunReportCommand(*command, view);
      break;
    case TCommandAction::SimplifyDialog:
      OpenSimplifyDialog(view);
      break;
    case TCommandAction::ViewMode:
      if (id == kRemoveInformationCommand) {
        view->Core().OnRemoveInformation();
      } else {
        view->Core().OnInitialState();
      }
      break;
    default:
      break;
  }
  UpdateCommandStates();
}

void TMainFrame::OpenSimplifyDialog(TTextViewWidget* view) {
  TSpineTextView& core = view->Core();
  if (core.ParseDocumentText(app_.Options()) == 0) return;
  TDocumentSpine& document = core.Document();
  try {
    document.EnsureThickened();
  } catch (const std::exception& error) {
    ShowMessageBox(error.what(), TMessageButtons::Ok, TMessageIcon::Error);
    return;
  }
  if (CheckBeforeMoves(document.Spine(), core.Transformed()) == 0) return;
  PrepareMoves(app_.Options());
  SkipSpineValidation.store(1);
  StopFlags().stop.store(0);
  // The view is in the dialog's state while the dialog is open; whatever ends
  // the dialog (a failure included), the view's state follows what it shows.
  struct TViewStateScope {
    TSpineTextView& view;
    ~TViewStateScope() {
      const bool withSpine = !view.Document().Spine().IsEmpty();
      view.SetViewState(view.InformationMode() ? (withSpine ? kViewReportWithSpine : kViewReportWithoutSpine)
                                               : kViewEditing);
    }
  } restore{core};
  core.SetViewState(kViewSimplifyDialog);
  TSimplifyDialog dialog(core, app_.Options(), app_.Runner(), this);
  activeSimplifyDialog_ = &dialog;
  dialog.exec();
  activeSimplifyDialog_ = nullptr;
}

void TMainFrame::LaunchTask(const TCommand& command, TTextViewWidget* view) {
  const std::optional<TTaskKind> kind =
      TaskKindOfNumber(static_cast<std::uint32_t>(command.parameter));
  if (!kind) return;
  auto task = std::make_unique<TComputationTask>();
  if (*kind == TTaskKind::TuraevViro) {
    task->SetKindOrders(view, kTuraevViroFirstOrder, kTuraevViroLastOrder, command.variant);
  } else {
    task->SetKind(view, *kind);
  }
  task->SetDocumentText(view->Core().CommandText());
  task->SetOptions(app_.Options());
  computing_ = true;
  runningKind_ = *kind;
  runningView_ = view;
  if (!app_.Runner().Launch(std::move(task))) {
    computing_ = false;
    return;
  }
  view->document()->setModified(true);
}

void TMainFrame::RunReportCommand(const TCommand& command, TTextViewWidget* view) {
  if (command.id == kLastInformationCommand) {
    view->Core().OnLastInformation();
    return;
  }
  // The parse and the report can run long: they run on the worker while the
  // window stays responsive, the view read-only and Esc stops them.
  std::optional<TCommandJob> prepared =
      view->Core().PrepareCommand(app_.DocumentCommands(), command.id, app_.Options());
  if (!prepared) return;
  auto job = std::make_shared<TCommandJob>(std::move(*prepared));
  TSpineTextView* core = &view->Core();
  const TDocumentCommands* commands = &app_.DocumentCommands();
  auto work = [core, commands, job] { core->ExecuteCommand(*commands, *job, &StopFlags().stop); };
  computing_ = true;
  runningJob_ = job;
  runningView_ = view;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  if (!app_.Runner().LaunchCommand(view, work)) {
    // No thread to be had: the command runs here, as it always may.
    work();
    QApplication::restoreOverrideCursor();
    FinishCommandJob(*job, view);
    computing_ = false;
    runningJob_.reset();
    runningView_ = nullptr;
  }
}

void TMainFrame::FinishCommandJob(const TCommandJob& job, TTextViewWidget* view) {
  if (view != nullptr) view->Core().FinishCommand(job);
  if (job.failure) {
    ShowMessageBox(GuiFormat(kTaskFailedText, *job.failure).toStdString(), TMessageButtons::Ok,
                   TMessageIcon::Error);
  }
}

void TMainFrame::RunOptionItem(int id) {
  if (RunOptionCommand(id, app_.Options())) return;
  std::optional<TTimeLimitDlg> dialog = OptionValueDialog(id, app_.Options());
  if (!dialog) return;
  TTimeLimitDialog window(*dialog, this);
  if (window.exec() == QDialog::Accepted) StoreOptionValueDialog(id, *dialog, app_.Options());
}

void TMainFrame::StopComputation() { app_.Runner().Stop(); }

void TMainFrame::OnTaskFinished(const TTaskEnd& end) {
  // The worker has cleared (or is about to clear) the busy flag: join it.
  app_.Runner().Wait();
  if (end.command) {
    QApplication::restoreOverrideCursor();
    const std::shared_ptr<TCommandJob> job = std::move(runningJob_);
    // A view closed meanwhile was stopped and joined before it went.
    if (job) FinishCommandJob(*job, runningView_.data());
    computing_ = false;
    runningView_ = nullptr;
    UpdateCommandStates();
    return;
  }
  app_.Options() = end.options;
  computing_ = false;
  runningView_ = nullptr;
  UpdateCommandStates();
}

void TMainFrame::ComputationEnded(TTextViewWidget* view) {
  // The view of a computation that ended while another view was active comes
  // to the front, with its result.
  if (TTextViewWidget* active = ActiveView(); active != nullptr && active != view) {
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
  }
  UpdateCommandStates();
}

void TMainFrame::ViewFocused(TTextViewWidget* view) {
  if (destroying_) return;
  if (!IsComputing()) view->Core().SetViewState(view->Core().ViewState());
  UpdateCommandStates();
  // A series named on the command line runs in any command set, as if its
  // document had been given Series "&Run".
  if (app_.TakeSeriesAutoRun() && !IsComputing() && CommandImplemented(kSeriesRunCommand)) {
    LaunchTask(*FindCommand(kSeriesRunCommand), view);
    UpdateCommandStates();
  }
}

bool TMainFrame::ConfirmCloseView(TTextViewWidget* view) {
  return app_.Runner().ConfirmClose(static_cast<const TTaskView*>(view), [] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
}

QMenu* TMainFrame::CreateContextMenu(TTextViewWidget* view) {
  const TCommandState state = CurrentCommandState();
  auto* menu = new QMenu(this);
  QMenu* submenu = nullptr;
  for (const TContextMenuItem& item : ContextMenu(ContextMenuId(state))) {
    QMenu* target = menu;
    if (!item.submenu.empty()) {
      if (submenu == nullptr) submenu = menu->addMenu(FromText(item.submenu));
      target = submenu;
    }
    if (item.id == 0) {
      target->addSeparator();
      continue;
    }
    QAction* action = target->addAction(FromText(item.caption));
    const bool implemented = item.id == kStopCommand || CommandImplemented(item.id);
    action->setEnabled(ContextMenuItemEnabled(item.id, state) && implemented);
    QPointer<TTextViewWidget> guarded(view);
    connect(action, &QAction::triggered, this, [this, guarded, id = item.id] {
      if (guarded == nullptr) return;
      switch (id) {
        case kCutCommand: guarded->cut(); break;
        case kCopyCommand: guarded->copy(); break;
        case kPasteCommand: guarded->paste(); break;
        default: RunCommand(id); break;
      }
    });
  }
  return menu;
}

void TMainFrame::ShowContextMenu(TTextViewWidget* view, const QPoint& globalPosition) {
  QMenu* menu = CreateContextMenu(view);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPosition);
}

// ---- Events ----

void TMainFrame::closeEvent(QCloseEvent* event) {
  mdi_->closeAllSubWindows();
  if (!mdi_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  // Every document is closed, so no task of this window runs any more.
  app_.Runner().ForceStop(
      [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  event->accept();
}

bool TMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+Break (and Esc) anywhere in this window stops a running computation.
  if (event->type() == QEvent::KeyPress && IsComputing()) {
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool breakKey = key->key() == Qt::Key_Cancel ||
                          (key->key() == Qt::Key_Pause && (key->modifiers() & Qt::ControlModifier));
    if (widget != nullptr && widget->window() == this &&
        (breakKey || key->key() == Qt::Key_Escape)) {
      StopComputation();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainFrame::dropEvent(QDropEvent* event) {
  OpenFiles(event->mimeData()->urls());
  event->acceptProposedAction();
}
