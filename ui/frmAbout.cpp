// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmAbout.h"

#include "ui/clientarea.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QPushButton>

namespace durnoval {
namespace {

constexpr QSize kClientSize = twipsSize(4800, 4335);
constexpr FontSpec kWindowFont{kSansSerifFace, 12, false};
constexpr FontSpec kTitleFont{kComicFace, 14.25, true};
constexpr FontSpec kAddressFont{kSansSerifFace, 9.75, false};

constexpr const char *kCredit = "Durnoval, by the Durnoval developers";

// clang-format off
constexpr ControlSpec kControls[] = {
//   name       kind                  text                                  L     T     W     H     font          align             frame  visible tab tooltip  accessible name
    {"Image1",  ControlKind::Picture, ":/pictures/wheel.jpg",               120,  120, 1905, 1680, std::nullopt, Qt::AlignLeft,    false, true,  {},     nullptr, "Picture of a road wheel with its tyre, seen from the side"},
    {"Label1",  ControlKind::Label,   "Durnoval Calculator",               2400,  480, 1815,  855, kTitleFont,   Qt::AlignHCenter, true,  true,  1,      nullptr, nullptr},
    {"lblName", ControlKind::Label,   "Created by the Durnoval developers.", 960, 2040, 2895,  735, std::nullopt, Qt::AlignHCenter, false, true,  0,      nullptr, nullptr},
    {"Label2",  ControlKind::Label,   "durnoval@example.org",               600, 3120, 3615,  375, kAddressFont, Qt::AlignHCenter, true,  true,  2,      nullptr, "Contact address: durnoval@example.org"},
    {"cmdEnd",  ControlKind::Button,  "Now back to Durnoval",              1080, 3720, 2775,  420, std::nullopt, Qt::AlignLeft,    false, true,  3,      nullptr, nullptr},
};
// clang-format on

} // namespace

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
    durnoval::createControls(area, kControls);
    connect(area, &ClientArea::backgroundDoubleClicked, this, &frmAbout::Form_DblClick);
    connect(area->findChild<QPushButton *>("cmdEnd"), &QPushButton::clicked, this,
            &frmAbout::cmdEnd_Click);
}

void frmAbout::cmdEnd_Click() {
    hide();
}

void frmAbout::Form_DblClick() {
    hide();
}

void frmAbout::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    findChild<QPushButton *>("cmdEnd")->setFocus(Qt::OtherFocusReason);
}

} // namespace durnoval
