// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows driven as a user drives them, headless: keys and clicks go through Qt's
// own event and shortcut handling, and the test reads back what the windows show.

#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace durnoval;

namespace {

const char *const kFields[] = {"txtWidth", "txtWall", "txtRim", "txtWidth2", "txtWall2", "txtRim2"};
const char *const kResults[] = {"lblOutput", "lblOutput2", "lblPercent", "lblMph"};

template <typename Widget = QWidget> Widget *control(QWidget &window, const char *name) {
    return window.findChild<Widget *>(QString::fromLatin1(name));
}

void click(QWidget &window, const char *button) {
    QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
}

// A double-click where the user aims in a window: on whatever control lies there.
void doubleClick(QWidget &window, QPoint where) {
    QWidget *hit = window.childAt(where) ? window.childAt(where) : &window;
    QTest::mouseDClick(hit, Qt::LeftButton, {}, hit->mapFrom(&window, where));
}

QPoint centreOf(QWidget &window, const char *name) {
    QWidget *placed = control(window, name);
    return placed->mapTo(&window, placed->rect().center());
}

// The windows on the screen, by name, main window first.
QString windowsShown() {
    QStringList shown;
    for (const QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            shown << window->objectName();
    std::sort(shown.begin(), shown.end(), std::greater<>());
    return shown.join(' ');
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    int m_endRequests = 0;
    std::unique_ptr<Forms> m_forms;
    frmDurnoval *m_main = nullptr;

    QLineEdit *field(const char *name) { return control<QLineEdit>(*m_main, name); }
    void type(const char *name, const QString &text) {
        field(name)->setFocus();
        QTest::keyClicks(field(name), text);
    }
    // The fields ('_' when empty), then the results on the screen ('-' when hidden).
    QString shown() {
        QStringList seen;
        for (const char *name : kFields)
            seen << (field(name)->text().isEmpty() ? "_" : field(name)->text());
        seen << "|";
        for (const char *name : kResults) {
            const QLabel *result = control<QLabel>(*m_main, name);
            seen << (result->isVisible() ? result->text() : "-");
        }
        return seen.join(' ');
    }
    frmEndDurnoval &confirmation() { return m_forms->endDurnoval(); }
    // F10 opens the File menu wherever the focus is; the keys then choose in it.
    void inFileMenu(std::initializer_list<Qt::Key> keys) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        QTRY_VERIFY(QApplication::activePopupWidget());
        for (const Qt::Key key : keys)
            QTest::keyClick(QApplication::activePopupWidget(), key);
    }

private slots:
    void init() {
        m_endRequests = 0;
        m_forms = std::make_unique<Forms>([this] { ++m_endRequests; });
        m_forms->showDurnoval();
        m_main = &m_forms->durnoval();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }
    void cleanup() { m_forms.reset(); }

    // Tab goes down the original tyre's fields, then the new tyre's, then along the buttons, and
    // Shift+Tab back; as in a dialog, a focused button is the default, and Calculate whenever no
    // button has the focus.
    void tabsThroughFieldsThenButtonsWithTheirDefault() {
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            const auto buttons = m_main->findChildren<QPushButton *>();
            const auto isDefault = std::ranges::find_if(buttons, &QPushButton::isDefault);
            visited << QApplication::focusWidget()->objectName() + ':' +
                           (isDefault == buttons.end() ? "none" : (*isDefault)->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            i == 8 ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QCOMPARE(visited.join(' '), "txtWidth:cmdCalc txtWall:cmdCalc txtRim:cmdCalc "
                                    "txtWidth2:cmdCalc txtWall2:cmdCalc txtRim2:cmdCalc "
                                    "cmdCalc:cmdCalc cmdClear:cmdClear cmdExit:cmdExit "
                                    "cmdClear:cmdClear");
    }

    // Only digits, the point and Backspace reach a field.
    void fieldsTakeOnlyDigitsAndPoints() {
        const QString kept = "1234.9.8"; // of "a1 -2,3+e/4", then ":.9².8é": no letters or signs
        QLineEdit *entry = field("txtWall2");
        type("txtWall2", "a1 -2,3+e/4");
        // Dead keys, compose and input methods commit text: only its digits and points arrive.
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8(":.9\u00b2.8\u00e9"));
        QApplication::sendEvent(entry, &composed);
        QTest::keyClick(entry, Qt::Key_Home);
        // Control keys type nothing either: no paste, select all, undo or cut, also where the
        // platform gives them no text.
        for (const Qt::Key key : {Qt::Key_V, Qt::Key_A, Qt::Key_Z, Qt::Key_K}) {
            QTest::keyClick(entry, key, Qt::ControlModifier);
            QKeyEvent textless(QEvent::KeyPress, key, Qt::ControlModifier, QString());
            QApplication::sendEvent(entry, &textless);
        }
        QCOMPARE(entry->text(), kept);
        // Nor does the editing menu name them.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(entry, &menuKey);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QStringList items;
        for (const QAction *item : QApplication::activePopupWidget()->actions())
            items << item->text() + item->shortcut().toString();
        QVERIFY2(items.contains("&Paste") && !items.join('|').contains('\t'),
                 qPrintable(items.join('|')));
        QApplication::activePopupWidget()->close();
        // Backspace erases, and so does its control key, Ctrl+H.
        QTest::keyClick(entry, Qt::Key_End);
        QTest::keyClick(entry, Qt::Key_Backspace);
        QTest::keyClick(entry, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(entry->text(), kept.chopped(2));
    }

    // Enter, the buttons and the File menu run their commands. A failed Calculate says why and
    // hides what it did not reach; once the message is read, the field is ready to be corrected.
    void commandsShowTheirResultsAndTheirErrors() {
        type("txtRim2", "17");
        QTest::keyClick(field("txtRim2"), Qt::Key_Enter);
        QCOMPARE(shown(), "195 75 14 215 55 17 | 25.5 26.3 103% 62mph");
        QCOMPARE(QApplication::focusWidget(), field("txtRim2"));
        click(*m_main, "cmdClear");
        QCOMPARE(shown(), "_ _ _ _ _ _ | - - - -");
        inFileMenu({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}); // Calculate
        QCOMPARE(shown(), "195 75 14 215 55 16 | 25.5 25.3 99% 60mph");
        // A paste of any size: the field keeps enough of it for Calculate to say it is too large.
        const QString kept(1001, u'4');
        QGuiApplication::clipboard()->setText(QString(10'000'000, u'4'));
        field("txtWall2")->selectAll();
        field("txtWall2")->paste();
        click(*m_main, "cmdCalc");
        auto *box = m_main->findChild<QMessageBox *>();
        QTRY_VERIFY(box && box->isVisible());
        QCOMPARE(box->text(),
                 "The wall size of the new tire is too large: it may be at most 32767.");
        QCOMPARE(shown(), "195 75 14 215 " + kept + " 16 | - - - -");
        box->button(QMessageBox::Ok)->click();
        QTRY_COMPARE(QApplication::focusWidget(), field("txtWall2"));
        QCOMPARE(field("txtWall2")->selectedText(), kept);
    }

    // Only a double-click on the bare background shows it, not one on a control; asked for
    // again, it is the one window. Its button and Esc put it away as well; the end-to-end
    // session presses them.
    void aboutIsOneWindowShownAgainInPlace() {
        for (const char *name : {"lblWall2", "txtRim", "cmdClear"})
            doubleClick(*m_main, centreOf(*m_main, name));
        QCOMPARE(windowsShown(), "frmDurnoval");
        doubleClick(*m_main, centreOf(*m_main, "lblPercent")); // hidden: background there
        QTRY_COMPARE(QApplication::focusWidget(), control(m_forms->about(), "cmdEnd"));
        const QPoint place = m_forms->about().pos();
        m_forms->about().windowHandle()->setWindowStates(Qt::WindowMinimized);
        QTRY_VERIFY(m_forms->about().isMinimized());
        m_main->findChild<QAction *>("About")->trigger();
        QCOMPARE(windowsShown(), "frmDurnoval frmAbout");
        QTRY_VERIFY(m_forms->about().isActiveWindow() && !m_forms->about().isMinimized());
        QCOMPARE(m_forms->about().pos(), place);
        doubleClick(m_forms->about(), {300, 150});
        QCOMPARE(windowsShown(), "frmDurnoval");
    }

    // Closing the window, or End from the File menu, asks first. "Not Yet!" brings the main
    // window back as it was; only "Yes" ends the program, and the about window with it. By keys
    // here, Tab then Enter, and Enter; the end-to-end session clicks and presses Esc.
    void onlyYesEndsTheProgram() {
        click(*m_main, "cmdCalc");
        const QString before = shown();
        m_forms->showAbout();
        QVERIFY(!m_main->close());
        for (const bool yes : {false, true}) {
            QTRY_COMPARE(QApplication::focusWidget(), control(confirmation(), "cmdYes"));
            // Alt+Space, a habit for the window menu, answers nothing.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::AltModifier);
            QCOMPARE(m_endRequests, 0);
            QVERIFY(!confirmation().close()); // only its buttons put it away
            if (!yes)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(windowsShown(), yes ? "" : "frmDurnoval frmAbout");
            QCOMPARE(m_endRequests, yes ? 1 : 0);
            if (!yes) {
                QCOMPARE(shown(), before);
                // Minimized and restored, it keeps the focus the user has given it since.
                field("txtRim")->setFocus();
                m_main->showMinimized();
                m_main->showNormal();
                QTRY_COMPARE(QApplication::focusWidget(), field("txtRim"));
                inFileMenu({Qt::Key_E});
            }
        }
    }

    // The confirmation cannot be lost: whatever window goes while it is up, the keyboard goes to
    // it. (Minimized by a window manager, it comes back: the end-to-end session tries that.)
    void confirmationStaysWithinReach() {
        m_forms->showAbout();
        click(*m_main, "cmdExit");
        m_forms->about().activateWindow();
        QTRY_VERIFY(m_forms->about().isActiveWindow());
        click(m_forms->about(), "cmdEnd");
        QTRY_VERIFY(confirmation().isActiveWindow());
        QCOMPARE(windowsShown(), "frmEndDurnoval");
    }

    // In a dark theme as in a light one, the confirmation is the theme's menus' colour, and its
    // outline stands out in the theme's text colour.
    void confirmationOutlineFollowsTheTheme() {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(QPalette(Qt::white, Qt::black));
        QApplication::setPalette(QPalette(Qt::white, Qt::darkBlue), "QMenu");
        const QImage drawn = confirmation().grab().toImage();
        QApplication::setPalette(light);
        QApplication::setPalette(light, "QMenu");
        QList<QColor> edge; // across the left edge, halfway down
        for (int x = 0; x < drawn.width() / 8; ++x)
            edge << drawn.pixelColor(x, drawn.height() / 2);
        QVERIFY(edge.contains(QColor(Qt::white)) && edge.contains(QColor(Qt::darkBlue)));
    }

    // However large the scale makes them (ctest runs this at 1.5 too, where the main window does
    // not fit), each window's corner, with its title bar and menus, is on the screen, and a
    // window that fits is centred.
    void windowsStartWithinReach() {
        m_forms->showAbout();
        click(*m_main, "cmdExit");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QWidget *windows[] = {m_main, &m_forms->about(), &confirmation()};
        for (const QWidget *window : windows) {
            const QRect frame = window->frameGeometry();
            QVERIFY2(screen.contains(frame.topLeft()), qPrintable(window->objectName()));
            QVERIFY(frame.width() > screen.width() || frame.height() > screen.height() ||
                    frame.center() == screen.center());
        }
    }

    // The wheel is as sharp as the screen allows: on a screen scaled above 1 (ctest runs this
    // at 1.5 too), the finer picture brought smoothly to the screen's pixels, never the plain one
    // enlarged.
    void wheelIsSharpAtAnyScale() {
        const QImage drawn = control(m_forms->about(), "Image1")->grab().toImage();
        const QImage source(drawn.devicePixelRatio() > 1 ? ":/pictures/wheel@2x.jpg"
                                                         : ":/pictures/wheel.jpg");
        QImage sharp = source.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        sharp.setDevicePixelRatio(drawn.devicePixelRatio());
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32),
                 sharp.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
