// The icons of the toolbar buttons.
//
// A button shows the desktop's themed icon where the icon theme has one, and
// otherwise a standard icon of the widget style, so that no button falls back
// to a word among pictures. The styles have no pictures for cut, copy and
// paste; for those a small drawing of our own stands in. Every icon's
// disabled look is faded, so that a disabled button never looks enabled.
#pragma once

#include <QIcon>

class QStyle;

// The icon of the toolbar button of a command (the ids of command_table.h);
// a null icon for an id that has no button.
QIcon ToolbarIcon(int id, const QStyle& style);
