// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the three windows as a user sees them, offscreen in the Fusion style: the main window
// after Calculate on the default tyres (durnoval.png), the about window (about.png) and the
// exit confirmation (exit.png).
//   durnoval-screenshots save FOLDER          writes the pictures into FOLDER
//   durnoval-screenshots reference PICTURES   writes them into PICTURES/RENDERER
//   durnoval-screenshots check PICTURES       compares the windows with PICTURES/RENDERER
// Text comes out differently from one Qt or FreeType version to the next (glyph shapes, line
// spacing), so reference pictures are kept per renderer, named like qt6.4-freetype2.12.
// Where none are kept for this renderer, the windows are compared with every renderer's
// pictures outside the places where text is drawn. Either way every caption must fit its box.

#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

#include <dlfcn.h>

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

// The FreeType that Qt renders with, as "2.12"; Qt does not tell.
QString freeTypeVersion() {
    void *library = dlopen("libfreetype.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return QStringLiteral("unknown");
    using Init = int (*)(void **);
    using Done = int (*)(void *);
    using Version = void (*)(void *, int *, int *, int *);
    const auto init = reinterpret_cast<Init>(dlsym(library, "FT_Init_FreeType"));
    const auto done = reinterpret_cast<Done>(dlsym(library, "FT_Done_FreeType"));
    const auto version = reinterpret_cast<Version>(dlsym(library, "FT_Library_Version"));
    void *freeType = nullptr;
    int major = 0, minor = 0, patch = 0;
    if (init && done && version && init(&freeType) == 0) {
        version(freeType, &major, &minor, &patch);
        done(freeType);
    }
    dlclose(library);
    return major ? QStringLiteral("%1.%2").arg(major).arg(minor) : QStringLiteral("unknown");
}

QString rendererName() {
    const QStringList qt = QString::fromLatin1(qVersion()).split('.');
    return QStringLiteral("qt%1.%2-freetype%3").arg(qt.value(0), qt.value(1), freeTypeVersion());
}

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

Picture picture(const char *file, QWidget &window) {
    QCoreApplication::processEvents(); // activation and focus settle first
    return {QString::fromLatin1(file), window.grab().toImage(), textAreas(window),
            captionsCutOff(window)};
}

// As a mouse click does, which takes the focus too.
void press(QWidget &window, const char *button) {
    auto *pressed = window.findChild<QPushButton *>(QString::fromLatin1(button));
    pressed->setFocus(Qt::MouseFocusReason);
    pressed->click();
}

std::vector<Picture> drawWindows(Forms &forms) {
    std::vector<Picture> pictures;
    forms.showDurnoval();
    press(forms.durnoval(), "cmdCalc");
    pictures.push_back(picture("durnoval.png", forms.durnoval()));
    forms.showAbout();
    pictures.push_back(picture("about.png", forms.about()));
    press(forms.durnoval(), "cmdExit");
    pictures.push_back(picture("exit.png", forms.endDurnoval()));
    return pictures;
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

bool save(const std::vector<Picture> &pictures, const QDir &folder) {
    bool saved = folder.mkpath(QStringLiteral("."));
    for (const Picture &picture : pictures)
        saved = picture.image.save(folder.filePath(picture.file), "png") && saved;
    return saved;
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setStyle(QStringLiteral("fusion"));
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (arguments.size() != 3 ||
        (command != "save" && command != "reference" && command != "check")) {
        std::fprintf(stderr, "usage: durnoval-screenshots save|reference|check FOLDER\n");
        return 2;
    }
    const QDir folder(arguments.at(2));
    Forms forms;
    const std::vector<Picture> pictures = drawWindows(forms);
    if (command == "save")
        return save(pictures, folder) ? 0 : 1;
    if (command == "reference")
        return save(pictures, QDir(folder.filePath(rendererName()))) ? 0 : 1;
    return check(pictures, folder) ? 0 : 1;
}
