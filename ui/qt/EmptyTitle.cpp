#include "ui/qt/EmptyTitle.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#elif __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#define VELMARITH_HAS_XCB 1
#endif

namespace velmarith {

#ifdef VELMARITH_HAS_XCB
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace
#endif

void ClearWindowManagerTitle(QWidget* window) {
#ifdef Q_OS_WIN
    // Qt shows the application's name in a title bar whose title is empty.
    SetWindowTextW(reinterpret_cast<HWND>(window->winId()), L"");
#elif defined(VELMARITH_HAS_XCB)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, Atom(connection, name), utf8, 8,
                            0, nullptr);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_ICON_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
#else
    (void)window;
#endif
}

}  // namespace velmarith
