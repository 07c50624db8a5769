// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmEndDurnoval.h"

#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/twips.h"
#include "ui/x11window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace durnoval {
namespace {

constexpr QSize kClientSize = twipsSize(4350, 1710);
constexpr FontSpec kBold10{kSansSerifFace, 9.75, true};

// clang-format off
constexpr ControlSpec kControls[] = {
//   name       kind                 text                                L     T    W     H    font     align           frame  visible tab tooltip           accessible name
    {"lblSure", ControlKind::Label,  "Are you sure you want to exit??",  360,  240, 3735, 495, kBold10, Qt::AlignHCenter, false, true,  2, nullptr,          nullptr},
    {"cmdYes",  ControlKind::Button, "Yes",                              600,  960, 1215, 495, kBold10, Qt::AlignLeft,    false, true,  0, "Close Durnoval", "Yes, exit Durnoval"},
    {"cmdNo",   ControlKind::Button, "Not Yet!",                         2400, 960, 1215, 495, kBold10, Qt::AlignLeft,    false, true,  1, "GO BACK!!",      "Not yet, go back to Durnoval"},
};
// clang-format on

struct LineSpec {
    const char *name;
    int x1, y1, x2, y2;
};

// The outline of one rectangle, standing in for the border the window has not got.
constexpr LineSpec kLines[] = {
    {"Line4", 4200, 120, 120, 120},
    {"Line3", 4200, 1560, 4200, 120},
    {"Line2", 120, 1560, 4200, 1560},
    {"Line1", 120, 120, 120, 1560},
};

} // namespace

frmEndDurnoval::frmEndDurnoval(Forms &forms) : m_forms(forms) {
    setObjectName("frmEndDurnoval");
    setWindowTitle("Are You Sure????");
    // No frame; a tool window stays out of the task bar where the platform allows it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowIcon(QIcon(":/icons/question-32.xpm"));
    setFont(designFont(kDefaultWindowFont));
    setFixedSize(kClientSize);
    applyMenuColours();
    createControls();
}

void frmEndDurnoval::createControls() {
    durnoval::createControls(this, kControls);
    m_cmdYes = findChild<QPushButton *>("cmdYes");
    m_cmdNo = findChild<QPushButton *>("cmdNo");
    m_cmdYes->setDefault(true);
    connect(m_cmdYes, &QPushButton::clicked, this, &frmEndDurnoval::cmdYes_Click);
    connect(m_cmdNo, &QPushButton::clicked, this, &frmEndDurnoval::cmdNo_Click);
}

void frmEndDurnoval::applyMenuColours() {
    // The desktop's menu background, for the window and for the question on it alike.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(colours);
    setAutoFillBackground(true);
}

void frmEndDurnoval::cmdYes_Click() {
    m_forms.endProgram();
}

void frmEndDurnoval::cmdNo_Click() {
    // The main window first, so that some window of the program is always on the screen.
    m_forms.showDurnoval();
    hide();
}

void frmEndDurnoval::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    for (const LineSpec &line : kLines)
        painter.drawLine(twipsPoint(line.x1, line.y1), twipsPoint(line.x2, line.y2));
}

void frmEndDurnoval::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_cmdYes->click();
        return;
    case Qt::Key_Escape:
        m_cmdNo->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmEndDurnoval::closeEvent(QCloseEvent *event) {
    // Only the two buttons take this window off the screen.
    event->ignore();
}

void frmEndDurnoval::showEvent(QShowEvent *event) {
    // Sent before the window is mapped, while the window manager still reads its hints.
    keepOffTaskBarAndInPlace(*this);
    QWidget::showEvent(event);
    m_cmdYes->setFocus(Qt::OtherFocusReason);
}

} // namespace durnoval
