// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the three windows as a user sees them, offscreen in the Fusion style.
//   durnoval-screenshots save FOLDER          writes the pictures into FOLDER
//   durnoval-screenshots reference PICTURES   writes them into PICTURES/RENDERER, the pictures
//                                             test's reference for this renderer

#include "tools/windowpictures.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[]) {
    using namespace durnoval;
    drawOffscreenInFusion();
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (arguments.size() != 3 || (command != "save" && command != "reference")) {
        std::fprintf(stderr, "usage: durnoval-screenshots save|reference FOLDER\n");
        return 2;
    }
    QDir folder(arguments.at(2));
    if (command == "reference")
        folder.setPath(folder.filePath(rendererName()));
    bool saved = folder.mkpath(QStringLiteral("."));
    Forms forms;
    showWindowsForPictures(forms, [&](const QString &file, QWidget &window) {
        saved = window.grab().toImage().save(folder.filePath(file), "png") && saved;
    });
    return saved ? 0 : 1;
}
