// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <span>
#include <utility>
#include <variant>
#include <vector>

namespace durnoval {

enum class ControlKind { Label, TextBox, Button, Picture };

// One control of a window's design: geometry in twips, the font (none: the window's), the
// text (for a picture, its resource), tab index (none for controls that take no focus),
// tooltip and accessible name (none: the control's text, which Qt gives screen readers).
struct ControlDesign {
    const char *name;
    ControlKind kind;
    const char *text;
    int left, top, width, height;
    std::optional<FontSpec> font;
    Qt::Alignment alignment;
    bool framed;
    bool visible;
    std::optional<int> tabIndex;
    const char *toolTip;
    const char *accessibleName;
};

// The member of the window that keeps a control it uses again, typed as the control is.
template <typename Form>
using ControlMember =
    std::variant<std::monostate, QLabel * Form::*, QLineEdit * Form::*, QPushButton * Form::*>;

// A row of a window's control table: the design, where the window keeps the control, and the
// handler a button runs when clicked.
template <typename Form> struct ControlSpec : ControlDesign {
    ControlMember<Form> member;
    void (Form::*clicked)();
};

// Short names that keep the control tables as readable as the design.
namespace design {
inline constexpr auto L = ControlKind::Label;
inline constexpr auto T = ControlKind::TextBox;
inline constexpr auto B = ControlKind::Button;
inline constexpr auto P = ControlKind::Picture;
inline constexpr auto Left = Qt::AlignLeft;
inline constexpr auto Right = Qt::AlignRight;
inline constexpr auto Centre = Qt::AlignHCenter;
inline constexpr std::nullopt_t Window = std::nullopt; // the window's font
inline constexpr std::nullopt_t NoTab = std::nullopt;
inline constexpr bool Framed = true;
inline constexpr bool Flat = false;
inline constexpr bool Shown = true;
inline constexpr bool Hidden = false;
inline constexpr std::monostate Unkept{};
inline constexpr std::nullptr_t NoClick = nullptr;
} // namespace design

// Makes one control on the client area; focusable controls join the focus chain.
QWidget *createControl(QWidget *clientArea, const ControlDesign &design,
                       std::vector<std::pair<int, QWidget *>> &focusChain);

// Chains the focusable controls in the order of their tab indices; ties keep table order.
void chainFocus(std::vector<std::pair<int, QWidget *>> &focusChain);

// Builds a window's controls as children of its client area, fills the members that keep them
// and connects its buttons to their handlers.
template <typename Form>
void createControls(Form &form, QWidget *clientArea, std::span<const ControlSpec<Form>> controls) {
    std::vector<std::pair<int, QWidget *>> focusChain;
    for (const ControlSpec<Form> &control : controls) {
        QWidget *widget = createControl(clientArea, control, focusChain);
        std::visit(
            [&form, widget](auto member) {
                if constexpr (!std::is_same_v<decltype(member), std::monostate>) {
                    auto &kept = form.*member;
                    kept = qobject_cast<std::remove_reference_t<decltype(kept)>>(widget);
                    Q_ASSERT(kept);
                }
            },
            control.member);
        if (control.clicked)
            QObject::connect(qobject_cast<QPushButton *>(widget), &QPushButton::clicked, &form,
                             control.clicked);
    }
    chainFocus(focusChain);
}

} // namespace durnoval
