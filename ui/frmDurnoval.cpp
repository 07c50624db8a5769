// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmDurnoval.h"

#include "ui/clientarea.h"
#include "ui/controls.h"
#include "ui/icons.h"
#include "ui/twips.h"
#include "ui/wording.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace durnoval {
namespace {

constexpr const char *kTitle = "Durnoval Calculator";
constexpr QSize kClientSize = twipsSize(7230, 5940);

constexpr FontSpec kBold8{kSansSerifFace, 8.25, true};
constexpr FontSpec kRegular10{kSansSerifFace, 9.75, false};
constexpr FontSpec kBold10{kSansSerifFace, 9.75, true};
constexpr FontSpec kBold12{kSansSerifFace, 12, true};

// The controls as designed, places in twips. Each prompt ends next to the field it asks for.
struct LabelSpec {
    const char *name;
    const char *text;
    Geometry geometry;
    FontSpec font;
    Qt::Alignment alignment;
};
template <typename Slot> struct SlotSpec {
    Slot slot;
    const char *name;
    Geometry geometry;
    const char *toolTip;
};

// clang-format off
constexpr LabelSpec kLabels[] = {
    {"lblTitle1", "Enter the size of the tires: ", {2040, 0, 3255, 375}, kBold12, Qt::AlignLeft},
    {"lblExample", "i.e. 225/45 16;   width =225, wall = 45, rim = 16", {1680, 480, 3975, 375}, kRegular10, Qt::AlignHCenter},
    {"lblOriginal", "Enter size of original tire:", {360, 1200, 2775, 375}, kBold10, Qt::AlignLeft},
    {"lblNew", "Enter size of new tire:", {3600, 1200, 2655, 375}, kBold10, Qt::AlignLeft},
    {"lblWidth", "Enter the width of the tire:", {360, 1800, 1335, 375}, kBold8, Qt::AlignRight},
    {"lblWidth2", "Enter the width of the tire:", {3600, 1800, 1335, 375}, kBold8, Qt::AlignRight},
    {"lblWall", "Enter the wall size of the tire:", {360, 2400, 1335, 375}, kBold8, Qt::AlignRight},
    {"lblWall2", "Enter the wall size of the tire:", {3600, 2400, 1335, 375}, kBold8, Qt::AlignRight},
    {"lblRim", "Enter the rim size:", {360, 3000, 1335, 375}, kBold8, Qt::AlignRight},
    {"lblRim2", "Enter the rim size:", {3600, 3000, 1455, 375}, kBold8, Qt::AlignRight},
    {"lblTitle2", "Overall size of tire:", {360, 3720, 1335, 495}, kBold8, Qt::AlignRight},
    {"Label5", "Overall size of new tire:", {3600, 3720, 1455, 495}, kBold8, Qt::AlignRight},
    {"lblDiff", "Difference:", {360, 4560, 1335, 255}, kBold8, Qt::AlignRight},
    {"lblSpeed", "Actual  Speed at 60 mph:", {3600, 4560, 1455, 495}, kBold8, Qt::AlignRight},
};
constexpr SlotSpec<Entry> kFields[] = {
    {Entry::OriginalWidth, "txtWidth", {2040, 1800, 1095, 375}, "Width"},
    {Entry::OriginalWall, "txtWall", {2040, 2400, 1095, 375}, "Wall"},
    {Entry::OriginalRim, "txtRim", {2040, 3000, 1095, 375}, "Rim"},
    {Entry::NewWidth, "txtWidth2", {5400, 1800, 1095, 375}, nullptr},
    {Entry::NewWall, "txtWall2", {5400, 2400, 1095, 375}, nullptr},
    {Entry::NewRim, "txtRim2", {5400, 3000, 1095, 375}, nullptr},
};
constexpr SlotSpec<Output> kResults[] = {
    {Output::OriginalDiameter, "lblOutput", {2040, 3720, 1155, 360}, "Diameter of your original tire "},
    {Output::NewDiameter, "lblOutput2", {5400, 3720, 1125, 360}, "Diameter of your new tire"},
    {Output::Ratio, "lblPercent", {2040, 4560, 1155, 360},
     "This is the percentage of difference between your original tire and your new tire!!"},
    {Output::TrueSpeed, "lblMph", {5400, 4560, 1095, 360}, "This shows your real speed when your speedo says 60mph!!"},
};
// clang-format on

} // namespace

