#include "app/gui/lock_keys.h"

#include <QGuiApplication>

#if defined(SORVELIN_HAVE_X11)
#include <qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

std::optional<TLockKeyState> QueryLockKeys() {
#if defined(SORVELIN_HAVE_X11) && QT_CONFIG(xcb)
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                 : nullptr;
  if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
  Display* display = x11->display();
  auto indicator = [display](const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) return false;
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on != 0;
  };
  TLockKeyState state;
  state.caps = indicator("Caps Lock");
  state.num = indicator("Num Lock");
  state.scroll = indicator("Scroll Lock");
  return state;
#else
  return std::nullopt;
#endif
}
