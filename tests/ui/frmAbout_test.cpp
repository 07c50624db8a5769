#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"
#include "ui/version.h"

#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QTest>

using namespace durnoval;
using namespace durnoval::test;

namespace {

int visibleAboutWindows() {
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<frmAbout *>(window) && window->isVisible();
    return count;
}

// Where a control sits in its window, so a double-click can land on it or beside it.
QPoint centreOf(QWidget &window, const char *name) {
    QWidget *target = control(window, name);
    return target->mapTo(&window, target->rect().center());
}

} // namespace

class frmAboutTest : public QObject {
    Q_OBJECT

    FormsFixture m_fixture;
    frmDurnoval *m_main = nullptr;

    frmAbout *aboutIfCreated() {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *about = qobject_cast<frmAbout *>(window))
                return about;
        return nullptr;
    }
    bool aboutShown() { return aboutIfCreated() && aboutIfCreated()->isVisible(); }

    void doubleClickAt(QWidget &window, QPoint where) {
        QWidget *target = window.childAt(where);
        if (!target)
            target = &window;
        QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(&window, where));
    }

    void open(const QString &how) {
        if (how == "menu")
            m_main->findChild<QAction *>("About")->trigger();
        else if (how == "Ctrl+X") {
            auto *field = control<QLineEdit>(*m_main, "txtWall");
            field->setFocus();
            QTest::keyClicks(field, "55");
            field->selectAll();
            QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(field->text(), QStringLiteral("55")); // not cut
        } else
            doubleClickAt(*m_main->centralWidget(), QPoint(460, 10)); // bare background
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init() {
        m_main = &m_fixture.start();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }
    void cleanup() { m_fixture.tearDown(); }

    void notCreatedBeforeItIsAskedFor() { QCOMPARE(aboutIfCreated(), nullptr); }

    void opensOneInstance_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("menu, then double-click") << "menu"
                                                 << "double-click";
        QTest::newRow("Ctrl+X, then menu") << "Ctrl+X"
                                           << "menu";
        QTest::newRow("double-click twice") << "double-click"
                                            << "double-click";
    }

    void opensOneInstance() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        open(first);
        QVERIFY(aboutShown());
        frmAbout *about = aboutIfCreated();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), control(*about, "cmdEnd"));
        open(second);
        QCOMPARE(aboutIfCreated(), about);
        QCOMPARE(visibleAboutWindows(), 1);
        QVERIFY(m_main->isVisible());
    }

    void doubleClicksOnTheMainWindow_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opens");
        QTest::newRow("title label") << "lblTitle1" << false;
        QTest::newRow("prompt label") << "lblWall2" << false;
        QTest::newRow("field") << "txtRim" << false;
        QTest::newRow("button") << "cmdClear" << false;
        QTest::newRow("hidden result's place") << "lblPercent" << true;
    }

    void doubleClicksOnTheMainWindow() {
        QFETCH(QString, target);
        QFETCH(bool, opens);
        doubleClickAt(*m_main, centreOf(*m_main, target.toLatin1().constData()));
        QCOMPARE(aboutShown(), opens);
        QCOMPARE(m_fixture.forms->durnoval().state(), ComparisonState{});
    }

    void putAwayAndShownAgain_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "cmdEnd";
        QTest::newRow("background double-click") << "background";
        QTest::newRow("close control") << "close";
    }

    void putAwayAndShownAgain() {
        QFETCH(QString, how);
        open("menu");
        frmAbout *about = aboutIfCreated();
        const QPoint where = about->pos();
        if (how == "cmdEnd")
            QTest::mouseClick(control<QPushButton>(*about, "cmdEnd"), Qt::LeftButton);
        else if (how == "background")
            doubleClickAt(*about, QPoint(300, 150));
        else
            QVERIFY(about->close());
        QVERIFY(!about->isVisible());
        QVERIFY(m_main->isVisible());
        QCOMPARE(m_fixture.endRequests, 0);
        open("menu");
        QCOMPARE(aboutIfCreated(), about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->pos(), where);
    }

    void doubleClicksOnItsControlsLeaveItOpen_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("picture") << "Image1";
        QTest::newRow("title") << "Label1";
        QTest::newRow("credit") << "lblName";
        QTest::newRow("address") << "Label2";
    }

    void doubleClicksOnItsControlsLeaveItOpen() {
        QFETCH(QString, target);
        open("menu");
        frmAbout *about = aboutIfCreated();
        doubleClickAt(*about, centreOf(*about, target.toLatin1().constData()));
        QVERIFY(about->isVisible());
    }

    void looksAsDesigned() {
        open("menu");
        frmAbout *about = aboutIfCreated();
        QCOMPARE(about->size(), QSize(320, 289));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(about->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(about->windowType(), Qt::Window);
        QCOMPARE(about->parentWidget(), nullptr);
        QVERIFY(about->windowTitle().contains("Durnoval developers"));

        const struct {
            const char *name;
            QRect geometry;
            int pixelSize;
            bool framed;
        } controls[] = {
            {"Image1", {8, 8, 127, 112}, 16, false},    {"Label1", {160, 32, 121, 57}, 19, true},
            {"lblName", {64, 136, 193, 49}, 16, false}, {"Label2", {40, 208, 241, 25}, 13, true},
            {"cmdEnd", {72, 248, 185, 28}, 16, false},
        };
        for (const auto &expected : controls) {
            QWidget *widget = control(*about, expected.name);
            QVERIFY2(widget, expected.name);
            QCOMPARE(widget->geometry(), expected.geometry);
            QCOMPARE(widget->font().pixelSize(), expected.pixelSize);
            QVERIFY(!widget->accessibleName().isEmpty());
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                QCOMPARE(label->frameWidth() > 0, expected.framed);
                if (!label->text().isEmpty())
                    QVERIFY2(captionFits(*label), expected.name);
            }
        }
        QVERIFY(control(*about, "Label1")->font().bold());
        QVERIFY(captionFits(*control<QPushButton>(*about, "cmdEnd")));
        const QPixmap picture = control<QLabel>(*about, "Image1")->pixmap();
        QCOMPARE(picture.size(), QSize(127, 112));
    }

    void pictureIsABaselineJpeg() {
        QImageReader reader(":/pictures/wheel.jpg");
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(127, 112));
        QFile file(":/pictures/wheel.jpg");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 5000 && bytes.size() < 9000);
        // Baseline frame header (SOF0), 8-bit samples, three components; no progressive one.
        const qsizetype frame = bytes.indexOf("\xff\xc0");
        QVERIFY(frame > 0);
        QCOMPARE(bytes.indexOf("\xff\xc2"), -1);
        QCOMPARE(int(quint8(bytes[frame + 4])), 8);
        QCOMPARE(int(quint8(bytes[frame + 9])), 3);
        QVERIFY(!reader.read().isGrayscale());
    }

    void staysUpThroughTheExitConfirmation() {
        open("menu");
        frmAbout *about = aboutIfCreated();
        QTest::mouseClick(control<QPushButton>(*m_main, "cmdExit"), Qt::LeftButton);
        QVERIFY(!m_main->isVisible());
        QVERIFY(about->isVisible());
        frmEndDurnoval &exitWindow = m_fixture.forms->endDurnoval();
        QVERIFY(exitWindow.isVisible());

        // Still usable: closing it ends nothing, and it opens again from the main window.
        QVERIFY(about->close());
        QCOMPARE(m_fixture.endRequests, 0);
        QVERIFY(exitWindow.isVisible());
        QTest::mouseClick(control<QPushButton>(exitWindow, "cmdNo"), Qt::LeftButton);
        QVERIFY(m_main->isVisible());
        open("menu");

        QTest::mouseClick(control<QPushButton>(*m_main, "cmdExit"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(exitWindow, "cmdYes"), Qt::LeftButton);
        QCOMPARE(m_fixture.endRequests, 1);
        QVERIFY(!about->isVisible());
    }

    void versionRecord() {
        QCOMPARE(QString(version::kProductName), QStringLiteral("Durnoval"));
        QCOMPARE(QString(version::kVersion), QStringLiteral("4.02"));
        QCOMPARE(QString(version::kDescription),
                 QStringLiteral("Calculates overall diameter of any tire."));
    }
};

QTEST_MAIN(frmAboutTest)
#include "frmAbout_test.moc"
