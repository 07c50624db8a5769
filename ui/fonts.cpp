// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace durnoval {
namespace {

// Arial-metric faces run about 3 % wider than the design's sans serif, enough to push the
// longest one-line captions onto a second line their boxes have no room for.
constexpr int kSubstituteStretch = 97;

// By name among the installed families: QFontDatabase::hasFamily() first runs each name through
// all of fontconfig's substitution rules, a fiftieth of the program's start-up for two names,
// and a face that only stands in for a name is not the face installed.
QString firstInstalled(std::initializer_list<const char *> faces) {
    const QStringList installed = QFontDatabase::families();
    for (const char *face : faces)
        if (installed.contains(QString::fromLatin1(face), Qt::CaseInsensitive))
            return QString::fromLatin1(face);
    return QString::fromLatin1(*faces.begin());
}

// The face to draw a design face with, decided once: the design's own where it is installed,
// else its nearest stand-in. Naming the stand-in spares Qt a search through fontconfig's
// substitutes and fallbacks for every size and weight. Liberation Sans has Arial's metrics,
// the closest match to the design's sans serif; Comic Neue is drawn after the comic face.
const QString &installedFace(std::string_view face) {
    static const QString sansSerif = firstInstalled({kSansSerifFace, "Liberation Sans", "Arial"});
    if (face == kComicFace) {
        static const QString comic = firstInstalled({kComicFace, "Comic Neue"});
        return comic;
    }
    return sansSerif;
}

} // namespace

QFont designFont(const FontSpec &design) {
    const QString &face = installedFace(design.face);
    QFont font(face);
    font.setPixelSize(static_cast<int>(std::lround(design.points * 96 / 72)));
    font.setBold(design.bold);
    // Set either way, so that a control's font never inherits its window's stretch: the
    // comic title keeps its natural width on a window drawn in the narrowed stand-in.
    const bool substituted =
        std::string_view(design.face) == kSansSerifFace && face != QLatin1String(kSansSerifFace);
    font.setStretch(substituted ? kSubstituteStretch : QFont::Unstretched);
    return font;
}

} // namespace durnoval
