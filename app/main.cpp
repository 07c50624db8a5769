#include "ui/forms.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    durnoval::Forms forms;
    forms.showDurnoval();
    return application.exec();
}
