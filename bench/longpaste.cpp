// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times what a pasted text of a million characters costs in the main window: the paste
// itself, Calculate on it (the error is reported and dismissed) and Clear.
// Usage: QT_QPA_PLATFORM=offscreen long_paste_benchmark

#include "ui/forms.h"
#include "ui/frmDurnoval.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename Step> double milliseconds(Step step) {
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
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
    QGuiApplication::clipboard()->setText(QString(1'000'000, u'7'));

    std::vector<double> paste, calc, wipe;
    for (int run = 0; run < 7; ++run) {
        field->setFocus();
        paste.push_back(milliseconds([field] { field->paste(); }));
        calc.push_back(milliseconds([calculate] { calculate->click(); }));
        if (auto *box = window.findChild<QMessageBox *>("calcErrorBox"))
            box->button(QMessageBox::Ok)->click();
        QCoreApplication::processEvents();
        wipe.push_back(milliseconds([clear] { clear->click(); }));
    }
    std::printf("1,000,000 pasted characters, median of 7: paste %.1f ms, Calculate %.1f ms, "
                "Clear %.1f ms\n",
                median(paste), median(calc), median(wipe));
    return 0;
}
