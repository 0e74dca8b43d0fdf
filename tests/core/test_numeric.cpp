#include "numeric.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace tessnivar;

class TestNumeric : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsLeadingNumberOnly_data();
    void numericValueReadsLeadingNumberOnly();
    void roundToInt32TiesToEvenWithinRange_data();
    void roundToInt32TiesToEvenWithinRange();
    void decimalTextCoversWholeInt64Range();
};

void TestNumeric::numericValueReadsLeadingNumberOnly_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    const QByteArray nines(400, '9');
    const QByteArray tinyFraction = "0." + QByteArray(400, '0') + "1";

    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("not a number") << QByteArray("abc") << 0.0;
    QTest::newRow("digits then letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("spaces and tabs first") << QByteArray(" \t 42") << 42.0;
    QTest::newRow("line break is not a blank") << QByteArray("\n5") << 0.0;
    QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
    QTest::newRow("minus sign") << QByteArray("-7") << -7.0;
    QTest::newRow("blank after sign") << QByteArray(" - 3") << 0.0;
    QTest::newRow("two signs") << QByteArray("+-3") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("fraction without whole part") << QByteArray(".5") << 0.5;
    QTest::newRow("signed fraction") << QByteArray("-.25") << -0.25;
    QTest::newRow("point without fraction") << QByteArray("5.") << 5.0;
    QTest::newRow("second point ends the number") << QByteArray("1.5.6") << 1.5;
    QTest::newRow("blank ends the number") << QByteArray("3 4") << 3.0;
    QTest::newRow("comma is not a decimal point") << QByteArray("1,5") << 1.0;
    QTest::newRow("no exponent") << QByteArray("1e5") << 1.0;
    QTest::newRow("no radix prefix") << QByteArray("0x10") << 0.0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7.0;
    QTest::newRow("correctly rounded") << QByteArray("0.1") << 0.1;
    QTest::newRow("thirty digits")
        << QByteArray("123456789012345678901234567890") << 123456789012345678901234567890.0;
    QTest::newRow("negative zero") << QByteArray("-0") << -0.0;
    QTest::newRow("hundreds of digits") << nines << inf;
    QTest::newRow("hundreds of digits negative") << "-" + nines << -inf;
    QTest::newRow("large but finite") << "1" + QByteArray(300, '0') << 1e300;
    QTest::newRow("tiny fraction") << tinyFraction << 0.0;
    QTest::newRow("tiny negative fraction") << "-" + tinyFraction << -0.0;
}

void TestNumeric::numericValueReadsLeadingNumberOnly() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double actual = NumericValue(std::string_view(text.constData(), text.size()));
    // Bit for bit, so that a wrong sign of zero or a last-digit rounding error shows.
    QVERIFY2(std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected),
             QByteArray::number(actual, 'g', 17) + " != " + QByteArray::number(expected, 'g', 17));
}

void TestNumeric::roundToInt32TiesToEvenWithinRange_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    const int max = std::numeric_limits<std::int32_t>::max();
    const int min = std::numeric_limits<std::int32_t>::min();

    QTest::newRow("2.5") << 2.5 << true << 2;
    QTest::newRow("3.5") << 3.5 << true << 4;
    QTest::newRow("0.5") << 0.5 << true << 0;
    QTest::newRow("-2.5") << -2.5 << true << -2;
    QTest::newRow("-3.5") << -3.5 << true << -4;
    QTest::newRow("just below half") << 2.4999999 << true << 2;
    QTest::newRow("just above half") << 2.5000001 << true << 3;
    QTest::newRow("negative zero") << -0.0 << true << 0;
    QTest::newRow("max") << double(max) << true << max;
    QTest::newRow("below max half") << 2147483646.5 << true << 2147483646;
    QTest::newRow("max plus 0.4") << 2147483647.4 << true << max;
    QTest::newRow("max plus half rounds out") << 2147483647.5 << false << 0;
    QTest::newRow("max plus one") << 2147483648.0 << false << 0;
    QTest::newRow("min") << double(min) << true << min;
    QTest::newRow("min minus half rounds in") << -2147483648.5 << true << min;
    QTest::newRow("min minus 0.6") << -2147483648.6 << false << 0;
    QTest::newRow("min minus one") << -2147483649.0 << false << 0;
    QTest::newRow("huge") << 1e300 << false << 0;
    QTest::newRow("infinity") << inf << false << 0;
    QTest::newRow("negative infinity") << -inf << false << 0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestNumeric::roundToInt32TiesToEvenWithinRange() {
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const auto rounded = RoundToInt32(value);
    QCOMPARE(rounded.has_value(), fits);
    if (fits)
        QCOMPARE(*rounded, expected);
}

void TestNumeric::decimalTextCoversWholeInt64Range() {
    QCOMPARE(QByteArray::fromStdString(DecimalText(0)), QByteArray("0"));
    QCOMPARE(QByteArray::fromStdString(DecimalText(255)), QByteArray("255"));
    QCOMPARE(QByteArray::fromStdString(DecimalText(-5)), QByteArray("-5"));
    QCOMPARE(QByteArray::fromStdString(DecimalText(std::numeric_limits<std::int64_t>::max())),
             QByteArray("9223372036854775807"));
    // The longest text must fit the documented buffer size exactly.
    char buffer[kMaxDecimalChars];
    const char* end = WriteDecimal(buffer, std::numeric_limits<std::int64_t>::min());
    QCOMPARE(QByteArray(buffer, end - buffer), QByteArray("-9223372036854775808"));
}

QTEST_APPLESS_MAIN(TestNumeric)
#include "test_numeric.moc"
