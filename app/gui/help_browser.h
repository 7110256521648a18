// THelpBrowser: the help page, in a window of the program.
//
// The help is a page of HTML beside the program (Help/index.htm). It is shown
// here rather than handed to the desktop's web browser, because a desktop
// without a browser would show nothing and say nothing. Links inside the help
// (its table of contents, other local pages) are followed in this window;
// links out of it (http, https, mailto) go to the desktop's browser, and when
// none takes them the user is told so.
#pragma once

#include <QTextBrowser>
#include <QUrl>

#include <functional>

class THelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  // Opens a link out of the help; false when nothing could open it.
  using TExternalOpener = std::function<bool(const QUrl& url)>;

  // A top-level window (parent only owns it). The opener defaults to
  // QDesktopServices::openUrl.
  explicit THelpBrowser(QWidget* parent, TExternalOpener opener = {});

  // Shows the page of the file; false, showing nothing new, when the file
  // cannot be read.
  bool OpenPage(const QString& path);

  // Whether a link leaves the help for the desktop's browser.
  static bool IsExternal(const QUrl& url);

 private:
  void Follow(const QUrl& link);

  TExternalOpener opener_;
};
