// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmAbout.h"

#include "ui/clientarea.h"
#include "ui/controls.h"
#include "ui/twips.h"

namespace durnoval {
namespace {

constexpr QSize kClientSize = twipsSize(4800, 4335);
constexpr FontSpec kAboutFont{kSansSerifFace, 12, false};
constexpr FontSpec kTitleFont{kComicFace, 14.25, true};
constexpr FontSpec kAddressFont{kSansSerifFace, 9.75, false};

constexpr const char *kCredit = "Durnoval, by the Durnoval developers";

} // namespace

frmAbout::frmAbout() {
    setObjectName("frmAbout");
    setWindowTitle(kCredit);
    // A fixed single border: title bar and close control, nothing to minimize or maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(designFont(kAboutFont));
    setFixedSize(kClientSize);

    auto *area = new ClientArea(this);
    area->setObjectName("clientArea");
    area->setGeometry(rect());
    createControls(area);
    // Its button and a double-click on its background put it away as a dialog is put away, so
    // that whoever shows it learns that it went (finished).
    connect(area, &ClientArea::backgroundDoubleClicked, this, &frmAbout::accept);
}

void frmAbout::createControls(QWidget *area) {
    QLabel *Image1 = createPicture(area, "Image1", ":/pictures/wheel.jpg", {120, 120, 1905, 1680});
    Image1->setAccessibleName("Picture of a road wheel with its tyre, seen from the side");
    createFramedLabel(area, "Label1", "Durnoval Calculator", {2400, 480, 1815, 855}, kTitleFont,
                      Qt::AlignHCenter);
    createLabel(area, "lblName", "Created by the Durnoval developers.", {960, 2040, 2895, 735},
                kWindowFont, Qt::AlignHCenter);
    QLabel *Label2 = createFramedLabel(area, "Label2", "durnoval@example.org",
                                       {600, 3120, 3615, 375}, kAddressFont, Qt::AlignHCenter);
    Label2->setAccessibleName("Contact address: durnoval@example.org");
    cmdEnd = createButton<QDialog>(area, "cmdEnd", "Now back to Durnoval", {1080, 3720, 2775, 420},
                                   kWindowFont, this, &frmAbout::accept);
}

void frmAbout::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    cmdEnd->setFocus(Qt::OtherFocusReason);
}

} // namespace durnoval