frmDurnoval::frmDurnoval() {
    setObjectName("frmDurnoval");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(smileyIcon());
    setFont(designFont(kDefaultWindowFont));

    auto *area = new ClientArea(this);
    area->setObjectName("clientArea");
    createControls(area);
    setCentralWidget(area);
    createMenus();
    // A double-click on the background asks for the about window, as the About item does.
    connect(area, &ClientArea::backgroundDoubleClicked, this, &frmDurnoval::aboutRequested);
    keepDefaultWithFocus(*this, *cmdCalc);
    showState();
    resizeBelowMenuBar(*this, kClientSize);
}

void frmDurnoval::createControls(QWidget *area) {
    for (const auto &[name, text, geometry, font, alignment] : kLabels)
        createLabel(area, name, text, geometry, font, alignment);
    // Each field with the entry of the state it shows, named for it.
    for (const auto &[entry, name, geometry, toolTip] : kFields) {
        QLineEdit *field = createTextBox(area, name, geometry);
        field->setToolTip(toolTip);
        field->setAccessibleName(QString::fromStdString(capitalised(describe(entry))));
        m_entries[indexOf(entry)] = field;
    }
    // showState gives each result its text, its visibility and its accessible name.
    for (const auto &[output, name, geometry, toolTip] : kResults) {
        QLabel *label = createFramedLabel(area, name, "", geometry, kBold12, Qt::AlignLeft);
        label->setToolTip(toolTip);
        m_outputs[indexOf(output)] = label;
    }
    createButtons(area);
    // Down the original tyre's fields, then the new tyre's, then along the buttons.
    chainFocus({field(Entry::OriginalWidth), field(Entry::OriginalWall), field(Entry::OriginalRim),
                field(Entry::NewWidth), field(Entry::NewWall), field(Entry::NewRim), cmdCalc,
                cmdClear, cmdExit});
}

void frmDurnoval::createButtons(QWidget *area) {
    cmdCalc = createButton(area, "cmdCalc", "Calculate", {1560, 5160, 1095, 495}, kWindowFont, this,
                           &frmDurnoval::cmdCalc_Click);
    cmdCalc->setDefault(true);
    cmdClear = createButton(area, "cmdClear", "Clear", {3120, 5160, 1215, 495}, kWindowFont, this,
                            &frmDurnoval::cmdClear_Click);
    cmdExit = createButton(area, "cmdExit", "Exit", {4800, 5160, 1095, 495}, kWindowFont, this,
                           &frmDurnoval::cmdExit_Click);
}

void frmDurnoval::createMenus() {
    // Inside the window, never a desktop-wide menu bar: the client area sits right below it.
    menuBar()->setNativeMenuBar(false);
    QMenu *File = menuBar()->addMenu("File");
    File->setObjectName("File");
    // Each item runs the same handler as the button of its command.
    addMenuItem(File, "Clear", "Clear", Qt::SHIFT | Qt::Key_Delete, &frmDurnoval::cmdClear_Click);
    addMenuItem(File, "Calc", "Calculate", Qt::CTRL | Qt::Key_C, &frmDurnoval::cmdCalc_Click);
    addMenuItem(File, "End", "&End", Qt::CTRL | Qt::Key_E, &frmDurnoval::cmdExit_Click);
    QMenu *Help = menuBar()->addMenu("Help");
    Help->setObjectName("Help");
    addMenuItem(Help, "About", "&About", Qt::CTRL | Qt::Key_X, &frmDurnoval::aboutRequested);

    // F10 opens the File menu, as on most desktops.
    auto *openFileMenu = new QAction(this);
    openFileMenu->setShortcut(Qt::Key_F10);
    addAction(openFileMenu);
    QMenuBar *bar = menuBar();
    QAction *fileMenu = File->menuAction();
    connect(openFileMenu, &QAction::triggered, bar,
            [bar, fileMenu] { bar->setActiveAction(fileMenu); });
}

