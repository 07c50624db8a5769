// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/x11window.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>

// Built with libxcb, against a Qt that speaks X11.
#if DURNOVAL_X11 && QT_CONFIG(xcb)
#define DURNOVAL_SPEAKS_X11 1
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace durnoval {

#if DURNOVAL_SPEAKS_X11
namespace {

// Offscreen, the interface is there without a connection.
xcb_connection_t *x11Connection() {
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name) {
    const auto cookie = xcb_intern_atom(connection, false, std::strlen(name), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Raises its window whenever the X server reports it covered, in part or whole. Qt does not
// ask for visibility changes, so they are asked for once the window exists on the server.
class RaiseWhenCovered : public QObject, public QAbstractNativeEventFilter {
public:
    RaiseWhenCovered(QWidget &window, xcb_connection_t *connection)
        : QObject(&window), m_window(window), m_connection(connection) {
        window.installEventFilter(this);
        qApp->installNativeEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::WinIdChange && m_window.internalWinId())
            selectVisibilityChanges(static_cast<xcb_window_t>(m_window.internalWinId()));
        return false;
    }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY)
            return false;
        const auto *visibility = static_cast<const xcb_visibility_notify_event_t *>(message);
        if (visibility->window == m_window.internalWinId() &&
            visibility->state != XCB_VISIBILITY_UNOBSCURED)
            raiseAboveNormalWindows(visibility->window);
        return false;
    }

private:
    // Just above the topmost normal window over it: override-redirect windows (screen lockers,
    // menus, tooltips) stay above it, as they stay above a window manager's "above" layer, and a
    // locker that raises itself in turn finds nothing to answer. Under a window manager the
    // window is in a frame, no child of the root, and the window manager keeps it above.
    void raiseAboveNormalWindows(xcb_window_t id) {
        xcb_query_tree_reply_t *own =
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, id), nullptr);
        xcb_query_tree_reply_t *tree =
            own ? xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, own->root),
                                       nullptr)
                : nullptr;
        std::free(own);
        if (!tree)
            return;
        const xcb_window_t *first = xcb_query_tree_children(tree);
        const xcb_window_t *end = first + xcb_query_tree_children_length(tree);
        std::uint32_t topNormal = XCB_WINDOW_NONE;
        for (const xcb_window_t *above = std::find(first, end, id); above != end; ++above) {
            xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, *above), nullptr);
            if (*above != id && attributes && !attributes->override_redirect &&
                attributes->map_state == XCB_MAP_STATE_VIEWABLE)
                topNormal = *above;
            std::free(attributes);
        }
        std::free(tree);
        const std::array<std::uint32_t, 2> values{topNormal, XCB_STACK_MODE_ABOVE};
        if (topNormal != XCB_WINDOW_NONE)
            xcb_configure_window(m_connection, id,
                                 XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE,
                                 values.data());
    }

    // Qt's own events stay selected.
    void selectVisibilityChanges(xcb_window_t id) {
        const auto cookie = xcb_get_window_attributes(m_connection, id);
        xcb_get_window_attributes_reply_t *attributes =
            xcb_get_window_attributes_reply(m_connection, cookie, nullptr);
        if (!attributes)
            return;
        const std::uint32_t events = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
        std::free(attributes);
        xcb_change_window_attributes(m_connection, id, XCB_CW_EVENT_MASK, &events);
    }

    QWidget &m_window;
    xcb_connection_t *m_connection;
};

} // namespace
#endif

void raiseWhenCovered([[maybe_unused]] QWidget &window) {
#if DURNOVAL_SPEAKS_X11
    if (xcb_connection_t *connection = x11Connection())
        new RaiseWhenCovered(window, connection);
#endif
}

void keepOffTaskBarAndInPlace([[maybe_unused]] QWidget &window) {
#if DURNOVAL_SPEAKS_X11
    xcb_connection_t *connection = x11Connection();
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
