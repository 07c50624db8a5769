// The yardstick for start-up: a bare Qt Widgets window with a menu bar and as many controls
// as the main window (17 labels, 6 fields, 3 buttons, 4 result labels), nothing else.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare Qt window");
    QMenu *file = window.menuBar()->addMenu("File");
    file->addAction("Clear");
    file->addAction("Calculate");
    file->addAction("End");
    window.menuBar()->addMenu("Help")->addAction("About");
    auto *area = new QWidget(&window);
    for (int i = 0; i < 17; ++i)
        (new QLabel(QStringLiteral("Label %1").arg(i), area))->setGeometry(8, 8 + i * 22, 120, 20);
    for (int i = 0; i < 6; ++i)
        (new QLineEdit(area))->setGeometry(140, 8 + i * 30, 70, 25);
    for (int i = 0; i < 4; ++i)
        (new QLabel(area))->setGeometry(240, 8 + i * 30, 70, 24);
    for (int i = 0; i < 3; ++i)
        (new QPushButton(QStringLiteral("Button %1").arg(i), area))
            ->setGeometry(100 + i * 100, 344, 73, 33);
    window.setCentralWidget(area);
    window.resize(482, 414);
    window.show();
    return application.exec();
}
