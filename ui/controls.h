// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/entryfield.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <initializer_list>
#include <optional>

namespace durnoval {

// Where a control stands on its window's client area, in twips as designed.
struct Geometry {
    int left, top, width, height;
};

// A control's font: its own, or none to use its window's.
using ControlFont = std::optional<FontSpec>;
inline constexpr std::nullopt_t kWindowFont = std::nullopt;

// The window's controls, each named, placed and set in its font as the design has it. Labels
// wrap their captions at word boundaries from the top of a box that never grows.
QLabel *createLabel(QWidget *parent, const char *name, const char *text, Geometry geometry,
                    ControlFont font, Qt::Alignment alignment);
QLabel *createFramedLabel(QWidget *parent, const char *name, const char *text, Geometry geometry,
                          ControlFont font, Qt::Alignment alignment);
QLabel *createPicture(QWidget *parent, const char *name, const char *resource, Geometry geometry);
EntryField *createTextBox(QWidget *parent, const char *name, Geometry geometry);
QPushButton *createButton(QWidget *parent, const char *name, const char *text, Geometry geometry,
                          ControlFont font);

// A button that runs its window's handler when clicked.
template <typename Form>
QPushButton *createButton(QWidget *parent, const char *name, const char *text, Geometry geometry,
                          ControlFont font, Form *form, void (Form::*clicked)()) {
    QPushButton *button = createButton(parent, name, text, geometry, font);
    QObject::connect(button, &QPushButton::clicked, form, clicked);
    return button;
}

// As in a dialog: a button of the window is the default while it has the focus, and the given
// one whenever no other button of the window has it.
void keepDefaultWithFocus(QWidget &window, QPushButton &fallback);

// Sizes a main window so that its client area below the menu bar has the given size.
void resizeBelowMenuBar(QMainWindow &window, QSize clientSize);

// Says the message to a screen reader, without moving the focus, where the toolkit can (Qt 6.8
// and later); nothing when it is empty.
void announce(QWidget &source, const QString &message);

// Tab moves the focus through the controls in this order.
void chainFocus(std::initializer_list<QWidget *> controls);

} // namespace durnoval
