// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows against the reference pictures kept for the renderer they are drawn with:
// pictures_test PICTURES compares them with PICTURES/RENDERER. Where none are kept for this
// renderer, it says so and checks only what does not depend on it: the windows' sizes.

#include "tools/windowpictures.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

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
};

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
    const QString compared =
        known ? renderer : references.entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0);
    if (!known)
        std::printf("no reference pictures for %s: comparing only the windows' sizes with %s's; "
                    "make screenshots adds them\n",
                    qPrintable(renderer), qPrintable(compared));
    bool passed = true;
    for (const Picture &picture : pictures) {
        const QImage reference(references.filePath(compared + '/' + picture.file));
        bool matches = picture.image.size() == reference.size();
        if (known) {
            const qsizetype differing = differingPixels(picture.image, reference);
            std::printf("%s: %lld pixels differ from %s's\n", qPrintable(picture.file),
                        static_cast<long long>(differing), qPrintable(renderer));
            matches = differing == 0;
        } else {
            std::printf("%s: %s the same size as %s's\n", qPrintable(picture.file),
                        matches ? "has" : "has not", qPrintable(compared));
        }
        passed = matches && passed;
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
        pictures.push_back({file, window.grab().toImage()});
    });
    return check(pictures, QDir(QString::fromLocal8Bit(argv[1]))) ? 0 : 1;
}
