// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times what a long pasted text costs in the main window: the paste itself, a key typed after
// it until the field is drawn again, Calculate on it (the error is reported and dismissed),
// Clear, the processor time the window takes in 3 s idle with that text focused, and the
// peak memory.
// Usage: QT_QPA_PLATFORM=offscreen long_paste_benchmark [CHARACTERS]   (10,000,000 by default)

#include "ui/forms.h"
#include "ui/frmDurnoval.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <QKeyEvent>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

template <typename Step> double milliseconds(Step step) {
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    durnoval::Forms forms([] {});
    forms.showDurnoval();
    durnoval::frmDurnoval &window = forms.durnoval();
    auto *field = window.findChild<QLineEdit *>("txtWidth");
    auto *calculate = window.findChild<QPushButton *>("cmdCalc");
    auto *clear = window.findChild<QPushButton *>("cmdClear");
    const int characters = argc > 1 ? std::atoi(argv[argc - 1]) : 10'000'000;
    QGuiApplication::clipboard()->setText(QString(characters, u'7'));

    std::vector<double> paste, key, calc, wipe, idle;
    for (int run = 0; run < 5; ++run) {
        field->setFocus();
        paste.push_back(milliseconds([field] { field->paste(); }));
        key.push_back(milliseconds([field] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1");
            QCoreApplication::sendEvent(field, &press);
            field->repaint();
        }));
        const double before = processorSeconds();
        QEventLoop idling;
        QTimer::singleShot(3000, &idling, &QEventLoop::quit);
        idling.exec();
        idle.push_back((processorSeconds() - before) * 1000);
        calc.push_back(milliseconds([calculate] { calculate->click(); }));
        if (auto *box = window.findChild<QMessageBox *>("calcErrorBox"))
            box->button(QMessageBox::Ok)->click();
        QCoreApplication::processEvents();
        wipe.push_back(milliseconds([clear] { clear->click(); }));
    }
    std::printf("%d pasted characters, median of 5: paste %.1f ms, a key drawn %.1f ms, "
                "Calculate %.1f ms, Clear %.1f ms, 3 s idle %.1f ms of processor time\n",
                characters, median(paste), median(key), median(calc), median(wipe), median(idle));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %ld MB, the pasted text itself included\n", usage.ru_maxrss / 1024);
    return 0;
}
