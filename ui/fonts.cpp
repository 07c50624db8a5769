// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>
#include <string_view>

namespace durnoval {
namespace {

// Arial-metric faces run about 3 % wider than the design's sans serif, enough to push the
// longest one-line captions onto a second line their boxes have no room for.
constexpr int kSubstituteStretch = 97;

} // namespace

void registerFontSubstitutes() {
    // Liberation Sans has Arial's metrics, the closest match to the design's sans serif;
    // Comic Neue is drawn after the comic face.
    QFont::insertSubstitutions(QString::fromLatin1(kSansSerifFace),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QString::fromLatin1(kComicFace), {QStringLiteral("Comic Neue")});
}

QFont designFont(const FontSpec &design) {
    QFont font(QString::fromLatin1(design.face));
    font.setPixelSize(static_cast<int>(std::lround(design.points * 96 / 72)));
    font.setBold(design.bold);
    // Decided once from the font database: resolving each font here would load a font engine
    // that is never drawn with.
    static const bool designFaceInstalled =
        QFontDatabase::hasFamily(QString::fromLatin1(kSansSerifFace));
    // Set either way, so that a control's font never inherits its window's stretch: the
    // comic title keeps its natural width on a window drawn in the narrowed stand-in.
    const bool substituted =
        std::string_view(design.face) == kSansSerifFace && !designFaceInstalled;
    font.setStretch(substituted ? kSubstituteStretch : QFont::Unstretched);
    return font;
}

} // namespace durnoval
