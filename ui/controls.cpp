// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls.h"

#include "ui/twips.h"

#include <QApplication>
#include <QIcon>

#include <algorithm>

namespace durnoval {
namespace {

QWidget *createWidget(const ControlDesign &design, QWidget *parent) {
    switch (design.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(QString::fromUtf8(design.text), parent);
        // Captions wrap at word boundaries from the top of a box that never grows; what
        // does not fit is cut at its bottom.
        label->setWordWrap(true);
        label->setAlignment(design.alignment | Qt::AlignTop);
        if (design.framed)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken); // one pixel wide
        return label;
    }
    case ControlKind::TextBox: {
        auto *field = new QLineEdit(QString::fromUtf8(design.text), parent);
        field->setAlignment(design.alignment);
        return field;
    }
    case ControlKind::Picture: {
        // Shown at its natural size, decoded when its window is first built; screens scaled by
        // 2 get the finer variant drawn for them (name@2x).
        const QIcon variants(QString::fromUtf8(design.text));
        auto *picture = new QLabel(parent);
        picture->setPixmap(
            variants.pixmap(twipsSize(design.width, design.height), qApp->devicePixelRatio()));
        return picture;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(QString::fromUtf8(design.text), parent);
        // As on the design's platform, Enter presses the button that has the focus.
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

} // namespace

QWidget *createControl(QWidget *clientArea, const ControlDesign &design,
                       std::vector<std::pair<int, QWidget *>> &focusChain) {
    QWidget *widget = createWidget(design, clientArea);
    widget->setObjectName(QString::fromLatin1(design.name));
    widget->setGeometry(twipsRect(design.left, design.top, design.width, design.height));
    if (design.font)
        widget->setFont(designFont(*design.font));
    if (design.toolTip)
        widget->setToolTip(QString::fromUtf8(design.toolTip));
    if (design.accessibleName)
        widget->setAccessibleName(QString::fromUtf8(design.accessibleName));
    widget->setVisible(design.visible);
    if (design.tabIndex && widget->focusPolicy() != Qt::NoFocus)
        focusChain.emplace_back(*design.tabIndex, widget);
    return widget;
}

void chainFocus(std::vector<std::pair<int, QWidget *>> &focusChain) {
    std::stable_sort(focusChain.begin(), focusChain.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusChain.size(); ++i)
        QWidget::setTabOrder(focusChain[i - 1].second, focusChain[i].second);
}

} // namespace durnoval
