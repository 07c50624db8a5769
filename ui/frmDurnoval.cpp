// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmDurnoval.h"

#include "ui/clientarea.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/keyfilter.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <limits>

namespace durnoval {
namespace {

constexpr const char *kTitle = "Durnoval Calculator";
constexpr QSize kClientSize = twipsSize(7230, 5940);

constexpr FontSpec kBold8{kSansSerifFace, 8.25, true};
constexpr FontSpec kRegular10{kSansSerifFace, 9.75, false};
constexpr FontSpec kBold10{kSansSerifFace, 9.75, true};
constexpr FontSpec kBold12{kSansSerifFace, 12, true};

} // namespace

using namespace design;

// Fields and result labels get their accessible names from the comparison's slots.
// clang-format off
const ControlSpec<frmDurnoval> frmDurnoval::kControls[] = {
//   name          kind text                                                  L     T     W     H     font        align   frame   visible tab tooltip  accessible name  kept in                    on click
    {"lblTitle1",  L, "Enter the size of the tires: ",                       2040,    0, 3255, 375, kBold12,    Left,   Flat,   Shown,  12, nullptr, nullptr, Unkept,                    NoClick},
    {"lblExample", L, "i.e. 225/45 16;   width =225, wall = 45, rim = 16",   1680,  480, 3975, 375, kRegular10, Centre, Flat,   Shown,  13, nullptr, nullptr, Unkept,                    NoClick},
    {"lblOriginal",L, "Enter size of original tire:",                         360, 1200, 2775, 375, kBold10,    Left,   Flat,   Shown,  16, nullptr, nullptr, Unkept,                    NoClick},
    {"lblNew",     L, "Enter size of new tire:",                             3600, 1200, 2655, 375, kBold10,    Left,   Flat,   Shown,  21, nullptr, nullptr, Unkept,                    NoClick},
    {"lblWidth",   L, "Enter the width of the tire:",                         360, 1800, 1335, 375, kBold8,     Right,  Flat,   Shown,   9, nullptr, nullptr, Unkept,                    NoClick},
    {"txtWidth",   T, "",                                                    2040, 1800, 1095, 375, Window,     Left,   Flat,   Shown,   0, "Width", nullptr, &frmDurnoval::txtWidth,    NoClick},
    {"lblWidth2",  L, "Enter the width of the tire:",                        3600, 1800, 1335, 375, kBold8,     Right,  Flat,   Shown,  17, nullptr, nullptr, Unkept,                    NoClick},
    {"txtWidth2",  T, "",                                                    5400, 1800, 1095, 375, Window,     Left,   Flat,   Shown,   3, nullptr, nullptr, &frmDurnoval::txtWidth2,   NoClick},
    {"lblWall",    L, "Enter the wall size of the tire:",                     360, 2400, 1335, 375, kBold8,     Right,  Flat,   Shown,  10, nullptr, nullptr, Unkept,                    NoClick},
    {"txtWall",    T, "",                                                    2040, 2400, 1095, 375, Window,     Left,   Flat,   Shown,   1, "Wall",  nullptr, &frmDurnoval::txtWall,     NoClick},
    {"lblWall2",   L, "Enter the wall size of the tire:",                    3600, 2400, 1335, 375, kBold8,     Right,  Flat,   Shown,  18, nullptr, nullptr, Unkept,                    NoClick},
    {"txtWall2",   T, "",                                                    5400, 2400, 1095, 375, Window,     Left,   Flat,   Shown,   4, nullptr, nullptr, &frmDurnoval::txtWall2,    NoClick},
    {"lblRim",     L, "Enter the rim size:",                                  360, 3000, 1335, 375, kBold8,     Right,  Flat,   Shown,  11, nullptr, nullptr, Unkept,                    NoClick},
    {"txtRim",     T, "",                                                    2040, 3000, 1095, 375, Window,     Left,   Flat,   Shown,   2, "Rim",   nullptr, &frmDurnoval::txtRim,      NoClick},
    {"lblRim2",    L, "Enter the rim size:",                                 3600, 3000, 1455, 375, kBold8,     Right,  Flat,   Shown,  19, nullptr, nullptr, Unkept,                    NoClick},
    {"txtRim2",    T, "",                                                    5400, 3000, 1095, 375, Window,     Left,   Flat,   Shown,   5, nullptr, nullptr, &frmDurnoval::txtRim2,     NoClick},
    {"lblTitle2",  L, "Overall size of tire:",                                360, 3720, 1335, 495, kBold8,     Right,  Flat,   Shown,  15, nullptr, nullptr, Unkept,                    NoClick},
    {"lblOutput",  L, "",                                                    2040, 3720, 1155, 360, kBold12,    Left,   Framed, Hidden, 14, "Diameter of your original tire ", nullptr, &frmDurnoval::lblOutput, NoClick},
    {"Label5",     L, "Overall size of new tire:",                           3600, 3720, 1455, 495, kBold8,     Right,  Flat,   Shown,  20, nullptr, nullptr, Unkept,                    NoClick},
    {"lblOutput2", L, "",                                                    5400, 3720, 1125, 360, kBold12,    Left,   Framed, Hidden, 22, "Diameter of your new tire", nullptr, &frmDurnoval::lblOutput2, NoClick},
    {"lblDiff",    L, "Difference:",                                          360, 4560, 1335, 255, kBold8,     Right,  Flat,   Shown,  24, nullptr, nullptr, Unkept,                    NoClick},
    {"lblPercent", L, "",                                                    2040, 4560, 1155, 360, kBold12,    Left,   Framed, Hidden, 23, "This is the percentage of difference between your original tire and your new tire!!", nullptr, &frmDurnoval::lblPercent, NoClick},
    {"lblSpeed",   L, "Actual  Speed at 60 mph:",                            3600, 4560, 1455, 495, kBold8,     Right,  Flat,   Shown,  25, nullptr, nullptr, Unkept,                    NoClick},
    {"lblMph",     L, "",                                                    5400, 4560, 1095, 360, kBold12,    Left,   Framed, Hidden, 26, "This shows your real speed when your speedo says 60mph!!", nullptr, &frmDurnoval::lblMph, NoClick},
    {"cmdCalc",    B, "Calculate",                                           1560, 5160, 1095, 495, Window,     Left,   Flat,   Shown,   6, nullptr, nullptr, &frmDurnoval::cmdCalc,     &frmDurnoval::cmdCalc_Click},
    {"cmdClear",   B, "Clear",                                               3120, 5160, 1215, 495, Window,     Left,   Flat,   Shown,   7, nullptr, nullptr, Unkept,                    &frmDurnoval::cmdClear_Click},
    {"cmdExit",    B, "Exit",                                                4800, 5160, 1095, 495, Window,     Left,   Flat,   Shown,   8, nullptr, nullptr, Unkept,                    &frmDurnoval::cmdExit_Click},
};
// clang-format on

namespace {

struct MenuItemSpec {
    const char *menu;
    const char *name;
    const char *caption;
    QKeyCombination shortcut;
    void (frmDurnoval::*handler)();
};

struct MenuSpec {
    const char *name;
    const char *caption;
};

constexpr MenuSpec kMenus[] = {{"File", "File"}, {"Help", "Help"}};

// The menu bar's height as the window's layout gives it, which under some styles is not that
// of its size hint.
int menuBarHeight(const QMenuBar &bar, int width) {
    const int forWidth = bar.heightForWidth(width);
    return std::max(forWidth >= 0 ? forWidth : bar.sizeHint().height(),
                    bar.minimumSizeHint().height());
}

QString capitalised(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!result.isEmpty())
        result[0] = result[0].toUpper();
    return result;
}

} // namespace

