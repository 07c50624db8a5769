// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/x11window.h"

#include <QGuiApplication>
#include <QWidget>

// Built with libxcb, against a Qt that speaks X11.
#if DURNOVAL_X11 && QT_CONFIG(xcb)
#define DURNOVAL_SPEAKS_X11 1
#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace durnoval {

#if DURNOVAL_SPEAKS_X11
namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name) {
    const auto cookie = xcb_intern_atom(connection, false, std::strlen(name), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace
#endif

void keepOffTaskBarAndInPlace([[maybe_unused]] QWidget &window) {
#if DURNOVAL_SPEAKS_X11
    // Offscreen, the interface is there without a connection.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());

    // The window manager drops _NET_WM_STATE whenever the window is hidden, so this is set
    // before every show; Qt adds its own states to it when it maps the window.
    const std::array states{internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                            internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                        internAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, states.size(),
                        states.data());

    // Motif hints: the functions and decorations fields count, and both are empty. KWin reads
    // the functions only of a window without a type, and that is a normal window to any window
    // manager.
    xcb_delete_property(connection, id, internAtom(connection, "_NET_WM_WINDOW_TYPE"));
    constexpr std::uint32_t kFunctionsAndDecorations = 1 | 2;
    const std::array<std::uint32_t, 5> hints{kFunctionsAndDecorations, 0, 0, 0, 0};
    const xcb_atom_t motifHints = internAtom(connection, "_MOTIF_WM_HINTS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, motifHints, motifHints, 32,
                        hints.size(), hints.data());
#endif
}

} // namespace durnoval
