// A long seeded run of random user actions against the real windows, checking after every
// step what a user relies on. DURNOVAL_STRESS_SEED and DURNOVAL_STRESS_ACTIONS override the
// defaults, to replay a failure or run longer.

#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"
#include "ui/keyfilter.h"

#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <random>

using namespace durnoval;
using namespace durnoval::test;

namespace {

constexpr std::size_t kFieldCount = kEntrySlots.size();

unsigned long long environmentNumber(const char *name, unsigned long long fallback) {
    bool ok = false;
    const unsigned long long value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// What the user should see: the model the run keeps beside the program.
struct Expected {
    std::array<QString, kFieldCount> fields; // as the user sees them
    ComparisonState state;                   // results, and the fields after each command
    bool mainShown = true;
    bool aboutShown = false;
    bool exitShown = false;
    int ends = 0;
};

} // namespace

class StressTest : public QObject {
    Q_OBJECT

    FormsFixture m_fixture;
    Expected m_expected;
    std::mt19937_64 m_random;
    QString m_lastAction;

    frmDurnoval &main() { return m_fixture.forms->durnoval(); }
    QLineEdit *field(std::size_t i) {
        return control<QLineEdit>(main(), kEntrySlots[i].name.data());
    }
    QString &expectedField(std::size_t i) { return m_expected.fields[i]; }

    // Runs a command on the model as the window runs it on its state.
    template <typename Command> auto runOnModel(Command command) {
        for (std::size_t i = 0; i < kFieldCount; ++i)
            m_expected.state.*kEntrySlots[i].text = m_expected.fields[i].toStdString();
        const auto outcome = command(m_expected.state);
        for (std::size_t i = 0; i < kFieldCount; ++i)
            m_expected.fields[i] = QString::fromStdString(m_expected.state.*kEntrySlots[i].text);
        return outcome;
    }

    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }
    bool chance(int percent) { return int(pick(100)) < percent; }

    QChar randomCharacter() {
        static const QString typical =
            QStringLiteral("0123456789....abcxyzXE ,-+%\u00e9\u0661\u20ac");
        if (chance(90))
            return typical[qsizetype(pick(std::size_t(typical.size())))];
        return QChar(char16_t(1 + pick(0xd7ff))); // anything short of a surrogate
    }

    QString randomText(std::size_t maxLength) {
        QString text;
        for (std::size_t n = pick(maxLength + 1); n > 0; --n)
            text += randomCharacter();
        return text;
    }

    // As a click into the field would: its window comes to the front, the caret to its end.
    void focusEnd(std::size_t i) {
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        field(i)->setFocus();
        QTest::keyClick(field(i), Qt::Key_End);
    }