frmDurnoval::frmDurnoval(Forms &forms) : m_forms(forms) {
    setObjectName("frmDurnoval");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QIcon icon;
    icon.addFile(":/icons/smiley-32.xpm");
    icon.addFile(":/icons/smiley-16.xpm");
    setWindowIcon(icon);
    setFont(designFont(kDefaultWindowFont));

    createClientArea();
    createMenus();
    bindState();
    resize(kClientSize.width(),
           kClientSize.height() + menuBarHeight(*menuBar(), kClientSize.width()));
}

void frmDurnoval::createClientArea() {
    auto *area = new ClientArea(this);
    area->setObjectName("clientArea");
    createControls<frmDurnoval>(*this, area, kControls);
    setCentralWidget(area);
    connect(area, &ClientArea::backgroundDoubleClicked, this, &frmDurnoval::Form_DblClick);
    cmdCalc->setDefault(true);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *focused) { keepCalculateDefault(focused); });
}

frmDurnoval::~frmDurnoval() {
    // The focus moves while the controls are destroyed, when this is no window any more.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void frmDurnoval::keepCalculateDefault(QWidget *focused) {
    // As in a dialog: a button is the default while it has the focus, and Calculate whenever
    // no other button of this window has it.
    const auto *button = qobject_cast<QPushButton *>(focused);
    cmdCalc->setDefault(!button || button == cmdCalc || !isAncestorOf(button));
}

