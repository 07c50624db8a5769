// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmEndDurnoval.h"

#include "ui/controls.h"
#include "ui/icons.h"
#include "ui/showinfront.h"
#include "ui/twips.h"
#include "ui/x11window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>

namespace durnoval {
namespace {

constexpr QSize kClientSize = twipsSize(4350, 1710);
constexpr FontSpec kBold10{kSansSerifFace, 9.75, true};

struct LineSpec {
    int x1, y1, x2, y2;
};

// The outline of one rectangle, standing in for the border the window has not got: Line4,
// Line3, Line2 and Line1 of the design.
constexpr LineSpec kLines[] = {
    {4200, 120, 120, 120},
    {4200, 1560, 4200, 120},
    {120, 1560, 4200, 1560},
    {120, 120, 120, 1560},
};

} // namespace

frmEndDurnoval::frmEndDurnoval() {
    setObjectName("frmEndDurnoval");
    setWindowTitle("Are You Sure????");
    // No frame; a tool window stays out of the task bar where the platform allows it. Listed
    // nowhere and with the main window hidden, it must never end up under another window.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowIcon(questionIcon());
    setFont(designFont(kDefaultWindowFont));
    setFixedSize(kClientSize);
    applyMenuColours();
    createControls();
    raiseWhenCovered(*this);
}

void frmEndDurnoval::createControls() {
    [[maybe_unused]] const QLabel *lblSure =
        createLabel(this, "lblSure", "Are you sure you want to exit??", {360, 240, 3735, 495},
                    kBold10, Qt::AlignHCenter);
    cmdYes = createButton(this, "cmdYes", "Yes", {600, 960, 1215, 495}, kBold10, this,
                          &frmEndDurnoval::exitConfirmed);
    cmdYes->setToolTip("Close Durnoval");
    cmdYes->setAccessibleName("Yes, exit Durnoval");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Their screen readers, busy, may meet the focused button before the window: the button says
    // what it answers.
    cmdYes->setAccessibleDescription(lblSure->text());
#endif
    cmdYes->setDefault(true);
    QPushButton *cmdNo = createButton(this, "cmdNo", "Not Yet!", {2400, 960, 1215, 495}, kBold10,
                                      this, &frmEndDurnoval::cmdNo_Click);
    cmdNo->setToolTip("GO BACK!!");
    cmdNo->setAccessibleName("Not yet, go back to Durnoval");
}

void frmEndDurnoval::applyMenuColours() {
    // The desktop's menu background, for the window and for the question on it alike.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(colours);
    setAutoFillBackground(true);
}

void frmEndDurnoval::cmdNo_Click() {
    // The main window first, so that some window of the program is always on the screen.
    emit exitCancelled();
    hide();
}

void frmEndDurnoval::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    for (const LineSpec &line : kLines)
        painter.drawLine(twipsPoint(line.x1, line.y1), twipsPoint(line.x2, line.y2));
}

void frmEndDurnoval::reject() {
    // Esc: "Not Yet!"
    cmdNo_Click();
}

void frmEndDurnoval::closeEvent(QCloseEvent *event) {
    // Only the two buttons take this window off the screen.
    event->ignore();
}

void frmEndDurnoval::changeEvent(QEvent *event) {
    // Minimized by the window manager anyway, it would be out of reach: it comes straight back.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QMetaObject::invokeMethod(
            this, [this] { showInFront(*this); }, Qt::QueuedConnection);
    QDialog::changeEvent(event);
}

void frmEndDurnoval::showEvent(QShowEvent *event) {
    // Sent before the window is mapped, while the window manager still reads its hints.
    keepOffTaskBarAndInPlace(*this);
    QDialog::showEvent(event);
    cmdYes->setFocus(Qt::OtherFocusReason);
}

} // namespace durnoval
