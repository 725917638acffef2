// A long lesson of random steps on the real window: random texts typed or pasted into random
// boxes, random presses of the buttons and of Enter. Whatever happens, the window stays open,
// every error is reported, and no tally is ever lost or counted wrong.
#include "mainwindow.h"
#include "numbertext.h"
#include "scriptedadapter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

const char *const kBoxes[] = {"a1", "b1", "c1", "e", "f"};

std::u16string u16(const QString &text)
{
    return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// A tally after one count: one step up from its lenient reading.
QString nextTally(const QString &tally)
{
    return QString::fromStdU16String(drill::NumberText(drill::ReadLenient(u16(tally)) + 1, u","));
}

int envOr(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class RandomLessonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lessonSurvivesAnything();

private:
    QString randomText();
    [[nodiscard]] QString text(const char *name) const { return box(name)->text(); }
    [[nodiscard]] QLineEdit *box(const char *name) const
    {
        return m_window->findChild<QLineEdit *>(QString::fromLatin1(name));
    }

    QRandomGenerator m_random;
    std::unique_ptr<ScriptedAdapter> m_adapter;
    std::unique_ptr<MainWindow> m_window;
};

void RandomLessonTest::initTestCase()
{
    // Force the locale for the "," the expected tallies are written with.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

QString RandomLessonTest::randomText()
{
    const auto pick = [this](int n) { return static_cast<int>(m_random.bounded(n)); };
    const auto digits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + pick(10));
        return s;
    };
    switch (pick(12)) {
    case 0: return QString();
    case 1: return digits(1 + pick(3));
    case 2: return digits(1 + pick(2)) + (pick(2) ? u',' : u'.') + digits(1 + pick(2));
    case 3: return QStringLiteral("0");
    case 4: return QStringList{"abc", "пять", "7abc", "5x", " 7", "07", "\t8 ", "-3", "+4", ".5", ","}[pick(11)];
    case 5: return QStringList{"1e999", "-1e400", "1e-999", "9e307", "1e308", "2e-308", "1E+15"}[pick(7)];
    case 6: return digits(1000 + pick(20000)); // a long paste of digits, beyond the double range
    case 7: return QStringLiteral("0.") + digits(5000 + pick(20000)); // long, but in range
    case 8: return QString(pick(3000), u' ') + digits(1 + pick(3));
    case 9: {
        static const QString alphabet = QStringLiteral("0123456789.,eE+- abcпять\u00a0\u0661");
        QString s;
        for (int i = pick(12); i > 0; --i)
            s += alphabet[pick(alphabet.size())];
        return s;
    }
    case 10: return QString::number(2 + pick(9) * (2 + pick(9)));
    default: return QString::number(2 + pick(9));
    }
}

void RandomLessonTest::lessonSurvivesAnything()
{
    const quint32 seed = static_cast<quint32>(envOr("ZORNET_LESSON_SEED", 20261208));
    const int steps = envOr("ZORNET_LESSON_STEPS", 10000);
    qInfo("seed %u, %d steps (ZORNET_LESSON_SEED, ZORNET_LESSON_STEPS)", seed, steps);
    m_random.seed(seed);

    m_adapter = std::make_unique<ScriptedAdapter>();
    m_window = std::make_unique<MainWindow>(*m_adapter);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *check = m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *next = m_window->findChild<QPushButton *>(QStringLiteral("Command2"));

    int checks = 0;
    int errors = 0;
    for (int step = 0; step < steps; ++step) {
        QMap<QString, QString> before;
        for (const char *name : kBoxes)
            before[QString::fromLatin1(name)] = text(name);
        const std::size_t reportsBefore = m_adapter->reports.size();
        const QString where = QStringLiteral("step %1 of seed %2").arg(step).arg(seed);

        const int action = static_cast<int>(m_random.bounded(10));
        if (action < 5) {
            const char *name = kBoxes[m_random.bounded(5)];
            const QString typed = randomText();
            QLineEdit *target = box(name);
            target->setFocus();
            target->selectAll();
            // Long texts, and tabs, which a key would not type, come by pasting.
            if (typed.size() > 40 || typed.contains(u'\t')) {
                target->insert(typed);
            } else {
                QTest::keyClick(target, Qt::Key_Delete);
                for (const QChar c : typed)
                    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
            QVERIFY2(target->text() == typed, qPrintable(where + ": typed " + typed.left(50)));
            for (const char *other : kBoxes)
                if (other != name)
                    QVERIFY2(text(other) == before[QString::fromLatin1(other)], qPrintable(where));
            QCOMPARE(m_adapter->reports.size(), reportsBefore);
        } else if (action < 8) {
            ++checks;
            if (action == 7)
                QTest::keyClick(box(kBoxes[m_random.bounded(5)]), Qt::Key_Return);
            else
                QTest::mouseClick(check, Qt::LeftButton);
            const QString e = before["e"], f = before["f"];
            QVERIFY2(text("a1") == before["a1"] && text("b1") == before["b1"], qPrintable(where));
            if (m_adapter->reports.size() > reportsBefore) {
                ++errors;
                QCOMPARE(m_adapter->reports.size(), reportsBefore + 1);
                QVERIFY2(text("e") == e && text("f") == f, qPrintable(where));
            } else {
                const bool right = text("e") == nextTally(e) && text("f") == f;
                const bool wrong = text("f") == nextTally(f) && text("e") == e;
                QVERIFY2(right || wrong, qPrintable(where + ": " + e + " " + f + " -> " + text("e") + " " + text("f")));
            }
        } else {
            QTest::mouseClick(next, Qt::LeftButton);
            QCOMPARE(m_adapter->reports.size(), reportsBefore);
            QVERIFY2(text("e") == before["e"] && text("f") == before["f"], qPrintable(where));
            QCOMPARE(text("c1"), QStringLiteral("0"));
            const int divisor = text("b1").toInt();
            const int dividend = text("a1").toInt();
            QVERIFY2(divisor >= 2 && divisor <= 10 && dividend % divisor == 0 && dividend / divisor >= 2
                         && dividend / divisor <= 10,
                     qPrintable(where));
        }
        QVERIFY2(m_window->isVisible(), qPrintable(where));
    }
    qInfo("%d checks, %d of them reported an error", checks, errors);
    QVERIFY(errors > 0 && errors < checks); // the lesson met both outcomes
}

QTEST_MAIN(RandomLessonTest)
#include "tst_randomlesson.moc"