void frmDurnoval::createMenus() {
    static const MenuItemSpec items[] = {
        {"File", "Clear", "Clear", Qt::SHIFT | Qt::Key_Delete, &frmDurnoval::Clear_Click},
        {"File", "Calc", "Calculate", Qt::CTRL | Qt::Key_C, &frmDurnoval::Calc_Click},
        {"File", "End", "&End", Qt::CTRL | Qt::Key_E, &frmDurnoval::End_Click},
        {"Help", "About", "&About", Qt::CTRL | Qt::Key_X, &frmDurnoval::About_Click},
    };
    // Inside the window, never a desktop-wide menu bar: the client area sits right below it.
    menuBar()->setNativeMenuBar(false);
    for (const MenuSpec &menuDesign : kMenus) {
        QMenu *menu = menuBar()->addMenu(menuDesign.caption);
        menu->setObjectName(menuDesign.name);
        for (const MenuItemSpec &item : items) {
            if (std::string_view(item.menu) != menuDesign.name)
                continue;
            QAction *action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            action->setShortcut(item.shortcut);
            connect(action, &QAction::triggered, this, item.handler);
            m_menuActions.push_back(action);
        }
    }
    // F10 opens the File menu, as on most desktops.
    auto *openFileMenu = new QAction(this);
    openFileMenu->setShortcut(Qt::Key_F10);
    addAction(openFileMenu);
    QMenuBar *bar = menuBar();
    QAction *fileMenu = bar->actions().constFirst();
    connect(openFileMenu, &QAction::triggered, bar,
            [bar, fileMenu] { bar->setActiveAction(fileMenu); });
}

void frmDurnoval::bindState() {
    m_entries = {txtWidth, txtWall, txtRim, txtWidth2, txtWall2, txtRim2};
    m_outputs = {lblOutput, lblOutput2, lblPercent, lblMph};
    for (std::size_t i = 0; i < kEntrySlots.size(); ++i) {
        const EntrySlot &slot = kEntrySlots[i];
        QLineEdit *field = m_entries[i];
        field->setAccessibleName(capitalised(slot.description));
        field->setMaxLength(std::numeric_limits<int>::max()); // not cut at Qt's 32767
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this,
                [this, &slot](const QString &text) { m_state.*slot.text = text.toStdString(); });
    }
    showState();
}

void frmDurnoval::cmdCalc_Click() {
    const CalcOutcome outcome = CalculateComparison(m_state);
    showState();
    if (!outcome)
        reportFailure(outcome.error());
}

void frmDurnoval::Calc_Click() {
    cmdCalc_Click();
}

void frmDurnoval::cmdClear_Click() {
    ClearComparison(m_state);
    showState();
}

void frmDurnoval::Clear_Click() {
    cmdClear_Click();
}

void frmDurnoval::cmdExit_Click() {
    hide();
    m_forms.showEndDurnoval();
}

void frmDurnoval::End_Click() {
    cmdExit_Click();
}

void frmDurnoval::About_Click() {
    m_forms.showAbout();
}

void frmDurnoval::Form_DblClick() {
    m_forms.showAbout();
}

