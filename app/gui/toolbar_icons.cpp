#include "app/gui/toolbar_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStyle>

#include "shell/command_table.h"

namespace {

enum class TDrawn { None, Cut, Copy, Paste };

constexpr qreal kDisabledOpacity = 0.3;

struct TButtonIcon {
  int id;
  const char* themeName;
  QStyle::StandardPixmap standard;
  TDrawn drawn;  // drawn in place of a standard icon when not None
};

constexpr TButtonIcon kIcons[] = {
    {kNewCommand, "document-new", QStyle::SP_FileIcon, TDrawn::None},
    {kOpenCommand, "document-open", QStyle::SP_DialogOpenButton, TDrawn::None},
    {kSaveCommand, "document-save", QStyle::SP_DialogSaveButton, TDrawn::None},
    {kCutCommand, "edit-cut", QStyle::SP_CustomBase, TDrawn::Cut},
    {kCopyCommand, "edit-copy", QStyle::SP_CustomBase, TDrawn::Copy},
    {kPasteCommand, "edit-paste", QStyle::SP_CustomBase, TDrawn::Paste},
    {kRecognizeCommand, "media-playback-start", QStyle::SP_MediaPlay, TDrawn::None},
    {kSimplifyDialogCommand, "view-list-details", QStyle::SP_FileDialogDetailedView, TDrawn::None},
    {kInitialStateCommand, "edit-undo", QStyle::SP_ArrowBack, TDrawn::None},
    {kStopCommand, "process-stop", QStyle::SP_BrowserStop, TDrawn::None},
};

// A sheet of paper with three lines of text, its corner at (x, y).
void DrawSheet(QPainter& painter, qreal x, qreal y, qreal width, qreal height,
               const QColor& paper) {
  painter.setBrush(paper);
  painter.drawRoundedRect(QRectF(x, y, width, height), 1.5, 1.5);
  for (int line = 1; line <= 3; ++line) {
    const qreal lineY = y + height * line / 4.5;
    painter.drawLine(QPointF(x + 3, lineY), QPointF(x + width - 3, lineY));
  }
}

// Drawn at 32 pixels in the palette's text colour, so that it suits light
// and dark styles; QIcon scales it down for the toolbar.
QIcon DrawnIcon(TDrawn what) {
  const QPalette palette = QGuiApplication::palette();
  const QColor ink = palette.color(QPalette::WindowText);
  const QColor paper = palette.color(QPalette::Base);
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  switch (what) {
    case TDrawn::Cut:
      // Scissors: two blades crossing above two finger rings.
      painter.drawLine(QPointF(11, 19), QPointF(22, 3));
      painter.drawLine(QPointF(21, 19), QPointF(10, 3));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPointF(9, 24), 4.5, 4.5);
      painter.drawEllipse(QPointF(23, 24), 4.5, 4.5);
      break;
    case TDrawn::Copy:
      DrawSheet(painter, 4, 3, 16, 20, paper);
      DrawSheet(painter, 12, 9, 16, 20, paper);
      break;
    case TDrawn::Paste: {
      // A clipboard with its clip, and a sheet on it.
      painter.setBrush(palette.color(QPalette::Mid));
      painter.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
      painter.setBrush(paper);
      painter.drawRoundedRect(QRectF(9, 2, 10, 6), 1.5, 1.5);
      DrawSheet(painter, 13, 12, 15, 18, paper);
      break;
    }
    case TDrawn::None:
      break;
  }
  painter.end();
  return QIcon(pixmap);
}

// The icon with a disabled look of its own: the normal picture at a third of
// its opacity. The greying of the styles barely changes pictures that are grey
// or black already (the play triangle, the list), so that a disabled button
// looked enabled.
QIcon WithFadedDisabledMode(const QIcon& icon) {
  QIcon result;
  for (int size : {16, 22, 24, 32, 48}) {
    const QPixmap normal = icon.pixmap(size, QIcon::Normal);
    if (normal.isNull()) continue;
    result.addPixmap(normal, QIcon::Normal);
    QPixmap faded(normal.size());
    faded.setDevicePixelRatio(normal.devicePixelRatio());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(kDisabledOpacity);
    painter.drawPixmap(0, 0, normal);
    painter.end();
    result.addPixmap(faded, QIcon::Disabled);
  }
  return result;
}

}  // namespace

QIcon ToolbarIcon(int id, const QStyle& style) {
  for (const TButtonIcon& icon : kIcons) {
    if (icon.id != id) continue;
    const QString name = QString::fromLatin1(icon.themeName);
    if (QIcon::hasThemeIcon(name)) return WithFadedDisabledMode(QIcon::fromTheme(name));
    if (icon.drawn != TDrawn::None) return WithFadedDisabledMode(DrawnIcon(icon.drawn));
    return WithFadedDisabledMode(style.standardIcon(icon.standard));
  }
  return {};
}
