// exactdecimal, which turns numbers to text and back in the page's program, against the C++
// library's own floating-point <charconv>, which the desktop uses: the two must agree to the bit
// and to the character, on the edges of the double range and on many random numbers.

#include "exactdecimal.h"

#include <QTest>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

// What <charconv> reads for the same digits and exponent, in exactdecimal's terms.
drill::exactdecimal::Reading expectedReading(const std::string &digits, std::int64_t exponent)
{
    const std::string text = digits + 'e' + std::to_string(exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return {0.0, true};
    return {value, false};
}

std::string expectedWriting(double value, int precision)
{
    char out[64];
    return {out, std::to_chars(out, out + sizeof out, value, std::chars_format::scientific, precision).ptr};
}

std::string written(double value, int precision)
{
    char out[drill::exactdecimal::kScientificCapacity];
    return {out, drill::exactdecimal::writeScientific(out, value, precision)};
}

std::uint64_t bitsOf(double value)
{
    std::uint64_t word;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

double fromBits(std::uint64_t word)
{
    double value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

// The decimal digits of 5^power, exactly.
QString powerOf5(int power)
{
    std::string digits = "1"; // lowest digit first
    for (int p = 0; p < power; ++p) {
        int carry = 0;
        for (char &digit : digits) {
            const int product = (digit - '0') * 5 + carry;
            digit = static_cast<char>('0' + product % 10);
            carry = product / 10;
        }
        if (carry != 0)
            digits += static_cast<char>('0' + carry);
    }
    return QString::fromStdString(std::string(digits.rbegin(), digits.rend()));
}

// Compares one reading; returns false (after a failure message) when they differ.
bool readsAsCharconv(const std::string &digits, std::int64_t exponent)
{
    const auto got = drill::exactdecimal::read(digits, exponent);
    const auto want = expectedReading(digits, exponent);
    if (got.outOfRange == want.outOfRange && (got.outOfRange || bitsOf(got.value) == bitsOf(want.value)))
        return true;
    qWarning("%s e%lld: read %.17g%s, <charconv> %.17g%s", digits.substr(0, 60).c_str(), static_cast<long long>(exponent),
             got.value, got.outOfRange ? " (out of range)" : "", want.value, want.outOfRange ? " (out of range)" : "");
    return false;
}

} // namespace

class ExactDecimalTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void readRandom();
    void write_data();
    void write();
    void writeRandom();
};

void ExactDecimalTest::read_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<qlonglong>("exponent");

    const QString halfway = QStringLiteral("9007199254740993"); // 2^53 + 1, half-way between two doubles
    QTest::newRow("one") << "1" << 0LL;
    QTest::newRow("leading zeros") << "0007" << 0LL;
    QTest::newRow("fifteen digits, exact") << "123456789012345" << -7LL;
    QTest::newRow("sixteen digits") << "1234567890123456" << -7LL;
    QTest::newRow("ten to the 22nd") << "3" << 22LL;
    QTest::newRow("ten to the 23rd") << "3" << 23LL;
    QTest::newRow("one tenth") << "1" << -1LL;
    QTest::newRow("half-way rounds to even") << halfway << 0LL;
    QTest::newRow("just above half-way") << halfway + QStringLiteral("000000000000000000001") << -21LL;
    QTest::newRow("just below half-way") << QStringLiteral("9007199254740992999999999999999") << -15LL;
    QTest::newRow("the largest double") << "17976931348623157" << 292LL;
    QTest::newRow("half-way above the largest") << "179769313486231580793728971405301" << 276LL;
    QTest::newRow("just below that half-way") << "179769313486231580793728971405300" << 276LL;
    QTest::newRow("past the largest") << "1" << 309LL;
    QTest::newRow("the smallest normal") << "22250738585072014" << -324LL;
    QTest::newRow("the largest subnormal") << "22250738585072009" << -324LL;
    QTest::newRow("the smallest subnormal") << "5" << -324LL;
    // 2^-1075 = 5^1075 × 10^-1075, half of the smallest subnormal: a tie, to the even zero.
    QTest::newRow("half the smallest subnormal") << powerOf5(1075) << -1075LL;
    QTest::newRow("a hair over half the smallest") << powerOf5(1075) + u'1' << -1076LL;
    QTest::newRow("far below the smallest") << "1" << -400LL;
    QTest::newRow("eight hundred digits") << QString(800, u'7') << -700LL;
    QTest::newRow("a sticky digit past 800") << halfway + QString(900, u'0') + u'1' << -901LL;
    QTest::newRow("zeros past 800") << halfway + QString(900, u'0') << -900LL;
    QTest::newRow("huge exponent") << "1" << 99999999999LL;
    QTest::newRow("huge negative exponent") << "1" << -99999999999LL;
}

