// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows against their reference pictures: pictures_test PICTURES compares them
// with PICTURES/RENDERER, the pictures kept for the renderer it runs on. Where none are kept,
// it says so and checks only what holds on any renderer: that every caption fits its box.

#include "tools/windowpictures.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
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
    QStringList cutOff; // controls whose captions do not fit their boxes
};

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

// Pixels that differ beyond the fuzz; pictures of other sizes differ everywhere.
qsizetype differingPixels(const QImage &drawn, const QImage &reference) {
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
            if (channel > kChannelFuzz)
                ++count;
        }
    return count;
}

bool check(const std::vector<Picture> &pictures, const QDir &references) {
    const QString renderer = rendererName();
    const bool known = references.exists(renderer);
    if (!known)
        std::printf("no reference pictures for %s: checking only that every caption fits; "
                    "make screenshots adds them\n",
                    qPrintable(renderer));
    bool passed = true;
    for (const Picture &picture : pictures) {
        qsizetype differing = 0;
        if (known) {
            differing = differingPixels(picture.image,
                                        QImage(references.filePath(renderer + '/' + picture.file)));
            std::printf("%s: %lld pixels differ from %s's\n", qPrintable(picture.file),
                        static_cast<long long>(differing), qPrintable(renderer));
        }
        if (!picture.cutOff.isEmpty())
            std::printf("%s: captions cut off: %s\n", qPrintable(picture.file),
                        qPrintable(picture.cutOff.join(", ")));
        if (differing != 0 || !picture.cutOff.isEmpty()) {
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
        pictures.push_back({file, window.grab().toImage(), captionsCutOff(window)});
    });
    return check(pictures, QDir(QString::fromLocal8Bit(argv[1]))) ? 0 : 1;
}
