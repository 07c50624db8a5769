// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/clientarea.h"

#include <QMouseEvent>

namespace durnoval {

ClientArea::ClientArea(QWidget *parent) : QWidget(parent) {}

void ClientArea::mouseDoubleClickEvent(QMouseEvent *event) {
    // Labels and pictures pass the double-clicks they ignore on to their parent; a click that
    // lands on any visible control belongs to that control, not to the background.
    if (childAt(event->position().toPoint()) == nullptr)
        emit backgroundDoubleClicked();
    event->accept();
}

} // namespace durnoval