void frmDurnoval::addMenuItem(QMenu *menu, const char *name, const char *caption,
                              QKeyCombination shortcut, void (frmDurnoval::*handler)()) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
}

void frmDurnoval::cmdCalc_Click() {
    const ComparisonState before = readEntries();
    const std::optional<CalcFailure> failure = CalculateComparison(m_state);
    showState(&before);
    if (failure)
        reportFailure(*failure);
}

void frmDurnoval::cmdClear_Click() {
    const ComparisonState before = readEntries();
    ClearComparison(m_state);
    showState(&before);
}

void frmDurnoval::cmdExit_Click() {
    hide();
    emit exitRequested();
}

QLineEdit *frmDurnoval::field(Entry entry) const {
    return m_entries[indexOf(entry)];
}

QLabel *frmDurnoval::result(Output output) const {
    return m_outputs[indexOf(output)];
}

// The fields hold what the user types; the state takes it only when Calculate needs it.
ComparisonState frmDurnoval::readEntries() {
    for (const EntryInfo &info : kEntries)
        m_state[info.entry] = field(info.entry)->text().toStdString();
    return m_state;
}

// Shows what a command wrote: defaults in the fields, and the results; and, where the command
// changed the window from BEFORE, says what changed to a screen reader.
void frmDurnoval::showState(const ComparisonState *before) {
    std::optional<Entry> echoed; // the focused field reads out its own new text
    for (const EntryInfo &info : kEntries) {
        const QString text = QString::fromStdString(m_state[info.entry]);
        if (field(info.entry)->text() != text)
            field(info.entry)->setText(text);
        if (field(info.entry)->hasFocus())
            echoed = info.entry;
    }
    for (const Output output : kOutputs) {
        const ResultText &shown = m_state[output];
        const QString text = QString::fromStdString(shown.value_or(""));
        QLabel *label = result(output);
        label->setText(text);
        label->setVisible(shown.has_value());
        // A named label's text never reaches a screen reader, so its name carries the value.
        const QString what = QString::fromStdString(capitalised(describe(output)));
        label->setAccessibleName(text.isEmpty() ? what : what + ": " + text);
    }
    if (before)
        announce(*this, QString::fromStdString(announcement(*before, m_state, echoed)));
}

void frmDurnoval::reportFailure(const CalcFailure &failure) {
    auto *box =
        new QMessageBox(QMessageBox::Warning, kTitle,
                        QString::fromStdString(failureMessage(failure)), QMessageBox::Ok, this);
    box->setObjectName("calcErrorBox");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) // their screen readers read an alert by its description
    box->setAccessibleDescription(box->text());
#endif
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Once the message is read, the keyboard is back, on the offending entry, ready to be
    // corrected, where there is one; without a window manager, nothing else would bring it.
    const auto *entry = std::get_if<Entry>(&failure.where);
    connect(box, &QMessageBox::finished, this, [this, offending = entry ? field(*entry) : nullptr] {
        activateWindow();
        if (offending) {
            offending->setFocus(Qt::OtherFocusReason);
            offending->selectAll();
        }
    });
    box->open();
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
    // Hidden from a menu item for the confirmation, the window moves its focus on; it comes back
    // where the user left it. Minimized, it keeps its focus itself.
    if (!event->spontaneous())
        m_focusWhenHidden = focusWidget();
    QMainWindow::hideEvent(event);
}

void frmDurnoval::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Once: a later restore must not take the user back to where the exit cycle began.
    if (!event->spontaneous() && m_focusWhenHidden)
        std::exchange(m_focusWhenHidden, nullptr)->setFocus(Qt::OtherFocusReason);
}

void frmDurnoval::closeEvent(QCloseEvent *event) {
    // Every way out goes through the confirmation.
    event->ignore();
    cmdExit_Click();
}

} // namespace durnoval
