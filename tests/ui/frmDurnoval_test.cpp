#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include "uitest.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

using namespace durnoval;
using namespace durnoval::test;

namespace {

const char *const kFields[] = {"txtWidth", "txtWall", "txtRim", "txtWidth2", "txtWall2", "txtRim2"};
const char *const kResults[] = {"lblOutput", "lblOutput2", "lblPercent", "lblMph"};

} // namespace

class frmDurnovalTest : public QObject {
    Q_OBJECT

    FormsFixture m_fixture;
    frmDurnoval *m_window = nullptr;

    QLineEdit *field(const char *name) { return control<QLineEdit>(*m_window, name); }
    QLabel *label(const char *name) { return control<QLabel>(*m_window, name); }
    QPushButton *button(const char *name) { return control<QPushButton>(*m_window, name); }

    QStringList fieldTexts() {
        QStringList texts;
        for (const char *name : kFields)
            texts << field(name)->text();
        return texts;
    }
    QStringList shownResults() {
        QStringList texts;
        for (const char *name : kResults)
            texts << (label(name)->isVisible() ? label(name)->text() : QStringLiteral("hidden"));
        return texts;
    }
    bool exitWindowShown() {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<frmEndDurnoval *>(window) && window->isVisible())
                return true;
        return false;
    }
    void typeInto(const char *name, const QString &text) {
        field(name)->setFocus();
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(field(name), c.toLatin1());
            else // beyond what a test key click can spell, as typed through an input method
                QTest::sendKeyEvent(QTest::Click, field(name), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init() {
        m_window = &m_fixture.start();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup() { m_fixture.tearDown(); }

    void startsEmptyWithResultsHidden() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Durnoval Calculator"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(482, 396));
        QCOMPARE(fieldTexts(), QStringList(6, QString()));
        QCOMPARE(shownResults(), QStringList(4, QStringLiteral("hidden")));
        QCOMPARE(QApplication::focusWidget(), field("txtWidth"));
        for (QWidget *child : m_window->centralWidget()->findChildren<QWidget *>()) {
            const bool isResult =
                std::find_if(std::begin(kResults), std::end(kResults), [child](const char *name) {
                    return child->objectName() == name;
                }) != std::end(kResults);
            QVERIFY2(child->isVisible() != isResult, qPrintable(child->objectName()));
        }
    }

    void controlsFollowTheDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("toolTip");
        // Pixels at 15 twips each; 8.25, 9.75 and 12 points are 11, 13 and 16 pixels.
        const struct {
            const char *name;
            QRect geometry;
            int pixelSize;
            bool bold;
            const char *toolTip;
        } rows[] = {
            {"lblTitle1", {136, 0, 217, 25}, 16, true, ""},
            {"lblExample", {112, 32, 265, 25}, 13, false, ""},
            {"lblOriginal", {24, 80, 185, 25}, 13, true, ""},
            {"lblNew", {240, 80, 177, 25}, 13, true, ""},
            {"lblWidth", {24, 120, 89, 25}, 11, true, ""},
            {"txtWidth", {136, 120, 73, 25}, 11, false, "Width"},
            {"lblWidth2", {240, 120, 89, 25}, 11, true, ""},
            {"txtWidth2", {360, 120, 73, 25}, 11, false, ""},
            {"lblWall", {24, 160, 89, 25}, 11, true, ""},
            {"txtWall", {136, 160, 73, 25}, 11, false, "Wall"},
            {"lblWall2", {240, 160, 89, 25}, 11, true, ""},
            {"txtWall2", {360, 160, 73, 25}, 11, false, ""},
            {"lblRim", {24, 200, 89, 25}, 11, true, ""},
            {"txtRim", {136, 200, 73, 25}, 11, false, "Rim"},
            {"lblRim2", {240, 200, 97, 25}, 11, true, ""},
            {"txtRim2", {360, 200, 73, 25}, 11, false, ""},
            {"lblTitle2", {24, 248, 89, 33}, 11, true, ""},
            {"lblOutput", {136, 248, 77, 24}, 16, true, "Diameter of your original tire "},
            {"Label5", {240, 248, 97, 33}, 11, true, ""},
            {"lblOutput2", {360, 248, 75, 24}, 16, true, "Diameter of your new tire"},
            {"lblDiff", {24, 304, 89, 17}, 11, true, ""},
            {"lblPercent",
             {136, 304, 77, 24},
             16,
             true,
             "This is the percentage of difference between your original tire and your new "
             "tire!!"},
            {"lblSpeed", {240, 304, 97, 33}, 11, true, ""},
            {"lblMph",
             {360, 304, 73, 24},
             16,
             true,
             "This shows your real speed when your speedo says 60mph!!"},
            {"cmdCalc", {104, 344, 73, 33}, 11, false, ""},
            {"cmdClear", {208, 344, 81, 33}, 11, false, ""},
            {"cmdExit", {320, 344, 73, 33}, 11, false, ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name)
                << row.name << row.geometry << row.pixelSize << row.bold << row.toolTip;
    }

    void controlsFollowTheDesign() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QString, toolTip);
        auto *widget = m_window->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);
        QCOMPARE(widget->toolTip(), toolTip);
        QVERIFY(!widget->accessibleName().isEmpty());
    }

    void labelAlignmentAndFrames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("framed");
        QTest::newRow("title left") << "lblTitle1" << int(Qt::AlignLeft) << false;
        QTest::newRow("example centred") << "lblExample" << int(Qt::AlignHCenter) << false;
        QTest::newRow("prompt right") << "lblWall2" << int(Qt::AlignRight) << false;
        QTest::newRow("speed prompt right") << "lblSpeed" << int(Qt::AlignRight) << false;
        QTest::newRow("result framed") << "lblMph" << int(Qt::AlignLeft) << true;
    }

    void labelAlignmentAndFrames() {
        QFETCH(QString, name);
        QFETCH(int, alignment);
        QFETCH(bool, framed);
        auto *shown = m_window->findChild<QLabel *>(name);
        QCOMPARE(int(shown->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QVERIFY(shown->alignment().testFlag(Qt::AlignTop));
        QVERIFY(shown->wordWrap());
        QCOMPARE(shown->frameWidth() > 0, framed);
    }

    void everyCaptionIsFullyVisible() {
        for (QLabel *shown : m_window->findChildren<QLabel *>())
            if (!shown->text().isEmpty())
                QVERIFY2(captionFits(*shown), qPrintable(shown->objectName()));
        for (QPushButton *shown : m_window->findChildren<QPushButton *>())
            QVERIFY2(captionFits(*shown), qPrintable(shown->objectName()));
    }

    void resultsFitTheirLabels() {
        typeInto("txtWidth", "32767");
        typeInto("txtWall", "32767");
        typeInto("txtRim", "32767");
        QTest::keyClick(field("txtRim"), Qt::Key_Return);
        for (const char *name : {"lblOutput2", "lblPercent", "lblMph"})
            QVERIFY2(captionFits(*label(name)), name);
    }

    void tabVisitsFieldsThenButtons() {
        const QStringList expected{"txtWall", "txtRim",   "txtWidth2", "txtWall2", "txtRim2",
                                   "cmdCalc", "cmdClear", "cmdExit",   "txtWidth"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits") << "225"
                                << "225";
        QTest::newRow("points in any order") << "1.2.3"
                                             << "1.2.3";
        QTest::newRow("letters") << "a1b"
                                 << "1";
        QTest::newRow("blank") << " 4 5"
                               << "45";
        QTest::newRow("minus") << "-5"
                               << "5";
        QTest::newRow("comma") << "14,5"
                               << "145";
        QTest::newRow("plus and exponent") << "+1e3"
                                           << "13";
        QTest::newRow("non-ascii digit") << QString::fromUtf8("\u0661\u0662") << "";
        QTest::newRow("symbols") << "%$#/"
                                 << "";
    }

    void keyFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        for (const char *name : kFields) {
            typeInto(name, typed);
            QCOMPARE(field(name)->text(), expected);
        }
    }

    void editingKeysKeepWorking_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backspace") << QList<int>{Qt::Key_Backspace} << "12";
        QTest::newRow("home delete") << QList<int>{Qt::Key_Home, Qt::Key_Delete} << "23";
        QTest::newRow("left backspace") << QList<int>{Qt::Key_Left, Qt::Key_Backspace} << "13";
        QTest::newRow("end after home")
            << QList<int>{Qt::Key_Home, Qt::Key_End, Qt::Key_4} << "1234";
        QTest::newRow("home then digit") << QList<int>{Qt::Key_Home, Qt::Key_9} << "9123";
    }

    void editingKeysKeepWorking() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, expected);
        typeInto("txtWall", "123");
        for (int key : keys)
            QTest::keyClick(field("txtWall"), Qt::Key(key));
        QCOMPARE(field("txtWall")->text(), expected);
        QCOMPARE(QApplication::focusWidget(), field("txtWall"));
    }

    void controlCharactersAreDiscarded_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+V") << int(Qt::Key_V);
        QTest::newRow("Ctrl+A") << int(Qt::Key_A);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z);
        QTest::newRow("Ctrl+K") << int(Qt::Key_K);
    }

    void controlCharactersAreDiscarded() {
        QFETCH(int, key);
        QGuiApplication::clipboard()->setText("99");
        typeInto("txtRim", "14");
        QTest::keyClick(field("txtRim"), Qt::Key_Left);
        QTest::keyClick(field("txtRim"), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(field("txtRim")->text(), QStringLiteral("14"));
        QCOMPARE(field("txtRim")->cursorPosition(), 1);
        QVERIFY(!field("txtRim")->hasSelectedText());
    }

    void pasteThroughTheFieldIsNotFiltered() {
        QGuiApplication::clipboard()->setText(" 2a5-");
        field("txtWidth2")->setFocus();
        field("txtWidth2")->paste(); // what the context menu's Paste does
        QCOMPARE(field("txtWidth2")->text(), QStringLiteral(" 2a5-"));
        QCOMPARE(m_window->state().txtWidth2, std::string(" 2a5-"));
    }

    void longPasteIsKeptWhole() {
        const QString pasted(40000, u'1');
        QGuiApplication::clipboard()->setText(pasted);
        field("txtWidth")->setFocus();
        field("txtWidth")->paste();
        QCOMPARE(field("txtWidth")->text(), pasted);
        QCOMPARE(m_window->state().txtWidth.size(), std::size_t(40000));
        QTest::keyClick(field("txtWidth"), Qt::Key_Return);
        auto *box = m_window->findChild<QMessageBox *>("calcErrorBox");
        QVERIFY(box);
        QVERIFY(box->text().contains("too large"));
        box->button(QMessageBox::Ok)->click();
    }

    void menuShortcutsActBeforeTheField_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<bool>("exitShown");
        const QStringList typed{"", "", "", "", "45", ""};
        const QStringList hidden(4, QStringLiteral("hidden"));
        QTest::newRow("Ctrl+C calculates") << int(Qt::Key_C) << int(Qt::ControlModifier)
                                           << QStringList{"195", "75", "14", "215", "45", "16"}
                                           << QStringList{"25.5", "23.6", "93%", "56mph"} << false;
        QTest::newRow("Shift+Del clears") << int(Qt::Key_Delete) << int(Qt::ShiftModifier)
                                          << QStringList(6, QString()) << hidden << false;
        QTest::newRow("Ctrl+E asks to exit")
            << int(Qt::Key_E) << int(Qt::ControlModifier) << typed << hidden << true;
    }

    void menuShortcutsActBeforeTheField() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, results);
        QFETCH(bool, exitShown);
        QGuiApplication::clipboard()->setText("clipboard");
        typeInto("txtWall2", "45");
        field("txtWall2")->selectAll();
        QTest::keyClick(field("txtWall2"), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(fieldTexts(), fields);
        QCOMPARE(shownResults(), results);
        QCOMPARE(exitWindowShown(), exitShown);
        QCOMPARE(m_window->isVisible(), !exitShown);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clipboard"));
    }

    void enterCalculatesEscDoesNothing() {
        typeInto("txtRim2", "17");
        QTest::keyClick(field("txtRim2"), Qt::Key_Escape);
        QCOMPARE(shownResults(), QStringList(4, QStringLiteral("hidden")));
        QVERIFY(m_window->isVisible());
        QTest::keyClick(field("txtRim2"), Qt::Key_Enter);
        QCOMPARE(shownResults(), (QStringList{"25.5", "26.3", "103%", "62mph"}));
        QCOMPARE(QApplication::focusWidget(), field("txtRim2"));
    }

    void commandsFromButtonsAndMenus_data() {
        QTest::addColumn<QString>("calculate");
        QTest::addColumn<QString>("clear");
        QTest::newRow("buttons") << "cmdCalc"
                                 << "cmdClear";
        QTest::newRow("menu items") << "Calc"
                                    << "Clear";
    }

    void commandsFromButtonsAndMenus() {
        QFETCH(QString, calculate);
        QFETCH(QString, clear);
        auto run = [this](const QString &name) {
            if (auto *pressed = m_window->findChild<QPushButton *>(name))
                QTest::mouseClick(pressed, Qt::LeftButton);
            else
                m_window->findChild<QAction *>(name)->trigger();
        };
        typeInto("txtWidth", "225");
        typeInto("txtWall", "45");
        typeInto("txtRim", "16");
        run(calculate);
        QCOMPARE(fieldTexts(), (QStringList{"225", "45", "16", "215", "55", "16"}));
        QCOMPARE(shownResults(), (QStringList{"24.", "25.3", "105%", "63mph"}));
        // A screen reader reads a result through its name.
        QCOMPARE(label("lblPercent")->accessibleName(),
                 QStringLiteral("New diameter in percent of the original: 105%"));
        run(calculate);
        QCOMPARE(shownResults(), (QStringList{"24.", "25.3", "105%", "63mph"}));
        run(clear);
        QCOMPARE(fieldTexts(), QStringList(6, QString()));
        QCOMPARE(shownResults(), QStringList(4, QStringLiteral("hidden")));
        for (const char *name : kResults)
            QVERIFY(label(name)->text().isEmpty());
        QCOMPARE(label("lblMph")->accessibleName(),
                 QStringLiteral("True speed when the speedometer reads 60 mph"));
    }

    void menusFollowTheDesign() {
        const QList<QAction *> tops = m_window->menuBar()->actions();
        QCOMPARE(tops.size(), 2);
        QCOMPARE(tops[0]->text(), QStringLiteral("File"));
        QCOMPARE(tops[1]->text(), QStringLiteral("Help"));
        const struct {
            int menu;
            const char *name;
            const char *caption;
            QKeySequence shortcut;
        } items[] = {
            {0, "Clear", "Clear", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
            {0, "Calc", "Calculate", QKeySequence(Qt::CTRL | Qt::Key_C)},
            {0, "End", "&End", QKeySequence(Qt::CTRL | Qt::Key_E)},
            {1, "About", "&About", QKeySequence(Qt::CTRL | Qt::Key_X)},
        };
        QList<QAction *> fileItems = tops[0]->menu()->actions();
        QList<QAction *> helpItems = tops[1]->menu()->actions();
        QCOMPARE(fileItems.size(), 3);
        QCOMPARE(helpItems.size(), 1);
        int fileIndex = 0;
        for (const auto &item : items) {
            QAction *action = item.menu == 0 ? fileItems[fileIndex++] : helpItems[0];
            QCOMPARE(action->objectName(), QString(item.name));
            QCOMPARE(action->text(), QString(item.caption));
            QCOMPARE(action->shortcut(), item.shortcut);
        }
    }

    void calculateErrorIsReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("not a number")
            << "txtRim"
            << "1.2.3"
            << "The rim size of the original tire is not a number. Enter digits with at most one "
               "decimal point."
            << QStringList{"195", "75", "1.2.3", "", "", ""};
        QTest::newRow("too large")
            << "txtWall2"
            << "40000"
            << "The wall size of the new tire is too large: it may be at most 32767."
            << QStringList{"195", "75", "14", "215", "40000", ""};
    }

    void calculateErrorIsReported() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QStringList, fields);
        const QByteArray fieldName = name.toLatin1();
        typeInto(fieldName.constData(), typed);
        QTest::mouseClick(button("cmdCalc"), Qt::LeftButton);

        auto *box = m_window->findChild<QMessageBox *>("calcErrorBox");
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Durnoval Calculator"));
        QCOMPARE(box->text(), message);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(fieldTexts(), fields);

        box->button(QMessageBox::Ok)->click();
        QTRY_COMPARE(QApplication::focusWidget(), field(fieldName.constData()));
        QCOMPARE(field(fieldName.constData())->selectedText(), typed);
        QVERIFY(m_window->isVisible());
        QCOMPARE(fieldTexts(), fields);
    }

    void diameterThatShowsAsPointIsReported() {
        typeInto("txtWidth2", "0");
        typeInto("txtWall2", "0");
        typeInto("txtRim2", "0");
        QTest::keyClick(field("txtRim2"), Qt::Key_Return);
        auto *box = m_window->findChild<QMessageBox *>("calcErrorBox");
        QVERIFY(box);
        QVERIFY(box->text().startsWith("The diameter of the new tire"));
        QCOMPARE(shownResults(), (QStringList{"25.5", ".", "hidden", "hidden"}));
        box->button(QMessageBox::Ok)->click();
    }

    void exitHidesAndAsksForConfirmation_data() {
        QTest::addColumn<bool>("viaMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

    void exitHidesAndAsksForConfirmation() {
        QFETCH(bool, viaMenu);
        if (viaMenu)
            m_window->findChild<QAction *>("End")->trigger();
        else
            QTest::mouseClick(button("cmdExit"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(exitWindowShown());
        QCOMPARE(m_fixture.endRequests, 0);
    }

    void frameCloseGoesThroughTheConfirmation() {
        QVERIFY(!m_window->close());
        QVERIFY(!m_window->isVisible());
        QVERIFY(exitWindowShown());
        QCOMPARE(m_fixture.endRequests, 0);
    }

    void resizingMovesNothing() {
        const QRect before = button("cmdExit")->geometry();
        m_window->resize(800, 600);
        QTRY_COMPARE(m_window->centralWidget()->width(), 800);
        QCOMPARE(button("cmdExit")->geometry(), before);
        m_window->resize(200, 150);
        QTRY_COMPARE(m_window->centralWidget()->width(), 200);
        QCOMPARE(button("cmdExit")->geometry(), before);
    }

    void iconHasBothSizes() {
        const QIcon icon = m_window->windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        const QImage image = icon.pixmap(32, 32).toImage();
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0); // transparent corner
        QCOMPARE(image.pixelColor(16, 6), QColor(Qt::yellow));
    }
};

QTEST_MAIN(frmDurnovalTest)
#include "frmDurnoval_test.moc"
