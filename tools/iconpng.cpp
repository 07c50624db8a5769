// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes an icon from its source picture (XPM) as PNG, the form desktop icon themes expect.
// Usage: durnoval-icon-png SOURCE OUTPUT.png

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: durnoval-icon-png SOURCE OUTPUT.png\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "png")) {
        std::fprintf(stderr, "durnoval-icon-png: cannot convert %s\n", argv[1]);
        return 1;
    }
    return 0;
}