void frmDurnoval::txtWidth_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}
void frmDurnoval::txtWall_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}
void frmDurnoval::txtRim_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}
void frmDurnoval::txtWidth2_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}
void frmDurnoval::txtWall2_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}
void frmDurnoval::txtRim2_KeyPress(int &KeyAscii) {
    KeyAscii = filterEntryKey(KeyAscii);
}

void frmDurnoval::showState() {
    for (std::size_t i = 0; i < kEntrySlots.size(); ++i) {
        const QString text = QString::fromStdString(m_state.*kEntrySlots[i].text);
        if (m_entries[i]->text() != text)
            m_entries[i]->setText(text);
    }
    for (std::size_t i = 0; i < kOutputSlots.size(); ++i) {
        const ResultText &result = m_state.*kOutputSlots[i].result;
        const QString text = QString::fromStdString(result.text);
        m_outputs[i]->setText(text);
        m_outputs[i]->setVisible(result.visible);
        // A named label's text never reaches a screen reader, so its name carries the value.
        const QString what = capitalised(kOutputSlots[i].description);
        m_outputs[i]->setAccessibleName(text.isEmpty() ? what : what + ": " + text);
    }
}

void frmDurnoval::reportFailure(const CalcFailure &failure) {
    auto *box =
        new QMessageBox(QMessageBox::Warning, kTitle,
                        QString::fromStdString(DescribeFailure(failure)), QMessageBox::Ok, this);
    box->setObjectName("calcErrorBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Once the message is read, the offending entry is ready to be corrected.
    if (const auto *entry = std::get_if<Entry>(&failure.where)) {
        QLineEdit *field = m_entries[static_cast<std::size_t>(*entry)];
        connect(box, &QMessageBox::finished, field, [this, field] {
            activateWindow(); // without a window manager, nothing else would
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        });
    }
    box->open();
}

bool frmDurnoval::isMenuShortcut(const QKeyEvent &event) const {
    const QKeySequence pressed(event.keyCombination());
    return std::any_of(m_menuActions.begin(), m_menuActions.end(),
                       [&pressed](const QAction *action) { return action->shortcut() == pressed; });
}

bool frmDurnoval::filterEntryEvent(std::size_t entry, QEvent *event) {
    static constexpr void (frmDurnoval::*keyPressHandlers[])(int &) = {
        &frmDurnoval::txtWidth_KeyPress, &frmDurnoval::txtWall_KeyPress,
        &frmDurnoval::txtRim_KeyPress,   &frmDurnoval::txtWidth2_KeyPress,
        &frmDurnoval::txtWall2_KeyPress, &frmDurnoval::txtRim2_KeyPress,
    };
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
    if (event->type() == QEvent::ShortcutOverride && isMenuShortcut(keyEvent)) {
        // The field would claim Ctrl+C, Ctrl+X, Ctrl+E and Shift+Del for editing; the menu
        // shortcuts come first.
        event->ignore();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const std::optional<int> code = typedCharacterCode(keyEvent);
    if (!code)
        return false;
    int keyAscii = *code;
    (this->*keyPressHandlers[entry])(keyAscii);
    return keyAscii == 0;
}

bool frmDurnoval::eventFilter(QObject *watched, QEvent *event) {
    const auto entry = std::find(m_entries.begin(), m_entries.end(), watched);
    if (entry != m_entries.end())
        return filterEntryEvent(static_cast<std::size_t>(entry - m_entries.begin()), event);
    return QMainWindow::eventFilter(watched, event);
}

void frmDurnoval::keyPressEvent(QKeyEvent *event) {
    // Enter presses the default button wherever the focus is, unless a button takes it itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cmdCalc->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmDurnoval::hideEvent(QHideEvent *event) {
    // Hidden from a menu item, the window moves its focus on; it comes back where the user left it.
    if (!event->spontaneous())
        m_focusWhenHidden = focusWidget();
    QMainWindow::hideEvent(event);
}

void frmDurnoval::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (m_focusWhenHidden)
        m_focusWhenHidden->setFocus(Qt::OtherFocusReason);
}

void frmDurnoval::closeEvent(QCloseEvent *event) {
    // Every way out goes through the confirmation.
    event->ignore();
    cmdExit_Click();
}

} // namespace durnoval
