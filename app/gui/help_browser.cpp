#include "app/gui/help_browser.h"

#include <QDesktopServices>
#include <QFileInfo>

#include "app/gui/gui_texts.h"
#include "foundation/message_box.h"

namespace {

constexpr int kUnableToOpenLinkText = 9828;
constexpr int kHelpWidth = 860;
constexpr int kHelpHeight = 680;

}  // namespace

THelpBrowser::THelpBrowser(QWidget* parent, TExternalOpener opener)
    : QTextBrowser(parent), opener_(std::move(opener)) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose, false);
  resize(kHelpWidth, kHelpHeight);
  // Every link comes to Follow, which decides where it opens.
  setOpenLinks(false);
  setOpenExternalLinks(false);
  if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  connect(this, &QTextBrowser::anchorClicked, this, &THelpBrowser::Follow);
  connect(this, &QTextBrowser::sourceChanged, this, [this] {
    setWindowTitle(documentTitle().isEmpty() ? source().fileName() : documentTitle());
  });
}

bool THelpBrowser::OpenPage(const QString& path) {
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) return false;
  setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  return true;
}

bool THelpBrowser::IsExternal(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == QStringLiteral("http") || scheme == QStringLiteral("https") ||
         scheme == QStringLiteral("mailto");
}

void THelpBrowser::Follow(const QUrl& link) {
  const QUrl url = source().resolved(link);
  if (!IsExternal(url)) {
    setSource(url);
    return;
  }
  if (opener_(url)) return;
  ShowMessageBox(GuiFormat(kUnableToOpenLinkText, url.toString().toStdString()).toStdString(),
                 TMessageButtons::Ok, TMessageIcon::Warning);
}