void ExactDecimalTest::read()
{
    QFETCH(QString, digits);
    QFETCH(qlonglong, exponent);
    QVERIFY(readsAsCharconv(digits.toStdString(), exponent));
}

// Digit strings of every length up to 40 and a few long ones, with exponents across the range.
void ExactDecimalTest::readRandom()
{
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 200000; ++i) {
        const int length = i % 50 == 0 ? 100 + static_cast<int>(random() % 800) : 1 + static_cast<int>(random() % 40);
        std::string digits;
        for (int j = 0; j < length; ++j)
            digits += static_cast<char>('0' + random() % 10);
        digits[0] = static_cast<char>('1' + random() % 9);
        const auto exponent = static_cast<std::int64_t>(random() % 700) - 350 - length;
        if (!readsAsCharconv(digits, exponent))
            QFAIL("a random reading differs");
    }
}

void ExactDecimalTest::write_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");

    QTest::newRow("zero") << 0.0 << 14;
    QTest::newRow("negative zero") << -0.0 << 14;
    QTest::newRow("one and a half") << 1.5 << 14;
    QTest::newRow("no digits after the point") << 2.5 << 0;
    QTest::newRow("one third") << 1.0 / 3 << 14;
    QTest::newRow("rounds up through nines") << 9.9999999999999995 << 14;
    QTest::newRow("2^53 + 2, a tie at 16 digits") << 9007199254740994.0 << 14;
    QTest::newRow("10^15 + 5, an exact tie") << 1000000000000005.0 << 14;
    QTest::newRow("10^15 + 15, an exact tie upwards") << 1000000000000015.0 << 14;
    QTest::newRow("the largest double") << 1.7976931348623157e308 << 14;
    QTest::newRow("the largest, 17 digits") << 1.7976931348623157e308 << 16;
    QTest::newRow("the smallest normal") << 2.2250738585072014e-308 << 14;
    QTest::newRow("the smallest subnormal") << 4.9406564584124654e-324 << 14;
    QTest::newRow("the smallest subnormal, 17 digits") << 4.9406564584124654e-324 << 16;
    QTest::newRow("a three-digit exponent") << 1e100 << 14;
    QTest::newRow("negative") << -0.0001 << 14;
    QTest::newRow("infinity") << HUGE_VAL << 14;
    QTest::newRow("negative infinity") << -HUGE_VAL << 14;
}

void ExactDecimalTest::write()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QCOMPARE(written(value, precision), expectedWriting(value, precision));
}

// Any bit pattern (NaN aside), and numbers with few significant digits, where exact ties lie.
void ExactDecimalTest::writeRandom()
{
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200000; ++i) {
        double value = fromBits(random());
        if (i % 2 == 0)
            value = static_cast<double>(random() % 100000000000000000ULL) * (i % 4 == 0 ? 0.5 : 1.0);
        if (value != value)
            continue;
        const int precision = i % 3 == 0 ? 14 : static_cast<int>(random() % 17);
        const std::string got = written(value, precision);
        const std::string want = expectedWriting(value, precision);
        if (got != want)
            QFAIL(qPrintable(QStringLiteral("%1 with %2 digits: %3, <charconv> %4")
                                 .arg(value, 0, 'g', 17).arg(precision).arg(got.c_str(), want.c_str())));
    }
}

QTEST_APPLESS_MAIN(ExactDecimalTest)
#include "tst_exactdecimal.moc"
