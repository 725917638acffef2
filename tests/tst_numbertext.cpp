#include "numbertext.h"
#include "runtimeerror.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <optional>

using drill::ErrorNumber;

namespace {

std::u16string u16(const QString &text)
{
    return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size()));
}

QString q(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// QCOMPARE on doubles is fuzzy; the readers must round exactly, so compare all 17 digits.
QString exactly(double value)
{
    return QString::number(value, 'g', 17);
}

// Runs `read`, giving the number it reads or the error it raises (0 for none).
template <class Read>
std::pair<double, int> outcome(Read read)
{
    try {
        return {read(), 0};
    } catch (const drill::RunTimeError &error) {
        return {0.0, static_cast<int>(error.number())};
    }
}

// A long number whose correct rounding depends on a digit far past the ones kept in full:
// 2^53 + 1 is exactly half-way between two doubles, so a non-zero digit a thousand places
// later decides the rounding.
QString halfwayThenOne()
{
    return QStringLiteral("9007199254740993.") + QString(1000, u'0') + u'1';
}

constexpr int kOverflow = static_cast<int>(ErrorNumber::Overflow);
constexpr int kMismatch = static_cast<int>(ErrorNumber::TypeMismatch);

} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readLenient_data();
    void readLenient();
    void readStrict_data();
    void readStrict();
    void numberText_data();
    void numberText();
    void textEquals_data();
    void textEquals();
    void wholeNumbersSurviveTheRoundTrip_data();
    void wholeNumbersSurviveTheRoundTrip();
};

void NumberTextTest::readLenient_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");

    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("blanks") << " \t\n\r " << 0.0 << 0;
    QTest::newRow("plain") << "7" << 7.0 << 0;
    QTest::newRow("leading zero") << "07" << 7.0 << 0;
    QTest::newRow("trailing letters") << "7abc" << 7.0 << 0;
    QTest::newRow("leading blank") << " 7" << 7.0 << 0;
    QTest::newRow("leading tab and newline") << "\t\n7" << 7.0 << 0;
    QTest::newRow("letters first") << "abc7" << 0.0 << 0;
    QTest::newRow("full stop") << "7.5" << 7.5 << 0;
    QTest::newRow("comma ends the number") << "7,5" << 7.0 << 0;
    QTest::newRow("negative") << "-3" << -3.0 << 0;
    QTest::newRow("plus sign") << "+4" << 4.0 << 0;
    QTest::newRow("no whole part") << ".5" << 0.5 << 0;
    QTest::newRow("negative, no whole part") << "-.5" << -0.5 << 0;
    QTest::newRow("trailing stop") << "5." << 5.0 << 0;
    QTest::newRow("lone stop") << "." << 0.0 << 0;
    QTest::newRow("lone sign") << "-" << 0.0 << 0;
    QTest::newRow("blank after sign") << "- 7" << 0.0 << 0;
    QTest::newRow("blank inside") << "1 000" << 1.0 << 0;
    QTest::newRow("exponent") << "7e2" << 700.0 << 0;
    QTest::newRow("capital negative exponent") << "7E-1" << 0.7 << 0;
    QTest::newRow("bare exponent mark") << "7e" << 7.0 << 0;
    QTest::newRow("exponent mark and sign") << "7e+" << 7.0 << 0;
    QTest::newRow("hexadecimal is not read") << "0x1A" << 0.0 << 0;
    QTest::newRow("other digits are not read") << "\u0661\u0662" << 0.0 << 0;
    QTest::newRow("no-break space after") << "7\u00a0" << 7.0 << 0;
    QTest::newRow("many leading zeros") << QString(500, u'0') + u'1' << 1.0 << 0;
    QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX << 0;
    QTest::newRow("just past the largest") << "1.7976931348623159e308" << 0.0 << kOverflow;
    QTest::newRow("too large") << "1e309" << 0.0 << kOverflow;
    QTest::newRow("too large, negative") << "-1e309abc" << 0.0 << kOverflow;
    QTest::newRow("too many digits") << u'1' + QString(400, u'0') << 0.0 << kOverflow;
    QTest::newRow("huge exponent") << "1e99999999999999999999999" << 0.0 << kOverflow;
    QTest::newRow("too small") << "1e-400" << 0.0 << 0;
    QTest::newRow("huge negative exponent") << "1e-99999999999999999999" << 0.0 << 0;
    QTest::newRow("zero, huge exponent") << "0e99999999999" << 0.0 << 0;
    QTest::newRow("smallest normal") << "2.2250738585072014e-308" << DBL_MIN << 0;
    QTest::newRow("half-way rounds to even") << "9007199254740993" << 9007199254740992.0 << 0;
    QTest::newRow("far digit breaks the tie") << halfwayThenOne() << 9007199254740994.0 << 0;
    QTest::newRow("far digit, whole part")
        << QStringLiteral("9007199254740993") + QString(1000, u'0') + QStringLiteral("1e-1001")
        << 9007199254740994.0 << 0;
}

