#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include "uitest.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace durnoval;
using namespace durnoval::test;

class frmEndDurnovalTest : public QObject {
    Q_OBJECT

    FormsFixture m_fixture;
    frmDurnoval *m_main = nullptr;

    frmEndDurnoval *exitWindow() { return &m_fixture.forms->endDurnoval(); }
    QPushButton *button(const char *name) { return control<QPushButton>(*exitWindow(), name); }

    // Exit from the main window, as the user does, and wait for the question.
    void askToExit() {
        QTest::mouseClick(control<QPushButton>(*m_main, "cmdExit"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(exitWindow()));
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init() {
        m_main = &m_fixture.start();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }
    void cleanup() { m_fixture.tearDown(); }

    void looksAsDesigned() {
        askToExit();
        frmEndDurnoval *window = exitWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Are You Sure????"));
        QCOMPARE(window->size(), QSize(290, 114));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->windowType(), Qt::Tool); // kept out of the task bar
        QCOMPARE(window->parentWidget(), nullptr);
        QCOMPARE(QApplication::focusWidget(), button("cmdYes"));

        const struct {
            const char *name;
            QRect geometry;
            const char *text;
            const char *toolTip;
        } controls[] = {
            {"lblSure", {24, 16, 249, 33}, "Are you sure you want to exit??", ""},
            {"cmdYes", {40, 64, 81, 33}, "Yes", "Close Durnoval"},
            {"cmdNo", {160, 64, 81, 33}, "Not Yet!", "GO BACK!!"},
        };
        for (const auto &expected : controls) {
            QWidget *widget = control(*window, expected.name);
            QVERIFY2(widget, expected.name);
            QCOMPARE(widget->geometry(), expected.geometry);
            QCOMPARE(widget->property("text").toString(), QString(expected.text));
            QCOMPARE(widget->toolTip(), QString(expected.toolTip));
            QCOMPARE(widget->font().pixelSize(), 13);
            QVERIFY(widget->font().bold());
            QVERIFY(!widget->accessibleName().isEmpty());
        }
        QVERIFY(captionFits(*control<QLabel>(*window, "lblSure")));
        QVERIFY(captionFits(*button("cmdYes")));
        QVERIFY(captionFits(*button("cmdNo")));
    }

    void drawsItsOutlineOnTheMenuColour() {
        askToExit();
        const QImage image = exitWindow()->grab().toImage();
        const QColor menu = QApplication::palette("QMenu").color(QPalette::Window);
        const QColor ink = exitWindow()->palette().color(QPalette::WindowText);
        QCOMPARE(image.pixelColor(2, 2), menu);
        QCOMPARE(image.pixelColor(150, 58), menu);
        for (const QPoint corner : {QPoint(8, 8), QPoint(280, 8), QPoint(8, 104), QPoint(280, 104)})
            QCOMPARE(image.pixelColor(corner), ink);
        QCOMPARE(image.pixelColor(150, 8), ink);
        QCOMPARE(image.pixelColor(8, 60), ink);
        QCOMPARE(image.pixelColor(150, 9), menu);
    }

    void tabMovesBetweenTheButtons() {
        askToExit();
        QTest::keyClick(button("cmdYes"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdNo"));
        QTest::keyClick(button("cmdNo"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdYes"));
    }

    void notYetBringsBackTheMainWindowAsItWas_data() {
        QTest::addColumn<int>("key"); // 0: a click on "Not Yet!"
        QTest::newRow("click") << 0;
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void notYetBringsBackTheMainWindowAsItWas() {
        QFETCH(int, key);
        auto *width = control<QLineEdit>(*m_main, "txtWidth");
        width->setFocus();
        QTest::keyClicks(width, "205");
        QTest::keyClick(width, Qt::Key_Return);
        const ComparisonState before = m_main->state();

        askToExit();
        QVERIFY(!m_main->isVisible());
        frmEndDurnoval *first = exitWindow();
        if (key)
            QTest::keyClick(first, Qt::Key(key));
        else
            QTest::mouseClick(button("cmdNo"), Qt::LeftButton);
        QVERIFY(m_main->isVisible());
        QVERIFY(!first->isVisible());
        QCOMPARE(m_main->state(), before);
        QCOMPARE(control<QLineEdit>(*m_main, "txtWidth")->text(), QStringLiteral("205"));
        QVERIFY(control<QLabel>(*m_main, "lblMph")->isVisible());

        askToExit();
        QCOMPARE(exitWindow(), first);
        QCOMPARE(m_fixture.endRequests, 0);
    }

    void enterOrYesEndsTheProgram_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }

    void enterOrYesEndsTheProgram() {
        QFETCH(bool, byKey);
        askToExit();
        if (byKey)
            QTest::keyClick(exitWindow(), Qt::Key_Return);
        else
            QTest::mouseClick(button("cmdYes"), Qt::LeftButton);
        QCOMPARE(m_fixture.endRequests, 1);
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void enterOnAFocusedNotYetGoesBack() {
        askToExit();
        QTest::keyClick(button("cmdYes"), Qt::Key_Tab);
        QTest::keyClick(button("cmdNo"), Qt::Key_Return);
        QCOMPARE(m_fixture.endRequests, 0);
        QVERIFY(m_main->isVisible());
    }

    void closeRequestsFromOutsideAreIgnored() {
        askToExit();
        QVERIFY(!exitWindow()->close());
        QVERIFY(exitWindow()->isVisible());
        QVERIFY(!m_main->isVisible());
    }

    void yesReturnsZeroFromTheEventLoop() {
        // The program's own end, not the test's: the event loop returns 0 and nothing stays.
        Forms forms;
        forms.showDurnoval();
        QTimer::singleShot(0, &forms.durnoval(), [&forms] {
            QTest::mouseClick(control<QPushButton>(forms.durnoval(), "cmdExit"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(forms.endDurnoval(), "cmdYes"), Qt::LeftButton);
        });
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!forms.durnoval().isVisible());
        QVERIFY(!forms.endDurnoval().isVisible());
    }

    void hiddenMainWindowDoesNotEndTheProgram() {
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        askToExit();
        QVERIFY(exitWindow()->isVisible());
    }
};

QTEST_MAIN(frmEndDurnovalTest)
#include "frmEndDurnoval_test.moc"
