// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for start-up: a bare Qt Widgets window with a menu bar and as many controls
// as the main window (17 captions, 6 fields, 4 framed result labels, 3 buttons), written
// straight against Qt. With --same-text it shows the main window's captions in its fonts and
// places, so that only the program's own structure differs; without, short placeholders in
// the default font.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <cstring>

namespace {

struct Caption {
    const char *text;
    int left, top, width, height, pixelSize;
    bool bold;
};

constexpr Caption kCaptions[] = {
    {"Enter the size of the tires: ", 136, 0, 217, 25, 16, true},
    {"i.e. 225/45 16;   width =225, wall = 45, rim = 16", 112, 32, 265, 25, 13, false},
    {"Enter size of original tire:", 24, 80, 185, 25, 13, true},
    {"Enter size of new tire:", 240, 80, 177, 25, 13, true},
    {"Enter the width of the tire:", 24, 120, 89, 25, 11, true},
    {"Enter the width of the tire:", 240, 120, 89, 25, 11, true},
    {"Enter the wall size of the tire:", 24, 160, 89, 25, 11, true},
    {"Enter the wall size of the tire:", 240, 160, 89, 25, 11, true},
    {"Enter the rim size:", 24, 200, 89, 25, 11, true},
    {"Enter the rim size:", 240, 200, 97, 25, 11, true},
    {"Overall size of tire:", 24, 248, 89, 33, 11, true},
    {"Overall size of new tire:", 240, 248, 97, 33, 11, true},
    {"Difference:", 24, 304, 89, 17, 11, true},
    {"Actual  Speed at 60 mph:", 240, 304, 97, 33, 11, true},
    {"", 136, 248, 77, 24, 16, true},
    {"", 360, 248, 75, 24, 16, true},
    {"", 136, 304, 77, 24, 16, true},
};

QFont font(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    const bool sameText = argc > 1 && std::strcmp(argv[1], "--same-text") == 0;
    QMainWindow window;
    window.setWindowTitle("Bare Qt window");
    QMenu *file = window.menuBar()->addMenu("File");
    file->addAction("Clear");
    file->addAction("Calculate");
    file->addAction("End");
    window.menuBar()->addMenu("Help")->addAction("About");
    auto *area = new QWidget(&window);
    if (sameText)
        area->setFont(font(11, false));
    int n = 0;
    for (const Caption &caption : kCaptions) {
        auto *label = new QLabel(area);
        if (sameText) {
            label->setText(caption.text);
            label->setFont(font(caption.pixelSize, caption.bold));
            label->setWordWrap(true);
            label->setGeometry(caption.left, caption.top, caption.width, caption.height);
        } else {
            label->setText(QStringLiteral("Label %1").arg(n));
            label->setGeometry(8, 8 + n * 22, 120, 20);
        }
        ++n;
    }
    (new QLabel(area))->setGeometry(360, 304, 73, 24);
    for (int i = 0; i < 6; ++i)
        (new QLineEdit(area))->setGeometry(136 + (i / 3) * 224, 120 + (i % 3) * 40, 73, 25);
    const char *buttons[] = {"Calculate", "Clear", "Exit"};
    for (int i = 0; i < 3; ++i)
        (new QPushButton(sameText ? buttons[i] : "Button", area))
            ->setGeometry(104 + i * 108, 344, 73, 33);
    window.setCentralWidget(area);
    window.resize(482, 414);
    window.show();
    return application.exec();
}