    void typeInto(std::size_t i) {
        focusEnd(i);
        QString &expected = expectedField(i);
        QString typed;
        for (std::size_t n = 1 + pick(8); n > 0; --n) {
            if (chance(15)) {
                QTest::keyClick(field(i), Qt::Key_Backspace);
                expected.chop(1); // no surrogate pairs are typed or pasted here
                typed += u'\u232b';
                continue;
            }
            const QChar c = randomCharacter();
            typed += c;
            if (c.unicode() < 0x80 && c.isPrint())
                QTest::keyClick(field(i), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field(i), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            if (filterEntryKey(c.unicode()) != 0)
                expected += c;
        }
        m_lastAction =
            QStringLiteral("type '") + typed + QStringLiteral("' into ") + QString::number(i);
    }

    void pasteInto(std::size_t i, const QString &text) {
        focusEnd(i);
        QGuiApplication::clipboard()->setText(text);
        field(i)->paste();
        expectedField(i) += text; // line breaks and control characters included
        m_lastAction = QStringLiteral("paste %1 characters into %2").arg(text.size()).arg(i);
    }

    void calculate() {
        const std::size_t i = pick(kFieldCount);
        switch (pick(4)) {
        case 0:
            QTest::mouseClick(control<QPushButton>(main(), "cmdCalc"), Qt::LeftButton);
            break;
        case 1:
            focusEnd(i);
            QTest::keyClick(field(i), Qt::Key_Return);
            break;
        case 2:
            focusEnd(i);
            QTest::keyClick(field(i), Qt::Key_C, Qt::ControlModifier);
            break;
        default:
            main().findChild<QAction *>("Calc")->trigger();
        }
        const CalcOutcome outcome = runOnModel(CalculateComparison);
        auto *box = main().findChild<QMessageBox *>("calcErrorBox");
        QCOMPARE(box != nullptr, !outcome.ok());
        if (box) {
            QCOMPARE(box->text(), QString::fromStdString(DescribeFailure(outcome.error())));
            box->button(QMessageBox::Ok)->click();
            QTRY_VERIFY(main().findChild<QMessageBox *>("calcErrorBox") == nullptr);
        }
        m_lastAction = QStringLiteral("calculate");
    }

    void clear() {
        const std::size_t i = pick(kFieldCount);
        switch (pick(3)) {
        case 0:
            QTest::mouseClick(control<QPushButton>(main(), "cmdClear"), Qt::LeftButton);
            break;
        case 1:
            focusEnd(i);
            QTest::keyClick(field(i), Qt::Key_Delete, Qt::ShiftModifier);
            break;
        default:
            main().findChild<QAction *>("Clear")->trigger();
        }
        runOnModel([](ComparisonState &state) {
            ClearComparison(state);
            return true;
        });
        m_lastAction = QStringLiteral("clear");
    }

    void doubleClickMain() {
        QWidget *area = main().centralWidget();
        const QPoint where(int(pick(482)), int(pick(396)));
        QWidget *target = area->childAt(where);
        m_expected.aboutShown = m_expected.aboutShown || target == nullptr;
        QWidget *receiver = target ? target : area;
        QTest::mouseDClick(receiver, Qt::LeftButton, {}, receiver->mapFrom(area, where));
        if (auto *edit = qobject_cast<QLineEdit *>(target))
            edit->deselect();
        m_lastAction = QStringLiteral("double-click main at %1,%2").arg(where.x()).arg(where.y());
    }

    void openAbout() {
        if (chance(50)) {
            focusEnd(pick(kFieldCount));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        } else {
            main().findChild<QAction *>("About")->trigger();
        }
        m_expected.aboutShown = true;
        m_lastAction = QStringLiteral("about");
    }

    void putAboutAway() {
        frmAbout &about = m_fixture.forms->about();
        switch (pick(3)) {
        case 0:
            QTest::mouseClick(control<QPushButton>(about, "cmdEnd"), Qt::LeftButton);
            break;
        case 1:
            QTest::mouseDClick(control(about, "clientArea"), Qt::LeftButton, {}, QPoint(300, 150));
            break;
        default:
            about.close();
        }
        m_expected.aboutShown = false;
        m_lastAction = QStringLiteral("put about away");
    }

    void askToExit() {
        switch (pick(4)) {
        case 0:
            QTest::mouseClick(control<QPushButton>(main(), "cmdExit"), Qt::LeftButton);
            break;
        case 1:
            focusEnd(pick(kFieldCount));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
            break;
        case 2:
            main().findChild<QAction *>("End")->trigger();
            break;
        default:
            main().close();
        }
        m_expected.mainShown = false;
        m_expected.exitShown = true;
        m_lastAction = QStringLiteral("exit");
    }

    void answerExit() {
        frmEndDurnoval &exitWindow = m_fixture.forms->endDurnoval();
        const std::size_t answer = pick(100);
        if (answer < 10) {
            exitWindow.close(); // from outside: ignored
            m_lastAction = QStringLiteral("close request to the exit window");
            return;
        }
        if (answer < 15) {
            if (chance(50))
                QTest::mouseClick(control<QPushButton>(exitWindow, "cmdYes"), Qt::LeftButton);
            else
                QTest::keyClick(&exitWindow, Qt::Key_Return);
            ++m_expected.ends;
            m_expected.mainShown = m_expected.exitShown = m_expected.aboutShown = false;
            m_lastAction = QStringLiteral("yes");
            return;
        }
        if (chance(50))
            QTest::mouseClick(control<QPushButton>(exitWindow, "cmdNo"), Qt::LeftButton);
        else
            QTest::keyClick(&exitWindow, Qt::Key_Escape);
        m_expected.mainShown = true;
        m_expected.exitShown = false;
        m_lastAction = QStringLiteral("not yet");
    }

    void step() {
        if (m_expected.exitShown) {
            if (m_expected.aboutShown && chance(20))
                putAboutAway();
            else
                answerExit();
            return;
        }
        const std::size_t action = pick(100);
        if (action < 45)
            typeInto(pick(kFieldCount));
        else if (action < 53)
            pasteInto(pick(kFieldCount), randomText(chance(10) ? 2000 : 12));
        else if (action < 70)
            calculate();
        else if (action < 76)
            clear();
        else if (action < 82)
            doubleClickMain();
        else if (action < 87)
            openAbout();
        else if (action < 92 && m_expected.aboutShown)
            putAboutAway();
        else if (action < 95)
            askToExit();
        else
            typeInto(pick(kFieldCount));
    }

    int instancesOf(const QMetaObject &type) {
        int count = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            count += window->metaObject()->inherits(&type);
        return count;
    }

    bool shown(const QMetaObject &type) {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->metaObject()->inherits(&type) && window->isVisible())
                return true;
        return false;
    }

