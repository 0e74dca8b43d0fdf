#include "numeric.h"

#include <QTest>
#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

using namespace tessnivar;

class TestNumeric : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsLeadingNumberOnly();
    void roundToInt32TiesToEvenWithinRange();
};

void TestNumeric::numericValueReadsLeadingNumberOnly() {
    const double inf = std::numeric_limits<double>::infinity();
    const std::string nines(400, '9');
    const std::pair<std::string, double> cases[] = {
        {"", 0},        {"abc", 0}, {" \t+7", 7}, {"- 3", 0},   {".5", 0.5},  {"-.25", -0.25},
        {"1.5.6", 1.5}, {"1e5", 1}, {"0.1", 0.1}, {"-0", -0.0}, {nines, inf}, {"-" + nines, -inf}};
    for (const auto& [text, expected] : cases)
        // Bit for bit, so that a wrong sign of zero or a last-digit rounding error shows.
        QVERIFY2(std::bit_cast<std::uint64_t>(NumericValue(text)) ==
                     std::bit_cast<std::uint64_t>(expected),
                 text.substr(0, 20).c_str());
}

void TestNumeric::roundToInt32TiesToEvenWithinRange() {
    const double max = std::numeric_limits<std::int32_t>::max();
    const double min = std::numeric_limits<std::int32_t>::min();
    const double fits[][2] = {{2.5, 2}, {3.5, 4},         {-2.5, -2},
                              {0.5, 0}, {max + 0.4, max}, {min - 0.5, min}};
    for (const auto& [value, expected] : fits)
        QCOMPARE(RoundToInt32(value), std::optional(static_cast<std::int32_t>(expected)));
    for (const double value : {max + 0.5, min - 0.6, std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()})
        QVERIFY2(!RoundToInt32(value), qPrintable(QByteArray::number(value, 'f', 1)));
}

QTEST_APPLESS_MAIN(TestNumeric)
#include "test_numeric.moc"
