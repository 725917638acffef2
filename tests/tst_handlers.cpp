#include "generator.h"
#include "handlers.h"
#include "memoryform.h"
#include "numbertext.h"

#include <QTest>

#include <cmath>
#include <set>

namespace {

QString q(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

QStringList q(const std::vector<std::string> &log)
{
    QStringList list;
    for (const std::string &entry : log)
        list << QString::fromStdString(entry);
    return list;
}

// The real generator behind a clock that never moves, the worst case for reseeding.
class FrozenClockServices : public ScriptedServices
{
public:
    drill::Generator generator{12345};
    void Reseed(float seed) override { generator.reseed(seed); }
    float NextRandom() override { return generator.next(); }
};

constexpr float kLargestBelowOne = 0x1.fffffep-1f;

} // namespace

class HandlersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawStaysInRange_data();
    void drawStaysInRange();
    void everyPairOccursEvenWhenTheClockStandsStill();
    void generatorIsUniform();
    void loadPosesAProblemAndLeavesTheRestEmpty();
    void nextClearsTheAnswerToZeroAndKeepsTheTallies();
    void newProblemReadsTheDivisorBack();
    void checkRunsItsStepsInOrder();
    void checkErrorLeavesTalliesAlone();
    void asksForTheSeparatorOnlyWhenANumberNeedsIt_data();
    void asksForTheSeparatorOnlyWhenANumberNeedsIt();
};

void HandlersTest::drawStaysInRange_data()
{
    QTest::addColumn<float>("r1");
    QTest::addColumn<float>("r2");
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("dividend");

    QTest::newRow("smallest") << 0.0f << 0.0f << "2" << "4";
    QTest::newRow("largest below one") << kLargestBelowOne << kLargestBelowOne << "10" << "100";
    QTest::newRow("quotient first") << kLargestBelowOne << 0.0f << "2" << "20";
    QTest::newRow("divisor second") << 0.0f << kLargestBelowOne << "10" << "20";
    QTest::newRow("middle") << 0.5f << 0.5f << "6" << "36";
    QTest::newRow("just under a step") << std::nextafter(5.0f / 9.0f, 0.0f) << 0.7f << "8" << "48";
}

void HandlersTest::drawStaysInRange()
{
    QFETCH(float, r1);
    QFETCH(float, r2);
    QFETCH(QString, divisor);
    QFETCH(QString, dividend);

    MemoryForm form;
    ScriptedServices services;
    services.randoms = {r1, r2};
    drill::Handlers(form, services).NewProblem();

    QCOMPARE(q(form.texts["b1"]), divisor);
    QCOMPARE(q(form.texts["a1"]), dividend);
    QVERIFY(services.randoms.empty()); // exactly one number each for quotient and divisor
}

void HandlersTest::everyPairOccursEvenWhenTheClockStandsStill()
{
    MemoryForm form;
    FrozenClockServices services;
    drill::Handlers handlers(form, services);

    std::set<std::pair<int, int>> pairs;
    for (int i = 0; i < 5000; ++i) {
        handlers.Command2_Click();
        const double divisor = drill::ReadStrict(form.texts["b1"], u",");
        const double dividend = drill::ReadStrict(form.texts["a1"], u",");
        QCOMPARE(std::fmod(dividend, divisor), 0.0);
        const int d = static_cast<int>(divisor);
        const int k = static_cast<int>(dividend / divisor);
        QVERIFY2(d >= 2 && d <= 10 && k >= 2 && k <= 10, qPrintable(q(form.texts["a1"]) + " : " + q(form.texts["b1"])));
        pairs.emplace(d, k);
    }
    QCOMPARE(pairs.size(), std::size_t{81});
}

void HandlersTest::generatorIsUniform()
{
    drill::Generator generator(7);
    constexpr int kDraws = 90000;
    int bins[9] = {};
    for (int i = 0; i < kDraws; ++i) {
        generator.reseed(42.0f); // the same tick every time must not repeat the sequence
        const float r = generator.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        ++bins[static_cast<int>(r * 9.0f)];
    }
    for (const int count : bins)
        QVERIFY2(std::abs(count - kDraws / 9) < kDraws / 9 / 20, qPrintable(QString::number(count))); // 5 sigma
}

void HandlersTest::loadPosesAProblemAndLeavesTheRestEmpty()
{
    MemoryForm form;
    ScriptedServices services;
    services.randoms = {0.6f, 0.7f};
    drill::Handlers(form, services).Form_Load();

    QCOMPARE(services.seeds, std::vector<float>{services.clock});
    QCOMPARE(q(form.texts["a1"]), QStringLiteral("56"));
    QCOMPARE(q(form.texts["b1"]), QStringLiteral("8"));
    QVERIFY(form.texts["c1"].empty());
    QVERIFY(form.texts["e"].empty());
    QVERIFY(form.texts["f"].empty());
}

