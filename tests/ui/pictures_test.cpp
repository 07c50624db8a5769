// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows against the reference pictures kept for the renderer they are drawn with:
// pictures_test PICTURES compares them with PICTURES/RENDERER.

#include "tools/windowpictures.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace durnoval;

// Anti-aliasing may shade an edge pixel a little differently; a glyph, a line or a frame
// that moved differs by far more.
constexpr int kChannelFuzz = 16;

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
            count += channel > kChannelFuzz;
        }
    return count;
}

} // namespace

// 0: the windows look as their references; 1: they do not; 77 (skipped): no references are kept
// for this renderer.
int main(int argc, char *argv[]) {
    drawOffscreenInFusion();
    QApplication application(argc, argv);
    const QDir references(QString::fromLocal8Bit(argv[argc - 1]) + '/' + rendererName());
    if (!references.exists()) {
        std::printf("skipped: no reference pictures for %s; make screenshots adds them\n",
                    qPrintable(rendererName()));
        return 77;
    }
    bool passed = true;
    Forms forms;
    showWindowsForPictures(forms, [&](const QString &file, QWidget &window) {
        const qsizetype differing =
            differingPixels(window.grab().toImage(), QImage(references.filePath(file)));
        std::printf("%s: %lld pixels differ\n", qPrintable(file), static_cast<long long>(differing));
        passed = differing == 0 && passed;
    });
    return passed ? 0 : 1;
}
