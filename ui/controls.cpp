// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls.h"

#include "ui/twips.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPixmap>

#include <algorithm>

namespace durnoval {
namespace {

// Space presses a button only on its own: Alt+Space is a habit for the window menu, which
// without a window manager to take it would reach the button and answer for the user.
class PlainSpaceOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return key->key() == Qt::Key_Space && key->modifiers() != Qt::NoModifier;
    }
};

template <typename Control>
Control *place(Control *control, const char *name, Geometry geometry, ControlFont font) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect(geometry.left, geometry.top, geometry.width, geometry.height));
    if (font)
        control->setFont(designFont(*font));
    return control;
}

// A screen scaled above 1 gets the finer variant drawn for scale 2 (name@2x), brought smoothly
// to the screen's own pixels where the scale is fractional; enlarging the plain one would blur it.
QPixmap pictureForScale(const QString &resource, QSize size, qreal scale) {
    if (scale <= 1)
        return QPixmap(resource);
    const QString finer = QString(resource).insert(resource.lastIndexOf('.'), "@2x");
    QPixmap picture = QPixmap(finer).scaled((QSizeF(size) * scale).toSize(), Qt::IgnoreAspectRatio,
                                            Qt::SmoothTransformation);
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace

QLabel *createLabel(QWidget *parent, const char *name, const char *text, Geometry geometry,
                    ControlFont font, Qt::Alignment alignment) {
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    // What does not fit is cut at the box's bottom.
    label->setWordWrap(true);
    label->setAlignment(alignment | Qt::AlignTop);
    return place(label, name, geometry, font);
}

QLabel *createFramedLabel(QWidget *parent, const char *name, const char *text, Geometry geometry,
                          ControlFont font, Qt::Alignment alignment) {
    QLabel *label = createLabel(parent, name, text, geometry, font, alignment);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken); // one pixel wide
    return label;
}

QLabel *createPicture(QWidget *parent, const char *name, const char *resource, Geometry geometry) {
    // Shown at its natural size, decoded when its window is first built.
    auto *picture = new QLabel(parent);
    picture->setPixmap(pictureForScale(QString::fromUtf8(resource),
                                       twipsSize(geometry.width, geometry.height),
                                       qApp->devicePixelRatio()));
    return place(picture, name, geometry, kWindowFont);
}

EntryField *createTextBox(QWidget *parent, const char *name, Geometry geometry) {
    return place(new EntryField(parent), name, geometry, kWindowFont);
}

void resizeBelowMenuBar(QMainWindow &window, QSize clientSize) {
    // The menu bar's height as the window's layout gives it, which under some styles is not
    // that of its size hint.
    const QMenuBar &bar = *window.menuBar();
    const int forWidth = bar.heightForWidth(clientSize.width());
    window.resize(clientSize.width(),
                  clientSize.height() + std::max(forWidth >= 0 ? forWidth : bar.sizeHint().height(),
                                                 bar.minimumSizeHint().height()));
}

void keepDefaultWithFocus(QWidget &window, QPushButton &fallback) {
    // Connected for as long as the button lives: the window's other controls may move the focus
    // while they are destroyed.
    QObject::connect(qApp, &QApplication::focusChanged, &fallback,
                     [&window, &fallback](QWidget *, QWidget *focused) {
                         const auto *button = qobject_cast<QPushButton *>(focused);
                         fallback.setDefault(!button || button == &fallback ||
                                             !window.isAncestorOf(button));
                     });
}

QPushButton *createButton(QWidget *parent, const char *name, const char *text, Geometry geometry,
                          ControlFont font) {
    auto *button = new QPushButton(QString::fromUtf8(text), parent);
    // As on the design's platform, Enter presses the button that has the focus.
    button->setAutoDefault(true);
    button->installEventFilter(new PlainSpaceOnly(button));
    return place(button, name, geometry, font);
}

void announce([[maybe_unused]] QWidget &source, [[maybe_unused]] const QString &message) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (message.isEmpty())
        return;
    QAccessibleAnnouncementEvent event(&source, message);
    QAccessible::updateAccessibility(&event);
#endif
}

void chainFocus(std::initializer_list<QWidget *> controls) {
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace durnoval