void HandlersTest::nextClearsTheAnswerToZeroAndKeepsTheTallies()
{
    MemoryForm form;
    form.texts["c1"] = u"7";
    form.texts["e"] = u"3";
    form.texts["f"] = u"abc";
    ScriptedServices services;
    services.randoms = {0.0f, 0.0f};
    drill::Handlers(form, services).Command2_Click();

    QCOMPARE(services.seeds.size(), std::size_t{1});
    QCOMPARE(q(form.texts["c1"]), QStringLiteral("0"));
    QCOMPARE(q(form.texts["e"]), QStringLiteral("3"));
    QCOMPARE(q(form.texts["f"]), QStringLiteral("abc"));
    QCOMPARE(q(form.log), (QStringList{"put c1", "put b1", "get b1", "put b1", "get b1", "put a1"}));
}

void HandlersTest::newProblemReadsTheDivisorBack()
{
    // The dividend is computed from what b1 holds after it is written, not from the drawn value.
    class RewritingForm : public MemoryForm
    {
    public:
        void SetText(std::string_view control, std::u16string_view text) override
        {
            MemoryForm::SetText(control, control == "b1" ? std::u16string(u" 3") : std::u16string(text));
        }
    } form;
    ScriptedServices services;
    services.randoms = {0.6f, 0.0f}; // quotient 7
    drill::Handlers(form, services).NewProblem();
    QCOMPARE(q(form.texts["a1"]), QStringLiteral("21"));
}

void HandlersTest::checkRunsItsStepsInOrder()
{
    MemoryForm form;
    form.texts = {{"a1", u"56"}, {"b1", u"8"}, {"c1", u"07"}, {"e", u""}, {"f", u""}};
    ScriptedServices services;
    drill::Handlers(form, services).Command1_Click();

    QCOMPARE(q(form.log), (QStringList{"get e", "get f", "get c1", "put c1", "get a1", "get b1", "get c1", "put e"}));
    QCOMPARE(q(form.texts["c1"]), QStringLiteral("7"));
    QCOMPARE(q(form.texts["e"]), QStringLiteral("1"));
}

void HandlersTest::checkErrorLeavesTalliesAlone()
{
    MemoryForm form;
    form.texts = {{"a1", u"56"}, {"b1", u"0"}, {"c1", u"7x"}, {"e", u"2"}, {"f", u"5"}};
    ScriptedServices services;
    try {
        drill::Handlers(form, services).Command1_Click();
        QFAIL("dividing by zero raised nothing");
    } catch (const drill::RunTimeError &error) {
        QCOMPARE(error.number(), drill::ErrorNumber::DivisionByZero);
    }
    QCOMPARE(q(form.texts["c1"]), QStringLiteral("7"));
    QCOMPARE(q(form.texts["e"]), QStringLiteral("2"));
    QCOMPARE(q(form.texts["f"]), QStringLiteral("5"));
}

// A browser's first look at its language costs more than the rest of the page's start: whole
// numbers, all that a problem is made of, must not need it, and one event asks at most once.
void HandlersTest::asksForTheSeparatorOnlyWhenANumberNeedsIt_data()
{
    QTest::addColumn<int>("handler"); // 0 load, 1 «Проверить», 2 «Следующий»
    QTest::addColumn<QString>("a1");
    QTest::addColumn<QString>("b1");
    QTest::addColumn<QString>("c1");
    QTest::addColumn<QString>("e");
    QTest::addColumn<int>("asked");

    QTest::newRow("the first problem") << 0 << "" << "" << "" << "" << 0;
    QTest::newRow("the next problem") << 2 << "56" << "8" << "7" << "3" << 0;
    QTest::newRow("a whole answer, right") << 1 << "56" << "8" << "7" << "3" << 0;
    QTest::newRow("a whole answer, wrong") << 1 << "56" << "8" << "9" << "" << 0;
    QTest::newRow("an answer with a fraction") << 1 << "56" << "8" << "7.5" << "" << 1;
    QTest::newRow("a problem with a fraction") << 1 << "7,5" << "2" << "3.75" << "" << 1;
    QTest::newRow("a tally with a fraction") << 1 << "56" << "8" << "7" << "2.5" << 1;
    QTest::newRow("letters in the dividend") << 1 << "пять" << "8" << "7" << "" << 1;
}

void HandlersTest::asksForTheSeparatorOnlyWhenANumberNeedsIt()
{
    QFETCH(int, handler);
    QFETCH(QString, a1);
    QFETCH(QString, b1);
    QFETCH(QString, c1);
    QFETCH(QString, e);
    QFETCH(int, asked);
    MemoryForm form;
    form.texts = {{"a1", a1.toStdU16String()}, {"b1", b1.toStdU16String()}, {"c1", c1.toStdU16String()},
                  {"e", e.toStdU16String()}, {"f", u""}};
    ScriptedServices services;
    services.randoms = {0.6f, 0.7f};
    drill::Handlers handlers(form, services);
    try {
        if (handler == 0)
            handlers.Form_Load();
        else if (handler == 1)
            handlers.Command1_Click();
        else
            handlers.Command2_Click();
    } catch (const drill::RunTimeError &) {
        // Letters in the dividend: asked, then refused.
    }
    QCOMPARE(services.separatorAsked, asked);
}

QTEST_APPLESS_MAIN(HandlersTest)
#include "tst_handlers.moc"