void NumberTextTest::readLenient()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(int, error);

    const auto [value, raised] = outcome([&] { return drill::ReadLenient(u16(text)); });
    QCOMPARE(raised, error);
    QCOMPARE(exactly(value), exactly(expected));
}

void NumberTextTest::readStrict_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");

    QTest::newRow("whole") << "56" << "," << 56.0 << 0;
    QTest::newRow("blanks around") << " \t56\r\n " << "," << 56.0 << 0;
    QTest::newRow("regional comma") << "2,5" << "," << 2.5 << 0;
    QTest::newRow("stop where comma is regional") << "2.5" << "," << 0.0 << kMismatch;
    QTest::newRow("regional stop") << "2.5" << "." << 2.5 << 0;
    QTest::newRow("comma where stop is regional") << "2,5" << "." << 0.0 << kMismatch;
    QTest::newRow("no whole part") << ",5" << "," << 0.5 << 0;
    QTest::newRow("no fraction") << "5," << "," << 5.0 << 0;
    QTest::newRow("lone separator") << "," << "," << 0.0 << kMismatch;
    QTest::newRow("negative") << "-7" << "," << -7.0 << 0;
    QTest::newRow("plus sign") << "+7" << "," << 7.0 << 0;
    QTest::newRow("exponent") << "1E3" << "," << 1000.0 << 0;
    QTest::newRow("empty") << "" << "," << 0.0 << kMismatch;
    QTest::newRow("blanks") << "   " << "," << 0.0 << kMismatch;
    QTest::newRow("letter after") << "5a" << "," << 0.0 << kMismatch;
    QTest::newRow("letters") << "abc" << "," << 0.0 << kMismatch;
    QTest::newRow("bare exponent mark") << "7e" << "," << 0.0 << kMismatch;
    QTest::newRow("grouping blank") << "1 000" << "," << 0.0 << kMismatch;
    QTest::newRow("grouping no-break space") << "1\u00a0000" << "," << 0.0 << kMismatch;
    QTest::newRow("currency") << "12\u20bd" << "," << 0.0 << kMismatch;
    QTest::newRow("two signs") << "--7" << "," << 0.0 << kMismatch;
    QTest::newRow("sign after") << "7-" << "," << 0.0 << kMismatch;
    QTest::newRow("hexadecimal") << "0x10" << "," << 0.0 << kMismatch;
    QTest::newRow("inf") << "inf" << "," << 0.0 << kMismatch;
    QTest::newRow("infinity") << "-Infinity" << "," << 0.0 << kMismatch;
    QTest::newRow("nan") << "NaN" << "," << 0.0 << kMismatch;
    QTest::newRow("too large") << "1e309" << "," << 0.0 << kOverflow;
    QTest::newRow("too large, then letters") << "1e309x" << "," << 0.0 << kMismatch;
    QTest::newRow("too small") << "1e-400" << "," << 0.0 << 0;
}

void NumberTextTest::readStrict()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(double, expected);
    QFETCH(int, error);

    const auto [value, raised] = outcome([&] { return drill::ReadStrict(u16(text), u16(separator)); });
    QCOMPARE(raised, error);
    QCOMPARE(exactly(value), exactly(expected));
}