    void checkInvariants() {
        QCOMPARE(m_fixture.endRequests, m_expected.ends);
        QVERIFY(instancesOf(frmDurnoval::staticMetaObject) <= 1);
        QVERIFY(instancesOf(frmAbout::staticMetaObject) <= 1);
        QVERIFY(instancesOf(frmEndDurnoval::staticMetaObject) <= 1);
        QCOMPARE(shown(frmDurnoval::staticMetaObject), m_expected.mainShown);
        QCOMPARE(shown(frmAbout::staticMetaObject), m_expected.aboutShown);
        QCOMPARE(shown(frmEndDurnoval::staticMetaObject), m_expected.exitShown);
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            const QString shown = field(i)->text();
            if (shown != expectedField(i)) {
                qsizetype at = 0;
                while (at < shown.size() && at < expectedField(i).size() &&
                       shown[at] == expectedField(i)[at])
                    ++at;
                qWarning("field %zu differs at %lld: shown '%s', expected '%s'", i, at,
                         qPrintable(shown.mid(at, 20)), qPrintable(expectedField(i).mid(at, 20)));
            }
            QCOMPARE(shown, expectedField(i));
            QCOMPARE(main().state().*kEntrySlots[i].text, expectedField(i).toStdString());
        }
        for (const OutputSlot &slot : kOutputSlots)
            QCOMPARE(main().state().*slot.result, m_expected.state.*slot.result);
        for (const OutputSlot &slot : kOutputSlots) {
            const ResultText &expected = m_expected.state.*slot.result;
            auto *label = control<QLabel>(main(), slot.name.data());
            QCOMPARE(label->text(), QString::fromStdString(expected.text));
            QCOMPARE(label->isVisible(), expected.visible && m_expected.mainShown);
        }
    }

    // After "Yes" the program is gone; the run goes on with a fresh one.
    void startAgain() {
        m_fixture.tearDown();
        m_fixture.start();
        m_expected = Expected{};
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void randomUserSessions() {
        const auto seed = environmentNumber("DURNOVAL_STRESS_SEED", 20261207);
        const auto actions = environmentNumber("DURNOVAL_STRESS_ACTIONS", 20000);
        m_random.seed(seed);
        m_fixture.start();
        for (unsigned long long n = 0; n < actions; ++n) {
            step();
            if (QTest::currentTestFailed())
                break;
            checkInvariants();
            if (QTest::currentTestFailed())
                break;
            if (m_expected.ends > 0)
                startAgain();
        }
        if (QTest::currentTestFailed())
            qWarning("seed %llu, after the action '%s'", seed, qPrintable(m_lastAction));
        m_fixture.tearDown();
    }

    void millionCharacterPaste() {
        m_fixture.start();
        m_expected = Expected{};
        pasteInto(2, QString(1'000'000, u'7'));
        checkInvariants();
        calculate(); // '777...7' is far out of range
        checkInvariants();
        clear();
        checkInvariants();
        m_fixture.tearDown();
    }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
