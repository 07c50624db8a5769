// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows against their reference pictures: pictures_test PICTURES compares them
// with PICTURES/RENDERER, the pictures kept for the renderer it runs on. Where none are kept,
// the windows are compared with every renderer's pictures outside the places where text is
// drawn. Either way every caption must fit its box.

#include "tools/windowpictures.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace durnoval;

// Anti-aliasing may shade an edge pixel a little differently; a glyph, a line or a frame
// that moved differs by far more.
constexpr int kChannelFuzz = 16;

struct Picture {
    QString file;
    QImage image;
    QRegion text;       // where the window draws text
    QStringList cutOff; // controls whose captions do not fit their boxes
};

QRect inWindow(const QWidget &window, const QWidget &control, const QRect &area) {
    return {control.mapTo(&window, area.topLeft()), area.size()};
}

QRegion textAreas(const QWidget &window) {
    QRegion areas;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            if (!label->text().isEmpty())
                areas += inWindow(window, *label, label->contentsRect());
        } else if (qobject_cast<const QPushButton *>(control) ||
                   qobject_cast<const QLineEdit *>(control)) {
            areas += inWindow(window, *control, control->rect().adjusted(3, 3, -3, -3));
        } else if (qobject_cast<const QMenuBar *>(control)) {
            areas += inWindow(window, *control, control->rect());
        }
    }
    return areas;
}

// A caption is readable while the last line's letters, all but their descenders, are in the
// box.
QStringList captionsCutOff(const QWidget &window) {
    QStringList cutOff;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QRect box = label->contentsRect();
        const QFontMetrics metrics = label->fontMetrics();
        const QRect needed = metrics.boundingRect(
            box, static_cast<int>(label->alignment()) | Qt::TextWordWrap, label->text());
        if (label->isVisible() &&
            (needed.width() > box.width() || needed.height() - metrics.descent() > box.height()))
            cutOff << label->objectName();
    }
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        if (button->fontMetrics().horizontalAdvance(button->text()) + margin > button->width())
            cutOff << button->objectName();
    }
    return cutOff;
}

// Pixels that differ beyond the fuzz outside the ignored areas; pictures of other sizes
// differ everywhere.
qsizetype differingPixels(const QImage &drawn, const QImage &reference, const QRegion &ignored) {
    if (drawn.size() != reference.size())
        return qsizetype(drawn.width()) * drawn.height();
    const QImage a = drawn.convertToFormat(QImage::Format_RGB32);
    const QImage b = reference.convertToFormat(QImage::Format_RGB32);
    qsizetype count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int channel =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
            if (channel > kChannelFuzz && !ignored.contains(QPoint(x, y)))
                ++count;
        }
    return count;
}

bool matchesRenderer(const Picture &picture, const QDir &references) {
    const qsizetype differing =
        differingPixels(picture.image, QImage(references.filePath(picture.file)), {});
    std::printf("%s: %lld pixels differ from %s's\n", qPrintable(picture.file),
                static_cast<long long>(differing), qPrintable(references.dirName()));
    return differing == 0;
}

bool matchesOutsideText(const Picture &picture, const QDir &references) {
    for (const QString &renderer : references.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QImage reference(references.filePath(renderer + '/' + picture.file));
        if (!reference.isNull() && differingPixels(picture.image, reference, picture.text) == 0) {
            std::printf("%s: outside the text, as %s draws it\n", qPrintable(picture.file),
                        qPrintable(renderer));
            return true;
        }
    }
    std::printf("%s: outside the text, unlike every stored renderer\n", qPrintable(picture.file));
    return false;
}

bool check(const std::vector<Picture> &pictures, const QDir &references) {
    const QString renderer = rendererName();
    const bool known = references.exists(renderer);
    if (!known)
        std::printf("no reference pictures for %s: checking the windows outside their text "
                    "and that every caption fits\n",
                    qPrintable(renderer));
    bool passed = true;
    for (const Picture &picture : pictures) {
        bool matches = matchesOutsideText(picture, references);
        if (known)
            matches = matchesRenderer(picture, QDir(references.filePath(renderer))) && matches;
        if (!picture.cutOff.isEmpty())
            std::printf("%s: captions cut off: %s\n", qPrintable(picture.file),
                        qPrintable(picture.cutOff.join(", ")));
        if (!matches || !picture.cutOff.isEmpty()) {
            const QString drawn = QDir::current().filePath("drawn-" + picture.file);
            picture.image.save(drawn, "png");
            std::printf("%s: FAILED; the window as drawn is %s\n", qPrintable(picture.file),
                        qPrintable(drawn));
            passed = false;
        }
    }
    return passed;
}

} // namespace

int main(int argc, char *argv[]) {
    drawOffscreenInFusion();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pictures_test PICTURES\n");
        return 2;
    }
    std::vector<Picture> pictures;
    Forms forms;
    showWindowsForPictures(forms, [&pictures](const QString &file, QWidget &window) {
        pictures.push_back(
            {file, window.grab().toImage(), textAreas(window), captionsCutOff(window)});
    });
    return check(pictures, QDir(QString::fromLocal8Bit(argv[1]))) ? 0 : 1;
}
