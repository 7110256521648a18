#include "app/gui/text_view_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include "app/gui/gui_texts.h"
#include "app/gui/main_frame.h"
#include "foundation/message_box.h"

namespace {

// The system's texts end their lines with CR LF; the editor keeps LF.
QString EditorText(std::string_view text) {
  QString converted = FromText(text);
  converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return converted;
}

QList<QUrl> LocalFileUrls(const QMimeData* source) {
  QList<QUrl> files;
  if (source == nullptr || !source->hasUrls()) return files;
  for (const QUrl& url : source->urls()) {
    if (url.isLocalFile()) files.append(url);
  }
  return files;
}

}  // namespace

TTextViewWidget::TTextViewWidget(TMainFrame& frame, QString untitledName)
    : frame_(frame), core_(*this), title_(std::move(untitledName)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  setFont(font);
  setWindowTitle(DocumentTitle() + QStringLiteral("[*]"));
  connect(document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
}

template <typename Function>
void TTextViewWidget::Post(Function function) {
  QMetaObject::invokeMethod(this, std::move(function), Qt::QueuedConnection);
}

QString TTextViewWidget::DocumentTitle() const {
  return filePath_.isEmpty() ? title_ : QFileInfo(filePath_).fileName();
}

void TTextViewWidget::SetDocumentTitle(const QString& title) {
  title_ = title;
  setWindowTitle(DocumentTitle() + QStringLiteral("[*]"));
}

bool TTextViewWidget::IsModified() const { return document()->isModified(); }

bool TTextViewWidget::LoadFile(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  setPlainText(EditorText(text.toStdString()));
  document()->setModified(false);
  filePath_ = QFileInfo(path).absoluteFilePath();
  setWindowTitle(DocumentTitle() + QStringLiteral("[*]"));
  return true;
}

bool TTextViewWidget::SaveToFile(const QString& path, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  const std::string text = core_.DocumentTextToSave();
  file.write(text.data(), static_cast<qint64>(text.size()));
  if (!file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  document()->setModified(false);
  filePath_ = QFileInfo(path).absoluteFilePath();
  setWindowTitle(DocumentTitle() + QStringLiteral("[*]"));
  return true;
}

bool TTextViewWidget::Save() {
  if (filePath_.isEmpty()) return SaveAs();
  return frame_.SaveView(this, filePath_);
}

bool TTextViewWidget::SaveAs() {
  const QString path = frame_.AskSaveFileName(this);
  if (path.isEmpty()) return false;
  return frame_.SaveView(this, path);
}

// ---- TViewControl ----

std::string TTextViewWidget::ControlText() const { return toPlainText().toStdString(); }

void TTextViewWidget::SetControlText(std::string_view text) {
  // Replacing the text is no edit of the user's: the modified state stays.
  const bool modified = document()->isModified();
  setPlainText(EditorText(text));
  document()->setModified(modified);
  moveCursor(QTextCursor::Start);
}

void TTextViewWidget::SetControlReadOnly(bool readOnly) {
  setReadOnly(readOnly);
  // A read-only editor still shows the caret, so the text can be selected
  // and copied.
  setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   : Qt::TextEditorInteraction);
}

void TTextViewWidget::ViewStateChanged(int /*state*/) { frame_.UpdateCommandStates(); }

// ---- TTaskView ----

void TTextViewWidget::BeginComputation(TTaskKind kind) {
  Post([this, kind] {
    core_.BeginComputation(kind);
    frame_.UpdateCommandStates();
  });
}

void TTextViewWidget::EndComputation(TTaskKind kind) {
  Post([this, kind] {
    core_.EndComputation(kind);
    frame_.ComputationEnded(this);
  });
}

void TTextViewWidget::SetInformationMode(bool on, std::optional<std::string> report) {
  Post([this, on, report = std::move(report)] {
    if (report) {
      core_.SetInformationMode(on, *report);
    } else {
      core_.SetInformationMode(on, std::nullopt);
    }
    frame_.UpdateCommandStates();
  });
}

void TTextViewWidget::WriteText(std::string text) {
  Post([this, text = std::move(text)] { core_.WriteText(text, false); });
}

void TTextViewWidget::Beep() {
  Post([] { QApplication::beep(); });
}

void TTextViewWidget::SaveOriginalText() {
  Post([this] { core_.SaveOriginalText(); });
}

void TTextViewWidget::SetTransformedState(bool transformed) {
  Post([this, transformed] {
    core_.SetTransformedState(transformed);
    frame_.UpdateCommandStates();
  });
}

// ---- Events ----

void TTextViewWidget::closeEvent(QCloseEvent* event) {
  // A computation of this document is stopped first (the user may refuse).
  if (!frame_.ConfirmCloseView(this)) {
    event->ignore();
    return;
  }
  if (IsModified()) {
    const std::string question =
        GuiFormat(kSaveChangesText, DocumentTitle().toStdString()).toStdString();
    switch (ShowMessageBox(question, TMessageButtons::YesNoCancel, TMessageIcon::Warning)) {
      case TMessageResult::Yes:
        if (!Save()) {
          event->ignore();
          return;
        }
        break;
      case TMessageResult::No:
        break;
      default:
        event->ignore();
        return;
    }
  }
  event->accept();
}

void TTextViewWidget::contextMenuEvent(QContextMenuEvent* event) {
  frame_.ShowContextMenu(this, event->globalPos());
}

void TTextViewWidget::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  frame_.ViewFocused(this);
}

void TTextViewWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    const QPoint caret = cursorRect().center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, caret, mapToGlobal(caret));
    contextMenuEvent(&menuEvent);
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

bool TTextViewWidget::canInsertFromMimeData(const QMimeData* source) const {
  return !LocalFileUrls(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void TTextViewWidget::insertFromMimeData(const QMimeData* source) {
  // Files dropped on the text are opened as documents, not pasted as names.
  const QList<QUrl> files = LocalFileUrls(source);
  if (!files.isEmpty()) {
    frame_.OpenFiles(files);
    return;
  }
  QPlainTextEdit::insertFromMimeData(source);
}
