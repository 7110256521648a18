// The window of one document: a plain-text editor that shows the document
// text, the reports of the commands (read-only, in information mode) and the
// results of the computations.
//
// The widget is the control of a TSpineTextView (the view's logic, in the
// shell) and the TTaskView of the computations it starts: the worker calls
// the latter from its own thread, and every such call is posted to the
// widget's thread as a queued call, in order. A call posted to a widget that
// has been closed meanwhile is dropped with the widget.
#pragma once

#include <QPlainTextEdit>
#include <QString>

#include "shell/spine_text_view.h"
#include "shell/task_view.h"

class TMainFrame;

class TTextViewWidget : public QPlainTextEdit, public TViewControl, public TTaskView {
  Q_OBJECT

 public:
  TTextViewWidget(TMainFrame& frame, QString untitledName);

  TSpineTextView& Core() { return core_; }
  const TSpineTextView& Core() const { return core_; }

  // ---- The document ----
  const QString& FilePath() const { return filePath_; }
  // The file name, or the title given to an unsaved document.
  QString DocumentTitle() const;
  void SetDocumentTitle(const QString& title);
  // Reads a file as the document text (UTF-8, or Latin-1 when the bytes are
  // no UTF-8); the document is then unmodified. On failure the text is left
  // as it was and error says why.
  bool LoadFile(const QString& path, QString* error);
  // Writes the document text (never a report shown in its place) to the file,
  // replacing it only once the new text is completely written.
  bool SaveToFile(const QString& path, QString* error);
  // Save: to the document's file, asking for a name when it has none.
  bool Save();
  bool SaveAs();
  bool IsModified() const;

  // ---- TViewControl ----
  std::string ControlText() const override;
  void SetControlText(std::string_view text) override;
  void SetControlReadOnly(bool readOnly) override;
  void ViewStateChanged(int state) override;

  // ---- TTaskView (called on the worker thread) ----
  void BeginComputation(TTaskKind kind) override;
  void EndComputation(TTaskKind kind) override;
  void SetInformationMode(bool on, std::optional<std::string> report) override;
  void WriteText(std::string text) override;
  void SaveOriginalText() override;
  void SetTransformedState(bool transformed) override;
  void Beep() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  template <typename Function>
  void Post(Function function);

  TMainFrame& frame_;
  TSpineTextView core_;
  QString filePath_;
  QString title_;
};