void NumberTextTest::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "," << "0";
    QTest::newRow("negative zero") << -0.0 << "," << "0";
    QTest::newRow("7") << 7.0 << "," << "7";
    QTest::newRow("56") << 56.0 << "," << "56";
    QTest::newRow("100") << 100.0 << "," << "100";
    QTest::newRow("negative whole") << -3.0 << "," << "-3";
    QTest::newRow("fraction, comma") << 7.5 << "," << "7,5";
    QTest::newRow("fraction, stop") << 7.5 << "." << "7.5";
    QTest::newRow("below one") << 0.5 << "," << "0,5";
    QTest::newRow("negative below one") << -0.25 << "," << "-0,25";
    QTest::newRow("a third") << 1.0 / 3.0 << "," << "0,333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3.0 << "," << "0,666666666666667";
    QTest::newRow("binary noise rounds away") << 0.1 + 0.2 << "," << "0,3";
    QTest::newRow("largest plain whole") << 999999999999999.0 << "," << "999999999999999";
    QTest::newRow("fraction rounds to 15 digits") << 123456789012345.6 << "," << "123456789012346";
    QTest::newRow("rounding carries into E form") << 999999999999999.9 << "," << "1E+15";
    QTest::newRow("10^15") << 1e15 << "," << "1E+15";
    QTest::newRow("-10^15") << -1e15 << "," << "-1E+15";
    QTest::newRow("2^53") << 9007199254740992.0 << "," << "9,00719925474099E+15";
    QTest::newRow("large fraction") << 1.5e20 << "," << "1,5E+20";
    QTest::newRow("three-digit exponent") << 1e100 << "," << "1E+100";
    QTest::newRow("largest double, rounded down to stay readable") << DBL_MAX << "," << "1,79769313486231E+308";
    QTest::newRow("largest double, negative") << -DBL_MAX << "," << "-1,79769313486231E+308";
    QTest::newRow("largest double to round up") << 1.79769313486231e308 << "," << "1,79769313486231E+308";
    QTest::newRow("10^-4 is plain") << 0.0001 << "," << "0,0001";
    QTest::newRow("small plain") << 0.00012345 << "," << "0,00012345";
    QTest::newRow("below 10^-4") << 1e-5 << "," << "1E-05";
    QTest::newRow("small fraction") << 1.2345e-5 << "," << "1,2345E-05";
    QTest::newRow("smallest double") << 4.9406564584124654e-324 << "," << "4,94065645841247E-324";
}

void NumberTextTest::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, expected);

    QCOMPARE(q(drill::NumberText(value, u16(separator))), expected);
}

void NumberTextTest::textEquals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("equal");

    QTest::newRow("same") << 7.0 << "7" << true;
    QTest::newRow("leading zero") << 7.0 << "07" << false;
    QTest::newRow("leading blank") << 7.0 << " 7" << false;
    QTest::newRow("trailing blank") << 7.0 << "7 " << false;
    QTest::newRow("written with a fraction") << 7.0 << "7,0" << false;
    QTest::newRow("regional fraction") << 7.5 << "7,5" << true;
    QTest::newRow("other separator") << 7.5 << "7.5" << false;
    QTest::newRow("empty") << 0.0 << "" << false;
}

void NumberTextTest::textEquals()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(bool, equal);

    QCOMPARE(drill::TextEquals(value, u16(text), u","), equal);
}

void NumberTextTest::wholeNumbersSurviveTheRoundTrip_data()
{
    QTest::addColumn<double>("value");

    for (const double value : {0.0, 1.0, -1.0, 7.0, 56.0, 100.0, 2147483648.0, 999999999999999.0, -999999999999999.0})
        QTest::newRow(qPrintable(QString::number(value, 'f', 0))) << value;
}

void NumberTextTest::wholeNumbersSurviveTheRoundTrip()
{
    QFETCH(double, value);

    const std::u16string text = drill::NumberText(value, u",");
    QCOMPARE(exactly(drill::ReadLenient(text)), exactly(value));
    QCOMPARE(exactly(drill::ReadStrict(text, u",")), exactly(value));
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
