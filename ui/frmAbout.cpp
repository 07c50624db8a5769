// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmAbout.h"

#include "ui/clientarea.h"
#include "ui/controls.h"
#include "ui/twips.h"

namespace durnoval {
namespace {

constexpr QSize kClientSize = twipsSize(4800, 4335);
constexpr FontSpec kWindowFont{kSansSerifFace, 12, false};
constexpr FontSpec kTitleFont{kComicFace, 14.25, true};
constexpr FontSpec kAddressFont{kSansSerifFace, 9.75, false};

constexpr const char *kCredit = "Durnoval, by the Durnoval developers";

} // namespace

using namespace design;

// clang-format off
const ControlSpec<frmAbout> frmAbout::kControls[] = {
//   name       kind text                                   L     T     W     H     font          align   frame   visible tab    tooltip  accessible name                                              kept in             on click
    {"Image1",  P, ":/pictures/wheel.jpg",                  120,  120, 1905, 1680, Window,       Left,   Flat,   Shown,  NoTab, nullptr, "Picture of a road wheel with its tyre, seen from the side", Unkept,             NoClick},
    {"Label1",  L, "Durnoval Calculator",                  2400,  480, 1815,  855, kTitleFont,   Centre, Framed, Shown,  1,     nullptr, nullptr,                                                     Unkept,             NoClick},
    {"lblName", L, "Created by the Durnoval developers.",   960, 2040, 2895,  735, Window,       Centre, Flat,   Shown,  0,     nullptr, nullptr,                                                     Unkept,             NoClick},
    {"Label2",  L, "durnoval@example.org",                  600, 3120, 3615,  375, kAddressFont, Centre, Framed, Shown,  2,     nullptr, "Contact address: durnoval@example.org",                     Unkept,             NoClick},
    {"cmdEnd",  B, "Now back to Durnoval",                 1080, 3720, 2775,  420, Window,       Left,   Flat,   Shown,  3,     nullptr, nullptr,                                                     &frmAbout::cmdEnd,  &frmAbout::cmdEnd_Click},
};
// clang-format on

frmAbout::frmAbout() {
    setObjectName("frmAbout");
    setWindowTitle(kCredit);
    // A fixed single border: title bar and close control, nothing to minimize or maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(designFont(kWindowFont));
    setFixedSize(kClientSize);
    createControls();
}

void frmAbout::createControls() {
    auto *area = new ClientArea(this);
    area->setObjectName("clientArea");
    area->setGeometry(rect());
    durnoval::createControls<frmAbout>(*this, area, kControls);
    connect(area, &ClientArea::backgroundDoubleClicked, this, &frmAbout::Form_DblClick);
}

// Put away as a dialog is, so that whoever shows it learns that it went (finished).
void frmAbout::cmdEnd_Click() {
    accept();
}

void frmAbout::Form_DblClick() {
    accept();
}

void frmAbout::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    cmdEnd->setFocus(Qt::OtherFocusReason);
}

} // namespace durnoval
